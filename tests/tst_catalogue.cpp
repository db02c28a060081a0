#include "catalogue_rules.h"
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

const ExpressionCatalogue& catalogueNamed(const QByteArray& name)
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

class CatalogueTest : public QObject {
    Q_OBJECT

private slots:
    void shape_data();
    void shape();
    void findEntryBounds_data();
    void findEntryBounds();
    void lastEntries();
    void headings();
    void picturePath();
    void picturesOutsideTheCatalogueHaveNoPath();
    void descriptionText();
    void descriptionsKeepAsciiMarks();
    void trailingSpaces();
    void characterVariants();
    void gbkRoundTrip_data();
    void gbkRoundTrip();
    void velviewGbkLengths();
    void winkEntriesDifferBetweenPrograms();
};

void CatalogueTest::shape_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<QString>("folder");
    QTest::newRow("Qelview") << QByteArray("Qelview") << QList<int>{6, 20, 23, 7} << "Qel";
    QTest::newRow("Velview") << QByteArray("Velview") << QList<int>{6, 11, 11, 2} << "velisa";
}

// Counts, positions and running picture numbers, and no text or number twice.
void CatalogueTest::shape()
{
    QFETCH(QByteArray, program);
    QFETCH(QList<int>, counts);
    QFETCH(QString, folder);
    const ExpressionCatalogue& catalogue = catalogueNamed(program);

    QCOMPARE(qs(catalogue.pictureFolder), folder);
    int expectedPicture = 1;
    QSet<QString> listTexts;
    QSet<QString> descriptions;
    for (std::size_t c = 0; c < catalogue.categories.size(); ++c) {
        const Category& category = catalogue.categories[c];
        QCOMPARE(category.ordinal, int(c) + 1);
        QCOMPARE(int(category.entries.size()), counts[qsizetype(c)]);
        for (std::size_t i = 0; i < category.entries.size(); ++i) {
            const CatalogueEntry& entry = category.entries[i];
            QCOMPARE(entry.index, int(i));
            QCOMPARE(entry.pictureNumber, expectedPicture++);
            QVERIFY(!entry.listText.empty());
            QVERIFY(!entry.description.empty());
            listTexts.insert(qs(entry.listText));
            descriptions.insert(qs(entry.description));
        }
    }
    const int total = expectedPicture - 1;
    QCOMPARE(listTexts.size(), total);
    QCOMPARE(descriptions.size(), total);
}

void CatalogueTest::findEntryBounds_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<int>("category");
    for (const char* program : {"Qelview", "Velview"})
        for (int category = 0; category < 4; ++category)
            QTest::addRow("%s category %d", program, category + 1)
                << QByteArray(program) << category;
}

void CatalogueTest::findEntryBounds()
{
    QFETCH(QByteArray, program);
    QFETCH(int, category);
    const Category& list = catalogueNamed(program).categories[std::size_t(category)];
    const auto count = static_cast<std::int16_t>(list.entries.size());

    QCOMPARE(FindEntry(list, 0)->pictureNumber, list.entries.front().pictureNumber);
    QCOMPARE(FindEntry(list, std::int16_t(count - 1))->pictureNumber,
             list.entries.back().pictureNumber);
    QCOMPARE(FindEntry(list, 1)->index, 1);
    QVERIFY(!FindEntry(list, -1));
    QVERIFY(!FindEntry(list, count));
    QVERIFY(!FindEntry(list, SHRT_MIN));
    QVERIFY(!FindEntry(list, SHRT_MAX));
}

void CatalogueTest::lastEntries()
{
    QCOMPARE(FindEntry(qelviewCatalogue().categories[3], 6)->pictureNumber, 56);
    QCOMPARE(FindEntry(velviewCatalogue().categories[3], 1)->pictureNumber, 30);
    QVERIFY(!FindEntry(velviewCatalogue().categories[3], 2));

    const auto surprised = FindEntry(velviewCatalogue().categories[1], 8);
    QCOMPARE(qs(surprised->listText), QStringLiteral("びっくり"));
    QCOMPARE(surprised->pictureNumber, velviewCatalogue().resetPicture);
    QVERIFY(!velviewCatalogue().startupPicture);
    QCOMPARE(qelviewCatalogue().startupPicture, std::optional<int>(OverviewPicture));
    QCOMPARE(qelviewCatalogue().resetPicture, OverviewPicture);
}

void CatalogueTest::headings()
{
    const QStringList captions{"眉毛", "眼睛", "口型", "其他"};
    const QStringList initialTexts{"眉毛", "眼睛", "嘴巴", "其他"};
    for (const ExpressionCatalogue* catalogue : {&qelviewCatalogue(), &velviewCatalogue()}) {
        for (std::size_t c = 0; c < 4; ++c) {
            QCOMPARE(qs(catalogue->categories[c].caption), captions[qsizetype(c)]);
            QCOMPARE(qs(catalogue->categories[c].initialText), initialTexts[qsizetype(c)]);
        }
    }
}

void CatalogueTest::picturePath()
{
    const QString sep{QChar(PathSeparator)};
    const auto path = [](const ExpressionCatalogue& catalogue, std::u16string_view directory,
                         int number) {
        return qs(*PicturePath(catalogue, directory, number));
    };

    QCOMPARE(path(qelviewCatalogue(), u"/opt/viewers", 0),
             QStringLiteral("/opt/viewers") + sep + "Qel" + sep + "0.jpg");
    QCOMPARE(path(qelviewCatalogue(), u"/opt/viewers", 10),
             QStringLiteral("/opt/viewers") + sep + "Qel" + sep + "10.jpg");
    QCOMPARE(path(qelviewCatalogue(), u"/opt/viewers", 56),
             QStringLiteral("/opt/viewers") + sep + "Qel" + sep + "56.jpg");
    QCOMPARE(path(velviewCatalogue(), u"/opt/viewers", 15),
             QStringLiteral("/opt/viewers") + sep + "velisa" + sep + "15.jpg");
    // At the root the directory already ends in a separator: it is kept as
    // reported, so two stand together.
    QCOMPARE(path(qelviewCatalogue(), u"/", 1), QStringLiteral("/") + sep + "Qel" + sep + "1.jpg");
    // Nothing is normalised: dots, doubled separators and spaces pass unchanged.
    QCOMPARE(path(velviewCatalogue(), u"/a b//表情/./", 30),
             QStringLiteral("/a b//表情/./") + sep + "velisa" + sep + "30.jpg");
}

void CatalogueTest::picturesOutsideTheCatalogueHaveNoPath()
{
    QVERIFY(!PicturePath(qelviewCatalogue(), u"/x", 57));
    QVERIFY(!PicturePath(qelviewCatalogue(), u"/x", -1));
    QVERIFY(!PicturePath(velviewCatalogue(), u"/x", 0));
    QVERIFY(!PicturePath(velviewCatalogue(), u"/x", 31));
    QVERIFY(PicturePath(velviewCatalogue(), u"/x", 1));
}

void CatalogueTest::descriptionText()
{
    const std::u16string expectedStart{0x0020, 0x005B, 0x8868, 0x60C5, 0x8BF4, 0x660E,
                                       0x005D, 0x000D, 0x000A, 0x0020, 0x0020, 0x0020};
    for (const ExpressionCatalogue* catalogue : {&qelviewCatalogue(), &velviewCatalogue()}) {
        const std::u16string text = DescriptionText(*FindEntry(catalogue->categories[0], 0));
        QCOMPARE(qs(text), qs(expectedStart + u"眉毛朝下，严肃的表情"));
    }
    QCOMPARE(qs(DescriptionHeading), qs(expectedStart.substr(0, 7)));
}

void CatalogueTest::descriptionsKeepAsciiMarks()
{
    const auto described = [](const ExpressionCatalogue& catalogue, std::size_t category,
                              std::int16_t index) {
        return qs(DescriptionText(*FindEntry(catalogue.categories[category], index)));
    };
    QVERIFY(described(qelviewCatalogue(), 1, 6).endsWith(QStringLiteral("   双眼成-_-形态")));
    QVERIFY(described(qelviewCatalogue(), 1, 7).endsWith(QStringLiteral("双眼成>_<形态")));
    QVERIFY(described(qelviewCatalogue(), 1, 11).endsWith(QStringLiteral("超吓人有木有~")));
    QVERIFY(described(qelviewCatalogue(), 2, 5)
                .endsWith(QStringLiteral("比 あ 的口型要大，下巴略向下")));
    QVERIFY(described(velviewCatalogue(), 2, 9).endsWith(QStringLiteral("发出恶..的口型")));
    QVERIFY(described(velviewCatalogue(), 3, 1)
                .endsWith(QStringLiteral("\r\n   吐出舌头，卖萌或者调戏用表情，需要注意舌头穿模")));
}

void CatalogueTest::trailingSpaces()
{
    struct Spaced {
        std::size_t category;
        const char16_t* stem;
        int spaces;
        int picture;
    };
    const Spaced spaced[] = {{1, u"キリッ", 5, 17},       {1, u"瞳小", 12, 18},
                             {1, u"恐ろしい子！", 4, 23}, {2, u"ω□", 4, 39},
                             {2, u"にやり", 6, 40},       {2, u"てへぺろ", 3, 44}};
    int withSpaces = 0;
    for (const Category& category : qelviewCatalogue().categories)
        for (const CatalogueEntry& entry : category.entries)
            withSpaces += entry.listText.ends_with(u' ');
    QCOMPARE(withSpaces, 6);

    for (const Spaced& item : spaced) {
        const std::u16string text = item.stem + std::u16string(std::size_t(item.spaces), u' ');
        const Category& category = qelviewCatalogue().categories[item.category];
        const auto found = std::ranges::find(category.entries, std::u16string_view(text),
                                             &CatalogueEntry::listText);
        QVERIFY2(found != category.entries.end(), qPrintable(qs(text)));
        QCOMPARE(found->pictureNumber, item.picture);
    }
    for (const Category& category : velviewCatalogue().categories)
        for (const CatalogueEntry& entry : category.entries)
            QVERIFY(!entry.listText.starts_with(u' ') && !entry.listText.ends_with(u' '));
}

// The marks that look alike in ASCII and full width must be the full-width
// ones in list texts and the ASCII ones in the descriptions' emoticons.
void CatalogueTest::characterVariants()
{
    for (const ExpressionCatalogue* catalogue : {&qelviewCatalogue(), &velviewCatalogue()}) {
        for (const Category& category : catalogue->categories) {
            for (const CatalogueEntry& entry : category.entries) {
                const QString list = qs(entry.listText);
                const QString description = qs(entry.description);
                QVERIFY2(!list.contains(u'2') && !list.contains(u'!'), qPrintable(list));
                QVERIFY2(!description.contains(u','), qPrintable(description));
                QVERIFY2(!description.contains(QChar(0xFF5E)), qPrintable(description));
                for (QChar c : list)
                    QVERIFY2(c.unicode() == u' ' || c.unicode() > 0x7F, qPrintable(list));
            }
        }
    }
    const Category& eyes = qelviewCatalogue().categories[1];
    QCOMPARE(eyes.entries[4].listText, std::u16string_view(u"ウィンク\uFF12"));
    QCOMPARE(velviewCatalogue().categories[1].entries[10].listText,
             std::u16string_view(u"なぬ\uFF01"));
    QCOMPARE(velviewCatalogue().categories[2].entries[9].listText,
             std::u16string_view(u"え\u30FC"));
    QCOMPARE(qelviewCatalogue().categories[2].entries[11].listText, std::u16string_view(u"\u03C9"));
}

void CatalogueTest::gbkRoundTrip_data()
{
    QTest::addColumn<QByteArray>("program");
    QTest::addColumn<QList<int>>("longest");
    QTest::newRow("Qelview") << QByteArray("Qelview") << QList<int>{6, 16, 12, 8};
    QTest::newRow("Velview") << QByteArray("Velview") << QList<int>{6, 12, 8, 6};
}

void CatalogueTest::gbkRoundTrip()
{
    QFETCH(QByteArray, program);
    QFETCH(QList<int>, longest);
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
        QCOMPARE(int(longestBytes), longest[qsizetype(c)]);
        for (std::u16string_view heading : {category.caption, category.initialText})
            QCOMPARE(qs(fromGbk(toGbk(heading))), qs(heading));
    }
}

void CatalogueTest::velviewGbkLengths()
{
    const std::array<std::array<int, 11>, 4> lengths{{
        {6, 4, 6, 4, 2, 2},
        {8, 4, 8, 10, 10, 12, 4, 6, 8, 6, 6},
        {2, 2, 2, 2, 2, 2, 2, 4, 8, 4, 6},
        {4, 6},
    }};
    for (std::size_t c = 0; c < 4; ++c) {
        const Category& category = velviewCatalogue().categories[c];
        for (std::size_t i = 0; i < category.entries.size(); ++i)
            QCOMPARE(int(toGbk(category.entries[i].listText).size()), lengths[c][i]);
    }
}

void CatalogueTest::winkEntriesDifferBetweenPrograms()
{
    const auto descriptionOf = [](const ExpressionCatalogue& catalogue, std::u16string_view text) {
        const Category& eyes = catalogue.categories[1];
        return qs(std::ranges::find(eyes.entries, text, &CatalogueEntry::listText)->description);
    };
    QCOMPARE(descriptionOf(qelviewCatalogue(), u"ウィンク"), QStringLiteral("笑着闭左眼"));
    QCOMPARE(descriptionOf(velviewCatalogue(), u"ウィンク"), QStringLiteral("笑着闭右眼"));
    QCOMPARE(descriptionOf(qelviewCatalogue(), u"ウィンク２右"), QStringLiteral("闭右眼"));
    QCOMPARE(descriptionOf(velviewCatalogue(), u"ウィンク２右"), QStringLiteral("闭左眼"));
}

QTEST_APPLESS_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
