#pragma once

#include <QByteArray>
#include <QImage>

// Encodes the image as a baseline JPEG in a JFIF 1.01 container: Y Cb Cr at
// full resolution in all three components, one scan, a square-pixel density of
// 96 x 96 without a unit, and no segment besides the ones decoding needs (no
// thumbnail, comment, Exif or colour profile). Empty when encoding fails.
QByteArray encodeJfif(const QImage& image, int quality);
