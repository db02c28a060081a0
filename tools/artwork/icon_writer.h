#pragma once

#include <QByteArray>
#include <QImage>

// Encodes the image as an icon file holding one uncompressed image at 16 bits
// per pixel (five bits each of red, green and blue, the top bit clear), bottom
// row first, with an all-clear transparency mask: every pixel is opaque, the
// corners included. The image is reduced to those colours with error diffusion
// so that soft gradients do not break into bands. Empty for an image wider or
// taller than 255 pixels.
QByteArray encodeIcon16(const QImage& image);

// The icon file's image from its bitmap header on, as its one directory entry
// locates it: what a program's raw icon resource holds.
QByteArray iconImage(const QByteArray& iconFile);
