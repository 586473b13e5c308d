#include "app/core/Canvas.h"
// Placeholder until the rasteriser lands.
Canvas::Canvas(QImage& image) : image_(image) {}
void Canvas::copyFrom(const QImage&, const QRect&, QPoint) {}
