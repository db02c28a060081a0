#pragma once

#include <cstdint>
#include <optional>
#include <span>

// What a JPEG file declares about itself, read from its marker segments alone,
// without decoding any picture data.
struct JpegLayout {
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = false;
    int scans = 0;
    // Every marker segment up to the end of the picture, scans included.
    int segments = 0;
    // The Exif orientation of the first Exif segment, 1 (upright) to 8.
    int orientation = 1;
};

// The layout of the JPEG file in these bytes, or nothing when they are not one
// complete, well-formed JPEG file of the codings this program decodes: 8-bit
// baseline, extended sequential or progressive with Huffman coding, of one,
// three or four components. A file must end its last scan with the end-of-image
// marker; anything after that marker is ignored, as decoders ignore it.
std::optional<JpegLayout> readJpegLayout(std::span<const std::uint8_t> bytes);
