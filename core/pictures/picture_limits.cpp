#include "picture_limits.h"

#include "jpeg_layout.h"

bool withinPictureLimits(const JpegLayout& layout)
{
    const std::int64_t pixels = std::int64_t(layout.width) * layout.height;
    return layout.width <= PictureLimits::maxSide && layout.height <= PictureLimits::maxSide &&
           pixels <= PictureLimits::maxPixels && layout.scans <= PictureLimits::maxScans &&
           layout.segments <= PictureLimits::maxSegments;
}
