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

namespace trvx {
namespace {

class SensitivityPointerTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = FormMessageDialog::setResponder(
            [this](const QString& text) { messages_.push_back(text); });
        MainWindowOptions options;
        options.backend = &mouse_;
        options.clock = &clock_;
        options.screenSize = QSize(1920, 1080);
        options.trayIcon = false;
        options.pointerSettings = [this] {
            auto fake = std::make_unique<FakePointerSettings>();
            fake->state.speed = 0.0;
            fake->state.acceleration = true;
            fake->state.doubleClickMs = 500;
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
