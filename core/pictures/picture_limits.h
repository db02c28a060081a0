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
    // Not a cap but what the two above allow: a progressive or multi-scan
    // picture makes the decoder hold all its coefficients, two bytes for each
    // of 64 per 8 x 8 block, here of four full-resolution components (CMYK at
    // 4:4:4), each padded by up to 32 px a side to whole sampling units. The
    // longest padded edges come with the widest picture, 16384 x 1464. About
    // 188 MiB; a 24-megapixel progressive 4:4:4 colour picture takes 137.
    static constexpr std::int64_t maxCoefficientBytes =
        4 * 2 * (maxPixels + 32 * (maxSide + maxPixels / maxSide + 1) + 32 * 32);
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
