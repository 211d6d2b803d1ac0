#include "pages/ui/ScriptLineIcons.h"

#include "controls/wide/ui/KeyedPainting.h"
#include "skin/ui/SkinImages.h"

#include <QImage>
#include <QPainter>

namespace trvx {

namespace {
constexpr int kIconSize = 20;
} // namespace

void DrawScriptLineIcon(QPainter& painter, const QRect& row, int type, Rgb listBack) {
    const std::uint32_t back = std::uint32_t(listBack.R & 0xFF) << 16 |
                               std::uint32_t(listBack.G & 0xFF) << 8 |
                               std::uint32_t(listBack.B & 0xFF);
    const KeyedPixels entry =
        ImageListEntry(ToKeyedPixels(SkinImage("ImageList1")), type, kIconSize, back);
    if (entry.argb.empty())
        return;
    const QImage icon(reinterpret_cast<const uchar*>(entry.argb.data()), entry.width, entry.height,
                      entry.width * 4, QImage::Format_ARGB32);
    DrawBitmapKeyed(painter, icon, KeySpec::topLeft(),
                    QRect(row.left(), row.top(), row.height(), row.height()));
}

} // namespace trvx
