#include "velview_face.h"

#include "face_geometry.h"

#include <QPainter>

using FaceGeometry::centreX;
using FaceGeometry::mirrored;
using FaceGeometry::withMirror;

namespace {
// Flat shading: every part is one base colour with at most one hard-edged
// shadow tone, no gradients.
const QColor hairBase{58, 70, 104};
const QColor hairShadow{40, 48, 74};
const QColor hairShine{104, 120, 162};
const QColor outline{34, 30, 40};
const QColor skinBase{253, 230, 214};
const QColor skinShadow{238, 196, 176};
const QColor headsetBody{58, 60, 68};
const QColor headsetLight{110, 114, 126};
const QColor headsetAccent{46, 170, 110};

QPen outlinePen(qreal width = 1.6)
{
    return QPen(outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPainterPath faceOutline()
{
    QPainterPath face;
    face.moveTo(centreX, 64);
    face.cubicTo(112, 64, 88, 86, 86, 126);
    face.cubicTo(85, 166, 96, 202, 120, 228);
    face.cubicTo(134, 242, 142, 249, centreX, 250);
    face.cubicTo(158, 249, 166, 242, 180, 228);
    face.cubicTo(204, 202, 215, 166, 214, 126);
    face.cubicTo(212, 86, 188, 64, centreX, 64);
    return face;
}

void paintBackHair(QPainter& painter)
{
    QPainterPath hair;
    hair.moveTo(centreX, 24);
    hair.cubicTo(92, 24, 62, 64, 62, 124);
    hair.cubicTo(62, 176, 66, 222, 70, 248);
    hair.lineTo(90, 240);
    hair.lineTo(210, 240);
    hair.lineTo(230, 248);
    hair.cubicTo(234, 222, 238, 176, 238, 124);
    hair.cubicTo(238, 64, 208, 24, centreX, 24);
    painter.setPen(outlinePen());
    painter.setBrush(hairShadow);
    painter.drawPath(hair);
}

void paintNeckAndShirt(QPainter& painter)
{
    painter.setPen(outlinePen(1.4));
    painter.setBrush(skinBase);
    painter.drawRect(QRectF(129, 214, 42, 70));
    // The chin's shadow on the neck, cut with a hard edge.
    QPainterPath shadow;
    shadow.moveTo(130, 226);
    shadow.cubicTo(140, 248, 160, 248, 170, 226);
    shadow.lineTo(170, 256);
    shadow.cubicTo(160, 262, 140, 262, 130, 256);
    shadow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(skinShadow);
    painter.drawPath(shadow);

    QPainterPath shirt;
    shirt.moveTo(56, 300);
    shirt.cubicTo(62, 282, 96, 272, 124, 268);
    shirt.lineTo(centreX, 292);
    shirt.lineTo(176, 268);
    shirt.cubicTo(204, 272, 238, 282, 244, 300);
    shirt.closeSubpath();
    painter.setPen(outlinePen(1.4));
    painter.setBrush(QColor(236, 240, 244));
    painter.drawPath(shirt);

    QPainterPath collar;
    collar.moveTo(124, 268);
    collar.lineTo(centreX, 292);
    collar.lineTo(138, 298);
    collar.lineTo(114, 276);
    collar.closeSubpath();
    painter.setBrush(headsetAccent);
    painter.drawPath(withMirror(collar));
}

void paintFace(QPainter& painter)
{
    const QPainterPath face = faceOutline();
    painter.setPen(outlinePen());
    painter.setBrush(skinBase);
    painter.drawPath(face);

    painter.save();
    painter.setClipPath(face);
    painter.setPen(Qt::NoPen);
    // The fringe's shadow on the forehead follows its ragged edge.
    QPainterPath shadow;
    shadow.moveTo(80, 100);
    shadow.lineTo(220, 100);
    shadow.lineTo(220, 136);
    shadow.cubicTo(200, 146, 190, 138, 176, 146);
    shadow.cubicTo(160, 140, 140, 140, 124, 146);
    shadow.cubicTo(110, 138, 100, 146, 80, 136);
    shadow.closeSubpath();
    painter.setBrush(skinShadow);
    painter.drawPath(shadow);
    painter.setBrush(QColor(246, 178, 170));
    for (const QPointF centre : {QPointF(106, 202), mirrored(QPointF(106, 202))})
        painter.drawEllipse(centre, 13, 6);
    painter.restore();
}

void paintBrows(QPainter& painter)
{
    QPainterPath brow;
    brow.moveTo(100, 132);
    brow.cubicTo(110, 127, 122, 126, 132, 129);
    painter.setPen(QPen(hairShadow, 2.6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(withMirror(brow));
}

void paintEye(QPainter& painter, bool mirror)
{
    const auto place = [mirror](const QPainterPath& path) {
        return mirror ? FaceGeometry::mirrored(path) : path;
    };
    const auto at = [mirror](QPointF point) {
        return mirror ? mirrored(point) : point;
    };

    QPainterPath white;
    white.moveTo(96, 160);
    white.cubicTo(102, 148, 126, 144, 136, 156);
    white.cubicTo(134, 172, 130, 182, 116, 184);
    white.cubicTo(104, 184, 98, 174, 96, 160);
    const QPainterPath eyeWhite = place(white);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(eyeWhite);

    painter.save();
    painter.setClipPath(eyeWhite);
    const QPointF irisCentre = at(QPointF(116, 166));
    painter.setPen(outlinePen(1.2));
    painter.setBrush(QColor(60, 130, 196));
    painter.drawEllipse(irisCentre, 13.5, 18);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(36, 86, 142));
    painter.drawRect(QRectF(irisCentre.x() - 14, 140, 28, 18));
    painter.setBrush(QColor(22, 40, 70));
    painter.drawEllipse(irisCentre, 6, 8.5);
    painter.restore();

    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(at(QPointF(mirror ? 111 : 121, 157)), 4.5, 4.5);
    painter.drawEllipse(at(QPointF(mirror ? 121 : 110, 175)), 2, 2);

    QPainterPath lash;
    lash.moveTo(92, 160);
    lash.cubicTo(98, 146, 124, 140, 138, 154);
    lash.lineTo(140, 151);
    lash.cubicTo(124, 137, 98, 139, 89, 156);
    lash.closeSubpath();
    painter.setPen(outlinePen(1.2));
    painter.setBrush(outline);
    painter.drawPath(place(lash));

    QPainterPath lower;
    lower.moveTo(106, 184);
    lower.lineTo(126, 182);
    painter.setPen(QPen(QColor(150, 96, 84), 1.3, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(place(lower));
}

void paintNoseAndMouth(QPainter& painter)
{
    painter.setPen(QPen(skinShadow.darker(115), 1.8, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(151, 200), QPointF(148, 206));
    painter.setPen(QPen(QColor(170, 80, 76), 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(142, 224), QPointF(158, 224));
}

void paintFringe(QPainter& painter)
{
    QPainterPath fringe;
    fringe.moveTo(74, 150);
    fringe.cubicTo(66, 66, 104, 34, centreX, 34);
    fringe.cubicTo(196, 34, 234, 66, 226, 150);
    // A blunt fringe, cut almost straight, parted into a few wide locks.
    fringe.lineTo(214, 128);
    fringe.lineTo(206, 140);
    fringe.lineTo(194, 122);
    fringe.lineTo(180, 138);
    fringe.lineTo(164, 120);
    fringe.lineTo(150, 136);
    fringe.lineTo(136, 120);
    fringe.lineTo(120, 138);
    fringe.lineTo(106, 122);
    fringe.lineTo(94, 140);
    fringe.lineTo(86, 128);
    fringe.closeSubpath();
    painter.setPen(outlinePen());
    painter.setBrush(hairBase);
    painter.drawPath(fringe);

    painter.save();
    painter.setClipPath(fringe);
    painter.setPen(Qt::NoPen);
    QPainterPath shine;
    shine.moveTo(96, 70);
    shine.cubicTo(120, 56, 180, 56, 204, 70);
    shine.lineTo(200, 78);
    shine.lineTo(188, 72);
    shine.lineTo(176, 80);
    shine.lineTo(162, 72);
    shine.lineTo(150, 80);
    shine.lineTo(138, 72);
    shine.lineTo(124, 80);
    shine.lineTo(112, 72);
    shine.lineTo(100, 78);
    shine.closeSubpath();
    painter.setBrush(hairShine);
    painter.drawPath(shine);
    painter.restore();
}

void paintSideHair(QPainter& painter)
{
    QPainterPath side;
    side.moveTo(78, 110);
    side.cubicTo(70, 150, 72, 210, 80, 244);
    side.lineTo(94, 232);
    side.lineTo(100, 244);
    side.cubicTo(94, 200, 92, 150, 98, 116);
    side.closeSubpath();
    painter.setPen(outlinePen());
    painter.setBrush(hairBase);
    painter.drawPath(withMirror(side));
}

void paintHeadset(QPainter& painter)
{
    // The band over the crown.
    QPainterPath band;
    band.moveTo(64, 150);
    band.cubicTo(54, 52, 104, 16, centreX, 16);
    band.cubicTo(196, 16, 246, 52, 236, 150);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(outline, 11, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(band);
    painter.setPen(QPen(headsetBody, 8, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(band);

    // The microphone's boom leaves the left ear cup and ends in front of the
    // chin, at the lower left of the face.
    QPainterPath boom;
    boom.moveTo(70, 186);
    boom.cubicTo(72, 226, 92, 246, 118, 244);
    painter.setPen(QPen(outline, 6.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(boom);
    painter.setPen(QPen(headsetBody, 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(boom);
    painter.setPen(outlinePen(1.4));
    painter.setBrush(headsetBody);
    painter.drawRoundedRect(QRectF(110, 236, 22, 15), 7, 7);
    painter.setPen(Qt::NoPen);
    painter.setBrush(headsetLight);
    painter.drawRoundedRect(QRectF(114, 239, 9, 4), 2, 2);

    for (const bool left : {true, false}) {
        const QRectF cup =
            left ? QRectF(52, 132, 26, 56) : QRectF(FaceGeometry::canvasSide - 78, 132, 26, 56);
        painter.setPen(outlinePen(1.6));
        painter.setBrush(headsetBody);
        painter.drawRoundedRect(cup, 11, 11);
        painter.setPen(Qt::NoPen);
        painter.setBrush(headsetAccent);
        painter.drawRoundedRect(cup.adjusted(7, 14, -7, -14), 4, 4);
        painter.setBrush(headsetLight);
        painter.drawRoundedRect(cup.adjusted(4, 4, -16, -40), 2, 2);
    }
}
} // namespace

void paintVelviewFace(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, FaceGeometry::canvasSide, FaceGeometry::canvasSide), Qt::white);
    paintBackHair(painter);
    paintNeckAndShirt(painter);
    paintFace(painter);
    paintBrows(painter);
    paintEye(painter, false);
    paintEye(painter, true);
    paintNoseAndMouth(painter);
    paintSideHair(painter);
    paintFringe(painter);
    paintHeadset(painter);
    painter.restore();
}
