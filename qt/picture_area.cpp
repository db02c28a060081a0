#include "picture_area.h"

#include <QMouseEvent>
#include <QPainter>

PictureArea::PictureArea(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    // Every pixel is painted from the picture, so Qt need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureArea::setPicture(QImage picture)
{
    // Moving the image in lets the pixmap take over its pixels without a copy.
    m_picture = QPixmap::fromImage(std::move(picture));
    update();
}

QSize PictureArea::deviceSize() const
{
    return (QSizeF(size()) * devicePixelRatioF()).toSize();
}

void PictureArea::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (m_picture.isNull()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    painter.drawPixmap(rect(), m_picture);
}

void PictureArea::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QWidget::mouseDoubleClickEvent(event);
}
