#include "caption_label.h"
#include "picture_area.h"
#include "viewer_fixture.h"
#include "viewer_program.h"
#include "viewer_window.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class ViewerTest : public QObject {
    Q_OBJECT

private slots:
    void startState();
    void listsHoldTheCatalogue();
    void pictureIsDescribedForScreenReaders();
    void pickShowsPictureAndDescription_data();
    void pickShowsPictureAndDescription();
    void keyboardPicks();
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
    ViewerFixture fixture(qelviewViewerProgram());
    ViewerWindow& window = fixture.window();
    QCOMPARE(window.objectName(), QStringLiteral("Form1"));
    QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(fixture.shownPicture(), 0);
    QCOMPARE(fixture.description()->caption(), QStringLiteral(" [表情说明]"));

    // Shown the way the programs show it, window-system requests included.
    window.present();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused == fixture.list(1) || fixture.list(1)->isAncestorOf(focused));
}

// Caption, captions, initial texts and items, exactly as the golden tables have
// them, trailing spaces included.
void ViewerTest::listsHoldTheCatalogue()
{
    for (const ViewerProgram* viewerProgram : {&qelviewViewerProgram(), &velviewViewerProgram()}) {
        ViewerFixture fixture(*viewerProgram, false);
        const QString program = fixture.program();
        QCOMPARE(fixture.window().windowTitle(), goldenFact(program, "caption"));
        for (int ordinal = 1; ordinal <= 4; ++ordinal) {
            const QString key = QStringLiteral("list %1 ").arg(ordinal);
            const auto* caption =
                fixture.window().findChild<QLabel*>(QStringLiteral("Label%1").arg(ordinal));
            QCOMPARE(caption->text(), goldenFact(program, key + "caption"));
            QComboBox* list = fixture.list(ordinal);
            QCOMPARE(list->currentIndex(), -1);
            QCOMPARE(list->currentText(), goldenFact(program, key + "initial text"));
            QStringList expected;
            for (const GoldenEntry& entry : goldenList(program, ordinal))
                expected.append(entry.listText);
            QStringList shown;
            for (int index = 0; index < list->count(); ++index)
                shown.append(list->itemText(index));
            QCOMPARE(shown, expected);
        }
    }
}

// The picture area names the file it shows and its entry; a failed load
// leaves the name as it was, with the picture.
void ViewerTest::pictureIsDescribedForScreenReaders()
{
    for (const ViewerProgram* viewerProgram : {&qelviewViewerProgram(), &velviewViewerProgram()}) {
        ViewerFixture fixture(*viewerProgram);
        const QString program = fixture.program();
        const QString atStart =
            program == "Qelview" ? QStringLiteral("Qel/0.jpg：总览") : QStringLiteral("内置图片");
        QCOMPARE(fixture.picture()->accessibleDescription(), atStart);
        QVERIFY(QFile::remove(fixture.picturePath(goldenEntry(program, 1, 0).picture)));
        for (const GoldenEntry& entry : goldenEntries(program)) {
            QTest::keyClick(fixture.list(entry.list), Qt::Key_Down);
            QCOMPARE(fixture.list(entry.list)->currentIndex(), entry.index);
            const QString expected = entry.list == 1 && entry.index == 0
                                         ? atStart
                                         : QStringLiteral("%1/%2.jpg：%3")
                                               .arg(fixture.folder())
                                               .arg(entry.picture)
                                               .arg(entry.listText.trimmed());
            QCOMPARE(fixture.picture()->accessibleDescription(), expected);
        }
        QTest::mouseDClick(fixture.picture(), Qt::LeftButton, {}, QPoint(150, 150));
        QCOMPARE(fixture.picture()->accessibleDescription(),
                 program == "Qelview" ? QStringLiteral("Qel/0.jpg：总览")
                                      : QStringLiteral("velisa/15.jpg：びっくり"));
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
    ViewerFixture fixture(qelviewViewerProgram());
    fixture.window().show();
    fixture.pick(ordinal, index);
    QCOMPARE(fixture.list(ordinal)->currentIndex(), index);
    QCOMPARE(fixture.shownPicture(), picture);
    QCOMPARE(fixture.description()->caption(), fixture.descriptionOf(ordinal, index));
}

void ViewerTest::keyboardPicks()
{
    ViewerFixture fixture(qelviewViewerProgram());
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

void ViewerTest::doubleClickShowsResetPicture()
{
    ViewerFixture fixture(qelviewViewerProgram());
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
    ViewerFixture fixture(qelviewViewerProgram());
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
    ViewerFixture fixture(qelviewViewerProgram());
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
    ViewerFixture fixture(qelviewViewerProgram());
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
    ViewerFixture fixture(qelviewViewerProgram(), false);
    QVERIFY(fixture.showsBuiltInPicture());
    fixture.window().show();
    fixture.pick(2, 0);
    QVERIFY(fixture.showsBuiltInPicture());
    QCOMPARE(fixture.description()->caption(), fixture.descriptionOf(2, 0));
}

void ViewerTest::velviewStartsWithBuiltInPicture()
{
    ViewerFixture fixture(velviewViewerProgram());
    QVERIFY(fixture.window().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(fixture.showsBuiltInPicture());
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
    ViewerFixture fixture(velviewViewerProgram(), false);
    fixture.window().show();
    for (int ordinal = 1; ordinal <= 4; ++ordinal) {
        fixture.pick(ordinal, 0);
        QVERIFY(fixture.showsBuiltInPicture());
        QCOMPARE(fixture.description()->caption(), fixture.descriptionOf(ordinal, 0));
        QTest::mouseDClick(fixture.picture(), Qt::LeftButton, {}, QPoint(150, 150));
        QVERIFY(fixture.showsBuiltInPicture());
    }
}

QTEST_MAIN(ViewerTest)
#include "tst_viewer.moc"
