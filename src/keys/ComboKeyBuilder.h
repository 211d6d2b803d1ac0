#pragma once
// The combination being built in the combination-key dialog: up to two keys and the ticked
// modifiers, the text the dialog shows, and the keyboard entry it gives.

#include "keys/KeyEntry.h"

#include <cstdint>
#include <string>

namespace trvx {

class ComboKeyBuilder {
public:
    enum Modifier : std::uint8_t { Ctrl = 1, Shift = 2, Alt = 4, Win = 8 };

    // A key pressed in the edit (a Windows virtual-key code). Windows keys and keys without a
    // usage are ignored; a third key starts a new combination. False when ignored.
    bool KeyDown(std::uint32_t virtualKey);
    // A modifier box ticked or cleared.
    void SetModifier(Modifier m, bool on);
    // Everything back to empty.
    void Clear();

    std::uint8_t Modifiers() const { return modifiers_; }
    int KeyCount() const { return count_; }
    bool Empty() const { return modifiers_ == 0 && count_ == 0; }
    // "Ctrl+Shift+A+B": the ticked modifiers in order, then the keys.
    std::string Text() const;
    // 02, modifiers, first usage, second usage.
    TKeyEntry Entry() const;

private:
    std::uint8_t modifiers_ = 0;
    int count_ = 0;
    std::uint8_t usage1_ = 0;
    std::uint8_t usage2_ = 0;
    std::string name1_;
    std::string name2_;
};

} // namespace trvx
