#include "window_fonts.h"

#include "form_layout.h"
#include "qt_text.h"
#include "text_font_fit.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QRawFont>
#include <QRect>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

// Each font names a CJK face first: fontconfig's own fallback for kana picks
// a Chinese face where both kinds are installed, and Qt shares one cached
// fallback list between fonts whose first family and size agree.

namespace {
// The first installed family of these alone, or all of them when none is
// installed. Naming one family that covers every character keeps Qt from
// asking fontconfig for a sorted list of substitutes, which it does for every
// font with more than one family, and for a family that is not installed, at
// a cost greater than the rest of the font's set-up.
QStringList firstInstalled(const QStringList& families)
{
    // The plain list of families, unlike a lookup of each name, asks
    // fontconfig for no substitutes either.
    const QStringList available = QFontDatabase::families();
    for (const QString& family : families)
        if (available.contains(family, Qt::CaseInsensitive))
            return {family};
    return families;
}

// The room texts take in a font, measured glyph by glyph: the sum of their
// glyphs' advances and the height of the ink of all of them. Shaping each
// text, as a text layout does, costs more than the rest of the fit; the
// names are CJK and symbols, which no shaping narrows or moves.
struct GlyphExtent {
    QRectF ink;
    qreal widest = 0;
};

GlyphExtent measureGlyphs(const QFont& font, const QStringList& texts)
{
    const QFontMetricsF metrics(font);
    QHash<char16_t, qreal> advances;
    GlyphExtent extent;
    for (const QString& text : texts) {
        qreal width = 0;
        if (std::ranges::any_of(text, [](QChar c) { return c.isSurrogate(); })) {
            // Beyond the basic plane, the text as a layout lays it out.
            width = metrics.horizontalAdvance(text);
            extent.ink |= metrics.tightBoundingRect(text);
        } else {
            for (const QChar c : text) {
                auto advance = advances.constFind(c.unicode());
                if (advance == advances.cend()) {
                    advance = advances.insert(c.unicode(), metrics.horizontalAdvance(c));
                    if (!c.isSpace())
                        extent.ink |= metrics.boundingRect(c);
                }
                width += *advance;
            }
        }
        extent.widest = std::max(extent.widest, width);
    }
    return extent;
}
// The largest size, from largest down, at which every text is no wider than
// width by the face's own advances, each rounded up to a whole pixel, which
// a hinted advance does not exceed: a size above it need not be measured.
// Reading the advances from the face's tables loads no glyph. largest where
// the face lacks a glyph, which another face then draws.
int largestSizeByAdvances(const QFont& font, const QStringList& texts, int width, int largest)
{
    const QRawFont face = QRawFont::fromFont(font);
    const QByteArray header = face.fontTable("hhea");
    const QByteArray metrics = face.fontTable("hmtx");
    const auto word = [](const QByteArray& table, qsizetype at) {
        return (std::uint8_t(table[at]) << 8) | std::uint8_t(table[at + 1]);
    };
    if (header.size() < 36 || face.unitsPerEm() <= 0)
        return largest;
    const qsizetype longMetrics = std::min<qsizetype>(word(header, 34), metrics.size() / 4);
    if (longMetrics == 0)
        return largest;
    std::vector<std::vector<int>> advances;
    for (const QString& text : texts) {
        std::vector<int>& units = advances.emplace_back();
        for (const quint32 glyph : face.glyphIndexesForString(text)) {
            if (glyph == 0)
                return largest;
            units.push_back(word(metrics, 4 * std::min<qsizetype>(glyph, longMetrics - 1)));
        }
    }
    const qreal unitsPerEm = face.unitsPerEm();
    for (int size = largest; size > 1; --size) {
        const bool fits = std::ranges::all_of(advances, [&](const std::vector<int>& units) {
            qreal sum = 0;
            for (const int unit : units)
                sum += std::ceil(unit * size / unitsPerEm);
            return sum <= width;
        });
        if (fits)
            return size;
    }
    return 1;
}
} // namespace

QFont chineseLabelFont(const LabelFont& design)
{
    static const QStringList families = firstInstalled(
        {toQString(design.face), QStringLiteral("Noto Sans CJK SC"),
         QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Source Han Sans SC")});
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(design.tenthsOfPoint / 10.0);
    font.setWeight(QFont::Weight(design.weight));
    font.setStyle(QFont::StyleNormal);
    return font;
}

QFont japaneseListFont()
{
    QFont font = QApplication::font("QComboBox");
    static const QStringList families = firstInstalled(
        {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Source Han Sans JP"),
         QStringLiteral("Yu Gothic UI"), QStringLiteral("Meiryo UI"), font.family()});
    font.setFamilies(families);
    return font;
}

QFont fittingLabelFont(const QLabel& label, const LabelFont& design)
{
    const QFont designed = chineseLabelFont(design);
    const int largest = designFontPixels(design, label.logicalDpiY());
    const TextExtent room = labelRoom(controlLayout(label.objectName().toStdString()));
    const QString text = label.text();
    QFont smaller = designed;
    const auto extentAt = [&](int pixels) {
        // The designed font itself at its own size: a text that fits loads
        // no other size of the face.
        if (pixels != largest)
            smaller.setPixelSize(pixels);
        const QFont& font = pixels == largest ? designed : smaller;
        const QFontMetrics metrics(font);
        if (label.wordWrap()) {
            const QRect laidOut =
                metrics.boundingRect(QRect(0, 0, room.width, QWIDGETSIZE_MAX),
                                     int(label.alignment()) | Qt::TextWordWrap, text);
            return TextExtent{laidOut.height(), laidOut.width()};
        }
        // A caption's one line is centred in its box: what must fit is the
        // ink, as far above and below the line's middle as it reaches.
        const GlyphExtent glyphs = measureGlyphs(pixels == largest ? designed : smaller, {text});
        const int middle = metrics.height() / 2;
        const int reach = int(std::ceil(std::max(middle - (metrics.ascent() + glyphs.ink.top()),
                                                 metrics.ascent() + glyphs.ink.bottom() - middle)));
        return TextExtent{2 * reach, int(std::ceil(std::max(glyphs.widest, glyphs.ink.right())))};
    };
    const int size = fittingFontSize(largest, SmallestFontPixels, room, extentAt);
    if (size == largest)
        return designed;
    smaller.setPixelSize(size);
    return smaller;
}

QFont fittingListFont(const QWidget& window, QSize listSize, const QStringList& texts)
{
    // The lists share one size, so every list has the same font whatever
    // its items. Their field is measured from the style before any list
    // exists, so that each is made in the font it keeps.
    QStyleOptionComboBox option;
    option.initFrom(&window);
    option.editable = true;
    option.rect = QRect(QPoint(), listSize);
    option.subControls = QStyle::SC_All;
    // A field's text keeps a margin of 2 px at each side and 1 px above and
    // below, and the caret needs a pixel past the last character.
    const QRect field = window.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, nullptr);
    const TextExtent room{field.height() - 2, field.width() - 5};

    const QFont desktop = japaneseListFont();
    const int largest = QFontInfo(desktop).pixelSize();
    QFont smaller = desktop;
    const auto extentAt = [&](int pixels) {
        // The desktop's font itself at its own size: where the texts fit, as
        // they do on most desktops, no other size of the face is loaded.
        if (pixels != largest)
            smaller.setPixelSize(pixels);
        const GlyphExtent glyphs = measureGlyphs(pixels == largest ? desktop : smaller, texts);
        // The field centres its line, and CJK faces leave much room above and
        // below their glyphs: what must fit is the glyphs themselves.
        return TextExtent{int(std::ceil(glyphs.ink.height())), int(std::ceil(glyphs.widest))};
    };
    // Measuring loads every glyph of the texts at the size measured, so it
    // starts at the size that will be drawn where the advances tell it.
    const int start = std::max(SmallestListFontPixels,
                               largestSizeByAdvances(desktop, texts, room.width, largest));
    const int size = fittingFontSize(start, SmallestListFontPixels, room, extentAt);
    if (size == largest)
        return desktop;
    smaller.setPixelSize(size);
    return smaller;
}
