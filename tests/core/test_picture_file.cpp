#include "core_test.h"

#include "exif_orientation.h"
#include "picture_file.h"
#include "regular_file.h"
#include "scratch_folder.h"
#include "tiny_jpeg.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<std::uint8_t> tinyJpegOfSize(int width, int height)
{
    std::vector<std::uint8_t> bytes(tinyJpeg.begin(), tinyJpeg.end());
    bytes[tinyJpegHeightOffset] = std::uint8_t(height >> 8);
    bytes[tinyJpegHeightOffset + 1] = std::uint8_t(height);
    bytes[tinyJpegWidthOffset] = std::uint8_t(width >> 8);
    bytes[tinyJpegWidthOffset + 1] = std::uint8_t(width);
    return bytes;
}
} // namespace

TEST_CASE("a complete JPEG is accepted")
{
    const auto layout = acceptedJpegLayout(tinyJpeg);
    CHECK(layout.has_value());
    if (!layout)
        return;
    CHECK_EQ(layout->width, 16);
    CHECK_EQ(layout->height, 8);
    CHECK_EQ(layout->components, 3);
    CHECK_EQ(layout->progressive, false);
    CHECK_EQ(layout->scans, 1);
}

TEST_CASE("every truncation is refused")
{
    for (std::size_t size = 0; size < tinyJpeg.size(); ++size)
        CHECK_EQ(acceptedJpegLayout(std::span(tinyJpeg).first(size)).has_value(), false);
}

TEST_CASE("headers over the caps are refused")
{
    struct Case {
        int width;
        int height;
        bool accepted;
    };
    const Case cases[] = {
        {16384, 8, true},   {16385, 8, false},   {8, 16385, false},
        {4000, 6000, true}, {4000, 6001, false}, {60000, 60000, false},
    };
    for (const Case& c : cases)
        CHECK_EQ(acceptedJpegLayout(tinyJpegOfSize(c.width, c.height)).has_value(), c.accepted);
}

TEST_CASE("reads only regular files within the cap")
{
    const std::vector<std::uint8_t> sixteen(16, 0x5A);
    const std::vector<std::uint8_t> seventeen(17, 0x5A);
    CHECK(!readRegularFile(scratchFolder() / "absent.jpg", 16));
    CHECK(!readRegularFile(scratchFolder(), 16));
    CHECK(readRegularFile(writeScratchFile(u"empty.jpg", {}), 16) == std::vector<std::uint8_t>{});
    CHECK(readRegularFile(writeScratchFile(u"16.jpg", sixteen), 16) == sixteen);
    CHECK(!readRegularFile(writeScratchFile(u"17.jpg", seventeen), 16));
    const auto name = writeScratchFile(u"图片 文件夹/表情 一.jpg", sixteen);
    CHECK(readRegularFile(name, 16) == sixteen);
}

TEST_CASE("pictures are read whole and checked")
{
    const auto picture = readPictureFile(writeScratchFile(u"ピクチャ/1.jpg", tinyJpeg));
    CHECK(picture.has_value());
    if (picture) {
        CHECK(std::ranges::equal(picture->bytes, tinyJpeg));
        CHECK_EQ(picture->layout.width, 16);
    }
    const auto truncated = std::span(tinyJpeg).first(tinyJpeg.size() - 2);
    CHECK(!readPictureFile(writeScratchFile(u"truncated.jpg", truncated)));
    CHECK(!readPictureFile(writeScratchFile(u"huge.jpg", tinyJpegOfSize(60000, 60000))));
}

TEST_CASE("the Exif orientation is read within its segment")
{
    using Bytes = std::vector<std::uint8_t>;
    // "Exif\0\0", a TIFF header in either byte order, one directory entry.
    const auto segment = [](bool bigEndian, Bytes entry) {
        Bytes bytes = bigEndian
                          ? Bytes{'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1}
                          : Bytes{'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0};
        for (const std::uint8_t byte : entry)
            bytes.push_back(byte);
        return bytes;
    };
    const Bytes six = segment(false, {0x12, 0x01, 3, 0, 1, 0, 0, 0, 6, 0, 0, 0});
    CHECK_EQ(exifOrientation(six), 6);
    CHECK_EQ(exifOrientation(segment(true, {0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, 8, 0, 0})), 8);
    for (std::size_t size = 0; size < six.size(); ++size)
        CHECK_EQ(exifOrientation(std::span(six).first(size)), 1);
    // Another type, two values, a value out of range; a directory past the
    // end, another tag in the first of more entries than the segment holds,
    // no Exif signature.
    for (Bytes bad : {segment(false, {0x12, 0x01, 4, 0, 1, 0, 0, 0, 6, 0, 0, 0}),
                      segment(false, {0x12, 0x01, 3, 0, 2, 0, 0, 0, 6, 0, 0, 0}),
                      segment(false, {0x12, 0x01, 3, 0, 1, 0, 0, 0, 9, 0, 0, 0})}) {
        CHECK_EQ(exifOrientation(bad), 1);
    }
    for (const auto& changes : {Bytes{10, 0xF0}, Bytes{14, 0xFF, 16, 0x13}, Bytes{0, 'X'}}) {
        Bytes bad = six;
        for (std::size_t i = 0; i < changes.size(); i += 2)
            bad[changes[i]] = changes[i + 1];
        CHECK_EQ(exifOrientation(bad), 1);
    }
}
