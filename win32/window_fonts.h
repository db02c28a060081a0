#pragma once

#include "gdi_object.h"

#include <windows.h>

// The fonts of the window's controls at one resolution: the lists' caption
// labels, the description label and the lists themselves.
struct WindowFonts {
    GdiObject<HFONT> captions;
    GdiObject<HFONT> description;
    GdiObject<HFONT> lists;
};

// The window's fonts at this resolution.
WindowFonts windowFonts(UINT dpi);
