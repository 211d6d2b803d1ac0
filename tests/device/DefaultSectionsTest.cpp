#include "device/DefaultSections.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trvx {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <typename Container> Bytes Range(const Container& c, std::size_t first, std::size_t last) {
    return Bytes(c.begin() + static_cast<std::ptrdiff_t>(first),
                 c.begin() + static_cast<std::ptrdiff_t>(last) + 1);
}

SectionDefaultsContext Ctx(std::string led, int package = 1,
                           StorageKind storage = StorageKind::I2C) {
    return {storage, std::move(led), package, 0x1209, 0x0001};
}

struct LedCase {
    const char* led;
    Bytes bytes5to7;
    std::uint8_t byte42;
    Bytes bytes48to56;
    std::uint8_t userByte1;
};

class DefaultsByLedType : public testing::TestWithParam<LedCase> {};

TEST_P(DefaultsByLedType, VendorAndUserBytesFollowTheLedType) {
    const LedCase& c = GetParam();
    TVendorSection v{};
    TUserSection u{};
    u.fill(0xEE);
    DefaultVendorSection(v, Ctx(c.led));
    DefaultUserSection(u, Ctx(c.led));
    EXPECT_EQ(Range(v, 5, 7), c.bytes5to7);
    EXPECT_EQ(v[42], c.byte42);
    EXPECT_EQ(Range(v, 48, 56), c.bytes48to56);
    EXPECT_EQ(Range(u, 0, 3), (Bytes{0x00, c.userByte1, 0x01, 0x01}));
    EXPECT_EQ(Range(u, 4, 26), Bytes(23, 0x00));
    EXPECT_EQ(u[27], 0xEE) << "the check byte is the caller's";
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, DefaultsByLedType,
    testing::Values(
        LedCase{"RGB", {0xFF, 0x7F, 0x7F}, 0x3F, {1, 0, 0x80, 0, 0, 0x64, 0, 0x64, 8}, 0x05},
        LedCase{"Sync", {0x3F, 0x7F, 0xBF}, 0x05, {0, 0, 0, 0xFF, 0, 0x64, 0x6D, 0x60, 8}, 0x42},
        LedCase{"NT", {0x3F, 0x7F, 0xCF}, 0x37, {0, 0, 0, 0xFF, 0, 0x64, 0, 0x64, 8}, 0xF5},
        LedCase{"MCULED", {0x3F, 0x7F, 0xCF}, 0x7F, {0, 0, 0, 0xFF, 0, 0x64, 0, 0x64, 8}, 0x81}),
    [](const auto& p) { return std::string(p.param.led); });

TEST(DefaultVendorSection, FixedBytesAndIdsWhateverTheBufferHeld) {
    TVendorSection v;
    v.fill(0xA5);
    DefaultVendorSection(v, Ctx("RGB", 0));
    EXPECT_EQ(Range(v, 0, 4), (Bytes{0x12, 0x09, 0x00, 0x01, 0xBF}));
    // Written out here, not taken from the constant the builder and the image generator share.
    EXPECT_EQ(Range(v, 8, 39),
              (Bytes{0xAF, 0x20, 0x35, 0x29, 0x10, 0x30, 0x1A, 0x00, 0x00, 0x45, 0x02,
                     0xEF, 0x10, 0xEF, 0x10, 0xEF, 0x10, 0xFF, 0x10, 0x50, 0x03, 0x01,
                     0x02, 0x48, 0x96, 0xFA, 0x20, 0x1E, 0x02, 0x01, 0x20, 0x00}));
    EXPECT_EQ(Range(v, 40, 47), (Bytes{0x06, 0x87, 0x3F, 0x03, 0x64, 0x98, 0x00, 0x00}));
    EXPECT_EQ(std::string(v.begin() + 111, v.begin() + 127), "HID Gaming mouse");
    Bytes combos(36, 0x00);
    combos[8] = 0x08; // entry 3
    combos[9] = 0x01;
    EXPECT_EQ(Range(v, 127, 162), combos);
    EXPECT_EQ(v[163], 0xA5) << "the check byte is the caller's";
}

TEST(DefaultVendorSection, PackageIndexSetsBytes40And41OrLeavesThem) {
    for (const auto& [index, expected] : std::vector<std::pair<int, Bytes>>{
             {0, {0x06, 0x87}}, {1, {0x10, 0xE0}}, {2, {0xA5, 0xA5}}, {-1, {0xA5, 0xA5}}}) {
        TVendorSection v;
        v.fill(0xA5);
        DefaultVendorSection(v, Ctx("RGB", index));
        EXPECT_EQ(Range(v, 40, 41), expected) << "package " << index;
    }
}

TEST(DefaultVendorSection, StorageTypeSetsByte4OrLeavesIt) {
    for (const auto& [storage, expected] : std::vector<std::pair<StorageKind, std::uint8_t>>{
             {StorageKind::I2C, 0xBF}, {StorageKind::Flash, 0xFF}, {StorageKind::None, 0xA5}}) {
        TVendorSection v;
        v.fill(0xA5);
        DefaultVendorSection(v, Ctx("RGB", 1, storage));
        EXPECT_EQ(v[4], expected);
    }
}

TEST(DefaultVendorSection, SyncKeepsBothColourTablesOthersWriteThem) {
    const Bytes palette = {0xFF, 0x00, 0x00, 0xFF, 0x80, 0x00, 0xFF, 0xFF, 0x00, 0x00,
                           0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x80, 0x00, 0xFF,
                           0xFF, 0x80, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    const Bytes cpiColours = {0x00, 0xFF, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0x80,
                              0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x80, 0xFF,
                              0x00, 0xFF, 0x80, 0x00, 0xFF, 0x00, 0x00, 0xFF};
    for (const char* led : {"RGB", "NT", "MCULED", "Sync"}) {
        TVendorSection v;
        v.fill(0xA5);
        DefaultVendorSection(v, Ctx(led));
        if (std::string(led) == "Sync") {
            EXPECT_EQ(Range(v, 57, 110), Bytes(54, 0xA5));
        } else {
            EXPECT_EQ(Range(v, 57, 86), palette) << led;
            EXPECT_EQ(Range(v, 87, 110), cpiColours) << led;
        }
    }
}

TEST(DefaultSections, UnknownLedTypeGivesExactlyTheRgbDefaults) {
    for (const char* led : {"", "rgb", "Laser"}) {
        TVendorSection rgb, other;
        rgb.fill(0x11);
        other.fill(0x11);
        DefaultVendorSection(rgb, Ctx("RGB"));
        DefaultVendorSection(other, Ctx(led));
        EXPECT_EQ(other, rgb) << '"' << led << '"';
        TUserSection rgbUser{}, otherUser{};
        DefaultUserSection(rgbUser, Ctx("RGB"));
        DefaultUserSection(otherUser, Ctx(led));
        EXPECT_EQ(otherUser, rgbUser) << '"' << led << '"';
    }
}

TEST(DefaultProfileSections, BothPackagesGiveTheSameKeysOthersLeaveTheSection) {
    const Bytes keys = {0x01, 0x01, 0x00, 0x00, 0x01, 0x08, 0x00, 0x00, 0x06, 0x12, 0x00, 0x10,
                        0x01, 0x02, 0x00, 0x00, 0x01, 0x10, 0x00, 0x00, 0x02, 0x08, 0x07, 0x00,
                        0x01, 0x04, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00};
    for (auto* build : {DefaultProfile1Section, DefaultProfile2Section, DefaultProfile3Section}) {
        for (int package : {0, 1}) {
            TProfileSection p;
            p.fill(0xA5);
            build(p, Ctx("RGB", package));
            EXPECT_EQ(Range(p, 0, 35), keys);
            EXPECT_EQ(Range(p, 36, 47), Bytes(12, 0x00)); // keys 10..12 empty
            EXPECT_EQ(p[48], 0xA5) << "the check byte is the caller's";
        }
        TProfileSection p;
        p.fill(0xA5);
        build(p, Ctx("RGB", 5));
        EXPECT_EQ(Range(p, 0, 48), Bytes(49, 0xA5));
    }
}

TEST(DefaultIDBlock, FireKeySetsAndSignatureByStorageType) {
    for (const auto& [storage, signature] : std::vector<std::pair<StorageKind, std::uint8_t>>{
             {StorageKind::I2C, 0xE0}, {StorageKind::Flash, 0xF0}, {StorageKind::None, 0xA5}}) {
        TIDBlock b;
        b.fill(0xA5);
        DefaultIDBlock(b, Ctx("RGB", 1, storage));
        EXPECT_EQ(Range(b, 0, 10),
                  (Bytes{0xFF, 0xFF, 0x01, 0x00, 0x3C, 0x03, 0x00, 0x78, 0x07, 0x00, 0xC8}));
        EXPECT_EQ(b[11], signature);
    }
}

TEST(DefaultMacroStore, NamesMacro1To32AndEmptyBodies) {
    TFlashMacroNames names;
    TFlashMacroBodies bodies;
    for (auto& n : names)
        n.fill(0xFF);
    for (auto& b : bodies)
        b.fill(0xFF);
    DefaultMacroStore(names, bodies);
    EXPECT_EQ(Bytes(names[9].begin(), names[9].end()),
              (Bytes{0x00, 0x4D, 0x00, 0x61, 0x00, 0x63, 0x00, 0x72, 0x00, 0x6F, 0x00, 0x31, 0x00,
                     0x30, 0x00, 0x00}));
    EXPECT_EQ(
        Bytes(names[0].begin(), names[0].end()),
        (Bytes{0x00, 'M', 0x00, 'a', 0x00, 'c', 0x00, 'r', 0x00, 'o', 0x00, '1', 0, 0, 0, 0}));
    EXPECT_EQ(names[31], MakeMacroName(u"Macro32"));
    for (const auto& n : names) {
        EXPECT_EQ(n[14], 0x00);
        EXPECT_EQ(n[15], 0x00);
    }
    for (const auto& b : bodies)
        EXPECT_EQ(b, TFlashMacroBody{});
}

TEST(MakeMacroName, CutsAtEightCharacters) {
    const TMacroName n = MakeMacroName(u"ABCDEFGHIJ");
    EXPECT_EQ(n[14], 0x00);
    EXPECT_EQ(n[15], 'H');
}

TEST(ClearFireMacros, ZeroesEverySlot) {
    TFireMacros slots;
    for (auto& s : slots)
        s.fill(0x21);
    ClearFireMacros(slots);
    for (const auto& s : slots)
        EXPECT_EQ(s, TFireMacro{});
}

} // namespace
} // namespace trvx
