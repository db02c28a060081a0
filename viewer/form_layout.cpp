#include "form_layout.h"

#include <algorithm>
#include <stdexcept>

int twipsToPixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

QRect pixelRect(const ControlLayout& control)
{
    return {twipsToPixels(control.left), twipsToPixels(control.top), twipsToPixels(control.width),
            twipsToPixels(control.height)};
}

QSize formClientSize()
{
    return {twipsToPixels(FormClientWidth), twipsToPixels(FormClientHeight)};
}

const ControlLayout& controlLayout(std::string_view objectName)
{
    const auto found = std::ranges::find(formControls, objectName, &ControlLayout::objectName);
    if (found == formControls.end())
        throw std::out_of_range("no such control in the window layout");
    return *found;
}
