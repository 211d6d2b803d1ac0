// The gun-mode page on the main window and a simulated mouse: the confirm write order and the
// key entry only in the game-mode profile.
#include "shell/ui/MainWindow.h"

#include "controls/skinned/ui/SkinEdit.h"
#include "controls/skinned/ui/SkinInputDialog.h"
#include "controls/wide/ui/UniLabel.h"
#include "fire/ui/FirePage.h"
#include "keys/ModelKeys.h"
#include "macros/InputCapture.h"
#include "pages/ui/ControlText.h"
#include "shell/ui/DeviceWorker.h"
#include "shell/ui/MessageDialog.h"
#include "sim/SimulatedMouse.h"
#include "support/SimulatedWindowTest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace trvx {
namespace {

class FirePageTest : public SimulatedWindowTest {
protected:
    void SetUp() override {
        MainWindowOptions options;
        Adjust(options);
        ASSERT_NO_FATAL_FAILURE(CreateAccepted(std::move(options)));
        page_ = form_->findChild<FirePage*>();
        ASSERT_NE(page_, nullptr);
        mouse_.ClearFrames();
    }
    // What a fixture changes of the window's options before the window is made.
    virtual void Adjust(MainWindowOptions& /*options*/) {}

    void Click(std::string_view label) {
        auto* l = qobject_cast<TUniLabel*>(form_->Control(label));
        ASSERT_NE(l, nullptr) << label;
        emit l->clicked();
        QCoreApplication::processEvents();
    }

    // The commands sent: "05 39" a register write at 0x39, "07 0710" a block write at 0x710.
    std::vector<std::string> Commands() {
        std::vector<std::string> out;
        for (const SimFrame& f : mouse_.TakeFrames()) {
            if (!f.sent || f.bytes.size() < 6 || f.bytes[0] != 0x40)
                continue;
            char buf[16];
            if (f.bytes[1] == 0x07)
                std::snprintf(buf, sizeof buf, "07 %02X%02X", f.bytes[2], f.bytes[3]);
            else
                std::snprintf(buf, sizeof buf, "%02X %02X", f.bytes[1], f.bytes[3]);
            out.push_back(buf);
        }
        return out;
    }

    FirePage* page_ = nullptr;
};

TEST_F(FirePageTest, ConfirmInGameModeStoresTheEntryAndWritesInOrder) {
    form_->PageButtonClick("Switch"); // the key page of profile 2
    page_->Key_FireMacroClick(5);
    EXPECT_FALSE(form_->Control("gbPage6")->isHidden());
    Click("Btn_Fire6");
    // Mode 6 shows its second group; a move past the range is held to it.
    EXPECT_FALSE(form_->Control("Edt_FireCnt2")->isHidden());
    EXPECT_TRUE(form_->Control("Edt_FireCnt3")->isHidden());
    mouse_.ClearFrames();
    Click("lbl_FireSelLeft"); // without the left button
    Click("Btn_FireConfirm");
    EXPECT_TRUE(messages_.empty());
    EXPECT_FALSE(form_->Control("gbPage1")->isHidden());
    const TKeyEntry entry = ProfileKeyEntry(form_->Model(), 2, 5);
    // Mode 6 without the left button: n = 5, v = the settings' group count of mode 6.
    EXPECT_EQ(entry.ToText().substr(0, 6), "0B050" + std::to_string(form_->Settings().Gun6Num));
    EXPECT_EQ(ControlCaption(form_->Control("Key5")).toStdString(), form_->LangText("Str605"));

    std::vector<std::string> want;
    for (int k = 0; k < 10; ++k) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "05 %02X", 57 + 3 * k);
        want.push_back(buf);
    }
    // The user section as a run of 3-byte writes from 164, then the blocks.
    for (int r = 164; r < 192; r += 3) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "05 %02X", r);
        want.push_back(buf);
    }
    for (const char* s : {"07 00C0", "07 01E4", "07 0710", "06 A4", "05 A4", "05 A4"})
        want.push_back(s);
    EXPECT_EQ(Commands(), want);
}

TEST_F(FirePageTest, ConfirmOutsideGameModeIsRefusedWithAMessage) {
    const TKeyEntry before = ProfileKeyEntry(form_->Model(), 2, 5);
    page_->Key_FireMacroClick(5);
    mouse_.ClearFrames();
    Click("Btn_FireConfirm");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], form_->LangText("Str622"));
    EXPECT_FALSE(form_->Control("gbPage6")->isHidden());
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(ProfileKeyEntry(form_->Model(), 2, 5), before);
}

TEST_F(FirePageTest, AFailedReadBackKeepsTheWorkingOffsets) {
    // An offset edited on the page and not yet confirmed differs from the mouse's.
    form_->Model().EditSections().UserSection[7] = 0x33;
    mouse_.FailReply(1);
    page_->Key_FireMacroClick(2);
    EXPECT_EQ(form_->Model().XOffset(1), 0x33);
    EXPECT_EQ(qobject_cast<QLineEdit*>(form_->Control("Edt_FireX1Offset"))->text(), "51");
    // A read-back that succeeds is taken.
    const int mouseOffset = static_cast<std::int8_t>(mouse_.Image()[164 + 7]);
    page_->Key_FireMacroClick(2);
    EXPECT_EQ(form_->Model().XOffset(1), mouseOffset);
}

TEST_F(FirePageTest, ParameterEditsChangeOnlyTheBytesTheParseFound) {
    page_->Key_FireMacroClick(3);
    Click("Btn_Fire2"); // slot 1
    mouse_.ClearFrames();
    auto* x = qobject_cast<QLineEdit*>(form_->Control("Edt_FireX1"));
    auto* offset = qobject_cast<QLineEdit*>(form_->Control("Edt_FireX1Offset"));
    auto* time = qobject_cast<QLineEdit*>(form_->Control("Edt_FireTime1"));
    ASSERT_TRUE(x && offset && time);
    offset->setText("50");
    x->setText("100");
    EXPECT_EQ(x->text(), "77");
    EXPECT_EQ(form_->Model().XOffset(2), 50);
    time->setText("70000");
    EXPECT_EQ(time->text(), "65535");
    const auto& slot = form_->Model().Sections().FireMacros[1];
    const auto fields = ParseFireMacro(slot, 24);
    ASSERT_TRUE(fields.moveX);
    EXPECT_EQ(fields.moveX->value, 77);
    if (fields.delay) {
        EXPECT_EQ(fields.delay->value, 65535);
    }
    EXPECT_TRUE(Commands().empty()); // nothing is sent before Confirm
}

// The recorder and the line editor behind the access code, on the gun-mode page.
class FireMacroEditorTest : public FirePageTest {
protected:
    void OpenEditor() {
        page_->Key_FireMacroClick(1);
        const auto previous = SkinInputDialog::setResponder([](FrmInput& form) {
            form.edt_value->setText(QStringLiteral("MarovelQX"));
            return 1;
        });
        QWidget* base = form_->Control("Img_Base_6");
        for (int i = 0; i < 5; ++i) {
            QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(5, 5),
                              base->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(base, &event);
        }
        SkinInputDialog::setResponder(previous);
        ASSERT_FALSE(form_->Control("LB_FireMacroName")->isHidden());
    }
    // A click as the window system delivers it: to the window first, then to the widget under it.
    void ClickWindow(Qt::MouseButton button) {
        QWindow* window = form_->windowHandle();
        ASSERT_NE(window, nullptr);
        const QPointF at(40, 300);
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, window->mapToGlobal(at), button,
                              type == QEvent::MouseButtonPress ? button : Qt::NoButton,
                              Qt::NoModifier);
            event.setTimestamp(++time_);
            QCoreApplication::sendEvent(window, &event);
        }
    }
    std::uint64_t time_ = 1000;
    QListWidget* List(std::string_view name) {
        return qobject_cast<QListWidget*>(form_->Control(name));
    }
    std::vector<std::uint8_t> Slot(int s) {
        const auto& m = form_->Model().Sections().FireMacros[static_cast<std::size_t>(s)];
        return {m.begin(), m.end()};
    }
};

TEST_F(FireMacroEditorTest, RecordsLeftClicksInTheWindowWithoutDelays) {
    OpenEditor();
    List("LB_FireMacroName")->setCurrentRow(3);
    Click("IB_FireNoDelay");
    Click("Btn_FireStart");
    for (int i = 0; i < 2; ++i)
        ClickWindow(Qt::LeftButton);
    ClickWindow(Qt::RightButton); // only the left button
    Click("Btn_FireStart");
    std::vector<std::uint8_t> want{0xA1, 0x21, 0xA1, 0x21, 0x00};
    want.resize(24, 0);
    EXPECT_EQ(Slot(3), want);
    EXPECT_EQ(List("LB_FireMacro")->count(), 4);
    // Capture ended with the recording: later clicks change nothing.
    ClickWindow(Qt::LeftButton);
    EXPECT_EQ(Slot(3), want);
}

TEST_F(FireMacroEditorTest, DelayCirclesChooseTheirModeAsTheCaptionsDo) {
    OpenEditor();
    const char* const circles[] = {"LED_FireNoDelay", "LED_FireDelayTime", "LED_FireRecDelay"};
    const char* const radios[] = {"rb_FireNoDelay", "rb_FireDelayTime", "rb_FireRecDelay"};
    auto* delay = qobject_cast<QLineEdit*>(form_->Control("Edt_FireDelay"));
    ASSERT_NE(delay, nullptr);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(circles[i]);
        ASSERT_NO_FATAL_FAILURE(ClickWhereShown(circles[i]));
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(qobject_cast<QAbstractButton*>(form_->Control(radios[j]))->isChecked(),
                      i == j)
                << radios[j];
        // Only the fixed delay takes a typed value.
        EXPECT_EQ(delay->isReadOnly(), i != 1);
    }
}

TEST_F(FireMacroEditorTest, RecordingStopsAtTheSlotSize) {
    OpenEditor();
    List("LB_FireMacroName")->setCurrentRow(0);
    Click("IB_FireNoDelay");
    Click("Btn_FireStart");
    for (int i = 0; i < 15; ++i)
        ClickWindow(Qt::LeftButton);
    // Without X11 the recording says it hears only this window; a full slot ends it.
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[0], form_->LangText("Str470"));
    EXPECT_EQ(messages_[1], form_->LangText("Str624"));
    const auto slot = Slot(0);
    EXPECT_EQ(slot[22], 0xA1); // 23 event bytes and the end byte
    EXPECT_EQ(slot[23], 0x00);
}

TEST_F(FireMacroEditorTest, InsertAndDeleteLinesCompileIntoTheSlot) {
    OpenEditor();
    auto* names = List("LB_FireMacroName");
    names->setCurrentRow(2);
    emit names->itemClicked(names->currentItem());
    const std::size_t lines = static_cast<std::size_t>(List("LB_FireMacro")->count());
    ASSERT_GE(lines, 2u);
    // A move of -5, 3 after the first line.
    List("LB_FireMacro")->setCurrentRow(0);
    Click("Btn_FireInsert");
    EXPECT_FALSE(form_->Control("Gb_InsertFire")->isHidden());
    auto* kind = qobject_cast<QComboBox*>(form_->Control("CB_InsertFire"));
    kind->setCurrentIndex(3);
    qobject_cast<QLineEdit*>(form_->Control("edt_FireXAxisValue"))->setText("-5");
    qobject_cast<QLineEdit*>(form_->Control("edt_FireYAxisValue"))->setText("3");
    Click("Btn_FireOK");
    EXPECT_EQ(List("LB_FireMacro")->count(), static_cast<int>(lines) + 1);
    EXPECT_EQ(List("LB_FireMacro")->item(1)->text(), "  X: -5  Y: 3");
    const auto slot = Slot(2);
    const auto fields = ParseFireMacro(slot, 24);
    // Deleting the inserted move gives the slot back.
    List("LB_FireMacro")->setCurrentRow(1);
    Click("Btn_FireDel");
    EXPECT_EQ(List("LB_FireMacro")->count(), static_cast<int>(lines));
    (void)fields;
}

// A capture the test speaks for, standing in for a global one.
class ScriptedCapture final : public InputCapture {
public:
    bool Start(Sink sink) override {
        sink_ = std::move(sink);
        return true;
    }
    void Stop() override { sink_ = nullptr; }
    bool Running() const override { return sink_ != nullptr; }
    bool Global() const override { return true; }
    void Send(CapturedInput::Kind kind, std::uint32_t code) {
        if (sink_)
            sink_({kind, code, 0, tick_ += 10});
    }

private:
    Sink sink_;
    std::uint32_t tick_ = 0;
};

// The recorder listens through the capture the window hands it, not one of its own choosing.
class HostCaptureTest : public FireMacroEditorTest {
protected:
    void Adjust(MainWindowOptions& options) override {
        options.inputCapture = [this] {
            auto capture = std::make_unique<ScriptedCapture>();
            made_.push_back(capture.get());
            return capture;
        };
    }
    std::vector<ScriptedCapture*> made_;
};

TEST_F(HostCaptureTest, FireRecorderHearsTheWindowsCapture) {
    OpenEditor();
    List("LB_FireMacroName")->setCurrentRow(3);
    Click("IB_FireNoDelay");
    Click("Btn_FireStart");
    ASSERT_EQ(made_.size(), 1u);
    ASSERT_TRUE(made_[0]->Running());
    // A global capture needs no note that only this window is heard.
    EXPECT_TRUE(messages_.empty());
    made_[0]->Send(CapturedInput::Kind::ButtonDown, 1);
    made_[0]->Send(CapturedInput::Kind::ButtonUp, 1);
    // Clicks in the window reach the recorder only through that capture.
    ClickWindow(Qt::LeftButton);
    Click("Btn_FireStart");
    EXPECT_FALSE(made_[0]->Running());
    std::vector<std::uint8_t> want{0xA1, 0x21, 0x00};
    want.resize(24, 0);
    EXPECT_EQ(Slot(3), want);
}

} // namespace
} // namespace trvx
