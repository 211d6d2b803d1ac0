#include "controls/wide/ui/UniLabel.h"

#include "controls/wide/ui/UniHints.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QThread>

namespace trvx {

namespace {

// The text colour is set in every colour group, as SetFontColor sets it.
bool FontColorIs(const QPalette& p, const QColor& color) {
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        if (!p.isBrushSet(g, QPalette::WindowText) || p.color(g, QPalette::WindowText) != color)
            return false;
    return true;
}

QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

TUniLabel::TUniLabel(QWidget* parent) : QWidget(parent) {
    resize(65, 17);
    setMouseTracking(true);
}

void TUniLabel::SetCaption(std::u16string_view caption) {
    // A worker (the input-report listener) may set a status caption: the label itself is only
    // changed on the UI thread, by a queued call.
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this, text = std::u16string(caption)] { SetCaption(text); },
            Qt::QueuedConnection);
        return;
    }
    if (caption == caption_)
        return;
    caption_ = caption;
    setAccessibleName(toQString(caption_));
    if (focusControl_)
        updateShortcut();
    adjustToText();
    update();
    emit captionChanged();
}

void TUniLabel::SetHint(std::u16string_view hint) {
    SetControlWideHint(this, hint);
    if (!showHint_)
        setToolTip(QString());
}

std::u16string TUniLabel::Hint() const {
    return GetControlWideHint(this);
}

void TUniLabel::SetShowHint(bool show) {
    if (showHint_ == show)
        return;
    showHint_ = show;
    SetControlWideHint(this, Hint());
    if (!show)
        setToolTip(QString());
}

void TUniLabel::SetFocusControl(QWidget* control) {
    focusControl_ = control;
    updateShortcut();
}

bool TUniLabel::DialogChar(char16_t c) {
    if (!focusControl_ || !isEnabled() || !showAccelChar_)
        return false;
    const auto key = LabelHotKey(caption_);
    if (!key || QString(QChar(*key)).toCaseFolded() != QString(QChar(c)).toCaseFolded())
        return false;
    if (focusControl_->isEnabled() && focusControl_->focusPolicy() != Qt::NoFocus)
        focusControl_->setFocus(Qt::ShortcutFocusReason);
    return true;
}

void TUniLabel::updateShortcut() {
    delete shortcut_;
    shortcut_ = nullptr;
    const auto key = LabelHotKey(caption_);
    if (!focusControl_ || !key)
        return;
    // Alt and the hot key, as dialogs take accelerators.
    shortcut_ = new QShortcut(QKeySequence(QStringLiteral("Alt+") + QChar(*key)), this);
    shortcut_->setContext(Qt::WindowShortcut);
    connect(shortcut_, &QShortcut::activated, this, [this] {
        if (const auto k = LabelHotKey(caption_))
            DialogChar(*k);
    });
}

void TUniLabel::SetAlignment(TAlignment value) {
    if (alignment_ == value)
        return;
    alignment_ = value;
    update();
}

void TUniLabel::SetLayout(TTextLayout value) {
    if (layout_ == value)
        return;
    layout_ = value;
    update();
}

void TUniLabel::SetAutoSize(bool value) {
    if (autoSize_ == value)
        return;
    autoSize_ = value;
    adjustToText();
}

void TUniLabel::SetWordWrap(bool value) {
    if (wordWrap_ == value)
        return;
    wordWrap_ = value;
    adjustToText();
    update();
}

void TUniLabel::SetShowAccelChar(bool value) {
    if (showAccelChar_ == value)
        return;
    showAccelChar_ = value;
    adjustToText();
    update();
}

void TUniLabel::SetTransparent(bool value) {
    if (transparent_ == value)
        return;
    transparent_ = value;
    update();
}

void TUniLabel::SetColor(const QColor& color) {
    if (color_ == color)
        return;
    color_ = color;
    update();
}

QColor TUniLabel::FontColor() const {
    return palette().color(QPalette::WindowText);
}

void TUniLabel::SetFontColor(const QColor& color) {
    // The layout pass sets every label's colour on every pass: an unchanged one costs nothing.
    if (testAttribute(Qt::WA_SetPalette) && FontColorIs(palette(), color))
        return;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
    update();
}

int TUniLabel::textFlags() const {
    int flags = Qt::TextExpandTabs;
    if (wordWrap_)
        flags |= Qt::TextWordWrap;
    switch (alignment_) {
    case TAlignment::taLeftJustify:
        flags |= Qt::AlignLeft;
        break;
    case TAlignment::taRightJustify:
        flags |= Qt::AlignRight;
        break;
    case TAlignment::taCenter:
        flags |= Qt::AlignHCenter;
        break;
    }
    if (showAccelChar_)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

void TUniLabel::adjustToText() {
    if (!autoSize_)
        return;
    const QFontMetrics fm(font());
    const QString text = toQString(LabelMeasureText(caption_, showAccelChar_));
    const QRect bounds(0, 0, wordWrap_ ? width() : 0x3FFFFFFF, 0x3FFFFFFF);
    const QRect measured = fm.boundingRect(bounds, textFlags() & ~Qt::AlignHorizontal_Mask, text);
    const int newWidth = measured.width();
    const int newHeight = measured.height();
    if (newWidth == width() && newHeight == height())
        return;
    const int left = LabelAutoSizeLeft(alignment_, x(), width(), newWidth);
    setGeometry(left, y(), newWidth, newHeight);
}

void TUniLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!transparent_)
        painter.fillRect(rect(), color_);
    const QString text = toQString(caption_);
    if (text.isEmpty())
        return;
    painter.setFont(font());
    const int flags = textFlags();
    QRect r = rect();
    if (layout_ != TTextLayout::tlTop) {
        const QRect measured = painter.boundingRect(r, flags & ~Qt::AlignVertical_Mask, text);
        r.translate(0, TextOffset(measured.height()));
    }
    if (isEnabled()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(r, flags, text);
    } else {
        // Embossed: a highlight copy one pixel down and right, the shadow colour on top.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(r.translated(1, 1), flags, text);
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawText(r, flags, text);
    }
}

void TUniLabel::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    emit mouseEnter();
}

void TUniLabel::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    emit mouseLeave();
}

void TUniLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    emit mouseDown(event->button(), event->position().toPoint());
}

void TUniLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    // The handler may hide or delete the label; nothing of it is touched after the signals.
    emit mouseUp(event->button(), event->position().toPoint());
    if (click)
        emit clicked();
}

void TUniLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    pressed_ = event->button() == Qt::LeftButton;
}

void TUniLabel::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMove(event->position().toPoint());
}

void TUniLabel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        adjustToText();
}

} // namespace trvx
