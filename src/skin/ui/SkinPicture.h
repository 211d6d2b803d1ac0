#pragma once
// A skin picture of the main window: shows one image at its own size (auto-size) and reports
// clicks, presses and the pointer entering and leaving, so the window's hover handlers can swap
// the image of a button.

#include <QImage>
#include <QWidget>

#include <string>
#include <string_view>

namespace trvx {

class SkinPicture : public QWidget {
    Q_OBJECT
public:
    // How a disabled picture shows.
    static constexpr double kDisabledOpacity = 0.35;

    explicit SkinPicture(QWidget* parent = nullptr);

    // Shows the image; with auto-size on (the default) the control takes its size.
    void setPicture(const QImage& picture);
    // Shows the named skin image (SkinImage). It takes its size from the image's header and is
    // decoded on a worker when it is to be shown (a picture of a window not shown yet, when it
    // will show with it), or when asked for.
    // False, and nothing changes, when there is no readable image of that name.
    bool setSkinPicture(std::string_view name);
    const QImage& picture() const;
    // The skin image it is to show and has not decoded yet; "" when there is none.
    const std::string& pendingSkinPicture() const { return pending_; }
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);

signals:
    void clicked();
    void mouseEnter();
    void mouseLeave();
    void mouseDown(Qt::MouseButton button, QPoint pos);
    void mouseUp(Qt::MouseButton button, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSize pictureSize() const;

    mutable QImage picture_;
    mutable std::string pending_; // a skin image shown but not decoded yet
    bool autoSize_ = true;
    bool pressed_ = false;
};

// Starts decoding, on workers, the skin images of the pictures that show when `area` does (a
// page that is likely to be shown next), so that showing it seldom waits for them.
void PrefetchSkinPicturesOf(const QWidget& area);

} // namespace trvx
