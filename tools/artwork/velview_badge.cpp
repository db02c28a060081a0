#include "velview_badge.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr qreal side = 48;
const QColor green{28, 150, 84};
const QColor darkGreen{18, 106, 58};

// Block capitals built from strokes, so that the lettering looks the same
// whichever fonts the machine has.
QPainterPath letterV(QRectF box)
{
    QPainterPath letter;
    letter.moveTo(box.topLeft());
    letter.lineTo(box.center().x(), box.bottom());
    letter.lineTo(box.topRight());
    return letter;
}

QPainterPath letterE(QRectF box)
{
    QPainterPath letter;
    letter.moveTo(box.topRight());
    letter.lineTo(box.topLeft());
    letter.lineTo(box.bottomLeft());
    letter.lineTo(box.bottomRight());
    letter.moveTo(box.left(), box.center().y());
    letter.lineTo(box.right() - box.width() * 0.15, box.center().y());
    return letter;
}

QPainterPath letterL(QRectF box)
{
    QPainterPath letter;
    letter.moveTo(box.topLeft());
    letter.lineTo(box.bottomLeft());
    letter.lineTo(box.bottomRight());
    return letter;
}
} // namespace

void paintVelviewBadge(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, side, side), green);
    painter.setPen(QPen(Qt::white, 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(2, 2, side - 4, side - 4), 7, 7);

    // The face: a white disc with two eyes and a smile.
    const QPointF centre(24, 19.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, 13, 13);
    painter.setBrush(darkGreen);
    painter.drawEllipse(QPointF(19, 17), 2, 2.7);
    painter.drawEllipse(QPointF(29, 17), 2, 2.7);
    painter.setBrush(QColor(255, 170, 170));
    painter.drawEllipse(QPointF(15.5, 22.5), 2, 1.2);
    painter.drawEllipse(QPointF(32.5, 22.5), 2, 1.2);
    QPainterPath smile;
    smile.moveTo(18.5, 23);
    smile.cubicTo(21, 27.5, 27, 27.5, 29.5, 23);
    painter.setPen(QPen(darkGreen, 1.8, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(smile);

    QPainterPath lettering;
    const qreal top = 35.5;
    const qreal height = 7.5;
    lettering.addPath(letterV(QRectF(11.5, top, 7, height)));
    lettering.addPath(letterE(QRectF(21.5, top, 5.5, height)));
    lettering.addPath(letterL(QRectF(30, top, 5.5, height)));
    QPen letterPen(Qt::white, 2.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    letterPen.setMiterLimit(1.5);
    painter.setPen(letterPen);
    painter.drawPath(lettering);
    painter.restore();
}
