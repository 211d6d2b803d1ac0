#pragma once
// The running label: while the pointer rests on a skinned button its caption scrolls one
// character to the left every tick, with a gap of four blanks put in once per hover.

#include <optional>
#include <string>
#include <string_view>

namespace trvx {

class RunningLabel {
public:
    static constexpr int kIntervalMillis = 200;

    // A hover begins on the label of this name showing this caption.
    void Start(std::string name, std::u16string caption);
    // The label's caption changed under the hover (a language switch): scroll the new one.
    void Restart(std::u16string caption);
    // A hover holds a label's caption.
    bool Active() const { return !name_.empty(); }

    // Given what the hovered label shows now: a caption other than the last one it was given
    // here was set by the program under the hover (a page rewriting its captions, a button
    // changing its own caption). That caption is held from now on and scrolls from its start.
    void Follow(std::u16string_view shown);

    // One tick: the caption to show now, or nothing to change (rolling switched off, or an
    // empty caption, which has no first character to move).
    std::optional<std::u16string> Tick(bool rollingEnabled);

    // The hover ends. Gives the caption to put back on the label, or nothing when the program
    // set a new caption under the hover: that one stays. No label is held afterwards.
    std::optional<std::u16string> End(std::u16string_view shown);

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
