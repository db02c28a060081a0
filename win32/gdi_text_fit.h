#pragma once

#include "gdi_object.h"
#include "text_font_fit.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// GDI's side of the core's font rule: measuring texts as GDI draws them, in
// the font selected into a context, and making the font the rule asks for.

// Measures texts in the font selected into this context.
using GdiMeasure = std::function<TextExtent(HDC context)>;

// The font of this face at this size in pixels, as the rule counts them.
using FontAtSize = std::function<LOGFONTW(int pixels)>;

// A smaller font for texts measured by measure, where the font they have
// (whose size the rule counts as size) does not fit them into room; nothing
// where it does. That font is measured first, and only it where they fit.
GdiObject<HFONT> smallerFittingFont(HFONT font, int size, int smallest, TextExtent room,
                                    const GdiMeasure& measure, const FontAtSize& fontAt);

// Each text on one line, as a field shows it: the height of a line and the
// width of the widest text.
TextExtent lineExtent(HDC context, const std::vector<std::wstring>& texts);

// Each text on one line drawn from the top of a label: how far down its ink
// reaches and the width of the widest text.
TextExtent labelLineExtent(HDC context, const std::vector<std::wstring>& texts);

// The text broken into lines within width, as a static control with
// SS_EDITCONTROL draws it from its top: how far down the last line's ink
// may reach (as deep as the text's deepest glyph) and the width of the
// widest line.
TextExtent wrappedExtent(HDC context, std::wstring_view text, int width);
