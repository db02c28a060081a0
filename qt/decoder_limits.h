#pragma once

#include "picture_limits.h"

// What the decoders of the Qt front end may allocate, within the picture caps.
struct DecoderLimits {
    // All libjpeg may allocate for one picture, in its own type for the
    // limit: the coefficients of the largest progressive picture the pixel
    // caps allow, and room for its tables and row buffers. The pictures
    // themselves are decoded at about the shown size, never at their full size.
    static constexpr long maxJpegBytes = PictureLimits::maxCoefficientBytes + 16 * 1024 * 1024;
    // The largest image Qt's own image readers may allocate, in MiB. They
    // never see a picture file; this holds for the built-in images.
    static constexpr int maxQtImageMiB = 64;
};
