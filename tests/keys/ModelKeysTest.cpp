#include "keys/ModelKeys.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(ModelKeys, KeyEntriesTravelBetweenTheModelAndTheirText) {
    WorkingModel model;
    const TKeyEntry fire(0x06, 0x92, 0x00, 0x3C);
    ASSERT_TRUE(SetProfileKeyEntry(model, 3, 12, fire));
    EXPECT_EQ(ProfileKeyEntry(model, 3, 12), fire);
    EXPECT_EQ(model.KeyCodeText(36), fire.ToText());
    EXPECT_FALSE(SetProfileKeyEntry(model, 0, 1, fire));

    const auto write = SetComboKeyEntry(model, 1, TKeyEntry(0x02, 0x01, 0xE0, 0x04));
    ASSERT_TRUE(write);
    EXPECT_EQ(write->bank, 1);
    EXPECT_EQ(write->reg, 127);
    EXPECT_EQ(ComboKeyEntry(model, 1).ToText(), "0201E004");
    EXPECT_EQ(model.KeyCodeText(37), "0201E004");
}

} // namespace
} // namespace trvx
