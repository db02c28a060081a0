#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <filesystem>
#include <optional>

// The picture held in these bytes, scaled to exactly targetSize without keeping
// its proportions; nothing when the bytes hold no complete JPEG picture within
// PictureLimits, or it cannot be decoded.
std::optional<QImage> decodePicture(const QByteArray& bytes, QSize targetSize);

// Holds Qt's limit on the image its readers may allocate at
// DecoderLimits::maxQtImageMiB. Picture files never reach those readers, but
// the window icon does. Qt 6.4 takes QT_IMAGEIO_MAXALLOC in preference to any
// limit the program sets, reading it once, at the first image it decodes; this
// removes the variable first, so call it before Qt decodes anything.
void holdDecoderAllocationLimit();

// The picture in the regular file at this path, or, where its folder holds
// no entry of that name, in the one whose name matches it ignoring the case of
// ASCII letters (see pictureFileIgnoringCase); decoded as above.
std::optional<QImage> LoadPicture(const std::filesystem::path& path, QSize targetSize);
