#pragma once
// The skinned tab control and page control: a strip of bitmap tabs above (or below) a framed
// body, and for the page control one sheet per tab, of which one shows at a time.

#include "controls/skinned/StyleTable.h"
#include "controls/skinned/TabStripLayout.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>
#include <vector>

namespace trvx {

enum class SkinTabPosition { Top, Bottom };

class SkinTabControl;

// The strip of tabs, a child of its tab control.
class SkinTabStrip : public QWidget {
    Q_OBJECT
public:
    explicit SkinTabStrip(SkinTabControl* owner);

    void setUIStyle(SkinUIStyle look);
    SkinUIStyle uiStyle() const { return uiStyle_; }
    const QStringList& tabs() const { return tabs_; }
    void setTabs(const QStringList& tabs);
    int tabIndex() const { return tabIndex_; }
    void setTabIndex(int index);
    int leftMargin() const { return leftMargin_; }
    void setLeftMargin(int margin);
    SkinTabPosition tabPosition() const { return position_; }
    void setTabPosition(SkinTabPosition position);
    bool tabVisibleAt(int index) const;
    void setTabVisibleAt(int index, bool visible);
    int scrollOffset() const { return scrollOffset_; }
    bool scrollNeeded() const { return layout().scrollNeeded; }
    int tabHeight() const { return activeTab_.height(); }

    // The geometry of the strip as it draws now.
    TabStripInput layoutInput() const;
    TabStripLayout layout() const;
    ScrollButtonsLayout scrollButtons() const;
    QImage render() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void loadImages();
    int hotButtonAt(QPoint pos) const;

    SkinTabControl* owner_;
    SkinUIStyle uiStyle_ = SkinUIStyle::DeepBlue;
    QStringList tabs_;
    int tabIndex_ = 0;
    int leftMargin_ = 10;
    SkinTabPosition position_ = SkinTabPosition::Top;
    QImage activeTab_;
    QImage inactiveTab_;
    QImage line_;
    QSize scrollButton_;
    std::array<bool, kTabTableSize> visible_{};
    int scrollOffset_ = 0;
    bool clicking_ = false;
    QPoint cursor_{-1000000, -1000000};
};

// The tab control proper: the strip, the framed body and the tab events.
class SkinTabControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int uiStyle READ uiStyleValue WRITE setUIStyleValue)
public:
    explicit SkinTabControl(QWidget* parent = nullptr);

    SkinTabStrip* strip() const { return strip_; }
    SkinUIStyle uiStyle() const { return uiStyle_; }
    void setUIStyle(SkinUIStyle look);
    int uiStyleValue() const { return static_cast<int>(uiStyle_); }
    void setUIStyleValue(int look) { setUIStyle(static_cast<SkinUIStyle>(look)); }
    SkinColor borderColor() const { return borderColor_; }
    void setBorderColor(SkinColor color);
    SkinColor color() const { return color_; }
    virtual void setColor(SkinColor color);
    int leftMargin() const { return strip_->leftMargin(); }
    void setLeftMargin(int margin) { strip_->setLeftMargin(margin); }
    SkinTabPosition tabPosition() const { return strip_->tabPosition(); }
    void setTabPosition(SkinTabPosition position);
    int tabIndex() const { return strip_->tabIndex(); }
    virtual void setTabIndex(int index) { strip_->setTabIndex(index); }

    // Asked before a click on a tab changes the tab; clearing `allow` refuses the change.
    std::function<void(bool& allow)> onChanging;

    // A tab was chosen on the strip or the tab index changed.
    virtual void tabActive(int index);
    // The area the pages fill.
    QRect pageArea() const;

signals:
    void tabActivated(int index);
    void changed();
    void clicked();
    void doubleClicked();

protected:
    virtual void borderColorChanged() {}
    virtual void applyStyleToChildren(SkinUIStyle look);
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    virtual void alignChildren();

    SkinTabStrip* strip_;

private:
    SkinUIStyle uiStyle_ = SkinUIStyle::DeepBlue;
    SkinColor borderColor_ = 0;
    SkinColor color_ = 0xFFFFFF;
};

class SkinTabSheet;

class SkinPageControl : public SkinTabControl {
    Q_OBJECT
public:
    explicit SkinPageControl(QWidget* parent = nullptr);
    ~SkinPageControl() override;

    int pageCount() const { return static_cast<int>(sheets_.size()); }
    SkinTabSheet* page(int index) const;
    SkinTabSheet* activePage() const { return active_; }
    void setActivePage(SkinTabSheet* sheet);
    // Shows page `index`; an index outside the pages shows none.
    void selectPage(int index);
    void setColor(SkinColor color) override;
    void tabActive(int index) override;

protected:
    void borderColorChanged() override;
    void applyStyleToChildren(SkinUIStyle look) override;
    void alignChildren() override;

private:
    friend class SkinTabSheet;
    void addSheet(SkinTabSheet* sheet);
    void removeSheet(SkinTabSheet* sheet);
    void moveSheet(SkinTabSheet* sheet, int index);
    void renumber();
    void rebuildTabs();
    void activate(SkinTabSheet* sheet);

    std::vector<SkinTabSheet*> sheets_;
    SkinTabSheet* active_ = nullptr;
};

// One page of a page control.
class SkinTabSheet : public QWidget {
    Q_OBJECT
public:
    // Created on a page control, the sheet joins it as its last page and becomes the active one.
    explicit SkinTabSheet(SkinPageControl* pageControl = nullptr);
    ~SkinTabSheet() override;

    SkinPageControl* pageControl() const { return pageControl_; }
    void setPageControl(SkinPageControl* pageControl);
    int pageIndex() const { return pageIndex_; }
    void setPageIndex(int index);
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    bool tabVisible() const;
    // Shows or hides the sheet's tab; hiding the active page's tab shows the nearest page whose
    // tab is visible (lower indices first).
    void setTabVisible(bool visible);
    SkinColor color() const { return color_; }
    void setColor(SkinColor color);

signals:
    void shown();
    void hidden();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    friend class SkinPageControl;
    SkinPageControl* pageControl_ = nullptr;
    QString caption_;
    bool tabVisible_ = true;
    int pageIndex_ = -1;
    SkinColor color_ = 0xFFFFFF;
};

} // namespace trvx
