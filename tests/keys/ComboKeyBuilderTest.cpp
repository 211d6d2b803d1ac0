// The combination being built in the combination-key dialog.
#include "keys/ComboKeyBuilder.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(ComboKeyBuilder, ModifiersThenKeys) {
    ComboKeyBuilder b;
    EXPECT_TRUE(b.Empty());
    b.SetModifier(ComboKeyBuilder::Ctrl, true);
    b.SetModifier(ComboKeyBuilder::Shift, true);
    EXPECT_FALSE(b.Empty());
    ASSERT_TRUE(b.KeyDown('A'));
    EXPECT_EQ(b.Text(), "Ctrl+Shift+A");
    EXPECT_EQ(b.Entry(), TKeyEntry(0x02, 0x03, 0x04, 0x00));
    b.SetModifier(ComboKeyBuilder::Ctrl, false);
    EXPECT_EQ(b.Text(), "Shift+A");
    b.SetModifier(ComboKeyBuilder::Shift, false);
    EXPECT_EQ(b.Text(), "A");
}

TEST(ComboKeyBuilder, AThirdKeyStartsOver) {
    ComboKeyBuilder b;
    b.SetModifier(ComboKeyBuilder::Alt, true);
    b.KeyDown('A');
    b.KeyDown('B');
    EXPECT_EQ(b.Text(), "Alt+A+B");
    EXPECT_EQ(b.Entry(), TKeyEntry(0x02, 0x04, 0x04, 0x05));
    b.KeyDown('C');
    EXPECT_EQ(b.Text(), "Alt+C");
    EXPECT_EQ(b.Entry(), TKeyEntry(0x02, 0x04, 0x06, 0x00));
    EXPECT_EQ(b.KeyCount(), 1);
}

TEST(ComboKeyBuilder, IgnoredKeysAndClear) {
    ComboKeyBuilder b;
    EXPECT_FALSE(b.KeyDown(0x5B)); // Windows keys come from the box
    EXPECT_FALSE(b.KeyDown(0x5C));
    EXPECT_FALSE(b.KeyDown(0x00)); // no usage: not taken, nothing counted
    EXPECT_FALSE(b.KeyDown(0xFF));
    EXPECT_TRUE(b.Empty());
    b.SetModifier(ComboKeyBuilder::Win, true);
    b.KeyDown('1');
    b.Clear();
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Text(), "");
    b.KeyDown(0x74); // F5
    EXPECT_EQ(b.Entry(), TKeyEntry(0x02, 0x00, 0x3E, 0x00));
}

} // namespace
} // namespace trvx
