#pragma once
// The rectangle shape: a filled rectangle in the brush colour outlined in the pen colour,
// optionally over a drop shadow offset down and right. The program's coloured markers.

#include <QColor>
#include <QWidget>

namespace trvx {

enum class TBrushStyle { bsSolid, bsClear };
enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class RectShape : public QWidget {
    Q_OBJECT
public:
    // 65 x 65, white brush, black one-pixel pen, shadow on at offset 2.
    explicit RectShape(QWidget* parent = nullptr);

    // Each setter repaints when the value changes and does nothing otherwise.
    QColor brushColor() const { return brushColor_; }
    void setBrushColor(const QColor& color);
    TBrushStyle brushStyle() const { return brushStyle_; }
    void setBrushStyle(TBrushStyle style);
    QColor penColor() const { return penColor_; }
    void setPenColor(const QColor& color);
    TPenStyle penStyle() const { return penStyle_; }
    void setPenStyle(TPenStyle style);
    int penWidth() const { return penWidth_; }
    void setPenWidth(int width);
    bool shadow() const { return shadow_; }
    void setShadow(bool shadow);
    int shadowOffset() const { return shadowOffset_; }
    void setShadowOffset(int offset);
    QColor shadowColor() const { return shadowColor_; }
    void setShadowColor(const QColor& color);

signals:
    void mouseDown(Qt::MouseButton button, QPoint pos);
    void mouseUp(Qt::MouseButton button, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor brushColor_{Qt::white};
    TBrushStyle brushStyle_ = TBrushStyle::bsSolid;
    QColor penColor_{Qt::black};
    TPenStyle penStyle_ = TPenStyle::psSolid;
    int penWidth_ = 1;
    bool shadow_ = true;
    int shadowOffset_ = 2;
    QColor shadowColor_{0xA0, 0xA0, 0xA0};
};

} // namespace trvx
