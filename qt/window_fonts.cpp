#include "window_fonts.h"

#include "form_layout.h"
#include "qt_text.h"
#include "text_font_fit.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QRect>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

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
        const QFontMetrics metrics(pixels == largest ? designed : smaller);
        if (label.wordWrap()) {
            const QRect lines =
                metrics.boundingRect(QRect(0, 0, room.width, QWIDGETSIZE_MAX),
                                     int(label.alignment()) | Qt::TextWordWrap, text);
            return TextExtent{lines.height(), lines.width()};
        }
        // A caption's one line is centred in its box: what must fit is the
        // ink, as far above and below the line's middle as it reaches.
        const QRect ink = metrics.tightBoundingRect(text);
        const int middle = metrics.height() / 2;
        const int reach = std::max(middle - (metrics.ascent() + ink.top()),
                                   metrics.ascent() + ink.bottom() + 1 - middle);
        return TextExtent{2 * reach, std::max(metrics.horizontalAdvance(text), ink.right() + 1)};
    };
    const int size = fittingFontSize(largest, SmallestFontPixels, room, extentAt);
    if (size == largest)
        return designed;
    smaller.setPixelSize(size);
    return smaller;
}

QFont fittingListFont(std::span<QComboBox* const> lists)
{
    // The lists share one size, so every list has the same font whatever
    // its items.
    const QComboBox& first = *lists.front();
    QStyleOptionComboBox option;
    option.initFrom(&first);
    option.editable = true;
    option.rect = QRect(QPoint(), first.size());
    option.subControls = QStyle::SC_All;
    // A field's text keeps a margin of 2 px at each side and 1 px above and
    // below, and the caret needs a pixel past the last character.
    const QRect field = first.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, &first);
    const TextExtent room{field.height() - 2, field.width() - 5};

    QStringList texts;
    for (const QComboBox* list : lists) {
        texts.append(list->currentText());
        for (int index = 0; index < list->count(); ++index)
            texts.append(list->itemText(index));
    }
    const QString allTexts = texts.join(QString());
    const QFont desktop = first.font();
    const int largest = QFontInfo(desktop).pixelSize();
    QFont smaller = desktop;
    const auto extentAt = [&](int pixels) {
        // The desktop's font itself at its own size: where the texts fit, as
        // they do on most desktops, no other size of the face is loaded.
        if (pixels != largest)
            smaller.setPixelSize(pixels);
        const QFontMetrics metrics(pixels == largest ? desktop : smaller);
        int widest = 0;
        for (const QString& text : texts)
            widest = std::max(widest, metrics.horizontalAdvance(text));
        // The field centres its line, and CJK faces leave much room above and
        // below their glyphs: what must fit is the glyphs themselves.
        return TextExtent{metrics.tightBoundingRect(allTexts).height(), widest};
    };
    const int size = fittingFontSize(largest, SmallestListFontPixels, room, extentAt);
    if (size == largest)
        return desktop;
    smaller.setPixelSize(size);
    return smaller;
}
