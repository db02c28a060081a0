#pragma once

#include "picture_area.h"
#include "window_fonts.h"

#include <windows.h>

#include <array>

struct ExpressionCatalogue;

// The window's controls: Combo1 to Combo4, Label1 to Label5 and Image1.
struct FormControls {
    std::array<HWND, 4> lists{};
    // Label1 to Label4 caption the lists; Label5 holds the description.
    std::array<HWND, 5> labels{};
    PictureArea picture;

    HWND description() const { return labels[4]; }
};

// Control identifiers, as WM_COMMAND reports them.
inline constexpr int FirstListIdentifier = 101;  // Combo1; Combo2 to Combo4 follow
inline constexpr int FirstLabelIdentifier = 111; // Label1; Label2 to Label5 follow
inline constexpr int PictureIdentifier = 120;

// Creates every control of the window, filled with the catalogue's texts, in
// the order that gives the tab order and the screen readers' names.
bool createFormControls(HWND parent, const ExpressionCatalogue& catalogue, FormControls& controls);

// Places the controls at this resolution and gives them these fonts; each
// list keeps its closed height from the layout whatever its font.
void layOutFormControls(const FormControls& controls, UINT dpi, const WindowFonts& fonts);

// A smaller font for the lists, laid out as they are, where their font does
// not fit every text whole into their fields; nothing where it does.
GdiObject<HFONT> smallerListFont(const FormControls& controls);
