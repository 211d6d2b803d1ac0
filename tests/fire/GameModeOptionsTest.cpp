// The gun sheet's entry options: byte 3 of the named buttons and gun keys, the profile-switch
// keys' options, the read-back of the gesture after a whole-image read, and the offset edit.
#include "fire/GameModeOptions.h"

#include "keys/ModelKeys.h"

#include <gtest/gtest.h>

#include <map>

namespace trvx {
namespace {

KeyEntryContext Context() {
    static const std::map<std::string, std::string, std::less<>> texts = {
        {"Str212", "Middle Click"}, {"Str213", "Backward"},  {"Str214", "Forward"},
        {"Str221", "DPI Loop"},     {"Str222", "DPI +"},     {"Str223", "DPI -"},
        {"Str251", "Office Mode"},  {"Str252", "Game Mode"}, {"Str253", "Third Mode"},
        {"Str600", "AKM Fire"},     {"Str210", "Left Click"}};
    KeyEntryContext ctx;
    ctx.caption = [](std::string_view key) {
        const auto it = texts.find(key);
        return it == texts.end() ? std::string() : it->second;
    };
    ctx.storage = StorageKind::I2C;
    return ctx;
}

// Every profile: 1 middle, 2 back, 3 forward, 4 CPI loop, 5 CPI +, 6 CPI -, 7 a gun key,
// 8 game-mode switch, 9 a fire key (type 6, not a named button), 10 left click.
WorkingModel Model() {
    WorkingModel model;
    for (int p = 1; p <= 3; ++p) {
        SetProfileKeyEntry(model, p, 1, {0x01, 0x04, 0x00, 0x00});
        SetProfileKeyEntry(model, p, 2, {0x01, 0x08, 0x00, 0x00});
        SetProfileKeyEntry(model, p, 3, {0x01, 0x10, 0x00, 0x00});
        SetProfileKeyEntry(model, p, 4, {0x09, 0x00, 0x00, 0x00});
        SetProfileKeyEntry(model, p, 5, {0x09, 0x01, 0x00, 0x00});
        SetProfileKeyEntry(model, p, 6, {0x09, 0x02, 0x00, 0x00});
        SetProfileKeyEntry(model, p, 7, {0x0B, 0x10, 0x01, 0x00});
        SetProfileKeyEntry(model, p, 8, {0x07, 0x81, 0x00, 0x00});
        SetProfileKeyEntry(model, p, 9, {0x06, 0x12, 0x00, 0x3C});
        SetProfileKeyEntry(model, p, 10, {0x01, 0x01, 0x00, 0x00});
    }
    return model;
}

TEST(GameModeOptions, ComboItemsStandForSingleBits) {
    const std::pair<int, std::optional<std::uint8_t>> cases[] = {
        {0, 0}, {1, 1}, {2, 2}, {3, 4}, {4, 8}, {8, 0x80}, {-1, std::nullopt}, {9, std::nullopt}};
    for (const auto& [item, value] : cases)
        EXPECT_EQ(ComboEnableValue(item), value) << item;
}

TEST(GameModeOptions, ComboEnableGivesEachNamedButtonItsValueAndTheGunKeysTheirs) {
    const KeyEntryContext ctx = Context();
    WorkingModel model = Model();
    ApplyComboEnable(model, KeyCodesToKeyNames(model, ctx), ctx, {8, 2, 1, 4, 0x10, 0x20}, 0x40);
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(model.ProfileKey(p, 1), (KeyEntryBytes{0x01, 0x04, 0x00, 0x08}));
        EXPECT_EQ(model.ProfileKey(p, 2), (KeyEntryBytes{0x01, 0x08, 0x00, 0x02}));
        EXPECT_EQ(model.ProfileKey(p, 3), (KeyEntryBytes{0x01, 0x10, 0x00, 0x01}));
        EXPECT_EQ(model.ProfileKey(p, 4), (KeyEntryBytes{0x09, 0x00, 0x00, 0x04}));
        EXPECT_EQ(model.ProfileKey(p, 5), (KeyEntryBytes{0x09, 0x01, 0x00, 0x10}));
        EXPECT_EQ(model.ProfileKey(p, 6), (KeyEntryBytes{0x09, 0x02, 0x00, 0x20}));
        EXPECT_EQ(model.ProfileKey(p, 7), (KeyEntryBytes{0x0B, 0x10, 0x01, 0x40}));
        // Other keys are left alone.
        EXPECT_EQ(model.ProfileKey(p, 9), (KeyEntryBytes{0x06, 0x12, 0x00, 0x3C}));
        EXPECT_EQ(model.ProfileKey(p, 10), (KeyEntryBytes{0x01, 0x01, 0x00, 0x00}));
    }
}

TEST(GameModeOptions, SwitchKeysTakeFlagsColourAndOffset) {
    SwitchKeyOptions o;
    o.returnToZero = true;
    o.changeColour = true;
    o.colourItems = {0, 2, 10};
    o.offset = 0x18;
    EXPECT_EQ(SwitchKeyEntry(2, o), (KeyEntryBytes{0x07, 0xD1, 0x20, 0x18}));
    EXPECT_EQ(SwitchKeyEntry(3, o), (KeyEntryBytes{0x07, 0xD2, 0xF0, 0x18}));
    o.adjustXY = true;
    o.offset = 0x3FF; // the high part lands in the colour byte
    EXPECT_EQ(SwitchKeyEntry(1, o), (KeyEntryBytes{0x07, 0xF0, 0x03, 0xFF}));

    const KeyEntryContext ctx = Context();
    WorkingModel model = Model();
    SetProfileKeyEntry(model, 3, 8, {0x07, 0x82, 0x00, 0x00}); // "Third Mode"
    ApplySwitchKeyOptions(model, KeyCodesToKeyNames(model, ctx), ctx, o);
    EXPECT_EQ(model.ProfileKey(1, 8), SwitchKeyEntry(2, o));
    EXPECT_EQ(model.ProfileKey(3, 8), SwitchKeyEntry(3, o));
    EXPECT_EQ(model.ProfileKey(1, 1), (KeyEntryBytes{0x01, 0x04, 0x00, 0x00}));
}

TEST(GameModeOptions, ReadBackFindsTheGestureOnlyWhereItsCombinationKeySwitches) {
    const KeyEntryContext ctx = Context();
    struct Case {
        int key;
        std::uint8_t flag;
        bool combo2, combo4;
        int gesture;
        std::size_t combo;
        int item;
    };
    const Case cases[] = {
        {1, 0x08, false, true, 1, 0, 4},
        {4, 0x08, false, true, 2, 3, 4},
        {5, 0x08, false, true, 3, 4, 4},
        {6, 0x08, false, true, 4, 5, 4},
        {2, 0x02, true, false, 5, 1, 2},
        {3, 0x02, true, false, 6, 2, 2},
        // The flag without its combination key: no gesture, but the combo still shows it.
        {1, 0x08, true, false, 0, 0, 4},
        {2, 0x02, false, true, 0, 1, 2},
    };
    for (const Case& c : cases) {
        WorkingModel model = Model();
        KeyEntryBytes e = model.ProfileKey(2, c.key);
        e[3] = c.flag;
        model.SetProfileKey(2, c.key, e);
        const ShownModeSwitch s =
            ReadModeSwitch(model, KeyCodesToKeyNames(model, ctx), ctx, c.combo2, c.combo4);
        EXPECT_EQ(s.fireFunction, c.gesture) << c.key;
        for (std::size_t b = 0; b < kNamedOptionButtons; ++b)
            EXPECT_EQ(s.comboItems[b], b == c.combo ? std::optional<int>(c.item) : std::nullopt)
                << c.key << " " << b;
    }
}

TEST(GameModeOptions, ReadBackOfTheGunKeysSwitch) {
    const KeyEntryContext ctx = Context();
    auto read = [&](std::uint8_t p1, std::uint8_t p2, std::uint8_t p3, bool combo) {
        WorkingModel model = Model();
        for (auto [p, flag] : {std::pair{1, p1}, std::pair{2, p2}, std::pair{3, p3}})
            model.SetProfileKey(p, 7, {0x0B, 0x10, 0x01, flag});
        return ReadModeSwitch(model, KeyCodesToKeyNames(model, ctx), ctx, combo, false);
    };
    EXPECT_EQ(read(8, 8, 8, true).gunKeysSwitch, true);
    EXPECT_EQ(read(8, 8, 8, true).gunKeyOption, 8);
    EXPECT_EQ(read(8, 8, 0, true).gunKeysSwitch, false); // the last gun key wins
    EXPECT_EQ(read(0, 8, 2, true).gunKeyOption, 2);
    // No switching combination key: profile 1's flag clears it, the others leave it.
    EXPECT_EQ(read(8, 8, 8, false).gunKeysSwitch, false);
    EXPECT_EQ(read(0, 0, 0, false).gunKeysSwitch, false);
    WorkingModel none = Model();
    for (int p = 1; p <= 3; ++p)
        SetProfileKeyEntry(none, p, 7, {0x01, 0x01, 0x00, 0x00});
    EXPECT_EQ(ReadModeSwitch(none, KeyCodesToKeyNames(none, ctx), ctx, true, true).gunKeysSwitch,
              std::nullopt);
}

TEST(GameModeOptions, OffsetEditIsHexCappedAtFFF) {
    EXPECT_EQ(OffsetEditChanged("18").store, 0x18);
    EXPECT_EQ(OffsetEditChanged("fff").store, 0xFFF);
    EXPECT_EQ(OffsetEditChanged("1000").corrected, "FFF");
    EXPECT_FALSE(OffsetEditChanged("").store);
    EXPECT_FALSE(OffsetEditChanged("").corrected);
    EXPECT_FALSE(OffsetEditChanged("x1").store);
}

} // namespace
} // namespace trvx
