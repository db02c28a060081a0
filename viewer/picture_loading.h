#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <optional>

// Limits that keep any picture file, however large or hostile, cheap to refuse.
struct PictureLimits {
    // A 300 x 300 JPEG takes tens of kilobytes; a photograph a few megabytes.
    static constexpr qint64 maxFileBytes = 32 * 1024 * 1024;
    static constexpr int maxSide = 16384;
    static constexpr qint64 maxPixels = 24 * 1000 * 1000;
};

// The picture held in these bytes (JPEG, PNG, BMP or GIF, told apart by their
// signatures), scaled to exactly targetSize without keeping its proportions;
// nothing when the bytes hold no picture of those formats, declare a size past
// the limits, or cannot be decoded.
std::optional<QImage> decodePicture(const QByteArray& bytes, QSize targetSize);

// The picture in the regular file at exactly this path, decoded as above.
std::optional<QImage> LoadPicture(const QString& path, QSize targetSize);
