#pragma once

#include <QPainterPath>
#include <QPointF>

// The faces are drawn on a 300 x 300 canvas, symmetric about its vertical
// centre line; one half of each symmetric part is described and mirrored.
namespace FaceGeometry {
constexpr qreal canvasSide = 300;
constexpr qreal centreX = canvasSide / 2;

// The path reflected about the vertical centre line.
QPainterPath mirrored(const QPainterPath& path);

// The path together with its reflection.
QPainterPath withMirror(const QPainterPath& path);

// The point reflected about the vertical centre line.
QPointF mirrored(QPointF point);
} // namespace FaceGeometry
