#include "text_font_fit.h"

#include <algorithm>

int fittingFontSize(int size, int smallest, TextExtent room, const TextMeasure& extentAt)
{
    while (size > smallest) {
        const TextExtent extent = extentAt(size);
        if (extent.height <= room.height && extent.width <= room.width)
            break;
        // Text grows about in proportion to its size: the next size tried is
        // the one that proportion gives, so that a large font needs few
        // measurements, each of which lays out every text.
        const double scale =
            std::min(extent.height > room.height ? double(room.height) / extent.height : 1.0,
                     extent.width > room.width ? double(room.width) / extent.width : 1.0);
        size = std::max(smallest, std::min(size - 1, int(size * scale)));
    }
    return size;
}

int designFontPixels(const LabelFont& design, int fontDpi)
{
    // Tenths of a point, 720 to the inch, to the nearest whole pixel.
    return (design.tenthsOfPoint * fontDpi + 360) / 720;
}

TextExtent labelRoom(const ControlLayout& label, int dpi)
{
    const PixelRect box = pixelRect(label, dpi);
    return {box.height, box.width};
}
