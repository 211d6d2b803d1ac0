#include "shell/RunningLabel.h"

namespace trvx {

namespace {
constexpr int kTickWrap = 20;
constexpr std::u16string_view kGap = u"    ";
} // namespace

void RunningLabel::Start(std::string name, std::u16string caption) {
    name_ = std::move(name);
    caption_ = caption;
    text_ = std::move(caption);
    ticks_ = 0;
}

void RunningLabel::Restart(std::u16string caption) {
    caption_ = caption;
    text_ = std::move(caption);
    ticks_ = 0;
}

void RunningLabel::Follow(std::u16string_view shown) {
    if (Active() && shown != text_)
        Restart(std::u16string(shown));
}

std::optional<std::u16string> RunningLabel::End(std::u16string_view shown) {
    std::optional<std::u16string> back;
    if (Active() && shown == text_)
        back = caption_;
    name_.clear();
    caption_.clear();
    text_.clear();
    ticks_ = 0;
    return back;
}

std::optional<std::u16string> RunningLabel::Tick(bool rollingEnabled) {
    if (!rollingEnabled || text_.empty())
        return std::nullopt;
    if (++ticks_ > kTickWrap)
        ticks_ = 2;
    const char16_t first = text_.front();
    std::u16string next = text_.substr(1);
    if (ticks_ == 1)
        next += kGap;
    next += first;
    text_ = std::move(next);
    return text_;
}

} // namespace trvx
