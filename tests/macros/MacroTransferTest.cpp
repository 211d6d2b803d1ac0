#include "macros/MacroTransfer.h"

#include "MacroTestSupport.h"
#include "device/AcceptedMouse.h"
#include "device/DeviceLink.h"
#include "sim/SimulatedMouse.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

using test::BodyBuilder;
using test::ButtonBody;
using test::ReadAll;
using test::TempFolder;
using test::WriteAll;

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

// A simulated mouse of the kind with a device link open on it.
struct MouseBench {
    VirtualClock clock;
    std::unique_ptr<SimulatedMouse> mouse;
    std::unique_ptr<DeviceLink> device;
    std::unique_ptr<AcceptedMouse> link; // writes go through the accepted-mouse gate
    StorageKind kind;

    explicit MouseBench(StorageKind k) : kind(k) {
        std::vector<std::uint8_t> image(k == StorageKind::Flash ? 65536 : 2048);
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<std::uint8_t>(i * 7 + 3);
        mouse = SimulatedMouse::Create(k, clock, image);
        device = std::make_unique<DeviceLink>(*mouse, clock);
        int version = 0;
        EXPECT_TRUE(device->OpenDevice(0x1209, 0x0001, version));
        link = std::make_unique<AcceptedMouse>(*device);
        link->SetDeviceStorage(k);
        EXPECT_TRUE(link->Accept());
        mouse->ClearFrames();
    }
    // The command reports sent, as text, and how many data reports followed each.
    std::vector<std::string> commands() {
        std::vector<std::string> out;
        int data = 0;
        auto flush = [&] {
            if (!out.empty() && data > 0)
                out.back() += " +" + std::to_string(data);
            data = 0;
        };
        for (const SimFrame& f : mouse->Frames()) {
            if (!f.sent)
                continue;
            if (f.bytes[0] == 0x40) {
                flush();
                out.push_back(FormatFrame(f));
            } else {
                ++data;
            }
        }
        flush();
        return out;
    }
    std::vector<std::uint8_t> image(std::size_t offset, std::size_t length) {
        const auto all = mouse->Image();
        return {all.begin() + static_cast<std::ptrdiff_t>(offset),
                all.begin() + static_cast<std::ptrdiff_t>(offset + length)};
    }
};

// ---- Library files -------------------------------------------------------------------------

TEST(MacroExport, FileNameGetsBinAppendedAsItStands) {
    EXPECT_EQ(ExportFileName("/d/macros"), "/d/macros.bin");
    EXPECT_EQ(ExportFileName("/d/macros.bin"), "/d/macros.bin");
    EXPECT_EQ(ExportFileName("/d/macros.BIN"), "/d/macros.BIN");
    EXPECT_EQ(ExportFileName("/d/macros.bin.txt"), "/d/macros.bin.txt.bin");
}

TEST(MacroExport, OneRecordRoundTripAppendsAndSelects) {
    TempFolder folder;
    PCMacroLibrary source = LibraryWith(folder, {"a", "b"});
    ASSERT_TRUE(Btn_ExportOneClick(source, 1, folder / "one").ok());
    const auto bytes = ReadAll(folder / "one.bin");
    ASSERT_EQ(bytes.size(), 272u);
    EXPECT_EQ(bytes[1], 'b');
    EXPECT_EQ(Btn_ExportOneClick(source, 2, folder / "none").status, TransferStatus::Unchanged);

    TempFolder other;
    PCMacroLibrary target = LibraryWith(other, {"x"});
    int row = -1;
    ASSERT_TRUE(Btn_ImportOneClick(target, folder / "one.bin", row).ok());
    EXPECT_EQ(row, 1);
    EXPECT_EQ(target.RefreshPCMacroName(), (std::vector<std::string>{"x", "b"}));
    EXPECT_EQ(target.PCMacroBodies[1], source.PCMacroBodies[1]);
    EXPECT_EQ(ReadAll(target.Path), target.Serialize());

    // The same name again is refused and changes nothing.
    EXPECT_EQ(Btn_ImportOneClick(target, folder / "one.bin", row).status,
              TransferStatus::Duplicate);
    EXPECT_EQ(target.Count(), 2);
}

TEST(MacroImport, ImportOneFillsTheLibraryToOneHundred) {
    TempFolder folder;
    std::vector<std::string> names;
    for (int i = 0; i < 99; ++i)
        names.push_back("m" + std::to_string(i));
    PCMacroLibrary lib = LibraryWith(folder, names);
    ASSERT_TRUE(Btn_ExportOneClick(lib, 0, folder / "one").ok());
    lib.PCMacroNames[0] = MacroNameFromText("renamed");
    int row = -1;
    EXPECT_TRUE(Btn_ImportOneClick(lib, folder / "one.bin", row).ok());
    EXPECT_EQ(lib.Count(), 100);
    EXPECT_EQ(row, 99);
    // The hundredth was the last.
    lib.PCMacroNames[0] = MacroNameFromText("again");
    row = -1;
    EXPECT_EQ(Btn_ImportOneClick(lib, folder / "one.bin", row).status, TransferStatus::Unchanged);
    EXPECT_EQ(lib.Count(), 100);
}

TEST(MacroImport, BadFilesChangeNothing) {
    TempFolder folder;
    PCMacroLibrary lib = LibraryWith(folder, {"a", "b"});
    const auto libraryFile = ReadAll(lib.Path);
    const auto names = lib.PCMacroNames;

    std::vector<std::uint8_t> record(272, 0);
    record[1] = 'n';
    record[16] = 0xA1; // and then 0x00
    std::vector<std::uint8_t> noEnd = record;
    std::fill(noEnd.begin() + 16, noEnd.end(), 0xA1);
    std::vector<std::uint8_t> noName = record;
    noName[1] = 0;
    std::vector<std::uint8_t> garbage = record;
    garbage[17] = 0x77;
    const std::vector<std::vector<std::uint8_t>> badOne{{},
                                                        std::vector<std::uint8_t>(271, 0x41),
                                                        std::vector<std::uint8_t>(273, 0x41),
                                                        std::vector<std::uint8_t>(27200, 0),
                                                        noEnd,
                                                        noName,
                                                        garbage};
    for (const auto& bytes : badOne) {
        WriteAll(folder / "bad.bin", bytes);
        int row = -1;
        const TransferResult r = Btn_ImportOneClick(lib, folder / "bad.bin", row);
        EXPECT_EQ(r.status, TransferStatus::BadFile) << bytes.size();
        EXPECT_FALSE(r.message.empty());
        EXPECT_EQ(row, -1);
    }

    std::vector<std::uint8_t> allNoEnd(27200, 0);
    std::copy(noEnd.begin(), noEnd.end(), allNoEnd.begin() + 272 * 5);
    const std::vector<std::vector<std::uint8_t>> badAll{{},
                                                        std::vector<std::uint8_t>(100, 0),
                                                        std::vector<std::uint8_t>(27201, 0),
                                                        std::vector<std::uint8_t>(272 * 2 + 1, 0),
                                                        allNoEnd};
    for (const auto& bytes : badAll) {
        WriteAll(folder / "bad.bin", bytes);
        EXPECT_EQ(Btn_ImportClick(lib, folder / "bad.bin").status, TransferStatus::BadFile)
            << bytes.size();
    }
    EXPECT_EQ(Btn_ImportClick(lib, folder / "missing.bin").status, TransferStatus::FileError);
    EXPECT_EQ(lib.PCMacroNames, names);
    EXPECT_EQ(ReadAll(lib.Path), libraryFile);
}

TEST(MacroImport, ImportAllOfOneRecordReplacesOnlyRecordZero) {
    TempFolder folder;
    PCMacroLibrary lib = LibraryWith(folder, {"a", "b", "c"});
    std::vector<std::uint8_t> record(272, 0);
    record[1] = 'z';
    record[16] = 0xA4;
    WriteAll(folder / "z.bin", record);
    ASSERT_TRUE(Btn_ImportClick(lib, folder / "z.bin").ok());
    EXPECT_EQ(lib.RefreshPCMacroName(), (std::vector<std::string>{"z", "b", "c"}));
    EXPECT_EQ(lib.PCMacroBodies[0][0], 0xA4);
    EXPECT_EQ(ReadAll(lib.Path), lib.Serialize());

    // A whole library replaces all records, with no duplicate test.
    TempFolder otherFolder;
    PCMacroLibrary other = LibraryWith(otherFolder, {"q", "q"});
    ASSERT_TRUE(Btn_ExportClick(other, folder / "all").ok());
    EXPECT_EQ(ReadAll(folder / "all.bin").size(), 27200u);
    ASSERT_TRUE(Btn_ImportClick(lib, folder / "all.bin").ok());
    EXPECT_EQ(lib.RefreshPCMacroName(), (std::vector<std::string>{"q", "q"}));
}

// ---- Device store files --------------------------------------------------------------------

TEST(MacroExport, DeviceStoreSizesByStorageType) {
    TempFolder folder;
    EepromMacroStore eeprom;
    ASSERT_EQ(eeprom.Add(MacroNameFromText("A"), ButtonBody(4)), MacroStoreError::None);
    const FlashMacroStore flash = DefaultMacroStore();
    ASSERT_TRUE(Btn_DevExportClick(StorageKind::I2C, eeprom, flash, folder / "e").ok());
    ASSERT_TRUE(Btn_DevExportClick(StorageKind::Flash, eeprom, flash, folder / "f").ok());
    // No mouse, or a mouse without macros: refused, no file.
    EXPECT_EQ(Btn_DevExportClick(StorageKind::None, eeprom, flash, folder / "n").status,
              TransferStatus::Unchanged);
    EXPECT_EQ(Btn_DevExportClick(StorageKind::I2C, EepromMacroStore{}, flash, folder / "n").status,
              TransferStatus::Unchanged);
    FlashMacroStore emptyFlash;
    EXPECT_FALSE(Btn_DevExportClick(StorageKind::Flash, eeprom, emptyFlash, folder / "n").ok());
    EXPECT_FALSE(std::filesystem::exists(folder / "n.bin"));
    const auto e = ReadAll(folder / "e.bin");
    EXPECT_EQ(std::vector<std::uint8_t>(eeprom.MacroArea.begin(), eeprom.MacroArea.end()), e);
    const auto f = ReadAll(folder / "f.bin");
    ASSERT_EQ(f.size(), 8704u);
    EXPECT_EQ(f[16 * 31 + 1], 'M');
}

TEST(MacroImport, DeviceStoreIntoEepromMouseGetsTheBoundaryByte) {
    TempFolder folder;
    // A store file whose first macro places 0x02 at offset 255.
    std::vector<std::uint8_t> file(512, 0);
    file[1] = 'A';
    for (std::size_t i = 16; i < 255; ++i)
        file[i] = 0xA1;
    file[255] = 0x02;
    file[256] = 0x04;
    file[257] = 0x00;
    WriteAll(folder / "store.bin", file);

    MouseBench bench(StorageKind::I2C);
    EepromMacroStore eeprom;
    FlashMacroStore flash;
    ASSERT_TRUE(
        Btn_ImportBaseMacroClick(*bench.link, StorageKind::I2C, eeprom, flash, folder / "store.bin")
            .ok());
    EXPECT_EQ(bench.commands(), (std::vector<std::string>{"> 40 07 01 F0 01 00 00 00 +37",
                                                          "> 40 07 02 F0 01 00 00 00 +37"}));
    const auto area = bench.image(496, 512);
    EXPECT_EQ(area[255], 0xFC);
    EXPECT_EQ(area[256], 0x02);
    EXPECT_EQ(area[258], 0x00);
    EXPECT_EQ(area, std::vector<std::uint8_t>(eeprom.MacroArea.begin(), eeprom.MacroArea.end()));
    EXPECT_EQ(eeprom.RefreshMacroName4480(), std::vector<std::string>{"A"});
}

TEST(MacroImport, BadDeviceStoreFilesWriteNothing) {
    TempFolder folder;
    std::vector<std::uint8_t> runaway(512, 0xA1);
    runaway[0] = 0x00;
    runaway[1] = 'A';
    std::vector<std::uint8_t> flashNoEnd(8704, 0);
    flashNoEnd[1] = 'A';
    std::fill(flashNoEnd.begin() + 512, flashNoEnd.begin() + 768, 0xA1);
    const std::vector<std::pair<StorageKind, std::vector<std::uint8_t>>> cases{
        {StorageKind::I2C, std::vector<std::uint8_t>(511, 0)},
        {StorageKind::I2C, std::vector<std::uint8_t>(8704, 0)},
        {StorageKind::I2C, runaway},
        {StorageKind::Flash, std::vector<std::uint8_t>(512, 0)},
        {StorageKind::Flash, std::vector<std::uint8_t>(8705, 0)},
        {StorageKind::Flash, flashNoEnd},
    };
    for (const auto& [kind, bytes] : cases) {
        WriteAll(folder / "bad.bin", bytes);
        MouseBench bench(kind);
        EepromMacroStore eeprom;
        ASSERT_EQ(eeprom.Add(MacroNameFromText("keep"), ButtonBody(3)), MacroStoreError::None);
        const auto eepromBefore = eeprom.MacroArea;
        FlashMacroStore flash = DefaultMacroStore();
        const auto namesBefore = flash.FlashMacroNames;
        const TransferResult r =
            Btn_ImportBaseMacroClick(*bench.link, kind, eeprom, flash, folder / "bad.bin");
        EXPECT_EQ(r.status, TransferStatus::BadFile) << bytes.size();
        EXPECT_FALSE(r.message.empty());
        EXPECT_TRUE(bench.commands().empty());
        EXPECT_EQ(eeprom.MacroArea, eepromBefore);
        EXPECT_EQ(flash.FlashMacroNames, namesBefore);
    }
}

TEST(MacroImport, DeviceStoreIntoFlashMouse) {
    TempFolder folder;
    std::vector<std::uint8_t> file(8704, 0);
    file[1] = 'A';
    file[16 * 2 + 1] = 'C'; // slot 1 empty: a gap
    file[512 + 0] = 0xA1;
    WriteAll(folder / "store.bin", file);
    MouseBench bench(StorageKind::Flash);
    EepromMacroStore eeprom;
    FlashMacroStore flash = DefaultMacroStore();
    ASSERT_TRUE(Btn_ImportBaseMacroClick(*bench.link, StorageKind::Flash, eeprom, flash,
                                         folder / "store.bin")
                    .ok());
    EXPECT_EQ(flash.RefreshMacroName(), (std::vector<std::string>{"A", "", "C"}));
    const auto cmds = bench.commands();
    ASSERT_EQ(cmds.size(), 33u);
    EXPECT_EQ(cmds[0], "> 40 07 30 00 02 00 00 00 +74");
    EXPECT_EQ(cmds[1], "> 40 07 40 00 01 00 00 00 +37");
    EXPECT_EQ(cmds[32], "> 40 07 5F 00 01 00 00 00 +37");
    EXPECT_EQ(bench.image(0x3000, 512),
              std::vector<std::uint8_t>(file.begin(), file.begin() + 512));
    EXPECT_EQ(bench.image(0x4000, 8192), std::vector<std::uint8_t>(file.begin() + 512, file.end()));
}

TEST(MacroImport, FireMacros) {
    TempFolder folder;
    std::vector<std::uint8_t> file(240, 0);
    file[0] = 0xA1;
    file[1] = 0xFE;
    file[2] = 0x00;
    file[3] = 0x32;
    file[4] = 0x21;
    file[24 * 9] = 0xA2;
    WriteAll(folder / "fire.bin", file);
    for (StorageKind kind : {StorageKind::I2C, StorageKind::Flash}) {
        MouseBench bench(kind);
        TFireMacros macros{};
        TFireMacroImage image{};
        ASSERT_TRUE(
            Btn_ImportGunMacroClick(*bench.link, kind, folder / "fire.bin", macros, image).ok());
        EXPECT_EQ(macros[9][0], 0xA2);
        EXPECT_EQ(std::vector<std::uint8_t>(image.begin(), image.end()), file);
        const std::uint32_t at = kind == StorageKind::I2C ? 1808 : 0x7000;
        EXPECT_EQ(bench.image(at, 240), file);
        EXPECT_EQ(bench.commands().size(), 1u);
    }
    // Without a mouse the file is read, nothing is written.
    MouseBench bench(StorageKind::I2C);
    TFireMacros macros{};
    TFireMacroImage image{};
    ASSERT_TRUE(
        Btn_ImportGunMacroClick(*bench.link, StorageKind::None, folder / "fire.bin", macros, image)
            .ok());
    EXPECT_EQ(macros[0][4], 0x21);
    EXPECT_TRUE(bench.commands().empty());

    // Wrong sizes and a macro that runs into the next are refused.
    std::vector<std::uint8_t> runOn = file;
    std::fill(runOn.begin() + 24, runOn.begin() + 48, 0xA1);
    for (const auto& bad :
         {std::vector<std::uint8_t>(239, 0), std::vector<std::uint8_t>(241, 0), runOn}) {
        WriteAll(folder / "bad.bin", bad);
        TFireMacros m{};
        TFireMacroImage i{};
        m[0][0] = 0x55;
        EXPECT_EQ(
            Btn_ImportGunMacroClick(*bench.link, StorageKind::I2C, folder / "bad.bin", m, i).status,
            TransferStatus::BadFile);
        EXPECT_EQ(m[0][0], 0x55);
        EXPECT_TRUE(bench.commands().empty());
    }
}

// ---- Save to the mouse ---------------------------------------------------------------------

struct SaveSections {
    std::array<std::array<std::uint8_t, 49>, 3> profiles{};
    std::array<std::uint8_t, 164> vendor{};
    std::array<std::uint8_t, 24> head{};
    std::array<std::uint8_t, 41> tail{};
    MacroSaveSections view() { return {profiles, vendor, head, tail}; }
};

TEST(MacroSave, EepromFrameSequenceAndImage) {
    MouseBench bench(StorageKind::I2C);
    EepromMacroStore eeprom;
    ASSERT_EQ(eeprom.Add(MacroNameFromText("A"), ButtonBody(10)), MacroStoreError::None);
    ASSERT_EQ(eeprom.Add(MacroNameFromText("B"), ButtonBody(20)), MacroStoreError::None);
    SaveSections s;
    s.profiles[1][4] = 0x10; // key 2 of profile 2 on macro B, which moves from 538 to 512
    s.profiles[1][5] = 0x02;
    s.profiles[1][6] = 0x1A;
    s.vendor[127] = 0x10; // combination entry 1 on macro A, deleted
    s.vendor[128] = 0x02;
    std::vector<MacroAddressMove> moves;
    ASSERT_EQ(eeprom.Delete(0, moves), MacroStoreError::None);
    FlashMacroStore flash;
    const RepointResult r =
        Btn_SaveMacroClick(*bench.link, StorageKind::I2C, s.view(), eeprom, flash, moves,
                           [](KeyEntryRef) { return KeyEntryBytes{}; });
    EXPECT_EQ(r.changed.size(), 2u);
    EXPECT_EQ(
        bench.commands(),
        (std::vector<std::string>{"> 40 07 00 C0 00 93 00 00 +21", "> 40 07 01 F0 01 00 00 00 +37",
                                  "> 40 07 02 F0 01 00 00 00 +37", "> 40 05 01 7F 00 00 00 00"}));
    const auto profiles = bench.image(192, 147);
    EXPECT_EQ(profiles[49 + 4], 0x10);
    EXPECT_EQ(profiles[49 + 5], 0x02);
    EXPECT_EQ(profiles[49 + 6], 0x00);
    for (int p = 0; p < 3; ++p)
        EXPECT_TRUE(SectionChecksumValid(
            std::span<const std::uint8_t>(profiles).subspan(49 * static_cast<std::size_t>(p), 49)));
    EXPECT_EQ(bench.image(496, 512),
              std::vector<std::uint8_t>(eeprom.MacroArea.begin(), eeprom.MacroArea.end()));
    EXPECT_EQ(bench.image(127, 4), (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST(MacroSave, FlashFrameSequenceAndImage) {
    MouseBench bench(StorageKind::Flash);
    FlashMacroStore flash = DefaultMacroStore();
    flash.FlashMacroBodies[3] = ButtonBody(5);
    SaveSections s;
    s.head.fill(0x11);
    s.tail.fill(0x22);
    EepromMacroStore eeprom;
    Btn_SaveMacroClick(*bench.link, StorageKind::Flash, s.view(), eeprom, flash, {}, {});
    const auto cmds = bench.commands();
    ASSERT_EQ(cmds.size(), 34u);
    EXPECT_EQ(cmds[0], "> 40 07 10 00 01 00 00 00 +37");
    EXPECT_EQ(cmds[1], "> 40 07 30 00 02 00 00 00 +74");
    EXPECT_EQ(cmds[2], "> 40 07 40 00 01 00 00 00 +37");
    EXPECT_EQ(cmds[33], "> 40 07 5F 00 01 00 00 00 +37");
    const auto settings = bench.image(0x1000, 256);
    EXPECT_EQ(settings[0], 0x11);
    EXPECT_EQ(settings[23], 0x11);
    EXPECT_EQ(settings[24 + 48], SectionChecksum(std::vector<std::uint8_t>(49, 0)));
    EXPECT_EQ(settings[171], 0x22);
    EXPECT_EQ(settings[211], 0x22);
    EXPECT_EQ(settings[212], 0x00);
    EXPECT_EQ(settings[255], 0x00);
    const auto names = flash.NamesBlock();
    EXPECT_EQ(bench.image(0x3000, 512), std::vector<std::uint8_t>(names.begin(), names.end()));
    EXPECT_EQ(bench.image(0x4300, 256), std::vector<std::uint8_t>(flash.FlashMacroBodies[3].begin(),
                                                                  flash.FlashMacroBodies[3].end()));
}

TEST(MacroSave, NothingWithoutAMouse) {
    MouseBench bench(StorageKind::I2C);
    EepromMacroStore eeprom;
    FlashMacroStore flash;
    SaveSections s;
    s.profiles[0][0] = 0x10;
    s.profiles[0][1] = 0x02;
    const std::vector<MacroAddressMove> moves{{512, std::nullopt}};
    const RepointResult r =
        Btn_SaveMacroClick(*bench.link, StorageKind::None, s.view(), eeprom, flash, moves, {});
    EXPECT_TRUE(r.changed.empty());
    EXPECT_EQ(s.profiles[0][0], 0x10);
    EXPECT_TRUE(bench.commands().empty());
}

TEST(MacroSave, NothingReachesAMouseThatWasNotAccepted) {
    MouseBench bench(StorageKind::I2C);
    bench.link->Revoke(); // e.g. a mouse of a foreign ID
    EepromMacroStore eeprom;
    FlashMacroStore flash;
    SaveSections s;
    Btn_SaveMacroClick(*bench.link, StorageKind::I2C, s.view(), eeprom, flash, {}, {});
    EXPECT_TRUE(bench.commands().empty());
}

} // namespace
} // namespace trvx
