// The menu table agrees with the key entries: every function entry's Tag makes an entry whose
// caption is the entry's own caption key, and every opener opens a panel or list that exists.
#include "keys/KeyMenus.h"
#include "keys/KeyEntryText.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace trvx {
namespace {

TEST(KeyMenusTest, EveryFunctionEntryMakesTheEntryItsCaptionNames) {
    KeyEntryContext ctx;
    ctx.caption = [](std::string_view key) { return std::string(key); };
    ctx.storage = StorageKind::I2C;
    // Fire key n is named by matching its stored parameters; make each edit match its own.
    for (std::size_t n = 0; n < 3; ++n) {
        ctx.fireKeyEdits[n] = {static_cast<int>(n) + 2, 100 + static_cast<int>(n), false};
        ctx.fireKeys[n] = {static_cast<int>(n) + 2, 100 + static_cast<int>(n)};
    }
    int functions = 0;
    for (const KeyMenu& menu : KeyMenus())
        for (const KeyMenuEntry& e : menu.entries) {
            if (e.tag < kFirstFunctionTag)
                continue;
            ++functions;
            const std::optional<TKeyEntry> entry = KeyTagToCode(e.tag, ctx);
            ASSERT_TRUE(entry) << e.name << " Tag " << e.tag;
            EXPECT_EQ(KeyCodeToText(*entry, ctx).text, e.captionKey)
                << e.name << " Tag " << e.tag << " gives " << entry->ToText();
            EXPECT_TRUE(e.opens.empty() && !e.arrow) << e.name;
        }
    EXPECT_EQ(functions, 46);
}

TEST(KeyMenusTest, NamesAndTagsAreUniqueAndOpenersOpenWhatExists) {
    std::set<std::string_view> names, panels;
    std::set<int> tags;
    for (const KeyMenu& menu : KeyMenus()) {
        EXPECT_TRUE(panels.insert(menu.panel).second) << menu.panel;
        EXPECT_EQ(FindKeyMenu(menu.panel), &menu);
    }
    for (std::string_view list : kKeyMenuLists)
        panels.insert(list);
    for (const KeyMenu& menu : KeyMenus())
        for (const KeyMenuEntry& e : menu.entries) {
            EXPECT_TRUE(names.insert(e.name).second) << e.name;
            EXPECT_EQ(FindKeyMenuEntry(e.name), &e);
            // Key_Assembly keeps the default Tag 0: it opens the combination-key dialog.
            if (e.tag != 0) {
                EXPECT_TRUE(tags.insert(e.tag).second) << e.name << " Tag " << e.tag;
            }
            if (!e.opens.empty()) {
                EXPECT_TRUE(panels.count(e.opens)) << e.name << " opens " << e.opens;
            }
            // Openers open something; Key_FireMacro goes to the gun-mode page instead.
            if (e.tag > 0 && e.tag < kFirstFunctionTag) {
                EXPECT_FALSE(e.opens.empty() && e.name != "Key_FireMacro") << e.name;
            }
        }
    EXPECT_EQ(FindKeyMenu("Pnl_PCMacro"), nullptr);
    EXPECT_EQ(FindKeyMenuEntry("Key1"), nullptr);
    EXPECT_EQ(KeyMenuArrow(*FindKeyMenuEntry("Key_Media")), "ST_Media");
    // Every panel but the first is opened by exactly one entry.
    for (const KeyMenu& menu : KeyMenus()) {
        int openers = 0;
        for (const KeyMenu& m : KeyMenus())
            for (const KeyMenuEntry& e : m.entries)
                openers += e.opens == menu.panel;
        EXPECT_EQ(openers, menu.panel == "Pnl_Main" ? 0 : 1) << menu.panel;
    }
}

} // namespace
} // namespace trvx
