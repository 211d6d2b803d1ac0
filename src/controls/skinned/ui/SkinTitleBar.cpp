#include "controls/skinned/ui/SkinTitleBar.h"

#include "controls/skinned/ui/SkinForm.h"
#include "controls/skinned/ui/SkinNotice.h"
#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

namespace trvx {

namespace {

// The system's caption colour of an inactive window.
const QColor kInactiveCaption(0xBF, 0xCD, 0xDB);

} // namespace

SkinTitleBar::SkinTitleBar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    windowMenu_ = new SkinPopupMenu(this);
    windowMenu_->addItem(QStringLiteral("Mi&nimize"), [this] {
        for (std::size_t i = 0; i < buttons_.size(); ++i) {
            if (buttons_[i].visible && buttons_[i].buttonType == TitleBarButtonType::Min) {
                clickButton(static_cast<int>(i));
                return;
            }
        }
    });
    windowMenu_->addItem(QStringLiteral("Ma&ximize/Restore"), [this] {
        for (std::size_t i = 0; i < buttons_.size(); ++i) {
            if (buttons_[i].visible && buttons_[i].buttonType == TitleBarButtonType::Max) {
                clickButton(static_cast<int>(i));
            }
        }
    });
    windowMenu_->addItem(QStringLiteral("-"));
    windowMenu_->addItem(QStringLiteral("&Close"), [this] {
        if (window() != this) {
            window()->close();
        }
    });
    for (TitleBarButtonType t : {TitleBarButtonType::ControlBox, TitleBarButtonType::Close,
                                 TitleBarButtonType::Max, TitleBarButtonType::Min}) {
        SkinTitleBarButton b;
        b.buttonType = t;
        buttons_.push_back(b);
    }
    QFont f(QStringLiteral("Tahoma"));
    f.setBold(true);
    setFont(f);
    setUIStyle(FormUIStyle(parent));
}

bool SkinTitleBar::onSkinForm() const {
    return qobject_cast<const SkinForm*>(parentWidget()) != nullptr;
}

bool SkinTitleBar::formMaximized() const {
    return window() != this && window()->isMaximized();
}

void SkinTitleBar::loadButton(SkinTitleBarButton& b) const {
    const SkinUIStyle look = EffectiveLook(b.uiStyle);
    b.transparent = StyleBool(look, theme::kTitleBarButtonTransparentBool);
    const int first = titleButtonFirstFrame(b.buttonType, formMaximized());
    if (first == 0) {
        return; // custom buttons keep their pictures and top
    }
    b.picNormal =
        StyleElementFrame(look, theme::kTitleBarButtonImage, first, kTitleButtonFrameCount);
    b.picMouseOn =
        StyleElementFrame(look, theme::kTitleBarButtonImage, first + 1, kTitleButtonFrameCount);
    b.picMouseDown =
        StyleElementFrame(look, theme::kTitleBarButtonImage, first + 2, kTitleButtonFrameCount);
    b.top = StyleInteger(look, theme::kTitleBarButtonTopInt);
}

void SkinTitleBar::buildSectionsFromLook(SkinUIStyle look) {
    sections_.clear();
    SkinTitleBarSection left;
    left.picture = StyleElementBitmap(look, theme::kTitleBarLeftImage);
    left.autoSize = true;
    left.width = left.picture.isNull() ? 10 : left.picture.width();
    SkinTitleBarSection right;
    right.picture = StyleElementBitmap(look, theme::kTitleBarRightImage);
    right.autoSize = true;
    right.align = TitleBarAlign::Right;
    right.width = right.picture.isNull() ? 10 : right.picture.width();
    SkinTitleBarSection client;
    client.picture = StyleElementBitmap(look, theme::kTitleBarClientImage);
    client.align = TitleBarAlign::Client;
    client.stretch = true;
    sections_ = {left, right, client};

    leftBtnXOffset_ = StyleInteger(look, theme::kTitleBarButtonLeftOffsetInt);
    rightBtnXOffset_ = StyleInteger(look, theme::kTitleBarButtonRightOffsetInt);
    lookBorderColor_ = GetStyleColor(look, theme::kFormBorderColor);
    buttonImageHeight_ = StyleElementBitmap(look, theme::kTitleBarButtonImage).height();
    buttonTop_ = StyleInteger(look, theme::kTitleBarButtonTopInt) - (onSkinForm() ? 3 : 0);
    if (window() != this) {
        window()->setMinimumWidth(StyleInteger(look, theme::kFormMinWidthInt));
    }
    roundCorner_ = StyleInteger(look, theme::kFormRoundCornerInt);
    roundCornerBottom_ = 0;
}

void SkinTitleBar::setUIStyle(SkinUIStyle look) {
    uiStyle_ = look;
    if (custom_) {
        return;
    }
    const SkinUIStyle effective = EffectiveLook(look);
    buildSectionsFromLook(effective);
    for (SkinTitleBarButton& b : buttons_) {
        b.uiStyle = effective;
        loadButton(b);
    }
    windowMenu_->setUIStyle(effective);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, effective == SkinUIStyle::MacOS ? Qt::black : Qt::white);
    setPalette(pal);
    setAutoSize(true);
    update();
}

void SkinTitleBar::setAutoSize(bool on) {
    autoSize_ = on && !sections_.empty();
    if (autoSize_) {
        setFixedHeight(titleBarAutoHeight(sections_[0].picture.height(), onSkinForm()));
    }
}

void SkinTitleBar::setCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void SkinTitleBar::setFormActive(bool active) {
    formActive_ = active;
    update();
}

void SkinTitleBar::setButtonInterval(int interval) {
    buttonInterval_ = interval;
    update();
}

void SkinTitleBar::setLeftBtnXOffset(int offset) {
    leftBtnXOffset_ = offset;
    update();
}

void SkinTitleBar::setRightBtnXOffset(int offset) {
    rightBtnXOffset_ = offset;
    update();
}

void SkinTitleBar::setDrawAppIcon(bool on) {
    drawAppIcon_ = on;
    update();
}

void SkinTitleBar::setButtons(const std::vector<SkinTitleBarButton>& buttons) {
    buttons_ = buttons;
    update();
}

int SkinTitleBar::addButton(TitleBarButtonType type) {
    SkinTitleBarButton b;
    b.uiStyle = EffectiveLook(uiStyle_);
    buttons_.push_back(b);
    const int index = static_cast<int>(buttons_.size()) - 1;
    if (!setButtonType(index, type)) {
        loadButton(buttons_.back());
    }
    return index;
}

bool SkinTitleBar::setButtonType(int index, TitleBarButtonType type) {
    if (type == TitleBarButtonType::ControlBox) {
        for (const SkinTitleBarButton& b : buttons_) {
            if (b.buttonType == TitleBarButtonType::ControlBox) {
                ShowSkinNotice(QStringLiteral("Sorry, only one button's ButtonType property can be "
                                              "\"skControlBox\""));
                return false;
            }
        }
    }
    SkinTitleBarButton& b = buttons_.at(static_cast<std::size_t>(index));
    b.buttonType = type;
    loadButton(b);
    update();
    return true;
}

void SkinTitleBar::setButtonStyle(int index, SkinUIStyle look) {
    SkinTitleBarButton& b = buttons_.at(static_cast<std::size_t>(index));
    b.uiStyle = look;
    loadButton(b);
    update();
}

void SkinTitleBar::setSections(const std::vector<SkinTitleBarSection>& sections) {
    sections_ = sections;
    if (autoSize_) {
        setAutoSize(true);
    }
    update();
}

bool SkinTitleBar::setSectionAlign(int index, TitleBarAlign align) {
    SkinTitleBarSection& s = sections_.at(static_cast<std::size_t>(index));
    if (align == TitleBarAlign::Client) {
        for (const SkinTitleBarSection& other : sections_) {
            if (other.align == TitleBarAlign::Client) {
                ShowSkinNotice(
                    QStringLiteral("Sorry, only one section's Align property can be \"skClient\""));
                return false;
            }
        }
        s.stretch = true;
    }
    s.align = align;
    update();
    return true;
}

void SkinTitleBar::reloadMaxButtons() {
    for (SkinTitleBarButton& b : buttons_) {
        if (b.buttonType == TitleBarButtonType::Max) {
            loadButton(b);
        }
    }
    update();
}

TitleButtonsLayout SkinTitleBar::layoutAt(QPoint cursor) const {
    TitleButtonsInput in;
    in.barWidth = width();
    in.buttonTop = buttonTop_;
    in.buttonImageHeight = buttonImageHeight_;
    in.buttonInterval = buttonInterval_;
    in.leftBtnXOffset = leftBtnXOffset_;
    in.rightBtnXOffset = rightBtnXOffset_;
    in.drawAppIcon = drawAppIcon_;
    in.cursor = {cursor.x(), cursor.y()};
    in.mouseDown = mouseDown_;
    for (const SkinTitleBarButton& b : buttons_) {
        in.buttons.push_back(
            {b.buttonType, b.visible, {b.picNormal.width(), b.picNormal.height()}});
    }
    return layoutTitleButtons(in);
}

TitleButtonsLayout SkinTitleBar::buttonsLayout() const {
    return layoutAt(cursor_);
}

TitleSectionsLayout SkinTitleBar::sectionsLayout() const {
    auto size = [&](std::size_t i) {
        if (i >= sections_.size()) {
            return LayoutSize{};
        }
        const QImage& p = sections_[i].picture;
        return LayoutSize{p.width(), p.height()};
    };
    return layoutTitleSections(width(), onSkinForm(), 0, size(0), size(1), size(2));
}

QString SkinTitleBar::shownCaption() const {
    const TitleButtonsLayout l = buttonsLayout();
    const QFontMetrics fm(font());
    const std::u16string text = fitTitleCaption(
        caption_.toStdU16String(), l.captionRight - l.captionLeft, [&](std::u16string_view s) {
            return fm.horizontalAdvance(
                QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())));
        });
    return QString::fromStdU16String(text);
}

void SkinTitleBar::drawSections(QPainter& p) const {
    const TitleSectionsLayout l = sectionsLayout();
    if (!sections_.empty() && !sections_[0].picture.isNull()) {
        p.drawImage(QPoint(l.left.left, l.left.top), sections_[0].picture);
    }
    if (sections_.size() > 1 && !sections_[1].picture.isNull()) {
        p.drawImage(QPoint(l.right.left, l.right.top), sections_[1].picture);
    }
    if (sections_.size() > 2 && !sections_[2].picture.isNull() && !l.client.empty()) {
        p.drawImage(ToQRect(l.client), sections_[2].picture);
    }
}

void SkinTitleBar::drawButtonsAndCaption(QPainter& p) const {
    const TitleButtonsLayout l = buttonsLayout();
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const TitleButtonPlace& place = l.buttons[i];
        const SkinTitleBarButton& b = buttons_[i];
        if (!place.shown) {
            continue;
        }
        const bool controlBox = static_cast<int>(i) == l.controlBoxIndex;
        if (controlBox && drawAppIcon_) {
            const QIcon icon = QApplication::windowIcon();
            if (!icon.isNull()) {
                p.drawPixmap(ToQRect(l.appIcon), icon.pixmap(16, 16));
            }
            continue;
        }
        const QImage* pic = &b.picNormal;
        if (place.state == TitleButtonState::Pressed && !b.picMouseDown.isNull()) {
            pic = &b.picMouseDown;
        } else if (place.state == TitleButtonState::MouseOver && !b.picMouseOn.isNull()) {
            pic = &b.picMouseOn;
        }
        if (pic->isNull()) {
            continue;
        }
        // Every picture is drawn at the normal picture's size.
        QImage img = pic->scaled(b.picNormal.size());
        if (b.transparent) {
            img = MaskedImage(img);
        }
        const QPoint at(place.rect.left, place.rect.top - (controlBox ? 1 : 0));
        p.drawImage(at, img);
    }
    p.setFont(font());
    p.setPen(formActive_ ? palette().color(QPalette::WindowText) : kInactiveCaption);
    const QFontMetrics fm(font());
    const int y = titleCaptionTop(buttonTop_, buttonImageHeight_, fm.height());
    const QString text = shownCaption();
    const int x =
        titleCaptionLeft(l, fm.horizontalAdvance(text), layoutDirection() == Qt::RightToLeft);
    p.drawText(QPoint(x, y + fm.ascent()), text);
}

QImage SkinTitleBar::render() const {
    QImage buffer(size(), QImage::Format_ARGB32_Premultiplied);
    buffer.fill(palette().color(QPalette::Window));
    QPainter p(&buffer);
    drawSections(p);
    drawButtonsAndCaption(p);
    return buffer;
}

void SkinTitleBar::paintEvent(QPaintEvent*) {
    // Composed off-screen and copied in one step, so the bar never flickers.
    const QImage buffer = render();
    QPainter p(this);
    p.drawImage(0, 0, buffer);
}

void SkinTitleBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    cursor_ = event->position().toPoint();
    mouseDown_ = true;
    update();
    QWidget* form = window();
    if (form != this && layoutAt(cursor_).hotIndex < 0 && !form->isMaximized()) {
        // A press on the caption moves the form with the mouse.
        mouseDown_ = false;
        QWindow* handle = form->windowHandle();
        if (handle == nullptr || !handle->startSystemMove()) {
            dragging_ = true;
            dragOffset_ = event->globalPosition().toPoint() - form->pos();
        }
    }
}

void SkinTitleBar::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        window()->move(event->globalPosition().toPoint() - dragOffset_);
        return;
    }
    cursor_ = event->position().toPoint();
    update();
}

void SkinTitleBar::leaveEvent(QEvent*) {
    cursor_ = {-1000000, -1000000};
    update();
}

void SkinTitleBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (dragging_) {
        dragging_ = false;
        return;
    }
    cursor_ = event->position().toPoint();
    const int hot = layoutAt(cursor_).hotIndex;
    if (hot >= 0) {
        const SkinTitleBarButton& b = buttons_[static_cast<std::size_t>(hot)];
        if (b.buttonType == TitleBarButtonType::ControlBox && b.controlBoxMenu == nullptr) {
            popupWindowMenu(mapToGlobal(QPoint(0, height())));
        } else {
            const TitleBarButtonType type = b.buttonType;
            clickButton(hot);
            if (type == TitleBarButtonType::Custom) {
                emit customButtonClicked(hot);
            } else if (type == TitleBarButtonType::Help) {
                emit helpButtonClicked();
            }
        }
    }
    mouseDown_ = false;
    update();
}

void SkinTitleBar::mouseDoubleClickEvent(QMouseEvent* event) {
    const TitleButtonsLayout l = layoutAt(event->position().toPoint());
    if (l.hotIndex < 0) {
        for (std::size_t i = 0; i < buttons_.size(); ++i) {
            if (buttons_[i].visible && buttons_[i].buttonType == TitleBarButtonType::Max) {
                clickButton(static_cast<int>(i));
                break;
            }
        }
    } else if (l.hotIndex == l.controlBoxIndex && window() != this) {
        window()->close();
    }
}

void SkinTitleBar::clickButton(int index) {
    QWidget* form = window();
    if (form == this || index < 0 || index >= static_cast<int>(buttons_.size())) {
        return;
    }
    const SkinTitleBarButton& b = buttons_[static_cast<std::size_t>(index)];
    switch (b.buttonType) {
    case TitleBarButtonType::Max:
        if (form->isMaximized()) {
            form->showNormal();
        } else {
            form->showMaximized();
            if (!onSkinForm() && form->screen() != nullptr) {
                const QRect work = form->screen()->availableGeometry();
                form->setGeometry(work.adjusted(-2, -2, 2, -1));
            }
        }
        reloadMaxButtons();
        break;
    case TitleBarButtonType::Min:
        form->showMinimized();
        break;
    case TitleBarButtonType::Close:
        form->close();
        break;
    case TitleBarButtonType::ControlBox:
        if (b.controlBoxMenu != nullptr) {
            QPoint at = mapToGlobal(QPoint(0, height()));
            at.setX(std::max(at.x(), 0));
            b.controlBoxMenu->popupAt(at);
        }
        break;
    case TitleBarButtonType::Help:
    case TitleBarButtonType::Custom:
        break;
    }
}

void SkinTitleBar::popupWindowMenu(QPoint globalPos) {
    bool min = false;
    bool max = false;
    bool close = false;
    for (const SkinTitleBarButton& b : buttons_) {
        if (!b.visible) {
            continue;
        }
        min = min || b.buttonType == TitleBarButtonType::Min;
        max = max || b.buttonType == TitleBarButtonType::Max;
        close = close || b.buttonType == TitleBarButtonType::Close;
    }
    windowMenu_->item(0).enabled = min;
    windowMenu_->item(1).enabled = max;
    windowMenu_->item(3).enabled = close;
    windowMenu_->popupAt(globalPos);
}

} // namespace trvx
