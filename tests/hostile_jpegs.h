#pragma once

#include <QByteArray>
#include <QSize>

// Small JPEG files written byte by byte, declaring whatever their header says:
// a quantisation table, a frame of three components sampled 4:2:0 (one
// component for a greyscale frame), one-code Huffman tables, then the scans,
// each followed by a few bytes of data, and the end-of-image marker. Decoders
// take every one of them as a picture of the declared size.
QByteArray declaringJpeg(QSize declared, bool progressive, int scans = 1, bool greyscale = false);

// The bytes with bits flipped at pseudo-random positions past the first
// `keep` bytes; the same seed gives the same bytes.
QByteArray bitFlipped(QByteArray bytes, unsigned seed, int flips, qsizetype keep = 2);
