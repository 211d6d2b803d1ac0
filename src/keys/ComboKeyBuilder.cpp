#include "keys/ComboKeyBuilder.h"

#include "keys/KeyCodeTables.h"

namespace trvx {

bool ComboKeyBuilder::KeyDown(std::uint32_t virtualKey) {
    // Modifiers come from the boxes only.
    if (virtualKey == 0x5B || virtualKey == 0x5C)
        return false;
    const TKeyboardHookKey key = VirtualKeyToHookKey(virtualKey);
    const std::uint8_t usage = HookKeyToHidUsage(key);
    const auto name = HookKeyToName(key);
    if (usage == 0 || !name)
        return false;
    if (count_ == 2) {
        count_ = 0;
        usage1_ = usage2_ = 0;
        name1_.clear();
        name2_.clear();
    }
    if (count_ == 0) {
        usage1_ = usage;
        name1_ = std::string(*name);
    } else {
        usage2_ = usage;
        name2_ = std::string(*name);
    }
    ++count_;
    return true;
}

void ComboKeyBuilder::SetModifier(Modifier m, bool on) {
    if (on)
        modifiers_ |= m;
    else
        modifiers_ &= static_cast<std::uint8_t>(~m);
}

void ComboKeyBuilder::Clear() {
    *this = ComboKeyBuilder();
}

std::string ComboKeyBuilder::Text() const {
    static constexpr const char* kNames[] = {"Ctrl", "Shift", "Alt", "Win"};
    std::string text;
    auto add = [&text](const std::string& part) {
        if (!text.empty())
            text += '+';
        text += part;
    };
    for (int bit = 0; bit < 4; ++bit)
        if (modifiers_ & (1u << bit))
            add(kNames[bit]);
    if (count_ >= 1)
        add(name1_);
    if (count_ >= 2)
        add(name2_);
    return text;
}

TKeyEntry ComboKeyBuilder::Entry() const {
    return TKeyEntry(0x02, modifiers_, usage1_, usage2_);
}

} // namespace trvx
