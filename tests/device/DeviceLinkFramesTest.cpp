// The reports each device operation puts on the wire, byte for byte.

#include "DeviceLinkFixture.h"

#include <functional>

namespace trvx::test {
namespace {

using Lines = std::vector<std::string>;

std::string Sent(const std::vector<std::uint8_t>& bytes) {
    return HidTrace::formatLine('>', bytes);
}
std::string Got(const std::vector<std::uint8_t>& bytes) {
    return HidTrace::formatLine('<', bytes);
}

// ---- Single-command operations -----------------------------------------------------------

struct CommandCase {
    const char* name;
    std::function<bool(DeviceLink&)> run;
    Lines frames;
    std::int64_t sleptMicros;
};

class CommandFrames : public DeviceLinkTest, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(CommandFrames, SendsTheLayoutAndWaitsAsTheMouseNeeds) {
    const CommandCase& c = GetParam();
    EXPECT_TRUE(c.run(link));
    EXPECT_EQ(hid.lines(), c.frames);
    EXPECT_EQ(slept(), c.sleptMicros);
}

INSTANTIATE_TEST_SUITE_P(
    DeviceLink, CommandFrames,
    ::testing::Values(
        CommandCase{"WriteRegister",
                    [](DeviceLink& l) { return l.WriteRegister(0x2C, 0x84, 0, 0, 1); },
                    {"> 40 05 00 2C 84 00 00 01"},
                    100'000},
        CommandCase{"WriteRegisterThreeBytes",
                    [](DeviceLink& l) { return l.WriteRegister(0xFE, 1, 2, 3, 3); },
                    {"> 40 05 00 FE 01 02 03 03"},
                    100'000},
        CommandCase{
            "WriteRegisterEntry",
            [](DeviceLink& l) { return l.WriteRegisterEntry(0x10, 0xA1, 0xB2, 0xC3, 0xD4); },
            {"> 40 05 01 10 A1 B2 C3 D4"},
            100'000},
        CommandCase{"WriteXData",
                    [](DeviceLink& l) { return l.WriteXData(0x07C4, 0x5A); },
                    {"> 40 01 07 C4 5A 00 00 00"},
                    0},
        CommandCase{
            "Reset", [](DeviceLink& l) { return l.Reset(); }, {"> 40 0E 00 00 00 00 00 00"}, 0},
        CommandCase{"SendCommand",
                    [](DeviceLink& l) { return l.SendCommand(6, 0, 22, 0, 1); },
                    {"> 40 06 00 16 00 01 00 00"},
                    0},
        CommandCase{"SendData",
                    [](DeviceLink& l) {
                        return l.SendData({1, 2, 3, 4, 5, 6, 0xF7});
                    },
                    {"> 41 01 02 03 04 05 06 F7"},
                    0},
        CommandCase{"WriteBlockOfNothing",
                    [](DeviceLink& l) { return l.WriteBlock(0x1234, {}); },
                    {"> 40 07 12 34 00 00 00 00"},
                    0},
        CommandCase{"ReadBlockOfNothing",
                    [](DeviceLink& l) {
                        std::vector<std::uint8_t> d(3, 0);
                        return l.ReadBlock(0x6000, 0, d) && d == std::vector<std::uint8_t>(3, 0xFF);
                    },
                    {"> 40 09 60 00 00 00 00 00"},
                    0},
        CommandCase{"ReadRegistersOfNothing",
                    [](DeviceLink& l) { return l.ReadRegisters(1, 200, 0, {}); },
                    {"> 40 06 01 C8 00 00 00 00"},
                    0}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(DeviceLinkTest, RepliedCommandsReadOneReplyAndWaitAfterIt) {
    hid.queueReply({0xAB, 1, 2, 3, 4, 5, 6});
    EXPECT_EQ(link.ReadXData(0x1234), std::optional<std::uint8_t>(0xAB));
    hid.queueReply({0x41, 0x3A, 0xC0, 0, 0, 0, 0});
    EXPECT_EQ(link.DeviceInformation(), (DeviceLink::Reply{0x41, 0x3A, 0xC0, 0, 0, 0, 0}));
    EXPECT_EQ(hid.lines(), (Lines{"> 40 02 12 34 00 01 00 00", "< 41 AB 01 02 03 04 05 06",
                                  "> 40 0D 00 00 00 00 00 00", "< 41 41 3A C0 00 00 00 00"}));
    EXPECT_EQ(slept(), 2 * 500);

    // A lost reply is no answer at all, and costs no wait.
    hid.failTransfer(2);
    EXPECT_EQ(link.ReadXData(0x0001), std::nullopt);
    hid.failTransfer(2);
    EXPECT_EQ(link.DeviceInformation(), std::nullopt);
    EXPECT_EQ(slept(), 2 * 500);
}

TEST_F(DeviceLinkTest, ReadReplyGivesSevenFfWhenTheReplyFails) {
    DeviceLink::Reply reply{};
    hid.queueReply({9, 8, 7, 6, 5, 4, 3});
    EXPECT_TRUE(link.ReadReply(reply));
    EXPECT_EQ(reply, (DeviceLink::Reply{9, 8, 7, 6, 5, 4, 3}));
    hid.failTransfer(1);
    EXPECT_FALSE(link.ReadReply(reply));
    EXPECT_EQ(reply, (DeviceLink::Reply{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(slept(), 500);
}

// ---- Block and register reads --------------------------------------------------------------

enum class ReadOp { Block, BlockShowBusy, Registers };

struct ReadCase {
    ReadOp op;
    int length;
};

// Readable test names: "Block 12", "Registers 255".
void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << (c.op == ReadOp::Block           ? "Block"
            : c.op == ReadOp::BlockShowBusy ? "BlockShowBusy"
                                            : "Registers")
        << ' ' << c.length;
}

class ReadFrames : public DeviceLinkTest, public ::testing::WithParamInterface<ReadCase> {
protected:
    bool Read(int length, std::span<std::uint8_t> dest) {
        switch (GetParam().op) {
        case ReadOp::Block:
            return link.ReadBlock(0x2002, length, dest);
        case ReadOp::BlockShowBusy:
            return link.ReadBlockShowBusy(0x2002, length, dest);
        case ReadOp::Registers:
            return link.ReadRegisters(0, 22, length, dest);
        }
        return false;
    }
    std::string Command(int length) {
        const auto len = static_cast<std::uint8_t>(length);
        const auto high = static_cast<std::uint8_t>(length >> 8);
        return GetParam().op == ReadOp::Registers ? Sent({0x40, 6, 0, 22, 0, len, 0, 0})
                                                  : Sent({0x40, 9, 0x20, 0x02, high, len, 0, 0});
    }
    // Queues the replies that carry data[0..length), the last one padded with junk.
    std::vector<std::uint8_t> QueueReplies(int length) {
        const int chunks = (length + 6) / 7;
        std::vector<std::uint8_t> wire = Pattern(static_cast<std::size_t>(chunks) * 7, 3);
        for (int c = 0; c < chunks; ++c) {
            DeviceLink::Reply r;
            std::copy_n(wire.begin() + c * 7, 7, r.begin());
            hid.queueReply(r);
        }
        return wire;
    }
};

TEST_P(ReadFrames, OneCommandThenOneReplyPerSevenBytes) {
    const int length = GetParam().length;
    const std::vector<std::uint8_t> wire = QueueReplies(length);
    std::vector<std::uint8_t> dest(static_cast<std::size_t>(length) + 5, 0x00);

    EXPECT_TRUE(Read(length, dest));

    const Lines lines = hid.lines();
    const int chunks = (length + 6) / 7;
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(1 + chunks));
    EXPECT_EQ(lines[0], Command(length));
    for (int c = 0; c < chunks; ++c) {
        std::vector<std::uint8_t> reply{0x41};
        reply.insert(reply.end(), wire.begin() + c * 7, wire.begin() + c * 7 + 7);
        EXPECT_EQ(lines[1 + c], Got(reply)) << "reply " << c;
    }
    // Only the asked bytes are taken; the rest of the destination stays 0xFF.
    std::vector<std::uint8_t> expected(wire.begin(), wire.begin() + length);
    expected.resize(dest.size(), 0xFF);
    EXPECT_EQ(dest, expected);
    EXPECT_EQ(slept(), 500 * chunks);

    const bool showsBusy = GetParam().op == ReadOp::BlockShowBusy && chunks > 0;
    EXPECT_EQ(busy.events, (showsBusy ? Lines{"show@0", "events@0"} : Lines{}));
}

TEST_P(ReadFrames, AFailedReplyLeavesFfAndFailsTheRead) {
    QueueReplies(7); // the second reply fails and takes no queued reply
    const std::vector<std::uint8_t> second = QueueReplies(5);
    hid.failTransfer(3);
    std::vector<std::uint8_t> dest(19, 0);

    EXPECT_FALSE(Read(19, dest));

    const auto first = Pattern(7, 3);
    std::vector<std::uint8_t> expected(first.begin(), first.end());
    expected.insert(expected.end(), 7, 0xFF);
    expected.insert(expected.end(), second.begin(), second.begin() + 5);
    EXPECT_EQ(dest, expected);
    EXPECT_EQ(hid.frames().size(), 4u); // every reply is still asked for
    EXPECT_EQ(slept(), 2 * 500);
}

TEST_P(ReadFrames, AFailedCommandAsksForNoReply) {
    hid.failTransfer(1);
    std::vector<std::uint8_t> dest(14, 0);
    EXPECT_FALSE(Read(14, dest));
    EXPECT_EQ(hid.frames().size(), 1u);
    EXPECT_EQ(dest, std::vector<std::uint8_t>(14, 0xFF));
    if (GetParam().op == ReadOp::BlockShowBusy) {
        EXPECT_EQ(busy.events, (Lines{"show@0", "events@0", "hide@1", "events@1"}));
    }
}

TEST_P(ReadFrames, RefusesLengthsTheCommandOrTheDestinationCannotHold) {
    const int max = GetParam().op == ReadOp::Registers ? 255 : 65535;
    std::vector<std::uint8_t> dest(static_cast<std::size_t>(max) + 1, 0);
    EXPECT_FALSE(Read(max + 1, dest));
    EXPECT_FALSE(Read(-1, dest));
    std::vector<std::uint8_t> small(6, 0);
    EXPECT_FALSE(Read(7, small));
    EXPECT_EQ(small, std::vector<std::uint8_t>(6, 0xFF));
    EXPECT_TRUE(hid.frames().empty());
    EXPECT_TRUE(busy.events.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Block, ReadFrames,
    ::testing::Values(ReadCase{ReadOp::Block, 0}, ReadCase{ReadOp::Block, 1},
                      ReadCase{ReadOp::Block, 7}, ReadCase{ReadOp::Block, 12},
                      ReadCase{ReadOp::Block, 2048}, ReadCase{ReadOp::BlockShowBusy, 0},
                      ReadCase{ReadOp::BlockShowBusy, 12}, ReadCase{ReadOp::BlockShowBusy, 2048},
                      ReadCase{ReadOp::Registers, 0}, ReadCase{ReadOp::Registers, 1},
                      ReadCase{ReadOp::Registers, 7}, ReadCase{ReadOp::Registers, 12},
                      ReadCase{ReadOp::Registers, 255}));

// ---- Block writes --------------------------------------------------------------------------

TEST_F(DeviceLinkTest, WriteBlockOfTwelveRepeatsBytesFiveAndSixInTheShortChunk) {
    const std::vector<std::uint8_t> data{0x10, 0x11, 0x12, 0x13, 0x14, 0x15,
                                         0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B};
    EXPECT_TRUE(link.WriteBlock(484, data));
    EXPECT_EQ(hid.lines(), (Lines{"> 40 07 01 E4 00 0C 00 00", "> 41 10 11 12 13 14 15 16",
                                  "> 41 17 18 19 1A 1B 15 16"}));
    EXPECT_EQ(busy.events, (Lines{"show@0", "events@0"})); // left shown
    EXPECT_EQ(slept(), 0);                                 // back to back
}

TEST_F(DeviceLinkTest, WriteBlockShortChunksPadWithFfOrTheEarlierChunk) {
    EXPECT_TRUE(link.WriteBlock(0xFFFF, std::vector<std::uint8_t>{0xD0}));
    EXPECT_TRUE(link.WriteBlock(0, Pattern(7)));
    const auto p7 = Pattern(7);
    EXPECT_EQ(hid.lines(), (Lines{"> 40 07 FF FF 00 01 00 00", "> 41 D0 FF FF FF FF FF FF",
                                  "> 40 07 00 00 00 07 00 00",
                                  Sent({0x41, p7[0], p7[1], p7[2], p7[3], p7[4], p7[5], p7[6]})}));
}

TEST_F(DeviceLinkTest, WriteBlockOfAWholeEepromImage) {
    const std::vector<std::uint8_t> data = Pattern(2048, 1);
    EXPECT_TRUE(link.WriteBlock(0, data));
    const Lines lines = hid.lines();
    ASSERT_EQ(lines.size(), 1u + 293u);
    EXPECT_EQ(lines[0], "> 40 07 00 00 08 00 00 00");
    for (int c = 0; c < 292; ++c) {
        std::vector<std::uint8_t> r{0x41};
        r.insert(r.end(), data.begin() + c * 7, data.begin() + c * 7 + 7);
        ASSERT_EQ(lines[1 + c], Sent(r)) << "chunk " << c;
    }
    // Four bytes of its own, then bytes 4..6 of chunk 291.
    EXPECT_EQ(lines[293], Sent({0x41, data[2044], data[2045], data[2046], data[2047], data[2041],
                                data[2042], data[2043]}));
}

TEST_F(DeviceLinkTest, WriteBlockFailures) {
    // A refused command sends nothing more and takes the busy window down again.
    hid.failTransfer(1);
    EXPECT_FALSE(link.WriteBlock(0, Pattern(12)));
    EXPECT_EQ(hid.frames().size(), 1u);
    EXPECT_EQ(busy.events, (Lines{"show@0", "events@0", "hide@1", "events@1"}));

    // A lost data report does not stop the block, but the write is not reported as done.
    hid.clearFrames();
    hid.failTransfer(2);
    EXPECT_FALSE(link.WriteBlock(0, Pattern(14)));
    EXPECT_EQ(hid.frames().size(), 3u);
    EXPECT_EQ(hid.lines().size(), 2u);

    std::vector<std::uint8_t> tooLong(65536);
    hid.clearFrames();
    EXPECT_FALSE(link.WriteBlock(0, tooLong));
    EXPECT_TRUE(hid.frames().empty());
}

// ---- Register runs -------------------------------------------------------------------------

struct RunCase {
    const char* name;
    std::uint8_t bank;
    std::uint8_t first;
    std::vector<std::uint8_t> data;
    bool result;
    Lines frames;
};

class RunFrames : public DeviceLinkTest, public ::testing::WithParamInterface<RunCase> {};

TEST_P(RunFrames, SendsGroupsBackToBack) {
    const RunCase& c = GetParam();
    EXPECT_EQ(link.WriteRegisterRun(c.bank, c.first, c.data), c.result);
    EXPECT_EQ(hid.lines(), c.frames);
    EXPECT_EQ(slept(), 0);
    EXPECT_EQ(busy.events, (c.frames.empty() ? Lines{} : Lines{"show@0", "events@0"}));
}

INSTANTIATE_TEST_SUITE_P(
    DeviceLink, RunFrames,
    ::testing::Values(
        RunCase{"Bank0SevenBytes",
                0,
                0x20,
                {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6},
                true,
                {"> 40 05 00 20 A0 A1 A2 03", "> 40 05 00 23 A3 A4 A5 03",
                 "> 40 05 00 26 A6 A4 A5 01"}},
        RunCase{"Bank0OneByte", 0, 7, {0x42}, true, {"> 40 05 00 07 42 FF FF 01"}},
        RunCase{"Bank0EndsOnRegister255", 0, 253, {1, 2, 3}, true, {"> 40 05 00 FD 01 02 03 03"}},
        RunCase{"Bank1TwoEntries",
                1,
                0x80,
                {1, 2, 3, 4, 5, 6, 7, 8},
                true,
                {"> 40 05 01 80 01 02 03 04", "> 40 05 01 84 05 06 07 08"}},
        RunCase{"Empty", 0, 0, {}, true, {}},
        RunCase{"Bank1PartEntry", 1, 0, {1, 2, 3, 4, 5, 6}, false, {}},
        RunCase{"WrapsPastRegister255", 0, 254, {1, 2, 3}, false, {}},
        RunCase{"Bank1WrapsPastRegister255", 1, 252, {1, 2, 3, 4, 5, 6, 7, 8}, false, {}},
        RunCase{"UnknownBank", 2, 0, {1, 2, 3}, false, {}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(DeviceLinkTest, RegisterRunWithALostGroupSendsTheRestAndFails) {
    hid.failTransfer(1);
    EXPECT_FALSE(link.WriteRegisterRun(0, 0, Pattern(6)));
    EXPECT_EQ(hid.frames().size(), 2u);
}

// ---- Register writes -----------------------------------------------------------------------

TEST_F(DeviceLinkTest, WriteRegisterShowsBusyAroundTheWriteAndWaitsEvenWhenItFails) {
    hid.failTransfer(1);
    EXPECT_FALSE(link.WriteRegister(0x2C, 0x84, 0, 0, 1));
    EXPECT_EQ(slept(), 100'000);
    EXPECT_EQ(busy.events, (Lines{"show@0", "events@0", "hide@1", "events@1"}));
    EXPECT_TRUE(link.WriteRegisterEntry(0x40, 1, 2, 3, 4));
    EXPECT_EQ(slept(), 200'000);
}

// ---- No mouse ------------------------------------------------------------------------------

TEST(DeviceLinkWithoutMouse, EveryOperationFailsAtOnceWithNothingShown) {
    FakeHid hid;
    VirtualClock clock;
    BusyLog busy(hid);
    DeviceLink link(hid, clock, &busy);
    std::vector<std::uint8_t> dest(12, 0);
    DeviceLink::Reply reply{};

    EXPECT_FALSE(link.WriteRegister(1, 2, 0, 0, 1));
    EXPECT_FALSE(link.WriteRegisterEntry(1, 2, 3, 4, 5));
    EXPECT_FALSE(link.WriteRegisterRun(0, 0, Pattern(7)));
    EXPECT_FALSE(link.WriteBlock(0, Pattern(12)));
    EXPECT_FALSE(link.ReadBlock(0, 12, dest));
    EXPECT_FALSE(link.ReadBlockShowBusy(0, 12, dest));
    EXPECT_FALSE(link.ReadRegisters(0, 0, 12, dest));
    EXPECT_EQ(dest, std::vector<std::uint8_t>(12, 0xFF));
    EXPECT_FALSE(link.SendCommand(13, 0, 0, 0, 0));
    EXPECT_FALSE(link.SendData(reply));
    EXPECT_FALSE(link.ReadReply(reply));
    EXPECT_EQ(reply, (DeviceLink::Reply{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_FALSE(link.WriteXData(0, 0));
    EXPECT_EQ(link.ReadXData(0), std::nullopt);
    EXPECT_EQ(link.DeviceInformation(), std::nullopt);
    EXPECT_FALSE(link.Reset());

    EXPECT_TRUE(busy.events.empty());
    EXPECT_EQ(clock.sleptMicros(), 0);
}

TEST(BitHelpers, TakeTheBitNumberModulo32) {
    EXPECT_TRUE(IsBitSet(0x8000'0000u, 31));
    EXPECT_TRUE(IsBitSet(0x8000'0000u, 63));
    EXPECT_FALSE(IsBitSet(0x8000'0000u, 30));
    EXPECT_EQ(SetBit(0, 32), 1u);
    EXPECT_EQ(SetBit(0x10, 36), 0x10u);
    EXPECT_EQ(ClearBit(0xFFFF'FFFFu, 33), 0xFFFF'FFFDu);
    EXPECT_EQ(ClearBit(0, 5), 0u);
}

} // namespace
} // namespace trvx::test
