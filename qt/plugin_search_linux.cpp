#include "plugin_search.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>

#include <fcntl.h>
#include <unistd.h>

// Qt builds its plugin search list when the application object is constructed:
// the folders in QT_PLUGIN_PATH, its installation's plugin folder and the
// program's folder, and it loads platform, theme and input plugins from that
// list before the constructor returns. A list set beforehand survives only as
// changes to the list Qt had computed at that time, which does not yet hold the
// program's folder. So the program's folder is put into that early list through
// QT_PLUGIN_PATH, and the list is then set to Qt's plugin folder alone: the
// program's folder counts as removed, and Qt leaves it out from the start.
//
// The plugin folder itself comes from the qt.conf built into the program, so a
// qt.conf beside the program cannot move it either.
void confinePluginSearchToQt()
{
    const QString programFile = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    // An open descriptor names the folder without spelling its path, which may
    // hold the list separator of QT_PLUGIN_PATH.
    const int folder = ::open(QFile::encodeName(QFileInfo(programFile).path()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0)
        qputenv("QT_PLUGIN_PATH", "/proc/self/fd/" + QByteArray::number(folder));
    else
        qunsetenv("QT_PLUGIN_PATH");
    QCoreApplication::libraryPaths();
    QCoreApplication::setLibraryPaths(
        {QDir(QLibraryInfo::path(QLibraryInfo::PluginsPath)).canonicalPath()});
    qunsetenv("QT_PLUGIN_PATH");
    if (folder >= 0)
        ::close(folder);
}
