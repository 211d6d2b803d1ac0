// The small skinned dialogs over the main window: each is its art's size, centred, topmost and
// not modal, dressed by the set shown; one dialog of a kind is live at a time; the name and
// delay edits keep their rules whatever is typed or pasted.
#include "shell/ui/MainWindow.h"

#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/wide/ui/UniEdit.h"
#include "controls/wide/ui/UniLabel.h"
#include "keys/ui/ComboKeyDialog.h"
#include "macros/ui/DelayDialog.h"
#include "macros/ui/KeyLineDialog.h"
#include "macros/ui/MacroNameDialog.h"
#include "shell/ui/DeviceWorker.h"
#include "shell/ui/MessageDialog.h"
#include "sim/SimulatedMouse.h"
#include "skin/CaptionText.h"
#include "skin/ui/SkinImages.h"
#include "skin/ui/SkinPicture.h"
#include "support/SimulatedWindowTest.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QSignalSpy>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace trvx {
namespace {

class SmallDialogTest : public SimulatedWindowTest {
protected:
    void SetUp() override {
        Create();
        form_->move(101, 47);
        over_ = form_->Control("gbPage4");
        ASSERT_NE(over_, nullptr);
    }

    template <class T> T* Part(QWidget& dialog, const char* name) {
        auto* part = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(part, nullptr) << name;
        return part;
    }

    QWidget* over_ = nullptr;
};

TEST_F(SmallDialogTest, EachKindIsItsArtCentredTopmostAndDressedByTheSetShown) {
    struct Kind {
        const char* title;
        const char* edit;
        const DialogLayoutKeys& layoutKeys;
        const char* titleKey;
        const char* confirmKey;
        const char* clearKey;
        std::vector<const char*> boxes;
        std::function<std::unique_ptr<SmallDialog>(TForm1&, QWidget*)> open;
    };
    auto opened = [](auto dialog, auto... args) {
        dialog->Open(args...);
        return std::unique_ptr<SmallDialog>(std::move(dialog));
    };
    const Kind kinds[] = {
        {"lbl_Assembly",
         "Edt_Assembly",
         kCombinationDialogLayoutKeys,
         "Str500",
         "Str501",
         "Str502",
         {"CB_Ctrl", "CB_Shift", "CB_Alt", "CB_Win"},
         [&](TForm1& f, QWidget* over) {
             return opened(std::make_unique<ComboKeyDialog>(f, 1, 2, over));
         }},
        {"lbl_MacroName",
         "Edt_MacroName",
         kInputDialogLayoutKeys,
         "Str510",
         "Str511",
         "Str512",
         {},
         [&](TForm1& f, QWidget* over) {
             return opened(std::make_unique<MacroNameDialog>(f, over));
         }},
        {"lbl_EditKey",
         "Edt_EditKey",
         kInputDialogLayoutKeys,
         "Str520",
         "Str511",
         "Str512",
         {},
         [&](TForm1& f, QWidget* over) {
             return opened(std::make_unique<KeyLineDialog>(f, over), 0);
         }},
        {"lbl_EditTime",
         "Edt_EditTime",
         kInputDialogLayoutKeys,
         "Str521",
         "Str511",
         "Str512",
         {},
         [&](TForm1& f, QWidget* over) {
             return opened(std::make_unique<DelayDialog>(f, over), 0);
         }},
    };
    const QSize art = SkinImageSize("Msg");
    ASSERT_EQ(art, QSize(530, 200));
    for (int lang = 1; lang <= 3; ++lang) {
        ASSERT_TRUE(form_->LangButtonClick(lang));
        const auto captions = ReadCaptionSection("lang" + std::to_string(lang));
        const auto section = ReadLayoutSection("org" + std::to_string(lang));
        ASSERT_TRUE(captions.ok() && section.ok());
        const QString font = QString::fromStdString(captions->Text("FontName"));
        auto caption = [&](const char* key) {
            const std::string text = captions->Text(key);
            EXPECT_FALSE(text.empty()) << key;
            return QString::fromStdString(text).toStdU16String();
        };
        for (const Kind& kind : kinds) {
            SCOPED_TRACE(std::string(kind.title) + " in set " + std::to_string(lang));
            const auto layout = ReadDialogLayout(*section, kind.layoutKeys);
            ASSERT_TRUE(layout.ok()) << layout.where;
            std::unique_ptr<SmallDialog> dialog = kind.open(*form_, over_);
            EXPECT_EQ(dialog->size(), art);
            const QRect main = form_->geometry();
            EXPECT_EQ(dialog->pos(), QPoint(main.left() + (main.width() - art.width()) / 2,
                                            main.top() + (main.height() - art.height()) / 2));
            EXPECT_TRUE(dialog->isVisible());
            EXPECT_TRUE(dialog->windowFlags().testFlags(Qt::FramelessWindowHint |
                                                        Qt::WindowStaysOnTopHint));
            EXPECT_FALSE(dialog->isModal());
            EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

            auto* title = Part<TUniLabel>(*dialog, kind.title);
            EXPECT_EQ(title->GetCaption(), caption(kind.titleKey));
            EXPECT_EQ(title->pos(), QPoint(layout->title.x, layout->title.y));
            EXPECT_EQ(title->font().family(), font);
            EXPECT_EQ(title->font().pointSize(), layout->TitleFontSize());
            auto* edit = Part<TUniEdit>(*dialog, kind.edit);
            EXPECT_EQ(edit->geometry().topLeft(), QPoint(layout->edit.x, layout->edit.y));
            EXPECT_EQ(edit->width(), layout->editWidth);
            EXPECT_EQ(edit->font().pointSize(), layout->EditFontSize());
            EXPECT_TRUE(edit->text().isEmpty());
            for (const auto& [name, key, at] :
                 {std::tuple{"IB_Confirm", kind.confirmKey, layout->confirm},
                  std::tuple{"IB_Cancel", kind.clearKey, layout->clear}}) {
                auto* button = Part<TUniLabel>(*dialog, name);
                EXPECT_EQ(button->GetCaption(), caption(key));
                EXPECT_EQ(button->geometry(), QRect(at.x, at.y, 100, 30)) << name;
                EXPECT_EQ(button->font().pointSize(), layout->ButtonFontSize());
                EXPECT_EQ(button->font().family(), font);
                // The caption fits its button in every set.
                EXPECT_LE(QFontMetrics(button->font())
                              .horizontalAdvance(QString::fromStdU16String(button->GetCaption())),
                          button->width() - 8)
                    << name;
            }
            EXPECT_EQ(Part<TUniLabel>(*dialog, "IB_Close")->geometry(),
                      QRect(layout->close.x, layout->close.y, 34, 35));
            ASSERT_EQ(layout->boxes.size(), kind.boxes.size());
            QRect previous;
            for (std::size_t i = 0; i < kind.boxes.size(); ++i) {
                auto* box = Part<SkinCheckBox>(*dialog, kind.boxes[i]);
                EXPECT_EQ(box->pos(), QPoint(layout->boxes[i].x, layout->boxes[i].y));
                EXPECT_EQ(box->font().pointSize(), layout->BoxFontSize());
                EXPECT_EQ(box->font().family(), font);
                EXPECT_FALSE(box->isChecked());
                // In a row between the edit and the buttons, none over another or off the art.
                EXPECT_GT(box->geometry().top(), edit->geometry().bottom());
                EXPECT_LT(box->geometry().bottom(), std::min(layout->confirm.y, layout->clear.y));
                EXPECT_LE(box->geometry().right(), art.width() - 1);
                EXPECT_FALSE(box->geometry().intersects(previous)) << kind.boxes[i];
                previous = box->geometry();
            }
        }
    }
}

TEST_F(SmallDialogTest, ButtonsShowTheirHoverAndPressedPictures) {
    MacroNameDialog dialog(*form_, over_);
    dialog.Open();
    for (const auto& [button, picture, art] : {std::tuple{"IB_Confirm", "Img_Confirm", "BtnS"},
                                               std::tuple{"IB_Cancel", "Img_Cancel", "BtnS"},
                                               std::tuple{"IB_Close", "Img_Close", "ExitS"}}) {
        SCOPED_TRACE(button);
        auto* label = Part<TUniLabel>(dialog, button);
        auto* image = Part<SkinPicture>(dialog, picture);
        const std::string stem(art);
        EXPECT_EQ(image->picture(), SkinImage(stem + "_01"));
        emit label->mouseEnter();
        EXPECT_EQ(image->picture(), SkinImage(stem + "_02"));
        emit label->mouseLeave();
        EXPECT_EQ(image->picture(), SkinImage(stem + "_01"));
        if (std::string_view(button) != "IB_Close") {
            emit label->clicked();
            EXPECT_EQ(image->picture(), SkinImage(stem + "_03"));
        }
    }
}

TEST_F(SmallDialogTest, ASecondOpeningClosesTheFirstOfItsKindWhichThenHandsNothingOver) {
    MacroNameDialog first(*form_, over_);
    QSignalSpy firstConfirmed(&first, &MacroNameDialog::confirmed);
    QSignalSpy firstFinished(&first, &SmallDialog::finished);
    first.Open();
    DelayDialog delay(*form_, over_);
    delay.Open(3);
    first.Edit()->setText(QStringLiteral("Old"));

    MacroNameDialog second(*form_, over_);
    QSignalSpy secondConfirmed(&second, &MacroNameDialog::confirmed);
    second.Open();
    EXPECT_FALSE(first.isVisible());
    EXPECT_TRUE(first.Finished());
    EXPECT_EQ(firstFinished.count(), 1);
    // Its buttons, were they still reached, hand nothing over any more.
    first.IB_ConfirmClick();
    EXPECT_EQ(firstConfirmed.count(), 0);
    EXPECT_EQ(firstFinished.count(), 1);
    // Another kind stays on screen.
    EXPECT_TRUE(delay.isVisible());
    EXPECT_TRUE(second.isVisible());
    second.Edit()->setText(QStringLiteral("New"));
    // What the window does with the value may show a message: the topmost dialog is gone by
    // then, so it cannot hide the message.
    bool shownAtHandOver = true;
    QObject::connect(&second, &MacroNameDialog::confirmed,
                     [&] { shownAtHandOver = second.isVisible(); });
    second.IB_ConfirmClick();
    EXPECT_FALSE(shownAtHandOver);
    ASSERT_EQ(secondConfirmed.count(), 1);
    EXPECT_EQ(secondConfirmed[0][0].toString(), QStringLiteral("New"));
    EXPECT_FALSE(second.isVisible());
}

TEST_F(SmallDialogTest, TheNameEditRefusesANinthCharacterTypedOrPasted) {
    MacroNameDialog dialog(*form_, over_);
    QSignalSpy confirmed(&dialog, &MacroNameDialog::confirmed);
    dialog.Open();
    QTest::keyClicks(dialog.Edit(), QStringLiteral("ABCDEFGHI"));
    EXPECT_EQ(dialog.Edit()->text(), QStringLiteral("ABCDEFGH"));
    dialog.IB_CancelClick();
    EXPECT_TRUE(dialog.Edit()->text().isEmpty());
    EXPECT_TRUE(dialog.isVisible());
    dialog.Edit()->insert(QStringLiteral("Přehrávač1"));
    EXPECT_EQ(dialog.Edit()->text(), QStringLiteral("Přehráva"));
    dialog.IB_ConfirmClick();
    ASSERT_EQ(confirmed.count(), 1);
    EXPECT_EQ(confirmed[0][0].toString(), QStringLiteral("Přehráva"));
}

TEST_F(SmallDialogTest, TheDelayEditHandsOverOnlyOneTo65535) {
    struct Case {
        QString typed;  // typed key by key
        QString pasted; // then put in whole, as a paste does
        QString shown;
    };
    const Case cases[] = {
        {QStringLiteral("70000"), {}, QStringLiteral("65535")},
        {QStringLiteral("0"), {}, QStringLiteral("1")},
        {QStringLiteral("2a5-0"), {}, QStringLiteral("250")},
        {{}, QStringLiteral("-40"), QStringLiteral("1")},
        {{}, QStringLiteral("12 ms"), QStringLiteral("12")},
        {{}, QStringLiteral("1e99"), QStringLiteral("199")},
        {{}, QStringLiteral("ninety"), QStringLiteral("1")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString() + c.pasted.toStdString());
        DelayDialog dialog(*form_, over_);
        QSignalSpy confirmed(&dialog, &DelayDialog::confirmed);
        dialog.Open(4);
        QTest::keyClicks(dialog.Edit(), c.typed);
        if (!c.pasted.isEmpty())
            dialog.Edit()->setText(c.pasted);
        EXPECT_EQ(dialog.Edit()->text(), c.shown);
        dialog.IB_ConfirmClick();
        ASSERT_EQ(confirmed.count(), 1);
        EXPECT_EQ(confirmed[0][0].toInt(), 4);
        EXPECT_EQ(confirmed[0][1].toInt(), c.shown.toInt());
    }
    // Clear leaves "1"; a dialog confirmed before anything was typed hands nothing over.
    DelayDialog cleared(*form_, over_);
    cleared.Open(0);
    QTest::keyClicks(cleared.Edit(), QStringLiteral("300"));
    cleared.IB_CancelClick();
    EXPECT_EQ(cleared.Edit()->text(), QStringLiteral("1"));
    DelayDialog untouched(*form_, over_);
    QSignalSpy none(&untouched, &DelayDialog::confirmed);
    QSignalSpy finished(&untouched, &SmallDialog::finished);
    untouched.Open(0);
    untouched.IB_ConfirmClick();
    EXPECT_EQ(none.count(), 0);
    EXPECT_EQ(finished.count(), 1);
}

} // namespace
} // namespace trvx
