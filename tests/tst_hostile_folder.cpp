#include "caption_label.h"
#include "child_process.h"
#include "hostile_jpegs.h"
#include "picture_area.h"
#include "process_memory.h"
#include "sample_jpegs.h"
#include "viewer_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// A pick on a healthy folder takes about a millisecond; whatever the folder
// holds, no pick may take longer than this, nor raise the process's peak
// resident memory by more than this: with the 40 MB a shown window takes, the
// program stays under 400 MB. The growth, not the peak, is bounded, so that
// the bound holds under the sanitizers too, whose own memory comes on top.
constexpr qint64 pickBoundMs = 1000;
// A file that does decode may be the largest picture the caps let through,
// which takes half a second and more under the sanitizers or on a busy
// machine; its bound only tells a slow decode from a hang.
constexpr qint64 decodedPickBoundMs = 5000;
constexpr qint64 pickMemoryBound = 360 * 1000 * 1000;

// The files stand in for picture 51, the second entry of list 4; picture 50,
// the first entry, is shown before.
constexpr int hostilePicture = 51;

QByteArray goodJpeg()
{
    return jpegBytes(flatImage(colourOf(hostilePicture)), JpegCoding::Baseline420);
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool bindSocket(const QByteArray& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (fd < 0 || size_t(path.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return bound;
}

// Puts the hostile kind of file at path; false when that could not be done.
bool plant(const QString& kind, const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    const QByteArray good = goodJpeg();
    if (kind == "missing")
        return true;
    if (kind == "zero bytes")
        return writeFile(path, {});
    if (kind == "text")
        return writeFile(path, "not a picture\n");
    if (kind == "JPEG signature then noise")
        return writeFile(path, QByteArray("\xFF\xD8\xFF\xE0") + QByteArray(4000, '\x5A'));
    if (kind == "cut in the header")
        return writeFile(path, QByteArray("\xFF\xD8\xFF\xDB\x00\x43", 6));
    if (kind == "cut in half")
        return writeFile(path, good.first(good.size() / 2));
    if (kind == "without end marker")
        return writeFile(path, good.chopped(2));
    if (kind.startsWith("bit-flipped "))
        return writeFile(path, bitFlipped(good, kind.mid(12).toUInt(), 3));
    if (kind == "65500 x 65500")
        return writeFile(path, declaringJpeg({65500, 65500}, false));
    if (kind == "65500 x 65500 progressive")
        return writeFile(path, declaringJpeg({65500, 65500}, true, 2));
    if (kind == "20000 x 20000")
        return writeFile(path, declaringJpeg({20000, 20000}, false));
    if (kind == "20000 x 20000 progressive")
        return writeFile(path, declaringJpeg({20000, 20000}, true, 2));
    if (kind == "24 megapixels progressive 4:4:4")
        return writeFile(path, declaringJpeg({6000, 4000}, true, 2, DeclaredColour::Full));
    if (kind == "16384 x 1464 progressive CMYK")
        return writeFile(path, declaringJpeg({16384, 1464}, true, 2, DeclaredColour::Cmyk));
    if (kind == "30000 scans")
        return writeFile(path, declaringJpeg({1024, 1024}, true, 30000, DeclaredColour::Grey));
    if (kind == "200 MB") {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(good) == good.size() &&
               file.resize(200 * 1024 * 1024);
    }
    if (kind == "PNG" || kind == "BMP")
        return writeFile(path, encoded(flatImage(Qt::red), kind.toLatin1().constData()));
    if (kind == "GIF")
        return writeFile(path, tinyGif());
    if (kind == "TIFF")
        return writeFile(path, QByteArray("II*\0\x08\0\0\0\x02\0\0\1\3\0\1\0\0\0\x2C\1\0\0"
                                          "\1\1\3\0\1\0\0\0\x2C\1\0\0\0\0\0\0",
                                          38));
    if (kind == "SVG")
        return writeFile(path, "<svg xmlns='http://www.w3.org/2000/svg' width='300' height='300'>"
                               "<rect width='300' height='300' fill='red'/></svg>\n");
    if (kind == "directory")
        return QDir().mkdir(path);
    if (kind == "FIFO")
        return ::mkfifo(native.constData(), 0600) == 0;
    if (kind == "socket")
        return bindSocket(native);
    if (kind == "dangling link")
        return ::symlink("nowhere.jpg", native.constData()) == 0;
    if (kind == "link loop")
        return ::symlink(native.constData(), native.constData()) == 0;
    if (kind == "link to /dev/zero")
        return ::symlink("/dev/zero", native.constData()) == 0;
    if (kind == "link to /dev/urandom")
        return ::symlink("/dev/urandom", native.constData()) == 0;
    return false;
}

// What one load cost: its time, and the growth of the process's peak resident
// memory, where the kernel lets that peak be reset and so measured.
struct LoadCost {
    qint64 milliseconds = 0;
    qint64 peakGrowth = 0;
    bool peakMeasured = false;
};

template <typename Load> LoadCost costOf(Load load)
{
    LoadCost cost;
    cost.peakMeasured = ProcessMemory::resetPeak();
    const qint64 residentBefore = ProcessMemory::resident();
    QElapsedTimer timer;
    timer.start();
    load();
    cost.milliseconds = timer.elapsed();
    cost.peakGrowth = ProcessMemory::peakResident() - residentBefore;
    return cost;
}

// Exit codes of the unprivileged child.
enum ChildResult { Passed = 0, StillReadable = 2, PictureReplaced, LabelUnchanged, TooSlow, Stuck };
} // namespace

// Whatever the picture folder holds in place of a picture, the pick returns
// promptly, writes the description, keeps the picture shown (or, for a damaged
// JPEG, may show what was decoded), and the window goes on working.
class HostileFolderTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void hostileFile_data();
    void hostileFile();
    void hostileStartupPicture_data();
    void hostileStartupPicture();
    void unreadableFile();
};

void HostileFolderTest::initTestCase()
{
    QVERIFY(qEnvironmentVariableIntValue("QT_IMAGEIO_MAXALLOC") > 1000);
}

void HostileFolderTest::hostileFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("keepsPicture");
    for (const char* kind : {"missing",
                             "zero bytes",
                             "text",
                             "JPEG signature then noise",
                             "cut in the header",
                             "cut in half",
                             "without end marker",
                             "65500 x 65500",
                             "65500 x 65500 progressive",
                             "20000 x 20000",
                             "20000 x 20000 progressive",
                             "30000 scans",
                             "200 MB",
                             "PNG",
                             "GIF",
                             "BMP",
                             "TIFF",
                             "SVG",
                             "directory",
                             "FIFO",
                             "socket",
                             "dangling link",
                             "link loop",
                             "link to /dev/zero",
                             "link to /dev/urandom"})
        QTest::newRow(kind) << QString::fromLatin1(kind) << true;
    // The largest pictures the caps let through, declared by a few bytes: the
    // decoder holds all their coefficients.
    for (const char* kind : {"24 megapixels progressive 4:4:4", "16384 x 1464 progressive CMYK"})
        QTest::newRow(kind) << QString::fromLatin1(kind) << false;
    for (int seed = 1; seed <= 8; ++seed)
        QTest::addRow("bit-flipped %d", seed)
            << QStringLiteral("bit-flipped %1").arg(seed) << false;
}

void HostileFolderTest::hostileFile()
{
    QFETCH(QString, kind);
    QFETCH(bool, keepsPicture);
    ViewerFixture fixture(qelviewViewerProgram());
    fixture.window().show();
    fixture.pick(4, 0);
    QCOMPARE(fixture.shownPicture(), 50);
    QVERIFY(QFile::remove(fixture.picturePath(hostilePicture)));
    QVERIFY(plant(kind, fixture.picturePath(hostilePicture)));

    const LoadCost cost = costOf([&] { fixture.pick(4, 1); });
    qInfo("%s: pick %lld ms, peak resident growth %lld KiB", qPrintable(kind), cost.milliseconds,
          cost.peakGrowth / 1024);
    const qint64 bound = keepsPicture ? pickBoundMs : decodedPickBoundMs;
    QVERIFY2(cost.milliseconds < bound, qPrintable(QString::number(cost.milliseconds)));
    if (keepsPicture)
        QCOMPARE(fixture.shownPicture(), 50);
    QCOMPARE(fixture.description()->caption(), fixture.descriptionOf(4, 1));
    fixture.pick(4, 2);
    QCOMPARE(fixture.shownPicture(), 52);

    if (!cost.peakMeasured)
        QSKIP("The kernel refuses to reset the peak resident memory (/proc/self/clear_refs), "
              "so the memory bound is not checked");
    QVERIFY2(cost.peakGrowth < pickMemoryBound, qPrintable(QString::number(cost.peakGrowth)));
}

void HostileFolderTest::hostileStartupPicture_data()
{
    QTest::addColumn<QString>("kind");
    for (const char* kind :
         {"zero bytes", "cut in half", "65500 x 65500 progressive", "30000 scans", "200 MB", "GIF",
          "directory", "FIFO", "link to /dev/zero", "link loop"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

// The same files as the start-up picture: the window opens promptly with its
// built-in picture and works as usual.
void HostileFolderTest::hostileStartupPicture()
{
    QFETCH(QString, kind);
    QTemporaryDir directory;
    const ViewerFixture writer(qelviewViewerProgram(), true, directory.path());
    QVERIFY(QFile::remove(writer.picturePath(0)));
    QVERIFY(plant(kind, writer.picturePath(0)));

    std::unique_ptr<ViewerFixture> fixture;
    const LoadCost cost = costOf([&] {
        fixture = std::make_unique<ViewerFixture>(qelviewViewerProgram(), false, directory.path());
    });
    QVERIFY2(cost.milliseconds < pickBoundMs, qPrintable(QString::number(cost.milliseconds)));
    QVERIFY(fixture->showsBuiltInPicture());
    fixture->window().show();
    fixture->pick(4, 0);
    QCOMPARE(fixture->shownPicture(), 50);
    QTest::mouseDClick(fixture->picture(), Qt::LeftButton, {}, QPoint(150, 150));
    QCOMPARE(fixture->shownPicture(), 50);

    if (!cost.peakMeasured)
        QSKIP("The kernel refuses to reset the peak resident memory (/proc/self/clear_refs), "
              "so the memory bound is not checked");
    QVERIFY2(cost.peakGrowth < pickMemoryBound, qPrintable(QString::number(cost.peakGrowth)));
}

// A permission check proves nothing for root, so the pick runs in a child
// that gives up root for the nobody account first.
void HostileFolderTest::unreadableFile()
{
    ViewerFixture fixture(qelviewViewerProgram());
    const QString path = fixture.picturePath(hostilePicture);
    for (const QString& folder : {fixture.programDirectory(), fixture.folderPath()})
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ExeOwner | QFile::ReadOther |
                                                  QFile::ExeOther));
    for (int number : {50, 52})
        QVERIFY(QFile::setPermissions(fixture.picturePath(number),
                                      QFile::ReadOwner | QFile::ReadOther));
    QVERIFY(QFile::setPermissions(path, {}));
    QComboBox* other = fixture.list(4);
    QTest::keyClick(other, Qt::Key_Down);
    QCOMPARE(other->currentIndex(), 0);
    QCOMPARE(fixture.shownPicture(), 50);

    const auto result = exitCodeOfChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return Stuck;
        if (::access(QFile::encodeName(path).constData(), R_OK) == 0)
            return StillReadable;
        const auto shown = [&] {
            return pictureNumberOf(fixture.picture()->picture().toImage().pixelColor(150, 150));
        };
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(other, Qt::Key_Down);
        if (timer.elapsed() >= pickBoundMs)
            return TooSlow;
        if (shown() != 50)
            return PictureReplaced;
        if (fixture.description()->caption() != fixture.descriptionOf(4, 1))
            return LabelUnchanged;
        QTest::keyClick(other, Qt::Key_Down);
        return shown() == 52 ? Passed : PictureReplaced;
    });
    QVERIFY(result);
    QCOMPARE(*result, int(Passed));
}

QTEST_MAIN(HostileFolderTest)
#include "tst_hostile_folder.moc"
