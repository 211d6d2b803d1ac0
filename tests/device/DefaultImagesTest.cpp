#include "device/DefaultImages.h"
#include "base/Resources.h"
#include "device/ConfigImage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trvx {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Hex(std::string_view text) {
    Bytes out;
    std::string digits;
    for (char c : text)
        if (c != ' ')
            digits.push_back(c);
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
        out.push_back(static_cast<std::uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
    return out;
}

Bytes Res(std::string_view name) {
    const auto r = resource(name);
    return Bytes(r.begin(), r.end());
}

Bytes Slice(const Bytes& image, std::size_t offset, std::size_t length) {
    return Bytes(image.begin() + static_cast<std::ptrdiff_t>(offset),
                 image.begin() + static_cast<std::ptrdiff_t>(offset + length));
}

// Recomputed here rather than taken from the code under test.
std::uint8_t CheckByte(const Bytes& image, ImageRange r) {
    std::uint8_t sum = 0;
    for (std::size_t i = r.offset; i + 1 < r.end(); ++i)
        sum = static_cast<std::uint8_t>(sum + image[i]);
    return static_cast<std::uint8_t>(sum ^ 0x5A);
}

std::uint16_t PatchSum(const Bytes& image, std::size_t offset, std::size_t length) {
    std::uint32_t sum = 0;
    for (std::size_t i = offset; i < offset + length; ++i)
        sum += image[i];
    return static_cast<std::uint16_t>(sum);
}

void ExpectCheckBytes(const Bytes& image, std::vector<ImageRange> sections) {
    for (const ImageRange& r : sections)
        EXPECT_EQ(image[r.end() - 1], CheckByte(image, r)) << "section at " << r.offset;
}

Bytes FireMacroSlots() {
    Bytes all;
    for (int i = 0; i < 10; ++i) {
        Bytes slot = i == 1 ? Hex("FD 00 A1 FE 00 01 04 00 02 FE 00 01 21 FE 00 01 FC")
                            : Hex("A1 FE 00 01 FD 00 04 00 01 FE 00 28 FC 21 FE 00 01");
        if (i == 2) {
            slot[8] = 0x03;
            slot[11] = 0x12;
        } else if (i >= 3) {
            slot[8] = static_cast<std::uint8_t>(i + 1);
            slot[11] = 0x20;
        }
        slot.resize(24, 0x00);
        all.insert(all.end(), slot.begin(), slot.end());
    }
    return all;
}

const Bytes kProfile12 = Hex("01010000 01080002 0692003C 01020000 01100000 09010000"
                             "01040000 09000000 09020000 00000000 00000000 00000000");
const Bytes kProfile3 = Hex("01010000 01080002 0692003C 01020000 01100000 02080700"
                            "01040000 09000000 08000000 00000000 00000000 00000000");

TEST(ShippedDefaultImages, AreThreeIdenticalI2CImagesWithValidCheckBytes) {
    const Bytes first = Res("TRVX4410BData_Cfg1");
    ASSERT_EQ(first.size(), kEepromImageSize);
    EXPECT_EQ(Res("TRVX4410BData_Cfg2"), first);
    EXPECT_EQ(Res("TRVX4410BData_Cfg3"), first);

    ExpectCheckBytes(first, {eeprom::kVendor,
                             eeprom::kUser,
                             eeprom::kProfiles[0],
                             eeprom::kProfiles[1],
                             eeprom::kProfiles[2],
                             {1016, 8}});
    // Patch checksum: the code's 16-bit sum XOR 0x015A, stored big-endian in header bytes 6..7.
    EXPECT_EQ(PatchSum(first, 1024, 0x2E0), 0x5E39);
    EXPECT_EQ(Slice(first, 1024 + 0x2E0, 784 - 0x2E0), Bytes(784 - 0x2E0, 0x00));
    EXPECT_EQ(PatchSum(first, 1024, 784) ^ 0x015A, 0x5F63);
    EXPECT_EQ(Slice(first, 1014, 2), Hex("5F 63"));
}

TEST(ShippedDefaultImages, HoldTheListedBytes) {
    const Bytes image = Res("TRVX4410BData_Cfg1");
    ASSERT_EQ(image.size(), kEepromImageSize);
    Bytes combos(36, 0x00);
    const Bytes e2 = Hex("0E000000"), e4 = Hex("07D1F018");
    std::copy(e2.begin(), e2.end(), combos.begin() + 4);
    std::copy(e4.begin(), e4.end(), combos.begin() + 12);
    Bytes user = Hex("00 82 01");
    user.resize(27, 0x00);
    const std::vector<std::pair<std::size_t, Bytes>> listed = {
        {0, Hex("12 09 00 01 BF 1F 7F 4F")},
        {8, Hex("AF 20 35 29 10 30 1A 00 00 45 02 EF 10 EF 10 EF 10 FF 10 50 03 01 02 48 96 FA "
                "20 1E 02 01 20 00")},
        {40, Hex("06 87 FE 05 63 98 BA 00 00 00 00 FF 00 64 00 64 08")},
        {57, Hex("FF7F00 7FFF00 FF7F7F FF007F 00FF7F 007FFF 7F7FFF 7FFF7F 7F7FFF FFFFFF")},
        {87, Hex("FF0000 00FF00 0000FF FFFF00 00FFFF FF00FF 8000FF 0000FF")},
        {111,
         Bytes{'H', 'I', 'D', ' ', 'G', 'a', 'm', 'i', 'n', 'g', ' ', 'M', 'o', 'u', 's', 'e'}},
        {127, combos},
        {164, user},
        {192, kProfile12},
        {241, kProfile12},
        {290, kProfile3},
        {339, Bytes(145, 0xFF)},
        {484, Hex("FF FF 02 00 3C 04 00 3C 07 00 3C E0")},
        {496, Bytes(512, 0x00)},
        {1008, Hex("04 00 02 E0 00 1A 5F 63 01 83 00 00 00 00 00 DE")},
        {1808, FireMacroSlots()},
    };
    for (const auto& [offset, bytes] : listed)
        EXPECT_EQ(Slice(image, offset, bytes.size()), bytes) << "at " << offset;
}

TEST(ShippedDefaultImages, GiveTheStartUpFacts) {
    const auto facts = ReadDefaultImageHead(resource("TRVX4410BData_Cfg1"));
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->StorageType, StorageKind::I2C);
    EXPECT_EQ(facts->DefaultVID, 0x1209u);
    EXPECT_EQ(facts->DefaultPID, 0x0001u);
    EXPECT_EQ(facts->DefaultManuID, 255u);
    EXPECT_EQ(facts->DefaultProID, 255u);
}

TEST(ShippedDefaultImages, SplitWithoutRepairs) {
    WorkingSections s;
    const auto repaired = SplitImage(StorageKind::I2C, resource("TRVX4410BData_Cfg1"), s,
                                     {StorageKind::I2C, "RGB", 1, 0x1209, 0x0001});
    ASSERT_TRUE(repaired);
    EXPECT_FALSE(repaired->any());
}

TEST(FlashDefaultImages, AreLaidOutAsTheFlashTableWithValidCheckBytes) {
    const Bytes image = Res("TRVX4410BFlash_Cfg1");
    ASSERT_EQ(image.size(), kFlashImageSize);
    EXPECT_EQ(Res("TRVX4410BFlash_Cfg2"), image);
    EXPECT_EQ(Res("TRVX4410BFlash_Cfg3"), image);
    const Bytes eeprom = Res("TRVX4410BData_Cfg1");

    ExpectCheckBytes(image, {flash::kVendor, flash::kUser, flash::kProfiles[0], flash::kProfiles[1],
                             flash::kProfiles[2]});
    EXPECT_EQ(Slice(image, 0, 4), Hex("1209 0001"));
    EXPECT_EQ(image[4], 0xFF) << "IC type of a flash controller";
    EXPECT_EQ(Slice(image, 5, 158), Slice(eeprom, 5, 158)); // rest of the vendor settings
    // Settings head: unlocked, patch header for 1024 bytes of code at 0xC000.
    EXPECT_EQ(Slice(image, 0x1000, 8), Bytes(8, 0x00));
    EXPECT_EQ(PatchSum(image, 0xC000, 1024) ^ 0x015A, 0x5F63);
    EXPECT_EQ(Slice(image, 0x1008, 8), Hex("C0 00 04 00 00 1A 5F 63"));
    EXPECT_EQ(Slice(image, 0x1018, 48), kProfile12);
    EXPECT_EQ(Slice(image, 0x1049, 48), kProfile12);
    EXPECT_EQ(Slice(image, 0x107A, 48), kProfile3);
    EXPECT_EQ(Slice(image, 0x10AB, 41), Bytes(41, 0xFF));
    EXPECT_EQ(Slice(image, 0x10D4, 44), Bytes(44, 0x00));
    EXPECT_EQ(Slice(image, 0x2000, 28), Slice(eeprom, 164, 28));
    EXPECT_EQ(Slice(image, 0x3000 + 9 * 16, 16),
              Hex("004D 0061 0063 0072 006F 0031 0030 0000")); // "Macro10"
    EXPECT_EQ(Slice(image, 0x3000 + 31 * 16, 16),
              Hex("004D 0061 0063 0072 006F 0033 0032 0000")); // "Macro32"
    EXPECT_EQ(Slice(image, 0x4000, 8192), Bytes(8192, 0x00));
    EXPECT_EQ(Slice(image, 0x6000, 12), Hex("FF FF 02 00 3C 04 00 3C 07 00 3C F0"));
    EXPECT_EQ(Slice(image, 0x7000, 240), FireMacroSlots());
    EXPECT_EQ(Slice(image, 0xC000, 784), Slice(eeprom, 1024, 784));
    EXPECT_EQ(Slice(image, 0xC000 + 784, 240), Bytes(240, 0x00));
}

TEST(FlashDefaultImages, SplitWithoutRepairsAndGiveFlashStartUpFacts) {
    WorkingSections s;
    s.FlashSettingsHead[0] = 0x80;
    const auto repaired = SplitImage(StorageKind::Flash, resource("TRVX4410BFlash_Cfg1"), s,
                                     {StorageKind::Flash, "RGB", 1, 0x1209, 0x0001});
    ASSERT_TRUE(repaired);
    EXPECT_FALSE(repaired->any());
    EXPECT_FALSE(s.FlashPatchLocked);

    const auto facts = ReadDefaultImageHead(resource("TRVX4410BFlash_Cfg1"));
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->StorageType, StorageKind::Flash);
    EXPECT_EQ(facts->DefaultManuID, 255u); // from the ID block at 0x6000
    EXPECT_EQ(facts->DefaultProID, 255u);
    EXPECT_EQ(facts->DefaultVID, 0x1209u);
}

TEST(ReadDefaultImageHead, FlashPathAndShortResources) {
    Bytes image(2048, 0x00);
    image[0] = 0xAB;
    image[3] = 0xCD;
    image[484] = 7; // ignored without the I2C signature
    const auto flashFacts = ReadDefaultImageHead(image);
    ASSERT_TRUE(flashFacts);
    EXPECT_EQ(flashFacts->StorageType, StorageKind::Flash);
    EXPECT_EQ(flashFacts->DefaultVID, 0xAB00u);
    EXPECT_EQ(flashFacts->DefaultPID, 0x00CDu);
    EXPECT_EQ(flashFacts->DefaultManuID, 0u) << "0x6000 lies beyond a 2048-byte resource";

    EXPECT_FALSE(ReadDefaultImageHead(Bytes(511, 0x00)));
    EXPECT_FALSE(ReadDefaultImageHead({}));
}

TEST(LoadDefaultImages, ShortResourceFillsOnlyPageZeroOfAFlashImage) {
    const auto images = LoadDefaultImages(StorageKind::Flash);
    const Bytes data = Res("TRVX4410BData_Cfg2");
    ASSERT_EQ(images[1].size(), kFlashImageSize);
    EXPECT_EQ(Slice(images[1], 0, 2048), data);
    EXPECT_EQ(Slice(images[1], 2048, kFlashImageSize - 2048), Bytes(kFlashImageSize - 2048, 0));

    EXPECT_EQ(LoadDefaultImages(StorageKind::I2C)[2], Res("TRVX4410BData_Cfg3"));
    EXPECT_EQ(LoadDefaultImages(StorageKind::Flash, kDefaultFlashImageResources)[0],
              Res("TRVX4410BFlash_Cfg1"));
    EXPECT_TRUE(LoadDefaultImages(StorageKind::None)[0].empty());
    EXPECT_EQ(LoadDefaultImages(StorageKind::I2C, {"none", "none", "none"})[0],
              Bytes(kEepromImageSize, 0x00));
}

TEST(LoadDefaultImages, ShortResourceOnAFlashMouseRepairsProfilesAndUserButKeepsVendor) {
    const auto images = LoadDefaultImages(StorageKind::Flash);
    WorkingSections s;
    const SectionDefaultsContext ctx{StorageKind::Flash, "RGB", 1, 0x1209, 0x0001};
    const auto repaired = SplitImage(StorageKind::Flash, images[0], s, ctx);
    ASSERT_TRUE(repaired);
    EXPECT_FALSE(repaired->vendor);
    EXPECT_TRUE(repaired->user);
    EXPECT_EQ(repaired->profiles, (std::array<bool, 3>{true, true, true}));
    TUserSection user{};
    DefaultUserSection(user, ctx);
    SetUserChecksum(user);
    EXPECT_EQ(s.UserSection, user);
}

} // namespace
} // namespace trvx
