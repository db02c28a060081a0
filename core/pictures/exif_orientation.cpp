#include "exif_orientation.h"

#include <cstddef>
#include <cstring>

namespace {
constexpr std::uint16_t orientationTag = 0x0112;
constexpr std::uint16_t shortType = 3;
constexpr std::size_t entryBytes = 12;

// The TIFF structure that Exif metadata is, after the segment's "Exif\0\0".
class TiffReader {
public:
    explicit TiffReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool readByteOrder()
    {
        if (m_bytes.size() < 8)
            return false;
        if (m_bytes[0] == 'I' && m_bytes[1] == 'I')
            m_bigEndian = false;
        else if (m_bytes[0] == 'M' && m_bytes[1] == 'M')
            m_bigEndian = true;
        else
            return false;
        return word(2) == 42;
    }
    bool holds(std::size_t offset, std::size_t count) const
    {
        return offset <= m_bytes.size() && count <= m_bytes.size() - offset;
    }
    // Callers check the bytes with holds() first.
    std::uint16_t word(std::size_t offset) const
    {
        const unsigned first = m_bytes[offset];
        const unsigned second = m_bytes[offset + 1];
        return std::uint16_t(m_bigEndian ? first << 8 | second : second << 8 | first);
    }
    std::uint32_t longWord(std::size_t offset) const
    {
        const std::uint32_t first = word(offset);
        const std::uint32_t second = word(offset + 2);
        return m_bigEndian ? first << 16 | second : second << 16 | first;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    bool m_bigEndian = false;
};
} // namespace

int exifOrientation(std::span<const std::uint8_t> app1Body)
{
    constexpr std::uint8_t signature[] = {'E', 'x', 'i', 'f', 0, 0};
    if (app1Body.size() < sizeof signature ||
        std::memcmp(app1Body.data(), signature, sizeof signature) != 0)
        return 1;
    TiffReader tiff(app1Body.subspan(sizeof signature));
    if (!tiff.readByteOrder())
        return 1;
    // The first directory describes the main picture; its entries are sorted
    // by tag, but a reader cannot rely on that in a hostile file.
    const std::size_t directory = tiff.longWord(4);
    if (!tiff.holds(directory, 2))
        return 1;
    const std::size_t entries = tiff.word(directory);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t entry = directory + 2 + i * entryBytes;
        if (!tiff.holds(entry, entryBytes))
            return 1;
        if (tiff.word(entry) != orientationTag)
            continue;
        const std::uint16_t value = tiff.word(entry + 8);
        const bool wellFormed = tiff.word(entry + 2) == shortType && tiff.longWord(entry + 4) == 1;
        return wellFormed && value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}

UprightTurn uprightTurn(int exifOrientation)
{
    // Each case says what the stored picture is, against the upright one.
    switch (exifOrientation) {
    case 2: // mirrored left to right
        return {true, 0};
    case 3: // upside down
        return {false, 2};
    case 4: // mirrored top to bottom
        return {true, 2};
    case 5: // mirrored across its leading diagonal
        return {true, 3};
    case 6: // a quarter turn anticlockwise, as a phone held upright stores it
        return {false, 1};
    case 7: // mirrored across its other diagonal
        return {true, 1};
    case 8: // a quarter turn clockwise
        return {false, 3};
    default:
        return {};
    }
}

void turnUpright(std::span<const std::uint32_t> pixels, int width, int height, UprightTurn turn,
                 std::span<std::uint32_t> upright)
{
    const std::size_t uprightWidth = std::size_t(turn.swapsSides() ? height : width);
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* row = pixels.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width; ++x) {
            const int mirroredX = turn.mirrored ? width - 1 - x : x;
            int toX = mirroredX;
            int toY = y;
            switch (turn.quarterTurns % 4) {
            case 1:
                toX = height - 1 - y;
                toY = mirroredX;
                break;
            case 2:
                toX = width - 1 - mirroredX;
                toY = height - 1 - y;
                break;
            case 3:
                toX = y;
                toY = width - 1 - mirroredX;
                break;
            default:
                break;
            }
            upright[std::size_t(toY) * uprightWidth + std::size_t(toX)] = row[x];
        }
    }
}
