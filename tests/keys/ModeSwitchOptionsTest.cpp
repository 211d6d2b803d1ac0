// The settings in byte 3 of the key entries and in combination keys 2 and 4: the gesture that
// switches to the game profile, the LED-mode gesture and the gun keys' own switch.
#include "keys/ModeSwitchOptions.h"

#include "keys/ModelKeys.h"

#include <gtest/gtest.h>

#include <map>

namespace trvx {
namespace {

KeyEntryContext Context() {
    static const std::map<std::string, std::string, std::less<>> texts = {
        {"Str212", "Middle Click"}, {"Str213", "Backward"},  {"Str214", "Forward"},
        {"Str221", "DPI Loop"},     {"Str222", "DPI +"},     {"Str223", "DPI -"},
        {"Str600", "AKM Fire"},     {"Str210", "Left Click"}};
    KeyEntryContext ctx;
    ctx.caption = [](std::string_view key) {
        const auto it = texts.find(key);
        return it == texts.end() ? std::string() : it->second;
    };
    ctx.storage = StorageKind::I2C;
    return ctx;
}

// Every profile: key 1 middle, key 2 back, key 3 CPI loop, key 4 a gun key (AKM), key 5 forward.
WorkingModel Model() {
    WorkingModel model;
    for (int p = 1; p <= 3; ++p) {
        SetProfileKeyEntry(model, p, 1, {0x01, 0x04, 0x00, 0x00});
        SetProfileKeyEntry(model, p, 2, {0x01, 0x08, 0x00, 0x00});
        SetProfileKeyEntry(model, p, 3, {0x09, 0x00, 0x00, 0x00});
        SetProfileKeyEntry(model, p, 4, {0x0B, 0x00, 0x01, 0x00});
        SetProfileKeyEntry(model, p, 5, {0x01, 0x10, 0x00, 0x00});
    }
    return model;
}

TEST(ModeSwitchOptions, GunKeyOptionValueByGesture) {
    const std::pair<int, std::uint8_t> cases[] = {{0, 0}, {1, 8}, {2, 8}, {3, 8},
                                                  {4, 8}, {5, 2}, {6, 2}, {7, 0}};
    for (const auto& [gesture, value] : cases) {
        EXPECT_EQ(GunKeyOptionValue(gesture, true), value) << gesture;
        EXPECT_EQ(GunKeyOptionValue(gesture, false), 0) << gesture;
    }
}

TEST(ModeSwitchOptions, GunKeyOptionTouchesOnlyGunKeysOfTheChosenProfiles) {
    const KeyEntryContext ctx = Context();
    WorkingModel model = Model();
    const ProfileKeyNameTable names = KeyCodesToKeyNames(model, ctx);
    EXPECT_TRUE(ProfileHasGunKey(names, 2, ctx));
    ASSERT_TRUE(SetGunKeyOption(model, names, ctx, 0b010, 0x08));
    EXPECT_EQ(model.ProfileKey(2, 4)[3], 0x08);
    EXPECT_EQ(model.ProfileKey(1, 4)[3], 0x00);
    EXPECT_EQ(model.ProfileKey(3, 4)[3], 0x00);
    EXPECT_EQ(model.ProfileKey(2, 1)[3], 0x00);                    // not a gun key
    EXPECT_FALSE(SetGunKeyOption(model, names, ctx, 0b010, 0x08)); // already so
    ASSERT_TRUE(SetGunKeyOption(model, names, ctx, 0b111, 0x02));
    for (int p = 1; p <= 3; ++p)
        EXPECT_EQ(model.ProfileKey(p, 4)[3], 0x02) << p;
    // The name survives the flag, so it can be cleared again.
    EXPECT_TRUE(ProfileHasGunKey(KeyCodesToKeyNames(model, ctx), 1, ctx));
}

TEST(ModeSwitchOptions, GesturesFlagTheirButtonAndFillTheCombinationKeys) {
    const KeyEntryContext ctx = Context();
    struct Case {
        int gesture;
        KeyEntryBytes combo2, combo4;
        std::array<std::uint8_t, 5> byte3; // keys 1..5
    };
    const KeyEntryBytes sw{0x07, 0xD1, 0xF0, 0x18};
    const KeyEntryBytes none{};
    const Case cases[] = {
        {0, none, none, {0, 0, 0, 0, 0}}, {1, none, sw, {8, 0, 0, 8, 0}},
        {2, none, sw, {0, 0, 8, 8, 0}},   {5, sw, none, {0, 2, 0, 2, 0}},
        {6, sw, none, {0, 0, 0, 2, 2}},
    };
    for (const Case& c : cases) {
        WorkingModel model = Model();
        // Flags of an earlier gesture are cleared by the next.
        SetProfileKeyEntry(model, 3, 5, {0x01, 0x10, 0x00, 0x02});
        ApplyFireFunction(model, KeyCodesToKeyNames(model, ctx), ctx, c.gesture, true, 0x18);
        EXPECT_EQ(model.ComboKey(2), c.combo2) << c.gesture;
        EXPECT_EQ(model.ComboKey(4), c.combo4) << c.gesture;
        for (int p = 1; p <= 3; ++p)
            for (int k = 1; k <= 5; ++k)
                EXPECT_EQ(model.ProfileKey(p, k)[3], c.byte3[static_cast<std::size_t>(k - 1)])
                    << "gesture " << c.gesture << " profile " << p << " key " << k;
        // The combination keys' text and the vendor check byte follow.
        EXPECT_EQ(model.KeyCodeText(38), TKeyEntry(c.combo2).ToText());
        const auto& vendor = model.Sections().VendorSection;
        std::uint8_t sum = 0;
        for (std::size_t i = 0; i + 1 < vendor.size(); ++i)
            sum = static_cast<std::uint8_t>(sum + vendor[i]);
        EXPECT_EQ(vendor.back(), sum ^ 0x5A);
    }
}

TEST(ModeSwitchOptions, LedModeGestureUsesTheBackButton) {
    const KeyEntryContext ctx = Context();
    WorkingModel model = Model();
    ApplyLedModeFunction(model, KeyCodesToKeyNames(model, ctx), ctx, true);
    EXPECT_EQ(model.ComboKey(2), (KeyEntryBytes{0x0E, 0, 0, 0}));
    EXPECT_EQ(model.ProfileKey(1, 2), (KeyEntryBytes{0x01, 0x08, 0x00, 0x02}));
    EXPECT_TRUE(LedModeFunctionOf(model, KeyCodesToKeyNames(model, ctx), ctx));
    ApplyLedModeFunction(model, KeyCodesToKeyNames(model, ctx), ctx, false);
    EXPECT_EQ(model.ComboKey(2), KeyEntryBytes{});
    EXPECT_EQ(model.ProfileKey(3, 2), (KeyEntryBytes{0x01, 0x08, 0x00, 0x00}));
    EXPECT_FALSE(LedModeFunctionOf(model, KeyCodesToKeyNames(model, ctx), ctx));
    // The combination key alone, without a back button that carries the flag, is not the
    // gesture.
    ApplyLedModeFunction(model, KeyCodesToKeyNames(model, ctx), ctx, true);
    for (int p = 1; p <= 3; ++p)
        model.SetProfileKey(p, 2, {0x01, 0x08, 0x00, 0x00});
    EXPECT_FALSE(LedModeFunctionOf(model, KeyCodesToKeyNames(model, ctx), ctx));
}

} // namespace
} // namespace trvx
