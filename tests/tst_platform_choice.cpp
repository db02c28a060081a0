#include "platform_choice.h"

#include <QTest>

// Which Qt platform a program asks for, from the environment and whether the
// X server answers.
class PlatformChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void environmentMatrix();
};

void PlatformChoiceTest::environmentMatrix()
{
    struct Row {
        PlatformEnvironment environment; // session type, Wayland display, chosen, DISPLAY
        bool x11Answers;
        std::string_view platform;
        bool asksX11;
    };
    const Row rows[] = {
        {{"wayland", "wayland-0", "", ":0"}, true, "xcb", true},
        {{"wayland", "", "", ":0"}, true, "xcb", true},   // only the session type says Wayland
        {{"", "wayland-0", "", ":0"}, true, "xcb", true}, // only a Wayland display
        {{"wayland", "wayland-0", "", ":0"}, false, "wayland", true}, // X server gone
        {{"", "wayland-0", "", ":5"}, false, "wayland", true},
        {{"wayland", "wayland-0", "", ""}, true, "wayland", false}, // no XWayland
        {{"wayland", "wayland-0", "wayland", ":0"}, true, "", false},
        {{"wayland", "wayland-0", "offscreen", ":0"}, false, "", false},
        {{"x11", "", "", ":0"}, true, "", false},
        {{"x11", "", "", ":0"}, false, "", false}, // Qt's own failure is the right report
        {{"tty", "", "", ":0"}, true, "", false},
        {{"", "", "", ""}, true, "", false},
    };
    for (const Row& row : rows) {
        const PlatformEnvironment& e = row.environment;
        bool asked = false;
        const std::string_view platform = chooseQtPlatform(e, [&] {
            asked = true;
            return row.x11Answers;
        });
        const QString context = QStringLiteral("%1|%2|%3|%4 answers %5")
                                    .arg(e.sessionType.c_str(), e.waylandDisplay.c_str(),
                                         e.chosenPlatform.c_str(), e.x11Display.c_str())
                                    .arg(row.x11Answers);
        QVERIFY2(platform == row.platform, qPrintable(context));
        // Asking the X server costs a connection; an X11 session never pays it.
        QVERIFY2(asked == row.asksX11, qPrintable(context));
    }
}

QTEST_APPLESS_MAIN(PlatformChoiceTest)
#include "tst_platform_choice.moc"
