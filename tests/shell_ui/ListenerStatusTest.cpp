// The mouse's own buttons on the window: the button test box is checked while a button is
// held, and after the profile button's release the window shows the profile the mouse chose.
#include "controls/skinned/ui/SkinCheckBox.h"
#include "device/InputListener.h"
#include "shell/ui/DeviceWorker.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/MessageDialog.h"
#include "sim/SimulatedMouse.h"
#include "support/SimulatedWindowTest.h"
#include "support/Waiting.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace trvx {
namespace {

class ListenerStatusTest : public SimulatedWindowTest {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(CreateAccepted()); }

    // Sends a report with this button code and waits until the listener has handled it.
    void Press(std::uint8_t code) {
        InputListener* listener = form_->Listener();
        const std::int64_t before = listener->ReportsHandled();
        const std::array<std::uint8_t, 8> report{0x42, 0, 0, code, 0, 0, 0, 0};
        ASSERT_TRUE(mouse_.InjectInput(report));
        // What the listener hands to the window is queued before the report counts as handled.
        ASSERT_TRUE(test::WaitUntil([&] { return listener->ReportsHandled() > before; }));
        QCoreApplication::processEvents();
    }
};

TEST_F(ListenerStatusTest, ProfileButtonShowsTheMousesProfileAndItsTestBoxWhileHeld) {
    auto* box = qobject_cast<SkinCheckBox*>(form_->Control("cb_ProfileTest"));
    ASSERT_NE(box, nullptr);
    ASSERT_EQ(form_->CheckedRadio(), 1);
    // The mouse switched to profile 3 (user byte 0, low nibble 2; colour in the high nibble).
    ASSERT_TRUE(mouse_.Poke(164, std::array<std::uint8_t, 1>{0x32}));

    Press(8);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(form_->CheckedRadio(), 1); // nothing is read before the release
    Press(0);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(form_->CheckedRadio(), 3);
    EXPECT_EQ(form_->VisiblePage(), 1);

    // A profile nibble the mouse does not have changes nothing.
    ASSERT_TRUE(mouse_.Poke(164, std::array<std::uint8_t, 1>{0x05}));
    Press(8);
    Press(0);
    EXPECT_EQ(form_->CheckedRadio(), 3);
    EXPECT_TRUE(mouse_.ProfileReloads().empty()); // shown, never written
}

} // namespace
} // namespace trvx
