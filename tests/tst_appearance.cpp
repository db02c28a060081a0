#include "caption_label.h"
#include "deliverable.h"
#include "viewer_fixture.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QTest>

#include <algorithm>
#include <cmath>

// The window under the user's own desktop settings: themes and locales.
class AppearanceTest : public QObject {
    Q_OBJECT

private slots:
    void descriptionReadableUnderDarkTheme();
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

QTEST_MAIN(AppearanceTest)
#include "tst_appearance.moc"
