#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>

// The JPEG codings picture tools write, and one (arithmetic) they do not.
enum class JpegCoding {
    Baseline420,
    Baseline422,
    Baseline444,
    Greyscale,
    Progressive420,
    Progressive444,
    ProgressiveGreyscale,
    RestartIntervals,
    ScanPerComponent,
    Cmyk,
    Arithmetic,
};

inline constexpr JpegCoding allJpegCodings[] = {
    JpegCoding::Baseline420,          JpegCoding::Baseline422,
    JpegCoding::Baseline444,          JpegCoding::Greyscale,
    JpegCoding::Progressive420,       JpegCoding::Progressive444,
    JpegCoding::ProgressiveGreyscale, JpegCoding::RestartIntervals,
    JpegCoding::ScanPerComponent,     JpegCoding::Cmyk,
    JpegCoding::Arithmetic,
};

const char* codingName(JpegCoding coding);

// The image written as a JPEG file in that coding, through the JPEG library
// itself, since Qt's writer offers none of these choices.
QByteArray jpegBytes(const QImage& image, JpegCoding coding, int quality = 90);

// One flat colour, so a decoded picture can be checked pixel by pixel.
QImage flatImage(QColor colour, QSize size = {300, 300});

// The image in one of Qt's own formats ("PNG", "BMP"...), for files that hold
// another format under a picture's name.
QByteArray encoded(const QImage& image, const char* format);

// A 1 x 1 GIF file, written out by hand since Qt writes no GIF.
QByteArray tinyGif();
