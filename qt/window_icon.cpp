#include "window_icon.h"

#include <QFile>
#include <QPixmap>
#include <QtEndian>

namespace {
constexpr qsizetype directoryHeaderSize = 6;
constexpr qsizetype directoryEntrySize = 16;
constexpr quint32 bitmapHeaderSize = 40;
constexpr quint32 uncompressed = 0;

quint16 read16(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

quint32 read32(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

qsizetype rowBytes(qsizetype width, qsizetype bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// A five-bit channel value widened to eight bits by repeating its top bits,
// so that full intensity stays full.
int widenFiveBits(int value)
{
    value &= 0x1F;
    return (value << 3) | (value >> 2);
}

// The image of an icon stored as a bitmap header, colour rows and mask rows,
// all bottom row first, at 16 bits per pixel.
std::optional<QImage> decode16BitImage(const QByteArray& image)
{
    const auto width = qint32(read32(image, 4));
    const auto doubledHeight = qint32(read32(image, 8));
    if (width <= 0 || width > 256 || doubledHeight <= 0 || doubledHeight > 512 ||
        doubledHeight % 2 != 0)
        return std::nullopt;
    const int height = doubledHeight / 2;
    const qsizetype colourStride = rowBytes(width, 16);
    const qsizetype maskStride = rowBytes(width, 1);
    // A palette, pointless at this depth but allowed, sits between the
    // header and the pixels.
    const qsizetype colourStart = qsizetype(read32(image, 0)) + qsizetype(read32(image, 32)) * 4;
    const qsizetype maskStart = colourStart + height * colourStride;
    if (image.size() < maskStart + height * maskStride)
        return std::nullopt;

    QImage decoded(width, height, QImage::Format_ARGB32);
    bool anyTransparent = false;
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;
        auto* line = reinterpret_cast<QRgb*>(decoded.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const quint16 pixel = read16(image, colourStart + row * colourStride + x * 2);
            const bool transparent =
                (uchar(image[maskStart + row * maskStride + x / 8]) >> (7 - x % 8)) & 1;
            anyTransparent = anyTransparent || transparent;
            line[x] = qRgba(widenFiveBits(pixel >> 10), widenFiveBits(pixel >> 5),
                            widenFiveBits(pixel), transparent ? 0 : 255);
        }
    }
    if (!anyTransparent)
        decoded = decoded.convertToFormat(QImage::Format_RGB32);
    return decoded;
}
} // namespace

std::optional<QImage> decodeIconFile(const QByteArray& bytes)
{
    if (bytes.size() < directoryHeaderSize + directoryEntrySize || read16(bytes, 0) != 0 ||
        read16(bytes, 2) != 1 || read16(bytes, 4) == 0)
        return std::nullopt;
    const quint32 size = read32(bytes, directoryHeaderSize + 8);
    const quint32 offset = read32(bytes, directoryHeaderSize + 12);
    if (offset > quint32(bytes.size()) || size > quint32(bytes.size()) - offset ||
        size < bitmapHeaderSize)
        return std::nullopt;
    const QByteArray image = bytes.mid(offset, size);

    if (read32(image, 0) >= bitmapHeaderSize && read16(image, 14) == 16 &&
        read32(image, 16) == uncompressed)
        return decode16BitImage(image);

    QImage other = QImage::fromData(bytes, "ICO");
    if (other.isNull())
        return std::nullopt;
    return other;
}

QIcon loadWindowIcon(std::string_view path)
{
    QFile file(QString::fromUtf8(path.data(), qsizetype(path.size())));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const auto image = decodeIconFile(file.readAll());
    if (!image)
        return {};
    return QIcon(QPixmap::fromImage(*image));
}
