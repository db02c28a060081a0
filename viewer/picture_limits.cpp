#include "picture_limits.h"

#include "jpeg_layout.h"

bool withinPictureLimits(const JpegLayout& layout)
{
    const qint64 pixels = qint64(layout.size.width()) * layout.size.height();
    if (layout.size.width() > PictureLimits::maxSide ||
        layout.size.height() > PictureLimits::maxSide || pixels > PictureLimits::maxPixels ||
        layout.scans > PictureLimits::maxScans || layout.segments > PictureLimits::maxSegments)
        return false;
    return !layout.buffersWholePicture() ||
           layout.coefficientBytes <= PictureLimits::maxCoefficientBytes;
}
