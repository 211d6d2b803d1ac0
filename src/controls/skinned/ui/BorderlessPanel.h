#pragma once
// The borderless panel: a rectangle of its colour with optional frames, rings of the border
// colour, a grid and a caption. The program's key-function menus and macro panels use it
// without frames or caption, some with one ring of the border colour.

#include "controls/skinned/BorderlessGeometry.h"

#include <QColor>
#include <QWidget>

#include <functional>

namespace trvx {

enum class TPlainVisualStyle { vsClassic, vsWinXP, vsGradient };
enum class TPlainGridStyle { gsDots, gsDottedLines, gsSolidLines };
enum class TGradientDirection { gdHorizontalEnd, gdVerticalEnd };

class PlainPanel : public QWidget {
    Q_OBJECT
public:
    explicit PlainPanel(QWidget* parent = nullptr);

    // Setters store and repaint when the value differs; frame changes also move the children's
    // area.
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment a);
    TAlignmentVertical alignmentVertical() const { return alignmentVertical_; }
    void setAlignmentVertical(TAlignmentVertical a);
    int bevelWidth() const { return bevelWidth_; }
    void setBevelWidth(int w);
    TFrameStyleEx borderInner() const { return borderInner_; }
    void setBorderInner(TFrameStyleEx s);
    TFrameStyleEx borderOuter() const { return borderOuter_; }
    void setBorderOuter(TFrameStyleEx s);
    TSides borderSides() const { return borderSides_; }
    void setBorderSides(TSides s);
    QColor borderColor() const { return borderColor_; }
    void setBorderColor(const QColor& c);
    QColor borderHighlight() const { return borderHighlight_; }
    void setBorderHighlight(const QColor& c);
    QColor borderShadow() const { return borderShadow_; }
    void setBorderShadow(const QColor& c);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int w);
    QColor color() const { return color_; }
    void setColor(const QColor& c);
    QColor flatColor() const { return flatColor_; }
    void setFlatColor(const QColor& c);
    QColor gradientColorStart() const { return gradientStart_; }
    void setGradientColorStart(const QColor& c);
    QColor gradientColorStop() const { return gradientStop_; }
    void setGradientColorStop(const QColor& c);
    TGradientDirection gradientDirection() const { return gradientDirection_; }
    void setGradientDirection(TGradientDirection d);
    QColor gridColor() const { return gridColor_; }
    void setGridColor(const QColor& c);
    TPlainGridStyle gridStyle() const { return gridStyle_; }
    void setGridStyle(TPlainGridStyle s);
    int gridXSize() const { return gridX_; }
    void setGridXSize(int s);
    int gridYSize() const { return gridY_; }
    void setGridYSize(int s);
    bool paintClientArea() const { return paintClientArea_; }
    void setPaintClientArea(bool on);
    bool showGrid() const { return showGrid_; }
    void setShowGrid(bool on);
    int textMargin() const { return textMargin_; }
    void setTextMargin(int m);
    int textMarginVertical() const { return textMarginVertical_; }
    void setTextMarginVertical(int m);
    bool isTransparent() const { return transparent_; }
    void setTransparent(bool on);
    TPlainVisualStyle visualStyle() const { return visualStyle_; }
    void setVisualStyle(TPlainVisualStyle s);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

    // Runs after the panel has painted itself.
    std::function<void(QPainter&)> onPaint;

signals:
    void mouseEnter();
    void mouseLeave();
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void realign();
    void drawFrame(QPainter& p, const SkinRect& r, TFrameStyleEx style);

    Qt::Alignment alignment_ = Qt::AlignHCenter;
    TAlignmentVertical alignmentVertical_ = TAlignmentVertical::avCenter;
    int bevelWidth_ = 1;
    TFrameStyleEx borderInner_ = TFrameStyleEx::fsNone;
    TFrameStyleEx borderOuter_ = TFrameStyleEx::fsRaised;
    TSides borderSides_;
    QColor borderColor_{0xF0, 0xF0, 0xF0};
    QColor borderHighlight_{Qt::white};
    QColor borderShadow_{0xA0, 0xA0, 0xA0};
    int borderWidth_ = 0;
    QColor color_{0xF0, 0xF0, 0xF0};
    QColor flatColor_{0xA0, 0xA0, 0xA0};
    QColor gradientStart_{Qt::white};
    QColor gradientStop_{0xF0, 0xF0, 0xF0};
    TGradientDirection gradientDirection_ = TGradientDirection::gdHorizontalEnd;
    QColor gridColor_{0xA0, 0xA0, 0xA0};
    TPlainGridStyle gridStyle_ = TPlainGridStyle::gsDots;
    int gridX_ = 8;
    int gridY_ = 8;
    bool paintClientArea_ = true;
    bool showGrid_ = false;
    int textMargin_ = 0;
    int textMarginVertical_ = 0;
    bool transparent_ = false;
    TPlainVisualStyle visualStyle_ = TPlainVisualStyle::vsWinXP;
    bool wordWrap_ = true;
    QString caption_;
};

} // namespace trvx
