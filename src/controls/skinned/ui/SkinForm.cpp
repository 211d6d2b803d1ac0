#include "controls/skinned/ui/SkinForm.h"

#include "controls/skinned/ui/SkinNotice.h"
#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QRegion>

namespace trvx {

void PropagateStyleToChildren(QWidget* control, SkinUIStyle look) {
    for (QObject* child : control->children()) {
        if (!child->isWidgetType()) {
            continue;
        }
        if (child->metaObject()->indexOfProperty(kSkinUIStyleProperty) >= 0) {
            child->setProperty(kSkinUIStyleProperty, static_cast<int>(look));
        }
    }
}

SkinForm::SkinForm(QWidget* form) : QWidget(form) {
    if (form == nullptr) {
        return;
    }
    for (QObject* child : form->children()) {
        if (child != this && qobject_cast<SkinForm*>(child) != nullptr) {
            return; // one frame per form: this one stays a plain panel
        }
    }
    form_ = form;
    setAttribute(Qt::WA_OpaquePaintEvent);
    form->setMinimumSize(125, 50);
    setMinimumSize(125, 50);
    titleBar_ = new SkinTitleBar(this);
    titleBar_->setCaption(form->windowTitle());
    setUIStyle(SkinUIStyle::DeepBlue);
    removeSystemCaption();
    form->installEventFilter(this);
    qApp->installEventFilter(this);
    placeInForm();
}

SkinForm::~SkinForm() {
    if (form_ != nullptr) {
        qApp->removeEventFilter(this);
    }
}

void SkinForm::removeSystemCaption() {
    if (form_ == nullptr || (form_->windowFlags() & Qt::FramelessWindowHint)) {
        return;
    }
    const bool shown = form_->isVisible();
    form_->setWindowFlags(form_->windowFlags() | Qt::FramelessWindowHint);
    if (shown) {
        form_->show();
    }
}

void SkinForm::setUIStyle(SkinUIStyle look) {
    uiStyle_ = look;
    setProperty(kSkinFormStyleProperty, static_cast<int>(look));
    if (form_ == nullptr) {
        return;
    }
    const FormFrameLook fl = formFrameLook(EffectiveLook(look));
    borderColor_ = fl.borderColor;
    borderWidth_ = fl.borderWidth;
    color_ = fl.color;
    menuBarColor_ = color_;
    titleBar_->setUIStyle(look);
    titleBar_->setRoundCorner(fl.roundCorner);
    titleBar_->setRoundCornerBottom(0);
    if (autoUpdateSub_) {
        PropagateStyleToChildren(this, look);
    }
    placeInForm();
    update();
    form_->update();
}

QString SkinForm::caption() const {
    return titleBar_ ? titleBar_->caption() : QString();
}

void SkinForm::setCaption(const QString& caption) {
    if (titleBar_ == nullptr) {
        return;
    }
    titleBar_->setCaption(caption);
    form_->setWindowTitle(caption);
}

void SkinForm::setBorderColor(SkinColor color) {
    borderColor_ = color;
    if (form_) {
        form_->update();
    }
}

void SkinForm::setBorderWidth(int width) {
    borderWidth_ = width;
    if (form_) {
        form_->update();
    }
}

void SkinForm::setColor(SkinColor color) {
    color_ = color;
    update();
    if (form_) {
        form_->update();
    }
}

bool SkinForm::titleBarVisible() const {
    return titleBar_ && !titleBar_->isHidden();
}

void SkinForm::setTitleBarVisible(bool visible) {
    if (titleBar_ == nullptr || visible == titleBarVisible()) {
        return;
    }
    titleBar_->setVisible(visible);
    placeInForm();
    updateRegion();
    form_->update();
}

int SkinForm::roundCorner() const {
    return titleBarVisible() ? titleBar_->roundCorner() : 0;
}

void SkinForm::setRoundCorner(int r) {
    if (titleBar_) {
        titleBar_->setRoundCorner(r);
        updateRegion();
    }
}

int SkinForm::roundCornerBottom() const {
    return titleBarVisible() ? titleBar_->roundCornerBottom() : 0;
}

void SkinForm::setRoundCornerBottom(int r) {
    if (titleBar_) {
        titleBar_->setRoundCornerBottom(r);
        updateRegion();
    }
}

int SkinForm::titleBarHeight() const {
    return titleBarVisible() ? titleBar_->height() : 0;
}

void SkinForm::setFormPanel(QWidget* panel) {
    if (panel == this) {
        ShowSkinNotice(
            QStringLiteral("Sorry, you can't select the Form assign to FormPanel property"));
        return;
    }
    formPanel_ = panel;
    placeInForm();
}

void SkinForm::placeInForm() {
    if (form_ == nullptr) {
        return;
    }
    setGeometry(kFrameInset, kFrameInset, form_->width() - 2 * kFrameInset,
                form_->height() - 2 * kFrameInset);
    layoutChildren();
}

void SkinForm::resizeEvent(QResizeEvent*) {
    layoutChildren();
}

void SkinForm::layoutChildren() {
    // Also called directly: a hidden widget gets its resize event only when shown.
    if (titleBar_ == nullptr) {
        return;
    }
    titleBar_->setGeometry(0, 0, width(), titleBar_->height());
    if (formPanel_ != nullptr && formPanel_->parentWidget() == this) {
        const int t = titleBarHeight();
        formPanel_->setGeometry(0, t, width(), height() - t);
    }
}

void SkinForm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const SkinUIStyle look = EffectiveLook(uiStyle_);
    const char* pattern = look == SkinUIStyle::MacOS     ? "MACOS_FORM_BACKGROUND"
                          : look == SkinUIStyle::Protein ? "PROTEIN_FORM_BACKGROUND"
                                                         : nullptr;
    const QImage tile = pattern ? StyleBitmap(pattern) : QImage();
    if (!tile.isNull()) {
        DrawTiled(p, tile, rect());
    } else {
        p.fillRect(rect(), ToQColor(color_));
    }
}

void SkinForm::paintBorder(QPainter& p) const {
    const int w = form_->width();
    const int h = form_->height();
    FrameTitlePictures pics;
    bool havePictures = false;
    if (titleBarVisible() && titleBar_->hasThreeSections()) {
        const auto& s = titleBar_->sections();
        havePictures = !s[0].picture.isNull() && !s[1].picture.isNull();
        pics.left = {s[0].picture.width(), s[0].picture.height()};
        pics.right = {s[1].picture.width(), s[1].picture.height()};
        pics.client = {s[2].picture.width(), s[2].picture.height()};
    }
    const FrameBorderLayout l = layoutFrameBorder(w, h, borderWidth_, titleBarVisible(),
                                                  titleBarHeight(), havePictures ? &pics : nullptr);
    for (const FrameFill& f : l.fills) {
        if (!f.rect.empty()) {
            p.fillRect(ToQRect(f.rect),
                       ToQColor(f.paint == FramePaint::Border ? borderColor_ : color_));
        }
    }
    if (!havePictures) {
        return;
    }
    const auto& s = titleBar_->sections();
    auto draw = [&](const FrameTitlePiece& piece, const QImage& picture) {
        if (picture.isNull() || piece.clip.empty()) {
            return;
        }
        p.save();
        p.setClipRect(ToQRect(piece.clip));
        const QRect source(piece.sourceLeft, 0, piece.sourceRight - piece.sourceLeft,
                           picture.height());
        if (piece.stretch) {
            p.drawImage(ToQRect(piece.target), picture, source);
        } else {
            p.drawImage(QPoint(piece.target.left, piece.target.top), picture, source);
        }
        p.restore();
    };
    for (const FrameTitlePiece& piece : l.leftStrip) {
        draw(piece, s[0].picture);
    }
    for (const FrameTitlePiece& piece : l.rightStrip) {
        draw(piece, s[1].picture);
    }
    if (l.topBand.size() == 3) {
        draw(l.topBand[0], s[0].picture);
        draw(l.topBand[1], s[2].picture);
        draw(l.topBand[2], s[1].picture);
    } else if (l.topBand.size() == 2) {
        draw(l.topBand[0], s[0].picture);
        draw(l.topBand[1], s[1].picture);
    }
    if (borderWidth_ == 1 && roundCorner() == 11) {
        p.setPen(ToQColor(borderColor_));
        p.drawArc(QRect(0, 0, 11, 11), 90 * 16, 90 * 16);
        p.drawArc(QRect(w - 12, 0, 11, 11), 0, 90 * 16);
    }
}

void SkinForm::updateRegion() {
    if (form_ == nullptr) {
        return;
    }
    const int w = form_->width();
    const int h = form_->height();
    const int r = roundCorner();
    const int rb = roundCornerBottom();
    if (r <= 0 && rb <= 0) {
        form_->clearMask();
        return;
    }
    QRegion region;
    for (int y = 0; y < h; ++y) {
        for (const auto& [x0, x1] : frameRegionRow(w, h, r, rb, y)) {
            region += QRect(x0, y, x1 - x0, 1);
        }
    }
    form_->setMask(region);
}

QImage SkinForm::renderWindow() {
    QWidget* target = form_ ? form_ : this;
    // Rendering the form runs its paint, and with it the border painting, as on screen.
    QImage img(target->size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    if (form_ && !form_->mask().isEmpty()) {
        p.setClipRegion(form_->mask());
    }
    target->render(&p, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return img;
}

bool SkinForm::eventFilter(QObject* watched, QEvent* event) {
    if (form_ == nullptr) {
        return false;
    }
    if (watched == form_) {
        switch (event->type()) {
        case QEvent::Resize:
            placeInForm();
            updateRegion();
            break;
        case QEvent::Paint: {
            QPainter p(form_);
            paintBorder(p);
            break;
        }
        case QEvent::WindowActivate:
            titleBar_->setFormActive(true);
            break;
        case QEvent::WindowDeactivate:
            titleBar_->setFormActive(false);
            break;
        case QEvent::WindowStateChange:
            titleBar_->reloadMaxButtons();
            updateRegion();
            break;
        default:
            break;
        }
        return false;
    }
    if (event->type() == QEvent::KeyPress && form_->isVisible()) {
        // Alt+Space anywhere in the program opens the window menu, as on a native caption.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && (key->modifiers() & Qt::AltModifier) &&
            !key->isAutoRepeat()) {
            titleBar_->popupWindowMenu(form_->mapToGlobal(QPoint(0, titleBarHeight())));
            return true;
        }
    }
    return false;
}

} // namespace trvx
