#include "controls/skinned/ui/GroupBox.h"

#include "controls/skinned/GroupBoxGeometry.h"
#include "controls/skinned/SkinFile.h"
#include "controls/skinned/ui/SkinForm.h"
#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

namespace trvx {

SkinGroupBox::SkinGroupBox(QWidget* parent) : SkinCustomPanel(parent) {
    resize(185, 105);
    uiStyle_ = FormUIStyle(parent);
    updateUIStyle();
    updateChildArea();
}

void SkinGroupBox::setCaption(const QString& caption) {
    caption_ = caption;
    update();
}

void SkinGroupBox::setBorderColor(SkinColor color) {
    borderColor_ = color;
    update();
}

void SkinGroupBox::setUIStyle(SkinUIStyle look) {
    uiStyle_ = look;
    updateUIStyle();
}

void SkinGroupBox::setFileTheme(const SkinThemeFileReader* theme) {
    fileTheme_ = theme;
    updateUIStyle();
}

void SkinGroupBox::fileThemeRemoved() {
    fileTheme_ = nullptr;
    PropagateStyleToChildren(this, SkinUIStyle::DeepBlue);
    uiStyle_ = SkinUIStyle::DeepBlue;
    updateUIStyle();
}

void SkinGroupBox::updateUIStyle() {
    PropagateStyleToChildren(this, uiStyle_);
    const bool fileUsable = fileTheme_ != nullptr;
    const auto [useFile, look] = UsingFileTheme(fileUsable, uiStyle_);
    SkinColor border = 0;
    SkinColor fontColor = 0;
    if (useFile) {
        border = FileThemeColor(fileTheme_, theme::kControlBorderColor);
        fontColor = FileThemeColor(fileTheme_, theme::kControlFontColor);
    } else {
        border = GetStyleColor(look, theme::kControlBorderColor);
        fontColor = GetStyleColor(look, theme::kControlFontColor);
    }
    borderColor_ = border;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, ToQColor(fontColor));
    setPalette(p);
    update();
}

int SkinGroupBox::fontHeight() const {
    const int pixels = font().pixelSize();
    return pixels > 0 ? pixels : QFontInfo(font()).pixelSize();
}

void SkinGroupBox::updateChildArea() {
    // Children placed by a layout stay inside the frame.
    const SkinRect area = GroupBoxChildArea({0, 0, width(), height()}, fontHeight());
    setContentsMargins(area.left, area.top, width() - area.right, height() - area.bottom);
}

void SkinGroupBox::changeEvent(QEvent* event) {
    SkinCustomPanel::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateChildArea();
        update();
    }
}

void SkinGroupBox::setFrameShown(bool shown) {
    if (frameShown_ == shown)
        return;
    frameShown_ = shown;
    update();
}

void SkinGroupBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (isTransparent())
        paintSurface(painter);
    else
        painter.fillRect(rect(), palette().color(QPalette::Window));

    const int h = fontHeight();
    const QFontMetrics fm(font());
    const int textWidth = caption_.isEmpty() ? 0 : fm.horizontalAdvance(caption_);
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    const auto path =
        GroupBoxFramePath({0, 0, width(), height()}, h, textWidth, !caption_.isEmpty(), rtl);
    painter.setPen(QPen(ToQColor(borderColor_), 1));
    for (std::size_t i = 1; frameShown_ && i < path.size(); ++i)
        painter.drawLine(path[i - 1].x, path[i - 1].y, path[i].x, path[i].y);

    if (caption_.isEmpty())
        return;
    painter.setFont(font());
    painter.setPen(isEnabled() ? palette().color(QPalette::WindowText) : QColor(0x80, 0x80, 0x80));
    const SkinPoint at = GroupBoxCaptionOrigin(width(), textWidth, rtl);
    painter.drawText(QRect(at.x, at.y, textWidth + 1, fm.height()),
                     Qt::TextSingleLine | Qt::AlignLeft | Qt::AlignTop, caption_);
}

} // namespace trvx
