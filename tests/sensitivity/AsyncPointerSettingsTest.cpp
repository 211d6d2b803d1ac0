// The desktop's pointer settings on a worker of their own: the window's calls answer at once
// while the desktop hangs, what the desktop holds is reported once nothing is left to do, and
// the end writes what the window showed, within its limit.

#include "sensitivity/AsyncPointerSettings.h"

#include "base/Clock.h"

#include "support/AtOnce.h"
#include "support/PointerOutcomes.h"
#include "support/Waiting.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace trvx {
namespace {

using test::kWaitDeadline;

// A desktop behind a gate: while it is shut, every call waits until the test lets it through,
// as the calls to a hung compositor do. It outlives the settings the worker makes of it.
class Desktop {
public:
    PointerState state;
    // Writes of double-click times fail with this, when it is set.
    std::string refuseDoubleClick;
    // Writes of wheel lines throw this, when it is set.
    std::string throwOnWheelLines;
    bool throwOnRead = false;

    // Every call takes `ms` on `clock` once through the gate.
    void Pace(Clock& clock, int ms) {
        std::lock_guard lock(mutex_);
        clock_ = &clock;
        callMs_ = ms;
    }
    void Shut() {
        std::lock_guard lock(mutex_);
        passes_ = 0;
    }
    void Open() {
        std::lock_guard lock(mutex_);
        passes_ = kOpen;
        changed_.notify_all();
    }
    // Lets the next `calls` through a shut gate.
    void Let(int calls) {
        std::lock_guard lock(mutex_);
        passes_ += calls;
        changed_.notify_all();
    }
    // Waits until `count` calls have begun, the last of them perhaps still at the gate.
    bool WaitBegun(std::size_t count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kWaitDeadline, [&] { return calls_.size() >= count; });
    }
    std::vector<std::string> Calls() {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    std::thread::id CalledOn() {
        std::lock_guard lock(mutex_);
        return calledOn_;
    }
    std::thread::id EndedOn() {
        std::lock_guard lock(mutex_);
        return endedOn_;
    }

    PointerState Read() {
        std::unique_lock lock = Pass("read");
        if (throwOnRead)
            throw std::runtime_error("the desktop's answer was garbled");
        return state;
    }
    PointerResult Write(PointerSetting setting, const PointerState& wanted) {
        std::ostringstream call;
        call << "write ";
        switch (setting) {
        case PointerSetting::Speed:
            call << "speed " << wanted.speed.value_or(9);
            break;
        case PointerSetting::Acceleration:
            call << "acceleration " << wanted.acceleration.value_or(true);
            break;
        case PointerSetting::DoubleClick:
            call << "double-click " << wanted.doubleClickMs.value_or(0);
            break;
        case PointerSetting::WheelLines:
            call << "wheel lines " << wanted.wheelLines.value_or(0);
            break;
        }
        std::unique_lock lock = Pass(call.str());
        if (setting == PointerSetting::WheelLines && !throwOnWheelLines.empty())
            throw std::runtime_error(throwOnWheelLines);
        if (setting == PointerSetting::DoubleClick && !refuseDoubleClick.empty())
            return {false, refuseDoubleClick};
        ApplyPointerSetting(state, setting, wanted);
        return {};
    }
    void Ended() {
        std::lock_guard lock(mutex_);
        endedOn_ = std::this_thread::get_id();
    }

private:
    static constexpr int kOpen = 1 << 30;

    std::unique_lock<std::mutex> Pass(const std::string& call) {
        std::unique_lock lock(mutex_);
        calls_.push_back(call);
        calledOn_ = std::this_thread::get_id();
        changed_.notify_all();
        changed_.wait(lock, [this] { return passes_ > 0; });
        --passes_;
        if (clock_ != nullptr) {
            lock.unlock();
            clock_->sleepMillis(callMs_);
            lock.lock();
        }
        return lock;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    int passes_ = kOpen;
    std::vector<std::string> calls_;
    std::thread::id calledOn_;
    std::thread::id endedOn_;
    Clock* clock_ = nullptr;
    int callMs_ = 0;
};

class GatedSettings : public PointerSettings {
public:
    explicit GatedSettings(Desktop& desktop) : desktop_(desktop) {}
    ~GatedSettings() override { desktop_.Ended(); }
    PointerState Read() override { return desktop_.Read(); }
    PointerResult Write(PointerSetting setting, const PointerState& wanted) override {
        return desktop_.Write(setting, wanted);
    }

private:
    Desktop& desktop_;
};

PointerState WithSpeed(double speed) {
    PointerState s;
    s.speed = speed;
    return s;
}

PointerState WithDoubleClick(int ms) {
    PointerState s;
    s.doubleClickMs = ms;
    return s;
}

// Takes the settings' reports in place of the window, which is going: the returned future is
// ready once the settings' end has begun and let go of it. Reporting anything meanwhile fails.
std::future<void> EndBegins(AsyncPointerSettings& settings) {
    struct Farewell {
        std::promise<void> gone;
        ~Farewell() { gone.set_value(); }
    };
    auto farewell = std::make_shared<Farewell>();
    std::future<void> begun = farewell->gone.get_future();
    settings.ReportOutcomes([farewell = std::move(farewell)](const PointerOutcome&) {
        ADD_FAILURE() << "an outcome was reported while closing";
    });
    return begun;
}

class AsyncPointerSettingsTest : public ::testing::Test {
protected:
    AsyncPointerSettingsTest() {
        desktop_.state.speed = 0.0;
        desktop_.state.acceleration = true;
        desktop_.state.doubleClickMs = 500;
    }
    // Makes a call as the window would, while the desktop's gate is shut; the gate opens when
    // the call does not answer at once.
    template <class Call> auto AtOnce(Call call) {
        return test::AtOnce(call, [this] { desktop_.Open(); });
    }
    // Settings of the desktop whose early reading is taken; the gate is shut afterwards. The
    // window's first Read does not wait for that reading: it is empty, and the reading follows
    // as the first outcome.
    void SetUp() override {
        desktop_.Shut();
        settings_ = std::make_unique<AsyncPointerSettings>(
            [this] { return std::make_unique<GatedSettings>(desktop_); });
        settings_->ReportOutcomes(outcomes_.Report());
        EXPECT_EQ(AtOnce([this] { return settings_->Read(); }), PointerState{});
        desktop_.Let(1);
        const std::vector<PointerOutcome> early = outcomes_.WaitFor(1);
        ASSERT_EQ(early.size(), 1u);
        EXPECT_EQ(early[0].state, desktop_.state);
        EXPECT_TRUE(early[0].write.ok);
        EXPECT_EQ(early[0].writes, 0u);
        outcomes_.Forget();
    }
    // A test that failed half-way leaves no call hanging, so the settings can end.
    void TearDown() override { desktop_.Open(); }

    Desktop desktop_;
    test::PointerOutcomes outcomes_;
    std::unique_ptr<AsyncPointerSettings> settings_;
};

TEST_F(AsyncPointerSettingsTest, TheWindowsCallsAnswerAtOnceWhileTheDesktopHangs) {
    // The early reading is reported as it is, without a second read; the later reads ask for one.
    EXPECT_EQ(desktop_.Calls(), std::vector<std::string>{"read"});
    EXPECT_NE(desktop_.CalledOn(), std::this_thread::get_id());

    EXPECT_EQ(AtOnce([&] { return settings_->Read(); }).speed, 0.0);
    ASSERT_TRUE(desktop_.WaitBegun(2)); // the refresh hangs
    EXPECT_TRUE(AtOnce([&] { return settings_->Write(PointerSetting::Speed, WithSpeed(0.5)); }).ok);
    // The click shows at once.
    const PointerState shown = AtOnce([&] { return settings_->Read(); });
    EXPECT_EQ(shown.speed, 0.5);
    EXPECT_EQ(shown.doubleClickMs, 500);
    EXPECT_TRUE(outcomes_.Got().empty());

    desktop_.Open();
    const std::vector<PointerOutcome> outcomes = outcomes_.WaitFor(1);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_TRUE(outcomes[0].write.ok);
    EXPECT_EQ(outcomes[0].state.speed, 0.5);
    EXPECT_EQ(outcomes[0].writes, 1u);
    // The refresh asked for while the write waited is the write's read-back.
    EXPECT_EQ(desktop_.Calls(),
              (std::vector<std::string>{"read", "read", "write speed 0.5", "read"}));
}

TEST_F(AsyncPointerSettingsTest, QueuedWritesReportOnceWithTheNewestValueOfEach) {
    ASSERT_TRUE(settings_->Write(PointerSetting::Speed, WithSpeed(0.25)).ok);
    ASSERT_TRUE(desktop_.WaitBegun(2)); // that write hangs; the next ones wait behind it
    ASSERT_TRUE(settings_->Write(PointerSetting::Speed, WithSpeed(0.5)).ok);
    ASSERT_TRUE(settings_->Write(PointerSetting::DoubleClick, WithDoubleClick(300)).ok);
    ASSERT_TRUE(settings_->Write(PointerSetting::Speed, WithSpeed(0.75)).ok);
    const PointerState shown = settings_->Read();
    EXPECT_EQ(shown.speed, 0.75);
    EXPECT_EQ(shown.doubleClickMs, 300);
    EXPECT_EQ(shown.acceleration, true);

    desktop_.Open();
    const std::vector<PointerOutcome> outcomes = outcomes_.WaitFor(1);
    // Nothing is reported between the writes, so the page never goes back to an older value;
    // the worker is idle after the one report.
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].state, desktop_.state);
    EXPECT_EQ(outcomes[0].state.speed, 0.75);
    EXPECT_EQ(outcomes[0].state.doubleClickMs, 300);
    EXPECT_EQ(outcomes[0].writes, 4u);
    EXPECT_EQ(desktop_.Calls(),
              (std::vector<std::string>{"read", "write speed 0.25", "write speed 0.75",
                                        "write double-click 300", "read"}));
}

TEST_F(AsyncPointerSettingsTest, AReadUnderWayNeverHidesAWriteAskedMeanwhile) {
    settings_->Read();
    ASSERT_TRUE(desktop_.WaitBegun(2)); // the refresh hangs
    ASSERT_TRUE(settings_->Write(PointerSetting::Speed, WithSpeed(0.75)).ok);
    desktop_.Let(1);                    // the refresh reads the old speed ...
    ASSERT_TRUE(desktop_.WaitBegun(3)); // ... and the write hangs
    EXPECT_EQ(settings_->Read().speed, 0.75);
    EXPECT_TRUE(outcomes_.Got().empty());

    desktop_.Open();
    const std::vector<PointerOutcome> outcomes = outcomes_.WaitFor(1);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].state.speed, 0.75);
}

TEST_F(AsyncPointerSettingsTest, AFailedWriteReportsItsErrorAndWhatTheDesktopKept) {
    desktop_.refuseDoubleClick = "double-click: locked by the desktop's settings";
    ASSERT_TRUE(settings_->Write(PointerSetting::DoubleClick, WithDoubleClick(300)).ok);
    ASSERT_TRUE(desktop_.WaitBegun(2));
    ASSERT_TRUE(settings_->Write(PointerSetting::DoubleClick, WithDoubleClick(270)).ok);
    ASSERT_TRUE(settings_->Write(PointerSetting::Speed, WithSpeed(0.5)).ok);
    EXPECT_EQ(settings_->Read().doubleClickMs, 270);

    desktop_.Open();
    const std::vector<PointerOutcome> outcomes = outcomes_.WaitFor(1);
    ASSERT_EQ(outcomes.size(), 1u);
    // Both double-click writes failed alike: the user is told once.
    EXPECT_FALSE(outcomes[0].write.ok);
    EXPECT_EQ(outcomes[0].write.error, desktop_.refuseDoubleClick);
    EXPECT_EQ(outcomes[0].state.doubleClickMs, 500);
    EXPECT_EQ(outcomes[0].state.speed, 0.5);
    // The window is given what the desktop kept; the error was told, the next outcome has none.
    EXPECT_EQ(settings_->Read().doubleClickMs, 500);
    const std::vector<PointerOutcome> next = outcomes_.WaitFor(2);
    ASSERT_EQ(next.size(), 2u);
    EXPECT_TRUE(next[1].write.ok);
    EXPECT_EQ(next[1].state.doubleClickMs, 500);
}

TEST_F(AsyncPointerSettingsTest, ClosingWritesWhatIsLeftReadsNothingBackAndEndsOnTheWorker) {
    ASSERT_TRUE(settings_->Write(PointerSetting::Speed, WithSpeed(0.5)).ok);
    ASSERT_TRUE(desktop_.WaitBegun(2));
    ASSERT_TRUE(settings_->Write(PointerSetting::DoubleClick, WithDoubleClick(300)).ok);
    settings_->Read();
    const std::thread::id worker = desktop_.CalledOn();
    std::future<void> closing = EndBegins(*settings_);

    // The close waits for the hung write, which its own timeout ends, then writes the click the
    // window showed meanwhile; the read-backs would be told to nobody.
    auto closed = std::async(std::launch::async, [this] { settings_.reset(); });
    struct OpenInTheEnd {
        Desktop& desktop;
        ~OpenInTheEnd() { desktop.Open(); }
    } openInTheEnd{desktop_};
    ASSERT_EQ(closing.wait_for(kWaitDeadline), std::future_status::ready);
    desktop_.Open();
    ASSERT_EQ(closed.wait_for(kWaitDeadline), std::future_status::ready);
    EXPECT_EQ(desktop_.Calls(),
              (std::vector<std::string>{"read", "write speed 0.5", "write double-click 300"}));
    EXPECT_EQ(desktop_.EndedOn(), worker);
}

// Clicks the window showed while the settings were still being found, or while the worker was
// busy, are written at the end. No write begins once 3 s have passed since the end began (each
// call takes its time on the test's clock), so the end lasts at most that and one call. Each
// click given up or refused then is named on standard error, one line each.
TEST(AsyncPointerSettings, TheEndWritesTheClicksLeftUntilItsLimitAndNamesTheRest) {
    const char* const refusal = "locked by the desktop's settings";
    const struct Case {
        const char* name;
        bool stillFinding; // else the worker is busy reading
        int callMs;
        std::size_t written;           // of the four clicks, in order
        std::vector<std::string> told; // what the lines on standard error hold, in order
        bool present = true;
        bool refuseDoubleClick = false;
    } cases[] = {
        {"found after the end began, quick calls", true, 100, 4, {}},
        {"busy when the end began, quick calls", false, 100, 4, {}},
        {"found after the end began, calls of 2 s",
         true,
         2000,
         2,
         {"double-click time 300 ms: not begun", "wheel lines 5: not begun"}},
        {"busy when the end began, calls of 2 s",
         false,
         2000,
         1,
         {"pointer acceleration off: not begun", "double-click time 300 ms: not begun",
          "wheel lines 5: not begun"}},
        {"none found after the end began",
         true,
         100,
         0,
         {"pointer speed 0.5: The desktop keeps no",
          "pointer acceleration off: The desktop keeps no",
          "double-click time 300 ms: The desktop keeps no", "wheel lines 5: The desktop keeps no"},
         false},
        {"a write refused at the end",
         false,
         100,
         4,
         {std::string("double-click time 300 ms: ") + refusal},
         true,
         true}};
    PointerState off;
    off.acceleration = false;
    PointerState lines;
    lines.wheelLines = 5;
    const std::pair<PointerSetting, PointerState> clicks[] = {
        {PointerSetting::Speed, WithSpeed(0.5)},
        {PointerSetting::Acceleration, off},
        {PointerSetting::DoubleClick, WithDoubleClick(300)},
        {PointerSetting::WheelLines, lines}};
    const std::vector<std::string> calls = {"write speed 0.5", "write acceleration 0",
                                            "write double-click 300", "write wheel lines 5"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        VirtualClock clock;
        Desktop desktop;
        desktop.Pace(clock, c.callMs);
        if (c.refuseDoubleClick)
            desktop.refuseDoubleClick = refusal;
        desktop.Shut();
        std::promise<void> find;
        const std::shared_future<void> finding = find.get_future().share();
        auto settings = std::make_unique<AsyncPointerSettings>(
            [&]() -> std::unique_ptr<PointerSettings> {
                finding.wait_for(kWaitDeadline);
                if (!c.present)
                    return nullptr;
                return std::make_unique<GatedSettings>(desktop);
            },
            &clock);
        std::future<void> ended;
        // Whatever fails, the settings can end.
        struct LetGo {
            std::promise<void>& find;
            Desktop& desktop;
            ~LetGo() {
                try {
                    find.set_value();
                } catch (const std::future_error&) {
                }
                desktop.Open();
            }
        } letGo{find, desktop};
        std::future<void> endBegun = EndBegins(*settings);
        if (!c.stillFinding) {
            find.set_value();
            ASSERT_TRUE(desktop.WaitBegun(1)); // the early reading hangs
        }
        for (const auto& [setting, wanted] : clicks)
            ASSERT_TRUE(settings->Write(setting, wanted).ok);

        const std::int64_t began = clock.nowMicros();
        testing::internal::CaptureStderr();
        ended = std::async(std::launch::async, [&settings] { settings.reset(); });
        const bool endedInTime = [&] {
            if (endBegun.wait_for(kWaitDeadline) != std::future_status::ready)
                return false;
            if (c.stillFinding)
                find.set_value();
            desktop.Open();
            return ended.wait_for(kWaitDeadline) == std::future_status::ready;
        }();
        const std::string told = testing::internal::GetCapturedStderr();
        ASSERT_TRUE(endedInTime);

        EXPECT_LE(clock.nowMicros() - began, (3000 + c.callMs) * 1000);
        std::vector<std::string> expected(calls.begin(), calls.begin() + c.written);
        if (!c.stillFinding)
            expected.insert(expected.begin(), "read");
        EXPECT_EQ(desktop.Calls(), expected);
        std::istringstream toldLines(told);
        std::vector<std::string> given;
        for (std::string line; std::getline(toldLines, line);)
            given.push_back(line);
        ASSERT_EQ(given.size(), c.told.size()) << told;
        for (std::size_t n = 0; n < given.size(); ++n)
            EXPECT_NE(given[n].find(c.told[n]), std::string::npos) << given[n];
    }
}

// A call that throws is a call that failed: the worker goes on, the user is told, and a read
// that failed shows what the desktop held and took rather than what it refused.
TEST_F(AsyncPointerSettingsTest, CallsThatThrowAreFailedCalls) {
    desktop_.throwOnWheelLines = "no wheel here";
    desktop_.refuseDoubleClick = "double-click: locked by the desktop's settings";
    desktop_.throwOnRead = true;
    PointerState lines;
    lines.wheelLines = 3;
    ASSERT_TRUE(settings_->Write(PointerSetting::WheelLines, lines).ok);
    ASSERT_TRUE(settings_->Write(PointerSetting::DoubleClick, WithDoubleClick(300)).ok);
    ASSERT_TRUE(settings_->Write(PointerSetting::Speed, WithSpeed(0.5)).ok);
    desktop_.Open();
    const std::vector<PointerOutcome> outcomes = outcomes_.WaitFor(1);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_FALSE(outcomes[0].write.ok);
    EXPECT_NE(outcomes[0].write.error.find("no wheel here"), std::string::npos);
    EXPECT_NE(outcomes[0].write.error.find(desktop_.refuseDoubleClick), std::string::npos);
    EXPECT_EQ(outcomes[0].state, desktop_.state);
    EXPECT_EQ(outcomes[0].state.speed, 0.5);
    EXPECT_EQ(outcomes[0].state.doubleClickMs, 500);
    EXPECT_EQ(settings_->Read().wheelLines, std::nullopt);
}

// Settings that are still being looked for when the window asks: reads are empty at once, and
// writes wait on the worker for the settings, written if they are found, failed if not.
TEST(AsyncPointerSettings, WritesAskedBeforeTheSettingsAreFoundWaitForThem) {
    struct Case {
        const char* name;
        bool present;
        bool factoryThrows;
    } const cases[] = {
        {"found", true, false}, {"not there", false, false}, {"looking threw", false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Desktop desktop;
        desktop.state.speed = 0.0;
        desktop.Shut();
        std::promise<void> look;
        std::shared_future<void> looking = look.get_future().share();
        // A call of the window's that waited for the settings to be found would wait for good:
        // the looking gives up, so the test fails and still ends.
        std::atomic<bool> gaveUp = false;
        test::PointerOutcomes outcomes;
        AsyncPointerSettings settings([&]() -> std::unique_ptr<PointerSettings> {
            gaveUp = looking.wait_for(kWaitDeadline) != std::future_status::ready;
            if (c.factoryThrows)
                throw std::runtime_error("no bus");
            if (!c.present)
                return nullptr;
            return std::make_unique<GatedSettings>(desktop);
        });
        settings.ReportOutcomes(outcomes.Report());
        EXPECT_EQ(settings.Read(), PointerState{});
        EXPECT_TRUE(settings.Write(PointerSetting::Speed, WithSpeed(0.5)).ok);
        EXPECT_EQ(settings.Read().speed, 0.5);
        look.set_value();
        EXPECT_FALSE(gaveUp) << "the window's calls waited for the settings to be found";
        if (c.present) {
            // The first reading has the old speed; the write, held by the desktop, still shows.
            desktop.Let(1);
            EXPECT_TRUE(desktop.WaitBegun(2));
            EXPECT_EQ(settings.Read().speed, 0.5);
            EXPECT_TRUE(outcomes.Got().empty());
            desktop.Open();
        }

        std::vector<PointerOutcome> got = outcomes.WaitFor(1);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].writes, 1u);
        EXPECT_EQ(got[0].write.ok, c.present) << got[0].write.error;
        if (c.present) {
            EXPECT_EQ(got[0].state.speed, 0.5);
            EXPECT_EQ(desktop.Calls(),
                      (std::vector<std::string>{"read", "write speed 0.5", "read"}));
            continue;
        }
        EXPECT_EQ(got[0].state, PointerState{});
        EXPECT_FALSE(got[0].write.error.empty());
        // Known to be missing now: writes fail at once and nothing more is reported.
        EXPECT_EQ(settings.Read(), PointerState{});
        EXPECT_FALSE(settings.Write(PointerSetting::Speed, WithSpeed(0.0)).ok);
        EXPECT_EQ(outcomes.Got().size(), 1u);
        EXPECT_TRUE(desktop.Calls().empty());
    }
}

} // namespace
} // namespace trvx
