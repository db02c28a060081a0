#include "caption_label.h"
#include "deliverable.h"
#include "viewer_fixture.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QProcess>
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
};

namespace {
// Relative luminance and contrast ratio as the WCAG 2 define them.
double luminance(QColor colour)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green()) +
           0.0722 * linear(colour.blue());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
} // namespace

void AppearanceTest::descriptionReadableUnderDarkTheme()
{
    // What a dark desktop theme hands the application: light text on dark.
    QPalette dark;
    for (auto [role, colour] : {std::pair{QPalette::Window, QColor(0x35, 0x35, 0x35)},
                                {QPalette::WindowText, QColor(0xee, 0xee, 0xee)},
                                {QPalette::Base, QColor(0x20, 0x20, 0x20)},
                                {QPalette::Text, QColor(0xee, 0xee, 0xee)},
                                {QPalette::Button, QColor(0x35, 0x35, 0x35)},
                                {QPalette::ButtonText, QColor(0xee, 0xee, 0xee)}})
        dark.setColor(role, colour);
    const QPalette before = QApplication::palette();
    QApplication::setPalette(dark);
    ViewerFixture fixture(qelviewDeliverable());
    fixture.window().show();
    fixture.pick(3, 0);
    const QImage panel = fixture.description()->grab().toImage();
    QApplication::setPalette(before);

    const QColor background = panel.pixelColor(1, 1);
    QCOMPARE(background, QColor(255, 192, 192));
    double best = 1;
    for (int y = 0; y < panel.height(); ++y)
        for (int x = 0; x < panel.width(); ++x)
            best = std::max(best, contrast(panel.pixelColor(x, y), background));
    QVERIFY2(best >= 4.5, qPrintable(QString::number(best)));
}

// The window drawn under a Japanese and a Chinese locale is the window drawn
// under C, pixel for pixel: captions and description in Chinese forms, the
// items in Japanese forms.
void AppearanceTest::glyphFormsFollowTheTextNotTheLocale()
{
    // The locales are made from the system's sources, so that none needs to
    // be installed.
    QTemporaryDir locales;
    const QStringList names{QStringLiteral("ja_JP"), QStringLiteral("zh_CN")};
    for (const QString& name : names) {
        QProcess localedef;
        localedef.setProcessChannelMode(QProcess::MergedChannels);
        localedef.start(QStringLiteral("localedef"),
                        {QStringLiteral("-i"), name, QStringLiteral("-f"), QStringLiteral("UTF-8"),
                         locales.filePath(name + QStringLiteral(".UTF-8"))});
        QVERIFY2(localedef.waitForFinished(60000) && localedef.exitCode() == 0,
                 localedef.readAll().constData());
    }
    QImage reference;
    for (const QString& locale :
         {QStringLiteral("C"), QStringLiteral("ja_JP.UTF-8"), QStringLiteral("zh_CN.UTF-8")}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString& variable : environment.keys())
            if (variable.startsWith(QLatin1String("LC_")))
                environment.remove(variable);
        environment.insert(QStringLiteral("LANG"), locale);
        environment.insert(QStringLiteral("LOCPATH"), locales.path());
        const QString picture = locales.filePath(locale + QStringLiteral(".png"));
        QProcess render;
        render.setProcessEnvironment(environment);
        render.start(QStringLiteral(RENDER_WINDOW), {picture});
        QVERIFY(render.waitForFinished(60000));
        const QByteArray output = render.readAllStandardOutput();
        // The child ran under the locale asked for, or the comparison shows nothing.
        QVERIFY2(render.exitCode() == 0 && output == locale.toLatin1() + '\n',
                 (output + render.readAllStandardError()).constData());
        const QImage image(picture);
        if (reference.isNull()) {
            reference = image;
            continue;
        }
        QVERIFY(image.size() == reference.size());
        int differing = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                differing += image.pixel(x, y) != reference.pixel(x, y);
        QVERIFY2(differing == 0,
                 qPrintable(QStringLiteral("%1: %2 pixels differ").arg(locale).arg(differing)));
    }
}

QTEST_MAIN(AppearanceTest)
#include "tst_appearance.moc"
