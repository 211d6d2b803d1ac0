#include "controls/skinned/ui/SkinCheckBox.h"

#include "controls/skinned/SkinGeometry.h"
#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QThread>

namespace trvx {

SkinCheckBox::SkinCheckBox(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
    setFocusPolicy(Qt::StrongFocus);
    resize(93, 17);
    uiStyle_ = FormUIStyle(parent);
    applyAutoSize();
}

void SkinCheckBox::setChecked(bool checked) {
    // A worker thread (the input-report listener) may set a box; widgets belong to the UI
    // thread, so the change is made there.
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, checked] { setChecked(checked); }, Qt::QueuedConnection);
        return;
    }
    if (checked == checked_)
        return;
    checked_ = checked;
    update();
    if (!IsFormLoading(this))
        emit clicked();
}

void SkinCheckBox::setCaption(const QString& caption) {
    caption_ = caption;
    // The caption's accelerator ("&Fire") focuses and clicks the box.
    const QKeySequence mnemonic = QKeySequence::mnemonic(caption);
    if (!accelerator_ && !mnemonic.isEmpty()) {
        accelerator_ = new QShortcut(this);
        connect(accelerator_, &QShortcut::activated, this, [this] {
            if (!isEnabled())
                return;
            if (focusPolicy() != Qt::NoFocus)
                setFocus(Qt::ShortcutFocusReason);
            click();
        });
    }
    if (accelerator_)
        accelerator_->setKey(mnemonic);
    applyAutoSize();
    update();
}

void SkinCheckBox::setUIStyle(SkinUIStyle style) {
    uiStyle_ = style;
    applyAutoSize();
    update();
}

void SkinCheckBox::setTransparent(bool transparent) {
    transparent_ = transparent;
    update();
}

void SkinCheckBox::setAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    applyAutoSize();
    update();
}

void SkinCheckBox::toggle() {
    beforeToggle();
    setChecked(!checked_);
}

QImage SkinCheckBox::glyph() const {
    return StyleElementFrame(uiStyle_, imageElement(), CheckBoxFrame(checked_, isEnabled()), 4);
}

void SkinCheckBox::applyAutoSize() {
    if (!autoSize_)
        return;
    const QSize s = sizeHint();
    if (s != size())
        resize(s);
}

QSize SkinCheckBox::sizeHint() const {
    if (!autoSize_)
        return size();
    const QImage g = glyph();
    const QFontMetrics fm(font());
    const int captionWidth = caption_.isEmpty() ? 0 : fm.horizontalAdvance(caption_);
    const SkinPoint s = CheckBoxAutoSize(
        g.width(), g.height(), fm.boundingRect(QStringLiteral("W")).height(), captionWidth);
    return QSize(s.x, s.y);
}

QImage SkinCheckBox::renderFace() const {
    QImage buffer(size(), QImage::Format_ARGB32_Premultiplied);
    buffer.fill(Qt::transparent);
    QPainter p(&buffer);
    if (transparent_)
        PaintParentBackground(p, this);
    else
        p.fillRect(rect(), palette().color(QPalette::Window));

    const QImage g = glyph();
    const QFontMetrics fm(font());
    const int lineHeight = fm.boundingRect(QStringLiteral("W")).height();
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    const CheckBoxPlacement place =
        PlaceCheckBox(width(), height(), g.width(), g.height(), lineHeight, rtl);
    p.drawImage(QPoint(place.glyph.x, place.glyph.y), g);

    p.setFont(font());
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const int align = (rtl ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop;
    p.drawText(ToQRect(place.caption), align | Qt::TextSingleLine | Qt::TextShowMnemonic, caption_);
    if (hasFocus() && focusPolicy() != Qt::NoFocus) {
        p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(ToQRect(place.focus).adjusted(0, 0, -1, -1));
    }
    return buffer;
}

void SkinCheckBox::paintEvent(QPaintEvent*) {
    const QImage face = renderFace();
    QPainter p(this);
    p.drawImage(0, 0, face);
}

void SkinCheckBox::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        pressedInside_ = true;
        if (isEnabled() && isVisible() && focusPolicy() != Qt::NoFocus)
            setFocus(Qt::MouseFocusReason);
    }
}

void SkinCheckBox::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !pressedInside_)
        return;
    pressedInside_ = false;
    if (isEnabled() && rect().contains(event->position().toPoint()))
        click();
}

void SkinCheckBox::keyReleaseEvent(QKeyEvent* event) {
    const int key = event->key();
    if (!event->isAutoRepeat() && isEnabled() && allowKeyToggle() &&
        (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        update();
        click();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void SkinCheckBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        applyAutoSize();
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        update();
    QWidget::changeEvent(event);
}

void SkinCheckBox::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
}

void SkinCheckBox::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

} // namespace trvx
