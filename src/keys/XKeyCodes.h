#pragma once
// X key codes (what the X server reports: the kernel's evdev code + 8) to the virtual-key codes
// the key tables start from. The mapping goes by the key's position on the keyboard, never by
// the layout's symbol, so a key records the same HID usage whatever layout the desktop uses:
// the key right of Tab is always the virtual key 'Q' (usage 0x14), also on an AZERTY desktop.

#include <cstdint>

namespace trvx {

// 0 for a key code without a virtual key (and for anything outside 8..255).
std::uint32_t XKeyCodeToVirtualKey(std::uint32_t xKeyCode);

} // namespace trvx
