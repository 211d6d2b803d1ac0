// The layout and caption pass as data: the keys it reads agree with the key lists, errors name
// their key, and the pictures follow the shown page.
#include "skin/LayoutPlan.h"
#include "shell/MainWindowTables.h"
#include "skin/ControlTable.h"
#include "skin/LayoutKeys.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace trvx {
namespace {

// A section holding every listed key with the value 1 (every member enabled), but `without`.
LayoutSection everyKey(const std::string& without = {}) {
    LayoutSection s("org1");
    for (const std::string& key : AllLayoutPassKeys())
        if (key != without)
            s.AddLine(key + "=1");
    return s;
}

bool touches(const LayoutPlan& plan, std::string_view control, SkinOpKind kind) {
    return std::any_of(plan.ops.begin(), plan.ops.end(),
                       [&](const SkinOp& o) { return o.control == control && o.kind == kind; });
}

TEST(LayoutPlanTest, ThePassReadsTheListedKeysInTheirOrder) {
    const ParseResult<LayoutPlan> plan =
        BuildLayoutPlan(everyKey(), CaptionSection(), {}, MainWindowTables());
    ASSERT_TRUE(plan.ok()) << plan.where;
    std::vector<std::string> read;
    for (const std::string& key : plan->keysRead)
        if (std::find(read.begin(), read.end(), key) == read.end())
            read.push_back(key);
    const std::vector<std::string> listed = AllLayoutPassKeys();
    EXPECT_EQ(read.size(), listed.size());
    for (std::size_t i = 0; i < std::min(read.size(), listed.size()); ++i)
        ASSERT_EQ(read[i], listed[i]) << "key " << i << " in read order";
    // The first missing key stops the pass and is named.
    for (const char* key : {"Size_A", "Color_MACRO_B", "Key7_X", "Combox_Width"}) {
        const ParseResult<LayoutPlan> missing =
            BuildLayoutPlan(everyKey(key), CaptionSection(), {}, MainWindowTables());
        ASSERT_FALSE(missing.ok()) << key;
        EXPECT_EQ(missing.error, "'' is not a valid integer value");
        EXPECT_EQ(missing.where, key);
    }
}

TEST(LayoutPlanTest, PositionsOfADisabledMemberMayBeAbsent) {
    LayoutSection s = everyKey("Btn_B3_X");
    s.AddLine("Btn_B3_Enable=0");
    s.AddLine("Key5_Enable=0");
    s.AddLine("ComboKey8_Enable=0");
    const ParseResult<LayoutPlan> plan =
        BuildLayoutPlan(s, CaptionSection(), {}, MainWindowTables());
    ASSERT_TRUE(plan.ok()) << plan.where;
    EXPECT_FALSE(plan->values.FixedTabEnabled);
    EXPECT_TRUE(plan->values.SwitchTabEnabled);
    EXPECT_FALSE(plan->values.ComboKey8Enabled);
    EXPECT_TRUE(touches(*plan, "Btn_Fixed_5", SkinOpKind::Hide));
    EXPECT_TRUE(touches(*plan, "Img_Key5", SkinOpKind::Hide));
    EXPECT_FALSE(touches(*plan, "Key5", SkinOpKind::Move));
}

TEST(LayoutPlanTest, ExtremeValuesAreHeldAtABound) {
    LayoutSection s = everyKey();
    s.AddLine("Size_C=$80000000"); // the smallest 32-bit number: the options' size is one less
    s.AddLine("M_L_W=-2147483648");
    s.AddLine("Edit_PCMarco_Width=$7FFFFFFF");
    const ParseResult<LayoutPlan> plan =
        BuildLayoutPlan(s, CaptionSection(), {}, MainWindowTables());
    ASSERT_TRUE(plan.ok());
    for (const SkinOp& o : plan->ops) {
        if (o.control == "IB_ComboKey1" && o.kind == SkinOpKind::FontSize) {
            EXPECT_EQ(o.x, -(1 << 20) - 1);
        }
        if (o.control == "ST_Standard" && o.kind == SkinOpKind::Left) {
            EXPECT_EQ(o.x, -(1 << 20) - 24);
        }
        if (o.control == "Btn_Import" && o.kind == SkinOpKind::Width) {
            EXPECT_EQ(o.x, (1 << 20) - 2);
        }
    }
}

TEST(LayoutPlanTest, EveryBuiltInSetBuildsAndNamesOnlyControlsOfTheTable) {
    for (int set = 1; set <= 3; ++set) {
        LayoutInputs in;
        in.LangIndex = set;
        const ParseResult<LayoutPlan> plan = BuildLayoutPlan(in, MainWindowTables());
        ASSERT_TRUE(plan.ok()) << "set " << set << ": " << plan.error << " at " << plan.where;
        for (const SkinOp& o : plan->ops) {
            EXPECT_NE(FindControlSpec(o.control), nullptr) << o.control;
            if (!o.ref.empty()) {
                EXPECT_NE(FindControlSpec(o.ref), nullptr) << o.ref;
            }
        }
        EXPECT_FALSE(plan->values.FontName.empty());
        EXPECT_EQ(plan->values.MenuMarker, "*");
    }
    for (const SkinOp& o : SkinImageOps(1))
        EXPECT_NE(FindControlSpec(o.control), nullptr) << o.control;
}

TEST(LayoutPlanTest, OnlyTheShownPagesPanelIsReloaded) {
    struct Case {
        int radio;
        std::vector<std::string> panels;
    };
    for (const Case& c :
         {Case{0, {"Img_P6"}}, Case{2, {"Img_P1", "Img_P6"}}, Case{4, {"Img_P2", "Img_P6"}},
          Case{5, {"Img_P3", "Img_P6"}}, Case{6, {"Img_P4", "Img_P6"}}, Case{7, {"Img_P6"}}}) {
        LayoutInputs in;
        in.LangIndex = 2;
        in.PageRadio = c.radio;
        const ParseResult<LayoutPlan> plan = BuildLayoutPlan(in, MainWindowTables());
        ASSERT_TRUE(plan.ok());
        std::vector<std::string> panels;
        for (const SkinOp& o : plan->ops)
            if (o.kind == SkinOpKind::Picture && o.control.starts_with("Img_P"))
                panels.push_back(o.control);
        EXPECT_EQ(panels, c.panels) << "radio " << c.radio;
    }
    // The start-up images load the key page's panel only while a key page radio is checked.
    auto loads = [](int radio) {
        const auto ops = SkinImageOps(radio);
        return std::any_of(ops.begin(), ops.end(),
                           [](const SkinOp& o) { return o.control == "Img_P1"; });
    };
    EXPECT_TRUE(loads(3));
    EXPECT_FALSE(loads(4));
}

TEST(LayoutPlanTest, ColoursCombineWithRedInTheLowByte) {
    EXPECT_EQ((Rgb{1, 83, 133}).Value(), 8737537u);
    EXPECT_EQ((Rgb{255, 0, 0}).Value(), 0xFFu);
    EXPECT_EQ((Rgb{0, 0, 255}).Value(), 0xFF0000u);
}

} // namespace
} // namespace trvx
