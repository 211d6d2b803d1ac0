#include "controls/skinned/ui/SkinEdit.h"

#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include <QPainter>

namespace trvx {

SkinEdit::SkinEdit(QWidget* parent, const QString& name) : QLineEdit(parent) {
    setObjectName(name);
    // The frame is ours: two pixels painted over the edit's border band.
    setFrame(false);
    setTextMargins(2, 2, 2, 2);
    connect(this, &QLineEdit::textChanged, this, [this] { textChangedHook(); });
    setUIStyle(FormUIStyle(parent));
}

void SkinEdit::setUIStyle(SkinUIStyle style) {
    uiStyle_ = style;
    borderColor_ = StyleColor(style, theme::kControlBorderColor);
    update();
}

void SkinEdit::setBorderColor(const QColor& color) {
    borderColor_ = color;
    update();
}

void SkinEdit::textChangedHook() {
    emit changed();
}

void SkinEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter p(this);
    DrawControlBorder(p, rect(), borderColor_, palette().color(QPalette::Base));
}

} // namespace trvx
