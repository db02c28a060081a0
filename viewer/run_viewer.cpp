#include "run_viewer.h"

#include "platform.h"
#include "viewer_window.h"

#include <QApplication>

int runViewer(int argc, char* argv[], const Deliverable& deliverable)
{
    preferPlatformThatKeepsWindowsOnTop();
    QApplication application(argc, argv);
    ViewerWindow window(deliverable, programDirectory());
    window.load();
    window.present();
    return application.exec();
}
