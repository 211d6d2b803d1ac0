#include "macros/MacroRecorder.h"

#include "keys/KeyCodeTables.h"
#include "keys/XKeyCodes.h"

#include <algorithm>
#include <string>

namespace trvx {

std::uint8_t XButtonToMacroBit(std::uint32_t xButton) {
    switch (xButton) {
    case 1:
        return 0x01;
    case 3:
        return 0x02;
    case 2:
        return 0x04;
    case 9:
        return 0x08; // forward
    case 8:
        return 0x10; // backward
    default:
        return 0;
    }
}

std::uint8_t VirtualKeyModifierMask(std::uint32_t virtualKey) {
    switch (virtualKey) {
    case 17:
    case 0xA2:
    case 0xA3:
        return 0x01;
    case 16:
    case 0xA0:
    case 0xA1:
        return 0x02;
    case 18:
    case 0xA4:
    case 0xA5:
        return 0x04;
    case 91:
        return 0x08;
    case 92:
        return 0x80;
    default:
        return 0;
    }
}

void MacroRecorder::Start(MacroDelayMode mode, std::uint16_t fixedDelay, int budget) {
    mode_ = mode;
    fixedDelay_ = std::max<std::uint16_t>(fixedDelay, 1);
    budget_ = budget;
    active_ = true;
    stopRequested_ = false;
    hasLastTick_ = false;
    lastTick_ = 0;
    bytes_ = 0;
    lines_.clear();
    held_.clear();
}

void MacroRecorder::Finish(std::uint32_t tick) {
    if (!active_)
        return;
    // Latest press first, as fingers leave the keys.
    while (!held_.empty()) {
        const Held h = held_.back();
        Release(h, tick);
    }
    active_ = false;
}

int MacroRecorder::EventSize(const Held& held) {
    if (held.button)
        return 1;
    return 2;
}

MacroScriptLine MacroRecorder::EventLine(const Held& held, bool down) {
    if (held.button)
        return ButtonLine(down, static_cast<std::uint8_t>(held.key));
    if (const std::uint8_t mask = VirtualKeyModifierMask(held.key))
        return ModifierLine(down, mask);
    const TKeyboardHookKey hook = VirtualKeyToHookKey(held.key);
    std::string name = "None";
    if (hook != kh_None)
        name = std::string(HookKeyToName(hook).value_or("None"));
    return KeyLine(down, HookKeyToHidUsage(hook), name);
}

int MacroRecorder::ReservedForReleases() const {
    int reserved = 0;
    for (const Held& h : held_)
        reserved += EventSize(h) + DelayCost();
    return reserved;
}

void MacroRecorder::AddDelay(std::uint32_t tick) {
    if (mode_ != MacroDelayMode::None && hasLastTick_) {
        const std::uint32_t ms = mode_ == MacroDelayMode::Fixed
                                     ? fixedDelay_
                                     : std::min<std::uint32_t>(tick - lastTick_, 65535);
        lines_.push_back(DelayLine(static_cast<std::uint16_t>(ms)));
        bytes_ += 3;
    }
    hasLastTick_ = true;
    lastTick_ = tick;
}

bool MacroRecorder::Press(const Held& held, int size, MacroScriptLine line, std::uint32_t tick) {
    const int delay = hasLastTick_ ? DelayCost() : 0;
    // The press, and afterwards the releases of all held including this one.
    const int needed = delay + size + ReservedForReleases() + size + DelayCost();
    if (bytes_ + needed > budget_) {
        stopRequested_ = true;
        return true;
    }
    AddDelay(tick);
    lines_.push_back(std::move(line));
    bytes_ += size;
    held_.push_back(held);
    return false;
}

void MacroRecorder::Release(const Held& held, std::uint32_t tick) {
    const auto it = std::find_if(held_.begin(), held_.end(), [&](const Held& h) {
        return h.button == held.button && h.key == held.key;
    });
    // A release of something pressed before the recording started has no press to pair with.
    if (it == held_.end())
        return;
    held_.erase(it);
    AddDelay(tick);
    lines_.push_back(EventLine(held, false));
    bytes_ += EventSize(held);
}

bool MacroRecorder::Key(std::uint32_t virtualKey, bool down, std::uint32_t tick) {
    if (!active_ || virtualKey == 0 || virtualKey == 255)
        return false;
    const Held key{false, virtualKey};
    if (!down) {
        Release(key, tick);
        return stopRequested_;
    }
    // Auto-repeat of a held key adds nothing.
    for (const Held& h : held_)
        if (!h.button && h.key == virtualKey)
            return stopRequested_;
    return Press(key, EventSize(key), EventLine(key, true), tick);
}

bool MacroRecorder::Button(std::uint8_t bit, bool down, std::uint32_t tick) {
    if (!active_ || bit == 0 || (bit == 0x01 && skipLeft_))
        return false;
    const Held button{true, bit};
    if (!down) {
        Release(button, tick);
        return stopRequested_;
    }
    for (const Held& h : held_)
        if (h.button && h.key == bit)
            return stopRequested_;
    return Press(button, 1, EventLine(button, true), tick);
}

bool MacroRecorder::Input(const CapturedInput& input) {
    using K = CapturedInput::Kind;
    switch (input.kind) {
    case K::KeyDown:
    case K::KeyUp:
        return Key(input.virtualKey != 0 ? input.virtualKey : XKeyCodeToVirtualKey(input.code),
                   input.kind == K::KeyDown, input.tick);
    case K::ButtonDown:
    case K::ButtonUp:
        return Button(XButtonToMacroBit(input.code), input.kind == K::ButtonDown, input.tick);
    }
    return false;
}

} // namespace trvx
