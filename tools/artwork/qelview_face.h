#pragma once

class QPainter;

// Qelview's character: a young woman with long chestnut hair, seen from the
// front with a neutral expression, softly shaded, on white. Paints the 300 x
// 300 canvas of FaceGeometry; scale the painter for other sizes.
void paintQelviewFace(QPainter& painter);
