#pragma once

#include <functional>

// How much room a text takes at one font size: the height of a line and the
// width of the widest text, in pixels.
struct TextExtent {
    int height;
    int width;
};

// A font size, in pixels, from size down to smallest, at which every text of a
// closed list fits the room its field has, measured by extentAt: the
// desktop's own size where it fits, so that a list only ever gets smaller
// type, else about the largest that fits, and smallest when nothing larger
// does.
int fittingFontSize(int size, int smallest, TextExtent room,
                    const std::function<TextExtent(int size)>& extentAt);

// The smallest size fittingFontSize goes down to: below it the text is no
// longer legible.
inline constexpr int SmallestListFontPixels = 9;
