#pragma once
// The icon column of the macro script lists: every row shows the icon of its line's type digit
// from the image list ImageList1 (20 x 20 icons side by side in one skin picture).

#include "skin/LayoutPlan.h"

class QPainter;
class QRect;

namespace trvx {

// Draws icon `type` at the row's left edge, stretched to a square as high as the row, with the
// icon's top-left colour see-through. The image list lays the icons' translucent pixels over
// its background colour, the lists' own (`listBack`). A type without an icon draws nothing.
void DrawScriptLineIcon(QPainter& painter, const QRect& row, int type, Rgb listBack);

} // namespace trvx
