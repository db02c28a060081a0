#include "window_fonts.h"

#include "qt_text.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStringList>

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
