#include "controls/wide/GifAnimation.h"

#include <algorithm>

namespace trvx {

std::uint32_t GifFrameDelay(const GifImage& image, int index) {
    if (image.frameCount() < 2 || index < 0 || index >= image.frameCount())
        return 0;
    return std::clamp<std::uint32_t>(image.frame(index).delayMs, 50, 10000);
}

AnimRect AnimatorDestination(int clientWidth, int clientHeight, int imageWidth, int imageHeight,
                             bool stretch, bool center) {
    if (stretch)
        return {0, 0, clientWidth, clientHeight};
    if (center)
        return {(clientWidth - imageWidth) / 2, (clientHeight - imageHeight) / 2, imageWidth,
                imageHeight};
    return {0, 0, imageWidth, imageHeight};
}

GifAnimation::GifAnimation(TimerUiHost& host, Clock* clock) : timer_(host, clock) {
    image_.setOnChange([this] { imageChanged(); });
}

GifAnimation::~GifAnimation() {
    destroying_ = true;
    OnStart = OnStop = OnChange = OnFrameChanged = nullptr;
    SetAnimate(false);
    image_.setOnChange(nullptr);
}

std::optional<std::string> GifAnimation::LoadImage(std::span<const std::uint8_t> gif) {
    std::lock_guard guard(lock_);
    if (gif.empty()) {
        image_.clear();
        imageChanged();
        return std::nullopt;
    }
    auto error = image_.load(gif);
    if (error)
        imageChanged(); // the failed load left the picture empty
    return error;
}

void GifAnimation::imageChanged() {
    {
        std::lock_guard guard(lock_);
        composer_.reset();
        frameIndex_ = image_.frameIndex();
        if (frameIndex_ >= 0 && image_.frameCount() > 0)
            timer_.SetInterval(FrameDelay());
    }
    controlChanged();
    if (OnChange)
        OnChange();
}

void GifAnimation::SetAnimate(bool value) {
    if (animate_ == value)
        return;
    if (value) {
        timer_.SetOnTimer([this](TAnimTimer&) { AdvanceFrame(); });
        timer_.SetEnabled(true);
        animate_ = timer_.Enabled();
        if (OnStart)
            OnStart();
    } else {
        timer_.SetEnabled(false);
        timer_.SetOnTimer(nullptr);
        animate_ = false;
        if (OnStop)
            OnStop();
        controlChanged();
    }
}

void GifAnimation::SetFrameIndex(int value) {
    {
        std::lock_guard guard(lock_);
        if (value == frameIndex_ || value < 0 || value >= image_.frameCount())
            return;
        frameIndex_ = value;
        if (image_.frameCount() > 0)
            timer_.SetInterval(FrameDelay());
    }
    notifyFrameChanged();
    controlChanged();
}

void GifAnimation::SetStretch(bool value) {
    if (stretch_ == value)
        return;
    {
        std::lock_guard guard(lock_);
        stretch_ = value;
    }
    controlChanged();
    if (animate_ && RepaintNow)
        RepaintNow();
}

void GifAnimation::SetCenter(bool value) {
    if (center_ == value)
        return;
    {
        std::lock_guard guard(lock_);
        center_ = value;
    }
    controlChanged();
    if (animate_ && RepaintNow)
        RepaintNow();
}

void GifAnimation::SetTransparent(bool value) {
    if (transparent_ == value)
        return;
    {
        std::lock_guard guard(lock_);
        transparent_ = value;
    }
    controlChanged();
    if (animate_ && RepaintNow)
        RepaintNow();
}

void GifAnimation::SetAsyncDrawing(bool value) {
    std::lock_guard guard(lock_);
    if (asyncDrawing_ == value)
        return;
    timer_.SetSyncEvent(!value);
    asyncDrawing_ = value;
}

void GifAnimation::notifyFrameChanged() {
    if (!OnFrameChanged)
        return;
    if (asyncDrawing_)
        timer_.RunOnUIThread([this] {
            if (OnFrameChanged)
                OnFrameChanged();
        });
    else
        OnFrameChanged();
}

void GifAnimation::controlChanged() {
    if (!destroying_ && ControlChanged)
        ControlChanged();
}

void GifAnimation::AdvanceFrame() {
    if (CanAdvance && !CanAdvance())
        return;
    if (image_.frameCount() < 2)
        return;
    {
        std::lock_guard guard(lock_);
        frameIndex_ = frameIndex_ + 1 >= image_.frameCount() ? 0 : frameIndex_ + 1;
    }
    struct IntervalAfter {
        GifAnimation& self;
        ~IntervalAfter() {
            std::lock_guard guard(self.lock_);
            if (self.frameIndex_ >= 0 && self.frameIndex_ < self.image_.frameCount())
                self.timer_.SetInterval(self.FrameDelay());
        }
    };
    {
        IntervalAfter after{*this};
        notifyFrameChanged();
        if (RepaintNow)
            RepaintNow();
    }
    if (!loop_ && frameIndex_ == 0) {
        if (asyncDrawing_)
            timer_.RunOnUIThread([this] { SetAnimate(false); });
        else
            SetAnimate(false);
    }
}

const GifScreen* GifAnimation::ComposeCurrent(std::string* error) {
    std::lock_guard guard(lock_);
    if (image_.empty() || image_.screenWidth() < 1 || image_.screenHeight() < 1)
        return nullptr;
    if (composer_.cachedIndex() != frameIndex_ || composer_.screen().pixels.empty()) {
        if (auto failed = composer_.compose(image_, std::max(frameIndex_, 0))) {
            if (error)
                *error = *failed;
            return nullptr;
        }
    }
    return &composer_.screen();
}

} // namespace trvx
