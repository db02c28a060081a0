#include "hostile_jpegs.h"

#include <random>

namespace {
void appendWord(QByteArray& bytes, int value)
{
    bytes.append(char(value >> 8)).append(char(value & 0xFF));
}

void appendSegment(QByteArray& bytes, int marker, const QByteArray& body)
{
    bytes.append('\xFF').append(char(marker));
    appendWord(bytes, int(body.size()) + 2);
    bytes.append(body);
}

QByteArray scanHeader(const QByteArray& components, int spectralStart, int spectralEnd)
{
    QByteArray body;
    body.append(char(components.size()));
    for (char id : components)
        body.append(id).append('\0');
    return body.append(char(spectralStart)).append(char(spectralEnd)).append('\0');
}
} // namespace

QByteArray declaringJpeg(QSize declared, bool progressive, int scans, DeclaredColour colour)
{
    QByteArray bytes("\xFF\xD8", 2);
    appendSegment(bytes, 0xDB, QByteArray(1, '\0') + QByteArray(64, '\1'));

    QByteArray frame(1, '\x08');
    appendWord(frame, declared.height());
    appendWord(frame, declared.width());
    const QByteArray components = colour == DeclaredColour::Grey   ? QByteArray("\1", 1)
                                  : colour == DeclaredColour::Cmyk ? QByteArray("\1\2\3\4", 4)
                                                                   : QByteArray("\1\2\3", 3);
    frame.append(char(components.size()));
    for (char id : components)
        frame.append(id)
            .append(id == 1 && colour == DeclaredColour::Subsampled ? '\x22' : '\x11')
            .append('\0');
    appendSegment(bytes, progressive ? 0xC2 : 0xC0, frame);

    // Each table holds a single one-bit code, for symbol 0.
    const QByteArray oneCode = QByteArray(1, '\1') + QByteArray(15, '\0') + QByteArray(1, '\0');
    appendSegment(bytes, 0xC4, QByteArray(1, '\x00') + oneCode + QByteArray(1, '\x10') + oneCode);

    for (int scan = 0; scan < scans; ++scan) {
        if (!progressive)
            appendSegment(bytes, 0xDA, scanHeader(components, 0, 63));
        else if (scan == 0)
            appendSegment(bytes, 0xDA, scanHeader(components, 0, 0));
        else
            appendSegment(bytes, 0xDA, scanHeader(QByteArray("\1", 1), 1, 63));
        bytes.append(QByteArray(4, '\0'));
    }
    return bytes.append("\xFF\xD9", 2);
}

QByteArray bitFlipped(QByteArray bytes, unsigned seed, int flips, qsizetype keep)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<qsizetype> position(keep, bytes.size() - 1);
    std::uniform_int_distribution<int> bit(0, 7);
    for (int i = 0; i < flips; ++i)
        bytes[position(random)] ^= char(1 << bit(random));
    return bytes;
}
