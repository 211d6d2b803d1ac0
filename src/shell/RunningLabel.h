#pragma once
// The running label: while the pointer rests on a skinned button its caption scrolls one
// character to the left every tick, with a gap of four blanks put in once per hover.

#include <optional>
#include <string>

namespace trvx {

class RunningLabel {
public:
    static constexpr int kIntervalMillis = 200;

    // A hover begins on the label of this name showing this caption.
    void Start(std::string name, std::u16string caption);
    // The label's caption changed under the hover (a language switch): scroll the new one.
    void Restart(std::u16string caption);

    // One tick: the caption to show now, or nothing to change (rolling switched off, or an
    // empty caption, which has no first character to move).
    std::optional<std::u16string> Tick(bool rollingEnabled);

    const std::string& Name() const { return name_; }
    const std::u16string& Caption() const { return caption_; }
    const std::u16string& Text() const { return text_; }
    int Ticks() const { return ticks_; }

private:
    std::string name_;
    std::u16string caption_;
    std::u16string text_;
    int ticks_ = 0;
};

} // namespace trvx
