#include "macros/MacroRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trvx {
namespace {

constexpr std::uint32_t kA = 'A';
constexpr std::uint32_t kB = 'B';
constexpr std::uint32_t kLeftCtrl = 0xA2;

std::vector<std::uint8_t> Body(const MacroRecorder& r) {
    MacroScript script{r.Header()};
    script.insert(script.end(), r.Lines().begin(), r.Lines().end());
    const CompileResult c = CompilePCMacroScript(script);
    EXPECT_TRUE(c.macro);
    if (!c.macro)
        return {};
    return {c.macro->body.begin(), c.macro->body.begin() + c.macro->length};
}

TEST(MacroRecorder, DelayModesGiveTheirHeaderAndDelayLines) {
    struct Case {
        MacroDelayMode mode;
        MacroScript expected;
    };
    const std::vector<Case> cases{
        {MacroDelayMode::Recorded,
         {"10", "1 Ctrl CODE:8101", "0 120", "1 A CODE:8204", "0 65535", "2 A CODE:0204", "0 5",
          "2 Ctrl CODE:0101"}},
        {MacroDelayMode::Fixed,
         {"0140", "1 Ctrl CODE:8101", "0 40", "1 A CODE:8204", "0 40", "2 A CODE:0204", "0 40",
          "2 Ctrl CODE:0101"}},
        {MacroDelayMode::None,
         {"00", "1 Ctrl CODE:8101", "1 A CODE:8204", "2 A CODE:0204", "2 Ctrl CODE:0101"}},
    };
    for (const Case& c : cases) {
        MacroRecorder r;
        r.Start(c.mode, 40);
        r.Key(kLeftCtrl, true, 1000);
        r.Key(kA, true, 1120);
        r.Key(kA, true, 1150); // auto-repeat adds nothing
        r.Key(kA, false, 1120 + 70000);
        r.Key(kLeftCtrl, false, 1120 + 70005);
        r.Finish(1120 + 70010);
        MacroScript got{r.Header()};
        got.insert(got.end(), r.Lines().begin(), r.Lines().end());
        EXPECT_EQ(got, c.expected) << static_cast<int>(c.mode);
    }
}

TEST(MacroRecorder, ButtonsOfEveryKindToTheByte) {
    MacroRecorder r;
    r.Start(MacroDelayMode::None, 50);
    for (std::uint32_t x : {1u, 3u, 2u, 9u, 8u}) {
        r.Input({CapturedInput::Kind::ButtonDown, x, 0});
        r.Input({CapturedInput::Kind::ButtonUp, x, 0});
    }
    r.Input({CapturedInput::Kind::ButtonDown, 4, 0}); // the wheel records nothing
    r.Finish(0);
    EXPECT_EQ(Body(r), (std::vector<std::uint8_t>{0xA1, 0x21, 0xA2, 0x22, 0xA4, 0x24, 0xA8, 0x28,
                                                  0xB0, 0x30, 0x00}));
}

TEST(MacroRecorder, ReleasesOfHeldKeysAreAddedAtTheStop) {
    MacroRecorder r;
    r.Start(MacroDelayMode::Fixed, 10);
    r.Key(kLeftCtrl, true, 0);
    r.Key(kB, true, 5);
    r.Button(0x01, true, 6);
    r.Finish(9);
    EXPECT_EQ(r.Lines(), (MacroScript{"1 Ctrl CODE:8101", "0 10", "1 B CODE:8205", "0 10",
                                      "1 LeftKey CODE:00A1", "0 10", "2 LeftKey CODE:0021", "0 10",
                                      "2 B CODE:0205", "0 10", "2 Ctrl CODE:0101"}));
    EXPECT_FALSE(r.Active());
}

TEST(MacroRecorder, ReleasesWithoutTheirPressAndSkippedLeftClicksLeaveNoLine) {
    MacroRecorder r;
    r.Start(MacroDelayMode::None, 50);
    r.Button(0x01, false, 0); // the release of the click that started the recording
    r.Key(kA, false, 0);
    r.SetSkipLeftButton(true);
    r.Button(0x01, true, 1); // the click on the stop button
    r.Finish(2);
    EXPECT_TRUE(r.Lines().empty());
}

TEST(MacroRecorder, RoomForTheReleasesIsKeptUntilTheLastByte) {
    // Without delays each key press and release costs 2 bytes: 254 bytes take 63 whole taps
    // (252 bytes); then a held key's press needs 4 and only 2 remain, so it is refused and the
    // recording asks to stop with every press still paired.
    for (const MacroDelayMode mode : {MacroDelayMode::None, MacroDelayMode::Recorded}) {
        MacroRecorder r;
        r.Start(mode, 50);
        bool stop = false;
        std::uint32_t tick = 0;
        // Hold Ctrl through the whole recording, so its release must still fit at the end.
        stop = r.Key(kLeftCtrl, true, tick++);
        for (int i = 0; !stop && i < 200; ++i) {
            stop = r.Key(kA + static_cast<std::uint32_t>(i % 20), true, tick++);
            if (!stop)
                stop = r.Key(kA + static_cast<std::uint32_t>(i % 20), false, tick++);
        }
        ASSERT_TRUE(stop);
        EXPECT_TRUE(r.StopRequested());
        r.Finish(tick);
        EXPECT_LE(r.RecordedBytes(), kRecordBytesMax);
        const std::vector<std::uint8_t> body = Body(r);
        ASSERT_FALSE(body.empty());
        EXPECT_EQ(r.Lines().back(), "2 Ctrl CODE:0101");
        EXPECT_EQ(body.size(), static_cast<std::size_t>(r.RecordedBytes()) + 1);
        // Every press has its release.
        int presses = 0;
        int releases = 0;
        for (const auto& line : r.Lines()) {
            presses += line[0] == '1';
            releases += line[0] == '2';
        }
        EXPECT_EQ(presses, releases);
    }
}

TEST(MacroRecorder, NothingIsRecordedWhileIdle) {
    MacroRecorder r;
    EXPECT_FALSE(r.Key(kA, true, 0));
    EXPECT_FALSE(r.Button(0x01, true, 0));
    EXPECT_TRUE(r.Lines().empty());
}

} // namespace
} // namespace trvx
