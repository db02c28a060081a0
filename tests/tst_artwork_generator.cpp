#include "icon_pixels.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <optional>

// The committed artwork is what its generator draws now: a drawing changed
// without the files being rewritten, or a file edited by hand, shows here.
// Pixels are compared with a small tolerance, so that rounding differences
// between machines do not count.
namespace {
QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

std::optional<QImage> decode(const QString& path)
{
    const QByteArray bytes = fileBytes(path);
    QImage image =
        path.endsWith(QLatin1String(".ico")) ? iconPixelsByHand(bytes) : QImage::fromData(bytes);
    if (image.isNull())
        return std::nullopt;
    return image;
}

// The largest difference of any channel of any pixel, or -1 when the images
// differ in size.
int largestDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    const QImage first = a.convertToFormat(QImage::Format_ARGB32);
    const QImage second = b.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int y = 0; y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x) {
            const QRgb p = first.pixel(x, y);
            const QRgb q = second.pixel(x, y);
            largest =
                std::max({largest, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

QStringList filesUnder(const QString& folder, const QStringList& patterns)
{
    QStringList files;
    QDirIterator it(folder, patterns, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

const QStringList generated{QStringLiteral("*.jpg"), QStringLiteral("*.ico"),
                            QStringLiteral("*.png"), QStringLiteral("*.bin")};
} // namespace

class ArtworkGeneratorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void writesExactlyTheCommittedFiles();
    void drawsTheCommittedPictures_data();
    void drawsTheCommittedPictures();
    void rawIconImageIsTheIconsImage_data();
    void rawIconImageIsTheIconsImage();

private:
    QTemporaryDir m_output;
};

void ArtworkGeneratorTest::initTestCase()
{
    QVERIFY(m_output.isValid());
    QProcess generator;
    generator.setProcessChannelMode(QProcess::ForwardedChannels);
    generator.start(QStringLiteral(GENERATOR), {m_output.path()});
    QVERIFY(generator.waitForFinished(120'000));
    QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
    QCOMPARE(generator.exitCode(), 0);
}

void ArtworkGeneratorTest::writesExactlyTheCommittedFiles()
{
    const QStringList written = filesUnder(m_output.path(), generated);
    QVERIFY(!written.isEmpty());
    QCOMPARE(written, filesUnder(QStringLiteral(ASSETS_DIR), generated));
}

void ArtworkGeneratorTest::drawsTheCommittedPictures_data()
{
    QTest::addColumn<QString>("file");
    for (const QString& file : filesUnder(QStringLiteral(ASSETS_DIR), generated))
        if (!file.endsWith(QLatin1String(".bin")))
            QTest::newRow(qPrintable(file)) << file;
}

void ArtworkGeneratorTest::drawsTheCommittedPictures()
{
    QFETCH(QString, file);
    const auto committed = decode(QStringLiteral(ASSETS_DIR "/") + file);
    const auto drawn = decode(m_output.filePath(file));
    QVERIFY(committed && drawn);
    const int difference = largestDifference(*committed, *drawn);
    QVERIFY2(difference >= 0 && difference <= 12,
             qPrintable(QStringLiteral("differs by %1").arg(difference)));
}

void ArtworkGeneratorTest::rawIconImageIsTheIconsImage_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("qelview") << QStringLiteral(ASSETS_DIR "/qelview");
    QTest::newRow("velview") << QStringLiteral(ASSETS_DIR "/velview");
}

// The Windows icon resource is built from icon-image.bin, so it must hold the
// committed icon's image exactly.
void ArtworkGeneratorTest::rawIconImageIsTheIconsImage()
{
    QFETCH(QString, folder);
    const QByteArray icon = fileBytes(folder + QStringLiteral("/window-icon.ico"));
    QCOMPARE(fileBytes(folder + QStringLiteral("/icon-image.bin")), icon.mid(22));
}

QTEST_MAIN(ArtworkGeneratorTest)
#include "tst_artwork_generator.moc"
