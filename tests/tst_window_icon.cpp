#include "colour_distance.h"
#include "icon_pixels.h"
#include "viewer_program.h"
#include "viewer_window.h"
#include "window_icon.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <array>

namespace {
void put(QByteArray& bytes, qsizetype offset, quint32 value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[offset + i] = char((value >> (8 * i)) & 0xFF);
}

// A 16-bit icon file of the given size whose pixels are handed in top row
// first, with the mask bits of the listed pixels set.
QByteArray icon16(int width, int height, const std::vector<quint16>& pixels,
                  const std::vector<QPoint>& transparent = {})
{
    const int colourStride = (width * 16 + 31) / 32 * 4;
    const int maskStride = (width + 31) / 32 * 4;
    const int imageSize = 40 + height * (colourStride + maskStride);
    QByteArray bytes(22 + imageSize, '\0');
    put(bytes, 2, 1, 2);
    put(bytes, 4, 1, 2);
    bytes[6] = char(width);
    bytes[7] = char(height);
    put(bytes, 10, 1, 2);
    put(bytes, 12, 16, 2);
    put(bytes, 14, quint32(imageSize), 4);
    put(bytes, 18, 22, 4);
    put(bytes, 22, 40, 4);
    put(bytes, 26, quint32(width), 4);
    put(bytes, 30, quint32(height * 2), 4);
    put(bytes, 34, 1, 2);
    put(bytes, 36, 16, 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            put(bytes, 62 + (height - 1 - y) * colourStride + x * 2,
                pixels[std::size_t(y * width + x)], 2);
    const int maskStart = 62 + height * colourStride;
    for (const QPoint point : transparent)
        bytes[maskStart + (height - 1 - point.y()) * maskStride + point.x() / 8] =
            char(uchar(bytes[maskStart + (height - 1 - point.y()) * maskStride + point.x() / 8]) |
                 (0x80 >> (point.x() % 8)));
    return bytes;
}

constexpr quint16 red = 0x1F << 10;
constexpr quint16 green = 0x1F << 5;
constexpr quint16 blue = 0x1F;
constexpr quint16 white = red | green | blue;
} // namespace

class WindowIconTest : public QObject {
    Q_OBJECT

private slots:
    void decodesSixteenBitPixels();
    void maskBitsMakePixelsTransparent();
    void paddedRowsAndPalette();
    void otherDepthsAreLeftToQt();
    void refusesBrokenFiles_data();
    void refusesBrokenFiles();
    void windowShowsTheProgramsIcon_data();
    void windowShowsTheProgramsIcon();
};

void WindowIconTest::decodesSixteenBitPixels()
{
    // Top row red, green; bottom row blue, white; stored bottom row first.
    const auto decoded = decodeIconFile(icon16(2, 2, {red, green, blue, white}));
    QVERIFY(decoded);
    QCOMPARE(decoded->size(), QSize(2, 2));
    QVERIFY(!decoded->hasAlphaChannel());
    QCOMPARE(decoded->pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(decoded->pixel(1, 0), qRgb(0, 255, 0));
    QCOMPARE(decoded->pixel(0, 1), qRgb(0, 0, 255));
    QCOMPARE(decoded->pixel(1, 1), qRgb(255, 255, 255));
}

void WindowIconTest::maskBitsMakePixelsTransparent()
{
    const auto decoded =
        decodeIconFile(icon16(9, 2, std::vector<quint16>(18, white), {{0, 0}, {8, 1}}));
    QVERIFY(decoded);
    QVERIFY(decoded->hasAlphaChannel());
    QCOMPARE(qAlpha(decoded->pixel(0, 0)), 0);
    QCOMPARE(qAlpha(decoded->pixel(8, 1)), 0);
    QCOMPARE(qAlpha(decoded->pixel(1, 0)), 255);
    QCOMPARE(qAlpha(decoded->pixel(8, 0)), 255);
    QCOMPARE(qAlpha(decoded->pixel(0, 1)), 255);
}

void WindowIconTest::paddedRowsAndPalette()
{
    // Three pixels a row leave two bytes of padding; a declared palette of two
    // entries pushes the pixels eight bytes further.
    std::vector<quint16> pixels{red, green, blue, blue, green, red};
    QByteArray bytes = icon16(3, 2, pixels);
    put(bytes, 22 + 32, 2, 4);
    bytes.insert(62, QByteArray(8, '\x7F'));
    put(bytes, 14, quint32(bytes.size() - 22), 4);
    const auto decoded = decodeIconFile(bytes);
    QVERIFY(decoded);
    QCOMPARE(decoded->pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(decoded->pixel(2, 0), qRgb(0, 0, 255));
    QCOMPARE(decoded->pixel(0, 1), qRgb(0, 0, 255));
    QCOMPARE(decoded->pixel(2, 1), qRgb(255, 0, 0));
}

void WindowIconTest::otherDepthsAreLeftToQt()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(qRgba(10, 200, 30, 255));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(QImageWriter(&buffer, "ICO").write(image));
    const auto decoded = decodeIconFile(buffer.data());
    QVERIFY(decoded);
    QCOMPARE(decoded->size(), QSize(16, 16));
    QCOMPARE(decoded->pixelColor(8, 8).green(), 200);
}

void WindowIconTest::refusesBrokenFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = icon16(2, 2, {red, green, blue, white});
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("directory only") << good.left(22);
    QTest::newRow("cut in the pixels") << good.left(good.size() - 20);
    QByteArray cursor = good;
    put(cursor, 2, 2, 2);
    QTest::newRow("cursor") << cursor;
    QByteArray noImages = good;
    put(noImages, 4, 0, 2);
    QTest::newRow("no images") << noImages;
    QByteArray farOffset = good;
    put(farOffset, 18, 0xFFFFFFF0, 4);
    QTest::newRow("offset past the end") << farOffset;
    QByteArray oddHeight = good;
    put(oddHeight, 30, 3, 4);
    QTest::newRow("odd doubled height") << oddHeight;
    QByteArray hugePalette = good;
    put(hugePalette, 22 + 32, 0x40000000, 4);
    QTest::newRow("palette past the end") << hugePalette;
}

void WindowIconTest::refusesBrokenFiles()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!decodeIconFile(bytes));
}

void WindowIconTest::windowShowsTheProgramsIcon_data()
{
    QTest::addColumn<const ViewerProgram*>("program");
    QTest::newRow("Qelview") << &qelviewViewerProgram();
    QTest::newRow("Velview") << &velviewViewerProgram();
}

void WindowIconTest::windowShowsTheProgramsIcon()
{
    QFETCH(const ViewerProgram*, program);
    QTemporaryDir directory;
    ViewerWindow window(*program, QFile::encodeName(directory.path()).toStdString());
    const QIcon icon = window.windowIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(48, 48)));

    // Expected pixels read from the file by hand, not by the decoder the
    // window uses.
    QFile file(
        QString::fromLatin1(program->windowIcon.data(), qsizetype(program->windowIcon.size())));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QImage expected = iconPixelsByHand(file.readAll());
    QCOMPARE(expected.size(), QSize(48, 48));
    const QImage shown = icon.pixmap(48, 48).toImage();
    QCOMPARE(shown.size(), QSize(48, 48));
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            QVERIFY2(colourDistance(shown.pixel(x, y), expected.pixel(x, y)) <= 3 &&
                         qAlpha(shown.pixel(x, y)) == 255,
                     qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
}

QTEST_MAIN(WindowIconTest)
#include "tst_window_icon.moc"
