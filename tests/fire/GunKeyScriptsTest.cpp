#include "fire/GunKeyScripts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace trvx {
namespace {

TEST(GunKeyScripts, EntriesFromTheForm) {
    GunScriptForm f;
    f.type = 0;
    f.keepLeft = true;
    f.startIndex = 2;
    f.numberIndex = 3;
    EXPECT_EQ(BuildGunScript(f).ToText(), "0B120400");
    f.type = 1;
    f.colourIndex = 10;
    EXPECT_EQ(BuildGunScript(f).ToText(), "0B8F0000");
    f.colourIndex = 0;
    EXPECT_EQ(BuildGunScript(f).ToText(), "0B800000");
    const GunScriptForm back = GunScriptToForm(TKeyEntry(0x0B, 0x12, 0x04, 0), {});
    EXPECT_EQ(back.type, 0);
    EXPECT_TRUE(back.keepLeft);
    EXPECT_EQ(back.startIndex, 2);
    EXPECT_EQ(back.numberIndex, 3);
    EXPECT_EQ(GunScriptToForm(TKeyEntry(0x0B, 0x8F, 0, 0), {}).colourIndex, 10);
}

TEST(GunKeyScripts, RowsMapToTheirSlotsInAFileWithAHole) {
    std::vector<std::uint8_t> bytes(40, 0);
    bytes[0] = 0x0B, bytes[1] = 0x10, bytes[2] = 1;  // slot 1
    bytes[8] = 0x0B, bytes[9] = 0x11, bytes[10] = 2; // slot 3; slot 2 is empty
    GunScripts s = GunScripts::FromFileBytes(bytes);
    EXPECT_EQ(s.RowNames(), (std::vector<std::string>{"Fire Macro1", "Fire Macro3"}));
    EXPECT_EQ(s.SlotOfRow(1), 2);
    EXPECT_EQ(s.SlotOfRow(2), std::nullopt);
    // The next script fills the hole instead of overwriting slot 3.
    ASSERT_TRUE(s.Add(TKeyEntry(0x0B, 0x80, 0, 0)));
    EXPECT_EQ(s.Slot(1).ToText(), "0B800000");
    EXPECT_EQ(s.Slot(2).ToText(), "0B110200");
    // Deleting the first row moves the later slots down.
    ASSERT_TRUE(s.RemoveRow(0));
    EXPECT_EQ(s.RowNames(), (std::vector<std::string>{"Fire Macro1", "Fire Macro2"}));
    EXPECT_EQ(s.Slot(0).ToText(), "0B800000");
    EXPECT_EQ(s.Slot(9), TKeyEntry{});
    EXPECT_FALSE(s.RemoveRow(5));
}

TEST(GunKeyScripts, ShortFileLeavesLaterSlotsZeroAndTenIsTheLimit) {
    const std::vector<std::uint8_t> bytes{0x0B, 0x10, 0x01, 0x00, 0x0B, 0x10};
    GunScripts s = GunScripts::FromFileBytes(bytes);
    EXPECT_EQ(s.Slot(1).ToText(), "0B100000");
    for (int i = 2; i < 10; ++i)
        EXPECT_EQ(s.Slot(i), TKeyEntry{});
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(s.Add(TKeyEntry(0x0B, 0x10, 1, 0)));
    EXPECT_FALSE(s.Add(TKeyEntry(0x0B, 0x10, 1, 0)));
}

class GunKeyFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("gunkey-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(GunKeyFileTest, MissingFileThenFirstAdditionWritesFortyBytes) {
    const auto file = dir_ / kGunKeyFileName;
    EXPECT_FALSE(ReadGunKeyFile(file).has_value());
    GunScripts s;
    s.Add(TKeyEntry(0x0B, 0x12, 0x04, 0));
    ASSERT_TRUE(SaveGunKeyFile(file, s.FileBytes()));
    EXPECT_EQ(std::filesystem::file_size(file), 40u);
    const auto back = ReadGunKeyFile(file);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Slots(), s.Slots());
    EXPECT_FALSE(std::filesystem::exists(dir_ / "Fire Macro.bin.tmp"));
}

TEST_F(GunKeyFileTest, FailedWriteIsReportedAndLeavesNoTemporaryFile) {
    // The temporary file cannot be created: its folder is a plain file.
    std::ofstream(dir_ / "blocker") << "x";
    EXPECT_FALSE(
        SaveGunKeyFile(dir_ / "blocker" / kGunKeyFileName, std::vector<std::uint8_t>(40, 0x22)));
    // The rename cannot replace the target (a non-empty folder stands there): the old content
    // stays and the temporary file is gone.
    const auto target = dir_ / "taken";
    std::filesystem::create_directories(target / "inside");
    EXPECT_FALSE(SaveGunKeyFile(target, std::vector<std::uint8_t>(40, 0x22)));
    EXPECT_TRUE(std::filesystem::is_directory(target / "inside"));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "taken.tmp"));
}

} // namespace
} // namespace trvx
