// The plug poll and the checks on arrival, on the simulated mouse and a virtual clock.
#include "DevicePollerRig.h"

#include <gtest/gtest.h>

namespace trvx::test {
namespace {

class ArrivalTest : public ::testing::TestWithParam<StorageKind> {};

TEST_P(ArrivalTest, FirstTickOpensChecksAndReadsTheWholeImage) {
    const StorageKind kind = GetParam();
    PollerRig rig(kind);
    const std::int64_t before = rig.clock.nowMicros();
    rig.poller->Tick();

    EXPECT_TRUE(rig.mouse.IsAccepted());
    EXPECT_EQ(rig.mouse.DeviceStorage(), kind);
    EXPECT_EQ(rig.poller->DevVID(), 0x1209);
    EXPECT_EQ(rig.poller->DevPID(), 0x0001);
    EXPECT_EQ(rig.poller->LastHidCount(), 2);
    // The system gets 2.1 s to set the mouse up before it is opened.
    EXPECT_GE(rig.clock.nowMicros() - before, 2'100'000);
    EXPECT_EQ(rig.view.events,
              (std::vector<std::string>{"ids 255 255", "begin read",
                                        "fill pages " + std::string(StorageKindName(kind)),
                                        "end read, filled"}));

    const auto sent = SentFrames(rig.sim->Frames());
    // Information, then the ID block, then the image: one 2048-byte block or 32 flash pages.
    const auto info = std::find(sent.begin(), sent.end(), "40 0D 00 00 00 00 00 00");
    ASSERT_NE(info, sent.end());
    std::vector<std::string> reads;
    for (auto it = info; it != sent.end(); ++it)
        if (it->rfind("40 09", 0) == 0)
            reads.push_back(*it);
    std::vector<std::string> expected;
    if (kind == StorageKind::I2C) {
        expected = {"40 09 01 E4 00 0C 00 00", "40 09 00 00 08 00 00 00"};
    } else {
        expected = {"40 09 60 00 00 0C 00 00"};
        for (int page = 0; page < 32; ++page) {
            char text[32];
            std::snprintf(text, sizeof text, "40 09 %02X 00 08 00 00 00", page * 8);
            expected.push_back(text);
        }
    }
    EXPECT_EQ(reads, expected);

    const auto& image = kind == StorageKind::I2C ? rig.model.EepromImage() : rig.model.FlashImage();
    EXPECT_EQ(image, rig.sim->Image());
    EXPECT_EQ(rig.model.KeyCodeTexts(), BuildKeyCodeTexts(rig.model.Sections()));
}

INSTANTIATE_TEST_SUITE_P(BothStorageTypes, ArrivalTest,
                         ::testing::Values(StorageKind::I2C, StorageKind::Flash),
                         [](const auto& p) { return std::string(StorageKindName(p.param)); });

TEST(DevicePollerTest, MouseOfTheOtherStorageTypeIsShownTheMessageAndNeverWritten) {
    // A flash mouse met by a program built for I2C, and the other way round.
    for (const auto& [mouseKind, builtIn] : {std::pair{StorageKind::Flash, StorageKind::I2C},
                                             std::pair{StorageKind::I2C, StorageKind::Flash}}) {
        PollerRig rig(mouseKind, builtIn);
        rig.poller->Tick();
        EXPECT_EQ(rig.view.events,
                  (std::vector<std::string>{"message: TRVX441x005AData.bin file type error",
                                            "no-device appearance"}));
        EXPECT_FALSE(rig.mouse.IsAccepted());
        EXPECT_EQ(rig.mouse.DeviceStorage(), mouseKind);
        EXPECT_TRUE(rig.link.IsOpen());

        rig.sim->ClearFrames();
        const std::uint8_t block[3]{1, 2, 3};
        EXPECT_FALSE(rig.mouse.WriteRegister(166, 1, 0, 0, 1));
        EXPECT_FALSE(rig.mouse.WriteBlock(192, block));
        EXPECT_FALSE(rig.mouse.WriteRegisterRun(0, 44, block));
        EXPECT_FALSE(rig.mouse.WriteXData(0x10, 1));
        EXPECT_FALSE(rig.mouse.Reset());
        EXPECT_TRUE(rig.sim->Frames().empty());
    }
}

TEST(DevicePollerTest, InformationReplyThatIsNotOneLeavesTheMouseUnread) {
    const std::vector<std::vector<std::uint8_t>> replies{
        {0x3F, 0x3A, 0xC0}, // byte 0 below 0x40
        {0x41, 0x3B, 0xC0}, // no ':'
        {0x41, 0x3A, 0x40}, // neither storage type
    };
    for (const auto& reply : replies) {
        PollerRig rig(StorageKind::I2C);
        rig.sim->SetInfoReply(reply);
        rig.poller->Tick();
        EXPECT_TRUE(rig.view.events.empty()) << FormatHexBytes(reply);
        EXPECT_FALSE(rig.mouse.IsAccepted());
        EXPECT_EQ(rig.mouse.DeviceStorage(), StorageKind::None);

        // Another device arriving tries the unread mouse again.
        rig.sim->SetInfoReply(std::vector<std::uint8_t>{0x41, 0x3A, 0xC0});
        rig.sim->PlugOther();
        rig.Tick();
        EXPECT_TRUE(rig.mouse.IsAccepted()) << FormatHexBytes(reply);
    }
}

struct IdCase {
    std::uint8_t manu, pro;
    std::uint32_t revManu, revPro;
    bool accepted;
};

TEST(DevicePollerTest, IdBlockPairMustBeTheDefaultOrTheReservePair) {
    const IdCase cases[]{
        {255, 255, 0, 0, true}, // the shipped default pair
        {0, 0, 0, 0, true},     // the shipped reserve pair
        {7, 9, 7, 9, true},     // another reserve pair
        {7, 9, 0, 0, false},    // neither
        {255, 0, 0, 0, false},  // half of each pair is no pair
        {0, 255, 0, 255, true}, // reserve pair with one zero member
    };
    for (const StorageKind kind : {StorageKind::I2C, StorageKind::Flash}) {
        for (const IdCase& c : cases) {
            SCOPED_TRACE(std::string(StorageKindName(kind)) + " id " + std::to_string(c.manu) +
                         "," + std::to_string(c.pro));
            PollerRig rig(kind);
            rig.config.RevManuID = c.revManu;
            rig.config.RevProID = c.revPro;
            rig.Build();
            const std::uint8_t pair[2]{c.manu, c.pro};
            ASSERT_TRUE(rig.sim->Poke(kind == StorageKind::I2C ? 484 : 0x6000, pair));
            bool timerOnDuringBox = true;
            rig.view.onSystemMessage = [&] { timerOnDuringBox = rig.view.timerOn; };
            rig.view.timerOn = true;
            rig.poller->Tick();

            EXPECT_EQ(rig.mouse.IsAccepted(), c.accepted);
            const std::string ids = "ids " + std::to_string(c.manu) + " " + std::to_string(c.pro);
            if (c.accepted) {
                EXPECT_EQ(rig.view.Count("fill pages"), 1);
                continue;
            }
            EXPECT_EQ(
                rig.view.events,
                (std::vector<std::string>{
                    ids, "timer off", "system message: The mouse manufacturer or product id error",
                    "timer on", kNoDeviceEvent}));
            EXPECT_FALSE(timerOnDuringBox);
            rig.sim->ClearFrames();
            EXPECT_FALSE(rig.mouse.WriteRegister(166, 1, 0, 0, 1));
            EXPECT_TRUE(rig.sim->Frames().empty());
        }
    }
}

TEST(DevicePollerTest, IdBlockThatLostRepliesIsNotTakenForTheDefaultPair) {
    // A lost reply reads 0xFF 0xFF, the shipped default pair.
    PollerRig rig(StorageKind::I2C);
    const std::uint8_t pair[2]{1, 2};
    ASSERT_TRUE(rig.sim->Poke(484, pair));
    // Replies: the open's probe, the information reply, then the ID block's 2 replies.
    rig.sim->FailReply(3);
    rig.poller->Tick();
    EXPECT_TRUE(Contains(SentFrames(rig.sim->Frames()), "40 09 01 E4 00 0C 00 00"));
    EXPECT_FALSE(rig.mouse.IsAccepted());
    EXPECT_EQ(rig.view.Count("fill pages"), 0);
    EXPECT_EQ(rig.view.Count("ids"), 0);
}

TEST(DevicePollerTest, UnplugShowsNoDeviceAndReplugReadsAgain) {
    PollerRig rig(StorageKind::I2C);
    rig.poller->Tick();
    ASSERT_TRUE(rig.mouse.IsAccepted());
    rig.view.Take();

    rig.sim->Unplug();
    rig.Tick();
    EXPECT_EQ(rig.view.Take(), std::vector<std::string>{kNoDeviceEvent});
    EXPECT_FALSE(rig.mouse.IsAccepted());
    EXPECT_FALSE(rig.link.IsOpen());
    EXPECT_EQ(rig.poller->DevVID(), 0);
    EXPECT_EQ(rig.poller->LastHidCount(), 0);

    // Nothing changed: nothing happens.
    rig.Tick();
    EXPECT_TRUE(rig.view.events.empty());

    rig.sim->Plug();
    rig.Tick();
    EXPECT_TRUE(rig.mouse.IsAccepted());
    EXPECT_EQ(rig.view.Count("fill pages I2C"), 1);
}

TEST(DevicePollerTest, LostInputHandleLetsAGoneMouseGoAtOnce) {
    PollerRig rig(StorageKind::I2C);
    rig.poller->Tick();
    rig.view.Take();

    // The mouse is still there: nothing changes.
    rig.poller->InputLost();
    EXPECT_TRUE(rig.view.events.empty());
    EXPECT_TRUE(rig.mouse.IsAccepted());

    rig.sim->Unplug();
    rig.poller->InputLost();
    EXPECT_EQ(rig.view.Take(), std::vector<std::string>{kNoDeviceEvent});
    EXPECT_FALSE(rig.link.IsOpen());
    rig.Tick(); // the departure is not announced twice
    EXPECT_TRUE(rig.view.events.empty());

    rig.sim->Plug();
    rig.Tick();
    EXPECT_TRUE(rig.mouse.IsAccepted());
}

TEST(DevicePollerTest, MouseRepluggedBetweenTwoTicksIsReadAgainNotLeftOnDeadHandles) {
    PollerRig rig(StorageKind::I2C);
    rig.poller->Tick();
    ASSERT_TRUE(rig.mouse.IsAccepted());
    rig.view.Take();

    // Out and in again within one poll interval: same paths, same count, dead handles.
    rig.sim->Unplug();
    rig.sim->Plug();
    rig.poller->InputLost(); // the listener's read failed on its dead handle
    EXPECT_EQ(rig.view.Take(), std::vector<std::string>{kNoDeviceEvent});
    EXPECT_FALSE(rig.mouse.IsAccepted());

    rig.Tick();
    EXPECT_TRUE(rig.mouse.IsAccepted());
    EXPECT_EQ(rig.view.Count("fill pages I2C"), 1);
}

TEST(DevicePollerTest, AFailedReadIsTriedAgainOnTheNextTicksAFewTimesOnly) {
    PollerRig rig(StorageKind::I2C);
    for (int attempt = 0; attempt < 1 + DevicePoller::kTransferRetries; ++attempt) {
        rig.sim->FailReply(40); // a reply in the middle of the whole-image read
        rig.Tick();
    }
    EXPECT_EQ(rig.view.Count("read failed"), 1 + DevicePoller::kTransferRetries);
    // After the last try the user is told what to do.
    EXPECT_EQ(rig.view.events.back(),
              "message: The mouse does not answer. Please unplug it and plug it in again");
    EXPECT_EQ(rig.view.Count("message: The mouse does not answer"), 1);
    rig.sim->ClearFrames();
    rig.Tick(); // no retries left: the mouse stays unread until the devices change
    EXPECT_TRUE(rig.sim->Frames().empty());
    EXPECT_EQ(rig.view.Count("fill pages I2C"), 0);
    EXPECT_FALSE(rig.mouse.IsAccepted());

    rig.sim->Unplug();
    rig.Tick();
    rig.sim->Plug();
    rig.Tick();
    EXPECT_TRUE(rig.mouse.IsAccepted());
    EXPECT_EQ(rig.view.Count("fill pages I2C"), 1);
}

TEST(DevicePollerTest, KeyboardComingAndGoingLeavesTheReadMouseAlone) {
    PollerRig rig(StorageKind::I2C);
    rig.poller->Tick();
    ASSERT_TRUE(rig.mouse.IsAccepted());
    rig.view.Take();
    rig.sim->ClearFrames();

    rig.sim->PlugOther();
    rig.Tick();
    EXPECT_EQ(rig.poller->LastHidCount(), 3);
    rig.sim->UnplugOther();
    rig.Tick();
    EXPECT_EQ(rig.poller->LastHidCount(), 2);

    EXPECT_TRUE(rig.view.events.empty()); // no "No Device Found", no new read
    EXPECT_TRUE(rig.sim->Frames().empty());
    EXPECT_TRUE(rig.mouse.IsAccepted());
    EXPECT_TRUE(rig.link.IsOpen());
}

TEST(DevicePollerTest, KeyboardLeavingWithoutAMouseShowsNothingNew) {
    PollerRig rig(StorageKind::I2C);
    rig.sim->Unplug();
    rig.sim->PlugOther();
    rig.poller->Tick();
    EXPECT_EQ(rig.view.Take(), std::vector<std::string>{kNoDeviceEvent});
    rig.sim->UnplugOther();
    rig.Tick();
    EXPECT_TRUE(rig.view.events.empty());
    EXPECT_FALSE(rig.link.IsOpen());
}

// Started without the mouse, the first tick says so (also when no HID device at all is there,
// so the count never changes); later ticks that see no change say nothing more.
TEST(DevicePollerTest, TheFirstTickWithoutAMouseShowsTheNoDeviceState) {
    for (const bool keyboard : {true, false}) {
        SCOPED_TRACE(keyboard ? "beside a keyboard" : "no HID device at all");
        PollerRig rig(StorageKind::I2C);
        rig.sim->Unplug();
        if (keyboard)
            rig.sim->PlugOther();
        rig.poller->Tick();
        EXPECT_EQ(rig.view.Take(), std::vector<std::string>{kNoDeviceEvent});
        EXPECT_EQ(rig.poller->LastHidCount(), keyboard ? 1 : 0);
        rig.Tick();
        rig.Tick();
        EXPECT_TRUE(rig.view.events.empty());

        rig.sim->Plug();
        rig.Tick();
        EXPECT_TRUE(rig.mouse.IsAccepted());
        EXPECT_EQ(rig.view.Count("fill pages I2C"), 1);
    }
}

TEST(DevicePollerTest, ALinuxNodeHoldingEveryCollectionIsFoundCheckedAndRead) {
    PollerRig rig(StorageKind::Flash);
    rig.sim->SetLinuxLayout(true);
    rig.poller->Tick();
    EXPECT_TRUE(rig.mouse.IsAccepted());
    EXPECT_EQ(rig.poller->LastHidCount(), 1);
    EXPECT_EQ(rig.view.Count("fill pages Flash"), 1);
    EXPECT_EQ(rig.model.FlashImage(), rig.sim->Image());
}

// The probe of the open is a real command 13: when it is lost, the mouse that is plainly there
// is opened again on the next tick, without "No Device Found" meanwhile; when every try failed,
// the user is told to plug it in again.
TEST(DevicePollerTest, ALostProbeIsTriedAgainAndAtLastTheUserIsToldToReplug) {
    PollerRig rig(StorageKind::I2C);
    rig.sim->FailSend(1);
    rig.poller->Tick();
    EXPECT_TRUE(rig.view.events.empty());
    EXPECT_FALSE(rig.link.IsOpen());
    rig.Tick();
    EXPECT_TRUE(rig.mouse.IsAccepted());
    EXPECT_EQ(rig.view.Count("fill pages I2C"), 1);
    EXPECT_EQ(rig.view.Count("no device"), 0);

    PollerRig mute(StorageKind::I2C);
    for (int attempt = 0; attempt < 1 + DevicePoller::kTransferRetries; ++attempt) {
        mute.sim->FailReply(1); // the probe's answer
        mute.Tick();
    }
    EXPECT_EQ(mute.view.events,
              std::vector<std::string>{"no device: No Device Found\rThe mouse does not answer. "
                                       "Please unplug it and plug it in again"});
    mute.view.Take();
    mute.Tick();
    EXPECT_TRUE(mute.view.events.empty());
    EXPECT_FALSE(mute.mouse.IsAccepted());
}

// A mouse whose node this user may not open is reported as such at once, in both layouts: no
// retries (they cannot help) and no request to replug a mouse that never stopped answering.
// Once the rights are mended and the mouse plugged in again, it is read as usual.
TEST(DevicePollerTest, AMouseThatMayNotBeOpenedIsReportedAsAnAccessProblem) {
    for (const bool linux : {false, true}) {
        SCOPED_TRACE(linux ? "one node" : "two collections");
        PollerRig rig(StorageKind::I2C);
        rig.sim->SetLinuxLayout(linux);
        rig.sim->DenyAccess(true);
        rig.poller->Tick();
        EXPECT_EQ(rig.view.Take(),
                  std::vector<std::string>{"no device: No Device Found\rThe mouse was found but "
                                           "cannot be opened"});
        EXPECT_TRUE(rig.link.OpenRefused());
        EXPECT_TRUE(rig.sim->Frames().empty());
        rig.Tick();
        rig.Tick();
        EXPECT_TRUE(rig.view.events.empty());
        EXPECT_FALSE(rig.mouse.IsAccepted());

        rig.sim->DenyAccess(false);
        rig.sim->Unplug();
        rig.Tick();
        rig.sim->Plug();
        rig.Tick();
        EXPECT_TRUE(rig.mouse.IsAccepted());
        EXPECT_FALSE(rig.link.OpenRefused());
        EXPECT_EQ(rig.view.Count("fill pages I2C"), 1);
    }
}

// The count flickers on every other call, as while the system sets a device up.
class FlickeringBackend final : public HidBackend {
public:
    explicit FlickeringBackend(HidBackend& inner) : inner_(inner) {}
    std::vector<HidInterfaceInfo> enumerate() override { return inner_.enumerate(); }
    int countInterfaces() override {
        const int n = inner_.countInterfaces();
        return flicker && (calls_++ % 2 == 1) ? n + 1 : n;
    }
    std::unique_ptr<HidHandle> open(const std::string& path, HidAccess access) override {
        return inner_.open(path, access);
    }
    bool flicker = true;

private:
    HidBackend& inner_;
    int calls_ = 0;
};

TEST(DevicePollerTest, FlickeringCountsChangeNothing) {
    VirtualClock clock;
    SimulatedMouse sim(StorageKind::I2C, clock);
    FlickeringBackend backend(sim);
    DeviceLink link(backend, clock);
    AcceptedMouse mouse(link);
    RecordingView view;
    WholeImageReader reader(mouse, view);
    PollerRig defaults(StorageKind::I2C);
    DevicePoller poller(link, backend, clock, mouse, reader, view, defaults.config, TestTexts());

    poller.Tick();
    EXPECT_EQ(poller.LastHidCount(), 0);
    EXPECT_TRUE(view.events.empty());
    EXPECT_TRUE(sim.Frames().empty());

    backend.flicker = false;
    poller.Tick();
    EXPECT_EQ(poller.LastHidCount(), 2);
    EXPECT_TRUE(mouse.IsAccepted());
}

TEST(DevicePollerTest, TicksDuringTheArrivalWaitReturnAtOnce) {
    PollerRig rig(StorageKind::I2C);
    int nested = 0;
    rig.view.onProcessEvents = [&] {
        ++nested;
        rig.poller->Tick();
    };
    rig.poller->Tick();
    EXPECT_EQ(nested, DevicePoller::kArrivalWaitRounds);
    EXPECT_EQ(rig.view.Count("begin read"), 1);
    const auto sent = SentFrames(rig.sim->Frames());
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "40 0D 00 00 00 00 00 00"), 2); // probe, info
    EXPECT_FALSE(rig.poller->IsBusy());
}

TEST(DevicePollerTest, ResetAndReconnectResetsWaitsAndReadsAgain) {
    PollerRig rig(StorageKind::I2C);
    rig.poller->Tick();
    ASSERT_TRUE(rig.mouse.IsAccepted());
    rig.view.Take();
    rig.sim->ClearFrames();

    // The no-device message is up before the wait, and the mouse is no longer written to.
    std::int64_t messageAt = -1;
    bool acceptedAtMessage = true;
    rig.view.onNoDevice = [&] {
        messageAt = rig.clock.nowMicros();
        acceptedAtMessage = rig.mouse.IsAccepted();
    };
    const std::int64_t start = rig.clock.nowMicros();
    rig.poller->ResetAndReconnect();

    EXPECT_EQ(rig.sim->ResetCount(), 1);
    EXPECT_FALSE(acceptedAtMessage);
    EXPECT_GE(messageAt - start, 500'000);
    EXPECT_GE(rig.clock.nowMicros() - messageAt, 5'100'000);
    EXPECT_EQ(rig.view.events,
              (std::vector<std::string>{"timer off", kNoDeviceEvent, "ids 255 255", "begin read",
                                        "fill pages I2C", "end read, filled"}));
    EXPECT_TRUE(rig.mouse.IsAccepted());
    EXPECT_TRUE(rig.view.timerOn);
    const auto sent = SentFrames(rig.sim->Frames());
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), "40 0E 00 00 00 00 00 00");

    // The mouse came back as it was: the next ticks see no change.
    rig.view.Take();
    rig.Tick();
    rig.Tick();
    EXPECT_TRUE(rig.view.events.empty());
}

TEST(DevicePollerTest, SearchThatFailsAfterAResetLetsPollingFindTheMouseLater) {
    PollerRig rig(StorageKind::I2C);
    rig.poller->Tick();
    rig.view.Take();
    rig.sim->SetResetDelayMillis(10'000); // longer than the 5.1 s wait

    rig.poller->ResetAndReconnect();
    EXPECT_EQ(rig.view.events,
              (std::vector<std::string>{"timer off", kNoDeviceEvent, kNoDeviceEvent, "timer on"}));
    EXPECT_FALSE(rig.mouse.IsAccepted());
    EXPECT_FALSE(rig.poller->MousePresent());
    rig.view.Take();

    rig.clock.advanceMillis(5'000);
    rig.Tick();
    EXPECT_TRUE(rig.mouse.IsAccepted());
    EXPECT_EQ(rig.view.Count("fill pages I2C"), 1);
}

TEST(DevicePollerTest, ResetOfAMouseNotAcceptedSendsNothing) {
    PollerRig rig(StorageKind::I2C, StorageKind::Flash);
    rig.poller->Tick();
    ASSERT_FALSE(rig.mouse.IsAccepted());
    rig.poller->ResetAndReconnect();
    EXPECT_EQ(rig.sim->ResetCount(), 0);
    EXPECT_TRUE(rig.view.timerOn);
}

} // namespace
} // namespace trvx::test
