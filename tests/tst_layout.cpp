#include "caption_label.h"
#include "catalogue_rules.h"
#include "category_headings.h"
#include "colour_distance.h"
#include "form_layout.h"
#include "picture_area.h"
#include "viewer_program.h"
#include "viewer_window.h"

#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextLayout>

namespace {
// A small catalogue of its own, with a description far longer than the
// description panel can show.
constexpr CatalogueEntry shortList[] = {
    {0, u"まばたき", 1,
     u"这是一段很长很长的说明文字，用来检查说明标签在文字超出它的大小时会在底边被截断，"
     u"而不会变大或者滚动，下面的列表也不会移动位置。再多写一些文字，让它一定会超出四行。"},
    {1, u"あ", 2, u"短说明"},
};
constexpr ExpressionCatalogue testCatalogue{
    u"pictures",
    {{headedCategory(1, shortList), headedCategory(2, shortList), headedCategory(3, shortList),
      headedCategory(4, shortList)}},
    std::nullopt,
    2,
};
const Program testProgram{u"Layout", testCatalogue, "Layout"};
const ViewerProgram testViewerProgram{testProgram, ":/qelview/built-in-picture.jpg",
                                      ":/qelview/icon-48.png"};

QString familyDrawing(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList families;
    for (const QGlyphRun& run : layout.glyphRuns())
        families.append(run.rawFont().familyName());
    families.removeDuplicates();
    return families.join(u'+');
}

QColor colourAt(QWidget* widget, QPoint logical)
{
    const QImage image = widget->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    return image.pixelColor(int(logical.x() * scale), int(logical.y() * scale));
}

bool near(QColor a, QColor b)
{
    return colourDistance(a, b) < 30;
}
} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void geometryFollowsTheTable();
    void stackingOrder();
    void onlyListsTakeFocus();
    void fontsResolveToCjkFaces();
    void descriptionPanelIsPink();
    void picturesFillTheArea_data();
    void picturesFillTheArea();
    void longDescriptionGetsSmallerType();

private:
    QTemporaryDir m_directory;
    std::unique_ptr<ViewerWindow> m_window;
    QString pictureFile(int number) const
    {
        return m_directory.filePath(QStringLiteral("pictures/%1.jpg").arg(number));
    }
};

void LayoutTest::init()
{
    QVERIFY(QDir(m_directory.path()).mkpath(QStringLiteral("pictures")));
    m_window = std::make_unique<ViewerWindow>(testViewerProgram,
                                              QFile::encodeName(m_directory.path()).toStdString());
    m_window->load();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void LayoutTest::geometryFollowsTheTable()
{
    QCOMPARE(m_window->size(), QSize(299, 432));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    const QList<std::pair<const char*, QRect>> expected{
        {"Combo4", {184, 400, 105, 20}}, {"Combo3", {40, 400, 105, 20}},
        {"Combo2", {184, 368, 105, 20}}, {"Combo1", {40, 368, 105, 20}},
        {"Label5", {16, 304, 265, 60}},  {"Label4", {152, 400, 33, 17}},
        {"Label3", {8, 400, 33, 17}},    {"Label2", {152, 368, 33, 17}},
        {"Label1", {8, 368, 33, 17}},    {"Image1", {0, 0, 300, 300}}};
    for (const auto& [name, rect] : expected) {
        auto* control = m_window->findChild<QWidget*>(QLatin1String(name));
        QVERIFY2(control, name);
        QCOMPARE(control->geometry(), rect);
    }
    // The picture area is decoded at the screen's own pixel density.
    auto* picture = m_window->findChild<PictureArea*>(QStringLiteral("Image1"));
    QCOMPARE(picture->deviceSize(), (QSizeF(300, 300) * m_window->devicePixelRatioF()).toSize());
    QCOMPARE(picture->picture().size(), picture->deviceSize());
}

void LayoutTest::stackingOrder()
{
    QStringList bottomToTop;
    for (QObject* child : m_window->children())
        if (child->isWidgetType())
            bottomToTop.prepend(child->objectName());
    QStringList tableOrder;
    for (const ControlLayout& control : formControls)
        tableOrder.append(
            QString::fromLatin1(control.objectName.data(), qsizetype(control.objectName.size())));
    QCOMPARE(bottomToTop, tableOrder);
}

void LayoutTest::onlyListsTakeFocus()
{
    QWidget* list = m_window->findChild<QWidget*>(QStringLiteral("Combo1"));
    QStringList chain;
    QWidget* widget = list;
    do {
        if (widget->focusPolicy() & Qt::TabFocus && !widget->focusProxy())
            chain.append(widget->objectName().isEmpty() ? widget->parent()->objectName()
                                                        : widget->objectName());
        widget = widget->nextInFocusChain();
    } while (widget != list);
    chain.removeDuplicates();
    QCOMPARE(chain, QStringList({"Combo1", "Combo2", "Combo3", "Combo4"}));
    for (const char* name : {"Label1", "Label5", "Image1"})
        QCOMPARE(m_window->findChild<QWidget*>(QLatin1String(name))->focusPolicy(), Qt::NoFocus);
}

void LayoutTest::fontsResolveToCjkFaces()
{
    const QStringList chineseFaces{"微软雅黑", "Noto Sans CJK SC", "WenQuanYi Micro Hei"};
    auto* caption = m_window->findChild<QWidget*>(QStringLiteral("Label1"));
    auto* description = m_window->findChild<QWidget*>(QStringLiteral("Label5"));
    QCOMPARE(caption->font().pointSizeF(), 10.5);
    QCOMPARE(description->font().pointSizeF(), 9.0);
    QCOMPARE(caption->font().weight(), QFont::Normal);
    QVERIFY2(chineseFaces.contains(familyDrawing(QStringLiteral("眉毛"), caption->font())),
             qPrintable(familyDrawing(QStringLiteral("眉毛"), caption->font())));
    QVERIFY(chineseFaces.contains(
        familyDrawing(QStringLiteral("眉毛朝下，严肃的表情"), description->font())));

    // Japanese names must be drawn with Japanese glyph forms, every one of
    // them with a real glyph.
    auto* list = m_window->findChild<QComboBox*>(QStringLiteral("Combo2"));
    for (const QString& text : {QStringLiteral("まばたき"), QStringLiteral("瞳縦潰れ"),
                                QStringLiteral("恐ろしい子！"), QStringLiteral("ω□▲∧")}) {
        QCOMPARE(familyDrawing(text, list->font()), QStringLiteral("Noto Sans CJK JP"));
        QTextLayout layout(text, list->font());
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun& run : layout.glyphRuns())
            QVERIFY2(!run.glyphIndexes().contains(0), qPrintable(text));
    }
}

void LayoutTest::descriptionPanelIsPink()
{
    auto* description = m_window->findChild<QWidget*>(QStringLiteral("Label5"));
    QCOMPARE(colourAt(description, {260, 55}), QColor(255, 192, 192));
    auto* caption = m_window->findChild<QWidget*>(QStringLiteral("Label1"));
    QCOMPARE(colourAt(caption, {31, 15}), m_window->palette().color(QPalette::Window));
}

void LayoutTest::picturesFillTheArea_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("squeezed") << QSize(600, 300);
    QTest::newRow("enlarged") << QSize(100, 100);
    QTest::newRow("tall") << QSize(120, 480);
}

// Every picture is stretched over the whole area, whatever its proportions.
void LayoutTest::picturesFillTheArea()
{
    QFETCH(QSize, size);
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(QRect(0, 0, size.width() / 2, size.height() / 2), Qt::red);
    painter.fillRect(QRect(size.width() / 2, 0, size.width() / 2, size.height() / 2), Qt::blue);
    painter.fillRect(QRect(0, size.height() / 2, size.width(), size.height() / 2), Qt::green);
    painter.end();
    QVERIFY(image.save(pictureFile(2), "JPEG", 95));

    auto* picture = m_window->findChild<PictureArea*>(QStringLiteral("Image1"));
    QTest::mouseDClick(picture, Qt::LeftButton, {}, QPoint(10, 10));
    QVERIFY(near(colourAt(picture, {4, 4}), Qt::red));
    QVERIFY(near(colourAt(picture, {145, 145}), Qt::red));
    QVERIFY(near(colourAt(picture, {155, 145}), Qt::blue));
    QVERIFY(near(colourAt(picture, {295, 4}), Qt::blue));
    QVERIFY(near(colourAt(picture, {4, 155}), Qt::green));
    QVERIFY(near(colourAt(picture, {295, 295}), Qt::green));
}

void LayoutTest::longDescriptionGetsSmallerType()
{
    auto* description = m_window->findChild<CaptionLabel*>(QStringLiteral("Label5"));
    auto* below = m_window->findChild<QWidget*>(QStringLiteral("Combo1"));
    const QRect labelBefore = description->geometry();
    const QRect listBefore = below->geometry();

    auto* list = m_window->findChild<QComboBox*>(QStringLiteral("Combo1"));
    list->setCurrentIndex(0);
    emit list->activated(0);
    QVERIFY(description->caption().endsWith(QStringLiteral("一定会超出四行。")));
    // Every line shows, in smaller type than the designed 9 pt, in the box.
    QVERIFY(description->heightForWidth(description->width()) <= description->height());
    QVERIFY(QFontInfo(description->font()).pixelSize() < 12);
    QCOMPARE(description->geometry(), labelBefore);
    QCOMPARE(below->geometry(), listBefore);
    QCOMPARE(colourAt(description, {263, 58}), QColor(255, 192, 192));
}

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
