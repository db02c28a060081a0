#include "process_idle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>

#include <sys/inotify.h>
#include <unistd.h>

// `cmake --install` into a fresh prefix, then the installed programs started
// from there the way a desktop starts them, through the link on the path.
namespace {
// Reports the names of the files opened in one folder.
class OpenWatch {
public:
    explicit OpenWatch(const QString& folder)
        : m_fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)),
          m_watch(::inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_OPEN))
    {}
    ~OpenWatch() { ::close(m_fd); }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    bool isValid() const { return m_fd >= 0 && m_watch >= 0; }

    // Collects the events that arrived so far; true once this name was opened.
    bool opened(const QString& name)
    {
        alignas(inotify_event) char buffer[4096];
        for (ssize_t length; (length = ::read(m_fd, buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                if (event->len > 0)
                    m_opened.insert(QFile::decodeName(event->name));
                at += sizeof(inotify_event) + event->len;
            }
        }
        return m_opened.contains(name);
    }

private:
    int m_fd;
    int m_watch;
    QSet<QString> m_opened;
};

QString linkText(const QString& path)
{
    char target[4096];
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), target, sizeof target);
    return length > 0 ? QFile::decodeName(QByteArray(target, length)) : QString();
}

void writePicture(const QString& path)
{
    QImage picture(300, 300, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QVERIFY(picture.save(path, "JPEG"));
}
} // namespace

class InstallTreeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void layout_data();
    void layout();
    void installedProgramStartsBesideItsPictures_data();
    void installedProgramStartsBesideItsPictures();

private:
    QString installed(const QString& relative) const { return m_prefix.filePath(relative); }

    QTemporaryDir m_prefix;
};

void InstallTreeTest::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    QStringList command{QStringLiteral(CMAKE_COMMAND), QStringLiteral("--install"),
                        QStringLiteral(BUILD_DIR), QStringLiteral("--prefix"), m_prefix.path()};
    // As root, installing runs as the nobody account where that can read the
    // build tree: it shows that the install writes nothing there.
    const QStringList nobody{"--reuid=65534", "--regid=65534", "--clear-groups", "--"};
    if (::geteuid() == 0 &&
        QProcess::execute(
            "setpriv", nobody + QStringList{"test", "-r", BUILD_DIR "/cmake_install.cmake"}) == 0) {
        QVERIFY(::chown(QFile::encodeName(m_prefix.path()).constData(), 65534, 65534) == 0);
        command = QStringList{"setpriv"} + nobody + command;
    }
    QProcess install;
    install.setProcessChannelMode(QProcess::ForwardedChannels);
    install.start(command.first(), command.mid(1));
    QVERIFY(install.waitForFinished(120'000));
    QCOMPARE(install.exitStatus(), QProcess::NormalExit);
    QCOMPARE(install.exitCode(), 0);
}

void InstallTreeTest::layout_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("Qelview") << QStringLiteral("Qelview");
    QTest::newRow("Velview") << QStringLiteral("Velview");
}

void InstallTreeTest::layout()
{
    QFETCH(QString, program);
    const QString name = program.toLower();
    const QString id = QStringLiteral("net.morphviewers.") + program;

    // The program in a folder of its own, reached through a link on the path.
    const QFileInfo executable(installed(QStringLiteral("lib/%1/%2").arg(name, program)));
    QVERIFY(executable.isFile() && !executable.isSymLink());
    QVERIFY(executable.isExecutable());
    const QFileInfo link(installed(QStringLiteral("bin/") + name));
    QVERIFY(link.isSymLink());
    // A relative link keeps working when the whole tree is moved.
    QVERIFY(QDir::isRelativePath(linkText(link.filePath())));
    QCOMPARE(link.canonicalFilePath(), executable.canonicalFilePath());
    QCOMPARE(QDir(executable.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{program});

    // The desktop entry starts the program by its link's full path, which
    // holds with the prefix's bin folder not on the PATH, and names its icon.
    QFile desktop(installed(QStringLiteral("share/applications/%1.desktop").arg(id)));
    QVERIFY(desktop.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(desktop.readAll()).split(u'\n');
    QVERIFY(lines.contains(QStringLiteral("Exec=%1/bin/%2").arg(m_prefix.path(), name)));
    QVERIFY(lines.contains(QStringLiteral("Icon=") + id));
    QVERIFY(
        QFileInfo(installed(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(id))).isFile());

    for (const int side : {48, 128, 256}) {
        const QImage icon(
            installed(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(side).arg(id)));
        QCOMPARE(icon.size(), QSize(side, side));
    }
}

void InstallTreeTest::installedProgramStartsBesideItsPictures_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("readAtStart");
    // Where the pictures lie, and where they are read from: beside the program
    // ("lib"), in the user's data folder ("home") or in one of the system's.
    QTest::addColumn<QStringList>("placed");
    QTest::addColumn<QString>("read");
    const QString qel = QStringLiteral("Qel");
    const QString start = QStringLiteral("0.jpg");
    QTest::newRow("Qelview") << QStringLiteral("Qelview") << qel << start << QStringList{"lib"}
                             << "lib";
    QTest::newRow("Velview") << QStringLiteral("Velview") << QStringLiteral("velisa") << QString()
                             << QStringList{"lib"} << "lib";
    QTest::newRow("user's data") << QStringLiteral("Qelview") << qel << start
                                 << QStringList{"home", "system"} << "home";
    QTest::newRow("system's data")
        << QStringLiteral("Qelview") << qel << start << QStringList{"system"} << "system";
    QTest::newRow("beside wins") << QStringLiteral("Qelview") << qel << start
                                 << QStringList{"lib", "home"} << "lib";
}

// Started through its link, a program runs from the folder the link resolves
// to and reads its pictures from the folder placed beside it there, else from
// the data folders. Velview reads no picture before a pick, which a test
// cannot make without a display; it shares that rule with Qelview, so for it
// only the start through the link is checked.
void InstallTreeTest::installedProgramStartsBesideItsPictures()
{
    QFETCH(QString, program);
    QFETCH(QString, folder);
    QFETCH(QString, readAtStart);
    QFETCH(QStringList, placed);
    QFETCH(QString, read);
    QTemporaryDir data;
    const QString name = program.toLower();
    const auto pictures = [&](const QString& place) {
        return (place == "lib" ? m_prefix : data).filePath(place + "/" + name + "/" + folder);
    };
    std::map<QString, std::unique_ptr<OpenWatch>> watches;
    for (const QString& place : placed) {
        QVERIFY(QDir().mkpath(pictures(place)));
        writePicture(pictures(place) + QStringLiteral("/0.jpg"));
        writePicture(pictures(place) + QStringLiteral("/15.jpg"));
        watches[place] = std::make_unique<OpenWatch>(pictures(place));
        QVERIFY(watches[place]->isValid());
    }

    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", data.filePath("home"));
    environment.insert("XDG_DATA_DIRS", data.filePath("elsewhere") + ":" + data.filePath("system"));
    process.setProcessEnvironment(environment);
    process.start(installed(QStringLiteral("bin/") + name), {});
    QVERIFY(process.waitForStarted());
    // Started up and waiting for the user, having read its start picture.
    const auto settled = [&] {
        return (readAtStart.isEmpty() || watches[read]->opened(readAtStart)) &&
               waitsForEvents(process.processId());
    };
    QTRY_VERIFY_WITH_TIMEOUT(settled() || process.state() != QProcess::Running, 20'000);
    QCOMPARE(process.state(), QProcess::Running);
    if (!readAtStart.isEmpty())
        for (const QString& place : placed)
            QCOMPARE(watches[place]->opened(readAtStart), place == read);
    process.kill();
    QVERIFY(process.waitForFinished());
    QVERIFY(QDir(pictures("lib")).removeRecursively());
}

QTEST_MAIN(InstallTreeTest)
#include "tst_install_tree.moc"
