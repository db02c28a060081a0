#include "sample_jpegs.h"

#include <QBuffer>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

const char* codingName(JpegCoding coding)
{
    switch (coding) {
    case JpegCoding::Baseline420:
        return "baseline 4:2:0";
    case JpegCoding::Baseline422:
        return "baseline 4:2:2";
    case JpegCoding::Baseline444:
        return "baseline 4:4:4";
    case JpegCoding::Greyscale:
        return "greyscale";
    case JpegCoding::Progressive420:
        return "progressive 4:2:0";
    case JpegCoding::Progressive444:
        return "progressive 4:4:4";
    case JpegCoding::ProgressiveGreyscale:
        return "progressive greyscale";
    case JpegCoding::RestartIntervals:
        return "restart intervals";
    case JpegCoding::ScanPerComponent:
        return "one scan per component";
    case JpegCoding::Cmyk:
        return "CMYK";
    case JpegCoding::Arithmetic:
        return "arithmetic";
    }
    return "?";
}

namespace {
void setSampling(jpeg_compress_struct& info, int horizontal, int vertical)
{
    info.comp_info[0].h_samp_factor = horizontal;
    info.comp_info[0].v_samp_factor = vertical;
    for (int i = 1; i < info.num_components; ++i)
        info.comp_info[i].h_samp_factor = info.comp_info[i].v_samp_factor = 1;
}

// Samples of one row in the coding's input colour space.
std::vector<JSAMPLE> rowSamples(const QImage& image, int y, JpegCoding coding)
{
    std::vector<JSAMPLE> row;
    for (int x = 0; x < image.width(); ++x) {
        const QColor colour = image.pixelColor(x, y);
        if (coding == JpegCoding::Greyscale || coding == JpegCoding::ProgressiveGreyscale) {
            row.push_back(JSAMPLE(qGray(colour.rgb())));
        } else if (coding == JpegCoding::Cmyk) {
            // Adobe's inverted CMYK, the form that readers expect.
            const QColor cmyk = colour.toCmyk();
            for (int value : {cmyk.cyan(), cmyk.magenta(), cmyk.yellow(), cmyk.black()})
                row.push_back(JSAMPLE(255 - value));
        } else {
            row.insert(row.end(),
                       {JSAMPLE(colour.red()), JSAMPLE(colour.green()), JSAMPLE(colour.blue())});
        }
    }
    return row;
}
} // namespace

QByteArray jpegBytes(const QImage& image, JpegCoding coding, int quality)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);

    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    const bool grey = coding == JpegCoding::Greyscale || coding == JpegCoding::ProgressiveGreyscale;
    info.input_components = grey ? 1 : coding == JpegCoding::Cmyk ? 4 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : coding == JpegCoding::Cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);

    static const jpeg_scan_info scanPerComponent[] = {
        {1, {0}, 0, 63, 0, 0}, {1, {1}, 0, 63, 0, 0}, {1, {2}, 0, 63, 0, 0}};
    switch (coding) {
    case JpegCoding::Baseline422:
        setSampling(info, 2, 1);
        break;
    case JpegCoding::Baseline444:
    case JpegCoding::Progressive444:
        setSampling(info, 1, 1);
        break;
    case JpegCoding::RestartIntervals:
        info.restart_interval = 3;
        break;
    case JpegCoding::ScanPerComponent:
        info.scan_info = scanPerComponent;
        info.num_scans = 3;
        break;
    case JpegCoding::Arithmetic:
        info.arith_code = TRUE;
        break;
    default:
        break;
    }
    if (coding == JpegCoding::Progressive420 || coding == JpegCoding::Progressive444 ||
        coding == JpegCoding::ProgressiveGreyscale)
        jpeg_simple_progression(&info);

    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < image.height(); ++y) {
        std::vector<JSAMPLE> row = rowSamples(image, y, coding);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

QImage flatImage(QColor colour, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray tinyGif()
{
    return QByteArray("GIF89a\1\0\1\0\x80\0\0\xFF\xFF\xFF\0\0\0,\0\0\0\0\1\0\1\0\0\2\2D\1\0;", 35);
}
