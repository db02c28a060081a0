#include <QFile>
#include <QTest>
#include <QtEndian>

#include <optional>
#include <variant>
#include <vector>

// The Windows resource scripts, compiled by the cross tools' resource compiler
// into .res files before this test runs, read back resource by resource. The
// version resource is read where the system reads it, from the program file,
// and the icon from the running window, by the Windows tests under Wine.
namespace {
using Identifier = std::variant<quint16, QString>;

struct Resource {
    Identifier type;
    Identifier name;
    quint16 language = 0;
    QByteArray data;
};

quint16 u16(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

quint32 u32(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

qsizetype alignTo4(qsizetype offset)
{
    return (offset + 3) & ~qsizetype(3);
}

// A NUL-terminated UTF-16 string at offset; moves offset past the NUL.
std::optional<QString> readString(const QByteArray& bytes, qsizetype& offset)
{
    QString text;
    while (offset + 2 <= bytes.size()) {
        const quint16 unit = u16(bytes, offset);
        offset += 2;
        if (unit == 0)
            return text;
        text.append(QChar(unit));
    }
    return std::nullopt;
}

std::optional<Identifier> readIdentifier(const QByteArray& bytes, qsizetype& offset)
{
    if (offset + 4 <= bytes.size() && u16(bytes, offset) == 0xFFFF) {
        offset += 4;
        return u16(bytes, offset - 2);
    }
    if (auto text = readString(bytes, offset))
        return *text;
    return std::nullopt;
}

// Every resource of a .res file in order, after its leading empty entry; empty
// when the structure is broken.
std::vector<Resource> readResFile(const QByteArray& bytes)
{
    std::vector<Resource> resources;
    qsizetype offset = 0;
    while (offset < bytes.size()) {
        if (offset + 8 > bytes.size())
            return {};
        const qsizetype dataSize = u32(bytes, offset);
        const qsizetype headerSize = u32(bytes, offset + 4);
        qsizetype field = offset + 8;
        const auto type = readIdentifier(bytes, field);
        const auto name = readIdentifier(bytes, field);
        field = alignTo4(field);
        if (!type || !name || field + 16 != offset + headerSize ||
            offset + headerSize + dataSize > bytes.size())
            return {};
        const quint16 language = u16(bytes, field + 6);
        const QByteArray data = bytes.mid(offset + headerSize, dataSize);
        if (offset == 0) {
            // The file opens with an empty entry of type and name 0.
            if (dataSize != 0 || *type != Identifier(quint16(0)))
                return {};
        } else {
            resources.push_back({*type, *name, language, data});
        }
        offset = alignTo4(offset + headerSize + dataSize);
    }
    return resources;
}

QByteArray le16(std::initializer_list<quint16> values)
{
    QByteArray bytes;
    for (const quint16 value : values) {
        bytes.append(char(value & 0xFF));
        bytes.append(char(value >> 8));
    }
    return bytes;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

const Resource* find(const std::vector<Resource>& resources, quint16 type)
{
    for (const Resource& resource : resources)
        if (resource.type == Identifier(type))
            return &resource;
    return nullptr;
}

constexpr quint16 iconType = 3;
constexpr quint16 groupIconType = 14;
constexpr quint16 versionType = 16;
constexpr quint16 rawDataType = 10;
constexpr quint16 manifestType = 24;
} // namespace

class WindowsResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data();
    void resources();
    void iconGroup();
    void iconImage();

private:
    std::vector<Resource> compiled(const QString& program);
};

void WindowsResourcesTest::initTestCase_data()
{
    QTest::addColumn<QString>("program");
    QTest::newRow("Qelview") << QStringLiteral("Qelview");
    QTest::newRow("Velview") << QStringLiteral("Velview");
}

std::vector<Resource> WindowsResourcesTest::compiled(const QString& program)
{
    const QString path = QStringLiteral(RES_DIR "/%1.res").arg(program.toLower());
    const QByteArray bytes = fileBytes(path);
    if (bytes.isEmpty())
        qWarning("%s is missing: it is written by the windres tests", qPrintable(path));
    return readResFile(bytes);
}

// Exactly the icon, its group, the built-in picture, the manifest and the
// version resource, each under its name and in its language: all
// language-neutral but the version, which is Chinese (PRC). The picture and
// the manifest are the files they are made from, byte for byte.
void WindowsResourcesTest::resources()
{
    QFETCH_GLOBAL(QString, program);
    const auto resources = compiled(program);
    QCOMPARE(resources.size(), std::size_t(5));
    const Resource* icon = find(resources, iconType);
    const Resource* group = find(resources, groupIconType);
    const Resource* version = find(resources, versionType);
    const Resource* picture = find(resources, rawDataType);
    const Resource* manifest = find(resources, manifestType);
    QVERIFY(icon && group && version && picture && manifest);
    QVERIFY(picture->name == Identifier(QStringLiteral("BUILTIN_PICTURE")));
    QCOMPARE(picture->language, quint16(0));
    const QByteArray jpeg =
        fileBytes(QStringLiteral(ASSETS_DIR "/%1/built-in-picture.jpg").arg(program.toLower()));
    QVERIFY(!jpeg.isEmpty());
    QCOMPARE(picture->data, jpeg);
    QVERIFY(manifest->name == Identifier(quint16(1)));
    QCOMPARE(manifest->language, quint16(0));
    const QByteArray manifestFile = fileBytes(QStringLiteral(ASSETS_DIR "/windows.manifest"));
    QVERIFY(!manifestFile.isEmpty());
    QCOMPARE(manifest->data, manifestFile);
    QVERIFY(icon->name == Identifier(quint16(30001)));
    QCOMPARE(icon->language, quint16(0));
    QVERIFY(group->name == Identifier(quint16(1)));
    QCOMPARE(group->language, quint16(0));
    QVERIFY(version->name == Identifier(quint16(1)));
    QCOMPARE(version->language, quint16(2052));
}

void WindowsResourcesTest::iconGroup()
{
    QFETCH_GLOBAL(QString, program);
    const auto resources = compiled(program);
    const Resource* group = find(resources, groupIconType);
    QVERIFY(group);
    QByteArray expected = le16({0, 1, 1});         // reserved, icon, one entry
    expected += QByteArray("\x30\x30\x00\x00", 4); // 48 x 48, no palette, reserved
    expected += le16({1, 16});                     // planes, bits per pixel
    expected += le16({5032, 0});                   // bytes in the image
    expected += le16({30001});                     // the image's identifier
    QCOMPARE(group->data, expected);
}

// The icon resource is the window icon file from its bitmap header on.
void WindowsResourcesTest::iconImage()
{
    QFETCH_GLOBAL(QString, program);
    const auto resources = compiled(program);
    const Resource* icon = find(resources, iconType);
    QVERIFY(icon);
    const QByteArray iconFile =
        fileBytes(QStringLiteral(ASSETS_DIR "/%1/window-icon.ico").arg(program.toLower()));
    QCOMPARE(icon->data, iconFile.mid(22));
}

QTEST_MAIN(WindowsResourcesTest)
#include "tst_windows_resources.moc"
