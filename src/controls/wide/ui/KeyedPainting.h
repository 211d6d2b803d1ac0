#pragma once
// Keyed drawing with a painter: a picture with one colour see-through, stretched without
// blending, and the picture of what lies behind a control.

#include "controls/wide/KeyedDrawing.h"

#include <QImage>
#include <QRect>

class QPainter;
class QWidget;

namespace trvx {

KeyedPixels ToKeyedPixels(const QImage& image);

// Draws `source` of `bitmap` into `dest`; sizes below 1 fall back to the bitmap's (see
// PlanKeyedDraw). A picture without pixels draws nothing.
void DrawBitmapKeyed(QPainter& painter, const QImage& bitmap, KeySpec key, const QRect& dest,
                     const QRect& source = QRect());

// Paints, in the control's coordinates, its parent's background and face and those of its
// siblings that come before it and overlap it; nothing without a parent.
void PaintParentImage(const QWidget* control, QPainter& painter);

} // namespace trvx
