#include "picture_area.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPainter>

namespace {
// Assistive technology sees the area as an image, which Qt cannot tell from a
// plain widget.
QAccessibleInterface* accessibleImage(const QString&, QObject* object)
{
    if (auto* area = qobject_cast<PictureArea*>(object))
        return new QAccessibleWidget(area, QAccessible::Graphic);
    return nullptr;
}
} // namespace

PictureArea::PictureArea(QWidget* parent) : QWidget(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleImage);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
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
