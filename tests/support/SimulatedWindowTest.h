#pragma once
// The fixture of the main-window tests: the window on a simulated I2C mouse and a virtual clock,
// on a 1920 x 1080 screen unless a test names its own, and without a tray icon. Every message the
// window shows is kept in messages_ instead of waiting for a user.
#include "shell/ui/DeviceWorker.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/MessageDialog.h"
#include "sim/SimulatedMouse.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace trvx {

class SimulatedWindowTest : public ::testing::Test {
protected:
    SimulatedWindowTest() {
        previous_ = FormMessageDialog::setResponder(
            [this](const QString& text) { messages_.push_back(text.toStdString()); });
    }
    ~SimulatedWindowTest() override { FormMessageDialog::setResponder(previous_); }
    // The window goes first, before anything a derived fixture keeps for it.
    void TearDown() override { form_.reset(); }

    // `extra` on this fixture's mouse and clock, without a tray icon; on its own screen if it
    // names one, else on the fixture's.
    MainWindowOptions Options(MainWindowOptions extra = {}) {
        extra.backend = &mouse_;
        extra.clock = &clock_;
        if (!extra.screenSize)
            extra.screenSize = QSize(1920, 1080);
        extra.trayIcon = false;
        return extra;
    }

    // Makes and shows the window. Start-up hands the set's texts to the device thread; that
    // settles before the window is handed back.
    TForm1& Create(MainWindowOptions extra = {}) {
        form_ = std::make_unique<TForm1>(Options(std::move(extra)));
        form_->show();
        EXPECT_TRUE(form_->Worker().WaitIdle());
        return *form_;
    }

    // One poll tick on the device thread, run to its end: the mouse is found and read.
    void Poll() {
        form_->PollDevice();
        ASSERT_TRUE(form_->Worker().WaitIdle());
        QCoreApplication::processEvents();
    }

    // The window with the mouse found and read by one poll of the test's own (the timer's
    // polls wait until the read starts them again). Call through ASSERT_NO_FATAL_FAILURE.
    void CreateAccepted(MainWindowOptions extra = {}) {
        Create(std::move(extra));
        form_->DevTimer().stop();
        ASSERT_NO_FATAL_FAILURE(Poll());
        ASSERT_TRUE(form_->Mouse().IsAccepted());
    }

    // A left click where the control shows, delivered as the window system delivers it: to the
    // window, which hands it to whatever lies on top at that point.
    void ClickWhereShown(std::string_view name) {
        QWidget* control = form_->Control(name);
        ASSERT_NE(control, nullptr) << name;
        ASSERT_TRUE(control->isVisible()) << name;
        QWindow* window = form_->windowHandle();
        ASSERT_NE(window, nullptr);
        const QPointF at = control->mapTo(form_.get(), control->rect().center());
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, window->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                              Qt::NoModifier);
            // Far apart in time, so two clicks never make a double click.
            clickTime_ += 1000;
            event.setTimestamp(clickTime_);
            QCoreApplication::sendEvent(window, &event);
        }
        QCoreApplication::processEvents();
    }

    VirtualClock clock_;
    SimulatedMouse mouse_{StorageKind::I2C, clock_};
    std::unique_ptr<TForm1> form_;
    std::vector<std::string> messages_;

private:
    FormMessageDialog::Responder previous_;
    std::uint64_t clickTime_ = 0;
};

} // namespace trvx
