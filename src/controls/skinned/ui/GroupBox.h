#pragma once
// The skinned group box: a flat one-pixel frame in the border colour with the caption written
// into a gap of its top line. Its look sets the border and font colours and is pushed to the
// controls inside it.

#include "controls/skinned/StyleTable.h"
#include "controls/skinned/ui/Panel.h"

namespace trvx {

class SkinThemeFileReader;

class SkinGroupBox : public SkinCustomPanel {
    Q_OBJECT
    Q_PROPERTY(int uiStyle READ uiStyleValue WRITE setUIStyleValue)
public:
    // 185 x 105, the look of the owner form's frame (DeepBlue without one).
    explicit SkinGroupBox(QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    SkinColor borderColor() const { return borderColor_; }
    // Without its frame the box only groups: its caption and the art behind it still show.
    bool frameShown() const { return frameShown_; }
    void setFrameShown(bool shown);
    void setBorderColor(SkinColor color);
    SkinUIStyle uiStyle() const { return uiStyle_; }
    void setUIStyle(SkinUIStyle look);
    int uiStyleValue() const { return static_cast<int>(uiStyle_); }
    void setUIStyleValue(int look) { setUIStyle(static_cast<SkinUIStyle>(look)); }
    // A loaded skin file to take the colours from; not owned. None by default.
    const SkinThemeFileReader* fileTheme() const { return fileTheme_; }
    void setFileTheme(const SkinThemeFileReader* theme);
    // The theme file is going away: forget it and fall back to DeepBlue, children included.
    void fileThemeRemoved();

    // The absolute font height the frame is placed by.
    int fontHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateUIStyle();
    void updateChildArea();

    QString caption_;
    SkinColor borderColor_ = 0x000000;
    bool frameShown_ = true;
    SkinUIStyle uiStyle_ = SkinUIStyle::DeepBlue;
    const SkinThemeFileReader* fileTheme_ = nullptr;
};

} // namespace trvx
