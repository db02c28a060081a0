#include "caption_label.h"

CaptionLabel::CaptionLabel(QWidget* parent) : QLabel(parent)
{
    // Descriptions hold marks like ">_<" that must never be read as markup.
    setTextFormat(Qt::PlainText);
}

void CaptionLabel::setCaption(const QString& caption)
{
    m_caption = caption;
    QString shown = caption;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setText(shown);
}
