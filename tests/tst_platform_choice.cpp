#include "platform_choice.h"

#include <QTest>

// When a program chooses X11 over Wayland, from the environment alone.
class PlatformChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void environmentMatrix();
};

void PlatformChoiceTest::environmentMatrix()
{
    struct Row {
        PlatformEnvironment environment; // session type, Wayland display, chosen, DISPLAY
        bool throughX11;
    };
    const Row rows[] = {
        {{"wayland", "wayland-0", "", ":0"}, true},
        {{"wayland", "", "", ":0"}, true},         // only the session type says Wayland
        {{"", "wayland-0", "", ":0"}, true},       // only a Wayland display
        {{"wayland", "wayland-0", "", ""}, false}, // no XWayland
        {{"wayland", "wayland-0", "wayland", ":0"}, false},
        {{"wayland", "wayland-0", "offscreen", ":0"}, false},
        {{"x11", "", "", ":0"}, false},
        {{"tty", "", "", ":0"}, false},
        {{"", "", "", ""}, false},
    };
    for (const Row& row : rows) {
        const PlatformEnvironment& e = row.environment;
        QVERIFY2(shouldRunThroughX11(e) == row.throughX11,
                 qPrintable(QStringLiteral("%1|%2|%3|%4")
                                .arg(e.sessionType.c_str(), e.waylandDisplay.c_str(),
                                     e.chosenPlatform.c_str(), e.x11Display.c_str())));
    }
}

QTEST_APPLESS_MAIN(PlatformChoiceTest)
#include "tst_platform_choice.moc"
