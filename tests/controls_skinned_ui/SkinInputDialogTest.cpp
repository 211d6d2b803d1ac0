// The input dialog: results 1 and 2, the confirmed text, what the window shows, the masked
// prompt that opens empty, and the look and title font it is given.

#include "controls/skinned/ui/SkinInputDialog.h"
#include "controls/skinned/ui/SkinButton.h"
#include "controls/skinned/ui/SkinEdit.h"
#include "controls/skinned/ui/SkinForm.h"

#include "SkinTestInput.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace trvx {
namespace {

// Installs a responder for the test's lifetime that records what the window showed.
struct Shown {
    QString prompt;
    QString text;
    QLineEdit::EchoMode echo = QLineEdit::Normal;
    QString ok;
    QString cancel;
    QString title;
    int okLeft = 0;
    int cancelLeft = 0;
    bool okDefault = false;
    bool cancelIsCancel = false;
    SkinUIStyle frameLook = SkinUIStyle::FromThemeFile;
    SkinUIStyle okLook = SkinUIStyle::FromThemeFile;
    SkinUIStyle editLook = SkinUIStyle::FromThemeFile;
    QColor titleColor;
};

struct InputDialog : ::testing::Test {
    // Answers the next run: types `typed` (unless null) and returns `result`.
    void answer(int result, const QString& typed = QString()) {
        SkinInputDialog::setResponder([this, result, typed](FrmInput& f) {
            shown.prompt = f.lbl_prompt->text();
            shown.text = f.edt_value->text();
            shown.echo = f.edt_value->echoMode();
            shown.ok = f.btn1->caption();
            shown.cancel = f.btn2->caption();
            shown.title = f.skForm1->caption();
            shown.okLeft = f.btn1->x();
            shown.cancelLeft = f.btn2->x();
            shown.okDefault = f.btn1->isDefault();
            shown.cancelIsCancel = f.btn2->isCancel();
            shown.frameLook = f.skForm1->uiStyle();
            shown.okLook = f.btn1->uiStyle();
            shown.editLook = f.edt_value->uiStyle();
            shown.titleColor = f.skForm1->titleBar()->palette().color(QPalette::WindowText);
            if (!typed.isNull()) {
                f.edt_value->setText(typed);
            }
            return result;
        });
    }
    void TearDown() override { SkinInputDialog::setResponder({}); }

    // The program's instance.
    void passwordSettings(SkinInputDialog& d) {
        d.setCaption(QStringLiteral("Password"));
        d.setPromptText(QStringLiteral("PASSWORD:"));
        d.setPasswordChar(QLatin1Char('*'));
        d.setPosition(DialogPosition::OwnerFormCenter);
        d.setUIStyle(SkinUIStyle::WinXP);
    }

    Shown shown;
};

TEST_F(InputDialog, OkKeepsTheTypedTextAndCancelDoesNot) {
    SkinInputDialog d;
    passwordSettings(d);
    answer(1, QStringLiteral("4410"));
    EXPECT_EQ(d.execute(), 1);
    EXPECT_EQ(d.valueText(), QStringLiteral("4410"));

    answer(2, QStringLiteral("wrong"));
    EXPECT_EQ(d.execute(), 2);
    EXPECT_EQ(d.valueText(), QStringLiteral("4410"));

    // Confirming an empty edit confirms the empty text.
    answer(1, QString(""));
    EXPECT_EQ(d.execute(), 1);
    EXPECT_TRUE(d.valueText().isEmpty());
}

TEST_F(InputDialog, TheWindowShowsThePromptCaptionsAndMask) {
    SkinInputDialog d;
    passwordSettings(d);
    answer(2);
    d.execute();
    EXPECT_EQ(shown.prompt, QStringLiteral("PASSWORD:"));
    EXPECT_EQ(shown.echo, QLineEdit::Password);
    EXPECT_EQ(shown.ok, QStringLiteral("OK"));
    EXPECT_EQ(shown.cancel, QStringLiteral("Cancel"));
    EXPECT_TRUE(shown.okDefault);
    EXPECT_TRUE(shown.cancelIsCancel);
    EXPECT_EQ(shown.title, QStringLiteral("Password"));
    // Centred as a pair on the 254-pixel form.
    EXPECT_EQ(shown.okLeft, 46);
    EXPECT_EQ(shown.cancelLeft, 135);
    // The dialog's look reaches the frame and, through it, the buttons.
    EXPECT_EQ(shown.frameLook, SkinUIStyle::WinXP);
    EXPECT_EQ(shown.okLook, SkinUIStyle::WinXP);
    EXPECT_EQ(shown.editLook, SkinUIStyle::WinXP);
    EXPECT_EQ(shown.titleColor, QColor(Qt::white));

    d.setButtonOKCaption(QStringLiteral("Yes"));
    d.setButtonCancelCaption(QStringLiteral("No"));
    d.setPasswordChar(QChar());
    answer(2);
    d.execute();
    EXPECT_EQ(shown.ok, QStringLiteral("Yes"));
    EXPECT_EQ(shown.cancel, QStringLiteral("No"));
    EXPECT_EQ(shown.echo, QLineEdit::Normal);
}

TEST_F(InputDialog, AMaskedPromptOpensEmptyAfterAConfirmedCode) {
    SkinInputDialog d;
    passwordSettings(d);
    answer(1, QStringLiteral("secret"));
    ASSERT_EQ(d.execute(), 1);
    answer(2);
    d.execute();
    EXPECT_TRUE(shown.text.isEmpty());
    EXPECT_EQ(d.valueText(), QStringLiteral("secret"));

    // A plain prompt opens with the last confirmed text.
    d.setPasswordChar(QChar());
    answer(2);
    d.execute();
    EXPECT_EQ(shown.text, QStringLiteral("secret"));
}

TEST_F(InputDialog, DefaultsAndTitleFontColourPerLook) {
    SkinInputDialog d;
    EXPECT_EQ(d.caption(), QStringLiteral("skDialog"));
    EXPECT_EQ(d.promptText(), QStringLiteral("Prompt text:"));
    EXPECT_TRUE(d.passwordChar().isNull());
    EXPECT_EQ(d.buttonOKCaption(), QStringLiteral("OK"));
    EXPECT_EQ(d.buttonCancelCaption(), QStringLiteral("Cancel"));
    EXPECT_EQ(d.uiStyle(), SkinUIStyle::DeepBlue);
    d.setUIStyle(SkinUIStyle::MacOS);
    EXPECT_EQ(d.captionFontColor(), QColor(Qt::black));
    answer(2);
    d.execute();
    EXPECT_EQ(shown.titleColor, QColor(Qt::black));
    d.setUIStyle(SkinUIStyle::BlueGlass);
    EXPECT_EQ(d.captionFontColor(), QColor(Qt::white));
}

TEST_F(InputDialog, ComponentOnAFramedFormStartsWithTheFramesLook) {
    QWidget owner;
    SkinForm frame(&owner);
    frame.setUIStyle(SkinUIStyle::WinXP);
    SkinInputDialog d(&owner);
    EXPECT_EQ(d.uiStyle(), SkinUIStyle::WinXP);
}

// The real modal window, answered by clicking its buttons once it shows.
int runClicking(SkinInputDialog& d, const QString& typed,
                std::function<QWidget*(FrmInput&)> target) {
    QTimer::singleShot(0, [typed, target] {
        auto* f = qobject_cast<FrmInput*>(QApplication::activeModalWidget());
        ASSERT_NE(f, nullptr);
        f->edt_value->setText(typed);
        if (QWidget* w = target(*f)) {
            test::click(w, w->rect().center());
        }
    });
    return d.execute();
}

TEST_F(InputDialog, ClickingTheButtonsOfTheShownWindow) {
    SkinInputDialog d;
    passwordSettings(d);
    EXPECT_EQ(runClicking(d, QStringLiteral("1234"), [](FrmInput& f) { return f.btn1; }), 1);
    EXPECT_EQ(d.valueText(), QStringLiteral("1234"));
    EXPECT_EQ(runClicking(d, QStringLiteral("x"), [](FrmInput& f) { return f.btn2; }), 2);
    EXPECT_EQ(d.valueText(), QStringLiteral("1234"));

    // The title bar's close button closes with a result other than 1.
    const int closed = runClicking(d, QStringLiteral("y"), [](FrmInput& f) -> QWidget* {
        SkinTitleBar* bar = f.skForm1->titleBar();
        const TitleButtonsLayout l = bar->buttonsLayout();
        // Hand the bar a press and release on its close button.
        const QPoint at((l.buttons[0].rect.left + l.buttons[0].rect.right) / 2,
                        (l.buttons[0].rect.top + l.buttons[0].rect.bottom) / 2);
        test::move(bar, at, false);
        test::press(bar, at);
        test::release(bar, at);
        return nullptr;
    });
    EXPECT_NE(closed, 1);
    EXPECT_EQ(d.valueText(), QStringLiteral("1234"));
}

} // namespace
} // namespace trvx
