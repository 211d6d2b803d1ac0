// The sensitivity page's pointer settings on the window: a bar click writes that one setting, a
// failed write is told to the user and the page shows what the desktop holds, and a setting the
// desktop has not is disabled with a hint. On settings of their own thread, a click answers at
// once while the desktop hangs, and the page shows what the desktop holds once it answers. An
// answer that comes once the window is closing shows nothing.
#include "controls/wide/ui/UniLabel.h"
#include "sensitivity/AsyncPointerSettings.h"
#include "sensitivity/PointerSettings.h"
#include "sensitivity/SensitivityRules.h"
#include "shell/ui/DeviceWorker.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/MessageDialog.h"
#include "sim/SimulatedMouse.h"
#include "skin/ui/SkinPicture.h"
#include "support/Waiting.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace trvx {
namespace {

// A window on pointer settings of the test's own; its messages to the user are kept, not shown.
class PointerWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = FormMessageDialog::setResponder(
            [this](const QString& text) { messages_.push_back(text); });
    }
    void TearDown() override {
        form_.reset();
        FormMessageDialog::setResponder(previous_);
    }
    // A window, in place of any before it, whose pointer settings `settings` makes.
    void Open(std::function<std::unique_ptr<PointerSettings>()> settings) {
        form_.reset();
        MainWindowOptions options;
        options.backend = &mouse_;
        options.clock = &clock_;
        options.screenSize = QSize(1920, 1080);
        options.trayIcon = false;
        options.pointerSettings = std::move(settings);
        form_ = std::make_unique<TForm1>(options);
        form_->show();
    }
    void Click(const char* name) {
        QWidget* w = form_->Control(name);
        ASSERT_NE(w, nullptr) << name;
        if (auto* picture = qobject_cast<SkinPicture*>(w))
            emit picture->clicked();
        else if (auto* label = qobject_cast<TUniLabel*>(w))
            emit label->clicked();
        QCoreApplication::processEvents();
    }
    // The level a bar shows, below the last: the last lit picture, whether the skin lights one or
    // all up to it.
    int Shown(const std::string& stem) {
        auto pixel = [&](int n) {
            auto* picture = qobject_cast<SkinPicture*>(form_->Control(stem + std::to_string(n)));
            EXPECT_NE(picture, nullptr) << stem << n;
            return picture != nullptr ? picture->picture().pixel(5, 5) : 0u;
        };
        int level = 10;
        while (level > 1 && pixel(level) == pixel(11))
            --level;
        return level;
    }

    VirtualClock clock_;
    SimulatedMouse mouse_{StorageKind::I2C, clock_};
    std::unique_ptr<TForm1> form_;
    std::vector<QString> messages_;
    FormMessageDialog::Responder previous_;
};

class SensitivityPointerTest : public PointerWindowTest {
protected:
    void SetUp() override {
        PointerWindowTest::SetUp();
        PointerState desktop;
        desktop.speed = 0.0;
        desktop.acceleration = true;
        desktop.doubleClickMs = 500;
        Start(desktop);
    }
    // A window on a desktop that holds `desktop`.
    void Start(const PointerState& desktop) {
        fake_ = nullptr;
        Open([this, desktop] {
            auto fake = std::make_unique<FakePointerSettings>();
            fake->state = desktop;
            fake_ = fake.get();
            return fake;
        });
        ASSERT_NE(fake_, nullptr);
        fake_->writes = 0;
    }

    FakePointerSettings* fake_ = nullptr;
};

TEST_F(SensitivityPointerTest, ABarClickWritesOnlyItsSetting) {
    Click("Img_Spd3");
    EXPECT_EQ(fake_->writes, 1);
    EXPECT_EQ(fake_->lastWritten, PointerSetting::Speed);
    ASSERT_TRUE(fake_->state.speed);
    EXPECT_DOUBLE_EQ(*fake_->state.speed, -0.6);
    EXPECT_EQ(fake_->state.doubleClickMs, 500);

    Click("Img_DbSpd10");
    EXPECT_EQ(fake_->lastWritten, PointerSetting::DoubleClick);
    EXPECT_EQ(fake_->state.doubleClickMs, 270);

    Click("lbl_IsControl");
    EXPECT_EQ(fake_->lastWritten, PointerSetting::Acceleration);
    EXPECT_EQ(fake_->state.acceleration, false);
    EXPECT_EQ(fake_->writes, 3);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(SensitivityPointerTest, AFailedWriteIsToldAndThePageKeepsTheDesktopsValue) {
    fake_->fail = true;
    Click("Img_DbSpd2");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].contains(QStringLiteral("write refused")))
        << messages_[0].toStdString();
    EXPECT_EQ(fake_->state.doubleClickMs, 500);
}

// Each row of the page and the controls that belong to it.
struct PointerRow {
    const char* name;
    std::vector<std::string> controls;
    const char* click;
};

std::vector<PointerRow> PointerRows() {
    auto bar = [](const char* stem) {
        std::vector<std::string> names;
        for (int n = 1; n <= 11; ++n) {
            names.push_back("Img_" + std::string(stem) + std::to_string(n));
            names.push_back("lbl_" + std::string(stem) + std::to_string(n));
        }
        return names;
    };
    return {{"speed", bar("Spd"), "Img_Spd3"},
            {"acceleration", {"Img_IsControl", "lbl_IsControl"}, "lbl_IsControl"},
            {"double-click", bar("DbSpd"), "Img_DbSpd3"},
            {"wheel lines", bar("ScrSpd"), "Img_ScrSpd4"},
            {"a screen a notch", {"Img_IsScreen", "lbl_IsScreen"}, "lbl_IsScreen"}};
}

// Whatever the desktop reports absent is disabled with the hint and does nothing; the rest
// stays usable. The two desktops together leave out every setting once: a plain X server
// (no double-click time, no wheel lines) and a desktop with wheel lines but without the
// screen-a-notch switch and without speed and acceleration (Plasma under X11).
TEST_F(SensitivityPointerTest, EverySettingTheDesktopHasNotIsDisabledWithAHint) {
    PointerState x11;
    x11.speed = 0.2;
    x11.acceleration = false;
    PointerState plasmaX11;
    plasmaX11.doubleClickMs = 400;
    plasmaX11.wheelLines = 3;
    plasmaX11.wheelScreenOffered = false;
    const struct {
        PointerState desktop;
        std::vector<bool> offered; // by row of PointerRows()
    } desktops[] = {{x11, {true, true, false, false, false}},
                    {plasmaX11, {false, false, true, true, false}}};
    for (const auto& d : desktops) {
        Start(d.desktop);
        const std::vector<PointerRow> rows = PointerRows();
        for (std::size_t r = 0; r < rows.size(); ++r)
            for (const std::string& name : rows[r].controls) {
                QWidget* w = form_->Control(name);
                ASSERT_NE(w, nullptr) << name;
                EXPECT_EQ(w->isEnabled(), d.offered[r]) << rows[r].name << ": " << name;
                EXPECT_EQ(w->toolTip().isEmpty(), d.offered[r]) << rows[r].name << ": " << name;
            }
        for (std::size_t r = 0; r < rows.size(); ++r)
            if (!d.offered[r])
                Click(rows[r].click);
        EXPECT_EQ(fake_->writes, 0);
    }
    // Plasma's wheel lines show their level, and a click sets lines, never a screen.
    auto* third = qobject_cast<SkinPicture*>(form_->Control("Img_ScrSpd3"));
    auto* fourth = qobject_cast<SkinPicture*>(form_->Control("Img_ScrSpd4"));
    ASSERT_TRUE(third && fourth);
    EXPECT_NE(third->picture().pixel(5, 5), fourth->picture().pixel(5, 5));
    Click("Img_ScrSpd6");
    EXPECT_EQ(fake_->lastWritten, PointerSetting::WheelLines);
    EXPECT_EQ(fake_->state.wheelLines, 6);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(SensitivityPointerTest, WheelLinesTheDesktopHasNotAreDisabledWithAHint) {
    QWidget* wheel = form_->Control("Img_ScrSpd1");
    ASSERT_NE(wheel, nullptr);
    EXPECT_FALSE(wheel->isEnabled());
    EXPECT_FALSE(wheel->toolTip().isEmpty());
    EXPECT_FALSE(form_->Control("lbl_IsScreen")->isEnabled());
    EXPECT_TRUE(form_->Control("Img_Spd1")->isEnabled());
    Click("lbl_IsScreen");
    Click("Img_ScrSpd4");
    EXPECT_EQ(fake_->writes, 0);
}

// A desktop that answers only while the test lets it, as a compositor that hangs; a call held
// for the whole of a test's wait gives up, so a page that waited fails its test and still ends.
class HeldDesktop {
public:
    explicit HeldDesktop(PointerState state) : state_(state) {}
    void Hold() {
        std::lock_guard lock(mutex_);
        held_ = true;
    }
    void Answer() {
        std::lock_guard lock(mutex_);
        held_ = false;
        changed_.notify_all();
    }
    void RefuseWrites() {
        std::lock_guard lock(mutex_);
        refuse_ = true;
    }
    PointerState State() {
        std::lock_guard lock(mutex_);
        return state_;
    }
    bool GaveUp() {
        std::lock_guard lock(mutex_);
        return gaveUp_;
    }
    void Reported() {
        std::lock_guard lock(mutex_);
        ++reports_;
        changed_.notify_all();
    }
    int Reports() {
        std::lock_guard lock(mutex_);
        return reports_;
    }
    bool WaitReports(int count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, test::kWaitDeadline, [&] { return reports_ >= count; });
    }
    // Settings that a window was given begin to end.
    void Ending() {
        std::lock_guard lock(mutex_);
        ++endings_;
        changed_.notify_all();
    }
    int Endings() {
        std::lock_guard lock(mutex_);
        return endings_;
    }
    bool WaitEndings(int count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, test::kWaitDeadline, [&] { return endings_ >= count; });
    }

    PointerState Read() {
        std::unique_lock lock = Pass();
        return state_;
    }
    PointerResult Write(PointerSetting setting, const PointerState& wanted) {
        std::unique_lock lock = Pass();
        if (refuse_)
            return {false, "locked by the desktop"};
        ApplyPointerSetting(state_, setting, wanted);
        return {};
    }

private:
    std::unique_lock<std::mutex> Pass() {
        std::unique_lock lock(mutex_);
        if (!changed_.wait_for(lock, test::kWaitDeadline, [this] { return !held_; }))
            gaveUp_ = true;
        return lock;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    PointerState state_;
    bool held_ = false;
    bool refuse_ = false;
    bool gaveUp_ = false;
    int reports_ = 0;
    int endings_ = 0;
};

class HeldSettings : public PointerSettings {
public:
    explicit HeldSettings(HeldDesktop& desktop) : desktop_(desktop) {}
    PointerState Read() override { return desktop_.Read(); }
    PointerResult Write(PointerSetting setting, const PointerState& wanted) override {
        return desktop_.Write(setting, wanted);
    }

private:
    HeldDesktop& desktop_;
};

// The page's settings on their own thread, counting the outcomes handed to the page.
class CountedOutcomes : public PointerSettings {
public:
    explicit CountedOutcomes(HeldDesktop& desktop)
        : desktop_(desktop),
          async_([&desktop] { return std::make_unique<HeldSettings>(desktop); }) {}
    // Before the settings on their own thread end.
    ~CountedOutcomes() override { desktop_.Ending(); }
    PointerState Read() override { return async_.Read(); }
    PointerResult Write(PointerSetting setting, const PointerState& wanted) override {
        return async_.Write(setting, wanted);
    }
    void ReportOutcomes(OutcomeReport report) override {
        async_.ReportOutcomes([this, report = std::move(report)](const PointerOutcome& outcome) {
            report(outcome);
            desktop_.Reported();
        });
    }

private:
    HeldDesktop& desktop_;
    AsyncPointerSettings async_;
};

class SensitivityPointerWorkerTest : public PointerWindowTest {
protected:
    void SetUp() override {
        PointerWindowTest::SetUp();
        OpenOnDesktop();
    }
    // A window, in place of any before it, on the desktop's settings through their own thread.
    void OpenOnDesktop() {
        reportsBefore_ = desktop_.Reports();
        // The page does not wait for the desktop's first answer: it offers nothing until then.
        desktop_.Hold();
        Open([this] { return std::make_unique<CountedOutcomes>(desktop_); });
        EXPECT_FALSE(form_->Control("Img_Spd1")->isEnabled());
        desktop_.Answer();
        ASSERT_TRUE(WaitShown(0));
        EXPECT_TRUE(form_->Control("Img_Spd1")->isEnabled());
        EXPECT_FALSE(desktop_.GaveUp()) << "the window waited for the desktop";
    }
    // Waits, running the window, until the desktop's outcomes after its first answer reached
    // the page.
    bool WaitShown(int reports) {
        if (!desktop_.WaitReports(reportsBefore_ + reports + 1))
            return false;
        QCoreApplication::processEvents();
        return true;
    }

    HeldDesktop desktop_{[] {
        PointerState s;
        s.speed = 0.0;
        s.acceleration = true;
        s.doubleClickMs = 500;
        return s;
    }()};
    // The desktop's reports to windows before this one.
    int reportsBefore_ = 0;
};

TEST_F(SensitivityPointerWorkerTest, AClickShowsAtOnceWhileTheDesktopHangsAndItsAnswerFollows) {
    EXPECT_EQ(Shown("Img_Spd"), 6);
    desktop_.Hold();
    Click("Img_Spd3");
    EXPECT_FALSE(desktop_.GaveUp()) << "the click waited for the desktop";
    EXPECT_EQ(Shown("Img_Spd"), 3);

    desktop_.Answer();
    ASSERT_TRUE(WaitShown(1));
    EXPECT_EQ(desktop_.State().speed, -0.6);
    EXPECT_EQ(Shown("Img_Spd"), 3);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(SensitivityPointerWorkerTest, AFailedWriteIsToldOnceTheDesktopAnswersAndTheBarGoesBack) {
    desktop_.RefuseWrites();
    desktop_.Hold();
    Click("Img_DbSpd10");
    EXPECT_FALSE(desktop_.GaveUp());
    EXPECT_EQ(Shown("Img_DbSpd"), 10);
    EXPECT_TRUE(messages_.empty());

    desktop_.Answer();
    ASSERT_TRUE(WaitShown(1));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].contains(QStringLiteral("locked by the desktop")))
        << messages_[0].toStdString();
    EXPECT_EQ(Shown("Img_DbSpd"), DoubleClickLevelOfTime(500));
}

TEST_F(SensitivityPointerWorkerTest, AnAnswerThatALaterClickOvertookIsNotShown) {
    desktop_.Hold();
    Click("Img_Spd3");
    desktop_.Answer();
    // The answer to the first click is on its way to the page when the second click comes.
    ASSERT_TRUE(desktop_.WaitReports(2));
    desktop_.Hold();
    Click("Img_Spd9");
    QCoreApplication::processEvents();
    EXPECT_EQ(Shown("Img_Spd"), 9);

    desktop_.Answer();
    ASSERT_TRUE(WaitShown(2));
    EXPECT_EQ(Shown("Img_Spd"), 9);
    EXPECT_EQ(desktop_.State().speed, 0.6);
    EXPECT_FALSE(desktop_.GaveUp());
}

// The desktop refuses a click's write and its answer comes once the window is closing: after the
// close, while the program's loop still runs, or while the window is taken down, which waits for
// it. No message opens for a window that is gone, and the failure is kept on standard error.
TEST_F(SensitivityPointerWorkerTest, AFailureToldOnceTheWindowIsClosingOpensNothing) {
    desktop_.RefuseWrites();
    for (const bool closedFirst : {true, false}) {
        SCOPED_TRACE(closedFirst ? "after the close" : "while the window is taken down");
        if (form_ == nullptr)
            OpenOnDesktop();
        desktop_.Hold();
        Click("Img_DbSpd10");
        testing::internal::CaptureStderr();
        bool answered = true;
        if (closedFirst) {
            form_->close();
            desktop_.Answer();
            answered = desktop_.WaitReports(reportsBefore_ + 2);
            QCoreApplication::processEvents();
            form_.reset();
        } else {
            // The desktop answers once the window's end waits for it.
            std::thread answer([this, endings = desktop_.Endings()] {
                desktop_.WaitEndings(endings + 1);
                desktop_.Answer();
            });
            form_.reset();
            answer.join();
        }
        const std::string told = testing::internal::GetCapturedStderr();
        ASSERT_TRUE(answered);
        EXPECT_TRUE(messages_.empty()) << messages_.front().toStdString();
        // One line, whatever else the window's end says there.
        std::vector<std::string> unsaved;
        std::istringstream lines(told);
        for (std::string line; std::getline(lines, line);)
            if (line.find("could not be saved") != std::string::npos)
                unsaved.push_back(line);
        ASSERT_EQ(unsaved.size(), 1u) << told;
        EXPECT_NE(unsaved[0].find("locked by the desktop"), std::string::npos) << unsaved[0];
    }
}

// Settings whose outcomes the test tells the page itself.
class ToldSettings : public PointerSettings {
public:
    explicit ToldSettings(PointerState state) : state_(state) {}
    PointerState Read() override { return state_; }
    PointerResult Write(PointerSetting setting, const PointerState& wanted) override {
        ApplyPointerSetting(state_, setting, wanted);
        return {};
    }
    void ReportOutcomes(OutcomeReport report) override { report_ = std::move(report); }
    void Tell(const PointerOutcome& outcome) { report_(outcome); }

private:
    PointerState state_;
    OutcomeReport report_;
};

// A failed write's message runs a loop of its own, in which a newer outcome can arrive: the page
// shows that one, never the older outcome after it.
TEST_F(PointerWindowTest, AnOutcomeArrivingDuringAnErrorsMessageStays) {
    PointerState desktop;
    desktop.speed = 0.0;
    desktop.doubleClickMs = 500;
    ToldSettings* told = nullptr;
    Open([&] {
        auto settings = std::make_unique<ToldSettings>(desktop);
        told = settings.get();
        return settings;
    });
    ASSERT_NE(told, nullptr);
    PointerState newer = desktop;
    newer.doubleClickMs = 270;
    ASSERT_NE(DoubleClickLevelOfTime(270), DoubleClickLevelOfTime(500));
    FormMessageDialog::setResponder([&](const QString& text) {
        messages_.push_back(text);
        if (messages_.size() == 1) {
            told->Tell({newer, {}, 0});
            QCoreApplication::processEvents();
        }
    });
    told->Tell({desktop, {false, "locked by the desktop"}, 0});
    QCoreApplication::processEvents();
    EXPECT_EQ(messages_.size(), 1u);
    EXPECT_EQ(Shown("Img_DbSpd"), DoubleClickLevelOfTime(270));
}

} // namespace
} // namespace trvx
