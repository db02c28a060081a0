#include "run_viewer.h"

#include "data_folders_linux.h"
#include "glyph_forms.h"
#include "picture_folder_search.h"
#include "picture_loading.h"
#include "platform.h"
#include "plugin_search.h"
#include "viewer_window.h"
#include "viewers_version.h"

#include <QApplication>

#include <system_error>

namespace {
// The folder the picture folder lies in, for the window: beside the program,
// else in the user's or the system's data folders (~/.local/share/qelview/Qel),
// where a user puts pictures without root and a package puts none.
std::filesystem::path pictureFolderParentOf(const ViewerProgram& program)
{
    return pictureFolderParent(programDirectory(), dataFolders(), program.program.name,
                               program.program.catalogue.pictureFolder,
                               [](const std::filesystem::path& folder) {
                                   std::error_code error;
                                   return std::filesystem::is_directory(folder, error);
                               });
}
} // namespace

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
    const QString name =
        QString::fromLatin1(program.program.name.data(), qsizetype(program.program.name.size()));
    // The X11 window class, which the desktop entry names as StartupWMClass.
    QApplication::setApplicationName(name);
    // Wayland's app id, so that a desktop matches the window to its menu
    // entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VIEWERS_ID_PREFIX ".") + name);
    // Both programs carry the version of their Windows version resources.
    QApplication::setApplicationVersion(QStringLiteral(VIEWERS_VERSION_TEXT));
    // Settled once: every pick reads from the folder found at start.
    ViewerWindow window(program, pictureFolderParentOf(program));
    window.load();
    window.present();
    if (whenShown)
        whenShown(window);
    return application.exec();
}
