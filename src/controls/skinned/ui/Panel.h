#pragma once
// The skinned panel: a borderless surface that shows a picture (once, stretched or tiled), or
// its colour, or nothing over its parent when transparent, with an optional one-line caption.
// It is the base of the skinned group box.

#include <QImage>
#include <QWidget>

namespace trvx {

enum class SkinDrawStyle { skNormal, skStretch, skTile };

class SkinCustomPanel : public QWidget {
    Q_OBJECT
public:
    explicit SkinCustomPanel(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    void setPicture(const QImage& picture);
    bool isTransparent() const { return transparent_; }
    void setTransparent(bool transparent);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool autoSize);
    SkinDrawStyle drawStyle() const { return drawStyle_; }
    void setDrawStyle(SkinDrawStyle style);
    // The panel's own one-line caption (blank by default, which draws nothing).
    QString text() const { return text_; }
    void setText(const QString& text);
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);
    // Where the caption was last drawn.
    QRect captionRect() const { return captionRect_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Paints the picture or the colour (what lies under a caption or a frame).
    void paintSurface(QPainter& painter);
    // A hook for descendants: the caption was drawn in `rect`.
    virtual void captionChanged(const QRect& rect) { Q_UNUSED(rect); }

private:
    void pictureChanged();

    QImage picture_;
    bool transparent_ = false;
    bool autoSize_ = false;
    SkinDrawStyle drawStyle_ = SkinDrawStyle::skNormal;
    QString text_;
    Qt::Alignment alignment_ = Qt::AlignHCenter;
    QRect captionRect_;
    bool pressed_ = false;
};

// The image panel publishes the picture settings; no window of the program places one.
class SkinImagePanel : public SkinCustomPanel {
    Q_OBJECT
public:
    using SkinCustomPanel::SkinCustomPanel;
};

} // namespace trvx
