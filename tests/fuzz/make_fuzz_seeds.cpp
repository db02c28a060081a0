// Writes the fuzzer's seed corpus into the folder given: JPEGs in every coding
// at two sizes, each also truncated and bit-flipped, hand-written headers near
// the caps, and PNG, GIF and BMP files.
#include "hostile_jpegs.h"
#include "sample_jpegs.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

namespace {
bool write(const QDir& folder, const QString& name, const QByteArray& bytes)
{
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QImage busyImage(QSize size)
{
    QImage image = flatImage(QColor(40, 160, 220), size);
    for (int y = 0; y < size.height(); ++y)
        for (int x = (y * 5) % 7; x < size.width(); x += 7)
            image.setPixelColor(x, y, QColor((x * 3) % 256, (y * 11) % 256, 90));
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2 || !QDir().mkpath(QFile::decodeName(argv[1])))
        return 2;
    const QDir folder(QFile::decodeName(argv[1]));
    bool written = true;
    int coding = 0;
    for (JpegCoding jpegCoding : allJpegCodings) {
        for (QSize size : {QSize(40, 24), QSize(97, 61)}) {
            const QByteArray whole = jpegBytes(busyImage(size), jpegCoding, 80);
            const QString stem = QStringLiteral("jpeg-%1-%2").arg(coding).arg(size.width());
            written = written && write(folder, stem + ".jpg", whole) &&
                      write(folder, stem + "-truncated.jpg", whole.first(whole.size() * 2 / 3)) &&
                      write(folder, stem + "-flipped.jpg", bitFlipped(whole, unsigned(coding), 4));
        }
        ++coding;
    }
    written = written && write(folder, "declared-large.jpg", declaringJpeg({4000, 3000}, false)) &&
              write(folder, "declared-progressive.jpg", declaringJpeg({2000, 1500}, true, 6)) &&
              write(folder, "declared-grey-scans.jpg",
                    declaringJpeg({300, 300}, true, 40, DeclaredColour::Grey)) &&
              write(folder, "picture.png", encoded(busyImage({20, 20}), "PNG")) &&
              write(folder, "picture.bmp", encoded(busyImage({20, 20}), "BMP")) &&
              write(folder, "picture.gif", tinyGif());
    return written ? 0 : 1;
}
