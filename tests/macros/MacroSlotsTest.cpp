// A key that carries a device macro is named after the macro in the working macro store.
#include "macros/MacroSlots.h"

#include "macros/DeviceMacroStore.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

KeyEntryContext Context(StorageKind kind, const WorkingSections& sections) {
    KeyEntryContext ctx;
    ctx.caption = [](std::string_view) { return std::string(); };
    ctx.storage = kind;
    ctx.macroSlots = MacroSlotsOf(sections, kind);
    return ctx;
}

TEST(MacroSlots, EepromMacroKeysShowTheMacroName) {
    EepromMacroStore store;
    MacroBody body{};
    body[0] = 0x82; // key down A, key up A, end
    body[1] = 0x04;
    body[2] = 0x02;
    body[3] = 0x04;
    ASSERT_EQ(store.Add(MacroNameFromText("Reload"), body), MacroStoreError::None);
    ASSERT_EQ(store.Add(MacroNameFromText("Jump"), body), MacroStoreError::None);
    WorkingSections sections;
    sections.MacroArea = store.MacroArea;
    const KeyEntryContext ctx = Context(StorageKind::I2C, sections);
    ASSERT_EQ(ctx.macroSlots.size(), kEepromMacroSlots);
    for (int slot = 0; slot < 2; ++slot) {
        const std::uint16_t start = store.DevMacroStarts[static_cast<std::size_t>(slot)];
        const TKeyEntry entry(0x10, static_cast<std::uint8_t>(start >> 8),
                              static_cast<std::uint8_t>(start & 0xFF), 0x00);
        EXPECT_EQ(KeyCodeToText(entry, ctx).text, slot == 0 ? "Reload" : "Jump");
    }
    // An address no macro starts at has no name.
    EXPECT_EQ(KeyCodeToText(TKeyEntry(0x10, 0x07, 0x00, 0x00), ctx).text, "");
    EXPECT_TRUE(MacroSlotsOf(sections, StorageKind::None).empty());
}

TEST(MacroSlots, FlashMacroKeysShowTheSlotName) {
    WorkingSections sections;
    sections.FlashMacroNames[3] = MacroNameFromText("Burst");
    sections.FlashMacroBodies[3][0] = 0x00;
    const KeyEntryContext ctx = Context(StorageKind::Flash, sections);
    EXPECT_EQ(KeyCodeToText(TKeyEntry(0x10, 0x43, 0x00, 0x00), ctx).text, "Burst");
}

} // namespace
} // namespace trvx
