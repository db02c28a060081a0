#include "catalogue_rules.h"
#include "golden_table.h"
#include "qelview_catalogue.h"
#include "velview_catalogue.h"

#include <QSet>
#include <QTest>

#include <iconv.h>

#include <climits>
#include <string>

namespace {
QString qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

const ExpressionCatalogue& catalogueNamed(const QString& name)
{
    return name == "Qelview" ? qelviewCatalogue() : velviewCatalogue();
}

// Converts with the system's iconv, so that a character variant that GBK
// lacks or spells differently shows up as a failure or a wrong length.
std::string toGbk(std::u16string_view text)
{
    iconv_t converter = iconv_open("GBK", "UTF-16LE");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string input(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    std::string output(text.size() * 4, '\0');
    char* in = input.data();
    char* out = output.data();
    size_t inLeft = input.size();
    size_t outLeft = output.size();
    const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == size_t(-1) || inLeft != 0)
        return {};
    output.resize(output.size() - outLeft);
    return output;
}

std::u16string fromGbk(const std::string& bytes)
{
    iconv_t converter = iconv_open("UTF-16LE", "GBK");
    std::string input = bytes;
    std::string output(bytes.size() * 4 + 2, '\0');
    char* in = input.data();
    char* out = output.data();
    size_t inLeft = input.size();
    size_t outLeft = output.size();
    iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    output.resize(output.size() - outLeft);
    return {reinterpret_cast<const char16_t*>(output.data()), output.size() / 2};
}
} // namespace

// Each program's catalogue against the hand-typed golden tables.
class CatalogueTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase_data();
    void matchesTheGoldenTable();
    void findEntryBounds();
    void picturePath();
    void onlyThePicturesInUseHaveAPath();
    void descriptionText();
    void gbkRoundTrip();
};

void CatalogueTest::initTestCase_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QList<int>>("longestGbk");
    QTest::newRow("Qelview") << "Qelview" << QList<int>{6, 16, 12, 8};
    QTest::newRow("Velview") << "Velview" << QList<int>{6, 12, 8, 6};
}

// Every code point of every text, every number and every position.
void CatalogueTest::matchesTheGoldenTable()
{
    QFETCH_GLOBAL(QString, program);
    const ExpressionCatalogue& catalogue = catalogueNamed(program);
    QCOMPARE(goldenEntries(program).size(), program == "Qelview" ? 56 : 30);
    QCOMPARE(qs(catalogue.pictureFolder), goldenFact(program, "folder"));
    QCOMPARE(catalogue.startupPicture ? QString::number(*catalogue.startupPicture) : QString(),
             goldenFact(program, "startup picture"));
    QCOMPARE(QString::number(catalogue.resetPicture), goldenFact(program, "reset picture"));
    for (int list = 1; list <= 4; ++list) {
        const Category& category = catalogue.categories[std::size_t(list - 1)];
        const QString key = QStringLiteral("list %1 ").arg(list);
        QCOMPARE(category.ordinal, list);
        QCOMPARE(qs(category.caption), goldenFact(program, key + "caption"));
        QCOMPARE(qs(category.initialText), goldenFact(program, key + "initial text"));
        const QList<GoldenEntry> golden = goldenList(program, list);
        QCOMPARE(qsizetype(category.entries.size()), golden.size());
        for (const GoldenEntry& expected : golden) {
            const CatalogueEntry& entry = category.entries[std::size_t(expected.index)];
            QCOMPARE(entry.index, expected.index);
            QCOMPARE(qs(entry.listText), expected.listText);
            QCOMPARE(entry.pictureNumber, expected.picture);
            QCOMPARE(qs(entry.description), expected.description);
        }
    }
}

// Each index a list can report finds its own entry; every other index none.
void CatalogueTest::findEntryBounds()
{
    QFETCH_GLOBAL(QString, program);
    for (int list = 1; list <= 4; ++list) {
        const Category& category = catalogueNamed(program).categories[std::size_t(list - 1)];
        const QList<GoldenEntry> golden = goldenList(program, list);
        for (const GoldenEntry& expected : golden)
            QCOMPARE(FindEntry(category, std::int16_t(expected.index))->pictureNumber,
                     expected.picture);
        for (int index : {-1, int(golden.size()), SHRT_MIN, SHRT_MAX})
            QVERIFY2(!FindEntry(category, std::int16_t(index)), qPrintable(QString::number(index)));
    }
}

void CatalogueTest::picturePath()
{
    const auto path = [](const ExpressionCatalogue& catalogue, const char* directory, int number) {
        return QString::fromStdString(PicturePath(catalogue, directory, number)->string());
    };

    // A directory that ends in a separator, as the root does, gets no second.
    QCOMPARE(path(qelviewCatalogue(), "/", 1), QStringLiteral("/Qel/1.jpg"));
    // Nothing is normalised: dots, doubled separators and spaces pass unchanged.
    QCOMPARE(path(velviewCatalogue(), "/a b//表情/.", 30),
             QStringLiteral("/a b//表情/./velisa/30.jpg"));
}

// A path for every picture the program reads and for no other number.
void CatalogueTest::onlyThePicturesInUseHaveAPath()
{
    QFETCH_GLOBAL(QString, program);
    QSet<int> used;
    for (const GoldenEntry& entry : goldenEntries(program))
        used.insert(entry.picture);
    for (const char* key : {"startup picture", "reset picture"})
        if (!goldenFact(program, key).isEmpty())
            used.insert(goldenFact(program, key).toInt());
    for (int number = -1; number <= 58; ++number) {
        const auto path = PicturePath(catalogueNamed(program), "/x", number);
        QCOMPARE(bool(path), used.contains(number));
        if (path)
            QCOMPARE(QString::fromStdString(path->string()),
                     QStringLiteral("/x/%1/%2.jpg").arg(goldenFact(program, "folder")).arg(number));
    }
}

void CatalogueTest::descriptionText()
{
    QFETCH_GLOBAL(QString, program);
    const std::u16string heading{0x0020, 0x005B, 0x8868, 0x60C5, 0x8BF4, 0x660E, 0x005D};
    QCOMPARE(qs(DescriptionHeading), qs(heading));
    for (const GoldenEntry& expected : goldenEntries(program)) {
        const Category& category =
            catalogueNamed(program).categories[std::size_t(expected.list - 1)];
        QCOMPARE(qs(DescriptionText(category.entries[std::size_t(expected.index)])),
                 qs(heading + u"\r\n   ") + expected.description);
    }
}

// The list texts come from a layout stored in GBK: every character must have a
// GBK code, and the longest item of each list its stated length.
void CatalogueTest::gbkRoundTrip()
{
    QFETCH_GLOBAL(QString, program);
    QFETCH_GLOBAL(QList<int>, longestGbk);
    const ExpressionCatalogue& catalogue = catalogueNamed(program);
    for (std::size_t c = 0; c < 4; ++c) {
        const Category& category = catalogue.categories[c];
        std::size_t longestBytes = 0;
        for (const CatalogueEntry& entry : category.entries) {
            const std::string gbk = toGbk(entry.listText);
            QVERIFY2(!gbk.empty(), qPrintable(qs(entry.listText)));
            QCOMPARE(qs(fromGbk(gbk)), qs(entry.listText));
            longestBytes = std::max(longestBytes, gbk.size());
        }
        QCOMPARE(int(longestBytes), longestGbk[qsizetype(c)]);
        for (std::u16string_view heading : {category.caption, category.initialText})
            QCOMPARE(qs(fromGbk(toGbk(heading))), qs(heading));
    }
}

QTEST_APPLESS_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
