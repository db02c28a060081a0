#include "jfif_writer.h"

#include <cstdio> // jpeglib.h expects FILE and size_t declared before it
#include <cstdlib>
#include <jpeglib.h>

namespace {
// libjpeg reports fatal errors by calling error_exit, which by default ends
// the process; the writer is a build tool, so that is acceptable once the
// message is out.
void exitWithMessage(j_common_ptr info)
{
    (*info->err->output_message)(info);
    std::exit(1);
}
} // namespace

QByteArray encodeJfif(const QImage& image, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        return {};

    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = exitWithMessage;
    jpeg_create_compress(&info);

    unsigned char* buffer = nullptr;
    unsigned long length = 0;
    jpeg_mem_dest(&info, &buffer, &length);

    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, JCS_YCbCr);
    jpeg_set_quality(&info, quality, TRUE);
    // Full-resolution chroma keeps the thin dark lines of the drawing free of
    // coloured fringes.
    for (int component = 0; component < info.num_components; ++component) {
        info.comp_info[component].h_samp_factor = 1;
        info.comp_info[component].v_samp_factor = 1;
    }
    info.write_JFIF_header = TRUE;
    info.JFIF_major_version = 1;
    info.JFIF_minor_version = 1;
    info.density_unit = 0;
    info.X_density = 96;
    info.Y_density = 96;
    info.write_Adobe_marker = FALSE;
    info.optimize_coding = TRUE;
    info.dct_method = JDCT_ISLOW;

    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto* row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);

    QByteArray encoded(reinterpret_cast<const char*>(buffer), qsizetype(length));
    std::free(buffer);
    return encoded;
}
