#include "qelview_face.h"

#include "face_geometry.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <tuple>

using FaceGeometry::centreX;
using FaceGeometry::mirrored;
using FaceGeometry::withMirror;

namespace {
const QColor hairLight{150, 92, 64};
const QColor hairBase{108, 62, 44};
const QColor hairDark{66, 36, 27};
const QColor hairLine{52, 28, 22};
const QColor skinLight{255, 242, 233};
const QColor skinBase{252, 226, 210};
const QColor skinShade{236, 192, 172};
const QColor lineColour{92, 50, 40};

QPainterPath faceOutline()
{
    QPainterPath face;
    face.moveTo(centreX, 62);
    face.cubicTo(110, 62, 86, 84, 84, 124);
    face.cubicTo(83, 164, 94, 200, 118, 226);
    face.cubicTo(132, 241, 142, 250, centreX, 251);
    face.cubicTo(158, 250, 168, 241, 182, 226);
    face.cubicTo(206, 200, 217, 164, 216, 124);
    face.cubicTo(214, 84, 190, 62, centreX, 62);
    return face;
}

void paintBackHair(QPainter& painter)
{
    QPainterPath hair;
    hair.moveTo(centreX, 16);
    hair.cubicTo(96, 16, 58, 56, 56, 120);
    hair.cubicTo(54, 180, 50, 240, 36, 300);
    hair.lineTo(264, 300);
    hair.cubicTo(250, 240, 246, 180, 244, 120);
    hair.cubicTo(242, 56, 204, 16, centreX, 16);
    QLinearGradient shade(0, 16, 0, 300);
    shade.setColorAt(0, hairBase);
    shade.setColorAt(1, hairDark);
    painter.setPen(QPen(hairLine, 1.5));
    painter.setBrush(shade);
    painter.drawPath(hair);

    // The inside of the hair behind the neck lies in shadow.
    QRadialGradient inside(QPointF(centreX, 250), 80);
    inside.setColorAt(0, QColor(40, 20, 16, 200));
    inside.setColorAt(1, QColor(40, 20, 16, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(inside);
    painter.drawEllipse(QPointF(centreX, 250), 80, 70);
}

void paintNeckAndShoulders(QPainter& painter)
{
    QPainterPath neck;
    neck.moveTo(128, 214);
    neck.lineTo(127, 282);
    neck.lineTo(173, 282);
    neck.lineTo(172, 214);
    neck.closeSubpath();
    QLinearGradient neckShade(0, 230, 0, 282);
    neckShade.setColorAt(0, skinShade);
    neckShade.setColorAt(0.45, skinBase);
    neckShade.setColorAt(1, skinBase);
    painter.setPen(Qt::NoPen);
    painter.setBrush(neckShade);
    painter.drawPath(neck);

    // A round-necked top of soft blue with a white collar.
    QPainterPath top;
    top.moveTo(60, 300);
    top.cubicTo(66, 284, 96, 274, 122, 270);
    top.cubicTo(136, 282, 164, 282, 178, 270);
    top.cubicTo(204, 274, 234, 284, 240, 300);
    top.closeSubpath();
    QLinearGradient cloth(0, 268, 0, 300);
    cloth.setColorAt(0, QColor(120, 146, 196));
    cloth.setColorAt(1, QColor(86, 110, 162));
    painter.setPen(QPen(QColor(64, 80, 120), 1.2));
    painter.setBrush(cloth);
    painter.drawPath(top);

    QPainterPath collar;
    collar.moveTo(118, 268);
    collar.cubicTo(132, 286, 168, 286, 182, 268);
    collar.cubicTo(184, 276, 180, 282, 176, 284);
    collar.cubicTo(160, 294, 140, 294, 124, 284);
    collar.cubicTo(120, 282, 116, 276, 118, 268);
    painter.setBrush(QColor(250, 250, 252));
    painter.drawPath(collar);
}

void paintFace(QPainter& painter)
{
    const QPainterPath face = faceOutline();
    QRadialGradient skin(QPointF(centreX, 168), 110, QPointF(centreX, 182));
    skin.setColorAt(0, skinLight);
    skin.setColorAt(0.6, skinBase);
    skin.setColorAt(1, skinShade);
    painter.setPen(QPen(lineColour, 1.4));
    painter.setBrush(skin);
    painter.drawPath(face);

    painter.save();
    painter.setClipPath(face);
    painter.setPen(Qt::NoPen);
    // Shadow that the fringe casts on the forehead.
    QLinearGradient fringeShadow(0, 112, 0, 150);
    fringeShadow.setColorAt(0, QColor(214, 160, 140, 190));
    fringeShadow.setColorAt(1, QColor(214, 160, 140, 0));
    painter.setBrush(fringeShadow);
    painter.drawRect(QRectF(60, 100, 180, 50));

    // The side locks shade the cheeks next to them.
    for (const bool left : {true, false}) {
        QLinearGradient sideShadow(left ? 84 : 216, 0, left ? 104 : 196, 0);
        sideShadow.setColorAt(0, QColor(214, 160, 140, 150));
        sideShadow.setColorAt(1, QColor(214, 160, 140, 0));
        painter.setBrush(sideShadow);
        painter.drawRect(left ? QRectF(80, 100, 26, 160) : QRectF(194, 100, 26, 160));
    }

    for (const QPointF centre : {QPointF(104, 200), mirrored(QPointF(104, 200))}) {
        QRadialGradient blush(centre, 20);
        blush.setColorAt(0, QColor(247, 150, 150, 120));
        blush.setColorAt(1, QColor(247, 150, 150, 0));
        painter.setBrush(blush);
        painter.drawEllipse(centre, 24, 14);
    }
    painter.restore();
}

void paintBrows(QPainter& painter)
{
    QPainterPath brow;
    brow.moveTo(98, 132);
    brow.cubicTo(108, 125, 122, 124, 134, 128);
    painter.setPen(QPen(QColor(120, 72, 54), 2.4, Qt::SolidLine, Qt::RoundCap));
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
    white.moveTo(94, 160);
    white.cubicTo(100, 146, 126, 142, 138, 154);
    white.cubicTo(136, 172, 132, 184, 116, 186);
    white.cubicTo(104, 186, 96, 176, 94, 160);
    const QPainterPath eyeWhite = place(white);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawPath(eyeWhite);

    painter.save();
    painter.setClipPath(eyeWhite);
    const QPointF irisCentre = at(QPointF(116, 166));
    QLinearGradient iris(0, 146, 0, 186);
    iris.setColorAt(0, QColor(70, 34, 20));
    iris.setColorAt(0.45, QColor(150, 78, 34));
    iris.setColorAt(1, QColor(232, 160, 72));
    painter.setPen(QPen(QColor(60, 28, 18), 1.2));
    painter.setBrush(iris);
    painter.drawEllipse(irisCentre, 14.5, 19.5);
    QRadialGradient pupil(at(QPointF(116, 166)), 9);
    pupil.setColorAt(0, QColor(34, 14, 8));
    pupil.setColorAt(1, QColor(60, 26, 14));
    painter.setPen(Qt::NoPen);
    painter.setBrush(pupil);
    painter.drawEllipse(at(QPointF(116, 166)), 6.5, 9.5);
    // The upper lid shades the top of the eye.
    QLinearGradient lidShadow(0, 144, 0, 160);
    lidShadow.setColorAt(0, QColor(120, 70, 60, 150));
    lidShadow.setColorAt(1, QColor(120, 70, 60, 0));
    painter.setBrush(lidShadow);
    painter.drawRect(QRectF(80, 140, 140, 22));
    painter.restore();

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 240));
    painter.drawEllipse(at(QPointF(mirror ? 110 : 122, 156)), 5, 5);
    painter.drawEllipse(at(QPointF(mirror ? 121 : 110, 176)), 2.4, 2.4);

    QPainterPath lash;
    lash.moveTo(90, 160);
    lash.cubicTo(96, 144, 124, 138, 140, 152);
    lash.lineTo(142, 150);
    lash.cubicTo(126, 134, 96, 136, 86, 156);
    lash.closeSubpath();
    painter.setPen(QPen(QColor(48, 24, 20), 1.2));
    painter.setBrush(QColor(48, 24, 20));
    painter.drawPath(place(lash));

    QPainterPath crease;
    crease.moveTo(98, 142);
    crease.cubicTo(110, 134, 126, 134, 136, 142);
    painter.setPen(QPen(QColor(160, 104, 88), 1.1, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(place(crease));

    QPainterPath lower;
    lower.moveTo(104, 186);
    lower.cubicTo(112, 189, 122, 188, 128, 184);
    painter.setPen(QPen(QColor(140, 84, 70), 1.3, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(place(lower));
}

void paintNoseAndMouth(QPainter& painter)
{
    painter.setPen(QPen(QColor(214, 158, 138), 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    QPainterPath nose;
    nose.moveTo(152, 198);
    nose.cubicTo(153, 203, 152, 206, 148, 207);
    painter.drawPath(nose);

    QPainterPath mouth;
    mouth.moveTo(141, 225);
    mouth.cubicTo(146, 227, 154, 227, 159, 225);
    painter.setPen(QPen(QColor(176, 92, 84), 1.8, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(mouth);
    painter.setPen(QPen(QColor(232, 180, 166), 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(146, 231), QPointF(154, 231));
}

QBrush hairBrush(qreal top, qreal bottom)
{
    QLinearGradient shade(0, top, 0, bottom);
    shade.setColorAt(0, hairLight);
    shade.setColorAt(0.55, hairBase);
    shade.setColorAt(1, hairDark);
    return shade;
}

void paintSideLocks(QPainter& painter)
{
    QPainterPath lock;
    lock.moveTo(92, 92);
    lock.cubicTo(78, 130, 76, 190, 84, 252);
    lock.cubicTo(88, 232, 92, 200, 98, 176);
    lock.cubicTo(96, 150, 98, 118, 110, 96);
    lock.closeSubpath();
    painter.setPen(QPen(hairLine, 1.3));
    painter.setBrush(hairBrush(80, 252));
    painter.drawPath(withMirror(lock));
}

void paintFringe(QPainter& painter)
{
    // The crown follows the outline of the hair behind, so that the two read
    // as one mass of hair.
    QPainterPath fringe;
    fringe.moveTo(64, 132);
    fringe.cubicTo(58, 60, 96, 16, centreX, 16);
    fringe.cubicTo(204, 16, 242, 60, 236, 132);
    // The lower edge: locks of different lengths, each ending in a curved
    // point, parted a little left of the middle.
    fringe.cubicTo(226, 118, 218, 102, 212, 90);
    fringe.cubicTo(212, 110, 208, 128, 200, 144);
    fringe.cubicTo(196, 124, 188, 108, 180, 98);
    fringe.cubicTo(180, 114, 176, 128, 168, 138);
    fringe.cubicTo(166, 120, 160, 104, 152, 94);
    fringe.cubicTo(150, 108, 146, 120, 140, 130);
    fringe.cubicTo(138, 114, 136, 102, 134, 92);
    fringe.cubicTo(126, 108, 116, 124, 104, 140);
    fringe.cubicTo(106, 122, 104, 106, 98, 94);
    fringe.cubicTo(92, 106, 88, 116, 86, 128);
    fringe.cubicTo(80, 116, 76, 106, 74, 96);
    fringe.cubicTo(72, 110, 70, 122, 64, 132);
    fringe.closeSubpath();
    painter.setPen(QPen(hairLine, 1.4));
    painter.setBrush(hairBrush(28, 140));
    painter.drawPath(fringe);

    // A soft band of light across the crown.
    painter.save();
    painter.setClipPath(fringe);
    QPainterPath ring;
    ring.moveTo(92, 58);
    ring.cubicTo(118, 40, 182, 40, 208, 58);
    QLinearGradient shine(0, 40, 0, 66);
    shine.setColorAt(0, QColor(255, 228, 206, 0));
    shine.setColorAt(0.5, QColor(255, 228, 206, 120));
    shine.setColorAt(1, QColor(255, 228, 206, 0));
    painter.setPen(QPen(QBrush(shine), 9, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(ring);
    painter.restore();

    // Strand lines that give the fringe its flow.
    painter.setPen(QPen(QColor(70, 38, 28, 150), 1.1, Qt::SolidLine, Qt::RoundCap));
    for (const auto& [from, control, to] :
         {std::tuple{QPointF(120, 30), QPointF(104, 70), QPointF(100, 122)},
          std::tuple{QPointF(140, 26), QPointF(134, 70), QPointF(136, 110)},
          std::tuple{QPointF(164, 28), QPointF(168, 70), QPointF(164, 124)},
          std::tuple{QPointF(186, 34), QPointF(202, 74), QPointF(204, 118)}}) {
        QPainterPath strand;
        strand.moveTo(from);
        strand.quadTo(control, to);
        painter.drawPath(strand);
    }
}
} // namespace

void paintQelviewFace(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, FaceGeometry::canvasSide, FaceGeometry::canvasSide), Qt::white);
    paintBackHair(painter);
    paintNeckAndShoulders(painter);
    paintFace(painter);
    paintBrows(painter);
    paintEye(painter, false);
    paintEye(painter, true);
    paintNoseAndMouth(painter);
    paintSideLocks(painter);
    paintFringe(painter);
    painter.restore();
}
