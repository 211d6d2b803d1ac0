// The simulated firmware's commands, driven through raw feature reports on the vendor
// collection: the register map with its check bytes, block transfers, X-data, the device
// information reply, and the choices the mouse's real behaviour left to us.

#include "SimTestSupport.h"

#include "device/ImageLayout.h"

#include <gtest/gtest.h>

#include <span>

namespace trvx {
namespace {

using simtest::Bytes;
using simtest::PatternImage;
using simtest::Reply;
using simtest::SimBench;

std::span<const std::uint8_t> Section(const Bytes& image, std::uint32_t offset, std::size_t size) {
    return std::span(image).subspan(offset, size);
}

struct RegisterWriteCase {
    const char* name;
    StorageKind kind;
    std::uint8_t bank;
    std::uint8_t reg;
    Bytes values;              // what lands in reg, reg+1, ...
    std::uint8_t count;        // byte 7 of a bank-0 write
    std::uint32_t imageOffset; // where reg lives in the image
    std::uint32_t sectionOffset;
    std::size_t sectionSize;
};

class RegisterWrite : public ::testing::TestWithParam<RegisterWriteCase> {};

TEST_P(RegisterWrite, StoresBytesAndRenewsTheSectionCheckByte) {
    const auto& c = GetParam();
    SimBench bench(c.kind);
    const Bytes before = bench.mouse->Image();
    ASSERT_FALSE(SectionChecksumValid(Section(before, c.sectionOffset, c.sectionSize)));

    std::uint8_t d[4] = {0, 0, 0, 0};
    std::copy(c.values.begin(), c.values.end(), d);
    if (c.bank == 0)
        ASSERT_TRUE(bench.command({5, 0, c.reg, d[0], d[1], d[2], c.count}));
    else
        ASSERT_TRUE(bench.command({5, 1, c.reg, d[0], d[1], d[2], d[3]}));

    const Bytes after = bench.mouse->Image();
    for (std::size_t i = 0; i < c.values.size(); ++i)
        EXPECT_EQ(after[c.imageOffset + i], c.values[i]) << "register " << c.reg + i;
    EXPECT_TRUE(SectionChecksumValid(Section(after, c.sectionOffset, c.sectionSize)));
    // Nothing else moved: only the written bytes and the check byte differ.
    const std::uint32_t check = c.sectionOffset + static_cast<std::uint32_t>(c.sectionSize) - 1;
    for (std::uint32_t i = 0; i < after.size(); ++i) {
        if (i >= c.imageOffset && i < c.imageOffset + c.values.size())
            continue;
        if (i == check)
            continue;
        ASSERT_EQ(after[i], before[i]) << "offset " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegisterWrite,
    ::testing::Values(
        RegisterWriteCase{"I2cVendorOneByte", StorageKind::I2C, 0, 44, {0x84}, 1, 44, 0, 164},
        RegisterWriteCase{"I2cVendorThreeBytes", StorageKind::I2C, 0, 57, {1, 2, 3}, 3, 57, 0, 164},
        RegisterWriteCase{"I2cUserTwoBytes", StorageKind::I2C, 0, 166, {7, 8}, 2, 166, 164, 28},
        RegisterWriteCase{
            "I2cBankOneEntry", StorageKind::I2C, 1, 127, {0x11, 0x22, 0x33, 0x44}, 0, 127, 0, 164},
        RegisterWriteCase{"FlashVendor", StorageKind::Flash, 0, 5, {0x5C}, 1, 5, 0, 164},
        RegisterWriteCase{
            "FlashUserLivesAt0x2000", StorageKind::Flash, 0, 166, {3}, 1, 0x2002, 0x2000, 28},
        RegisterWriteCase{
            "FlashUserEntry", StorageKind::Flash, 1, 171, {0xF0, 1, 2, 3}, 0, 0x2007, 0x2000, 28}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(SimFirmware, RegisterWriteSpanningBothSectionsRenewsBothCheckBytes) {
    SimBench bench(StorageKind::I2C);
    ASSERT_TRUE(bench.command({5, 0, 162, 0xAA, 0xBB, 0xCC, 3}));
    const Bytes image = bench.mouse->Image();
    EXPECT_EQ(image[162], 0xAA);
    EXPECT_TRUE(SectionChecksumValid(Section(image, 0, 164))); // 163 recomputed over 0xBB
    EXPECT_TRUE(SectionChecksumValid(Section(image, 164, 28)));
    EXPECT_EQ(image[164], 0xCC);
}

TEST(SimFirmware, RegisterWritesThatAskForNothingValidWriteNothing) {
    SimBench bench(StorageKind::I2C);
    const Bytes before = bench.mouse->Image();
    EXPECT_TRUE(bench.command({5, 0, 10, 1, 2, 3, 0}));  // count 0
    EXPECT_TRUE(bench.command({5, 0, 10, 1, 2, 3, 4}));  // count 4
    EXPECT_TRUE(bench.command({5, 2, 10, 1, 2, 3, 1}));  // no bank 2
    EXPECT_TRUE(bench.command({5, 0, 200, 1, 2, 3, 3})); // no register 200
    EXPECT_TRUE(bench.command({5, 1, 255, 1, 2, 3, 4})); // would wrap to 0..2
    EXPECT_EQ(bench.mouse->Image(), before);
}

TEST(SimFirmware, RegisterWriteStopsAtTheLastRegister) {
    SimBench bench(StorageKind::I2C);
    const Bytes before = bench.mouse->Image();
    ASSERT_TRUE(bench.command({5, 0, 190, 0x12, 0x34, 0x56, 3}));
    const Bytes after = bench.mouse->Image();
    EXPECT_EQ(after[190], 0x12);
    EXPECT_TRUE(SectionChecksumValid(Section(after, 164, 28))); // 191 is the check byte again
    EXPECT_EQ(after[192], before[192]);                         // profile 1 is no register
}

TEST(SimFirmware, RegisterReadAnswersInSevenByteReplies) {
    SimBench bench(StorageKind::Flash);
    const Bytes image = bench.mouse->Image();
    ASSERT_TRUE(bench.command({6, 0, 160, 0, 9}));
    const auto first = bench.reply();
    const auto second = bench.reply();
    ASSERT_TRUE(first && second);
    // Registers 160..163 from the vendor section, 164..168 from the user section at 0x2000.
    const Reply expectFirst{image[160],    image[161],    image[162],   image[163],
                            image[0x2000], image[0x2001], image[0x2002]};
    const Reply expectSecond{image[0x2003], image[0x2004], 0, 0, 0, 0, 0};
    EXPECT_EQ(*first, expectFirst);
    EXPECT_EQ(*second, expectSecond);
    EXPECT_EQ(bench.reply(), Reply{}) << "only two replies were queued";
}

TEST(SimFirmware, RegisterReadPastTheLastRegisterReadsFF) {
    SimBench bench(StorageKind::I2C);
    ASSERT_TRUE(bench.command({6, 0, 190, 0, 4}));
    const Bytes image = bench.mouse->Image();
    EXPECT_EQ(bench.reply(), (Reply{image[190], image[191], 0xFF, 0xFF, 0, 0, 0}));
}

TEST(SimFirmware, ProfileReloadIsFifteenThenTheValue) {
    SimBench bench(StorageKind::I2C);
    ASSERT_TRUE(bench.command({5, 0, 164, 2, 0, 0, 1})); // plain profile change
    EXPECT_TRUE(bench.mouse->ProfileReloads().empty());
    ASSERT_TRUE(bench.command({5, 0, 164, 15, 0, 0, 1}));
    ASSERT_TRUE(bench.command({6, 0, 22, 0, 1})); // the listener's reads may come between
    ASSERT_TRUE(bench.command({5, 0, 164, 0x31, 0, 0, 1}));
    EXPECT_EQ(bench.mouse->ProfileReloads(), Bytes{0x31});
    EXPECT_EQ(bench.mouse->Image()[164], 0x31);
    ASSERT_TRUE(bench.command({5, 0, 164, 1, 0, 0, 1})); // no 15 before: no reload
    EXPECT_EQ(bench.mouse->ProfileReloads(), Bytes{0x31});
}

TEST(SimFirmware, NothingPendingAnswersSevenZeros) {
    SimBench bench(StorageKind::I2C);
    EXPECT_EQ(bench.reply(), Reply{});
    ASSERT_TRUE(bench.command({9, 0, 0, 0, 3}));
    EXPECT_NE(bench.reply(), Reply{});
    EXPECT_EQ(bench.reply(), Reply{});
}

TEST(SimFirmware, NewCommandDropsUnreadReplies) {
    SimBench bench(StorageKind::I2C);
    ASSERT_TRUE(bench.command({9, 0, 0, 0, 14}));
    ASSERT_TRUE(bench.reply());
    ASSERT_TRUE(bench.command({13}));
    EXPECT_EQ(bench.reply(), (Reply{0x41, 0x3A, 0xC0, 0, 0, 0, 0}));
}

TEST(SimFirmware, NewCommandAbandonsAnUnfinishedBlockWrite) {
    SimBench bench(StorageKind::I2C);
    const Bytes before = bench.mouse->Image();
    ASSERT_TRUE(bench.command({7, 0x01, 0x00, 0, 14})); // 14 bytes at 256: two data reports
    ASSERT_TRUE(bench.data({1, 2, 3, 4, 5, 6, 7}));
    ASSERT_TRUE(bench.command({6, 0, 0, 0, 1}));
    ASSERT_TRUE(bench.data({8, 9, 10, 11, 12, 13, 14})); // belongs to no block write now
    const Bytes after = bench.mouse->Image();
    EXPECT_EQ(Bytes(after.begin() + 256, after.begin() + 263), (Bytes{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(Bytes(after.begin() + 263, after.begin() + 270),
              Bytes(before.begin() + 263, before.begin() + 270));
}

TEST(SimFirmware, BlockWriteTakesOnlyTheAnnouncedLength) {
    SimBench bench(StorageKind::I2C);
    const Bytes before = bench.mouse->Image();
    ASSERT_TRUE(bench.command({7, 0x01, 0xE4, 0, 12})); // the ID block
    ASSERT_TRUE(bench.data({1, 2, 3, 4, 5, 6, 7}));
    ASSERT_TRUE(bench.data({8, 9, 10, 11, 12, 6, 7})); // stale tail of a short chunk
    ASSERT_TRUE(bench.data({0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE})); // one too many
    const Bytes after = bench.mouse->Image();
    EXPECT_EQ(Bytes(after.begin() + 484, after.begin() + 496),
              (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(Bytes(after.begin() + 496, after.end()), Bytes(before.begin() + 496, before.end()));
}

struct RoundTripCase {
    const char* name;
    StorageKind kind;
    std::uint16_t address;
    std::uint16_t length;
};

class BlockRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(BlockRoundTrip, WhatIsWrittenReadsBack) {
    const auto& c = GetParam();
    SimBench bench(c.kind);
    Bytes block(c.length);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<std::uint8_t>(0xA5 ^ (i * 13));
    bench.writeBlock(c.address, block);
    EXPECT_EQ(bench.readBlock(c.address, c.length), block);

    Bytes expected = PatternImage(c.kind);
    std::copy(block.begin(), block.end(), expected.begin() + c.address);
    EXPECT_EQ(bench.mouse->Image(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BlockRoundTrip,
    ::testing::Values(RoundTripCase{"I2cOneByte", StorageKind::I2C, 100, 1},
                      RoundTripCase{"I2cSeven", StorageKind::I2C, 192, 7},
                      RoundTripCase{"I2cIdBlock", StorageKind::I2C, 484, 12},
                      RoundTripCase{"I2cWholeImage", StorageKind::I2C, 0, 2048},
                      RoundTripCase{"FlashSettingsBlock", StorageKind::Flash, 0x1000, 256},
                      RoundTripCase{"FlashIdBlock", StorageKind::Flash, 0x6000, 12},
                      RoundTripCase{"FlashLastPage", StorageKind::Flash, 0xF800, 2048}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(SimFirmware, WholeFlashImageRoundTrip) {
    SimBench bench(StorageKind::Flash);
    Bytes image(kFlashImageSize);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 31 + (i >> 8));
    // 65536 does not fit the 16-bit length: the whole image is two halves.
    bench.writeBlock(0, Bytes(image.begin(), image.begin() + 0x8000));
    bench.writeBlock(0x8000, Bytes(image.begin() + 0x8000, image.end()));
    EXPECT_EQ(bench.mouse->Image(), image);
    Bytes read = bench.readBlock(0, 0x8000);
    const Bytes upper = bench.readBlock(0x8000, 0x8000);
    read.insert(read.end(), upper.begin(), upper.end());
    EXPECT_EQ(read, image);
}

TEST(SimFirmware, BlocksPastTheImageEndAreSafe) {
    SimBench bench(StorageKind::I2C);
    const Bytes before = bench.mouse->Image();
    // A write that starts inside and runs past 2048 keeps only the bytes inside.
    bench.writeBlock(2045, {1, 2, 3, 4, 5, 6});
    Bytes expected = before;
    expected[2045] = 1;
    expected[2046] = 2;
    expected[2047] = 3;
    EXPECT_EQ(bench.mouse->Image(), expected);
    // A write wholly outside changes nothing; reads outside answer 0xFF.
    bench.writeBlock(0xFFF0, {9, 9, 9});
    EXPECT_EQ(bench.mouse->Image(), expected);
    EXPECT_EQ(bench.readBlockReplies(2046, 4), (Bytes{2, 3, 0xFF, 0xFF, 0, 0, 0}));
    EXPECT_EQ(bench.readBlock(0xFFFF, 0xFFFF).size(), 0xFFFFu);
}

TEST(SimFirmware, ZeroLengthBlocksMoveNothing) {
    SimBench bench(StorageKind::I2C);
    const Bytes before = bench.mouse->Image();
    ASSERT_TRUE(bench.command({7, 0, 0, 0, 0}));
    ASSERT_TRUE(bench.data({1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(bench.mouse->Image(), before);
    ASSERT_TRUE(bench.command({9, 0, 0, 0, 0}));
    EXPECT_EQ(bench.reply(), Reply{});
}

TEST(SimFirmware, XDataWriteThenRead) {
    SimBench bench(StorageKind::I2C);
    ASSERT_TRUE(bench.command({1, 0x07, 0xC4, 0x5B}));
    EXPECT_EQ(bench.mouse->XData(0x07C4), 0x5B);
    ASSERT_TRUE(bench.command({2, 0x07, 0xC4, 0, 1}));
    EXPECT_EQ(bench.reply(), (Reply{0x5B, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(bench.command({2, 0xFF, 0xFF, 0, 1}));
    EXPECT_EQ(bench.reply(), Reply{});
}

TEST(SimFirmware, DeviceInformationNamesTheStorageType) {
    for (auto [kind, type] : {std::pair{StorageKind::I2C, 0xC0}, {StorageKind::Flash, 0x80}}) {
        SimBench bench(kind);
        ASSERT_TRUE(bench.command({13}));
        EXPECT_EQ(bench.reply(), (Reply{0x41, 0x3A, static_cast<std::uint8_t>(type), 0, 0, 0, 0}));
    }
    SimBench bench(StorageKind::I2C);
    const std::uint8_t other[] = {0x42, 0x3A, 0x80, 0x12};
    bench.mouse->SetInfoReply(other);
    ASSERT_TRUE(bench.command({13}));
    EXPECT_EQ(bench.reply(), (Reply{0x42, 0x3A, 0x80, 0x12, 0, 0, 0}));
}

} // namespace
} // namespace trvx
