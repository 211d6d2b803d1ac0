// The simulated mouse's frame log, its fault switches and its modelled transfer latency.

#include "SimTestSupport.h"

#include "sim/FrameLog.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

using simtest::Bytes;
using simtest::PatternImage;
using simtest::Reply;
using simtest::SimBench;

TEST(SimFrameLog, LogsSentAndReceivedReportsAsHexLines) {
    SimBench bench(StorageKind::I2C);
    ASSERT_TRUE(bench.command({5, 0, 0x2C, 0x84, 0, 0, 1}));
    ASSERT_TRUE(bench.command({13}));
    ASSERT_TRUE(bench.reply());
    EXPECT_EQ(bench.mouse->FrameLogText(), "> 40 05 00 2C 84 00 00 01\n"
                                           "> 40 0D 00 00 00 00 00 00\n"
                                           "< 41 41 3A C0 00 00 00 00\n");
    EXPECT_EQ(FormatFrame(bench.mouse->Frames().back()), "< 41 41 3A C0 00 00 00 00");
    EXPECT_EQ(FormatHexBytes(Bytes{0x0A, 0xFF}), "0A FF");
}

TEST(SimFrameLog, TakeClearAndPokeLeaveNoFrames) {
    SimBench bench(StorageKind::I2C);
    ASSERT_TRUE(bench.command({13}));
    EXPECT_EQ(bench.mouse->TakeFrames().size(), 1u);
    EXPECT_TRUE(bench.mouse->Frames().empty());

    const Bytes foreignId{0x12, 0x34};
    ASSERT_TRUE(bench.mouse->Poke(484, foreignId));
    EXPECT_TRUE(bench.mouse->Frames().empty());
    EXPECT_EQ(bench.readBlock(484, 2), foreignId);
    bench.mouse->ClearFrames();
    EXPECT_EQ(bench.mouse->FrameLogText(), "");

    // A poke that does not fit changes nothing.
    const Bytes image = bench.mouse->Image();
    EXPECT_FALSE(bench.mouse->Poke(2047, Bytes{1, 2}));
    EXPECT_FALSE(bench.mouse->Poke(5000, Bytes{1}));
    EXPECT_TRUE(bench.mouse->Poke(2048, Bytes{}));
    EXPECT_EQ(bench.mouse->Image(), image);
}

TEST(SimFrameLog, ReportsOfOtherLengthsOrIdsAreRefusedUnlogged) {
    SimBench bench(StorageKind::I2C);
    const std::array<std::uint8_t, 7> shortReport{0x40, 13};
    const std::array<std::uint8_t, 8> inputId{0x42, 13};
    std::array<std::uint8_t, 8> getCommand{0x40};
    EXPECT_FALSE(bench.dev->setFeature(shortReport));
    EXPECT_FALSE(bench.dev->setFeature(inputId));
    EXPECT_FALSE(bench.dev->getFeature(getCommand));
    EXPECT_TRUE(bench.mouse->Frames().empty());
}

TEST(SimFaults, FailSendHitsTheNthReportAndItNeverArrives) {
    SimBench bench(StorageKind::I2C);
    bench.mouse->FailSend(2);
    EXPECT_TRUE(bench.command({5, 0, 10, 0x01, 0, 0, 1}));
    EXPECT_FALSE(bench.command({5, 0, 11, 0x02, 0, 0, 1}));
    EXPECT_TRUE(bench.command({5, 0, 12, 0x03, 0, 0, 1}));
    const Bytes image = bench.mouse->Image();
    EXPECT_EQ(image[10], 0x01);
    EXPECT_NE(image[11], 0x02);
    EXPECT_EQ(image[12], 0x03);
    EXPECT_EQ(bench.mouse->Frames().size(), 3u) << "the failed report was still sent";

    // A lost data report never reaches the firmware, so the next one takes its place.
    bench.mouse->FailSend(2);
    ASSERT_TRUE(bench.command({7, 0, 100, 0, 14}));
    EXPECT_FALSE(bench.data({1, 1, 1, 1, 1, 1, 1}));
    EXPECT_TRUE(bench.data({2, 2, 2, 2, 2, 2, 2}));
    const Bytes after = bench.mouse->Image();
    EXPECT_EQ(after[100], 2);
    EXPECT_EQ(after[107], image[107]);
}

TEST(SimFaults, FailReplyLosesThatReplyOnly) {
    SimBench bench(StorageKind::I2C);
    const Bytes image = PatternImage(StorageKind::I2C);
    bench.mouse->FailReply(1);
    ASSERT_TRUE(bench.command({9, 0, 0, 0, 14}));
    EXPECT_FALSE(bench.reply());
    const auto second = bench.reply();
    ASSERT_TRUE(second);
    EXPECT_EQ(Bytes(second->begin(), second->end()), Bytes(image.begin() + 7, image.begin() + 14));
    EXPECT_EQ(bench.mouse->Frames().size(), 2u) << "no frame for the failed reply";
    EXPECT_EQ(bench.mouse->FeatureTransferCount(), 3);

    bench.mouse->FailReply(3);
    bench.mouse->FailReply(0); // switched off again
    ASSERT_TRUE(bench.command({13}));
    EXPECT_TRUE(bench.reply());
}

TEST(SimFaults, GarbageRepliesNeverLookLikeTheInformationReply) {
    SimBench bench(StorageKind::I2C);
    bench.mouse->SetGarbageReplies(true);
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(bench.command({13}));
        const auto reply = bench.reply();
        ASSERT_TRUE(reply);
        EXPECT_FALSE((*reply)[0] >= 0x40 && (*reply)[1] == 0x3A);
    }
    bench.mouse->SetGarbageReplies(false);
    ASSERT_TRUE(bench.command({13}));
    EXPECT_EQ(bench.reply(), (Reply{0x41, 0x3A, 0xC0, 0, 0, 0, 0}));
}

TEST(SimFaults, WrongStorageTypeInTheInformationReply) {
    SimBench bench(StorageKind::I2C);
    const std::uint8_t flashInfo[] = {0x41, 0x3A, 0x80};
    bench.mouse->SetInfoReply(flashInfo);
    ASSERT_TRUE(bench.command({13}));
    EXPECT_EQ(bench.reply(), (Reply{0x41, 0x3A, 0x80, 0, 0, 0, 0}));
    EXPECT_EQ(bench.mouse->Kind(), StorageKind::I2C) << "the image stays what it is";
}

TEST(SimLatency, EachVendorTransferSleepsOnTheClock) {
    SimBench bench(StorageKind::Flash);
    bench.mouse->SetTransferLatencyMicros(1000);
    ASSERT_TRUE(bench.command({9, 0, 0, 0, 14}));
    ASSERT_TRUE(bench.reply());
    ASSERT_TRUE(bench.reply());
    EXPECT_EQ(bench.clock.sleptMicros(), 3000);
    EXPECT_EQ(bench.mouse->FeatureTransferCount(), 3);

    bench.mouse->SetTransferLatencyMicros(0);
    ASSERT_TRUE(bench.command({13}));
    EXPECT_EQ(bench.clock.sleptMicros(), 3000);
}

} // namespace
} // namespace trvx
