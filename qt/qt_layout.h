#pragma once

#include "form_layout.h"

#include <QRect>
#include <QSize>

// The layout table's rectangles in Qt's device-independent pixels, which are
// pixels at 96 dpi: Qt scales them to the screen itself.
inline QRect toQRect(const PixelRect& rect)
{
    return {rect.x, rect.y, rect.width, rect.height};
}

inline QSize toQSize(const PixelSize& size)
{
    return {size.width, size.height};
}

inline PixelRect toPixelRect(const QRect& rect)
{
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}
