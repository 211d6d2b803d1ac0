#include "device/ConfigImage.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace trvx {
namespace {

using Bytes = std::vector<std::uint8_t>;

const SectionDefaultsContext kI2C{StorageKind::I2C, "RGB", 1, 0x1209, 0x0001};
const SectionDefaultsContext kFlash{StorageKind::Flash, "RGB", 1, 0x1209, 0x0001};

Bytes RandomImage(std::size_t size, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes image(size);
    for (auto& b : image)
        b = static_cast<std::uint8_t>(rng());
    return image;
}

void Seal(Bytes& image, ImageRange r) {
    SetSectionChecksum(std::span(image).subspan(r.offset, r.length));
}

// A random image whose checked sections are all valid.
Bytes ValidImage(StorageKind kind, unsigned seed) {
    Bytes image = RandomImage(ImageSizeFor(kind), seed);
    if (kind == StorageKind::I2C) {
        for (ImageRange r : {eeprom::kVendor, eeprom::kUser, eeprom::kProfiles[0],
                             eeprom::kProfiles[1], eeprom::kProfiles[2]})
            Seal(image, r);
    } else {
        for (ImageRange r : {flash::kVendor, flash::kUser, flash::kProfiles[0], flash::kProfiles[1],
                             flash::kProfiles[2]})
            Seal(image, r);
    }
    return image;
}

template <std::size_t N> Bytes AsBytes(const std::array<std::uint8_t, N>& a) {
    return Bytes(a.begin(), a.end());
}

Bytes Slice(const Bytes& image, ImageRange r) {
    return Bytes(image.begin() + r.offset, image.begin() + r.end());
}

// --- check and repair -------------------------------------------------------------------

struct CheckedSection {
    const char* name;
    ImageRange i2c;
    ImageRange flash;
    bool RepairedSections::*flag; // nullptr: a profile, see index
    int profile;
};

const CheckedSection kChecked[] = {
    {"vendor", eeprom::kVendor, flash::kVendor, &RepairedSections::vendor, -1},
    {"user", eeprom::kUser, flash::kUser, &RepairedSections::user, -1},
    {"profile1", eeprom::kProfiles[0], flash::kProfiles[0], nullptr, 0},
    {"profile2", eeprom::kProfiles[1], flash::kProfiles[1], nullptr, 1},
    {"profile3", eeprom::kProfiles[2], flash::kProfiles[2], nullptr, 2},
};

Bytes SectionOf(const WorkingSections& s, const CheckedSection& c) {
    if (c.flag == &RepairedSections::vendor)
        return AsBytes(s.VendorSection);
    if (c.flag == &RepairedSections::user)
        return AsBytes(s.UserSection);
    return AsBytes(s.ProfileSection[static_cast<std::size_t>(c.profile)]);
}

// What the coded defaults give for the section, starting from the given bytes.
Bytes DefaultOf(const CheckedSection& c, Bytes held, const SectionDefaultsContext& ctx) {
    auto build = [&](auto& section, auto builder) {
        std::copy(held.begin(), held.end(), section.begin());
        builder(section, ctx);
        SetSectionChecksum(section);
        return AsBytes(section);
    };
    if (c.flag == &RepairedSections::vendor) {
        TVendorSection v;
        return build(v, DefaultVendorSection);
    }
    if (c.flag == &RepairedSections::user) {
        TUserSection u;
        return build(u, DefaultUserSection);
    }
    TProfileSection p;
    if (c.profile == 0)
        return build(p, DefaultProfile1Section);
    if (c.profile == 1)
        return build(p, DefaultProfile2Section);
    return build(p, DefaultProfile3Section);
}

bool WasRepaired(const RepairedSections& r, const CheckedSection& c) {
    return c.flag ? r.*c.flag : r.profiles[static_cast<std::size_t>(c.profile)];
}

class SectionRepair : public testing::TestWithParam<std::tuple<CheckedSection, StorageKind>> {};

TEST_P(SectionRepair, OneChangedByteReplacesTheSectionWholeARecomputedCheckByteKeepsIt) {
    const auto& [c, kind] = GetParam();
    const auto& ctx = kind == StorageKind::I2C ? kI2C : kFlash;
    const ImageRange range = kind == StorageKind::I2C ? c.i2c : c.flash;
    Bytes image = ValidImage(kind, 7);
    image[range.offset + 2] ^= 0x01;

    WorkingSections s;
    auto repaired = SplitImage(kind, image, s, ctx);
    ASSERT_TRUE(repaired);
    for (const CheckedSection& other : kChecked)
        EXPECT_EQ(WasRepaired(*repaired, other), std::string(other.name) == c.name) << other.name;
    EXPECT_EQ(SectionOf(s, c), DefaultOf(c, Slice(image, range), ctx));
    EXPECT_TRUE(SectionChecksumValid(SectionOf(s, c)));

    Seal(image, range);
    repaired = SplitImage(kind, image, s, ctx);
    ASSERT_TRUE(repaired);
    EXPECT_FALSE(repaired->any());
    EXPECT_EQ(SectionOf(s, c), Slice(image, range));
}

INSTANTIATE_TEST_SUITE_P(Sections, SectionRepair,
                         testing::Combine(testing::ValuesIn(kChecked),
                                          testing::Values(StorageKind::I2C, StorageKind::Flash)),
                         [](const auto& p) {
                             return std::string(std::get<0>(p.param).name) +
                                    (std::get<1>(p.param) == StorageKind::I2C ? "I2C" : "Flash");
                         });

TEST(CheckVendorSection, AllZeroFailsZeroSumPassesOnlyWith5A) {
    TVendorSection v{};
    EXPECT_TRUE(CheckVendorSection(v, kI2C));
    EXPECT_EQ(v[0], 0x12) << "replaced by the defaults";
    EXPECT_TRUE(SectionChecksumValid(v));

    TVendorSection zeroSum{};
    zeroSum[0] = 0x80;
    zeroSum[1] = 0x80;
    zeroSum[163] = 0x5A;
    const TVendorSection held = zeroSum;
    EXPECT_FALSE(CheckVendorSection(zeroSum, kI2C));
    EXPECT_EQ(zeroSum, held);
}

TEST(CheckUserSection, RepairUsesTheCallersContext) {
    TUserSection u{};
    u[27] = 0x00; // wrong check byte
    EXPECT_TRUE(CheckUserSection(u, {StorageKind::I2C, "NT", 0, 0, 0}));
    EXPECT_EQ(u[1], 0xF5);
}

// --- split and assemble -----------------------------------------------------------------

TEST(SplitImage, I2CFillsTheI2CSectionsOnly) {
    const Bytes image = ValidImage(StorageKind::I2C, 1);
    WorkingSections s;
    s.FlashSettingsHead.fill(0x33);
    s.FlashPatchCode.fill(0x44);
    s.FlashPatchLocked = true;
    ASSERT_TRUE(SplitImage(StorageKind::I2C, image, s, kI2C));
    EXPECT_EQ(AsBytes(s.VendorSection), Slice(image, eeprom::kVendor));
    EXPECT_EQ(AsBytes(s.ProfileSection[2]), Slice(image, eeprom::kProfiles[2]));
    EXPECT_EQ(AsBytes(s.ProfileTailBlock), Slice(image, eeprom::kProfileTail));
    EXPECT_EQ(AsBytes(s.IDBlock), Slice(image, eeprom::kIdBlock));
    EXPECT_EQ(AsBytes(s.MacroArea), Slice(image, eeprom::kMacroArea));
    EXPECT_EQ(AsBytes(s.PatchBlock), Slice(image, eeprom::kPatchBlock));
    EXPECT_EQ(AsBytes(s.PatchCode), Slice(image, eeprom::kPatchCode));
    EXPECT_EQ(AsBytes(s.FireMacroImage), Slice(image, eeprom::kFireMacros));
    EXPECT_EQ(AsBytes(s.FireMacros[9]), Slice(image, {eeprom::kFireMacros.offset + 9 * 24, 24}));
    // Flash-only sections keep what they held.
    EXPECT_EQ(s.FlashSettingsHead[5], 0x33);
    EXPECT_EQ(s.FlashPatchCode[1000], 0x44);
    EXPECT_TRUE(s.FlashPatchLocked);
}

TEST(SplitImage, FlashFillsMacroStoreFireSlotsAndPatchLock) {
    for (std::uint8_t head0 : {0x80, 0x00, 0x81}) {
        Bytes image = ValidImage(StorageKind::Flash, 2);
        image[flash::kSettingsHead.offset] = head0;
        WorkingSections s;
        s.MacroArea.fill(0x55);
        ASSERT_TRUE(SplitImage(StorageKind::Flash, image, s, kFlash));
        EXPECT_EQ(s.FlashPatchLocked, head0 == 0x80);
        EXPECT_EQ(AsBytes(s.FlashSettingsHead), Slice(image, flash::kSettingsHead));
        EXPECT_EQ(AsBytes(s.FlashMacroNames[31]), Slice(image, {0x3000 + 31 * 16, 16}));
        EXPECT_EQ(AsBytes(s.FlashMacroBodies[31]), Slice(image, {0x4000 + 31 * 256, 256}));
        EXPECT_EQ(AsBytes(s.IDBlock), Slice(image, flash::kIdBlock));
        EXPECT_EQ(AsBytes(s.FireMacros[3]), Slice(image, {0x7000 + 3 * 24, 24}));
        EXPECT_EQ(AsBytes(s.FlashPatchCode), Slice(image, flash::kPatchCode));
        EXPECT_EQ(s.MacroArea[0], 0x55) << "the EEPROM macro area is not a flash section";
    }
}

TEST(SplitImage, CallsTheMacroHookOfItsStorageTypeOnceFilled) {
    int i2cCalls = 0, flashCalls = 0;
    MacroStoreHooks hooks;
    hooks.macroAreaLoaded = [&](const WorkingSections& s) {
        ++i2cCalls;
        EXPECT_EQ(s.MacroArea[0], 0xAB);
    };
    hooks.flashMacroStoreLoaded = [&](const WorkingSections& s) {
        ++flashCalls;
        EXPECT_EQ(s.FlashMacroNames[0][1], 'M');
    };
    WorkingSections s;
    Bytes i2c = ValidImage(StorageKind::I2C, 3);
    i2c[eeprom::kMacroArea.offset] = 0xAB;
    ASSERT_TRUE(SplitImage(StorageKind::I2C, i2c, s, kI2C, hooks));
    EXPECT_EQ(i2cCalls, 1);
    EXPECT_EQ(flashCalls, 0);

    Bytes flashImage = ValidImage(StorageKind::Flash, 3);
    flashImage[flash::kMacroNames.offset + 1] = 'M';
    ASSERT_TRUE(SplitImage(StorageKind::Flash, flashImage, s, kFlash, hooks));
    EXPECT_EQ(i2cCalls, 1);
    EXPECT_EQ(flashCalls, 1);
}

TEST(AssembleImage, I2CRoundTripKeepsBytes380To483AsTheWorkingImageHeld) {
    const Bytes original = ValidImage(StorageKind::I2C, 4);
    WorkingSections s;
    ASSERT_TRUE(SplitImage(StorageKind::I2C, original, s, kI2C));

    Bytes working = RandomImage(kEepromImageSize, 99);
    const Bytes held = Slice(working, eeprom::kUnassigned);
    ASSERT_TRUE(AssembleImage(StorageKind::I2C, s, working));
    EXPECT_EQ(Slice(working, eeprom::kUnassigned), held);
    std::copy(held.begin(), held.end(), working.begin() + eeprom::kUnassigned.offset);
    Bytes expected = original;
    std::copy(held.begin(), held.end(), expected.begin() + eeprom::kUnassigned.offset);
    EXPECT_EQ(working, expected);
}

TEST(AssembleImage, FlashRoundTripWritesTheSectionsAndKeepsEveryOtherByte) {
    const Bytes original = ValidImage(StorageKind::Flash, 5);
    WorkingSections s;
    ASSERT_TRUE(SplitImage(StorageKind::Flash, original, s, kFlash));

    const std::vector<ImageRange> sections = {
        flash::kVendor,      flash::kSettingsHead, flash::kProfiles[0], flash::kProfiles[1],
        flash::kProfiles[2], flash::kProfileTail,  flash::kUser,        flash::kMacroNames,
        flash::kMacroBodies, flash::kIdBlock,      flash::kFireMacros,  flash::kPatchCode};
    Bytes working = RandomImage(kFlashImageSize, 98);
    const Bytes before = working;
    ASSERT_TRUE(AssembleImage(StorageKind::Flash, s, working));
    std::vector<bool> inSection(kFlashImageSize, false);
    for (ImageRange r : sections)
        for (std::size_t i = r.offset; i < r.end(); ++i)
            inSection[i] = true;
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < kFlashImageSize; ++i)
        wrong += working[i] != (inSection[i] ? original[i] : before[i]);
    EXPECT_EQ(wrong, 0u);
    // The 44 bytes after the tail belong to no section: the whole-image write keeps them.
    EXPECT_EQ(Slice(working, {0x10D4, 44}), Slice(before, {0x10D4, 44}));
}

TEST(FlashSettingsBlock, HeadProfilesTailThen44ZeroBytes) {
    Bytes image = ValidImage(StorageKind::Flash, 6);
    WorkingSections s;
    ASSERT_TRUE(SplitImage(StorageKind::Flash, image, s, kFlash));
    s.ProfileSection[1][0] = 0x42; // changed since the read: the write buffer seals it again
    const TProfileWriteBuffer profiles = BuildProfileWriteBuffer(s);
    EXPECT_TRUE(SectionChecksumValid(s.ProfileSection[1]));
    const TFlashSettingsBlock block =
        BuildFlashSettingsBlock(s.FlashSettingsHead, profiles, s.ProfileTailBlock);

    Bytes expected = Slice(image, {0x1000, 24});
    for (const auto& p : s.ProfileSection)
        expected.insert(expected.end(), p.begin(), p.end());
    expected.insert(expected.end(), s.ProfileTailBlock.begin(), s.ProfileTailBlock.end());
    expected.resize(256, 0x00);
    EXPECT_EQ(AsBytes(block), expected);
    EXPECT_EQ(block[24 + 49], 0x42);
}

TEST(ProfileWriteBuffer, ThreeSealedProfilesBackToBack) {
    WorkingSections s;
    for (std::size_t p = 0; p < 3; ++p)
        s.ProfileSection[p].fill(static_cast<std::uint8_t>(p + 1));
    const TProfileWriteBuffer buffer = BuildProfileWriteBuffer(s);
    for (std::size_t p = 0; p < 3; ++p) {
        EXPECT_EQ(buffer[49 * p], p + 1);
        EXPECT_EQ(buffer[49 * p + 48], SectionChecksum(s.ProfileSection[p]));
        EXPECT_TRUE(SectionChecksumValid(s.ProfileSection[p]));
    }
}

struct WrongSize {
    StorageKind kind;
    std::size_t size;
};

class WrongSizeImage : public testing::TestWithParam<WrongSize> {};

TEST_P(WrongSizeImage, IsRefusedAndChangesNothing) {
    const auto [kind, size] = GetParam();
    WorkingSections s;
    s.VendorSection.fill(0x77);
    s.MacroArea.fill(0x66);
    const WorkingSections before = s;
    bool hookCalled = false;
    MacroStoreHooks hooks{[&](const WorkingSections&) { hookCalled = true; },
                          [&](const WorkingSections&) { hookCalled = true; }};
    Bytes image(size, 0x00);
    EXPECT_FALSE(SplitImage(kind, image, s, kI2C, hooks));
    EXPECT_EQ(s.VendorSection, before.VendorSection);
    EXPECT_EQ(s.MacroArea, before.MacroArea);
    EXPECT_EQ(s.UserSection, before.UserSection);
    EXPECT_FALSE(hookCalled);

    EXPECT_FALSE(AssembleImage(kind, s, image));
    EXPECT_EQ(image, Bytes(size, 0x00));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, WrongSizeImage,
    testing::Values(WrongSize{StorageKind::I2C, 0}, WrongSize{StorageKind::I2C, 2047},
                    WrongSize{StorageKind::I2C, 2049}, WrongSize{StorageKind::I2C, 65536},
                    WrongSize{StorageKind::Flash, 2048}, WrongSize{StorageKind::Flash, 65535},
                    WrongSize{StorageKind::None, 2048}, WrongSize{StorageKind::None, 0}));

} // namespace
} // namespace trvx
