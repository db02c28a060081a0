#include "form_appearance.h"

PanelColours descriptionColours(bool highContrast, PanelColours desktop)
{
    if (highContrast)
        return desktop;
    return {DescriptionBackground, DescriptionForeground};
}

bool looksHighContrast(PanelColours desktop)
{
    constexpr RgbColour black{0, 0, 0};
    constexpr RgbColour white{255, 255, 255};
    return (desktop.background == white && desktop.text == black) ||
           (desktop.background == black && desktop.text == white);
}
