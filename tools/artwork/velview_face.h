#pragma once

class QPainter;

// Velview's standard model: a girl with a dark bob and a headset whose
// microphone sits at the lower left, seen from the front with a neutral
// expression, in flat cel colours on white. Paints the 300 x 300 canvas of
// FaceGeometry.
void paintVelviewFace(QPainter& painter);
