#pragma once

#include <cstdint>

struct JpegLayout;

// Caps that keep any picture file, however large or hostile, cheap to refuse
// and bounded to decode. A 300 x 300 picture takes tens of kilobytes and a
// photograph a few megabytes, so each cap leaves ample room for real pictures.
struct PictureLimits {
    // Larger files are refused before a byte is read.
    static constexpr std::int64_t maxFileBytes = 32 * 1024 * 1024;
    static constexpr int maxSide = 16384;
    static constexpr std::int64_t maxPixels = 24 * 1000 * 1000;
    // A progressive or multi-scan picture makes the decoder hold all its
    // coefficients: 48 MiB is 8 megapixels of full-resolution colour, or 16 of
    // the usual half-resolution colour.
    static constexpr std::int64_t maxCoefficientBytes = 48 * 1024 * 1024;
    // Each scan costs a pass over every block of the picture, data or not:
    // 32 empty scans over the largest picture allowed take about 0.2 s, and
    // picture tools write a dozen scans at most.
    static constexpr int maxScans = 32;
    // Marker segments (tables, metadata, scans); each one saved costs the
    // decoder memory, and real files carry a few dozen at most.
    static constexpr int maxSegments = 512;
};

// True when a JPEG file of this layout stays within every cap above.
bool withinPictureLimits(const JpegLayout& layout);
