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

// Creates every control of the window at its place at this resolution, each
// with its font before its text and items, in the order that gives the tab
// order and the screen readers' names. Each list keeps its closed height
// from the layout whatever its font; where the catalogue's list texts would
// not fit the lists' font, fonts.lists becomes a smaller one.
bool createFormControls(HWND parent, const ExpressionCatalogue& catalogue, UINT dpi,
                        WindowFonts& fonts, FormControls& controls);

// Places the controls at another resolution and gives them these fonts, the
// lists' fitted again as at creation.
void layOutFormControls(const FormControls& controls, const ExpressionCatalogue& catalogue,
                        UINT dpi, WindowFonts& fonts);

// Leaves the part of a caption that its list covers out of the caption's
// paint in this context: a static control asks for its colours
// (WM_CTLCOLORSTATIC) with the context it is about to fill and draw in.
// Nothing for any other control.
void leaveListUncovered(const FormControls& controls, HWND label, HDC context);
