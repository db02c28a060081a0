#include "picture_loading.h"

#include "decoder_limits.h"
#include "exif_orientation.h"
#include "jpeg_decoder.h"
#include "picture_file.h"
#include "picture_name_case_linux.h"

#include <QImageReader>

namespace {
// A camera stores the picture as its sensor saw it and says in the file which
// way up it belongs. The picture is decoded and stretched at its stored
// orientation, to the target turned the same way, then turned upright.
std::optional<QImage> decodeUpright(QByteArrayView bytes, const JpegLayout& layout,
                                    QSize targetSize)
{
    const UprightTurn turn = uprightTurn(layout.orientation);
    auto stored = decodeJpeg(bytes, turn.swapsSides() ? targetSize.transposed() : targetSize,
                             DecoderLimits::maxJpegBytes);
    if (!stored || turn.isNone())
        return stored;
    QImage upright(targetSize, QImage::Format_RGB32);
    if (upright.isNull())
        return std::nullopt;
    // 32-bit rows are packed: Qt pads rows only to whole 32-bit words.
    const auto* from = reinterpret_cast<const std::uint32_t*>(std::as_const(*stored).bits());
    auto* to = reinterpret_cast<std::uint32_t*>(upright.bits());
    turnUpright(std::span(from, std::size_t(stored->sizeInBytes()) / 4), stored->width(),
                stored->height(), turn, std::span(to, std::size_t(upright.sizeInBytes()) / 4));
    return upright;
}
} // namespace

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
    const auto layout = acceptedJpegLayout(view);
    if (!layout)
        return std::nullopt;
    return decodeUpright(bytes, *layout, targetSize);
}

std::optional<QImage> LoadPicture(const std::filesystem::path& path, QSize targetSize)
{
    if (targetSize.isEmpty())
        return std::nullopt;
    const auto file = readPictureFile(pictureFileIgnoringCase(path));
    if (!file)
        return std::nullopt;
    return decodeUpright(QByteArrayView(file->bytes.data(), qsizetype(file->bytes.size())),
                         file->layout, targetSize);
}
