// The working model: typed reads of the shipped default image, the register writes its setters
// build, the sections and check bytes they keep in step, the profile blocks, and the read's
// hand-over to the window as a value.
#include "device/WorkingModel.h"
#include "DevicePollerRig.h"

#include <gtest/gtest.h>

#include <functional>

namespace trvx::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

const SectionDefaultsContext kCtx{StorageKind::I2C, "RGB", 1, 0x1209, 0x0001};

WorkingModel ShippedModel(StorageKind kind = StorageKind::I2C) {
    WorkingModel model;
    const auto image = SimulatedMouse::DefaultImage(kind);
    EXPECT_TRUE(model.LoadImage(kind, image, {kind, "RGB", 1, 0x1209, 0x0001}));
    return model;
}

bool ChecksValid(const WorkingModel& m) {
    const auto& s = m.Sections();
    return SectionChecksumValid(s.VendorSection) && SectionChecksumValid(s.UserSection) &&
           SectionChecksumValid(s.ProfileSection[0]) && SectionChecksumValid(s.ProfileSection[1]) &&
           SectionChecksumValid(s.ProfileSection[2]);
}

TEST(WorkingModelTest, ReadsTheShippedImage) {
    const WorkingModel m = ShippedModel();
    const std::vector<std::pair<const char*, std::pair<long, long>>> cases = {
        {"usb vendor id", {m.UsbVendorId(), 0x1209}},
        {"usb product id", {m.UsbProductId(), 0x0001}},
        {"report rate (0xBF)", {m.ReportRateBits(), 3}},
        {"led mode mask", {m.LedModeMask(), 0xFE}},
        {"cpi level count", {m.CpiLevelCount(), 6}},
        {"cpi level 1 (0x63 low)", {m.CpiLevelStep(1), 3}},
        {"cpi level 2 (0x63 high)", {m.CpiLevelStep(2), 6}},
        {"cpi level 5 (0xBA low)", {m.CpiLevelStep(5), 10}},
        {"cpi level 6 (0xBA high)", {m.CpiLevelStep(6), 11}},
        {"cpi level 8", {m.CpiLevelStep(8), 0}},
        {"current cpi level", {m.CurrentCpiLevel(), 1}},
        {"breath lower", {m.Breath(BreathParameter::Lower), 0}},
        {"breath upper", {m.Breath(BreathParameter::Upper), 255}},
        {"breath lower time", {m.Breath(BreathParameter::LowerTime), 100}},
        {"breath upper time", {m.Breath(BreathParameter::UpperTime), 100}},
        {"step time", {m.StepTime(), 8}},
        {"led mode byte", {m.LedModeByte(), 0x82}},
        {"led type (0x82)",
         {static_cast<long>(m.LedTypeOfMode()), static_cast<long>(LedType::MCULED)}},
        {"led mode", {m.LedMode(), 2}},
        {"current profile", {m.CurrentProfileIndex(), 0}},
        {"profile colour", {m.ProfileColourCode(), 0}},
        {"x offset 1", {m.XOffset(1), 0}},
        {"y offset 10", {m.YOffset(10), 0}},
        {"id manufacturer", {m.IdManufacturer(), 0xFF}},
        {"id product", {m.IdProduct(), 0xFF}},
        {"stored patch checksum", {m.StoredPatchChecksum(StorageKind::I2C), 0x5F63}},
    };
    for (const auto& [name, values] : cases)
        EXPECT_EQ(values.first, values.second) << name;

    EXPECT_EQ(m.PaletteColour(1), (RgbColour{0xFF, 0x7F, 0x00}));
    EXPECT_EQ(m.PaletteColour(10), (RgbColour{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(m.CpiColour(7), (RgbColour{0x80, 0x00, 0xFF}));
    EXPECT_EQ(m.UsbDescription(), "HID Gaming Mouse");
    EXPECT_EQ(m.FireKey(1), (FireKeyParameters{3, 60}));
    EXPECT_EQ(m.FireKey(3), (FireKeyParameters{8, 60}));
    EXPECT_EQ(m.ProfileKey(1, 3), (KeyEntryBytes{0x06, 0x92, 0x00, 0x3C}));
    EXPECT_EQ(m.ProfileKey(3, 6), (KeyEntryBytes{0x02, 0x08, 0x07, 0x00}));
    EXPECT_EQ(m.ComboKey(2), (KeyEntryBytes{0x0E, 0x00, 0x00, 0x00}));
    EXPECT_EQ(m.KeyCodeText(3), "0692003C");
    EXPECT_EQ(m.KeyCodeText(30), "02080700");
    EXPECT_EQ(m.KeyCodeText(40), "07D1F018"); // combination key 4
    EXPECT_EQ(m.KeyCodeTexts(), BuildKeyCodeTexts(m.Sections()));
    EXPECT_EQ(m.StoredPatchChecksumText(StorageKind::I2C), "5F63");
}

struct SetterCase {
    const char* name;
    std::function<std::optional<RegisterWrite>(WorkingModel&)> set;
    RegisterWrite expected;
    std::function<bool(const WorkingModel&)> readBack;
};

std::vector<SetterCase> SetterCases() {
    using W = RegisterWrite;
    return {
        {"cpi level count 8", [](auto& m) { return m.SetCpiLevelCount(8); }, W{0, 43, {7}},
         [](const auto& m) { return m.CpiLevelCount() == 8; }},
        // Level 2 shares its byte with level 1 (3 in the low nibble).
        {"cpi level 2 step 11", [](auto& m) { return m.SetCpiLevelStep(2, 11); }, W{0, 44, {0xB3}},
         [](const auto& m) { return m.CpiLevelStep(2) == 11 && m.CpiLevelStep(1) == 3; }},
        {"cpi level 7 step 5", [](auto& m) { return m.SetCpiLevelStep(7, 5); }, W{0, 47, {0x05}},
         [](const auto& m) { return m.CpiLevelStep(7) == 5; }},
        {"current cpi level 7", [](auto& m) { return m.SetCurrentCpiLevel(7); }, W{0, 166, {7}},
         [](const auto& m) { return m.CurrentCpiLevel() == 7; }},
        {"cpi colour 8",
         [](auto& m) {
             return m.SetCpiColour(8, {1, 2, 3});
         },
         W{0, 108, {1, 2, 3}},
         [](const auto& m) {
             return m.CpiColour(8) == RgbColour{1, 2, 3};
         }},
        {"cpi colour 1 green", [](auto& m) { return m.SetCpiColourChannel(1, 1, 0x44); },
         W{0, 88, {0x44}},
         [](const auto& m) {
             return m.CpiColour(1) == RgbColour{0xFF, 0x44, 0x00};
         }},
        // 0xBF with 125 Hz becomes 0x8F: the other six bits stay.
        {"report rate 125 Hz", [](auto& m) { return m.SetReportRateBits(0); }, W{0, 4, {0x8F}},
         [](const auto& m) { return m.ReportRateBits() == 0; }},
        {"report rate 500 Hz", [](auto& m) { return m.SetReportRateBits(2); }, W{0, 4, {0xAF}},
         [](const auto& m) { return m.ReportRateBits() == 2; }},
        {"led mode byte", [](auto& m) { return m.SetLedModeByte(0x45); }, W{0, 165, {0x45}},
         [](const auto& m) { return m.LedTypeOfMode() == LedType::Sync && m.LedMode() == 5; }},
        {"led mode mask", [](auto& m) { return m.SetLedModeMask(0x7F); }, W{0, 42, {0x7F}},
         [](const auto& m) { return m.LedModeMask() == 0x7F; }},
        {"palette colour 3 green", [](auto& m) { return m.SetPaletteColourChannel(3, 1, 255); },
         W{0, 64, {255}}, [](const auto& m) { return m.PaletteColour(3).green == 255; }},
        {"palette colour 2",
         [](auto& m) {
             return m.SetPaletteColour(2, {9, 8, 7});
         },
         W{0, 60, {9, 8, 7}},
         [](const auto& m) {
             return m.PaletteColour(2) == RgbColour{9, 8, 7};
         }},
        {"breath lower time 4094",
         [](auto& m) { return m.SetBreath(BreathParameter::LowerTime, 4094); },
         W{0, 52, {0x0F, 0xFE}},
         [](const auto& m) { return m.Breath(BreathParameter::LowerTime) == 4094; }},
        {"breath upper time",
         [](auto& m) { return m.SetBreath(BreathParameter::UpperTime, 65535); },
         W{0, 54, {0xFF, 0xFF}},
         [](const auto& m) { return m.Breath(BreathParameter::UpperTime) == 65535; }},
        {"step time 20", [](auto& m) { return m.SetStepTime(20); }, W{0, 56, {20}},
         [](const auto& m) { return m.StepTime() == 20; }},
        {"profile 3 colour 2", [](auto& m) { return m.SetProfileRegister(0x20, 2); },
         W{0, 164, {0x22}},
         [](const auto& m) {
             return m.CurrentProfileIndex() == 2 && m.ProfileColourCode() == 0x20 &&
                    m.Sections().UserSection[0] == 0x22;
         }},
        {"x offset 1 = -1", [](auto& m) { return m.SetXOffset(1, -1); }, W{0, 171, {0xFF}},
         [](const auto& m) { return m.XOffset(1) == -1 && m.Sections().UserSection[7] == 0xFF; }},
        {"y offset 10 = -128", [](auto& m) { return m.SetYOffset(10, -128); }, W{0, 190, {0x80}},
         [](const auto& m) {
             return m.YOffset(10) == -128 && m.Sections().UserSection[26] == 0x80;
         }},
        {"usb vendor id", [](auto& m) { return m.SetUsbVendorId(0xABCD); }, W{0, 0, {0xAB, 0xCD}},
         [](const auto& m) { return m.UsbVendorId() == 0xABCD; }},
        {"usb product id", [](auto& m) { return m.SetUsbProductId(0x1234); }, W{0, 2, {0x12, 0x34}},
         [](const auto& m) { return m.UsbProductId() == 0x1234; }},
        {"usb description, short", [](auto& m) { return m.SetUsbDescription("Mouse"); },
         W{0, 111, {'M', 'o', 'u', 's', 'e', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
         [](const auto& m) { return m.UsbDescription() == "Mouse"; }},
        {"usb description, cut at 16",
         [](auto& m) { return m.SetUsbDescription("ABCDEFGHIJKLMNOPQR"); },
         W{0, 111,
           Bytes{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 'P'}},
         [](const auto& m) { return m.UsbDescription() == "ABCDEFGHIJKLMNOP"; }},
        {"combination key 2 (bank 1)",
         [](auto& m) {
             return m.SetComboKey(2, {0x00, 0x00, 0x00, 0x00});
         },
         W{1, 131, {0, 0, 0, 0}}, [](const auto& m) { return m.KeyCodeText(38) == "00000000"; }},
        {"combination key 9 (bank 1)",
         [](auto& m) {
             return m.SetComboKey(9, {0x02, 0x01, 0xE0, 0x04});
         },
         W{1, 159, {0x02, 0x01, 0xE0, 0x04}},
         [](const auto& m) { return m.KeyCodeText(45) == "0201E004"; }},
        {"any register, last user byte", [](auto& m) { return m.SetRegisters(190, Bytes{5}); },
         W{0, 190, {5}}, [](const auto& m) { return m.Register(190) == 5; }},
    };
}

TEST(WorkingModelTest, SettersBuildTheirRegisterWriteAndKeepTheSectionInStep) {
    for (const SetterCase& c : SetterCases()) {
        SCOPED_TRACE(c.name);
        WorkingModel m = ShippedModel();
        const auto write = c.set(m);
        ASSERT_TRUE(write);
        EXPECT_EQ(*write, c.expected);
        EXPECT_TRUE(c.readBack(m));
        // The section holds the bytes sent and a check byte that fits them.
        for (std::size_t i = 0; i < write->bytes.size(); ++i)
            EXPECT_EQ(m.Register(write->reg + static_cast<int>(i)), write->bytes[i]);
        EXPECT_TRUE(ChecksValid(m));

        // A later whole vendor-section write (as the LED-mode and gun options send it) carries
        // the change instead of the value of the last read.
        const RegisterWrite vendor = m.VendorSectionWrite();
        ASSERT_EQ(vendor.bytes.size(), kVendorSectionSize);
        EXPECT_EQ(vendor.reg, 0);
        if (write->reg < kUserRegisterFirst) {
            EXPECT_TRUE(std::equal(write->bytes.begin(), write->bytes.end(),
                                   vendor.bytes.begin() + write->reg));
        }
        EXPECT_EQ(vendor.bytes.back(), SectionChecksum(vendor.bytes));
        // And so does an image assembled from the model for a file or a restore.
        Bytes image = m.EepromImage();
        ASSERT_TRUE(AssembleImage(StorageKind::I2C, m.Sections(), image));
        EXPECT_TRUE(
            std::equal(write->bytes.begin(), write->bytes.end(), image.begin() + write->reg));
    }
}

TEST(WorkingModelTest, OutOfRangeArgumentsChangeNothing) {
    const std::vector<std::pair<const char*, std::function<bool(WorkingModel&)>>> refused = {
        {"cpi level count 0", [](auto& m) { return m.SetCpiLevelCount(0).has_value(); }},
        {"cpi level count 9", [](auto& m) { return m.SetCpiLevelCount(9).has_value(); }},
        {"cpi level 9", [](auto& m) { return m.SetCpiLevelStep(9, 1).has_value(); }},
        {"cpi step 12", [](auto& m) { return m.SetCpiLevelStep(1, 12).has_value(); }},
        {"current cpi 8", [](auto& m) { return m.SetCurrentCpiLevel(8).has_value(); }},
        {"cpi colour channel 3",
         [](auto& m) { return m.SetCpiColourChannel(1, 3, 0).has_value(); }},
        {"palette colour 11", [](auto& m) { return m.SetPaletteColour(11, {}).has_value(); }},
        {"palette value 256",
         [](auto& m) { return m.SetPaletteColourChannel(1, 0, 256).has_value(); }},
        {"report rate 4", [](auto& m) { return m.SetReportRateBits(4).has_value(); }},
        {"lower time 4095",
         [](auto& m) { return m.SetBreath(BreathParameter::LowerTime, 4095).has_value(); }},
        {"breath -1", [](auto& m) { return m.SetBreath(BreathParameter::Lower, -1).has_value(); }},
        {"step time 256", [](auto& m) { return m.SetStepTime(256).has_value(); }},
        {"colour code 0x25", [](auto& m) { return m.SetProfileRegister(0x25, 0).has_value(); }},
        {"x offset 11", [](auto& m) { return m.SetXOffset(11, 0).has_value(); }},
        {"y offset 128", [](auto& m) { return m.SetYOffset(1, 128).has_value(); }},
        {"combination key 0", [](auto& m) { return m.SetComboKey(0, {}).has_value(); }},
        {"combination key 10", [](auto& m) { return m.SetComboKey(10, {}).has_value(); }},
        {"profile 4",
         [](auto& m) {
             return m.SetProfileKey(4, 1, {1, 2, 3, 4});
         }},
        {"key 13",
         [](auto& m) {
             return m.SetProfileKey(1, 13, {1, 2, 3, 4});
         }},
        {"fire key 4",
         [](auto& m) {
             return m.SetFireKey(4, {1, 0});
         }},
        {"fire count 257",
         [](auto& m) {
             return m.SetFireKey(1, {257, 0});
         }},
        {"fire delay 65536",
         [](auto& m) {
             return m.SetFireKey(1, {1, 65536});
         }},
        // The model keeps the check bytes: no write may set one, nor span two sections.
        {"vendor check byte", [](auto& m) { return m.SetRegisters(163, Bytes{0}).has_value(); }},
        {"user check byte", [](auto& m) { return m.SetRegisters(191, Bytes{0}).has_value(); }},
        {"across the sections",
         [](auto& m) {
             return m.SetRegisters(162, Bytes{0, 0}).has_value();
         }},
        {"four bytes",
         [](auto& m) {
             return m.SetRegisters(8, Bytes{0, 0, 0, 0}).has_value();
         }},
        {"no bytes", [](auto& m) { return m.SetRegisters(8, Bytes{}).has_value(); }},
        {"register -1", [](auto& m) { return m.SetRegisters(-1, Bytes{0}).has_value(); }},
        {"register 192", [](auto& m) { return m.SetRegisters(192, Bytes{0}).has_value(); }},
    };
    const WorkingModel before = ShippedModel();
    for (const auto& [name, set] : refused) {
        WorkingModel m = before;
        EXPECT_FALSE(set(m)) << name;
        EXPECT_EQ(m.Sections().VendorSection, before.Sections().VendorSection) << name;
        EXPECT_EQ(m.Sections().UserSection, before.Sections().UserSection) << name;
        EXPECT_EQ(m.Sections().ProfileSection, before.Sections().ProfileSection) << name;
        EXPECT_EQ(m.Sections().IDBlock, before.Sections().IDBlock) << name;
    }
    EXPECT_EQ(before.ProfileKey(0, 1), (KeyEntryBytes{}));
    EXPECT_EQ(before.KeyCodeText(46), "");
    EXPECT_EQ(before.CpiLevelStep(0), -1);
}

TEST(WorkingModelTest, LedModeByteEncodesAndDecodesEachType) {
    struct Case {
        LedType type;
        int mode;
        int count;
        std::uint8_t byte;
        LedType readBack;
    };
    const Case cases[] = {
        {LedType::RGB, 6, 0, 0x06, LedType::RGB},
        {LedType::Sync, 2, 0, 0x42, LedType::Sync},
        {LedType::NT, 5, 7, 0xF5, LedType::NT},
        {LedType::NT, 4, 2, 0xA4, LedType::NT},
        {LedType::MCULED, 7, 0, 0x87, LedType::MCULED},
        // An NT byte of one LED cannot be told from the MCU type.
        {LedType::NT, 1, 0, 0x81, LedType::MCULED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(LedTypeName(c.type)) + " " + std::to_string(c.mode));
        const std::uint8_t byte = WorkingModel::EncodeLedModeByte(c.type, c.mode, c.count);
        EXPECT_EQ(byte, c.byte);
        WorkingModel m = ShippedModel();
        ASSERT_TRUE(m.SetLedModeByte(byte));
        EXPECT_EQ(m.LedTypeOfMode(), c.readBack);
        EXPECT_EQ(m.LedMode(), c.mode);
        if (c.readBack == LedType::NT) {
            EXPECT_EQ(m.LedCountIndex(), c.count);
        }
    }
}

TEST(WorkingModelTest, ProfileKeysGoToTheMouseAsProfileBlocks) {
    for (const StorageKind kind : {StorageKind::I2C, StorageKind::Flash}) {
        SCOPED_TRACE(std::string(StorageKindName(kind)));
        WorkingModel m = ShippedModel(kind);
        ASSERT_TRUE(m.SetProfileKey(2, 12, {0x06, 0x10, 0x00, 0x3C}));
        EXPECT_EQ(m.KeyCodeText(24), "0610003C");
        EXPECT_EQ(m.ProfileKey(2, 12), (KeyEntryBytes{0x06, 0x10, 0x00, 0x3C}));
        EXPECT_TRUE(ChecksValid(m));

        const auto block = m.ProfileWrite(kind);
        ASSERT_TRUE(block);
        const std::size_t keyAt = 49 + 44; // profile 2, key 12
        std::size_t base = 0;
        if (kind == StorageKind::I2C) {
            EXPECT_EQ(block->address, 192);
            EXPECT_EQ(block->bytes.size(), 147u);
        } else {
            EXPECT_EQ(block->address, 0x1000);
            ASSERT_EQ(block->bytes.size(), 256u);
            base = kFlashSettingsHeadSize;
            EXPECT_TRUE(std::all_of(block->bytes.begin() + 212, block->bytes.end(),
                                    [](std::uint8_t b) { return b == 0; }));
        }
        EXPECT_EQ(Bytes(block->bytes.begin() + static_cast<std::ptrdiff_t>(base + keyAt),
                        block->bytes.begin() + static_cast<std::ptrdiff_t>(base + keyAt + 4)),
                  (Bytes{0x06, 0x10, 0x00, 0x3C}));
        EXPECT_EQ(block->bytes[base + 49 + 48], SectionChecksum(m.Sections().ProfileSection[1]));
        EXPECT_FALSE(m.ProfileWrite(StorageKind::None));
    }
}

TEST(WorkingModelTest, IdAndPatchBlocksHoldTheirFields) {
    WorkingModel m = ShippedModel();
    m.SetIdPair(0x12, 0x34);
    ASSERT_TRUE(m.SetFireKey(2, {256, 0x1234}));
    ASSERT_TRUE(m.SetFireKey(3, {1, 0}));
    const auto block = m.IdBlockWrite(StorageKind::I2C);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->address, 484);
    EXPECT_EQ(block->bytes,
              (Bytes{0x12, 0x34, 0x02, 0x00, 0x3C, 0xFF, 0x12, 0x34, 0x00, 0x00, 0x00, 0xE0}));
    EXPECT_EQ(m.FireKey(2), (FireKeyParameters{256, 0x1234}));
    EXPECT_EQ(m.IdBlockWrite(StorageKind::Flash)->address, 0x6000);

    // The MCU LED bytes keep their own check byte: the sum of bytes 8..14 XOR 0x5A.
    EXPECT_EQ(m.McuLedStep(), 1);
    EXPECT_EQ(m.McuLedControl(), 0x83);
    ASSERT_TRUE(m.SetMcuLedSettings(7, 0x89));
    EXPECT_EQ(m.PatchBlock()[15], (7 + 0x89) ^ 0x5A);
    EXPECT_FALSE(m.SetMcuLedSettings(8, 0));
    EXPECT_EQ(m.McuLedStep(), 7);

    m.SetStoredPatchChecksum(StorageKind::I2C, 0xBEEF);
    m.SetStoredPatchChecksum(StorageKind::Flash, 0x0102);
    EXPECT_EQ(m.PatchBlock()[6], 0xBE);
    EXPECT_EQ(m.PatchBlock()[7], 0xEF);
    EXPECT_EQ(m.StoredPatchChecksumText(StorageKind::I2C), "BEEF");
    EXPECT_EQ(m.StoredPatchChecksumText(StorageKind::Flash), "0102");
    EXPECT_EQ(m.StoredPatchChecksum(StorageKind::None), 0);
}

TEST(WorkingModelTest, RegisterWritesGoOutAsTheMatchingDeviceOperation) {
    // Each built write sends the frames of the device operation it stands for.
    PollerRig built(StorageKind::I2C);
    PollerRig direct(StorageKind::I2C);
    for (PollerRig* rig : {&built, &direct}) {
        rig->poller->Tick();
        ASSERT_TRUE(rig->mouse.IsAccepted());
        rig->sim->ClearFrames();
    }
    WorkingModel m = built.model;
    ASSERT_TRUE(SendRegisterWrite(built.mouse, *m.SetCurrentCpiLevel(3)));
    ASSERT_TRUE(SendRegisterWrite(built.mouse, *m.SetBreath(BreathParameter::Upper, 0x0102)));
    ASSERT_TRUE(SendRegisterWrite(built.mouse, *m.SetComboKey(4, {1, 2, 3, 4})));
    ASSERT_TRUE(SendRegisterWrite(built.mouse, *m.SetUsbDescription("Pad")));
    ASSERT_TRUE(direct.mouse.WriteRegister(166, 3, 0, 0, 1));
    ASSERT_TRUE(direct.mouse.WriteRegister(50, 0x01, 0x02, 0, 2));
    ASSERT_TRUE(direct.mouse.WriteRegisterEntry(139, 1, 2, 3, 4));
    const Bytes text{'P', 'a', 'd', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ASSERT_TRUE(direct.mouse.WriteRegisterRun(0, 111, text));
    EXPECT_EQ(SentFrames(built.sim->Frames()), SentFrames(direct.sim->Frames()));
    EXPECT_EQ(built.SimBytes(166, 1), Bytes{3});
}

TEST(WorkingModelTest, AReadHandsTheWindowAFinishedModel) {
    for (const StorageKind kind : {StorageKind::I2C, StorageKind::Flash}) {
        SCOPED_TRACE(std::string(StorageKindName(kind)));
        PollerRig rig(kind);
        // A change the window made before the read: the mouse's image replaces it.
        ASSERT_TRUE(rig.model.SetXOffset(1, 5));

        rig.poller->Tick();
        ASSERT_TRUE(rig.mouse.IsAccepted());
        EXPECT_EQ(rig.view.Count("fill pages"), 1);
        EXPECT_EQ(rig.model.Image(kind), rig.sim->Image());
        EXPECT_EQ(rig.model.XOffset(1), 0);
        const WorkingModel expected = ShippedModel(kind);
        EXPECT_EQ(rig.model.Sections().VendorSection, expected.Sections().VendorSection);
        EXPECT_EQ(rig.model.Sections().ProfileSection, expected.Sections().ProfileSection);
        EXPECT_EQ(rig.model.KeyCodeTexts(), expected.KeyCodeTexts());

        // The window's later changes are its own: a second read starts from the mouse again,
        // not from anything the reader kept of the window's model.
        ASSERT_TRUE(rig.model.SetCpiLevelCount(2));
        rig.view.Take();
        EXPECT_EQ(rig.reader.Read(), WholeImageReadResult::Filled);
        EXPECT_EQ(rig.model.CpiLevelCount(), expected.CpiLevelCount());
    }
}

} // namespace
} // namespace trvx::test
