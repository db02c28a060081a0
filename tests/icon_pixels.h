#pragma once

#include <QByteArray>
#include <QImage>
#include <QtEndian>

// The pixels of a one-image icon file of 16 bits a pixel (5 bits each of red,
// green and blue, red highest), read byte by byte as a check on the decoders,
// since Qt's own icon reader takes no such file. Null when the file is too
// short for what its headers declare.
inline QImage iconPixelsByHand(const QByteArray& icon)
{
    const auto field = [&](qsizetype offset) {
        return offset + 4 <= icon.size() ? qFromLittleEndian<quint32>(icon.constData() + offset)
                                         : 0;
    };
    const qsizetype header = field(18);
    const int width = int(field(header + 4));
    const int height = int(field(header + 8)) / 2; // colour rows, then mask rows
    const qsizetype pixels = header + field(header);
    const int stride = (width * 2 + 3) / 4 * 4;
    if (width <= 0 || height <= 0 || pixels + qsizetype(height) * stride > icon.size())
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const quint16 stored = qFromLittleEndian<quint16>(
                icon.constData() + pixels + qsizetype(height - 1 - y) * stride + x * 2);
            image.setPixel(x, y,
                           qRgb((stored >> 10 & 31) * 255 / 31, (stored >> 5 & 31) * 255 / 31,
                                (stored & 31) * 255 / 31));
        }
    }
    return image;
}
