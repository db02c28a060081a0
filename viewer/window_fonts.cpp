#include "window_fonts.h"

#include <QApplication>
#include <QStringList>

// Each list names a CJK face first: Qt shares one cached fallback list between
// fonts whose first family and size agree, and fontconfig's own fallback for
// kana picks a Chinese face where both are installed.

QFont chineseLabelFont(qreal pointSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("微软雅黑"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Source Han Sans SC")});
    font.setPointSizeF(pointSize);
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    return font;
}

QFont japaneseListFont()
{
    QFont font = QApplication::font("QComboBox");
    QStringList families{QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Source Han Sans JP"),
                         QStringLiteral("Yu Gothic UI"), QStringLiteral("Meiryo UI")};
    families.append(font.families().isEmpty() ? QStringList{font.family()} : font.families());
    font.setFamilies(families);
    return font;
}
