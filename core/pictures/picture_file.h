#pragma once

#include "jpeg_layout.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

// A picture file's bytes, read whole, and what its markers declare. A front
// end decodes the picture from these bytes alone, so no other file is opened.
struct PictureFile {
    std::vector<std::uint8_t> bytes;
    JpegLayout layout;
};

// The layout of the JPEG picture in these bytes when it is complete,
// well-formed and within PictureLimits; nothing otherwise. Checked before any
// decoder sees the bytes, so the caps hold whatever a decoder would tolerate.
std::optional<JpegLayout> acceptedJpegLayout(std::span<const std::uint8_t> bytes);

// The regular file at exactly this path, when it holds no more than
// PictureLimits::maxFileBytes and an accepted JPEG picture; nothing otherwise.
std::optional<PictureFile> readPictureFile(const std::filesystem::path& path);
