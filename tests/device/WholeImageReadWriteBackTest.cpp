// The profile write-back: the frames it sends on both storage types, the ID-block variant, and
// the accepted-mouse gate in front of it.
#include "DevicePollerRig.h"
#include "device/ProfileWriteBack.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace trvx::test {
namespace {

std::string Command(std::initializer_list<int> bytes) {
    std::vector<std::uint8_t> report{0x40};
    for (int b : bytes)
        report.push_back(static_cast<std::uint8_t>(b));
    report.resize(8, 0);
    return FormatHexBytes(report);
}

// The data reports of a block write: seven bytes each; a short last chunk keeps the tail of the
// chunk before it.
std::vector<std::string> DataReports(std::span<const std::uint8_t> data) {
    std::vector<std::string> out;
    std::array<std::uint8_t, 8> report{0x41};
    for (std::size_t at = 0; at < data.size(); at += 7) {
        const std::size_t n = std::min<std::size_t>(7, data.size() - at);
        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(at), n, report.begin() + 1);
        out.push_back(FormatHexBytes(report));
    }
    return out;
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

struct WriteBackTest : ::testing::TestWithParam<StorageKind> {
    void SetUp() override {
        rig.poller->Tick();
        ASSERT_TRUE(rig.mouse.IsAccepted());
        rig.sim->ClearFrames();
        // A changed key in profile 2 whose check byte is not yet renewed, and a new fire key.
        rig.model.EditSections().ProfileSection[1][0] = 0x77;
        rig.model.EditSections().IDBlock[3] = 0x42;
    }
    StorageKind kind() const { return GetParam(); }

    // The frames every write-back ends with: the user section read back, then the reload.
    std::vector<std::string> Tail() {
        const std::uint8_t current = rig.SimBytes(kind() == StorageKind::I2C ? 164 : 0x2000, 1)[0];
        return {Command({6, 0, 164, 0, 28}), Command({5, 0, 164, 15, 0, 0, 1}),
                Command({5, 0, 164, current, 0, 0, 1})};
    }

    std::vector<std::string> ProfileFrames() {
        TProfileWriteBuffer profiles{};
        for (std::size_t p = 0; p < kProfileCount; ++p)
            std::copy(rig.model.Sections().ProfileSection[p].begin(),
                      rig.model.Sections().ProfileSection[p].end(), profiles.begin() + 49 * p);
        std::vector<std::string> frames;
        if (kind() == StorageKind::I2C) {
            frames.push_back(Command({7, 0x00, 0xC0, 0x00, 147}));
            Append(frames, DataReports(profiles));
        } else {
            const auto block =
                BuildFlashSettingsBlock(rig.model.Sections().FlashSettingsHead, profiles,
                                        rig.model.Sections().ProfileTailBlock);
            frames.push_back(Command({7, 0x10, 0x00, 0x01, 0x00}));
            Append(frames, DataReports(block));
        }
        return frames;
    }

    PollerRig rig{GetParam()};
};

TEST_P(WriteBackTest, WriteProfilesSendsTheBlockReadsTheUserSectionAndReloads) {
    ASSERT_TRUE(WriteProfiles(rig.mouse, rig.model));
    // The check byte was renewed in the working copy before the write.
    EXPECT_TRUE(SectionChecksumValid(rig.model.Sections().ProfileSection[1]));

    std::vector<std::string> expected = ProfileFrames();
    Append(expected, Tail());
    EXPECT_EQ(SentFrames(rig.sim->Frames()), expected);

    const auto& range = kind() == StorageKind::I2C ? eeprom::kProfiles[1] : flash::kProfiles[1];
    const auto written = rig.SimBytes(range.offset, kProfileSectionSize);
    EXPECT_TRUE(
        std::equal(written.begin(), written.end(), rig.model.Sections().ProfileSection[1].begin()));
    EXPECT_EQ(rig.sim->ProfileReloads(),
              std::vector<std::uint8_t>{rig.model.Sections().UserSection[0]});
}

TEST_P(WriteBackTest, WriteProfilesAndIdBlockWritesTheIdBlockAfterTheProfiles) {
    ASSERT_TRUE(WriteProfilesAndIDBlock(rig.mouse, rig.model));
    std::vector<std::string> expected = ProfileFrames();
    if (kind() == StorageKind::I2C)
        expected.push_back(Command({7, 0x01, 0xE4, 0x00, 12}));
    else
        expected.push_back(Command({7, 0x60, 0x00, 0x00, 12}));
    Append(expected, DataReports(rig.model.Sections().IDBlock));
    Append(expected, Tail());
    EXPECT_EQ(SentFrames(rig.sim->Frames()), expected);
    EXPECT_EQ(rig.SimBytes(kind() == StorageKind::I2C ? 484 + 3 : 0x6000 + 3, 1)[0], 0x42);
}

TEST_P(WriteBackTest, NothingIsSentToAMouseThatIsNotAccepted) {
    rig.mouse.Revoke();
    const WorkingSections before = rig.model.Sections();
    EXPECT_FALSE(WriteProfiles(rig.mouse, rig.model));
    EXPECT_FALSE(WriteProfilesAndIDBlock(rig.mouse, rig.model));
    EXPECT_TRUE(rig.sim->Frames().empty());
    EXPECT_EQ(rig.model.Sections().ProfileSection, before.ProfileSection);
}

TEST_P(WriteBackTest, UserSectionReadThatLostRepliesKeepsTheWorkingUserSection) {
    const TUserSection before = rig.model.Sections().UserSection;
    rig.sim->FailReply(2);
    EXPECT_FALSE(RefreshProfileParameter(rig.mouse, rig.model));
    EXPECT_EQ(rig.model.Sections().UserSection, before);

    rig.model.EditSections().UserSection.fill(0);
    EXPECT_TRUE(RefreshProfileParameter(rig.mouse, rig.model));
    const auto mouseUser = rig.SimBytes(kind() == StorageKind::I2C ? 164 : 0x2000, 28);
    EXPECT_TRUE(
        std::equal(mouseUser.begin(), mouseUser.end(), rig.model.Sections().UserSection.begin()));
}

INSTANTIATE_TEST_SUITE_P(BothStorageTypes, WriteBackTest,
                         ::testing::Values(StorageKind::I2C, StorageKind::Flash),
                         [](const auto& p) { return std::string(StorageKindName(p.param)); });

} // namespace
} // namespace trvx::test
