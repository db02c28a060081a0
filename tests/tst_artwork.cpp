#include "colour_distance.h"
#include "icon_pixels.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <vector>

// The artwork each program embeds: its built-in picture, checked segment by
// segment, and its window icon, checked byte by byte and as decoded.
namespace {
const QStringList programs{QStringLiteral("qelview"), QStringLiteral("velview")};

// The Qt programs' artwork is embedded; the Windows icon is read from its file.
QByteArray resource(const QString& program, const char* file)
{
    QFile embedded(QStringLiteral("%1/%2/%3")
                       .arg(file == QLatin1String("window-icon.ico") ? ASSETS_DIR : ":", program,
                            QLatin1String(file)));
    if (!embedded.open(QIODevice::ReadOnly))
        return {};
    return embedded.readAll();
}

struct JpegSegment {
    uchar marker;
    QByteArray payload; // without the length field
};

// The file's markers in order, each with its payload. Entropy-coded data after
// a scan header is skipped up to the next marker that is neither a stuffed
// 0xFF nor a restart marker. Empty when the file's structure is broken.
std::vector<JpegSegment> walkJpeg(const QByteArray& bytes)
{
    std::vector<JpegSegment> segments;
    const auto byteAt = [&](qsizetype i) {
        return uchar(bytes[i]);
    };
    if (bytes.size() < 4 || byteAt(0) != 0xFF || byteAt(1) != 0xD8)
        return {};
    segments.push_back({0xD8, {}});
    qsizetype position = 2;
    while (position + 1 < bytes.size()) {
        if (byteAt(position) != 0xFF)
            return {};
        const uchar marker = byteAt(position + 1);
        if (marker == 0xD9) {
            segments.push_back({marker, {}});
            position += 2;
            break;
        }
        if (position + 4 > bytes.size())
            return {};
        const int length = qFromBigEndian<quint16>(bytes.constData() + position + 2);
        if (length < 2 || position + 2 + length > bytes.size())
            return {};
        segments.push_back({marker, bytes.mid(position + 4, length - 2)});
        position += 2 + length;
        if (marker == 0xDA) {
            while (position + 1 < bytes.size() &&
                   !(byteAt(position) == 0xFF && byteAt(position + 1) != 0x00 &&
                     (byteAt(position + 1) < 0xD0 || byteAt(position + 1) > 0xD7)))
                ++position;
        }
    }
    // Nothing may follow the end marker.
    if (segments.back().marker != 0xD9 || position != bytes.size())
        return {};
    return segments;
}

quint16 be16(const QByteArray& bytes, qsizetype offset)
{
    return qFromBigEndian<quint16>(bytes.constData() + offset);
}

quint32 le(const QByteArray& bytes, qsizetype offset, int size)
{
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData()) + offset;
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | data[i];
    return value;
}
} // namespace

class ArtworkTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data();
    void builtInPictureSegments();
    void builtInPictureShowsAFaceOnWhite();
    void iconFileLayout_data();
    void iconFileLayout();
    void iconPixelsAndMask();
    void iconsAgree();
    void programsHaveTheirOwnArtwork();
};

void ArtworkTest::initTestCase_data()
{
    QTest::addColumn<QString>("program");
    for (const QString& program : programs)
        QTest::newRow(qPrintable(program)) << program;
}

void ArtworkTest::builtInPictureSegments()
{
    QFETCH_GLOBAL(QString, program);
    const auto segments = walkJpeg(resource(program, "built-in-picture.jpg"));
    QVERIFY(!segments.empty());

    // Only the segments decoding needs, the JFIF header right after the start.
    const QSet<uchar> allowed{0xD8, 0xE0, 0xDB, 0xC0, 0xC4, 0xDA, 0xD9};
    QCOMPARE(segments[0].marker, uchar(0xD8));
    QCOMPARE(segments[1].marker, uchar(0xE0));
    int frames = 0;
    int scans = 0;
    int jfifHeaders = 0;
    for (const JpegSegment& segment : segments) {
        QVERIFY2(allowed.contains(segment.marker),
                 qPrintable(QStringLiteral("marker %1").arg(segment.marker, 2, 16)));
        frames += segment.marker == 0xC0;
        scans += segment.marker == 0xDA;
        jfifHeaders += segment.marker == 0xE0;
    }
    QCOMPARE(frames, 1);
    QCOMPARE(scans, 1);
    QCOMPARE(jfifHeaders, 1);

    // JFIF 1.01, 96 x 96 without unit, no thumbnail.
    const QByteArray jfif = segments[1].payload;
    QCOMPARE(jfif.size(), 14);
    QCOMPARE(jfif.left(5), QByteArray("JFIF\0", 5));
    QCOMPARE(uchar(jfif[5]), uchar(1));
    QCOMPARE(uchar(jfif[6]), uchar(1));
    QCOMPARE(uchar(jfif[7]), uchar(0));
    QCOMPARE(be16(jfif, 8), quint16(96));
    QCOMPARE(be16(jfif, 10), quint16(96));
    QCOMPARE(uchar(jfif[12]), uchar(0));
    QCOMPARE(uchar(jfif[13]), uchar(0));

    // Baseline, 8 bits, 300 x 300, components 1 to 3 (Y, Cb, Cr) all sampled
    // 1 x 1.
    const auto frame = std::ranges::find(segments, uchar(0xC0), &JpegSegment::marker)->payload;
    QCOMPARE(frame.size(), 6 + 3 * 3);
    QCOMPARE(uchar(frame[0]), uchar(8));
    QCOMPARE(be16(frame, 1), quint16(300));
    QCOMPARE(be16(frame, 3), quint16(300));
    QCOMPARE(uchar(frame[5]), uchar(3));
    for (int component = 0; component < 3; ++component) {
        QCOMPARE(uchar(frame[6 + component * 3]), uchar(component + 1));
        QCOMPARE(uchar(frame[7 + component * 3]), uchar(0x11));
    }

    // One scan holding all three components and all coefficients at once.
    const auto scan = std::ranges::find(segments, uchar(0xDA), &JpegSegment::marker)->payload;
    QCOMPARE(scan.size(), 1 + 3 * 2 + 3);
    QCOMPARE(uchar(scan[0]), uchar(3));
    for (int component = 0; component < 3; ++component)
        QCOMPARE(uchar(scan[1 + component * 2]), uchar(component + 1));
    QCOMPARE(uchar(scan[7]), uchar(0));
    QCOMPARE(uchar(scan[8]), uchar(63));
    QCOMPARE(uchar(scan[9]), uchar(0));
}

void ArtworkTest::builtInPictureShowsAFaceOnWhite()
{
    QFETCH_GLOBAL(QString, program);
    const QImage picture = QImage::fromData(resource(program, "built-in-picture.jpg"), "JPEG");
    QCOMPARE(picture.size(), QSize(300, 300));
    // The background is white at the top corners; the face in the middle is
    // skin, neither white nor dark.
    for (const QPoint corner : {QPoint(2, 2), QPoint(297, 2)})
        QVERIFY(colourDistance(picture.pixelColor(corner), Qt::white) <= 9);
    const QColor cheek = picture.pixelColor(150, 190);
    QVERIFY(cheek.red() > cheek.blue() + 20);
    QVERIFY(cheek.lightness() > 150 && cheek.lightness() < 250);
}

void ArtworkTest::iconFileLayout_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("value");
    struct Field {
        const char* name;
        int offset;
        int size;
        int value;
    };
    const Field fields[] = {
        {"reserved", 0, 2, 0},         {"type icon", 2, 2, 1},
        {"image count", 4, 2, 1},      {"width", 6, 1, 48},
        {"height", 7, 1, 48},          {"palette colours", 8, 1, 0},
        {"entry reserved", 9, 1, 0},   {"planes", 10, 2, 1},
        {"bits per pixel", 12, 2, 16}, {"image size", 14, 4, 5032},
        {"image offset", 18, 4, 22},   {"header size", 22, 4, 40},
        {"header width", 26, 4, 48},   {"header height, colour and mask", 30, 4, 96},
        {"header planes", 34, 2, 1},   {"header bits per pixel", 36, 2, 16},
        {"compression", 38, 4, 0},     {"pixel bytes", 42, 4, 4608},
        {"x resolution", 46, 4, 0},    {"y resolution", 50, 4, 0},
        {"colours used", 54, 4, 0},    {"colours important", 58, 4, 0},
    };
    for (const Field& field : fields)
        QTest::newRow(field.name) << field.offset << field.size << field.value;
}

void ArtworkTest::iconFileLayout()
{
    QFETCH_GLOBAL(QString, program);
    QFETCH(int, offset);
    QFETCH(int, size);
    QFETCH(int, value);
    const QByteArray icon = resource(program, "window-icon.ico");
    QCOMPARE(icon.size(), 5054);
    QCOMPARE(le(icon, offset, size), quint32(value));
}

void ArtworkTest::iconPixelsAndMask()
{
    QFETCH_GLOBAL(QString, program);
    const QByteArray icon = resource(program, "window-icon.ico");
    // 48 rows of 96 bytes of pixels whose top bit is clear...
    for (int pixel = 0; pixel < 48 * 48; ++pixel)
        QVERIFY2((le(icon, 62 + pixel * 2, 2) & 0x8000) == 0, qPrintable(QString::number(pixel)));
    // ...then 48 rows of 8 mask bytes, all clear: every pixel is opaque.
    QCOMPARE(icon.mid(4670), QByteArray(384, '\0'));
}

// The Qt programs' PNG, read by Qt, and the Windows programs' icon, read by
// hand, show the same opaque drawing.
void ArtworkTest::iconsAgree()
{
    QFETCH_GLOBAL(QString, program);
    const QImage png = QImage::fromData(resource(program, "icon-48.png"));
    QCOMPARE(png.size(), QSize(48, 48));
    const QImage expected = iconPixelsByHand(resource(program, "window-icon.ico"));
    QCOMPARE(expected.size(), QSize(48, 48));
    QSet<QRgb> colours;
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 48; ++x) {
            const QRgb shown = png.pixel(x, y);
            QCOMPARE(qAlpha(shown), 255);
            colours.insert(shown);
            // The icon keeps five bits a channel: each within a step, 8, of the PNG's.
            QVERIFY2(colourDistance(shown, expected.pixel(x, y)) <= 24,
                     qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
        }
    }
    // A drawing, not a flat or nearly flat square.
    QVERIFY(colours.size() > 40);
}

void ArtworkTest::programsHaveTheirOwnArtwork()
{
    for (const char* file : {"built-in-picture.jpg", "icon-48.png", "window-icon.ico"}) {
        const QByteArray qelview = resource(programs[0], file);
        const QByteArray velview = resource(programs[1], file);
        QVERIFY(!qelview.isEmpty());
        QVERIFY(qelview != velview);
    }
}

QTEST_MAIN(ArtworkTest)
#include "tst_artwork.moc"
