#include "picture_loading.h"

#include "regular_file.h"

#include <QBuffer>
#include <QImageReader>

namespace {
// The format is chosen from the leading bytes here rather than by Qt, which
// would otherwise hand the bytes to whichever of its decoders claims them.
QByteArray formatBySignature(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return "jpeg";
    if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return "png";
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return "gif";
    if (bytes.startsWith("BM"))
        return "bmp";
    return {};
}

bool withinLimits(QSize declared)
{
    return declared.isValid() && declared.width() <= PictureLimits::maxSide &&
           declared.height() <= PictureLimits::maxSide &&
           qint64(declared.width()) * declared.height() <= PictureLimits::maxPixels;
}
} // namespace

std::optional<QImage> decodePicture(const QByteArray& bytes, QSize targetSize)
{
    const QByteArray format = formatBySignature(bytes);
    if (format.isEmpty() || targetSize.isEmpty())
        return std::nullopt;

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    if (!withinLimits(reader.size()))
        return std::nullopt;

    // Decoding straight to the shown size lets the JPEG decoder skip most of
    // the work for a large picture.
    reader.setScaledSize(targetSize);
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    if (image.size() != targetSize)
        image = image.scaled(targetSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

std::optional<QImage> LoadPicture(const QString& path, QSize targetSize)
{
    const auto bytes = readRegularFile(path, PictureLimits::maxFileBytes);
    if (!bytes)
        return std::nullopt;
    return decodePicture(*bytes, targetSize);
}
