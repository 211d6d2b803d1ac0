// The sensitivity page's pointer settings on the window: a bar click writes that one setting, a
// failed write is told to the user and the page shows what the desktop holds, and a setting the
// desktop has not is disabled with a hint.
#include "controls/wide/ui/UniLabel.h"
#include "sensitivity/PointerSettings.h"
#include "shell/ui/DeviceWorker.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/MessageDialog.h"
#include "sim/SimulatedMouse.h"
#include "skin/ui/SkinPicture.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace trvx {
namespace {

class SensitivityPointerTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = FormMessageDialog::setResponder(
            [this](const QString& text) { messages_.push_back(text); });
        PointerState desktop;
        desktop.speed = 0.0;
        desktop.acceleration = true;
        desktop.doubleClickMs = 500;
        Start(desktop);
    }
    // A window on a desktop that holds `desktop`.
    void Start(const PointerState& desktop) {
        form_.reset();
        fake_ = nullptr;
        MainWindowOptions options;
        options.backend = &mouse_;
        options.clock = &clock_;
        options.screenSize = QSize(1920, 1080);
        options.trayIcon = false;
        options.pointerSettings = [this, desktop] {
            auto fake = std::make_unique<FakePointerSettings>();
            fake->state = desktop;
            fake_ = fake.get();
            return fake;
        };
        form_ = std::make_unique<TForm1>(options);
        form_->show();
        ASSERT_NE(fake_, nullptr);
        fake_->writes = 0;
    }
    void TearDown() override {
        form_.reset();
        FormMessageDialog::setResponder(previous_);
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

    VirtualClock clock_;
    SimulatedMouse mouse_{StorageKind::I2C, clock_};
    std::unique_ptr<TForm1> form_;
    FakePointerSettings* fake_ = nullptr;
    std::vector<QString> messages_;
    FormMessageDialog::Responder previous_;
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

} // namespace
} // namespace trvx
