#pragma once

class QPainter;

// Velview's icon: a green badge with a white border, a simple cartoon face in
// a white disc and the letters "VEL" under it. Paints a 48 x 48 canvas to its
// corners; scale the painter for other sizes.
void paintVelviewBadge(QPainter& painter);
