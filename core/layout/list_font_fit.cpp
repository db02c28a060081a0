#include "list_font_fit.h"

int fittingFontSize(int size, int smallest, TextExtent room,
                    const std::function<TextExtent(int size)>& extentAt)
{
    for (; size > smallest; --size) {
        const TextExtent extent = extentAt(size);
        if (extent.height <= room.height && extent.width <= room.width)
            break;
    }
    return size;
}
