#include "picture_file.h"

#include "picture_limits.h"
#include "regular_file.h"

std::optional<JpegLayout> acceptedJpegLayout(std::span<const std::uint8_t> bytes)
{
    const auto layout = readJpegLayout(bytes);
    if (!layout || !withinPictureLimits(*layout))
        return std::nullopt;
    return layout;
}

std::optional<PictureFile> readPictureFile(const std::filesystem::path& path)
{
    auto bytes = readRegularFile(path, PictureLimits::maxFileBytes);
    if (!bytes)
        return std::nullopt;
    const auto layout = acceptedJpegLayout(*bytes);
    if (!layout)
        return std::nullopt;
    return PictureFile{std::move(*bytes), *layout};
}
