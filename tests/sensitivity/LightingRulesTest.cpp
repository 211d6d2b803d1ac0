#include "sensitivity/LightingRules.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

std::array<std::string, 21> Names() {
    std::array<std::string, 21> names;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = "m" + std::to_string(i);
    return names;
}

constexpr std::array<bool, 7> kAll{true, true, true, true, true, true, true};

TEST(LightingRules, ModeMaskKeepsOnlyTheTypesBoxesAtTheirBits) {
    EXPECT_EQ(ModeMaskOf(LedType::MCULED, kAll), 0xFE);
    EXPECT_EQ(ModeMaskOf(LedType::RGB, kAll), 0x3F);
    EXPECT_EQ(ModeMaskOf(LedType::Sync, kAll), 0x07);
    EXPECT_EQ(ModeMaskOf(LedType::NT, kAll), 0x37);
    EXPECT_EQ(ModeMaskOf(LedType::RGB, {}), 0x00);
    // The read takes every box from its bit, so a mask round-trips for the offered boxes.
    const auto checked = CheckedOfMask(LedType::MCULED, 0x0A);
    EXPECT_EQ(checked, (std::array<bool, 7>{true, false, true, false, false, false, false}));
    EXPECT_EQ(ModeMaskOf(LedType::MCULED, checked), 0x0A);
}

TEST(LightingRules, ModeItemsNameTheCheckedBoxesOnly) {
    std::array<bool, 7> checked = kAll;
    checked[1] = false;
    checked[4] = false;
    EXPECT_EQ(ModeItems(LedType::NT, checked, Names()),
              (std::vector<std::string>{"m9", "------", "m11", "------", "m13"}));
    EXPECT_EQ(ModeItems(LedType::Sync, kAll, Names()),
              (std::vector<std::string>{"m6", "m7", "m8"}));
    EXPECT_EQ(ModeItems(LedType::MCULED, kAll, Names()).size(), 7u);
    EXPECT_EQ(ModeItems(LedType::RGB, kAll, Names()).size(), 6u);
}

TEST(LightingRules, ModeItemsAndModeNumbersMapBothWays) {
    struct Case {
        LedType type;
        int item;
        std::optional<int> mode;
    };
    const Case cases[] = {
        {LedType::RGB, 0, 0},
        {LedType::RGB, 5, 5},
        {LedType::RGB, 6, std::nullopt},
        {LedType::Sync, 2, 2},
        {LedType::Sync, 3, std::nullopt},
        {LedType::NT, 3, 4},
        {LedType::NT, 4, 5},
        {LedType::NT, 5, std::nullopt},
        {LedType::MCULED, 0, 1},
        {LedType::MCULED, 6, 7},
        {LedType::MCULED, -1, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ModeOfItem(c.type, c.item), c.mode) << c.item;
        if (c.mode) {
            EXPECT_EQ(ItemOfMode(c.type, *c.mode), c.item);
        }
    }
    // Mode numbers a type has no item for leave the selection alone.
    EXPECT_EQ(ItemOfMode(LedType::NT, 3), std::nullopt);
    EXPECT_EQ(ItemOfMode(LedType::MCULED, 0), std::nullopt);
    EXPECT_EQ(ItemOfMode(LedType::Sync, 6), std::nullopt);
}

TEST(LightingRules, NewTypeStartsOnItsDefaultModeByte) {
    // The byte a type switch writes: the type's rule for its default item.
    EXPECT_EQ(WorkingModel::EncodeLedModeByte(
                  LedType::RGB, *ModeOfItem(LedType::RGB, DefaultModeItem(LedType::RGB))),
              0x05);
    EXPECT_EQ(WorkingModel::EncodeLedModeByte(
                  LedType::Sync, *ModeOfItem(LedType::Sync, DefaultModeItem(LedType::Sync))),
              0x42);
    EXPECT_EQ(WorkingModel::EncodeLedModeByte(
                  LedType::NT, *ModeOfItem(LedType::NT, DefaultModeItem(LedType::NT)), 7),
              0xF4);
    EXPECT_EQ(WorkingModel::EncodeLedModeByte(
                  LedType::MCULED, *ModeOfItem(LedType::MCULED, DefaultModeItem(LedType::MCULED))),
              0x85);
    for (int item = 0; item < 4; ++item)
        EXPECT_EQ(ItemOfLedType(LedTypeOfItem(item)), item);
}

TEST(LightingRules, FirstNamedItemSkipsSwitchedOffModes) {
    EXPECT_EQ(FirstNamedItem({"------", "------", "Blend"}), 2);
    EXPECT_EQ(FirstNamedItem({"------", "------"}), std::nullopt);
    EXPECT_EQ(FirstNamedItem({}), std::nullopt);
}

TEST(LightingRules, ProfileColourCodesAndEntries) {
    EXPECT_EQ(ProfileColourCode(0), 0x00);
    EXPECT_EQ(ProfileColourCode(9), 0x90);
    EXPECT_EQ(ProfileColourCode(10), 0xF0);
    EXPECT_EQ(ProfileColourCode(-1), std::nullopt);
    EXPECT_EQ(ProfileColourCode(11), std::nullopt);
    // Profile 2, colour 4, return-to-zero and change-colour on, offset 0x18.
    EXPECT_EQ(ProfileColourEntry(2, 0x30, {true, false, true}, 0x18),
              (std::array<std::uint8_t, 4>{0x07, 0xD1, 0x30, 0x18}));
    // The offset's high part lands in the colour byte's low nibble.
    EXPECT_EQ(ProfileColourEntry(3, 0xF0, {false, true, false}, 0x2AB),
              (std::array<std::uint8_t, 4>{0x07, 0xA2, 0xF2, 0xAB}));
}

TEST(LightingRules, ProfileCombosWriteEffectModeAndProfileRegisters) {
    using W = std::vector<std::pair<int, std::uint8_t>>;
    ProfileComboState office;
    office.colourItem = 10;
    office.buttonEffect = true;
    office.buttonEffectItem = 1;
    EXPECT_EQ(ProfileComboWrites(office), (W{{167, 1}, {168, 0}, {169, 0}, {170, 0}, {164, 0xF0}}));
    ProfileComboState game = office;
    game.profileItem = 1;
    game.colourItem = 3;
    game.gunDisplay = true;
    game.offset = 0x18;
    EXPECT_EQ(ProfileComboWrites(game),
              (W{{167, 5}, {168, 15}, {169, 0}, {170, 0x18}, {164, 0x31}}));
    // Without the button effect the game mode sends 0; with no colour 164 is left alone.
    game.buttonEffect = false;
    game.colourItem = -1;
    EXPECT_EQ(ProfileComboWrites(game), (W{{167, 0}, {168, 15}, {169, 0}, {170, 0x18}}));
}

} // namespace
} // namespace trvx
