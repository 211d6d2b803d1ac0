#pragma once
// The skinned caption strip at the top of a borderless form: three background pictures, the
// caption buttons (close, maximise/restore, minimise, help, control box, custom), the caption
// with an ellipsis, the window menu, and dragging of the form.

#include "controls/skinned/TitleBarLayout.h"
#include "controls/skinned/ui/SkinPopupMenu.h"

#include <QImage>
#include <QWidget>

#include <vector>

namespace trvx {

class SkinForm;

struct SkinTitleBarButton {
    bool visible = true;
    TitleBarButtonType buttonType = TitleBarButtonType::Custom;
    bool transparent = false;
    int top = 2;
    SkinUIStyle uiStyle = SkinUIStyle::DeepBlue;
    QImage picNormal;
    QImage picMouseOn;
    QImage picMouseDown;
    SkinPopupMenu* controlBoxMenu = nullptr;
};

struct SkinTitleBarSection {
    int width = 10;
    TitleBarAlign align = TitleBarAlign::Left;
    QImage picture;
    bool stretch = false;
    bool autoSize = false;
};

class SkinTitleBar : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
public:
    explicit SkinTitleBar(QWidget* parent = nullptr);

    SkinUIStyle uiStyle() const { return uiStyle_; }
    void setUIStyle(SkinUIStyle look);
    bool custom() const { return custom_; }
    void setCustom(bool on) { custom_ = on; }

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    bool formActive() const { return formActive_; }
    void setFormActive(bool active);
    int buttonInterval() const { return buttonInterval_; }
    void setButtonInterval(int interval);
    int leftBtnXOffset() const { return leftBtnXOffset_; }
    void setLeftBtnXOffset(int offset);
    int rightBtnXOffset() const { return rightBtnXOffset_; }
    void setRightBtnXOffset(int offset);
    bool drawAppIcon() const { return drawAppIcon_; }
    void setDrawAppIcon(bool on);
    int roundCorner() const { return roundCorner_; }
    void setRoundCorner(int r) { roundCorner_ = r; }
    int roundCornerBottom() const { return roundCornerBottom_; }
    void setRoundCornerBottom(int r) { roundCornerBottom_ = r; }
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    int buttonTop() const { return buttonTop_; }
    int buttonImageHeight() const { return buttonImageHeight_; }
    SkinColor lookBorderColor() const { return lookBorderColor_; }

    // Buttons and sections; after changing them through the accessors, call update().
    const std::vector<SkinTitleBarButton>& buttons() const { return buttons_; }
    std::vector<SkinTitleBarButton>& buttons() { return buttons_; }
    void setButtons(const std::vector<SkinTitleBarButton>& buttons);
    // Adds a button of `type` loaded from the bar's look; refused (with its notice) for a second
    // control-box button.
    int addButton(TitleBarButtonType type);
    bool setButtonType(int index, TitleBarButtonType type);
    void setButtonStyle(int index, SkinUIStyle look);
    const std::vector<SkinTitleBarSection>& sections() const { return sections_; }
    void setSections(const std::vector<SkinTitleBarSection>& sections);
    // Refused (with its notice) for a second client section.
    bool setSectionAlign(int index, TitleBarAlign align);
    bool hasThreeSections() const { return sections_.size() == 3; }

    // Reloads the maximise or restore pictures of every maximise button.
    void reloadMaxButtons();
    // Clicks the caption button at `index` as a release over it would.
    void clickButton(int index);
    SkinPopupMenu* windowMenu() const { return windowMenu_; }
    // Opens the window menu at a screen position, its items enabled by the visible buttons.
    void popupWindowMenu(QPoint globalPos);

    // The layouts of the last paint, for the hit test of the next click.
    TitleButtonsLayout buttonsLayout() const;
    TitleSectionsLayout sectionsLayout() const;
    // The caption as it is shown after shortening.
    QString shownCaption() const;
    // The bar drawn as it shows, at its size.
    QImage render() const;

signals:
    void customButtonClicked(int index);
    void helpButtonClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool onSkinForm() const;
    bool formMaximized() const;
    void loadButton(SkinTitleBarButton& b) const;
    void buildSectionsFromLook(SkinUIStyle effective);
    void drawSections(QPainter& p) const;
    void drawButtonsAndCaption(QPainter& p) const;
    TitleButtonsLayout layoutAt(QPoint cursor) const;

    SkinUIStyle uiStyle_ = SkinUIStyle::DeepBlue;
    bool custom_ = false;
    QString caption_;
    bool formActive_ = true;
    int buttonInterval_ = 0;
    int leftBtnXOffset_ = 0;
    int rightBtnXOffset_ = 0;
    bool drawAppIcon_ = false;
    int roundCorner_ = 0;
    int roundCornerBottom_ = 0;
    bool autoSize_ = false;
    int buttonTop_ = 2;
    int buttonImageHeight_ = 0;
    SkinColor lookBorderColor_ = 0;
    std::vector<SkinTitleBarButton> buttons_;
    std::vector<SkinTitleBarSection> sections_;
    SkinPopupMenu* windowMenu_ = nullptr;
    bool mouseDown_ = false;
    QPoint cursor_{-1000000, -1000000};
    // Dragging the form by hand where the window system cannot move it.
    bool dragging_ = false;
    QPoint dragOffset_;
};

} // namespace trvx
