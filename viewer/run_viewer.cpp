#include "run_viewer.h"

#include "platform.h"
#include "viewer_window.h"

#include <QApplication>

int runViewer(int argc, char* argv[], const Deliverable& deliverable,
              const std::function<void(QWidget&)>& whenShown)
{
    preferPlatformThatKeepsWindowsOnTop();
    QApplication application(argc, argv);
    ViewerWindow window(deliverable, programDirectory());
    window.load();
    window.present();
    if (whenShown)
        whenShown(window);
    return application.exec();
}
