#pragma once
// The skinned form frame: turns its form into a borderless window with a skinned title bar, a
// flat border of its own, rounded corners, and its look pushed to the controls placed on it.
// The frame fills the form's client area, three pixels in from each window edge; the border
// and the outer rows of the title pictures are painted in that margin.

#include "controls/skinned/FormFrameLayout.h"
#include "controls/skinned/ui/SkinTitleBar.h"

#include <QWidget>

namespace trvx {

class SkinForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int uiStyle READ uiStyleValue WRITE setUIStyleValue)
public:
    // `form` is the window the frame takes over; one frame per form (a second one stays a
    // plain panel).
    explicit SkinForm(QWidget* form);
    ~SkinForm() override;

    bool isFrame() const { return form_ != nullptr; }
    SkinTitleBar* titleBar() const { return titleBar_; }

    SkinUIStyle uiStyle() const { return uiStyle_; }
    void setUIStyle(SkinUIStyle look);
    int uiStyleValue() const { return static_cast<int>(uiStyle_); }
    void setUIStyleValue(int look) { setUIStyle(static_cast<SkinUIStyle>(look)); }
    bool uiStyleAutoUpdateSub() const { return autoUpdateSub_; }
    void setUIStyleAutoUpdateSub(bool on) { autoUpdateSub_ = on; }

    QString caption() const;
    void setCaption(const QString& caption);
    SkinColor borderColor() const { return borderColor_; }
    void setBorderColor(SkinColor color);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int width);
    SkinColor color() const { return color_; }
    void setColor(SkinColor color);
    bool titleBarVisible() const;
    void setTitleBarVisible(bool visible);
    int roundCorner() const;
    void setRoundCorner(int r);
    int roundCornerBottom() const;
    void setRoundCornerBottom(int r);
    SkinColor menuBarColor() const { return menuBarColor_; }
    void setMenuBarColor(SkinColor color) { menuBarColor_ = color; }
    int menuBarHeight() const { return menuBarHeight_; }
    void setMenuBarHeight(int height) { menuBarHeight_ = height; }
    QWidget* formPanel() const { return formPanel_; }
    // Refuses the frame itself with a notice; a panel given fills the frame's client area.
    void setFormPanel(QWidget* panel);
    QString version() const { return QStringLiteral("5.8"); }

    // Removes the form's native caption and border, so the skinned title bar is the only one.
    void removeSystemCaption();
    // The title bar's height while it is visible, else 0.
    int titleBarHeight() const;

    // The whole window as it shows, border included.
    QImage renderWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeInForm();
    void layoutChildren();
    void paintBorder(QPainter& p) const;
    void updateRegion();

    QWidget* form_ = nullptr;
    SkinTitleBar* titleBar_ = nullptr;
    QWidget* formPanel_ = nullptr;
    SkinUIStyle uiStyle_ = SkinUIStyle::DeepBlue;
    bool autoUpdateSub_ = false;
    SkinColor borderColor_ = 0;
    int borderWidth_ = 1;
    SkinColor color_ = 0xE8E8E8;
    SkinColor menuBarColor_ = 0xE8E8E8;
    int menuBarHeight_ = 22;
};

// The property through which a skinned control takes a look pushed to it (an int holding a
// SkinUIStyle).
inline constexpr const char* kSkinUIStyleProperty = "uiStyle";

// Gives every direct child of `control` that has the uiStyle property the look, in child order.
void PropagateStyleToChildren(QWidget* control, SkinUIStyle look);

} // namespace trvx
