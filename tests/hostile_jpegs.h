#pragma once

#include <QByteArray>
#include <QSize>

// Small JPEG files written byte by byte, declaring whatever their header says:
// a quantisation table, a frame of three components sampled 4:2:0 or 4:4:4,
// four at 4:4:4 or one of grey, one-code Huffman tables, then the scans,
// each followed by a few bytes of data, and the end-of-image marker. Decoders
// take every one of them as a picture of the declared size.
enum class DeclaredColour { Subsampled, Full, Cmyk, Grey };
QByteArray declaringJpeg(QSize declared, bool progressive, int scans = 1,
                         DeclaredColour colour = DeclaredColour::Subsampled);

// The bytes with bits flipped at pseudo-random positions past the first
// `keep` bytes; the same seed gives the same bytes.
QByteArray bitFlipped(QByteArray bytes, unsigned seed, int flips, qsizetype keep = 2);
