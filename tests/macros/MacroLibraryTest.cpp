#include "macros/MacroLibrary.h"

#include "MacroTestSupport.h"
#include "base/Resources.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

using test::ButtonBody;
using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

std::vector<std::uint8_t> SeedBytes() {
    std::vector<std::uint8_t> seed(27200, 0);
    seed[26913] = 0xFF;
    return seed;
}

// A library with the named records 0..n-1, written to its file.
PCMacroLibrary LibraryWith(const TempFolder& folder, std::vector<std::string> names) {
    PCMacroLibrary lib;
    EXPECT_TRUE(lib.CheckPCMacro(folder / "TRVX4410B-Macro.bin").ok());
    for (std::size_t i = 0; i < names.size(); ++i) {
        lib.PCMacroNames[i] = MacroNameFromText(names[i]);
        lib.PCMacroBodies[i] = ButtonBody(2 + i);
    }
    EXPECT_TRUE(lib.RefreshPCMacro().ok());
    return lib;
}

TEST(PCMacroLibrary, SeedResourceIsGeneratedAsShipped) {
    const auto seed = resource("PCMacroData");
    EXPECT_EQ(std::vector<std::uint8_t>(seed.begin(), seed.end()), SeedBytes());
}

TEST(PCMacroLibrary, FirstStartCreatesTheSeedFile) {
    TempFolder folder;
    PCMacroLibrary lib;
    const auto file = PCMacroLibraryPath(folder.path().string(), "/nowhere");
    ASSERT_TRUE(lib.CheckPCMacro(file).ok());
    EXPECT_EQ(ReadAll(file), SeedBytes());
    EXPECT_TRUE(lib.RefreshPCMacroName().empty());
    EXPECT_EQ(folder.files(), std::vector<std::string>{"TRVX4410B-Macro.bin"});
}

TEST(PCMacroLibrary, PathGetsItsSeparator) {
    EXPECT_EQ(PCMacroLibraryPath("/data/macros", "/prog"), "/data/macros/TRVX4410B-Macro.bin");
    EXPECT_EQ(PCMacroLibraryPath("/data/macros/", "/prog"), "/data/macros/TRVX4410B-Macro.bin");
    EXPECT_EQ(PCMacroLibraryPath("", "/prog/"), "/prog/TRVX4410B-Macro.bin");
    EXPECT_EQ(PCMacroLibraryPath("", "/prog"), "/prog/TRVX4410B-Macro.bin");
}

TEST(PCMacroLibrary, LoadsWholeRecordFilesAndClosesGaps) {
    TempFolder folder;
    const auto file = folder / "TRVX4410B-Macro.bin";
    std::vector<std::uint8_t> bytes(272 * 3, 0);
    bytes[1] = 'A';
    bytes[16] = 0xA1;
    bytes[272 * 2 + 1] = 'C'; // record 1 is empty: C moves up to row 1
    bytes[272 * 2 + 16] = 0xA2;
    WriteAll(file, bytes);
    PCMacroLibrary lib;
    ASSERT_TRUE(lib.CheckPCMacro(file).ok());
    EXPECT_EQ(lib.RefreshPCMacroName(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(lib.PCMacroBodies[1][0], 0xA2);
    EXPECT_EQ(ReadAll(file), bytes); // loading does not rewrite
}

TEST(PCMacroLibrary, DamagedFileIsKeptAsideAndANewOneCreated) {
    for (std::size_t size : {0u, 100u, 273u, 27201u, 40000u}) {
        TempFolder folder;
        const auto file = folder / "TRVX4410B-Macro.bin";
        const std::vector<std::uint8_t> bad(size, 0x41);
        WriteAll(file, bad);
        PCMacroLibrary lib;
        const LibraryResult r = lib.CheckPCMacro(file);
        EXPECT_EQ(r.status, LibraryStatus::BadFile) << size;
        EXPECT_NE(r.message.find("TRVX4410B-Macro.bin.bad"), std::string::npos);
        EXPECT_EQ(ReadAll(folder / "TRVX4410B-Macro.bin.bad"), bad);
        EXPECT_EQ(ReadAll(file), SeedBytes());
        EXPECT_EQ(lib.Count(), 0);
    }
}

TEST(PCMacroLibrary, NewAndRename) {
    TempFolder folder;
    PCMacroLibrary lib = LibraryWith(folder, {"ABCDEFGH", "two"});
    int row = 0;
    ASSERT_TRUE(lib.Btn_NewNameClick(row));
    ASSERT_TRUE(lib.ApplyPCMacroName("XY", row).ok());
    EXPECT_EQ(lib.PCMacroNames[0], MacroNameFromText("XY")); // no trace of the old name
    EXPECT_EQ(lib.CurrentPCMacro, 0);

    ASSERT_TRUE(lib.Btn_NewNameClick(row));
    EXPECT_EQ(lib.ApplyPCMacroName("XY", row).status, LibraryStatus::Duplicate); // its own name
    EXPECT_FALSE(lib.RenameMacroPending);

    ASSERT_TRUE(lib.Btn_NewMacroClick());
    EXPECT_EQ(lib.ApplyPCMacroName("", row).status, LibraryStatus::Unchanged);
    EXPECT_TRUE(lib.NewMacroPending); // an empty name leaves the action pending
    EXPECT_EQ(lib.ApplyPCMacroName("two", row).status, LibraryStatus::Duplicate);
    ASSERT_TRUE(lib.Btn_NewMacroClick());
    ASSERT_TRUE(lib.ApplyPCMacroName("three", row).ok());
    EXPECT_EQ(row, 2);
    EXPECT_EQ(lib.CurrentPCMacro, 2);
    EXPECT_EQ(lib.RefreshPCMacroName(), (std::vector<std::string>{"XY", "two", "three"}));

    // A name longer than eight units is compared as it will be stored.
    ASSERT_TRUE(lib.Btn_NewMacroClick());
    ASSERT_TRUE(lib.ApplyPCMacroName("ABCDEFGH", row).ok());
    ASSERT_TRUE(lib.Btn_NewMacroClick());
    EXPECT_EQ(lib.ApplyPCMacroName("ABCDEFGHIJ", row).status, LibraryStatus::Duplicate);

    // The file holds what memory holds.
    PCMacroLibrary reread;
    ASSERT_TRUE(reread.CheckPCMacro(lib.Path).ok());
    EXPECT_EQ(reread.PCMacroNames, lib.PCMacroNames);
    EXPECT_EQ(reread.PCMacroBodies, lib.PCMacroBodies);
    EXPECT_EQ(folder.files(), std::vector<std::string>{"TRVX4410B-Macro.bin"}); // no temp left
}

TEST(PCMacroLibrary, RenameWithoutSelectionAtConfirmTouchesNothing) {
    TempFolder folder;
    PCMacroLibrary lib = LibraryWith(folder, {"one"});
    int row = 0;
    ASSERT_TRUE(lib.Btn_NewNameClick(row));
    row = -1;
    EXPECT_EQ(lib.ApplyPCMacroName("new", row).status, LibraryStatus::Unchanged);
    EXPECT_EQ(lib.RefreshPCMacroName(), std::vector<std::string>{"one"});
    EXPECT_FALSE(lib.Btn_NewNameClick(-1));
    EXPECT_FALSE(lib.Btn_NewNameClick(1));
}

TEST(PCMacroLibrary, HundredMacrosDisableNewUntilOneIsDeleted) {
    TempFolder folder;
    std::vector<std::string> names;
    for (int i = 0; i < 99; ++i)
        names.push_back("m" + std::to_string(i));
    PCMacroLibrary lib = LibraryWith(folder, names);
    int row = 0;
    ASSERT_TRUE(lib.Btn_NewMacroClick());
    ASSERT_TRUE(lib.ApplyPCMacroName("last", row).ok());
    EXPECT_EQ(row, 99);
    EXPECT_TRUE(lib.IsFull());
    EXPECT_FALSE(lib.Btn_NewMacroClick());
    ASSERT_TRUE(lib.Btn_DelPCMacroClick(50, row).ok());
    EXPECT_FALSE(lib.IsFull());
    EXPECT_TRUE(lib.Btn_NewMacroClick());
}

TEST(PCMacroLibrary, DeleteFirstOfThree) {
    TempFolder folder;
    PCMacroLibrary lib = LibraryWith(folder, {"a", "b", "c"});
    lib.PCMacroBodies[99] = ButtonBody(9);
    int row = -1;
    ASSERT_TRUE(lib.Btn_DelPCMacroClick(0, row).ok());
    EXPECT_EQ(row, 0);
    EXPECT_EQ(lib.RefreshPCMacroName(), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(lib.PCMacroBodies[0], ButtonBody(3));
    EXPECT_EQ(lib.PCMacroBodies[1], ButtonBody(4));
    EXPECT_EQ(lib.PCMacroBodies[99], MacroBody{});
    const auto file = ReadAll(lib.Path);
    ASSERT_EQ(file.size(), 27200u);
    EXPECT_EQ(file[1], 'b');
    EXPECT_EQ(file[272 + 1], 'c');
    EXPECT_EQ(file[272 * 2 + 1], 0);

    ASSERT_TRUE(lib.Btn_DelPCMacroClick(1, row).ok());
    EXPECT_EQ(row, 0);
    ASSERT_TRUE(lib.Btn_DelPCMacroClick(0, row).ok());
    EXPECT_EQ(row, -1);
    EXPECT_EQ(lib.Btn_DelPCMacroClick(0, row).status, LibraryStatus::Unchanged);
}

TEST(PCMacroLibrary, UnwritableFileReportsAndKeepsTheChange) {
    TempFolder folder;
    PCMacroLibrary lib = LibraryWith(folder, {"a"});
    lib.Path = folder / "missing" / "TRVX4410B-Macro.bin";
    int row = 0;
    ASSERT_TRUE(lib.Btn_NewMacroClick());
    const LibraryResult r = lib.ApplyPCMacroName("b", row);
    EXPECT_EQ(r.status, LibraryStatus::FileError);
    EXPECT_FALSE(r.message.empty());
    EXPECT_EQ(lib.RefreshPCMacroName(), (std::vector<std::string>{"a", "b"}));
}

} // namespace
} // namespace trvx
