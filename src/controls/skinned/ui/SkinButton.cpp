#include "controls/skinned/ui/SkinButton.h"

#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include <QDialog>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QTimer>

#include <algorithm>

namespace trvx {

namespace {

const QColor kEmbossLight(0xFF, 0xFF, 0xFF);
const QColor kEmbossGrey(0x80, 0x80, 0x80);

} // namespace

SkinButton::SkinButton(QWidget* parent, const QString& name) : QPushButton(parent) {
    setObjectName(name);
    // The focused button answers Enter, whether or not it is the dialog's default.
    setAutoDefault(true);
    setFocusPolicy(Qt::StrongFocus);
    resize(80, 27);
    // Connected first, so a dialog has its result before the button's own handlers run.
    connect(this, &QAbstractButton::clicked, this, &SkinButton::onClicked);
    setUIStyle(FormUIStyle(parent));
}

void SkinButton::setUIStyle(SkinUIStyle style) {
    uiStyle_ = style;
    setTransparent(StyleBool(style, theme::kButtonTransparentBool));
    update();
}

void SkinButton::setCaption(const QString& caption) {
    setText(caption);
    update();
}

void SkinButton::setTransparent(bool transparent) {
    transparent_ = transparent;
    update();
}

void SkinButton::setCancel(bool cancel) {
    cancel_ = cancel;
    if (cancel && !cancelShortcut_) {
        cancelShortcut_ = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        connect(cancelShortcut_, &QShortcut::activated, this, [this] {
            if (isEnabled() && isVisible())
                click();
        });
    }
    if (cancelShortcut_)
        cancelShortcut_->setEnabled(cancel);
}

void SkinButton::setAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    if (autoSize_) {
        // The stored look, not resolved: FromThemeFile has no picture of its own here.
        const std::string_view name = GetStyleBitmapName(uiStyle_, theme::kButtonImage);
        const QImage image = name.empty() ? QImage() : StyleBitmap(name);
        resize(image.isNull() ? QSize(74 / 3, 21) : QSize(image.width() / 3, image.height()));
    }
    update();
}

void SkinButton::setFocusedRectMargin(int margin) {
    focusedRectMargin_ = margin;
    update();
}

void SkinButton::setGlyph(const QImage& glyph) {
    glyph_ = glyph;
    update();
}

void SkinButton::setLayout(GlyphLayout layout) {
    layout_ = layout;
    update();
}

void SkinButton::setSpacing(int spacing) {
    spacing_ = spacing;
    update();
}

QImage SkinButton::renderFace() {
    QImage buffer(size(), QImage::Format_ARGB32_Premultiplied);
    buffer.fill(Qt::transparent);
    QPainter p(&buffer);
    if (transparent_)
        PaintParentBackground(p, this);
    else
        p.fillRect(rect(), palette().color(QPalette::Button));

    const int frame = ButtonFrame(isEnabled(), isDown(), mouseOver_);
    // A look without a button picture leaves the background alone.
    DrawNinePatch(p, StyleElementFrame(uiStyle_, theme::kButtonImage, frame, 3), rect(),
                  transparent_);

    bool bold = false;
    if (hasFocus() && focusPolicy() != Qt::NoFocus) {
        const SkinUIStyle look = EffectiveLook(uiStyle_);
        if (look == SkinUIStyle::MacOS || look == SkinUIStyle::BlueGlass) {
            bold = true; // these looks show focus by a bold caption
        } else {
            p.save();
            p.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            const int m = focusedRectMargin_;
            p.drawRect(rect().adjusted(m, m, -m - 1, -m - 1));
            p.restore();
        }
    }
    p.setFont(font());
    if (!glyph_.isNull())
        drawGlyphAndCaption(p);
    else if (!text().trimmed().isEmpty())
        drawCaption(p, bold);
    return buffer;
}

void SkinButton::drawCaption(QPainter& p, bool bold) {
    QFont f = font();
    f.setBold(bold);
    p.setFont(f);
    const int flags =
        Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic | Qt::TextExpandTabs;
    const QRect r = rect();
    if (!isEnabled()) {
        p.setPen(kEmbossLight);
        p.drawText(r.translated(1, 1), flags, text());
        p.setPen(kEmbossGrey);
        p.drawText(r, flags, text());
    } else {
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(isDown() ? r.translated(1, 1) : r, flags, text());
    }
}

void SkinButton::drawGlyphAndCaption(QPainter& p) {
    const QFontMetrics fm(font());
    QString plain = text();
    plain.remove(QLatin1Char('&'));
    const int tw = plain.trimmed().isEmpty() ? 0 : fm.horizontalAdvance(plain);
    const GlyphPlacement place = PlaceGlyph(layout_, width(), height(), tw, fm.height(),
                                            glyph_.width(), glyph_.height(), spacing_);
    QImage g = glyph_;
    if (place.glyphWidth != glyph_.width())
        g = ExtractBitmapFrame(glyph_, 2, isEnabled() ? 1 : 2);
    else if (!isEnabled())
        g = glyph_.convertToFormat(QImage::Format_Grayscale8)
                .convertToFormat(QImage::Format_ARGB32);
    QPoint at(place.glyph.x, place.glyph.y);
    if (isDown())
        at += QPoint(1, 1);
    DrawMasked(p, at, g, PixelKey(g, {0, 0}));

    if (tw == 0)
        return;
    const QRect r(place.text.x, place.text.y, width() - place.text.x, height() - place.text.y);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (!isEnabled()) {
        p.setPen(kEmbossLight);
        p.drawText(r.translated(1, 1), flags, text());
        p.setPen(kEmbossGrey);
        p.drawText(r, flags, text());
    } else {
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(isDown() ? r.translated(1, 1) : r, flags, text());
    }
}

void SkinButton::paintEvent(QPaintEvent*) {
    // One finished face copied at once: no flicker.
    const QImage face = renderFace();
    QPainter p(this);
    p.drawImage(0, 0, face);
}

void SkinButton::enterEvent(QEnterEvent* event) {
    mouseOver_ = true;
    update();
    emit mouseEntered();
    QPushButton::enterEvent(event);
}

void SkinButton::leaveEvent(QEvent* event) {
    mouseOver_ = false;
    stopRepeat();
    update();
    emit mouseExited();
    QPushButton::leaveEvent(event);
}

void SkinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !repeatTimer_) {
        repeatTimer_ = new QTimer(this);
        repeatTimer_->setInterval(std::max(repeatInterval_, 0));
        connect(repeatTimer_, &QTimer::timeout, this, &SkinButton::mouseContinuouslyDown);
        repeatTimer_->start();
    }
    QPushButton::mousePressEvent(event);
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event) {
    QPushButton::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        stopRepeat();
}

void SkinButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        update();
    QPushButton::changeEvent(event);
}

QSize SkinButton::sizeHint() const {
    return QSize(80, 27);
}

QSize SkinButton::minimumSizeHint() const {
    return QSize(0, 0);
}

void SkinButton::stopRepeat() {
    delete repeatTimer_;
    repeatTimer_ = nullptr;
}

void SkinButton::onClicked() {
    stopRepeat();
    if (modalResult_ == 0)
        return;
    if (auto* dialog = qobject_cast<QDialog*>(window()); dialog && dialog->isModal())
        dialog->done(modalResult_);
}

} // namespace trvx
