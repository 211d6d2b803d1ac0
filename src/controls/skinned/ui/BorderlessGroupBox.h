#pragma once
// The borderless group box: the program's pages and inner groups, transparent and without
// border or caption, so they show what their parent paints behind them. The border styles,
// caption positions and caption image work as well.

#include "controls/skinned/BorderlessGeometry.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <vector>

namespace trvx {

class PlainGroupBox : public QWidget {
    Q_OBJECT
public:
    explicit PlainGroupBox(QWidget* parent = nullptr);

    static constexpr const char* kVersion = "1.0.0.2";

    QColor borderColor() const { return borderColor_; }
    void setBorderColor(const QColor& c);
    TPlainBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(TPlainBorderStyle s);
    TCaptionPosition captionPosition() const { return captionPosition_; }
    void setCaptionPosition(TCaptionPosition p);
    // The image list (not owned) and the index of the caption's image; -1 for none.
    const std::vector<QImage>* images() const { return images_; }
    void setImages(const std::vector<QImage>* images);
    int imageIndex() const { return imageIndex_; }
    void setImageIndex(int index);
    bool isTransparent() const { return transparent_; }
    void setTransparent(bool on);
    bool roundEdges() const { return roundEdges_; }
    void setRoundEdges(bool on);
    bool ctl3D() const { return ctl3d_; }
    void setCtl3D(bool on);
    // Painted when not transparent; follows the parent's colour until set.
    QColor color() const { return palette().color(QPalette::Window); }
    void setColor(const QColor& c);
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

signals:
    void clicked();
    void mouseDown(Qt::MouseButton button, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PlainGroupLayout layout() const;
    const QImage* image() const;
    void realign();

    QColor borderColor_{0xC0, 0xC0, 0xC0};
    TPlainBorderStyle borderStyle_ = TPlainBorderStyle::bsSingle;
    TCaptionPosition captionPosition_ = TCaptionPosition::cpTopLeft;
    const std::vector<QImage>* images_ = nullptr;
    int imageIndex_ = -1;
    bool transparent_ = true;
    bool roundEdges_ = false;
    bool ctl3d_ = false;
    QString caption_;
};

} // namespace trvx
