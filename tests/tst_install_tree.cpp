#include "process_idle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

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
    QProcess install;
    install.setProcessChannelMode(QProcess::ForwardedChannels);
    install.start(QStringLiteral(CMAKE_COMMAND),
                  {QStringLiteral("--install"), QStringLiteral(BUILD_DIR),
                   QStringLiteral("--prefix"), m_prefix.path()});
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
    QTest::newRow("Qelview") << QStringLiteral("Qelview") << QStringLiteral("Qel")
                             << QStringLiteral("0.jpg");
    QTest::newRow("Velview") << QStringLiteral("Velview") << QStringLiteral("velisa") << QString();
}

// Started through its link, a program runs from the folder the link resolves
// to and reads its pictures from the folder placed beside it there. Velview
// reads no picture before a pick, which a test cannot make without a display;
// it shares that rule with Qelview, so for it only the start through the link
// is checked.
void InstallTreeTest::installedProgramStartsBesideItsPictures()
{
    QFETCH(QString, program);
    QFETCH(QString, folder);
    QFETCH(QString, readAtStart);
    const QDir programFolder(installed(QStringLiteral("lib/") + program.toLower()));
    QVERIFY(programFolder.mkdir(folder));
    const QString pictures = programFolder.filePath(folder);
    writePicture(pictures + QStringLiteral("/0.jpg"));
    writePicture(pictures + QStringLiteral("/15.jpg"));
    OpenWatch watch(pictures);
    QVERIFY(watch.isValid());

    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(installed(QStringLiteral("bin/") + program.toLower()), {});
    QVERIFY(process.waitForStarted());
    // Started up and waiting for the user, having read its start picture.
    const auto settled = [&] {
        return (readAtStart.isEmpty() || watch.opened(readAtStart)) &&
               waitsForEvents(process.processId());
    };
    QTRY_VERIFY_WITH_TIMEOUT(settled() || process.state() != QProcess::Running, 20'000);
    QCOMPARE(process.state(), QProcess::Running);
    if (!readAtStart.isEmpty())
        QVERIFY(watch.opened(readAtStart));
    process.kill();
    QVERIFY(process.waitForFinished());
    QVERIFY(QDir(pictures).removeRecursively());
}

QTEST_MAIN(InstallTreeTest)
#include "tst_install_tree.moc"
