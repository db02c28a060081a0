#include "icon_writer.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {
constexpr int directorySize = 6 + 16;
constexpr int bitmapHeaderSize = 40;

void append16(QByteArray& bytes, quint16 value)
{
    const std::array<char, 2> raw{char(value & 0xFF), char(value >> 8)};
    bytes.append(raw.data(), 2);
}

void append32(QByteArray& bytes, quint32 value)
{
    append16(bytes, quint16(value & 0xFFFF));
    append16(bytes, quint16(value >> 16));
}

int rowBytes(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// Each channel of each pixel cut to five bits, bottom row first, with the
// rounding error of every pixel spread over its unvisited neighbours.
std::vector<quint16> quantise(const QImage& image)
{
    const int width = image.width();
    const int height = image.height();
    std::vector<std::array<float, 3>> error(std::size_t(width * (height + 1) + 1));
    std::vector<quint16> pixels;
    pixels.reserve(std::size_t(width * height));
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;
        for (int x = 0; x < width; ++x) {
            const QColor colour = image.pixelColor(x, y);
            const std::array<float, 3> wanted{float(colour.red()), float(colour.green()),
                                              float(colour.blue())};
            auto& carried = error[std::size_t(row * width + x)];
            quint16 packed = 0;
            for (int channel = 0; channel < 3; ++channel) {
                const float value = std::clamp(
                    wanted[std::size_t(channel)] + carried[std::size_t(channel)], 0.0f, 255.0f);
                const int level = int(std::lround(value * 31.0f / 255.0f));
                const float residue = value - float(level) * 255.0f / 31.0f;
                packed = quint16(packed | (level << (10 - 5 * channel)));
                const auto spread = [&](int dx, int dy, float weight) {
                    if (x + dx < 0 || x + dx >= width)
                        return;
                    error[std::size_t((row + dy) * width + x + dx)][std::size_t(channel)] +=
                        residue * weight;
                };
                spread(1, 0, 7.0f / 16);
                spread(-1, 1, 3.0f / 16);
                spread(0, 1, 5.0f / 16);
                spread(1, 1, 1.0f / 16);
            }
            pixels.push_back(packed);
        }
    }
    return pixels;
}
} // namespace

QByteArray encodeIcon16(const QImage& image)
{
    const int width = image.width();
    const int height = image.height();
    if (image.isNull() || width > 255 || height > 255)
        return {};

    const int colourStride = rowBytes(width, 16);
    const int maskStride = rowBytes(width, 1);
    const auto imageSize = quint32(bitmapHeaderSize + height * (colourStride + maskStride));

    QByteArray bytes;
    append16(bytes, 0); // reserved
    append16(bytes, 1); // an icon, not a cursor
    append16(bytes, 1); // one image
    bytes.append(char(width));
    bytes.append(char(height));
    bytes.append(char(0)); // no palette
    bytes.append(char(0)); // reserved
    append16(bytes, 1);    // colour planes
    append16(bytes, 16);   // bits per pixel
    append32(bytes, imageSize);
    append32(bytes, directorySize);

    append32(bytes, bitmapHeaderSize);
    append32(bytes, quint32(width));
    append32(bytes, quint32(height * 2)); // colour rows, then mask rows
    append16(bytes, 1);
    append16(bytes, 16);
    append32(bytes, 0); // uncompressed
    append32(bytes, quint32(height * colourStride));
    append32(bytes, 0);
    append32(bytes, 0);
    append32(bytes, 0);
    append32(bytes, 0);

    const std::vector<quint16> pixels = quantise(image);
    for (int row = 0; row < height; ++row) {
        for (int x = 0; x < width; ++x)
            append16(bytes, pixels[std::size_t(row * width + x)]);
        bytes.append(colourStride - width * 2, char(0));
    }
    bytes.append(height * maskStride, char(0));
    return bytes;
}

QByteArray iconImage(const QByteArray& iconFile)
{
    if (iconFile.size() < directorySize)
        return {};
    const auto* entry = reinterpret_cast<const uchar*>(iconFile.constData()) + 6;
    const quint32 size = qFromLittleEndian<quint32>(entry + 8);
    const quint32 offset = qFromLittleEndian<quint32>(entry + 12);
    if (offset > quint32(iconFile.size()) || size > quint32(iconFile.size()) - offset)
        return {};
    return iconFile.mid(qsizetype(offset), qsizetype(size));
}
