// The whole-image read: both storage types, check-and-repair into the working copy only, and a
// read that lost replies changing nothing.
#include "DevicePollerRig.h"
#include "device/ConfigImageChecks.h"

#include <gtest/gtest.h>

namespace trvx::test {
namespace {

struct RepairCase {
    const char* name;
    StorageKind kind;
    std::size_t offset; // a byte of the section to spoil on the mouse
    int section;        // 0 vendor, 1 user, 2..4 profiles 1..3
};

class RepairTest : public ::testing::TestWithParam<RepairCase> {};

TEST_P(RepairTest, SpoiledSectionIsRepairedInTheWorkingCopyOnly) {
    const RepairCase& c = GetParam();
    PollerRig rig(c.kind);
    const std::uint8_t spoiled = static_cast<std::uint8_t>(rig.SimBytes(c.offset, 1)[0] ^ 0x5A);
    ASSERT_TRUE(rig.sim->Poke(c.offset, std::span(&spoiled, 1)));
    const auto mouseImage = rig.sim->Image();
    rig.poller->Tick();
    ASSERT_EQ(rig.view.Count("fill pages"), 1);

    const RepairedSections& r = rig.reader.LastRepairs();
    EXPECT_EQ(r.vendor, c.section == 0);
    EXPECT_EQ(r.user, c.section == 1);
    for (int p = 0; p < 3; ++p)
        EXPECT_EQ(r.profiles[p], c.section == 2 + p);

    // The repaired section is the default built over what was read, with a good check byte.
    const SectionDefaultsContext ctx = rig.view.SectionDefaults(c.kind);
    const auto readAt = [&](ImageRange range, auto& section) {
        std::copy_n(mouseImage.begin() + range.offset, section.size(), section.begin());
    };
    const bool i2c = c.kind == StorageKind::I2C;
    if (c.section == 0) {
        TVendorSection section{};
        readAt(i2c ? eeprom::kVendor : flash::kVendor, section);
        DefaultVendorSection(section, ctx);
        SetVendorChecksum(section);
        EXPECT_EQ(rig.model.Sections().VendorSection, section);
    } else if (c.section == 1) {
        TUserSection section{};
        readAt(i2c ? eeprom::kUser : flash::kUser, section);
        DefaultUserSection(section, ctx);
        SetUserChecksum(section);
        EXPECT_EQ(rig.model.Sections().UserSection, section);
    } else {
        const int p = c.section - 2;
        TProfileSection section{};
        readAt(i2c ? eeprom::kProfiles[p] : flash::kProfiles[p], section);
        using Builder = void (*)(TProfileSection&, const SectionDefaultsContext&);
        const Builder builders[]{DefaultProfile1Section, DefaultProfile2Section,
                                 DefaultProfile3Section};
        builders[p](section, ctx);
        SetProfileChecksum(section);
        EXPECT_EQ(rig.model.Sections().ProfileSection[p], section);
    }

    // The working image holds what was read, and nothing went back to the mouse.
    const auto& image =
        c.kind == StorageKind::I2C ? rig.model.EepromImage() : rig.model.FlashImage();
    EXPECT_EQ(image, mouseImage);
    EXPECT_EQ(rig.sim->Image(), mouseImage);
    for (const std::string& frame : SentFrames(rig.sim->Frames())) {
        EXPECT_NE(frame.rfind("40 05", 0), 0u) << frame;
        EXPECT_NE(frame.rfind("40 07", 0), 0u) << frame;
    }
}

INSTANTIATE_TEST_SUITE_P(Sections, RepairTest,
                         ::testing::Values(RepairCase{"I2CVendor", StorageKind::I2C, 10, 0},
                                           RepairCase{"I2CUser", StorageKind::I2C, 166, 1},
                                           RepairCase{"I2CProfile2", StorageKind::I2C, 241 + 5, 3},
                                           RepairCase{"FlashVendor", StorageKind::Flash, 163, 0},
                                           RepairCase{"FlashUser", StorageKind::Flash, 0x2003, 1},
                                           RepairCase{"FlashProfile3", StorageKind::Flash,
                                                      0x107A + 1, 4}),
                         [](const auto& p) { return std::string(p.param.name); });

class LostRepliesTest : public ::testing::TestWithParam<StorageKind> {};

TEST_P(LostRepliesTest, ReadThatLostRepliesFillsNothingAndPollingGoesOn) {
    const StorageKind kind = GetParam();
    PollerRig rig(kind);
    const SectionDefaultsContext ctx{kind, "RGB", 1, 0x1209, 0x0001};
    for (const StorageKind k : {StorageKind::I2C, StorageKind::Flash})
        ASSERT_TRUE(rig.model.LoadImage(k, std::vector<std::uint8_t>(ImageSizeFor(k), 0x33), ctx));
    const WorkingModel before = rig.model;

    // Replies: the open's probe, the information, two of the ID block, then the image's; a
    // flash read loses one in page 5.
    rig.sim->FailReply(kind == StorageKind::I2C ? 100 : 4 + 5 * 293 + 10);
    rig.poller->Tick();

    EXPECT_EQ(rig.view.events, (std::vector<std::string>{"ids 255 255", "begin read", "read failed",
                                                         "end read, not filled"}));
    EXPECT_EQ(rig.model.EepromImage(), before.EepromImage());
    EXPECT_EQ(rig.model.FlashImage(), before.FlashImage());
    EXPECT_EQ(rig.model.Sections().VendorSection, before.Sections().VendorSection);
    EXPECT_EQ(rig.model.Sections().UserSection, before.Sections().UserSection);
    EXPECT_EQ(rig.model.Sections().ProfileSection, before.Sections().ProfileSection);
    EXPECT_EQ(rig.model.KeyCodeTexts(), before.KeyCodeTexts());
    EXPECT_TRUE(rig.view.timerOn);
    EXPECT_FALSE(rig.mouse.IsAccepted());
    EXPECT_FALSE(rig.mouse.WriteRegister(166, 1, 0, 0, 1));

    if (kind == StorageKind::Flash) {
        // The read stops at the page that failed.
        const auto sent = SentFrames(rig.sim->Frames());
        EXPECT_EQ(std::count_if(sent.begin(), sent.end(),
                                [](const auto& f) { return f.rfind("40 09", 0) == 0; }),
                  1 + 6);
    }

    // Polling goes on: the next arrival beside the unread mouse reads it again.
    rig.view.Take();
    rig.sim->PlugOther();
    rig.Tick();
    EXPECT_TRUE(rig.mouse.IsAccepted());
    EXPECT_EQ(rig.view.Count("fill pages"), 1);
    EXPECT_EQ(kind == StorageKind::I2C ? rig.model.EepromImage() : rig.model.FlashImage(),
              rig.sim->Image());
}

INSTANTIATE_TEST_SUITE_P(BothStorageTypes, LostRepliesTest,
                         ::testing::Values(StorageKind::I2C, StorageKind::Flash),
                         [](const auto& p) { return std::string(StorageKindName(p.param)); });

TEST(WholeImageReadTest, WithoutAnAcceptedMouseReadsNothingAndFillsFromTheWorkingCopy) {
    PollerRig rig(StorageKind::I2C);
    int version = 0;
    ASSERT_TRUE(rig.link.OpenDevice(0x1209, 0x0001, version));
    rig.mouse.SetDeviceStorage(StorageKind::I2C); // known, but not accepted
    rig.sim->ClearFrames();
    ASSERT_TRUE(rig.model.SetProfileKey(1, 1, {0xAB, 0, 0, 0}));

    EXPECT_EQ(rig.reader.Read(), WholeImageReadResult::NoMouse);
    EXPECT_TRUE(rig.sim->Frames().empty());
    EXPECT_EQ(rig.view.events,
              (std::vector<std::string>{"begin read", "fill pages ", "end read, filled"}));
    EXPECT_EQ(rig.model.KeyCodeTexts()[0].substr(0, 2), "AB");
}

TEST(WholeImageReadTest, KeyCodeTextsHoldTheProfileKeysThenTheCombinationKeys) {
    WorkingSections s;
    for (std::size_t p = 0; p < kProfileCount; ++p)
        for (std::size_t i = 0; i < kProfileSectionSize; ++i)
            s.ProfileSection[p][i] = static_cast<std::uint8_t>(p * 49 + i);
    for (std::size_t i = 0; i < kVendorSectionSize; ++i)
        s.VendorSection[i] = static_cast<std::uint8_t>(i);

    const KeyCodeTextList texts = BuildKeyCodeTexts(s);
    const std::pair<int, const char*> expected[]{
        {1, "00010203"},  // profile 1 key 1
        {12, "2C2D2E2F"}, // profile 1 key 12
        {13, "31323334"}, // profile 2 key 1
        {36, "8E8F9091"}, // profile 3 key 12: 98 + 44
        {37, "7F808182"}, // combination key 1 at vendor byte 127
        {45, "9FA0A1A2"}, // combination key 9 at vendor byte 159
    };
    for (const auto& [element, text] : expected)
        EXPECT_EQ(texts[element - 1], text) << "element " << element;
}

TEST(WholeImageReadTest, StoredPatchChecksumByStorageType) {
    WorkingSections s;
    s.PatchBlock[6] = 0x12;
    s.PatchBlock[7] = 0xAB;
    s.FlashSettingsHead[14] = 0xC3;
    s.FlashSettingsHead[15] = 0x04;
    EXPECT_EQ(StoredPatchChecksumText(StorageKind::I2C, s), "12AB");
    EXPECT_EQ(StoredPatchChecksumText(StorageKind::Flash, s), "C304");
    EXPECT_EQ(StoredPatchChecksumText(StorageKind::None, s), "");
}

TEST(WholeImageReadTest, NoDeviceFillTakesDefaultImageOneOfTheProgramsType) {
    for (const StorageKind kind : {StorageKind::I2C, StorageKind::Flash}) {
        SCOPED_TRACE(std::string(StorageKindName(kind)));
        std::vector<std::uint8_t> image = SimulatedMouse::DefaultImage(kind);
        const std::size_t user = kind == StorageKind::I2C ? 164 : 0x2000;
        image[user + 2] ^= 0x01; // a spoiled user section is repaired as on a read
        WorkingModel model;
        int macroHooks = 0;
        MacroStoreHooks hooks{[&](const WorkingSections&) { ++macroHooks; },
                              [&](const WorkingSections&) { ++macroHooks; }};
        const SectionDefaultsContext ctx{kind, "RGB", 1, 0x1209, 0x0001};
        ASSERT_TRUE(FillFromDefaultImage(kind, image, model, ctx, hooks));

        EXPECT_EQ(model.Image(kind), image);
        EXPECT_TRUE(SectionChecksumValid(model.Sections().UserSection));
        EXPECT_EQ(model.Sections().VendorSection[4], image[4]);
        EXPECT_EQ(macroHooks, 1);

        // An image of the other size changes nothing.
        const WorkingModel before = model;
        const std::vector<std::uint8_t> wrong(kind == StorageKind::I2C ? kFlashImageSize
                                                                       : kEepromImageSize);
        EXPECT_FALSE(FillFromDefaultImage(kind, wrong, model, ctx));
        EXPECT_EQ(model.Sections().VendorSection, before.Sections().VendorSection);
        EXPECT_EQ(model.EepromImage(), before.EepromImage());
    }
}

} // namespace
} // namespace trvx::test
