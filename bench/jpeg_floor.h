#pragma once

#include <QByteArray>

// Decodes a JPEG held in memory with libjpeg-turbo straight into 32-bit
// pixels, the least work any viewer must do for a picture; returns the number
// of bytes decoded, or 0 on failure.
long decodeJpegFloor(const QByteArray& bytes);
