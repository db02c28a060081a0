#include "run_viewer.h"

#include "picture_loading.h"
#include "platform.h"
#include "plugin_search.h"
#include "viewer_window.h"
#include "viewers_version.h"

#include <QApplication>

int runViewer(int argc, char* argv[], const Deliverable& deliverable,
              const std::function<void(QWidget&)>& whenShown)
{
    holdDecoderAllocationLimit();
    confinePluginSearchToQt();
    preferPlatformThatKeepsWindowsOnTop();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(
        deliverable.program.name.data(), qsizetype(deliverable.program.name.size())));
    // Both programs carry the version of their Windows version resources.
    QApplication::setApplicationVersion(QStringLiteral(VIEWERS_VERSION_TEXT));
    ViewerWindow window(deliverable, programDirectory());
    window.load();
    window.present();
    if (whenShown)
        whenShown(window);
    return application.exec();
}
