#include "controls/skinned/ui/SkinComboBox.h"

#include "controls/skinned/SkinGeometry.h"
#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include <QAbstractItemView>
#include <QFrame>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace trvx {

SkinComboBox::SkinComboBox(QWidget* parent, const QString& name) : QComboBox(parent) {
    setObjectName(name);
    // OnChange is the user's choice; currentIndexChanged would also fire for code.
    connect(this, &QComboBox::activated, this, [this] { emit changed(); });
    setUIStyle(FormUIStyle(parent));
}

void SkinComboBox::setItemIndex(int index) {
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

void SkinComboBox::setUIStyle(SkinUIStyle style) {
    uiStyle_ = style;
    arrowColor_ = QColor(0, 0, 0);
    borderColor_ = StyleColor(style, theme::kControlBorderColor);
    buttonColor_ = StyleColor(style, theme::kFormBackgroundColor);
    update();
}

void SkinComboBox::setBorderColor(const QColor& color) {
    borderColor_ = color;
    update();
}

void SkinComboBox::setButtonColor(const QColor& color) {
    buttonColor_ = color;
    update();
}

void SkinComboBox::setArrowColor(const QColor& color) {
    arrowColor_ = color;
    update();
}

QRect SkinComboBox::buttonRect() const {
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    const QRect inner = rect().adjusted(2, 2, -2, -2);
    QRect r = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxArrow, this);
    r &= inner;
    if (r.isEmpty()) // a style without a separate arrow: a square at the inner right edge
        r = QRect(inner.right() + 1 - inner.height(), inner.top(), inner.height(), inner.height());
    return r;
}

void SkinComboBox::paintEvent(QPaintEvent* event) {
    // The platform paints first; the frame and the button go over it.
    QComboBox::paintEvent(event);
    QPainter p(this);
    DrawControlBorder(p, rect(), borderColor_, palette().color(QPalette::Base));

    const QRect r = buttonRect();
    // The stored look, not resolved: FromThemeFile draws as the flat looks do.
    if (uiStyle_ == SkinUIStyle::MacOS || uiStyle_ == SkinUIStyle::WinXP) {
        const QImage button = StyleBitmap(uiStyle_ == SkinUIStyle::MacOS ? "MACOS_COMBOBOX_BUTTON"
                                                                         : "WINXP_COMBOBOX_BUTTON");
        p.drawImage(r, button);
    } else {
        p.fillRect(r, buttonColor_);
        p.setPen(borderColor_);
        const int x = layoutDirection() == Qt::RightToLeft ? r.right() : r.left();
        p.drawLine(x, r.top() - 1, x, r.bottom() + 1);
    }
    if (uiStyle_ == SkinUIStyle::WinXP)
        return; // its picture shows its own arrow

    const auto tri = ComboArrow(ToSkinRect(r));
    auto drawArrow = [&](QPoint offset, const QColor& color) {
        const QPoint pts[3] = {QPoint(tri[0].x, tri[0].y) + offset,
                               QPoint(tri[1].x, tri[1].y) + offset,
                               QPoint(tri[2].x, tri[2].y) + offset};
        p.setPen(color);
        p.setBrush(color);
        p.drawPolygon(pts, 3);
    };
    if (isEnabled()) {
        drawArrow(QPoint(0, 0), arrowColor_);
    } else {
        drawArrow(QPoint(1, 1), QColor(0xFF, 0xFF, 0xFF));
        drawArrow(QPoint(0, 0), QColor(0x80, 0x80, 0x80));
    }
}

void SkinComboBox::showPopup() {
    // The open list carries a one-pixel frame in the border colour.
    if (auto* frame = qobject_cast<QFrame*>(view()->parentWidget())) {
        QPalette pal = frame->palette();
        pal.setColor(QPalette::WindowText, borderColor_);
        frame->setPalette(pal);
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(1);
    }
    QComboBox::showPopup();
}

void SkinComboBox::hidePopup() {
    QComboBox::hidePopup();
    if (QWidget* parent = parentWidget())
        parent->update();
}

} // namespace trvx
