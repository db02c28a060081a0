#include "jpeg_decoder.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#ifndef JCS_EXTENSIONS
#error "the JPEG library must offer the extended colour spaces of libjpeg-turbo"
#endif

namespace {
// RGB32 is 0xffRRGGBB in a native 32-bit word, whatever the byte order.
constexpr J_COLOR_SPACE rgb32ColourSpace =
    Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;

// Rows handed to the library at once: enough for its largest row group.
constexpr int rowsPerRead = 16;

// The library reports fatal errors by calling error_exit, which must not
// return; it jumps back to the decode, which then fails. Warnings about
// damaged data are dropped: the programs report nothing.
struct ErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void jumpOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1);
}

void dropMessage(j_common_ptr)
{}

// The state of one decode lives here rather than on the stack of the function
// that calls setjmp, so that every value is still well defined after the
// library has jumped back.
class Decode {
public:
    Decode()
    {
        m_info.err = jpeg_std_error(&m_errors.manager);
        m_errors.manager.error_exit = jumpOnError;
        m_errors.manager.output_message = dropMessage;
        jpeg_create_decompress(&m_info);
    }
    ~Decode() { jpeg_destroy_decompress(&m_info); }
    Decode(const Decode&) = delete;
    Decode& operator=(const Decode&) = delete;

    bool run(QByteArrayView bytes, QSize targetSize, long maxDecoderMemory);
    QImage& image() { return m_image; }

private:
    void chooseScale(QSize targetSize);
    void readRows();
    void readCmykRows();

    jpeg_decompress_struct m_info{};
    ErrorJump m_errors{};
    QImage m_image;
    std::vector<JSAMPLE> m_cmykRows;
};

bool Decode::run(QByteArrayView bytes, QSize targetSize, long maxDecoderMemory)
{
    if (setjmp(m_errors.jump))
        return false;
    m_info.mem->max_memory_to_use = maxDecoderMemory;
    jpeg_mem_src(&m_info, reinterpret_cast<const unsigned char*>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&m_info, TRUE);
    // Inverted CMYK and YCCK, as picture tools write them, come out as CMYK.
    const bool cmyk = m_info.jpeg_color_space == JCS_CMYK || m_info.jpeg_color_space == JCS_YCCK;
    // Grey stays grey until it has been scaled, as Qt's reader scales it.
    const bool grey = m_info.jpeg_color_space == JCS_GRAYSCALE;
    m_info.out_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : rgb32ColourSpace;
    chooseScale(targetSize);
    jpeg_start_decompress(&m_info);
    m_image = QImage(int(m_info.output_width), int(m_info.output_height),
                     grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    if (m_image.isNull())
        return false;
    if (cmyk)
        readCmykRows();
    else
        readRows();
    // Reads on to the end-of-image marker, which refuses a second scan in a
    // file that declared one.
    jpeg_finish_decompress(&m_info);
    return true;
}

// The largest reduction by eighths that keeps the decoded picture at least as
// large as the target in the tighter dimension, as Qt's reader chooses it.
void Decode::chooseScale(QSize targetSize)
{
    const double factor = std::min(double(m_info.image_width) / targetSize.width(),
                                   double(m_info.image_height) / targetSize.height());
    m_info.scale_num = std::clamp(int(std::ceil(8 / factor)), 1, 8);
    m_info.scale_denom = 8;
}

void Decode::readRows()
{
    uchar* const pixels = m_image.bits();
    const qsizetype stride = m_image.bytesPerLine();
    JSAMPROW rows[rowsPerRead];
    while (m_info.output_scanline < m_info.output_height) {
        const JDIMENSION first = m_info.output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(rowsPerRead, m_info.output_height - first);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = pixels + stride * qsizetype(first + i);
        // Reading from memory never suspends; a row short here is left for
        // jpeg_finish_decompress to refuse.
        if (jpeg_read_scanlines(&m_info, rows, count) == 0)
            return;
    }
}

// Inverted CMYK, as Adobe's tools write it and Qt's reader reads it: each
// channel is scaled by the black channel.
void Decode::readCmykRows()
{
    const std::size_t rowBytes = std::size_t(m_info.output_width) * 4;
    m_cmykRows.resize(rowBytes);
    JSAMPROW row = m_cmykRows.data();
    while (m_info.output_scanline < m_info.output_height) {
        const int y = int(m_info.output_scanline);
        if (jpeg_read_scanlines(&m_info, &row, 1) != 1)
            return;
        auto* out = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        const JSAMPLE* in = row;
        for (JDIMENSION x = 0; x < m_info.output_width; ++x, in += 4) {
            const int black = in[3];
            out[x] = qRgb(black * in[0] / 255, black * in[1] / 255, black * in[2] / 255);
        }
    }
}
} // namespace

std::optional<QImage> decodeJpeg(QByteArrayView bytes, QSize targetSize, long maxDecoderMemory)
{
    if (targetSize.isEmpty() || bytes.isEmpty())
        return std::nullopt;
    Decode decode;
    if (!decode.run(bytes, targetSize, maxDecoderMemory))
        return std::nullopt;
    QImage image = std::move(decode.image());
    if (image.size() != targetSize)
        image = image.scaled(targetSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (image.format() != QImage::Format_RGB32)
        image.convertTo(QImage::Format_RGB32);
    if (image.isNull())
        return std::nullopt;
    return image;
}
