#pragma once
// The frame sequencing of the animated GIF picture: which frame shows, how long it stays, when
// the animation starts and stops, and the composed screen of the frame shown. The widget paints
// what this decides; the ticks come from its own threaded timer.

#include "controls/wide/GifCompose.h"
#include "controls/wide/GifImage.h"
#include "controls/wide/ThreadedTimer.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>

namespace trvx {

// How long frame `index` stays, in milliseconds: 0 outside the frames or with fewer than two
// frames, else the frame's delay limited to 50..10000 (a delay of 0 plays at 50 ms).
std::uint32_t GifFrameDelay(const GifImage& image, int index);

struct AnimRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const AnimRect&) const = default;
};

// Where the composed picture goes in the control: the whole client with stretch, else centred
// with integer halves (toward zero) with center, else at the top-left corner.
AnimRect AnimatorDestination(int clientWidth, int clientHeight, int imageWidth, int imageHeight,
                             bool stretch, bool center);

class GifAnimation {
public:
    explicit GifAnimation(TimerUiHost& host, Clock* clock = nullptr);
    ~GifAnimation();
    GifAnimation(const GifAnimation&) = delete;
    GifAnimation& operator=(const GifAnimation&) = delete;

    // Replaces the picture (an empty span clears it); an error text when the data is bad, which
    // leaves the picture empty.
    std::optional<std::string> LoadImage(std::span<const std::uint8_t> gif);
    const GifImage& Image() const { return image_; }

    bool Animate() const { return animate_; }
    void SetAnimate(bool value);
    int FrameIndex() const { return frameIndex_; }
    void SetFrameIndex(int value);
    bool Loop() const { return loop_; }
    void SetLoop(bool value) { loop_ = value; }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool value);
    bool Center() const { return center_; }
    void SetCenter(bool value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // Ticks on the timer's worker instead of the UI thread; notifications still go to the UI.
    bool AsyncDrawing() const { return asyncDrawing_; }
    void SetAsyncDrawing(bool value);

    std::uint32_t FrameDelay() const { return GifFrameDelay(image_, frameIndex_); }
    // One tick of the timer.
    void AdvanceFrame();

    // The whole screen of the current frame; null (with the error) when the picture is empty
    // or a frame fails to decode.
    const GifScreen* ComposeCurrent(std::string* error = nullptr);

    TAnimTimer& Timer() { return timer_; }

    // Events, sender implied.
    std::function<void()> OnStart, OnStop, OnChange, OnFrameChanged;
    // Hooks of the widget: whether a tick may advance (visible, placed on a window, not being
    // painted as someone's background); repaint at once; size and repaint after a change.
    std::function<bool()> CanAdvance;
    std::function<void()> RepaintNow;
    std::function<void()> ControlChanged;

private:
    void imageChanged();
    void notifyFrameChanged();
    void controlChanged();

    std::recursive_mutex lock_; // frame index, cache and timer against an asynchronous tick
    GifImage image_;
    GifComposer composer_;
    TAnimTimer timer_;
    bool animate_ = false;
    int frameIndex_ = -1;
    bool loop_ = true;
    bool stretch_ = false;
    bool center_ = false;
    bool transparent_ = true;
    bool asyncDrawing_ = false;
    bool destroying_ = false;
};

} // namespace trvx
