#include "macros/MacroFileIo.h"

#include "MacroTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace trvx {
namespace {

using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

TEST(MacroFileIo, WritesANewFileInPlaceOfTheOldOne) {
    TempFolder folder;
    const auto file = folder / "library.bin";
    const auto link = folder / "reader.bin";
    WriteAll(file, {1, 2, 3});
    // A second name for the old file: it keeps the old bytes only when the library is replaced
    // by a new file, never when the old one is overwritten where it stands.
    std::filesystem::create_hard_link(file, link);

    const std::vector<std::uint8_t> bytes{9, 8, 7, 6};
    EXPECT_EQ(WriteFileReplacing(file, bytes), std::nullopt);
    EXPECT_EQ(ReadAll(file), bytes);
    EXPECT_EQ(ReadAll(link), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(folder.files(), (std::vector<std::string>{"library.bin", "reader.bin"}));
}

TEST(MacroFileIo, AFailedReplaceLeavesNothingBehind) {
    TempFolder folder;
    // A folder in the file's place cannot be replaced by a file.
    const auto blocked = folder / "export.bin";
    std::filesystem::create_directory(blocked);
    const auto error = WriteFileReplacing(blocked, std::vector<std::uint8_t>{1, 2});
    ASSERT_TRUE(error.has_value());
    EXPECT_NE(error->find("export.bin"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    EXPECT_EQ(folder.files(), std::vector<std::string>{"export.bin"});

    const auto missing = folder / "no-such-folder" / "export.bin";
    EXPECT_TRUE(WriteFileReplacing(missing, std::vector<std::uint8_t>{1}).has_value());
}

TEST(MacroFileIo, ReadsAreBoundedAndTellAnOversizedFile) {
    TempFolder folder;
    const auto file = folder / "import.bin";
    WriteAll(file, std::vector<std::uint8_t>(300, 0xAB));
    std::string error;
    const auto whole = ReadMacroFile(file, 300, error);
    ASSERT_TRUE(whole.has_value());
    EXPECT_FALSE(whole->tooLarge);
    EXPECT_EQ(whole->bytes.size(), 300u);

    const auto cut = ReadMacroFile(file, 272, error);
    ASSERT_TRUE(cut.has_value());
    EXPECT_TRUE(cut->tooLarge);
    EXPECT_EQ(cut->bytes.size(), 272u);

    EXPECT_FALSE(ReadMacroFile(folder / "absent.bin", 10, error).has_value());
    EXPECT_NE(error.find("absent.bin"), std::string::npos);
}

} // namespace
} // namespace trvx
