#include "colour_distance.h"
#include "decoder_limits.h"
#include "hostile_jpegs.h"
#include "jpeg_layout.h"
#include "picture_loading.h"
#include "regular_file.h"
#include "sample_jpegs.h"

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QSize shownSize{300, 300};

// The only calls of the marker walk and the file reader, and the only read of
// a layout's size, so that a change of their types touches one place.
std::optional<JpegLayout> layoutOf(const QByteArray& bytes)
{
    return readJpegLayout(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                    std::size_t(bytes.size())));
}

QSize sizeOf(const JpegLayout& layout)
{
    return QSize(layout.width, layout.height);
}

std::optional<QByteArray> fileBytes(const QString& path, qint64 maxBytes)
{
    const auto bytes = readRegularFile(QFile::encodeName(path).toStdString(), maxBytes);
    if (!bytes)
        return std::nullopt;
    return QByteArray(reinterpret_cast<const char*>(bytes->data()), qsizetype(bytes->size()));
}

// The segment with this marker replaced by another body, and its length
// field set to match.
QByteArray withSegment(QByteArray jpeg, char marker, const QByteArray& body)
{
    const qsizetype at = jpeg.indexOf(QByteArray("\xFF", 1) + marker);
    const int length = (uchar(jpeg[at + 2]) << 8) | uchar(jpeg[at + 3]);
    const int newLength = int(body.size()) + 2;
    return jpeg.replace(at + 2, length,
                        QByteArray(1, char(newLength >> 8)) + char(newLength & 0xFF) + body);
}

// The picture with an Exif segment first that gives this orientation, in the
// byte order given, after a tag that comes before it.
QByteArray withExifOrientation(QByteArray jpeg, int orientation, bool bigEndian)
{
    const auto word = [bigEndian](int value) {
        const char high = char(value >> 8), low = char(value & 0xFF);
        return QByteArray().append(bigEndian ? high : low).append(bigEndian ? low : high);
    };
    const auto longWord = [&](int value) {
        return bigEndian ? word(0) + word(value) : word(value) + word(0);
    };
    const QByteArray entries = word(0x010F) + word(2) + longWord(1) + QByteArray(4, '\0') +
                               word(0x0112) + word(3) + longWord(1) + word(orientation) + word(0);
    const QByteArray body = QByteArray("Exif\0\0", 6) + (bigEndian ? "MM" : "II") + word(42) +
                            longWord(8) + word(2) + entries + longWord(0);
    const int length = int(body.size()) + 2;
    return jpeg.insert(2,
                       QByteArray("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF) + body);
}

QByteArray withSegments(QByteArray jpeg, int count)
{
    QByteArray comments;
    for (int i = 0; i < count; ++i)
        comments.append("\xFF\xFE\x00\x02", 4);
    return jpeg.insert(2, comments);
}
} // namespace

// The loading layer alone: what it accepts, what it refuses, and that the caps
// sit where they are stated. Runs with QT_IMAGEIO_MAXALLOC set to a huge value.
class PictureDecodingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void everyCodingLoads_data();
    void everyCodingLoads();
    void pixelsMatchQtReader_data();
    void pixelsMatchQtReader();
    void layoutOfWrittenFiles_data();
    void layoutOfWrittenFiles();
    void capsAtTheirBoundaries_data();
    void capsAtTheirBoundaries();
    void otherCodingsAreRefused_data();
    void otherCodingsAreRefused();
    void fileSizeBoundary();
    void fileLongerThanItsStatedSize();
    void otherFormatsAreRefused_data();
    void otherFormatsAreRefused();
    void incompleteFilesAreRefused_data();
    void incompleteFilesAreRefused();
    void bytesAfterTheEndAreIgnored();
    void failedDecodeIsDiscarded();
    void damagedFilesNeverCrash();
    void environmentDoesNotLoosenAllocationLimit();
};

void PictureDecodingTest::initTestCase()
{
    // Without the variable the allocation test below proves nothing.
    QVERIFY(qEnvironmentVariableIntValue("QT_IMAGEIO_MAXALLOC") > 1000);
    // As the programs do before Qt reads any image; the comparisons with Qt's
    // reader below would otherwise fix Qt's limit at the variable's value.
    holdDecoderAllocationLimit();
}

void PictureDecodingTest::everyCodingLoads_data()
{
    QTest::addColumn<int>("coding");
    QTest::addColumn<QSize>("size");
    for (JpegCoding coding : allJpegCodings) {
        if (coding == JpegCoding::Arithmetic)
            continue;
        QTest::addRow("%s, shown size", codingName(coding)) << int(coding) << shownSize;
        QTest::addRow("%s, 1203 x 701", codingName(coding)) << int(coding) << QSize(1203, 701);
    }
    QTest::newRow("progressive 4:4:4, 3000 x 3000")
        << int(JpegCoding::Progressive444) << QSize(3000, 3000);
}

// Every coding picture tools write loads, at exactly the shown size.
void PictureDecodingTest::everyCodingLoads()
{
    QFETCH(int, coding);
    QFETCH(QSize, size);
    const JpegCoding jpegCoding = JpegCoding(coding);
    const bool grey =
        jpegCoding == JpegCoding::Greyscale || jpegCoding == JpegCoding::ProgressiveGreyscale;
    const QColor colour = grey ? QColor(90, 90, 90) : QColor(200, 60, 30);
    const auto image = decodePicture(jpegBytes(flatImage(colour, size), jpegCoding), shownSize);
    QVERIFY(image);
    QCOMPARE(image->size(), shownSize);
    QVERIFY2(colourDistance(image->pixelColor(150, 150), colour) < 30,
             qPrintable(image->pixelColor(150, 150).name()));
}

void PictureDecodingTest::pixelsMatchQtReader_data()
{
    QTest::addColumn<int>("coding");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("orientation");
    QTest::addColumn<bool>("bigEndian");
    for (JpegCoding coding : allJpegCodings) {
        if (coding == JpegCoding::Arithmetic)
            continue;
        for (QSize size : {shownSize, QSize(1203, 701), QSize(640, 2400), QSize(97, 131)})
            QTest::addRow("%s, %d x %d", codingName(coding), size.width(), size.height())
                << int(coding) << size << 1 << false;
    }
    const int baseline = int(JpegCoding::Baseline420);
    for (int orientation = 1; orientation <= 8; ++orientation)
        for (bool bigEndian : {false, true})
            QTest::addRow("Exif orientation %d, %s", orientation, bigEndian ? "MM" : "II")
                << baseline << QSize(1203, 701) << orientation << bigEndian;
    // As phones held upright or upside down write them.
    QTest::newRow("phone, orientation 6") << baseline << QSize(4032, 3024) << 6 << true;
    QTest::newRow("phone, orientation 8") << baseline << QSize(4032, 3024) << 8 << false;
}

// Pixel for pixel what Qt's own JPEG reader gives for the same request: its
// reduction by eighths while decoding, its smooth scaling to the shown size,
// its reading of CMYK, its turning by the Exif orientation. The picture is
// busy so that every stage shows.
void PictureDecodingTest::pixelsMatchQtReader()
{
    QFETCH(int, coding);
    QFETCH(QSize, size);
    QFETCH(int, orientation);
    QFETCH(bool, bigEndian);
    QImage source(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            source.setPixel(x, y, qRgb(x * 255 / size.width(), (x ^ y) & 0xFF, (y * 7) & 0xFF));
    QByteArray bytes = jpegBytes(source, JpegCoding(coding));
    if (orientation != 1)
        bytes = withExifOrientation(bytes, orientation, bigEndian);
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoTransform(true);
    reader.setScaledSize(shownSize);
    QImage expected = reader.read();
    QVERIFY(!expected.isNull());
    if (expected.size() != shownSize)
        expected = expected.scaled(shownSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    const auto image = decodePicture(bytes, shownSize);
    QVERIFY(image);
    QCOMPARE(image->format(), QImage::Format_RGB32);
    QCOMPARE(*image, expected.convertToFormat(QImage::Format_RGB32));
}

void PictureDecodingTest::layoutOfWrittenFiles_data()
{
    QTest::addColumn<int>("coding");
    QTest::addColumn<int>("components");
    QTest::addColumn<bool>("progressive");
    QTest::addColumn<int>("scans");
    QTest::newRow("baseline") << int(JpegCoding::Baseline420) << 3 << false << 1;
    QTest::newRow("restarts") << int(JpegCoding::RestartIntervals) << 3 << false << 1;
    QTest::newRow("greyscale") << int(JpegCoding::Greyscale) << 1 << false << 1;
    QTest::newRow("cmyk") << int(JpegCoding::Cmyk) << 4 << false << 1;
    QTest::newRow("scan per component") << int(JpegCoding::ScanPerComponent) << 3 << false << 3;
    QTest::newRow("progressive") << int(JpegCoding::Progressive420) << 3 << true << 10;
    QTest::newRow("progressive grey") << int(JpegCoding::ProgressiveGreyscale) << 1 << true << 6;
}

// The walk finds what the JPEG library wrote, restart markers and stuffed
// bytes in the scans included.
void PictureDecodingTest::layoutOfWrittenFiles()
{
    QFETCH(int, coding);
    QFETCH(int, components);
    QFETCH(bool, progressive);
    QFETCH(int, scans);
    QImage image = flatImage(Qt::white, {301, 157});
    for (int x = 0; x < image.width(); x += 3)
        image.setPixelColor(x, x % image.height(), Qt::black); // busy scans
    const auto layout = layoutOf(jpegBytes(image, JpegCoding(coding), 100));
    QVERIFY(layout);
    QCOMPARE(sizeOf(*layout), QSize(301, 157));
    QCOMPARE(layout->components, components);
    QCOMPARE(layout->progressive, progressive);
    QCOMPARE(layout->scans, scans);
}

void PictureDecodingTest::capsAtTheirBoundaries_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("accepted");
    const auto file = [](QSize size, bool progressive,
                         DeclaredColour colour = DeclaredColour::Subsampled) {
        return declaringJpeg(size, progressive, progressive ? 2 : 1, colour);
    };
    QTest::newRow("16384 a side") << file({16384, 1464}, false) << true;
    QTest::newRow("16385 a side") << file({16385, 64}, false) << false;
    QTest::newRow("16385 high") << file({64, 16385}, false) << false;
    QTest::newRow("24 megapixels") << file({6000, 4000}, false) << true;
    QTest::newRow("past 24 megapixels") << file({6000, 4001}, false) << false;
    QTest::newRow("20000 x 20000") << file({20000, 20000}, false) << false;
    QTest::newRow("65500 x 65500") << file({65500, 65500}, false) << false;
    QTest::newRow("progressive 20000 x 20000") << file({20000, 20000}, true) << false;
    // Whatever the coding, the decoder holds the coefficients of any picture
    // within the pixel caps: CMYK at 4:4:4, with the longest padded edges,
    // takes the most.
    QTest::newRow("progressive 4:4:4 3000 x 3000")
        << file({3000, 3000}, true, DeclaredColour::Full) << true;
    QTest::newRow("progressive 4:4:4 24 megapixels")
        << file({6000, 4000}, true, DeclaredColour::Full) << true;
    QTest::newRow("progressive CMYK 16384 x 1464")
        << file({16384, 1464}, true, DeclaredColour::Cmyk) << true;
    QTest::newRow("progressive CMYK past 24 megapixels")
        << file({6000, 4001}, true, DeclaredColour::Cmyk) << false;
    QTest::newRow("progressive grey 24 megapixels")
        << file({6000, 4000}, true, DeclaredColour::Grey) << true;
    QTest::newRow("32 scans") << declaringJpeg({64, 64}, true, 32) << true;
    QTest::newRow("33 scans") << declaringJpeg({64, 64}, true, 33) << false;
    QTest::newRow("30000 scans") << declaringJpeg({1024, 1024}, true, 30000) << false;
    // The plain file has 4 segments of its own.
    QTest::newRow("512 segments") << withSegments(file({64, 64}, false), 508) << true;
    QTest::newRow("513 segments") << withSegments(file({64, 64}, false), 509) << false;
}

void PictureDecodingTest::capsAtTheirBoundaries()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);
    const auto layout = layoutOf(bytes);
    QVERIFY(layout);
    QCOMPARE(withinPictureLimits(*layout), accepted);
    // What the caps let through, the decoder's own memory limit lets through.
    QCOMPARE(bool(decodePicture(bytes, shownSize)), accepted);
}

void PictureDecodingTest::otherCodingsAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("accepted");
    // A three-component 4:2:0 frame (ids 1 to 3) and one scan of all three.
    const QByteArray plain = declaringJpeg({64, 48}, false);
    const QByteArray frame = QByteArray("\x08\x00\x30\x00\x40\x03\x01\x22\x00\x02\x11\x00"
                                        "\x03\x11\x00",
                                        15);
    const auto withFrame = [&](char marker, QByteArray body) {
        return withSegment(QByteArray(plain).replace("\xFF\xC0", QByteArray("\xFF", 1) + marker),
                           marker, body);
    };
    const QByteArray dnl("\xFF\xDC\x00\x04\x00\x30", 6);
    QTest::newRow("the plain file") << withFrame('\xC0', frame) << true;
    QTest::newRow("arithmetic") << jpegBytes(flatImage(Qt::red), JpegCoding::Arithmetic) << false;
    QTest::newRow("12-bit") << withFrame('\xC1', QByteArray(frame).replace(0, 1, "\x0C")) << false;
    QTest::newRow("lossless") << withFrame('\xC3', frame) << false;
    QTest::newRow("hierarchical") << withFrame('\xC5', frame) << false;
    QTest::newRow("height from DNL")
        << withFrame('\xC0', QByteArray(frame).replace(1, 2, QByteArray(2, '\0')))
               .insert(plain.size() - 2, dnl)
        << false;
    QTest::newRow("DNL segment") << QByteArray(plain).insert(plain.size() - 2, dnl) << false;
    QTest::newRow("2 components") << withSegment(
                                         withFrame('\xC0', frame.first(12).replace(5, 1, "\x02")),
                                         '\xDA', QByteArray("\x02\x01\x00\x02\x00\x00\x3F\x00", 8))
                                  << false;
    QTest::newRow("scan before any frame")
        << QByteArray(plain).insert(2, QByteArray("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00"
                                                  "\x00\x00",
                                                  12))
        << false;
}

// Codings picture tools do not write are refused by the walk, before the
// decoder (which would take some of them) sees the file.
void PictureDecodingTest::otherCodingsAreRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, accepted);
    QCOMPARE(bool(layoutOf(bytes)), accepted);
    QCOMPARE(bool(decodePicture(bytes, shownSize)), accepted);
}

// A picture padded after its end marker to exactly 32 MiB loads; one byte
// more and the file is not read at all.
void PictureDecodingTest::fileSizeBoundary()
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("1.jpg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.write(jpegBytes(flatImage(Qt::green), JpegCoding::Baseline420)) > 0);
    const qint64 cap = 32 * 1024 * 1024;
    QVERIFY(file.resize(cap));
    file.close();
    QVERIFY(LoadPicture(file.filesystemFileName(), shownSize));
    QVERIFY(file.resize(cap + 1));
    QVERIFY(!LoadPicture(file.filesystemFileName(), shownSize));
}

// A file may hold more than its stated size, or grow while it is read: a
// kernel file states a size of 0 and holds more. The cap applies to what is
// read, not to what was stated.
void PictureDecodingTest::fileLongerThanItsStatedSize()
{
    const QString path = QStringLiteral("/proc/self/cmdline");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.size(), 0);
    const QByteArray content = file.readAll();
    QVERIFY(!content.isEmpty());
    const auto whole = fileBytes(path, content.size());
    QVERIFY(whole);
    QCOMPARE(*whole, content);
    QVERIFY(!fileBytes(path, content.size() - 1));
}

void PictureDecodingTest::otherFormatsAreRefused_data()
{
    QTest::addColumn<QByteArray>("format");
    for (const char* format : {"PNG", "BMP", "GIF", "ICO", "PPM", "XPM"})
        QTest::newRow(format) << QByteArray(format);
}

// Only JPEG content is decoded, whatever the file is called.
void PictureDecodingTest::otherFormatsAreRefused()
{
    QFETCH(QByteArray, format);
    const QByteArray bytes =
        format == "GIF" ? tinyGif() : encoded(flatImage(Qt::red, {32, 32}), format.constData());
    QVERIFY(QImage::fromData(bytes).width() > 0);
    QVERIFY(!decodePicture(bytes, shownSize));
}

void PictureDecodingTest::incompleteFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    for (JpegCoding coding : {JpegCoding::Baseline420, JpegCoding::Progressive420,
                              JpegCoding::RestartIntervals, JpegCoding::ScanPerComponent}) {
        QImage image = flatImage(Qt::blue, {640, 480});
        const QByteArray whole = jpegBytes(image, coding);
        QTest::addRow("%s without its end marker", codingName(coding)) << whole.chopped(2);
        QTest::addRow("%s cut in the last scan", codingName(coding)) << whole.chopped(40);
        QTest::addRow("%s cut in half", codingName(coding)) << whole.first(whole.size() / 2);
        QTest::addRow("%s cut in the header", codingName(coding)) << whole.first(150);
    }
    QTest::newRow("no scan") << QByteArray("\xFF\xD8\xFF\xD9", 4);
    QTest::newRow("start marker only") << QByteArray("\xFF\xD8\xFF", 3);
}

// A file that ends before its end-of-image marker is a failed load: the
// decoder would paint the missing part grey and call that a picture.
void PictureDecodingTest::incompleteFilesAreRefused()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!layoutOf(bytes));
    QVERIFY(!decodePicture(bytes, shownSize));
}

void PictureDecodingTest::bytesAfterTheEndAreIgnored()
{
    const QByteArray whole = jpegBytes(flatImage(Qt::green), JpegCoding::Baseline420);
    QVERIFY(decodePicture(whole + QByteArray(1000, '\x5A'), shownSize));
    QVERIFY(decodePicture(whole + whole, shownSize));
}

// A file can pass the walk and still fail in the decoder after it has filled
// the picture: here a sequential file whose first scan covers the whole
// picture is followed by a second scan, which the decoder only meets at its
// end and rejects. What it had filled is not shown.
void PictureDecodingTest::failedDecodeIsDiscarded()
{
    QByteArray whole = jpegBytes(flatImage(Qt::green), JpegCoding::Baseline420);
    const qsizetype scan = whole.indexOf("\xFF\xDA");
    const QByteArray secondScan = whole.mid(scan, whole.size() - 2 - scan);
    whole.insert(whole.size() - 2, secondScan);
    const auto layout = layoutOf(whole);
    QVERIFY(layout && withinPictureLimits(*layout));
    QCOMPARE(layout->scans, 2);
    QVERIFY(!decodePicture(whole, shownSize));
}

// Bit flips anywhere in files of every coding: each decode ends, promptly,
// with a picture of the shown size or with nothing.
void PictureDecodingTest::damagedFilesNeverCrash()
{
    QImage image = flatImage(Qt::white, {400, 300});
    for (int y = 0; y < image.height(); ++y)
        image.setPixelColor((y * 7) % image.width(), y, Qt::red);
    int decoded = 0;
    int refused = 0;
    for (JpegCoding coding : allJpegCodings) {
        const QByteArray whole = jpegBytes(image, coding);
        for (unsigned seed = 0; seed < 40; ++seed) {
            const auto result = decodePicture(bitFlipped(whole, seed, 1 + seed % 4), shownSize);
            if (result)
                QCOMPARE(result->size(), shownSize);
            ++(result ? decoded : refused);
        }
    }
    // Both outcomes occur, so the flips reach both the structure and the data.
    QVERIFY(decoded > 0);
    QVERIFY(refused > 0);
}

// QT_IMAGEIO_MAXALLOC is set huge for this test, and Qt would prefer it to
// any limit set; the limit stays at its cap all the same.
void PictureDecodingTest::environmentDoesNotLoosenAllocationLimit()
{
    QVERIFY(QImage::fromData(jpegBytes(flatImage(Qt::red), JpegCoding::Baseline420)).width() > 0);
    QCOMPARE(QImageReader::allocationLimit(), DecoderLimits::maxQtImageMiB);
}

QTEST_GUILESS_MAIN(PictureDecodingTest)
#include "tst_picture_decoding.moc"
