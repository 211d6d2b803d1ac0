#include "controls/skinned/ui/SkinNotice.h"

#include <QMessageBox>

#include <utility>

namespace trvx {

namespace {
SkinNoticeHandler& handlerSlot() {
    static SkinNoticeHandler handler;
    return handler;
}
} // namespace

void ShowSkinNotice(const QString& text) {
    if (handlerSlot()) {
        handlerSlot()(text);
        return;
    }
    QMessageBox::information(nullptr, QString(), text);
}

SkinNoticeHandler SetSkinNoticeHandler(SkinNoticeHandler handler) {
    return std::exchange(handlerSlot(), std::move(handler));
}

} // namespace trvx
