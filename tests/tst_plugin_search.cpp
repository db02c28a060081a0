#include "process_idle.h"
#include "sample_jpegs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {
const QStringList plantKinds{QStringLiteral("imageformats"), QStringLiteral("platforms"),
                             QStringLiteral("platformthemes")};

QString plantFile(const QString& kind)
{
    return QStringLiteral(PLANTED_PLUGIN_DIR "/libplanted_%1.so").arg(kind);
}

// Copies a program into folder with a planted plugin in each folder Qt
// searches beside a program; returns the copy's path.
QString plantBeside(const QString& program, const QString& folder)
{
    for (const QString& kind : plantKinds) {
        if (!QDir(folder).mkpath(kind) ||
            !QFile::copy(plantFile(kind), folder + '/' + kind + "/libplanted.so"))
            return {};
    }
    const QString copy = folder + '/' + QFileInfo(program).fileName();
    return QFile::copy(program, copy) ? copy : QString();
}

// A qt.conf that moves Qt's plugin folder to another planted tree.
bool plantQtConf(const QString& folder, const QString& pluginTree)
{
    for (const QString& kind : plantKinds) {
        if (!QDir(pluginTree).mkpath(kind) ||
            !QFile::copy(plantFile(kind), pluginTree + '/' + kind + "/libplanted.so"))
            return false;
    }
    for (const char* name : {"qt.conf", "qt6.conf"}) {
        QFile conf(folder + '/' + QLatin1String(name));
        if (!conf.open(QIODevice::WriteOnly) ||
            conf.write("[Paths]\nPrefix = " + QFile::encodeName(pluginTree) +
                       "\nPlugins = " + QFile::encodeName(pluginTree) + "\n") < 0)
            return false;
    }
    return true;
}

QProcessEnvironment plantedEnvironment(const QString& marker, const QString& pluginPath)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& name : environment.keys()) {
        if (name.startsWith(QLatin1String("QT_")))
            environment.remove(name);
    }
    // A platform and a theme that only the planted plugins provide, so that Qt
    // loads them wherever it can reach them, whatever plugins Qt itself has;
    // offscreen is the fallback that lets the program run here.
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("planted;offscreen"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORMTHEME"), QStringLiteral("planted"));
    environment.insert(QStringLiteral("QT_DEBUG_PLUGINS"), QStringLiteral("1"));
    environment.insert(QStringLiteral("PLANTED_PLUGIN_MARKER"), marker);
    environment.insert(QStringLiteral("QT_PLUGIN_PATH"), pluginPath);
    return environment;
}

QString readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()) : QString();
}

// Waits until a file in the watched folder has been read and closed.
bool waitForRead(int watch, int timeoutMs)
{
    pollfd request{watch, POLLIN, 0};
    if (::poll(&request, 1, timeoutMs) != 1)
        return false;
    char events[4096];
    return ::read(watch, events, sizeof events) > 0;
}
} // namespace

// Plugins unpacked beside the program, or reached through a qt.conf or
// QT_PLUGIN_PATH, are never loaded: the programs take plugins from Qt's own
// installation only.
class PluginSearchTest : public QObject {
    Q_OBJECT

private slots:
    void plantsAreLiveForAnotherQtProgram();
    void programLoadsNoPlantedPlugin();
};

// The control: a Qt program that leaves the search as Qt sets it loads the
// planted platform and theme plugins, both beside it and through a qt.conf.
void PluginSearchTest::plantsAreLiveForAnotherQtProgram()
{
    QTemporaryDir directory;
    const QString marker = directory.filePath(QStringLiteral("marker"));
    const QString beside = directory.filePath(QStringLiteral("beside"));
    const QString moved = directory.filePath(QStringLiteral("moved"));
    const QString tree = directory.filePath(QStringLiteral("tree"));
    const QString besidePlants = plantBeside(QStringLiteral(DEMO_PICTURES_PROGRAM), beside);
    QVERIFY(!besidePlants.isEmpty());
    QVERIFY(QDir().mkpath(moved));
    QVERIFY(QFile::copy(QStringLiteral(DEMO_PICTURES_PROGRAM), moved + "/demo_pictures"));
    QVERIFY(plantQtConf(moved, tree));

    for (const QString& program : {besidePlants, moved + "/demo_pictures"}) {
        QProcess process;
        process.setProcessEnvironment(plantedEnvironment(marker, {}));
        process.start(program, {directory.filePath(QStringLiteral("out"))});
        QVERIFY(process.waitForFinished(30000));
    }
    const QString loaded = readAll(marker);
    QVERIFY2(loaded.contains("platforms " + beside + "/platforms/"), qPrintable(loaded));
    QVERIFY2(loaded.contains("platformthemes " + beside + "/platformthemes/"), qPrintable(loaded));
    QVERIFY2(loaded.contains("platforms " + tree + "/platforms/"), qPrintable(loaded));
}

void PluginSearchTest::programLoadsNoPlantedPlugin()
{
    QTemporaryDir directory;
    const QString folder = directory.filePath(QStringLiteral("program"));
    const QString marker = directory.filePath(QStringLiteral("marker"));
    const QString program = plantBeside(QStringLiteral(QELVIEW_PROGRAM), folder);
    QVERIFY(!program.isEmpty());
    QVERIFY(plantQtConf(folder, directory.filePath(QStringLiteral("tree"))));
    const QString pictures = folder + "/Qel";
    QVERIFY(QDir().mkpath(pictures));
    for (int number : {0, 1}) {
        QFile picture(pictures + QStringLiteral("/%1.jpg").arg(number));
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.write(jpegBytes(flatImage(Qt::red), JpegCoding::Baseline420));
    }
    // A picture folder holding plugins too.
    QVERIFY(!plantBeside(program, pictures).isEmpty());

    const int watch = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    QVERIFY(watch >= 0);
    QVERIFY(::inotify_add_watch(watch, QFile::encodeName(pictures).constData(), IN_CLOSE_NOWRITE) >=
            0);
    QProcess process;
    process.setProcessEnvironment(plantedEnvironment(marker, folder + ':' + pictures));
    process.start(program, {});
    QVERIFY(process.waitForStarted());
    // Picture 0 is read once the application and the window exist, so by then
    // every plugin Qt loads at start has been loaded; the picture is decoded
    // and shown before the program next waits for input.
    const bool pictureRead = waitForRead(watch, 30000);
    ::close(watch);
    if (pictureRead)
        QTRY_VERIFY_WITH_TIMEOUT(waitsForEvents(process.processId()), 30000);
    process.kill();
    process.waitForFinished();
    const QString log = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(pictureRead, qPrintable(log));

    QVERIFY2(!QFile::exists(marker), qPrintable(readAll(marker)));
    // The plugin log is on, and names only Qt's own folders.
    QVERIFY2(log.contains(QStringLiteral("checking directory path \"" QT_PLUGINS_DIR)),
             qPrintable(log));
    QVERIFY2(!log.contains(directory.path()), qPrintable(log));
}

QTEST_GUILESS_MAIN(PluginSearchTest)
#include "tst_plugin_search.moc"
