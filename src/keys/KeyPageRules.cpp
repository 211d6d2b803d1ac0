#include "keys/KeyPageRules.h"

#include "keys/KeyEntryText.h"

#include <algorithm>

namespace trvx {

namespace {

int Inside(int pos, int size, int limit) {
    return std::max(0, std::min(pos, limit - size));
}

} // namespace

Point PlaceMainMenu(const Rect& label, int menuWidth, int menuHeight, int windowWidth,
                    int windowHeight) {
    const int cx = label.left + label.width / 2;
    const int cy = label.top + label.height / 2;
    const int x = cx + menuWidth <= windowWidth ? cx : cx - menuWidth;
    const int y = cy + menuHeight <= windowHeight ? cy : cy - menuHeight;
    return {Inside(x, menuWidth, windowWidth), Inside(y, menuHeight, windowHeight)};
}

Point PlaceSubMenu(const Rect& parent, const Rect& opener, int width, int height, int windowWidth,
                   int windowHeight) {
    const int right = parent.left + opener.left + opener.width + 2;
    const int x = right + width <= windowWidth ? right : parent.left - width;
    const int level = parent.top + opener.top;
    const int y = level + height <= windowHeight ? level : level + opener.height - height;
    return {Inside(x, width, windowWidth), Inside(y, height, windowHeight)};
}

Point PlaceEngineerMenu(const Rect& button, int menuWidth, int menuHeight, int pageWidth,
                        int pageHeight) {
    const int x = button.left + menuWidth <= pageWidth
                      ? button.left + 10
                      : button.left + button.width - menuWidth + 10;
    // Its bottom rows overlap the button's upper part, so the pointer moves straight up into it.
    int y = button.top + button.height / 2 + 6 - menuHeight;
    if (y < 0)
        y = button.top + button.height / 2;
    return {Inside(x, menuWidth, pageWidth), Inside(y, menuHeight, pageHeight)};
}

TKeyEntry LostMacroKeyEntry(int key) {
    // Key 8's Win+D has no menu entry of its own.
    if (key == 8)
        return {0x02, 0x08, 0x07, 0x00};
    constexpr int kTags[12] = {900, 903, 2001, 1200, 901, 904, 2002, 0, 902, 2000, 1002, 1002};
    if (key < 1 || key > 12)
        return {};
    return KeyTagToCode(kTags[key - 1], KeyEntryContext{}).value_or(TKeyEntry{});
}

bool IsLeftClickEntry(const TKeyEntry& entry) {
    return entry.type() == 0x01 && entry.p1() == 0x01 && entry.p2() == 0x00;
}

namespace {

bool OtherLeft(const std::array<TKeyEntry, 12>& keys, int key) {
    for (int k = 1; k <= 12; ++k)
        if (k != key && IsLeftClickEntry(keys[static_cast<std::size_t>(k - 1)]))
            return true;
    return false;
}

} // namespace

bool RefusesLastLeft(int profile, const std::array<TKeyEntry, 12>& keys, int key,
                     const TKeyEntry& entry) {
    return profile == 1 && !IsLeftClickEntry(entry) && !OtherLeft(keys, key);
}

bool IsLastLeft(int profile, const std::array<TKeyEntry, 12>& keys, int key) {
    return profile == 1 && key >= 1 && key <= 12 &&
           IsLeftClickEntry(keys[static_cast<std::size_t>(key - 1)]) && !OtherLeft(keys, key);
}

std::array<TKeyEntry, 12> ProfileKeys(const WorkingModel& model, int profile) {
    std::array<TKeyEntry, 12> keys;
    for (int k = 1; k <= 12; ++k)
        keys[static_cast<std::size_t>(k - 1)] = TKeyEntry(model.ProfileKey(profile, k));
    return keys;
}

std::vector<RegisterValue> ProfileSelectionRegisters(const ProfileSelection& s) {
    const bool gun = s.profile == 2 && s.gunDisplay;
    const int effect = (s.buttonEffect ? s.buttonEffectItem : 0) + (gun ? 4 : 0);
    const bool second = s.profile == 2;
    const int index = s.profile - 1;
    int profileByte = 0;
    if (s.colourItem == 10 || gun)
        profileByte = 240 + index;
    else
        profileByte = s.colourItem * 16 + index;
    auto b = [](int v) { return static_cast<std::uint8_t>(v & 0xFF); };
    return {{167, b(effect)},
            {168, b(second ? 15 : 0)},
            {169, 0},
            {170, b(second ? 24 : 0)},
            {164, b(profileByte)}};
}

std::optional<int> ProfileColourItem(std::uint8_t profileByte) {
    const int colour = profileByte >> 4;
    if (colour <= 9)
        return colour;
    if (colour == 15)
        return 10;
    return std::nullopt;
}

int ButtonEffectItem(std::uint8_t value) {
    return value < 2 ? value : std::clamp(value - 4, 0, 1);
}

bool MenuRowShown(std::string_view entry, const MenuRowInputs& in) {
    if (in.engineering)
        return entry != "Key_FireMacro";
    const bool gun = in.profile == 2 && in.gunDisplay;
    if (entry == "Key_FireMacro" || entry == "Key_FireMacroKey" || entry == "Key_FireMacroOff" ||
        entry == "Key_AdjustXY")
        return gun;
    if (entry == "Key_BtnEFT")
        return in.buttonEffect;
    if (entry == "Key_TLFireMacro")
        return false; // the engineering page's own entry
    // Profile keys: all four with both profile tabs, the first two with the second tab only.
    const bool profileMenuTwo = entry == "Key_Profile1" || entry == "Key_Profile2";
    const bool profileMenuFour = entry == "Key_Profile3" || entry == "Key_Profile";
    if (profileMenuTwo || profileMenuFour) {
        const bool both = in.profile == 2 ? in.thirdTab : in.secondTab && in.thirdTab;
        const bool two = in.profile == 2 || in.secondTab;
        if (in.profile == 3)
            return true; // the third profile keeps the sizes it had
        return profileMenuTwo ? two : both;
    }
    return true;
}

} // namespace trvx
