#pragma once

#include "gdi_object.h"

#include <windows.h>

#include <string_view>

struct ExpressionCatalogue;

// The fonts of the window's controls at one resolution: the lists' caption
// labels, the description label and the lists themselves.
struct WindowFonts {
    GdiObject<HFONT> captions;
    // The description's font at its designed size, in which each text is
    // measured first, and a smaller one where the text shown needs it.
    GdiObject<HFONT> description;
    GdiObject<HFONT> smallerDescription;
    GdiObject<HFONT> lists;

    HFONT descriptionShown() const
    {
        return smallerDescription ? smallerDescription.get() : description.get();
    }
};

// The window's fonts at this resolution: the captions' and the description's
// at their designed sizes or smaller where the catalogue's captions or this
// description would not fit their boxes, the lists' the desktop's own.
WindowFonts windowFonts(UINT dpi, const ExpressionCatalogue& catalogue,
                        std::wstring_view description);

// The smaller font the description needs to show this text whole in its box,
// or nothing where its designed font does.
GdiObject<HFONT> smallerDescriptionFont(const WindowFonts& fonts, UINT dpi,
                                        std::wstring_view description);
