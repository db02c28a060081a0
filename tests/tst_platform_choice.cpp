#include "platform_choice.h"

#include <QTest>

// When a program chooses X11 over Wayland, from the environment alone.
class PlatformChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void choice_data();
    void choice();
};

void PlatformChoiceTest::choice_data()
{
    QTest::addColumn<QString>("sessionType");
    QTest::addColumn<QString>("waylandDisplay");
    QTest::addColumn<QString>("chosenPlatform");
    QTest::addColumn<QString>("x11Display");
    QTest::addColumn<bool>("throughX11");
    QTest::newRow("Wayland with XWayland") << "wayland"
                                           << "wayland-0"
                                           << ""
                                           << ":0" << true;
    QTest::newRow("only the session type says Wayland") << "wayland"
                                                        << ""
                                                        << ""
                                                        << ":0" << true;
    QTest::newRow("only a Wayland display") << ""
                                            << "wayland-0"
                                            << ""
                                            << ":0" << true;
    QTest::newRow("Wayland without XWayland") << "wayland"
                                              << "wayland-0"
                                              << ""
                                              << "" << false;
    QTest::newRow("Wayland chosen") << "wayland"
                                    << "wayland-0"
                                    << "wayland"
                                    << ":0" << false;
    QTest::newRow("offscreen chosen") << "wayland"
                                      << "wayland-0"
                                      << "offscreen"
                                      << ":0" << false;
    QTest::newRow("X11 session") << "x11"
                                 << ""
                                 << ""
                                 << ":0" << false;
    QTest::newRow("console with a display") << "tty"
                                            << ""
                                            << ""
                                            << ":0" << false;
    QTest::newRow("nothing set") << ""
                                 << ""
                                 << ""
                                 << "" << false;
}

void PlatformChoiceTest::choice()
{
    QFETCH(QString, sessionType);
    QFETCH(QString, waylandDisplay);
    QFETCH(QString, chosenPlatform);
    QFETCH(QString, x11Display);
    QFETCH(bool, throughX11);
    QCOMPARE(shouldRunThroughX11({sessionType.toStdString(), waylandDisplay.toStdString(),
                                  chosenPlatform.toStdString(), x11Display.toStdString()}),
             throughX11);
}

QTEST_APPLESS_MAIN(PlatformChoiceTest)
#include "tst_platform_choice.moc"
