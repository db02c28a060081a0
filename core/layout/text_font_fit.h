#pragma once

#include "form_appearance.h"
#include "form_layout.h"

#include <functional>

// How much room a text takes at one font size, in pixels: the height of its
// lines and the width of its widest line.
struct TextExtent {
    int height;
    int width;
};

// Measures the texts of one box at a font size in pixels, as its toolkit
// draws them there.
using TextMeasure = std::function<TextExtent(int pixels)>;

// The one rule for the size of every text in its box, a list's field, a
// caption or the description: the largest size the text may take where it
// fits, so that a text only ever gets smaller type; else about the largest
// size that fits, and smallest when nothing larger does. The text is measured
// first at that largest size, which is the size drawn in the usual case.
int fittingFontSize(int size, int smallest, TextExtent room, const TextMeasure& extentAt);

// The largest size a caption or the description may take: the size it was
// designed at, in pixels at the resolution its font is drawn at. A list's is
// the desktop's own interface font.
int designFontPixels(const LabelFont& design, int fontDpi);

// The room a label's text has: its whole box at this resolution. The
// description wraps its lines within the box's width, and all of them must
// fit its height.
TextExtent labelRoom(const ControlLayout& label, int dpi = StandardDpi);

// The smallest size fittingFontSize goes down to: below it the text is no
// longer legible.
inline constexpr int SmallestFontPixels = 9;
inline constexpr int SmallestListFontPixels = SmallestFontPixels;
