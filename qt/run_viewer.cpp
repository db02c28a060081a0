#include "run_viewer.h"

#include "glyph_forms.h"
#include "picture_loading.h"
#include "platform.h"
#include "plugin_search.h"
#include "viewer_window.h"
#include "viewers_version.h"

#include <QApplication>

int runViewer(int argc, char* argv[], const ViewerProgram& program,
              const std::function<void(QWidget&)>& whenShown)
{
    holdDecoderAllocationLimit();
    confinePluginSearchToQt();
    preferPlatformThatKeepsWindowsOnTop();
    keepGlyphFormsOfEachFace();
    // The programs take nothing from the command line: Qt's own options, such
    // as -qwindowtitle, -reverse or -platform, would change the window.
    int toolkitArgc = argc > 0 ? 1 : 0;
    char* toolkitArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    QApplication application(toolkitArgc, toolkitArgv);
    QApplication::setApplicationName(
        QString::fromLatin1(program.program.name.data(), qsizetype(program.program.name.size())));
    // Both programs carry the version of their Windows version resources.
    QApplication::setApplicationVersion(QStringLiteral(VIEWERS_VERSION_TEXT));
    ViewerWindow window(program, programDirectory());
    window.load();
    window.present();
    if (whenShown)
        whenShown(window);
    return application.exec();
}
