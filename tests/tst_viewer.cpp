#include "caption_label.h"
#include "catalogue_rules.h"
#include "deliverable.h"
#include "picture_area.h"
#include "qt_text.h"
#include "viewer_window.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// Every test picture is one flat colour that names its number, so what the
// window shows can be read back from its pixels.
QColor colourOf(int pictureNumber)
{
    return QColor::fromHsv((pictureNumber * 6) % 360, 255, 255);
}

void writePicture(const QString& path, int pictureNumber, QSize size = {300, 300})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colourOf(pictureNumber));
    QVERIFY(image.save(path, "JPEG", 95));
}

int colourDistance(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
}

class ViewerFixture {
public:
    explicit ViewerFixture(const Deliverable& deliverable, bool withPictures = true)
        : m_deliverable(deliverable)
    {
        if (withPictures) {
            QVERIFY(QDir(m_directory.path()).mkdir(folder()));
            for (int number = 0; number <= 56; ++number)
                if (usesPicture(deliverable.catalogue, number))
                    writePicture(picturePath(number), number);
        }
        m_window = std::make_unique<ViewerWindow>(deliverable,
                                                  QDir::toNativeSeparators(m_directory.path()));
        m_window->load();
    }

    QString folder() const { return toQString(m_deliverable.catalogue.pictureFolder); }
    QString picturePath(int number) const
    {
        return toQString(
            *PicturePath(m_deliverable.catalogue, m_directory.path().toStdU16String(), number));
    }

    ViewerWindow& window() { return *m_window; }
    QComboBox* list(int ordinal)
    {
        return m_window->findChild<QComboBox*>(QStringLiteral("Combo%1").arg(ordinal));
    }
    CaptionLabel* description()
    {
        return m_window->findChild<CaptionLabel*>(QStringLiteral("Label5"));
    }
    PictureArea* picture() { return m_window->findChild<PictureArea*>(QStringLiteral("Image1")); }

    // The number of the test picture the picture area shows, or -1 for any
    // other picture.
    int shownPicture()
    {
        const QColor centre = picture()->grab().toImage().pixelColor(150, 150);
        for (int number = 0; number <= 56; ++number)
            if (colourDistance(centre, colourOf(number)) < 24)
                return number;
        return -1;
    }

    // Picks an item the way a user does: opens the list, moves to the item and
    // presses Return.
    void pick(int ordinal, int index)
    {
        QComboBox* combo = list(ordinal);
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        QTRY_VERIFY(view->isVisible());
        view->setCurrentIndex(combo->model()->index(index, 0));
        QTest::keyClick(view->viewport(), Qt::Key_Return);
        QTRY_VERIFY(!view->isVisible());
    }

    QString descriptionOf(int ordinal, int index) const
    {
        const auto entry = FindEntry(m_deliverable.catalogue.categories[std::size_t(ordinal - 1)],
                                     std::int16_t(index));
        return toQString(DescriptionText(*entry));
    }

private:
    const Deliverable& m_deliverable;
    QTemporaryDir m_directory;
    std::unique_ptr<ViewerWindow> m_window;
};

QImage builtInPicture(const Deliverable& deliverable)
{
    QImage image(QString::fromLatin1(deliverable.builtInPicture.data(),
                                     qsizetype(deliverable.builtInPicture.size())));
    return image.scaled(300, 300);
}

bool showsBuiltInPicture(ViewerFixture& fixture, const Deliverable& deliverable)
{
    // Compared at the area's logical size, whatever the screen's density.
    const QImage shown = fixture.picture()->grab().toImage().scaled(300, 300);
    const QImage expected = builtInPicture(deliverable);
    return !expected.isNull() &&
           colourDistance(shown.pixelColor(5, 5), expected.pixelColor(5, 5)) < 12 &&
           colourDistance(shown.pixelColor(150, 150), expected.pixelColor(150, 150)) < 12;
}
} // namespace

class ViewerTest : public QObject {
    Q_OBJECT

private slots:
    void startState();
    void listsHoldTheCatalogue();
    void pickShowsPictureAndDescription_data();
    void pickShowsPictureAndDescription();
    void keyboardPicks();
    void rePickReadsTheFileAgain();
    void failedLoadKeepsPicture_data();
    void failedLoadKeepsPicture();
    void doubleClickShowsResetPicture();
    void pickKeepsOtherLists();
    void typedTextChangesNothing();
    void descriptionIsPlainText();
    void missingStartupPictureKeepsBuiltIn();
    void velviewStartsWithBuiltInPicture();
    void velviewWithoutFolderKeepsBuiltIn();
};

void ViewerTest::startState()
{
    ViewerFixture fixture(qelviewDeliverable());
    ViewerWindow& window = fixture.window();
    QCOMPARE(window.objectName(), QStringLiteral("Form1"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Qel式Velisa"));
    QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(fixture.shownPicture(), 0);
    QCOMPARE(fixture.description()->caption(), QStringLiteral(" [表情说明]"));
    const QStringList initialTexts{"眉毛", "眼睛", "嘴巴", "其他"};
    for (int ordinal = 1; ordinal <= 4; ++ordinal) {
        QCOMPARE(fixture.list(ordinal)->currentIndex(), -1);
        QCOMPARE(fixture.list(ordinal)->currentText(), initialTexts[ordinal - 1]);
    }

    // Shown the way the programs show it, window-system requests included.
    window.present();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused == fixture.list(1) || fixture.list(1)->isAncestorOf(focused));
}

void ViewerTest::listsHoldTheCatalogue()
{
    for (const Deliverable* deliverable : {&qelviewDeliverable(), &velviewDeliverable()}) {
        ViewerFixture fixture(*deliverable, false);
        for (int ordinal = 1; ordinal <= 4; ++ordinal) {
            const Category& category = deliverable->catalogue.categories[std::size_t(ordinal - 1)];
            QComboBox* list = fixture.list(ordinal);
            QCOMPARE(list->count(), int(category.entries.size()));
            for (const CatalogueEntry& entry : category.entries)
                QCOMPARE(list->itemText(entry.index), toQString(entry.listText));
        }
    }
}

void ViewerTest::pickShowsPictureAndDescription_data()
{
    QTest::addColumn<int>("ordinal");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("picture");
    QTest::newRow("first eyebrows") << 1 << 0 << 1;
    QTest::newRow("last eyebrows") << 1 << 5 << 6;
    QTest::newRow("first eyes") << 2 << 0 << 7;
    QTest::newRow("eyes with trailing spaces") << 2 << 11 << 18;
    QTest::newRow("last eyes") << 2 << 19 << 26;
    QTest::newRow("first mouth") << 3 << 0 << 27;
    QTest::newRow("mouth with trailing spaces") << 3 << 13 << 40;
    QTest::newRow("mouth next to it") << 3 << 14 << 41;
    QTest::newRow("last mouth") << 3 << 22 << 49;
    QTest::newRow("first other") << 4 << 0 << 50;
    QTest::newRow("last other") << 4 << 6 << 56;
}

void ViewerTest::pickShowsPictureAndDescription()
{
    QFETCH(int, ordinal);
    QFETCH(int, index);
    QFETCH(int, picture);
    ViewerFixture fixture(qelviewDeliverable());
    fixture.window().show();
    fixture.pick(ordinal, index);
    QCOMPARE(fixture.list(ordinal)->currentIndex(), index);
    QCOMPARE(fixture.shownPicture(), picture);
    QCOMPARE(fixture.description()->caption(), fixture.descriptionOf(ordinal, index));
}

void ViewerTest::keyboardPicks()
{
    ViewerFixture fixture(qelviewDeliverable());
    fixture.window().show();
    QVERIFY(QTest::qWaitForWindowActive(&fixture.window()));
    QComboBox* eyes = fixture.list(2);
    eyes->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(eyes->currentIndex(), 0);
    QCOMPARE(fixture.shownPicture(), 7);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(fixture.shownPicture(), 8);
    QCOMPARE(fixture.description()->caption(), fixture.descriptionOf(2, 1));
}

void ViewerTest::rePickReadsTheFileAgain()
{
    ViewerFixture fixture(qelviewDeliverable());
    fixture.window().show();
    fixture.pick(1, 2);
    QCOMPARE(fixture.shownPicture(), 3);
    // Nothing is cached: the same pick again reads what is on disk now.
    QVERIFY(QFile::remove(fixture.picturePath(3)));
    writePicture(fixture.picturePath(3), 44);
    fixture.pick(1, 2);
    QCOMPARE(fixture.shownPicture(), 44);
}

void ViewerTest::failedLoadKeepsPicture_data()
{
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"missing", "empty", "corrupt", "truncated header", "text", "directory",
                             "fifo", "socket", "dangling link", "device link"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

// A picture that cannot be loaded leaves the picture shown, and the label
// still follows the pick; none of these may block or crash.
void ViewerTest::failedLoadKeepsPicture()
{
    QFETCH(QString, kind);
    ViewerFixture fixture(qelviewDeliverable());
    fixture.window().show();
    fixture.pick(4, 0);
    QCOMPARE(fixture.shownPicture(), 50);

    const QString path = fixture.picturePath(51);
    QVERIFY(QFile::remove(path));
    const QByteArray native = QFile::encodeName(path);
    if (kind == "empty") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (kind == "corrupt" || kind == "truncated header" || kind == "text") {
        QByteArray bytes = kind == "text" ? QByteArray("not a picture\n")
                           : kind == "corrupt"
                               ? QByteArray("\xFF\xD8\xFF\xE0") + QByteArray(4000, '\x5A')
                               : QByteArray("\xFF\xD8\xFF\xDB\x00\x43", 6);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    } else if (kind == "directory") {
        QVERIFY(QDir().mkdir(path));
    } else if (kind == "fifo") {
        QCOMPARE(::mkfifo(native.constData(), 0600), 0);
    } else if (kind == "socket") {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        QVERIFY(size_t(native.size()) < sizeof(address.sun_path));
        std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
        ::close(fd);
    } else if (kind == "dangling link") {
        QCOMPARE(::symlink("nowhere.jpg", native.constData()), 0);
    } else if (kind == "device link") {
        QCOMPARE(::symlink("/dev/zero", native.constData()), 0);
    }

    fixture.pick(4, 1);
    QCOMPARE(fixture.shownPicture(), 50);
    QCOMPARE(fixture.description()->caption(), fixture.descriptionOf(4, 1));
    fixture.pick(4, 2);
    QCOMPARE(fixture.shownPicture(), 52);
}

void ViewerTest::doubleClickShowsResetPicture()
{
    ViewerFixture fixture(qelviewDeliverable());
    fixture.window().show();
    fixture.pick(3, 4);
    QCOMPARE(fixture.shownPicture(), 31);
    QTest::mouseDClick(fixture.picture(), Qt::LeftButton, {}, QPoint(150, 150));
    QCOMPARE(fixture.shownPicture(), 0);
    QCOMPARE(fixture.description()->caption(), fixture.descriptionOf(3, 4));
    QCOMPARE(fixture.list(3)->currentIndex(), 4);
}

void ViewerTest::pickKeepsOtherLists()
{
    ViewerFixture fixture(qelviewDeliverable());
    fixture.window().show();
    fixture.pick(1, 3);
    fixture.pick(3, 7);
    QCOMPARE(fixture.shownPicture(), 34);
    QCOMPARE(fixture.description()->caption(), fixture.descriptionOf(3, 7));
    QCOMPARE(fixture.list(1)->currentIndex(), 3);
    QCOMPARE(fixture.list(1)->currentText(), QStringLiteral("怒り"));
    QCOMPARE(fixture.list(2)->currentIndex(), -1);
    QCOMPARE(fixture.list(2)->currentText(), QStringLiteral("眼睛"));
}

void ViewerTest::typedTextChangesNothing()
{
    ViewerFixture fixture(qelviewDeliverable());
    fixture.window().show();
    QVERIFY(QTest::qWaitForWindowActive(&fixture.window()));
    QComboBox* mouth = fixture.list(3);
    QSignalSpy activated(mouth, &QComboBox::activated);
    mouth->setFocus();
    mouth->lineEdit()->clear();
    // The exact text of an item, confirmed by Return and then by Tab.
    // Kana arrive through the input method, as a committed string.
    QInputMethodEvent input;
    input.setCommitString(QStringLiteral("あ"));
    QApplication::sendEvent(mouth->lineEdit(), &input);
    QCOMPARE(mouth->currentText(), QStringLiteral("あ"));
    QTest::keyClick(mouth->lineEdit(), Qt::Key_Return);
    QTest::keyClick(mouth->lineEdit(), Qt::Key_Tab);
    QCOMPARE(activated.count(), 0);
    QCOMPARE(mouth->currentIndex(), -1);
    QCOMPARE(mouth->count(), 23);
    QCOMPARE(fixture.shownPicture(), 0);
    QCOMPARE(fixture.description()->caption(), QStringLiteral(" [表情说明]"));
}

void ViewerTest::descriptionIsPlainText()
{
    ViewerFixture fixture(qelviewDeliverable());
    fixture.window().show();
    fixture.pick(2, 7);
    CaptionLabel* label = fixture.description();
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QCOMPARE(label->caption(), QStringLiteral(" [表情说明]\r\n   双眼成>_<形态"));
    // What is drawn holds exactly one line break and nothing of the CR.
    QCOMPARE(label->text(), QStringLiteral(" [表情说明]\n   双眼成>_<形态"));
}

void ViewerTest::missingStartupPictureKeepsBuiltIn()
{
    ViewerFixture fixture(qelviewDeliverable(), false);
    QVERIFY(showsBuiltInPicture(fixture, qelviewDeliverable()));
    fixture.window().show();
    fixture.pick(2, 0);
    QVERIFY(showsBuiltInPicture(fixture, qelviewDeliverable()));
    QCOMPARE(fixture.description()->caption(), fixture.descriptionOf(2, 0));
}

void ViewerTest::velviewStartsWithBuiltInPicture()
{
    ViewerFixture fixture(velviewDeliverable());
    QCOMPARE(fixture.window().windowTitle(), QStringLiteral("VelisaVer2 "));
    QVERIFY(fixture.window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(showsBuiltInPicture(fixture, velviewDeliverable()));
    QCOMPARE(fixture.description()->caption(), QStringLiteral(" [表情说明]"));
    fixture.window().show();

    fixture.pick(4, 1);
    QCOMPARE(fixture.shownPicture(), 30);
    QCOMPARE(fixture.description()->caption(),
             QStringLiteral(" [表情说明]\r\n   吐出舌头，卖萌或者调戏用表情，需要注意舌头穿模"));
    fixture.pick(2, 0);
    QCOMPARE(fixture.shownPicture(), 7);
    QTest::mouseDClick(fixture.picture(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(fixture.shownPicture(), 15);
    QCOMPARE(fixture.description()->caption(), fixture.descriptionOf(2, 0));
    QCOMPARE(fixture.list(2)->currentIndex(), 0);
    QCOMPARE(fixture.list(4)->currentIndex(), 1);
}

void ViewerTest::velviewWithoutFolderKeepsBuiltIn()
{
    ViewerFixture fixture(velviewDeliverable(), false);
    fixture.window().show();
    for (int ordinal = 1; ordinal <= 4; ++ordinal) {
        fixture.pick(ordinal, 0);
        QVERIFY(showsBuiltInPicture(fixture, velviewDeliverable()));
        QCOMPARE(fixture.description()->caption(), fixture.descriptionOf(ordinal, 0));
        QTest::mouseDClick(fixture.picture(), Qt::LeftButton, {}, QPoint(150, 150));
        QVERIFY(showsBuiltInPicture(fixture, velviewDeliverable()));
    }
}

QTEST_MAIN(ViewerTest)
#include "tst_viewer.moc"
