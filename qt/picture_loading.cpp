#include "picture_loading.h"

#include "decoder_limits.h"
#include "jpeg_decoder.h"
#include "picture_file.h"

#include <QImageReader>

void holdDecoderAllocationLimit()
{
    static const bool environmentCleared = [] {
        return qunsetenv("QT_IMAGEIO_MAXALLOC");
    }();
    Q_UNUSED(environmentCleared);
    QImageReader::setAllocationLimit(DecoderLimits::maxQtImageMiB);
}

// Only JPEG is decoded, by the JPEG library directly: the files are named
// .jpg, and any other decoder would be reachable only by a file that misnames
// itself. A file that does not end its last scan with the end-of-image marker
// is a failed load rather than a picture whose missing part the decoder paints
// grey, so an incomplete file never replaces the picture shown.
std::optional<QImage> decodePicture(const QByteArray& bytes, QSize targetSize)
{
    if (targetSize.isEmpty())
        return std::nullopt;
    const std::span<const std::uint8_t> view(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             std::size_t(bytes.size()));
    if (!acceptedJpegLayout(view))
        return std::nullopt;
    return decodeJpeg(bytes, targetSize, DecoderLimits::maxJpegBytes);
}

std::optional<QImage> LoadPicture(const std::filesystem::path& path, QSize targetSize)
{
    if (targetSize.isEmpty())
        return std::nullopt;
    const auto file = readPictureFile(path);
    if (!file)
        return std::nullopt;
    return decodeJpeg(QByteArrayView(file->bytes.data(), qsizetype(file->bytes.size())), targetSize,
                      DecoderLimits::maxJpegBytes);
}
