#include "macros/DeviceMacroStore.h"

#include "MacroTestSupport.h"
#include "device/ImageLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace trvx {
namespace {

using test::BodyBuilder;
using test::ButtonBody;

// Macro 1 of the worked example: A1, sixty times 82 04 02 04, 21, 00 (243 bytes).
MacroBody ExampleBodyA() {
    return BodyBuilder()
        .bytes({0xA1})
        .repeat({0x82, 0x04, 0x02, 0x04}, 60)
        .bytes({0x21, 0x00})
        .body();
}
MacroBody ExampleBodyB() {
    return BodyBuilder().bytes({0x82, 0x05, 0xFE, 0x01, 0xF4, 0x02, 0x05, 0x00}).body();
}

TEST(EepromMacroStore, WorkedExampleWithTheBlockBoundaryByte) {
    EepromMacroStore store;
    ASSERT_EQ(store.Add(MacroNameFromText("A"), ExampleBodyA()), MacroStoreError::None);
    ASSERT_EQ(store.Add(MacroNameFromText("B"), ExampleBodyB()), MacroStoreError::None);

    TI2CMacroArea expected{};
    expected[1] = 0x41;
    std::size_t q = 16;
    expected[q++] = 0xA1;
    for (int i = 0; i < 59; ++i)
        for (std::uint8_t b : {0x82, 0x04, 0x02, 0x04})
            expected[q++] = b;
    expected[q++] = 0x82;
    expected[q++] = 0x04;
    ASSERT_EQ(q, 255u);
    expected[q++] = 0xFC; // the 02 due here moves to the second block
    for (std::uint8_t b : {0x02, 0x04, 0x21, 0x00})
        expected[q++] = b;
    ASSERT_EQ(q, 260u);
    expected[261] = 0x42;
    q = 276;
    for (std::uint8_t b : {0x82, 0x05, 0xFE, 0x01, 0xF4, 0x02, 0x05, 0x00})
        expected[q++] = b;
    EXPECT_EQ(store.MacroArea, expected);

    EXPECT_EQ(store.DevMacroLengths[0], 260);
    EXPECT_EQ(store.DevMacroLengths[1], 24);
    EXPECT_EQ(store.DevMacroStarts[0], 0x0200);
    EXPECT_EQ(store.DevMacroStarts[1], 0x0304);
    EXPECT_EQ(store.MacroBytesUsed, 284);
    EXPECT_EQ(store.Body(0).size(), 244u);
    EXPECT_EQ(store.Body(0)[239], 0xFC);
    EXPECT_EQ(store.RefreshMacroName4480(), (std::vector<std::string>{"A", "B"}));

    // Parsing the packed area again gives the same tables.
    EepromMacroStore again;
    EXPECT_EQ(again.ReadAndRefreshMacro4480(store.MacroArea), MacroStoreError::None);
    EXPECT_EQ(again.MacroArea, store.MacroArea);
    EXPECT_EQ(again.DevMacroLengths, store.DevMacroLengths);
    EXPECT_EQ(again.DevMacroStarts, store.DevMacroStarts);
    EXPECT_EQ(again.DevMacroBodies, store.DevMacroBodies);
}

TEST(EepromMacroStore, ByteAtTheBoundaryByValue) {
    struct Case {
        std::vector<std::uint8_t> event; // starts at area offset 255
        bool moved;
    };
    const std::vector<Case> cases{
        {{0x01, 0x01}, true},       {{0x02, 0x04}, true},
        {{0x81, 0x01}, true},       {{0x82, 0x04}, true},
        {{0xFE, 0x00, 0x32}, true}, {{0x04, 0x01, 0x01}, false},
        {{0xFD, 0x02}, false},      {{0xA1}, false},
    };
    for (const Case& c : cases) {
        // The body starts at area offset 16: 239 presses put the event at 255.
        BodyBuilder first;
        first.repeat(0xA1, 239).bytes(c.event).bytes({0x00});
        EepromMacroStore store;
        ASSERT_EQ(store.Add(MacroNameFromText("X"), first.body()), MacroStoreError::None);
        ASSERT_EQ(store.Add(MacroNameFromText("Y"), ButtonBody(2)), MacroStoreError::None);
        const auto firstLength = static_cast<std::uint16_t>(16 + first.size() + (c.moved ? 1 : 0));
        EXPECT_EQ(store.MacroArea[255], c.moved ? 0xFC : c.event.front());
        if (c.moved) {
            EXPECT_EQ(store.MacroArea[256], c.event.front());
        }
        EXPECT_EQ(store.DevMacroLengths[0], firstLength);
        EXPECT_EQ(store.DevMacroStarts[1], 512 + firstLength);
    }
}

TEST(EepromMacroStore, LengthsUpToExactly512AndNotOneMore) {
    EepromMacroStore store;
    ASSERT_EQ(store.Add(MacroNameFromText("one"), ButtonBody(240)), MacroStoreError::None);
    const TI2CMacroArea before = store.MacroArea;
    const auto lengthsBefore = store.DevMacroLengths;

    EepromMacroStore tooMuch = store;
    EXPECT_EQ(tooMuch.Add(MacroNameFromText("two"), ButtonBody(241)),
              MacroStoreError::AreaOverflow);
    EXPECT_EQ(tooMuch.MacroArea, before);
    EXPECT_EQ(tooMuch.DevMacroLengths, lengthsBefore);
    EXPECT_EQ(tooMuch.Count(), 1);

    ASSERT_EQ(store.Add(MacroNameFromText("two"), ButtonBody(240)), MacroStoreError::None);
    EXPECT_EQ(store.MacroBytesUsed, 512);
    EXPECT_EQ(store.MacroArea[511], 0x00);
    EXPECT_EQ(store.MacroArea[256 + 16], 0xA1);
}

TEST(EepromMacroStore, BoundaryByteThatWouldGrowABodyPast256IsRefused) {
    // A full 256-byte library body whose byte 239 (area offset 255) is 0x02.
    const MacroBody body =
        BodyBuilder().repeat(0xA1, 239).bytes({0x02, 0x04}).repeat(0xA1, 14).bytes({0x00}).body();
    ASSERT_EQ(MacroBodyEnd(body), 256u);
    EepromMacroStore store;
    EXPECT_EQ(store.Add(MacroNameFromText("X"), body), MacroStoreError::AreaOverflow);
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.MacroArea, TI2CMacroArea{});
}

TEST(EepromMacroStore, BoundaryByteThatSplitsAnEventIsRefused) {
    const std::vector<std::vector<std::uint8_t>> tails{
        // The delay's operand 0x02 lands at 255: the mouse would read the rest as other events.
        {0xFE, 0x01, 0x02, 0x00},
        // The key's usage 0x02 lands at 255; read with the 0xFC the macro would still end at the
        // same place (82 FC, 02 A1, 00), but it would press other keys.
        {0x82, 0x02, 0xA1, 0x00},
    };
    for (const auto& tail : tails) {
        const std::size_t presses = 255 - 16 - (tail[0] == 0xFE ? 2 : 1);
        const MacroBody body = BodyBuilder().repeat(0xA1, presses).bytes(tail).body();
        EepromMacroStore store;
        EXPECT_EQ(store.Add(MacroNameFromText("X"), body), MacroStoreError::Malformed);
        EXPECT_EQ(store.Count(), 0);
        EXPECT_EQ(store.MacroArea, TI2CMacroArea{});
    }
}

TEST(EepromMacroStore, AddRefusals) {
    EepromMacroStore store;
    ASSERT_EQ(store.Add(MacroNameFromText("A"), ButtonBody(2)), MacroStoreError::None);
    const TI2CMacroArea before = store.MacroArea;
    struct Case {
        TMacroName name;
        MacroBody body;
        MacroStoreError error;
    };
    TMacroName ff = MacroNameFromText("\xC3\xBF"); // U+00FF is stored 00 FF: read back as empty
    const std::vector<Case> cases{
        {MacroNameFromText("A"), ButtonBody(5), MacroStoreError::Duplicate},
        {ff, ButtonBody(2), MacroStoreError::EmptyName},
        {TMacroName{}, ButtonBody(2), MacroStoreError::EmptyName},
        {MacroNameFromText("N"), BodyBuilder().repeat(0xA1, 256).body(), MacroStoreError::BadBody},
        {MacroNameFromText("N"), BodyBuilder().bytes({0xA1, 0x77, 0x00}).body(),
         MacroStoreError::BadBody},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(store.Add(c.name, c.body), c.error);
        EXPECT_EQ(store.MacroArea, before);
        EXPECT_EQ(store.Count(), 1);
    }
    for (int i = 1; i < 15; ++i)
        ASSERT_EQ(store.Add(MacroNameFromText("M" + std::to_string(i)), ButtonBody(2)),
                  MacroStoreError::None);
    EXPECT_EQ(store.Add(MacroNameFromText("late"), ButtonBody(2)), MacroStoreError::Full);
}

TEST(EepromMacroStore, ParseStopsAtTheFirstEmptyName) {
    for (std::uint8_t b0 : {0xFF, 0x00}) {
        EepromMacroStore store;
        ASSERT_EQ(store.Add(MacroNameFromText("A"), ButtonBody(3)), MacroStoreError::None);
        TI2CMacroArea area = store.MacroArea;
        // An empty name at offset 19, then what would be a good macro behind it.
        area[19] = b0;
        area[20] = 0xFF;
        area[36] = 0xA1;
        area[37] = 0x00;
        area[38] = 0x00;
        area[39] = 0x42;
        EepromMacroStore parsed;
        EXPECT_EQ(parsed.ReadAndRefreshMacro4480(area), MacroStoreError::None);
        EXPECT_EQ(parsed.RefreshMacroName4480(), (std::vector<std::string>{"A"}));
        EXPECT_EQ(parsed.MacroArea, store.MacroArea); // the packed area drops what lay behind
    }
}

TEST(EepromMacroStore, MalformedAreaGivesAnErrorNotNamesFromBodyBytes) {
    EepromMacroStore good;
    ASSERT_EQ(good.Add(MacroNameFromText("A"), ButtonBody(3)), MacroStoreError::None);
    std::vector<TI2CMacroArea> bad;
    {
        TI2CMacroArea a = good.MacroArea; // second macro with a byte that is no event
        a[20] = 0x42;
        a[35] = 0xA1;
        a[36] = 0x99;
        bad.push_back(a);
    }
    {
        TI2CMacroArea a = good.MacroArea; // second macro that never ends
        a[20] = 0x42;
        for (std::size_t i = 35; i < a.size(); ++i)
            a[i] = 0xA1;
        bad.push_back(a);
    }
    // Two macros that fill offsets 0..255 and 256..499, then a third one's bytes.
    auto twoMacros = [] {
        TI2CMacroArea a{};
        a[1] = 0x41;
        for (std::size_t i = 16; i < 255; ++i)
            a[i] = 0xA1;
        a[257] = 0x42;
        return a;
    };
    {
        TI2CMacroArea a = twoMacros(); // a name in the last bytes with no room for a body
        for (std::size_t i = 272; i < 499; ++i)
            a[i] = 0xA1;
        a[501] = 0x43;
        for (std::size_t i = 502; i < 512; ++i)
            a[i] = 0x44;
        bad.push_back(a);
    }
    {
        TI2CMacroArea a = twoMacros(); // a delay whose operands would lie past the area
        for (std::size_t i = 272; i < 510; ++i)
            a[i] = 0xA1;
        a[510] = 0xFE;
        a[511] = 0x01;
        bad.push_back(a);
    }
    for (const TI2CMacroArea& area : bad) {
        EepromMacroStore strict = good;
        EXPECT_EQ(strict.ParseStrict(area), MacroStoreError::Malformed);
        EXPECT_EQ(strict.MacroArea, good.MacroArea);
    }
    // Read from a mouse, the macros in front of the damage are kept.
    EepromMacroStore read;
    EXPECT_EQ(read.ReadAndRefreshMacro4480(bad[0]), MacroStoreError::Malformed);
    EXPECT_EQ(read.RefreshMacroName4480(), (std::vector<std::string>{"A"}));
}

TEST(EepromMacroStore, FullAreaThatRepackingWouldOverflowIsRefused) {
    // 512 bytes in use with 0x02 at offset 255, not yet moved behind a boundary byte.
    TI2CMacroArea area{};
    area[1] = 0x41;
    for (std::size_t i = 16; i < 255; ++i)
        area[i] = 0xA1;
    area[255] = 0x02;
    area[256] = 0x04;
    area[257] = 0x00;
    area[258 + 1] = 0x42;
    for (std::size_t i = 274; i < 511; ++i)
        area[i] = 0xA1;
    area[511] = 0x00;
    EepromMacroStore strict;
    EXPECT_EQ(strict.ParseStrict(area), MacroStoreError::AreaOverflow);
    EXPECT_EQ(strict.Count(), 0);
    EepromMacroStore read;
    EXPECT_EQ(read.ReadAndRefreshMacro4480(area), MacroStoreError::AreaOverflow);
    EXPECT_EQ(read.MacroArea, area); // kept as read, never written past 512
}

TEST(EepromMacroStore, DeleteFirstOfThreeMovesTheOthersDown) {
    EepromMacroStore store;
    ASSERT_EQ(store.Add(MacroNameFromText("A"), ButtonBody(10)), MacroStoreError::None);
    ASSERT_EQ(store.Add(MacroNameFromText("B"), ButtonBody(20)), MacroStoreError::None);
    ASSERT_EQ(store.Add(MacroNameFromText("C"), ButtonBody(30)), MacroStoreError::None);
    EXPECT_EQ(store.DevMacroStarts[1], 512 + 26);
    EXPECT_EQ(store.DevMacroStarts[2], 512 + 26 + 36);

    std::vector<MacroAddressMove> moves;
    ASSERT_EQ(store.Delete(0, moves), MacroStoreError::None);
    EXPECT_EQ(store.RefreshMacroName4480(), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(store.DevMacroStarts[0], 512);
    EXPECT_EQ(store.DevMacroStarts[1], 512 + 36);
    EXPECT_EQ(store.DevMacroLengths[2], 0);
    EXPECT_EQ(store.MacroBytesUsed, 36 + 46);
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(moves[0].oldStart, 512);
    EXPECT_FALSE(moves[0].newStart);
    EXPECT_EQ(moves[1].oldStart, 538);
    EXPECT_EQ(moves[1].newStart, std::optional<std::uint16_t>(512));
    EXPECT_EQ(moves[2].oldStart, 574);
    EXPECT_EQ(moves[2].newStart, std::optional<std::uint16_t>(548));
    EXPECT_EQ(store.Delete(5, moves), MacroStoreError::NoSuchMacro);
}

TEST(FlashMacroStore, DefaultStoreIsFullAndDeleteShiftsSlots) {
    FlashMacroStore store = DefaultMacroStore();
    const auto rows = store.RefreshMacroName();
    ASSERT_EQ(rows.size(), 32u);
    EXPECT_EQ(rows[0], "Macro1");
    EXPECT_EQ(rows[31], "Macro32");
    EXPECT_EQ(store.Add(MacroNameFromText("new"), ButtonBody(2)), MacroStoreError::Full);

    store.FlashMacroBodies[6] = ButtonBody(7);
    std::vector<MacroAddressMove> moves;
    ASSERT_EQ(store.Delete(5, moves), MacroStoreError::None);
    const auto after = store.RefreshMacroName();
    ASSERT_EQ(after.size(), 31u);
    EXPECT_EQ(after[4], "Macro5");
    EXPECT_EQ(after[5], "Macro7");
    EXPECT_EQ(after[30], "Macro32");
    EXPECT_EQ(store.FlashMacroBodies[5], ButtonBody(7));
    EXPECT_EQ(store.FlashMacroNames[31], TMacroName{});
    EXPECT_EQ(store.FlashMacroBodies[31], MacroBody{});
    EXPECT_FALSE(store.IsUsed(31));
    ASSERT_EQ(moves.size(), 27u);
    EXPECT_EQ(moves[0].oldStart, 0x4500);
    EXPECT_FALSE(moves[0].newStart);
    EXPECT_EQ(moves[1].oldStart, 0x4600);
    EXPECT_EQ(moves[1].newStart, std::optional<std::uint16_t>(0x4500));

    EXPECT_EQ(store.Add(MacroNameFromText("new"), ButtonBody(2)), MacroStoreError::None);
    EXPECT_EQ(store.RefreshMacroName()[31], "new");
    EXPECT_EQ(store.FlashMacroAddrs[31], 0x5F00);
}

TEST(FlashMacroStore, GapsKeepRowsOnTheirSlotsAndNamesAreChecked) {
    FlashMacroStore store;
    store.FlashMacroNames[0] = MacroNameFromText("A");
    store.FlashMacroNames[2] = MacroNameFromText("C");
    store.FlashMacroNames[1].fill(0xFF); // erased flash
    EXPECT_EQ(store.RefreshMacroName(), (std::vector<std::string>{"A", "", "C"}));
    EXPECT_EQ(store.Add(MacroNameFromText("C"), ButtonBody(2)), MacroStoreError::Duplicate);
    TMacroName erased;
    erased.fill(0xFF);
    EXPECT_EQ(store.Add(erased, ButtonBody(2)), MacroStoreError::EmptyName);
    EXPECT_EQ(store.Add(MacroNameFromText("D"), ButtonBody(2)), MacroStoreError::None);
    EXPECT_EQ(store.RefreshMacroName().back(), "D");

    store.UIToMacroName(store.RefreshMacroName());
    EXPECT_EQ(store.FlashMacroNames[1], TMacroName{});
    EXPECT_EQ(store.FlashMacroNames[3], MacroNameFromText("D"));
}

TEST(FlashMacroStore, ListingLengthKeepsThePreviousOneWithoutAZeroRun) {
    TFlashMacroNames names{};
    TFlashMacroBodies bodies{};
    names[0] = MacroNameFromText("A");
    bodies[0] = ButtonBody(3); // A1 A1 00 and zeros
    FlashMacroStore store;
    store.Load(names, bodies);
    EXPECT_EQ(store.ListingLength(0), 3);
    store.FlashMacroBodies[0].fill(0xA1);
    EXPECT_EQ(store.ListingLength(0), 3);
    EXPECT_EQ(store.ListingLength(32), 0);
}

TEST(RefreshMacroAddr, RepointsByEntryTypeAndOldAddressEverywhere) {
    std::array<std::array<std::uint8_t, 49>, 3> profiles{};
    std::array<std::uint8_t, 164> vendor{};
    auto put = [](std::uint8_t* at, KeyEntryBytes e) { std::copy(e.begin(), e.end(), at); };
    put(profiles[0].data() + 0, {0x10, 0x02, 0x1A, 0x00});  // macro at 538 -> 512
    put(profiles[1].data() + 44, {0x10, 0x02, 0x00, 0x00}); // deleted macro at 512
    put(profiles[2].data() + 8, {0x10, 0x02, 0x3E, 0x00});  // macro at 574 -> 548
    put(profiles[2].data() + 12, {0x10, 0x07, 0x10, 0xFF}); // fire-macro key: not a device macro
    put(profiles[2].data() + 16, {0x02, 0x02, 0x1A, 0x00}); // another type with the same bytes
    put(vendor.data() + 127 + 4 * 8, {0x10, 0x02, 0x3E, 0x00}); // combination entry 9
    const std::vector<MacroAddressMove> moves{{512, std::nullopt}, {538, 512}, {574, 548}};
    const auto defaults = [](KeyEntryRef ref) {
        return KeyEntryBytes{0x01, 0x00, static_cast<std::uint8_t>(ref.index + 1), 0x00};
    };
    const RepointResult r = RefreshMacroAddr(moves, profiles, vendor, defaults);
    EXPECT_EQ((KeyEntryBytes{profiles[0][0], profiles[0][1], profiles[0][2], profiles[0][3]}),
              (KeyEntryBytes{0x10, 0x02, 0x00, 0x00}));
    EXPECT_EQ((KeyEntryBytes{profiles[1][44], profiles[1][45], profiles[1][46], profiles[1][47]}),
              (KeyEntryBytes{0x01, 0x00, 12, 0x00}));
    EXPECT_EQ(profiles[2][9], 0x02);
    EXPECT_EQ(profiles[2][10], 0x24);
    EXPECT_EQ(profiles[2][13], 0x07);
    EXPECT_EQ(profiles[2][18], 0x1A);
    EXPECT_EQ(vendor[127 + 32 + 2], 0x24);
    EXPECT_EQ(r.changed.size(), 4u);
    EXPECT_TRUE(r.profilesChanged);
    EXPECT_TRUE(r.combinationsChanged);
    EXPECT_TRUE(SectionChecksumValid(vendor));
    for (const auto& p : profiles)
        EXPECT_TRUE(SectionChecksumValid(p));
}

} // namespace
} // namespace trvx
