#include "caption_label.h"
#include "child_process.h"
#include "picture_area.h"
#include "picture_loading.h"
#include "viewer_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sched.h>
#include <unistd.h>

namespace {
// Walks every list from its first entry to its last with the Down key, and
// returns the first picture number that did not show, or -1.
int firstPictureNotShown(ViewerFixture& fixture, bool throughPixmap = false)
{
    int expected = 1;
    for (int ordinal = 1; ordinal <= 4; ++ordinal) {
        QComboBox* list = fixture.list(ordinal);
        for (int index = 0; index < list->count(); ++index, ++expected) {
            QTest::keyClick(list, Qt::Key_Down);
            const QColor shown = throughPixmap
                                     ? fixture.picture()->picture().toImage().pixelColor(150, 150)
                                     : fixture.picture()->grab().toImage().pixelColor(150, 150);
            if (pictureNumberOf(shown) != expected)
                return expected;
        }
    }
    return -1;
}

enum ChildResult { Passed = 0, NoRoot = 77, NotLoaded = 2, NotShown };
} // namespace

// Pictures are read from disk at every pick, from wherever the program lies.
class PictureFolderTest : public QObject {
    Q_OBJECT

private slots:
    void deletedPictureKeepsTheOneShown();
    void replacedPictureShowsAtNextPick();
    void folderRenamedAwayAndBack();
    void namesInAnotherCase();
    void unusualProgramDirectory_data();
    void unusualProgramDirectory();
    void programAtFileSystemRoot();
};

void PictureFolderTest::deletedPictureKeepsTheOneShown()
{
    ViewerFixture fixture(qelviewViewerProgram());
    fixture.window().show();
    fixture.pick(1, 2);
    QCOMPARE(fixture.shownPicture(), 3);
    fixture.pick(1, 3);
    QCOMPARE(fixture.shownPicture(), 4);
    QVERIFY(QFile::remove(fixture.picturePath(3)));
    fixture.pick(1, 2);
    QCOMPARE(fixture.shownPicture(), 4);
    QCOMPARE(fixture.description()->caption(), fixture.descriptionOf(1, 2));
}

void PictureFolderTest::replacedPictureShowsAtNextPick()
{
    ViewerFixture fixture(qelviewViewerProgram());
    fixture.window().show();
    fixture.pick(1, 2);
    QCOMPARE(fixture.shownPicture(), 3);
    // Written over in place, then replaced whole by a rename.
    writePicture(fixture.picturePath(3), 44);
    fixture.pick(1, 2);
    QCOMPARE(fixture.shownPicture(), 44);
    const QString replacement = fixture.folderPath() + "/replacement";
    writePicture(replacement, 45);
    QVERIFY(::rename(QFile::encodeName(replacement).constData(),
                     QFile::encodeName(fixture.picturePath(3)).constData()) == 0);
    fixture.pick(1, 2);
    QCOMPARE(fixture.shownPicture(), 45);
}

void PictureFolderTest::folderRenamedAwayAndBack()
{
    ViewerFixture fixture(qelviewViewerProgram());
    fixture.window().show();
    fixture.pick(2, 0);
    QCOMPARE(fixture.shownPicture(), 7);
    const QString away = fixture.folderPath() + ".away";
    QVERIFY(QDir().rename(fixture.folderPath(), away));
    fixture.pick(2, 1);
    QCOMPARE(fixture.shownPicture(), 7);
    QCOMPARE(fixture.description()->caption(), fixture.descriptionOf(2, 1));
    QTest::mouseDClick(fixture.picture(), Qt::LeftButton, {}, QPoint(150, 150));
    QCOMPARE(fixture.shownPicture(), 7);
    QVERIFY(QDir().rename(away, fixture.folderPath()));
    fixture.pick(2, 2);
    QCOMPARE(fixture.shownPicture(), 9);
    QTest::mouseDClick(fixture.picture(), Qt::LeftButton, {}, QPoint(150, 150));
    QCOMPARE(fixture.shownPicture(), 0);
}

// A picture folder made on Windows may name its files 1.JPG: such a file is
// read where the exact name is missing, and read anew at each pick.
void PictureFolderTest::namesInAnotherCase()
{
    ViewerFixture fixture(qelviewViewerProgram());
    fixture.window().show();
    const QString folder = fixture.folderPath();
    QVERIFY(QFile::rename(fixture.picturePath(1), folder + "/1.JPG"));
    QVERIFY(QFile::rename(fixture.picturePath(2), folder + "/2.Jpg"));
    writePicture(folder + "/2.jPG", 42);  // after 2.Jpg in byte order
    writePicture(folder + "/3.JPG", 43);  // beside an exact 3.jpg, which wins
    writePicture(folder + "/4.JPEG", 44); // another name altogether
    QVERIFY(QFile::remove(fixture.picturePath(4)));
    for (auto [index, picture] : {std::pair{0, 1}, {1, 2}, {2, 3}, {3, 3}})
        QCOMPARE((fixture.pick(1, index), fixture.shownPicture()), picture);
    writePicture(folder + "/1.JPG", 41);
    fixture.pick(1, 0);
    QCOMPARE(fixture.shownPicture(), 41);
}

void PictureFolderTest::unusualProgramDirectory_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<bool>("throughLink");
    QTest::addColumn<bool>("trailingSeparator");
    QTest::newRow("spaces") << "with some  spaces " << false << false;
    QTest::newRow("Chinese and Japanese") << "表情说明 ピクチャー" << false << false;
    QTest::newRow("symbolic link") << "real" << true << false;
    // What a program at the root of a file system reports, inside a folder.
    QTest::newRow("trailing separator") << "root" << false << true;
}

void PictureFolderTest::unusualProgramDirectory()
{
    QFETCH(QString, relative);
    QFETCH(bool, throughLink);
    QFETCH(bool, trailingSeparator);
    QTemporaryDir directory;
    const QString real = directory.filePath(relative);
    QVERIFY(QDir().mkpath(real));
    QString programDirectory = real;
    if (throughLink) {
        programDirectory = directory.filePath(QStringLiteral("link"));
        QVERIFY(QFile::link(real, programDirectory));
    }
    if (trailingSeparator)
        programDirectory += '/';
    ViewerFixture fixture(qelviewViewerProgram(), true, programDirectory);
    QCOMPARE(fixture.shownPicture(), 0);
    QCOMPARE(firstPictureNotShown(fixture), -1);
}

// The real root: a child changes its root to a temporary folder, as root or
// inside a user namespace of its own, where the program directory is "/" and
// the path of picture 1 is "/Qel/1.jpg".
void PictureFolderTest::programAtFileSystemRoot()
{
    QTemporaryDir directory;
    ViewerFixture fixture(qelviewViewerProgram(), false, QStringLiteral("/"));
    QVERIFY(QDir().mkpath(directory.filePath(fixture.folder())));
    for (int number = 1; number <= 56; ++number)
        writePicture(directory.filePath(QStringLiteral("Qel/%1.jpg").arg(number)), number);

    const auto result = exitCodeOfChild([&] {
        const QByteArray root = QFile::encodeName(directory.path());
        if (::geteuid() != 0 && ::unshare(CLONE_NEWUSER) != 0)
            return NoRoot;
        if (::chroot(root.constData()) != 0 || ::chdir("/") != 0)
            return NoRoot;
        if (!LoadPicture("/Qel/1.jpg", {300, 300}))
            return NotLoaded;
        return firstPictureNotShown(fixture, true) == -1 ? Passed : NotShown;
    });
    QVERIFY(result);
    if (*result == NoRoot)
        QSKIP("Neither root nor a user namespace is at hand to change the root folder");
    QCOMPARE(*result, int(Passed));
}

QTEST_MAIN(PictureFolderTest)
#include "tst_picture_folder.moc"
