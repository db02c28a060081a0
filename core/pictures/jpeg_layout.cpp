#include "jpeg_layout.h"

#include "exif_orientation.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {
enum Marker : std::uint8_t {
    StartOfFrameBaseline = 0xC0,
    StartOfFrameExtended = 0xC1,
    StartOfFrameProgressive = 0xC2,
    DefineHuffmanTables = 0xC4,
    Restart0 = 0xD0,
    Restart7 = 0xD7,
    StartOfImage = 0xD8,
    EndOfImage = 0xD9,
    StartOfScan = 0xDA,
    DefineNumberOfLines = 0xDC,
    ApplicationSegment1 = 0xE1,
    ArithmeticConditioning = 0xCC,
};

bool isRestart(std::uint8_t marker)
{
    return marker >= Restart0 && marker <= Restart7;
}

// Start-of-frame markers of the codings left out: lossless, hierarchical and
// arithmetic-coded frames, which picture tools do not write and which only add
// decoder paths for a hostile file to reach.
bool isOtherFrame(std::uint8_t marker)
{
    return marker >= 0xC3 && marker <= 0xCF && marker != DefineHuffmanTables && marker != 0xC8 &&
           marker != ArithmeticConditioning;
}

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    bool atEnd() const { return m_position >= m_bytes.size(); }
    std::size_t position() const { return m_position; }
    std::size_t remaining() const { return m_bytes.size() - m_position; }
    std::uint8_t peek(std::size_t offset = 0) const { return m_bytes[m_position + offset]; }
    std::uint8_t byte() { return m_bytes[m_position++]; }
    int word()
    {
        const int high = byte();
        return (high << 8) | byte();
    }
    void skip(std::size_t count) { m_position += count; }
    // Moves to the next byte of this value, or to the end when none is left.
    // Scans through memchr, since entropy-coded data is most of a file.
    void skipTo(std::uint8_t value)
    {
        const auto* const from = m_bytes.data() + m_position;
        const void* found = std::memchr(from, value, remaining());
        m_position = found
                         ? m_position + std::size_t(static_cast<const std::uint8_t*>(found) - from)
                         : m_bytes.size();
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
};

struct Frame {
    int components = 0;
    std::uint8_t ids[4] = {};
    int horizontal[4] = {};
    int vertical[4] = {};
};

// Reads a start-of-frame segment whose length field has been read; the reader
// stands on its precision byte.
bool readFrame(ByteReader& reader, int length, JpegLayout& layout, Frame& frame)
{
    const int precision = reader.byte();
    const int height = reader.word();
    const int width = reader.word();
    frame.components = reader.byte();
    // A height of 0 defers the height to a later marker, which the decoder
    // does not support either.
    if (precision != 8 || height == 0 || width == 0 ||
        (frame.components != 1 && frame.components != 3 && frame.components != 4) ||
        length != 8 + 3 * frame.components)
        return false;
    for (int i = 0; i < frame.components; ++i) {
        frame.ids[i] = reader.byte();
        const int sampling = reader.byte();
        frame.horizontal[i] = sampling >> 4;
        frame.vertical[i] = sampling & 0x0F;
        const int table = reader.byte();
        if (frame.horizontal[i] < 1 || frame.horizontal[i] > 4 || frame.vertical[i] < 1 ||
            frame.vertical[i] > 4 || table > 3)
            return false;
    }
    layout.width = width;
    layout.height = height;
    layout.components = frame.components;
    return true;
}

bool readScanHeader(ByteReader& reader, int length, const Frame& frame)
{
    const int count = reader.byte();
    if (count < 1 || count > frame.components || length != 6 + 2 * count)
        return false;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t id = reader.byte();
        reader.skip(1); // Huffman table selectors
        bool known = false;
        for (int c = 0; c < frame.components; ++c)
            known = known || frame.ids[c] == id;
        if (!known)
            return false;
    }
    reader.skip(3); // spectral selection and successive approximation
    return true;
}

// Steps over the entropy-coded data that follows a scan header, up to the
// marker that ends it. Inside that data 0xFF is followed by 0x00 (a stuffed
// byte) or a restart marker; anything else starts the next marker.
bool skipEntropyCodedData(ByteReader& reader)
{
    for (reader.skipTo(0xFF); reader.remaining() >= 2; reader.skipTo(0xFF)) {
        const std::uint8_t next = reader.peek(1);
        if (next == 0x00 || isRestart(next))
            reader.skip(2);
        else if (next == 0xFF)
            reader.skip(1); // fill byte before a marker
        else
            return true;
    }
    return false;
}
} // namespace

std::optional<JpegLayout> readJpegLayout(std::span<const std::uint8_t> bytes)
{
    ByteReader reader(bytes);
    if (reader.remaining() < 2 || reader.byte() != 0xFF || reader.byte() != StartOfImage)
        return std::nullopt;

    JpegLayout layout;
    Frame frame;
    bool exifSeen = false;
    while (true) {
        if (reader.remaining() < 2 || reader.byte() != 0xFF)
            return std::nullopt;
        while (!reader.atEnd() && reader.peek() == 0xFF)
            reader.skip(1);
        if (reader.atEnd())
            return std::nullopt;
        const std::uint8_t marker = reader.byte();

        if (marker == EndOfImage)
            return layout.scans > 0 ? std::optional(layout) : std::nullopt;
        // A second start of image, a restart outside a scan and the reserved
        // markers without a length are all structural errors.
        if (marker == StartOfImage || isRestart(marker) || marker == 0x00 || marker == 0x01)
            return std::nullopt;

        if (reader.remaining() < 2)
            return std::nullopt;
        const int length = reader.word();
        if (length < 2 || std::size_t(length - 2) > reader.remaining())
            return std::nullopt;
        ++layout.segments;
        const std::size_t segmentEnd = reader.position() + std::size_t(length - 2);

        if (marker == StartOfFrameBaseline || marker == StartOfFrameExtended ||
            marker == StartOfFrameProgressive) {
            if (frame.components != 0 || length < 8 || !readFrame(reader, length, layout, frame))
                return std::nullopt;
            layout.progressive = marker == StartOfFrameProgressive;
        } else if (isOtherFrame(marker) || marker == ArithmeticConditioning ||
                   marker == DefineNumberOfLines) {
            return std::nullopt;
        } else if (marker == StartOfScan) {
            if (frame.components == 0 || length < 6 || !readScanHeader(reader, length, frame))
                return std::nullopt;
            ++layout.scans;
            if (!skipEntropyCodedData(reader))
                return std::nullopt;
            continue;
        } else if (marker == ApplicationSegment1 && !exifSeen) {
            const auto body = bytes.subspan(reader.position(), std::size_t(length - 2));
            exifSeen = body.size() >= 4 && body[0] == 'E' && body[1] == 'x' && body[2] == 'i' &&
                       body[3] == 'f';
            if (exifSeen)
                layout.orientation = exifOrientation(body);
        }
        reader.skip(segmentEnd - reader.position());
    }
}
