// The option combos' bit fields and the hidden access.
#include "engineering/EngineerRules.h"

#include <gtest/gtest.h>

namespace trvx::test {
namespace {

TEST(OptionFields, SetOnlyTheirFieldAndReadItBack) {
    struct Case {
        const char* combo;
        std::uint8_t before;
        int index;
        std::uint8_t after;
    } cases[] = {
        {"cb_SensorRotation", 0x00, 2, 0x80}, // item 2 is field 10
        {"cb_SensorRotation", 0x3F, 2, 0xBF}, // the other six bits stay
        {"cb_CPIIndication", 0x00, 0, 0x10},  // "No Indication" is 01
        {"cb_CPISet", 0xFF, 3, 0xF3},         // last item is 00
        {"cb_CPIPrescaleSel", 0x00, 0, 0x30}, // "1.00x" is 11
        {"cb_ProfileLEDFlash", 0xFE, 1, 0xFF}, {"cb_ICType", 0x3F, 3, 0xFF},
        {"cb_LEDPower", 0x55, -1, 0x55}, // no item: the byte unchanged
        {"cb_KbdType", 0x00, 5, 0x00},
    };
    for (const Case& c : cases) {
        const OptionField* f = FindOptionField(c.combo);
        ASSERT_NE(f, nullptr) << c.combo;
        EXPECT_EQ(ApplyOption(*f, c.before, c.index), c.after) << c.combo;
        if (c.index >= 0 && c.index < f->count) {
            EXPECT_EQ(OptionIndex(*f, c.after), c.index) << c.combo;
        }
    }
    EXPECT_EQ(OptionIndex(*FindOptionField("cb_CPIIndication"), 0x00), -1);
    EXPECT_EQ(OptionFields().size(), 22u);
    EXPECT_EQ(SensorEdits().size(), 33u);
}

TEST(EngineeringAccess, EveryFifthDoubleClickAsksAndCodesAreExact) {
    EngineeringAccess access;
    using C = EngineeringAccess::Click;
    using G = EngineeringAccess::Grant;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(access.DoubleClick(), C::Counted);
    EXPECT_EQ(access.DoubleClick(), C::AskCode);
    EXPECT_EQ(access.EnterCodeAtLogo("marovelqx"), G::None); // case matters
    EXPECT_EQ(access.EnterCodeAtLogo("BrandelTRKWF "), G::None);
    EXPECT_FALSE(access.Mode());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(access.DoubleClick(), C::Counted);
    EXPECT_EQ(access.DoubleClick(), C::AskCode); // the tenth
    EXPECT_EQ(access.EnterCodeAtLogo("MarovelQX"), G::ModeOnly);
    EXPECT_TRUE(access.Mode());
    EXPECT_EQ(access.DoubleClick(), C::TurnedOff);
    EXPECT_FALSE(access.Mode());
    for (int i = 0; i < 4; ++i)
        access.DoubleClick();
    EXPECT_EQ(access.DoubleClick(), C::AskCode);
    EXPECT_EQ(access.EnterCodeAtLogo("BrandelTRKWF"), G::Controls);
}

// The gun-mode page takes code A only; code B leaves the mode off there.
TEST(EngineeringAccess, TheFirePageTakesCodeAOnly) {
    EngineeringAccess access;
    for (int i = 0; i < 5; ++i)
        access.DoubleClick();
    EXPECT_FALSE(access.EnterCodeAtFirePage("BrandelTRKWF"));
    EXPECT_FALSE(access.EnterCodeAtFirePage("MAROVELQX"));
    EXPECT_FALSE(access.Mode());
    for (int i = 0; i < 5; ++i)
        access.DoubleClick();
    EXPECT_TRUE(access.EnterCodeAtFirePage("MarovelQX"));
    EXPECT_TRUE(access.Mode());
}

} // namespace
} // namespace trvx::test
