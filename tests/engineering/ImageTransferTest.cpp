// Image files, default restores, patch files and the whole-image writes: what is accepted, what
// is refused with nothing changed, and the bytes that go to the mouse.
#include "engineering/ImageTransfer.h"

#include "device/ConfigImageChecks.h"
#include "sim/SimulatedMouse.h"

#include <gtest/gtest.h>

#include <random>

namespace trvx::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

const SectionDefaultsContext kCtx{StorageKind::I2C, "RGB", 1, 0x1209, 0x0001};

Bytes Image(StorageKind kind) {
    const auto image = SimulatedMouse::DefaultImage(kind);
    return Bytes(image.begin(), image.end());
}

TEST(ImageFile, AcceptsOnlyTheExactSizeAndSignatureOfTheMouse) {
    const Bytes i2c = Image(StorageKind::I2C);
    const Bytes flash = Image(StorageKind::Flash);
    Bytes unsigned_ = i2c;
    unsigned_[495] = 0xF0;
    Bytes longer = i2c;
    longer.push_back(0);
    struct Case {
        StorageKind kind;
        const Bytes* file;
        ImageFileCheck want;
    } cases[] = {
        {StorageKind::I2C, &i2c, ImageFileCheck::Ok},
        {StorageKind::Flash, &flash, ImageFileCheck::Ok},
        {StorageKind::Flash, &i2c, ImageFileCheck::WrongSize},
        {StorageKind::I2C, &flash, ImageFileCheck::WrongSize},
        {StorageKind::I2C, &longer, ImageFileCheck::WrongSize},
        {StorageKind::I2C, &unsigned_, ImageFileCheck::BadSignature},
        {StorageKind::None, &i2c, ImageFileCheck::NoStorage},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckImageFile(c.kind, *c.file), c.want) << c.file->size();
    EXPECT_EQ(CheckImageFile(StorageKind::I2C, Bytes(100, 0)), ImageFileCheck::WrongSize);
}

TEST(ImageFile, SuffixIsAddedOnlyWhenMissing) {
    EXPECT_EQ(ImageFileName("/tmp/mouse"), "/tmp/mouse.bin");
    EXPECT_EQ(ImageFileName("/tmp/mouse.bin"), "/tmp/mouse.bin");
    EXPECT_EQ(ImageFileName("/tmp/mouse.BIN"), "/tmp/mouse.BIN");
    EXPECT_EQ(ImageFileName("/tmp/mouse.bin.old"), "/tmp/mouse.bin.old.bin");
    EXPECT_EQ(ImageFileName("bin"), "bin.bin");
}

TEST(WholeImageWrites, I2COneBlockFlashThirtyTwoDistinctPages) {
    const Bytes i2c = Image(StorageKind::I2C);
    const auto one = WholeImageWrites(StorageKind::I2C, i2c);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].address, 0);
    EXPECT_EQ(one[0].bytes, i2c);

    Bytes flash(kFlashImageSize);
    for (std::size_t i = 0; i < flash.size(); ++i)
        flash[i] = static_cast<std::uint8_t>(i / kFlashPageSize);
    const auto pages = WholeImageWrites(StorageKind::Flash, flash);
    ASSERT_EQ(pages.size(), 32u);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(pages[i].address, i * kFlashPageSize);
        EXPECT_EQ(pages[i].bytes, Bytes(kFlashPageSize, static_cast<std::uint8_t>(i)));
    }
    EXPECT_TRUE(WholeImageWrites(StorageKind::Flash, i2c).empty());
    EXPECT_TRUE(WholeImageWrites(StorageKind::None, i2c).empty());
}

TEST(WholeImageWrites, RepairedSectionsGoOutRepaired) {
    Bytes file = Image(StorageKind::I2C);
    file[163] ^= 0xFF; // vendor check byte
    file[20] = 0x77;
    WorkingModel model;
    ASSERT_TRUE(model.LoadImage(StorageKind::I2C, file, kCtx));
    const Bytes out = AssembledImage(StorageKind::I2C, model);
    ASSERT_EQ(out.size(), kEepromImageSize);
    EXPECT_TRUE(SectionChecksumValid(std::span(out).subspan(0, 164)));
    EXPECT_EQ(out[20], kDefaultVendorBytes8To39[12]);
    // Outside the sections the file's bytes stay.
    EXPECT_EQ(Bytes(out.begin() + 1024, out.end()), Bytes(file.begin() + 1024, file.end()));
}

TEST(DefaultRestore, KeepsTheMousesOwnPatch) {
    const Bytes defaults = Image(StorageKind::I2C);
    Bytes mouse = defaults;
    for (std::size_t i = 1008; i < 1808; ++i)
        mouse[i] = static_cast<std::uint8_t>(i * 7);
    mouse[100] = 0x55; // a setting: restored from the defaults
    const Bytes out = DefaultImageKeepingPatch(StorageKind::I2C, defaults, mouse);
    ASSERT_EQ(out.size(), kEepromImageSize);
    EXPECT_EQ(Bytes(out.begin() + 1008, out.begin() + 1808),
              Bytes(mouse.begin() + 1008, mouse.begin() + 1808));
    EXPECT_EQ(out[100], defaults[100]);
    EXPECT_EQ(out[0], defaults[0]);

    const Bytes flashDefaults = Image(StorageKind::Flash);
    Bytes flashMouse = flashDefaults;
    flashMouse[0xC000] = 0x99;
    flashMouse[0x1000] = 0x80; // locked stays locked
    flashMouse[0x100E] = 0x12;
    const Bytes flashOut = DefaultImageKeepingPatch(StorageKind::Flash, flashDefaults, flashMouse);
    ASSERT_EQ(flashOut.size(), kFlashImageSize);
    EXPECT_EQ(flashOut[0xC000], 0x99);
    EXPECT_EQ(flashOut[0x1000], 0x80);
    EXPECT_EQ(flashOut[0x100E], 0x12);
    EXPECT_TRUE(DefaultImageKeepingPatch(StorageKind::I2C, defaults, Bytes(10)).empty());
}

TEST(DefaultRestore, CodedDefaultsRebuildSectionsAndKeepPatch) {
    WorkingModel model;
    ASSERT_TRUE(model.LoadImage(StorageKind::I2C, Image(StorageKind::I2C), kCtx));
    WorkingSections& s = model.EditSections();
    s.PatchCode[5] = 0xAB;
    s.VendorSection[30] = 0x01;
    s.MacroArea[3] = 9;
    s.FireMacros[0][0] = 1;
    RebuildCodedDefaults(StorageKind::I2C, s, kCtx);
    EXPECT_EQ(s.PatchCode[5], 0xAB);
    EXPECT_EQ(s.VendorSection[30], kDefaultVendorBytes8To39[22]);
    EXPECT_TRUE(SectionChecksumValid(s.VendorSection));
    EXPECT_TRUE(SectionChecksumValid(s.UserSection));
    for (const auto& p : s.ProfileSection)
        EXPECT_TRUE(SectionChecksumValid(p));
    EXPECT_EQ(s.MacroArea[3], 0);
    EXPECT_EQ(s.FireMacros[0][0], 0);
    EXPECT_EQ(s.IDBlock[11], 0xE0);
}

Bytes PatchFile(std::uint8_t fill) {
    Bytes file(kI2CPatchFileSize, fill);
    const std::uint16_t sum = PatchChecksum(std::span(file).subspan(16));
    file[0] = 0x04;
    file[1] = 0x00;
    file[2] = 0x02;
    file[3] = 0xE0;
    file[6] = static_cast<std::uint8_t>(sum >> 8);
    file[7] = static_cast<std::uint8_t>(sum);
    return file;
}

TEST(PatchCode, ChecksumOfKnownBuffers) {
    EXPECT_EQ(PatchChecksum(Bytes(784, 0)), 0x015A);
    EXPECT_EQ(PatchChecksum(Bytes(1024, 0xFF)), 0xFC00 ^ 0x015A);
    WorkingSections s;
    s.FlashPatchCode.fill(0xFF);
    CheckPatchCodeSection(s);
    EXPECT_EQ(Bytes(s.FlashSettingsHead.begin() + 8, s.FlashSettingsHead.begin() + 16),
              (Bytes{0xC0, 0x00, 0x04, 0x00, 0x00, 0x1A, 0xFD, 0x5A}));
}

TEST(PatchCode, FileRefusedUnlessSizeAndChecksumMatch) {
    const WorkingSections before{};
    struct Case {
        StorageKind kind;
        Bytes file;
        PatchFileCheck want;
    } cases[] = {
        {StorageKind::I2C, PatchFile(0x11), PatchFileCheck::Ok},
        {StorageKind::I2C, Bytes(799, 0), PatchFileCheck::WrongSize},
        {StorageKind::I2C, Bytes(801, 0), PatchFileCheck::WrongSize},
        {StorageKind::I2C,
         [] {
             Bytes f = PatchFile(0x11);
             f[500] ^= 1;
             return f;
         }(),
         PatchFileCheck::BadChecksum},
        {StorageKind::Flash, Bytes(kFlashPatchFileSize, 0x22), PatchFileCheck::Ok},
        {StorageKind::Flash, Bytes(kFlashPatchFileSize - 1, 0x22), PatchFileCheck::WrongSize},
        {StorageKind::None, PatchFile(0x11), PatchFileCheck::NoStorage},
    };
    for (const Case& c : cases) {
        WorkingSections s{};
        EXPECT_EQ(LoadPatchFile(c.kind, c.file, s), c.want) << c.file.size();
        if (c.want != PatchFileCheck::Ok) {
            EXPECT_EQ(s.PatchCode, before.PatchCode);
            EXPECT_EQ(s.PatchBlock, before.PatchBlock);
            EXPECT_EQ(s.FlashPatchCode, before.FlashPatchCode);
        }
    }
}

TEST(PatchCode, WritesKeepTheFileLengthAndSkipALockedFlashMouse) {
    WorkingModel model;
    ASSERT_TRUE(model.LoadImage(StorageKind::I2C, Image(StorageKind::I2C), kCtx));
    ASSERT_EQ(LoadPatchFile(StorageKind::I2C, PatchFile(0), model.EditSections()),
              PatchFileCheck::Ok);
    const auto writes = PatchWrites(StorageKind::I2C, model);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0].address, 1008);
    EXPECT_EQ(Bytes(writes[0].bytes.begin(), writes[0].bytes.begin() + 8),
              (Bytes{0x04, 0x00, 0x02, 0xE0, 0x00, 0x1A, 0x01, 0x5A}));
    EXPECT_EQ(writes[1].address, 1024);
    EXPECT_EQ(writes[1].bytes.size(), 784u);

    WorkingModel flash;
    const SectionDefaultsContext ctx{StorageKind::Flash, "RGB", 1, 0x1209, 0x0001};
    ASSERT_TRUE(flash.LoadImage(StorageKind::Flash, Image(StorageKind::Flash), ctx));
    // The settings block carries the working profiles, as they are now.
    flash.SetProfileKey(2, 3, {0x01, 0x02, 0x00, 0x00});
    const auto flashWrites = PatchWrites(StorageKind::Flash, flash);
    ASSERT_EQ(flashWrites.size(), 2u);
    EXPECT_EQ(flashWrites[0].address, 0xC000);
    EXPECT_EQ(flashWrites[1].address, 0x1000);
    EXPECT_EQ(flashWrites[1].bytes.size(), 256u);
    const std::size_t key = 0x1049 - 0x1000 + 8;
    EXPECT_EQ(Bytes(flashWrites[1].bytes.begin() + key, flashWrites[1].bytes.begin() + key + 2),
              (Bytes{0x01, 0x02}));
    flash.EditSections().FlashSettingsHead[0] = 0x80;
    flash.EditSections().FlashPatchLocked = true;
    EXPECT_TRUE(PatchWrites(StorageKind::Flash, flash).empty());
}

// Random files never crash the readers, and a refused file changes nothing.
TEST(FileReaders, Fuzz) {
    std::mt19937 rng(1234);
    const std::size_t sizes[] = {0,   1,    16,   495,  496,    799,  800,
                                 801, 2047, 2048, 2049, 0x8400, 65536};
    for (int round = 0; round < 200; ++round) {
        const std::size_t size = sizes[rng() % std::size(sizes)];
        Bytes file(size);
        for (auto& b : file)
            b = static_cast<std::uint8_t>(rng());
        for (StorageKind kind : {StorageKind::I2C, StorageKind::Flash, StorageKind::None}) {
            const ImageFileCheck image = CheckImageFile(kind, file);
            if (image == ImageFileCheck::Ok) {
                WorkingModel model;
                EXPECT_TRUE(model.LoadImage(kind, file, {kind, "RGB", 1, 1, 1}));
            }
            WorkingSections s{};
            if (LoadPatchFile(kind, file, s) != PatchFileCheck::Ok) {
                EXPECT_EQ(s.PatchCode, WorkingSections{}.PatchCode);
            }
        }
    }
}

} // namespace
} // namespace trvx::test
