#include "face_geometry.h"

#include <QTransform>

namespace FaceGeometry {
QPainterPath mirrored(const QPainterPath& path)
{
    return QTransform(-1, 0, 0, 1, canvasSide, 0).map(path);
}

QPainterPath withMirror(const QPainterPath& path)
{
    QPainterPath both = path;
    both.addPath(mirrored(path));
    return both;
}

QPointF mirrored(QPointF point)
{
    return {canvasSide - point.x(), point.y()};
}
} // namespace FaceGeometry
