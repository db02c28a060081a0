#include "caption_label.h"
#include "viewer_fixture.h"
#include "viewer_program.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QProcess>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

// The window under the user's own desktop settings: themes and locales.
class AppearanceTest : public QObject {
    Q_OBJECT

private slots:
    void descriptionReadableUnderDarkTheme();
    void glyphFormsFollowTheTextNotTheLocale();
    void listsFitUnderALargerDesktopFont_data();
    void listsFitUnderALargerDesktopFont();
};

// Relative luminance as the WCAG 2 define it.
static double luminance(QColor colour)
{
    double sum = 0;
    for (auto [channel, weight] :
         {std::pair{colour.redF(), 0.2126}, {colour.greenF(), 0.7152}, {colour.blueF(), 0.0722}})
        sum += weight *
               (channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4));
    return sum;
}

void AppearanceTest::descriptionReadableUnderDarkTheme()
{
    // What a dark desktop theme hands the application: light text on dark.
    const QColor light(0xee, 0xee, 0xee), dark(0x35, 0x35, 0x35);
    QApplication::setPalette(QPalette(light, dark, dark, dark, dark, light, light, dark, dark));
    ViewerFixture fixture(qelviewViewerProgram());
    fixture.window().show();
    fixture.pick(3, 0);
    const QImage panel = fixture.description()->grab().toImage();
    QCOMPARE(panel.pixelColor(1, 1), QColor(255, 192, 192));
    // The contrast ratio of the text's darkest pixel to the pink.
    double darkest = 1;
    for (int y = 0; y < panel.height(); ++y)
        for (int x = 0; x < panel.width(); ++x)
            darkest = std::min(darkest, luminance(panel.pixelColor(x, y)));
    const double ratio = (luminance(QColor(255, 192, 192)) + 0.05) / (darkest + 0.05);
    QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));

    // A High Contrast theme chosen while the window shows, white on black:
    // the description takes its colours.
    QApplication::setPalette(QPalette(Qt::white, Qt::black, Qt::black, Qt::black, Qt::black,
                                      Qt::white, Qt::white, Qt::black, Qt::black));
    QEvent change(QEvent::ApplicationPaletteChange);
    QApplication::sendEvent(&fixture.window(), &change);
    QCOMPARE(fixture.description()->grab().toImage().pixelColor(1, 1), QColor(Qt::black));
}

// The window drawn under a Japanese and a Chinese locale is the window drawn
// under C, pixel for pixel: captions and description in Chinese forms, the
// items in Japanese forms. The locales are made from the system's sources.
void AppearanceTest::glyphFormsFollowTheTextNotTheLocale()
{
    QTemporaryDir folder;
    QImage reference;
    for (const QString locale : {"C", "ja_JP.UTF-8", "zh_CN.UTF-8"}) {
        if (locale != QLatin1String("C"))
            QCOMPARE(QProcess::execute("localedef", {"-i", locale.section('.', 0, 0), "-f", "UTF-8",
                                                     folder.filePath(locale)}),
                     0);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("LC_ALL");
        environment.insert("LANG", locale);
        environment.insert("LOCPATH", folder.path());
        QProcess render;
        render.setProcessEnvironment(environment);
        render.start(RENDER_WINDOW, {folder.filePath(locale + ".png")});
        QVERIFY(render.waitForFinished(60000));
        // The child ran under the locale asked for, or the comparison shows nothing.
        const QByteArray output = render.readAllStandardOutput();
        QVERIFY2(render.exitCode() == 0 && output == locale.toLatin1() + '\n',
                 (output + render.readAllStandardError()).constData());
        const QImage image(folder.filePath(locale + ".png"));
        if (reference.isNull())
            reference = image;
        QVERIFY2(image == reference, qPrintable(locale));
    }
}

// The columns between the first and the last that hold dark ink.
static int inkWidth(const QImage& image)
{
    int first = image.width(), last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return last - first + 1;
}

void AppearanceTest::listsFitUnderALargerDesktopFont_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("whileShown");
    // At the usual 9 pt the lines fit the fields' height but the longest
    // names not their width; at 13 pt neither fits. At 7 pt, set while the
    // window shows, every name fits the desktop's own size.
    QTest::newRow("9 pt") << 9 << false;
    QTest::newRow("13 pt") << 13 << false;
    QTest::newRow("7 pt while shown") << 7 << true;
}

// A larger desktop font: each list keeps its place, and its field shows
// every item whole, neither cut off above or below nor scrolled sideways.
void AppearanceTest::listsFitUnderALargerDesktopFont()
{
    QFETCH(int, points);
    QFETCH(bool, whileShown);
    QApplication::setPalette(QApplication::style()->standardPalette());
    const QFont desktop = QApplication::font();
    QFont large = desktop;
    large.setPointSize(points);
    if (!whileShown)
        QApplication::setFont(large);
    ViewerFixture fixture(qelviewViewerProgram());
    fixture.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&fixture.window()));
    if (whileShown) {
        QApplication::setFont(large);
        // What Qt's event loop hands every window once the desktop's font
        // changes; a test runs no event loop of Qt's own.
        QEvent change(QEvent::ApplicationFontChange);
        QApplication::sendEvent(&fixture.window(), &change);
        QCOMPARE(QFontInfo(fixture.list(1)->font()).pixelSize(), QFontInfo(large).pixelSize());
    }
    // No caret, which spans the whole field.
    fixture.list(1)->lineEdit()->clearFocus();
    QRegion covered;
    for (int ordinal = 1; ordinal <= 4; ++ordinal) {
        QComboBox* list = fixture.list(ordinal);
        QCOMPARE(list->height(), 20);
        QVERIFY(fixture.window().rect().contains(list->geometry()));
        QVERIFY(!covered.intersects(list->geometry()));
        covered += list->geometry();
        QLineEdit* field = list->lineEdit();
        // Qt's line edit keeps 2 px of margin at each side of its text.
        const int width = field->contentsRect().width() - 4;
        for (int index = 0; index < list->count(); ++index) {
            const QString text = list->itemText(index);
            QVERIFY2(field->fontMetrics().horizontalAdvance(text) < width, qPrintable(text));
            field->setText(text);
            // Text cut off at the top or the bottom leaves ink on that edge.
            const QImage shown = field->grab().toImage();
            for (const int y : {0, shown.height() - 1})
                for (int x = 0; x < shown.width(); ++x)
                    QVERIFY2(qGray(shown.pixel(x, y)) > 160, qPrintable(text));
        }
    }
    // The drop-down part draws the names as wide as the field does.
    QComboBox* list = fixture.list(1);
    const QString name = list->itemText(1);
    list->lineEdit()->setText(name);
    const int fieldInk = inkWidth(list->lineEdit()->grab().toImage());
    list->showPopup();
    QTRY_VERIFY(list->view()->isVisible());
    const QRect row = list->view()->visualRect(list->model()->index(1, 0));
    QCOMPARE(inkWidth(list->view()->viewport()->grab(row).toImage()), fieldInk);
    list->hidePopup();
    QApplication::setFont(desktop);
}

QTEST_MAIN(AppearanceTest)
#include "tst_appearance.moc"
