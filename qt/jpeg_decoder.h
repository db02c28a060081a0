#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QSize>

#include <optional>

// Decodes the JPEG picture in these bytes with the JPEG library, colour
// straight into an RGB32 image, letting the library scale down by eighths on
// the way so that a large picture costs little more than one of the shown
// size; the result is then scaled smoothly to exactly targetSize. The pixels
// are those Qt's own JPEG reader gives for the same request, without its
// generic plugin path and its per-row conversion from 24-bit colour. Nothing
// when the library reports an error or would need more than maxDecoderMemory.
std::optional<QImage> decodeJpeg(QByteArrayView bytes, QSize targetSize, long maxDecoderMemory);
