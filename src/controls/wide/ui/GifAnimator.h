#pragma once
// The animated GIF picture (the busy window's animation): a widget that paints the frame its
// GifAnimation shows, over its parent's colour, with the picture's key colour see-through.

#include "controls/wide/GifAnimation.h"
#include "controls/wide/ui/QtTimerHost.h"

#include <QWidget>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace trvx {

class TAnimGIFAnimator : public QWidget {
    Q_OBJECT
public:
    // `clock` times the frames (a steady clock when null).
    explicit TAnimGIFAnimator(QWidget* parent = nullptr, Clock* clock = nullptr);
    ~TAnimGIFAnimator() override;

    // No effect when unchanged; true starts the frame timer, false stops it.
    void SetAnimate(bool value) { anim_.SetAnimate(value); }
    bool Animate() const { return anim_.Animate(); }
    std::optional<std::string> LoadImage(std::span<const std::uint8_t> gif);
    int FrameIndex() const { return anim_.FrameIndex(); }
    void SetFrameIndex(int value) { anim_.SetFrameIndex(value); }
    bool Loop() const { return anim_.Loop(); }
    void SetLoop(bool value) { anim_.SetLoop(value); }
    bool Stretch() const { return anim_.Stretch(); }
    void SetStretch(bool value) { anim_.SetStretch(value); }
    bool Center() const { return anim_.Center(); }
    void SetCenter(bool value) { anim_.SetCenter(value); }
    bool Transparent() const { return anim_.Transparent(); }
    void SetTransparent(bool value) { anim_.SetTransparent(value); }
    bool AsyncDrawing() const { return anim_.AsyncDrawing(); }
    void SetAsyncDrawing(bool value) { anim_.SetAsyncDrawing(value); }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    GifAnimation& Animation() { return anim_; }

signals:
    void started();
    void stopped();
    void changed();
    void frameChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void adjustSizeToImage();

    QtTimerHost host_;
    GifAnimation anim_;
    bool autoSize_ = true;
};

} // namespace trvx
