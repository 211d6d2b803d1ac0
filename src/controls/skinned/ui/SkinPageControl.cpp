#include "controls/skinned/ui/SkinPageControl.h"

#include "controls/skinned/ui/SkinForm.h"
#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace trvx {

namespace {

// Tab images are keyed by a magenta corner pixel, the top-left one first.
KeyColorSource tabImageKey(const QImage& image) {
    if (image.isNull()) {
        return KeyColorSource::Fuchsia;
    }
    const QRgb magenta = qRgb(255, 0, 255);
    if (qRgb(qRed(image.pixel(0, 0)), qGreen(image.pixel(0, 0)), qBlue(image.pixel(0, 0))) ==
        magenta) {
        return KeyColorSource::TopLeftPixel;
    }
    const QRgb bl = image.pixel(0, image.height() - 1);
    if (qRgb(qRed(bl), qGreen(bl), qBlue(bl)) == magenta) {
        return KeyColorSource::BottomLeftPixel;
    }
    return KeyColorSource::Fuchsia;
}

} // namespace

// --- strip ---

SkinTabStrip::SkinTabStrip(SkinTabControl* owner) : QWidget(owner), owner_(owner) {
    visible_.fill(true);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    tabs_ << QStringLiteral("Tab1");
}

void SkinTabStrip::loadImages() {
    const SkinUIStyle look = EffectiveLook(uiStyle_);
    activeTab_ = StyleElementFrame(look, theme::kTabControlTabImage, 1, 2);
    inactiveTab_ = StyleElementFrame(look, theme::kTabControlTabImage, 2, 2);
    line_ = StyleElementBitmap(look, theme::kTabControlBarImage);
    const QImage button = StyleElementFrame(look, theme::kScrollButtonImage, 1, 4);
    scrollButton_ = button.size();
    if (position_ == SkinTabPosition::Bottom) {
        RotateBitmapHalf(activeTab_);
        RotateBitmapHalf(inactiveTab_);
        RotateBitmapHalf(line_);
    }
}

void SkinTabStrip::setUIStyle(SkinUIStyle look) {
    uiStyle_ = look;
    loadImages();
    setFixedHeight(activeTab_.height() + line_.height());
    update();
}

void SkinTabStrip::setTabs(const QStringList& tabs) {
    tabs_ = tabs;
    update();
}

void SkinTabStrip::setLeftMargin(int margin) {
    leftMargin_ = margin;
    update();
}

void SkinTabStrip::setTabPosition(SkinTabPosition position) {
    if (position == position_) {
        return;
    }
    position_ = position;
    RotateBitmapHalf(activeTab_);
    RotateBitmapHalf(inactiveTab_);
    RotateBitmapHalf(line_);
    update();
}

bool SkinTabStrip::tabVisibleAt(int index) const {
    return index >= 0 && index < kTabTableSize ? visible_[static_cast<std::size_t>(index)] : true;
}

void SkinTabStrip::setTabVisibleAt(int index, bool visible) {
    if (index >= 0 && index < kTabTableSize) {
        visible_[static_cast<std::size_t>(index)] = visible;
        update();
    }
}

TabStripInput SkinTabStrip::layoutInput() const {
    TabStripInput in;
    in.stripWidth = width();
    in.stripHeight = height();
    in.scrollButtonWidth = scrollButton_.width();
    in.activeTabHeight = activeTab_.height();
    in.inactiveTabHeight = inactiveTab_.height();
    in.lineHeight = line_.height();
    in.tabsAtBottom = position_ == SkinTabPosition::Bottom;
    in.leftMargin = leftMargin_;
    in.scrollOffset = scrollOffset_;
    in.tabIndex = tabIndex_;
    const QFontMetrics fm(owner_->font());
    for (int i = 0; i < tabs_.size(); ++i) {
        const QString& caption = tabs_[i];
        in.tabs.push_back({caption.isEmpty(), fm.horizontalAdvance(caption), tabVisibleAt(i)});
    }
    return in;
}

TabStripLayout SkinTabStrip::layout() const {
    return layoutTabStrip(layoutInput());
}

ScrollButtonsLayout SkinTabStrip::scrollButtons() const {
    const TabStripInput in = layoutInput();
    return layoutScrollButtons(in, layoutTabStrip(in).scrollNeeded, scrollButton_.height());
}

int SkinTabStrip::hotButtonAt(QPoint pos) const {
    const ScrollButtonsLayout b = scrollButtons();
    if (!b.shown) {
        return 0;
    }
    const SkinPoint p{pos.x(), pos.y()};
    if (RectContains(b.right, p)) {
        return 1;
    }
    if (RectContains(b.left, p)) {
        return -1;
    }
    return 0;
}

void SkinTabStrip::setTabIndex(int index) {
    if (index == tabIndex_) {
        return;
    }
    if (tabs_.isEmpty()) {
        tabIndex_ = -1;
        update();
        return;
    }
    if (index < -1 || index >= tabs_.size()) {
        update();
        return;
    }
    if (clicking_ && owner_->onChanging) {
        bool allow = true;
        owner_->onChanging(allow);
        if (!allow) {
            return;
        }
    }
    tabIndex_ = index;
    if (index >= 0) {
        scrollOffset_ = ensureTabVisibleOffset(layoutInput());
    }
    update();
    if (index >= 0) {
        owner_->tabActive(index);
    }
}

QImage SkinTabStrip::render() const {
    QImage buffer(size(), QImage::Format_ARGB32_Premultiplied);
    buffer.fill(ToQColor(owner_->color()));
    QPainter p(&buffer);
    // The strip's empty areas show what lies behind the tab control.
    if (owner_->parentWidget() != nullptr) {
        PaintParentBackground(p, owner_);
    }
    const TabStripLayout l = layout();
    if (!line_.isNull()) {
        p.drawImage(ToQRect(l.line), line_);
    }
    p.fillRect(ToQRect(l.leftEdge), ToQColor(owner_->borderColor()));
    p.fillRect(ToQRect(l.rightEdge), ToQColor(owner_->borderColor()));
    p.setFont(owner_->font());
    p.setPen(owner_->palette().color(QPalette::WindowText));
    for (const TabPlace& t : l.tabs) {
        const QImage& image = t.active ? activeTab_ : inactiveTab_;
        const QRect r = ToQRect(t.rect);
        if (!image.isNull()) {
            DrawThreePart(p, image, r, tabImageKey(image));
        }
        const QString& caption = tabs_[t.index];
        if (t.clipped) {
            p.drawText(r.adjusted(10, 0, -4, 0),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption);
        } else {
            p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, caption);
        }
    }
    const ScrollButtonsLayout b =
        layoutScrollButtons(layoutInput(), l.scrollNeeded, scrollButton_.height());
    if (b.shown) {
        const int hot = hotButtonAt(cursor_);
        const SkinUIStyle look = EffectiveLook(uiStyle_);
        const QImage right = StyleElementFrame(look, theme::kScrollButtonImage,
                                               scrollButtonFrame(true, hot == 1), 4);
        const QImage left = StyleElementFrame(look, theme::kScrollButtonImage,
                                              scrollButtonFrame(false, hot == -1), 4);
        p.drawImage(QPoint(b.right.left, b.right.top), right);
        p.drawImage(QPoint(b.left.left, b.left.top), left);
    }
    return buffer;
}

void SkinTabStrip::paintEvent(QPaintEvent*) {
    const QImage buffer = render();
    QPainter p(this);
    p.drawImage(0, 0, buffer);
}

void SkinTabStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    cursor_ = pos;
    update();
    const int hot = hotButtonAt(pos);
    if (hot != 0) {
        scrollOffset_ = scrollOffsetAfterClick(scrollOffset_, hot, scrollNeeded(),
                                               static_cast<int>(tabs_.size()));
        update();
        return;
    }
    // The same walk as the drawing, so the tab under the mouse is the one chosen.
    const int index = hitTestTab(layout(), {pos.x(), pos.y()});
    if (index >= 0) {
        clicking_ = true;
        setTabIndex(index);
        clicking_ = false;
    }
}

void SkinTabStrip::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) {
        emit owner_->clicked();
    }
}

void SkinTabStrip::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    emit owner_->doubleClicked();
}

void SkinTabStrip::mouseMoveEvent(QMouseEvent* event) {
    cursor_ = event->position().toPoint();
    if (scrollNeeded() || scrollOffset_ > 0) {
        update(); // the scroll buttons follow the mouse
    }
}

void SkinTabStrip::leaveEvent(QEvent*) {
    cursor_ = {-1000000, -1000000};
    update();
}

// --- tab control ---

SkinTabControl::SkinTabControl(QWidget* parent) : QWidget(parent) {
    strip_ = new SkinTabStrip(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(width(), 80);
    setUIStyle(FormUIStyle(parent));
}

void SkinTabControl::setUIStyle(SkinUIStyle look) {
    uiStyle_ = look;
    strip_->setUIStyle(look);
    applyStyleToChildren(look);
    const SkinUIStyle effective = EffectiveLook(look);
    borderColor_ = GetStyleColor(effective, theme::kControlBorderColor);
    const SkinColor background = GetStyleColor(effective, theme::kControlBackgroundColor);
    setColor(effective == SkinUIStyle::WinXP ? 0xFFFFFF : background);
    alignChildren();
    update();
}

void SkinTabControl::setBorderColor(SkinColor color) {
    borderColor_ = color;
    borderColorChanged();
    update();
    strip_->update();
}

void SkinTabControl::setColor(SkinColor color) {
    color_ = color;
    update();
    strip_->update();
}

void SkinTabControl::setTabPosition(SkinTabPosition position) {
    strip_->setTabPosition(position);
    alignChildren();
}

void SkinTabControl::tabActive(int index) {
    if (IsFormLoading(this)) {
        return;
    }
    emit tabActivated(index);
    emit changed();
}

void SkinTabControl::applyStyleToChildren(SkinUIStyle look) {
    PropagateStyleToChildren(this, look);
}

QRect SkinTabControl::pageArea() const {
    const int s = strip_->height();
    QRect r = rect().adjusted(3, 3, -3, -3);
    if (tabPosition() == SkinTabPosition::Top) {
        r.setTop(r.top() + s);
    } else {
        r.setBottom(r.bottom() - s);
    }
    return r;
}

void SkinTabControl::alignChildren() {
    if (tabPosition() == SkinTabPosition::Top) {
        strip_->setGeometry(0, 0, width(), strip_->height());
    } else {
        strip_->setGeometry(0, height() - strip_->height(), width(), strip_->height());
    }
}

void SkinTabControl::resizeEvent(QResizeEvent*) {
    alignChildren();
}

void SkinTabControl::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int s = strip_->height();
    const int w = width();
    const int h = height();
    const bool top = tabPosition() == SkinTabPosition::Top;
    const QRect body = top ? QRect(0, s, w, h - s) : QRect(0, 0, w, h - s);
    p.fillRect(body, ToQColor(color_));
    // The three sides that the tab line does not cover.
    const QColor border = ToQColor(borderColor_);
    if (top) {
        p.fillRect(QRect(0, s - 1, 1, h - s + 1), border);
        p.fillRect(QRect(0, h - 1, w, 1), border);
        p.fillRect(QRect(w - 1, s - 1, 1, h - s + 1), border);
    } else {
        p.fillRect(QRect(w - 1, 0, 1, h - s + 1), border);
        p.fillRect(QRect(0, 0, w, 1), border);
        p.fillRect(QRect(0, 0, 1, h - s + 1), border);
    }
}

// --- page control ---

SkinPageControl::SkinPageControl(QWidget* parent) : SkinTabControl(parent) {
    strip_->setTabs({});
}

SkinPageControl::~SkinPageControl() {
    for (SkinTabSheet* sheet : sheets_) {
        sheet->pageControl_ = nullptr;
        sheet->pageIndex_ = -1;
    }
    sheets_.clear();
    active_ = nullptr;
}

SkinTabSheet* SkinPageControl::page(int index) const {
    if (index < 0 || index >= pageCount()) {
        return nullptr;
    }
    return sheets_[static_cast<std::size_t>(index)];
}

void SkinPageControl::renumber() {
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        sheets_[i]->pageIndex_ = static_cast<int>(i);
    }
}

void SkinPageControl::rebuildTabs() {
    QStringList tabs;
    for (std::size_t i = 0; i < sheets_.size(); ++i) {
        tabs << sheets_[i]->caption_;
        // The visibility table follows the sheets' own flags, position by position.
        strip_->setTabVisibleAt(static_cast<int>(i), sheets_[i]->tabVisible_);
    }
    strip_->setTabs(tabs);
}

void SkinPageControl::addSheet(SkinTabSheet* sheet) {
    sheet->pageControl_ = this;
    sheet->setColor(color());
    sheets_.push_back(sheet);
    renumber();
    rebuildTabs();
    alignChildren();
    setActivePage(sheet);
}

void SkinPageControl::removeSheet(SkinTabSheet* sheet) {
    const auto it = std::find(sheets_.begin(), sheets_.end(), sheet);
    if (it == sheets_.end()) {
        return;
    }
    const int removed = sheet->pageIndex_;
    sheets_.erase(it);
    sheet->pageControl_ = nullptr;
    sheet->pageIndex_ = -1;
    if (active_ == sheet) {
        active_ = nullptr;
    }
    renumber();
    rebuildTabs();
    selectPage(removed - 1);
}

void SkinPageControl::moveSheet(SkinTabSheet* sheet, int index) {
    const auto it = std::find(sheets_.begin(), sheets_.end(), sheet);
    if (it == sheets_.end()) {
        return;
    }
    sheets_.erase(it);
    sheets_.insert(sheets_.begin() + index, sheet);
    renumber();
    rebuildTabs();
    setActivePage(sheet);
}

void SkinPageControl::activate(SkinTabSheet* sheet) {
    sheet->setEnabled(true);
    sheet->show();
    sheet->raise();
    sheet->update();
    for (SkinTabSheet* other : sheets_) {
        if (other != sheet) {
            other->hide();
        }
    }
}

void SkinPageControl::setActivePage(SkinTabSheet* sheet) {
    if (active_ != nullptr && active_ != sheet) {
        active_->setEnabled(false);
        emit active_->hidden();
    }
    SkinTabSheet* previous = active_;
    active_ = sheet;
    if (sheet == nullptr) {
        return;
    }
    if (strip_->tabIndex() != sheet->pageIndex_) {
        // The strip reports the new tab (tabActive), which shows the sheet.
        strip_->setTabIndex(sheet->pageIndex_);
        if (active_ == sheet && sheet->isVisibleTo(this)) {
            return;
        }
    }
    activate(sheet);
    if (previous != sheet) {
        emit sheet->shown();
    }
}

void SkinPageControl::selectPage(int index) {
    if (active_ != nullptr && active_ != page(index)) {
        active_->setEnabled(false);
        emit active_->hidden();
    }
    if (index < 0 || index >= pageCount()) {
        active_ = nullptr;
        return;
    }
    SkinTabSheet* sheet = page(index);
    const bool changedSheet = active_ != sheet;
    active_ = sheet;
    strip_->setTabIndex(index);
    activate(sheet);
    if (changedSheet) {
        emit sheet->shown();
    }
}

void SkinPageControl::tabActive(int index) {
    SkinTabSheet* sheet = page(index);
    if (sheet != nullptr) {
        if (active_ != nullptr && active_ != sheet) {
            active_->setEnabled(false);
            emit active_->hidden();
        }
        active_ = sheet;
        activate(sheet);
        if (!IsFormLoading(this)) {
            // The sheet's first control takes the focus when it can.
            for (QObject* child : sheet->children()) {
                auto* w = qobject_cast<QWidget*>(child);
                if (w != nullptr) {
                    if (w->isVisibleTo(sheet) && w->focusPolicy() != Qt::NoFocus) {
                        w->setFocus();
                    }
                    break;
                }
            }
        }
        emit sheet->shown();
    }
    SkinTabControl::tabActive(index);
}

void SkinPageControl::setColor(SkinColor color) {
    SkinTabControl::setColor(color);
    for (SkinTabSheet* sheet : sheets_) {
        sheet->setColor(color);
    }
}

void SkinPageControl::borderColorChanged() {
    if (active_ != nullptr) {
        active_->update();
    }
}

void SkinPageControl::applyStyleToChildren(SkinUIStyle look) {
    for (SkinTabSheet* sheet : sheets_) {
        PropagateStyleToChildren(sheet, look);
        sheet->setColor(color());
    }
}

void SkinPageControl::alignChildren() {
    SkinTabControl::alignChildren();
    const QRect area = pageArea();
    for (SkinTabSheet* sheet : sheets_) {
        sheet->setGeometry(area);
    }
}

// --- sheet ---

SkinTabSheet::SkinTabSheet(SkinPageControl* pageControl) : QWidget(pageControl) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (pageControl != nullptr) {
        pageControl->addSheet(this);
    }
}

SkinTabSheet::~SkinTabSheet() {
    if (pageControl_ != nullptr) {
        pageControl_->removeSheet(this);
    }
}

void SkinTabSheet::setPageControl(SkinPageControl* pageControl) {
    if (pageControl == pageControl_) {
        return;
    }
    if (pageControl_ != nullptr) {
        pageControl_->removeSheet(this);
    }
    setParent(pageControl);
    if (pageControl != nullptr) {
        pageControl->addSheet(this);
    }
}

void SkinTabSheet::setPageIndex(int index) {
    if (pageControl_ == nullptr || index < 0 || index >= pageControl_->pageCount()) {
        return;
    }
    pageControl_->moveSheet(this, index);
}

void SkinTabSheet::setCaption(const QString& caption) {
    caption_ = caption;
    if (pageControl_ != nullptr) {
        pageControl_->rebuildTabs();
    }
}

bool SkinTabSheet::tabVisible() const {
    return pageControl_ != nullptr ? pageControl_->strip()->tabVisibleAt(pageIndex_) : tabVisible_;
}

void SkinTabSheet::setTabVisible(bool visible) {
    tabVisible_ = visible;
    if (pageControl_ == nullptr) {
        return;
    }
    SkinTabStrip* strip = pageControl_->strip();
    strip->setTabVisibleAt(pageIndex_, visible);
    if (!visible && pageControl_->activePage() == this) {
        std::vector<bool> shown;
        for (int i = 0; i < pageControl_->pageCount(); ++i) {
            shown.push_back(strip->tabVisibleAt(i));
        }
        const int next = nearestVisibleTab(shown, pageIndex_);
        if (next >= 0) {
            pageControl_->setActivePage(pageControl_->page(next));
        }
    }
}

void SkinTabSheet::setColor(SkinColor color) {
    color_ = color;
    update();
}

void SkinTabSheet::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), ToQColor(color_));
}

} // namespace trvx
