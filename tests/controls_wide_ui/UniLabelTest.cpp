// The wide label as the program's button: UTF-16 captions, click, enter and leave reaching a
// handler that reads the sender's name, automatic size relative to the edge it keeps, and the
// application hint shown in a label.

#include "controls/wide/ui/UniLabel.h"
#include "controls/wide/ui/UniHints.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QThread>

#include <gtest/gtest.h>

#include <thread>

namespace trvx {
namespace {

// A handler shared by several labels, as the pages' handlers are.
class ButtonHandlers : public QObject {
    Q_OBJECT
public:
    QStringList log;
public slots:
    void onClick() { log << "click " + sender()->objectName(); }
    void onEnter() { log << "enter " + sender()->objectName(); }
    void onLeave() { log << "leave " + sender()->objectName(); }
};

void click(QWidget& w, QPoint at = {2, 2}) {
    QMouseEvent press(QEvent::MouseButtonPress, at, w.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w.mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &release);
}

TEST(UniLabelTest, CaptionKeepsItsUtf16CodeUnits) {
    TUniLabel label;
    const std::u16string text = u"\u4FDD\u5B58 \U0001F5B1 \u00E9";
    label.SetCaption(text);
    EXPECT_EQ(label.GetCaption(), text);
    EXPECT_EQ(label.accessibleName().toStdU16String(), text);
}

TEST(UniLabelTest, SettingTheSameCaptionAgainChangesNothing) {
    TUniLabel label;
    int changes = 0;
    QObject::connect(&label, &TUniLabel::captionChanged, [&] { ++changes; });
    label.SetCaption(u"Save");
    const QRect size = label.geometry();
    label.SetCaption(u"Save");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(label.geometry(), size);
}

TEST(UniLabelTest, LabelsAsButtonsReachAHandlerThatReadsTheSenderName) {
    ButtonHandlers handlers;
    TUniLabel save;
    TUniLabel load;
    save.setObjectName("lbl_Save");
    load.setObjectName("lbl_Load");
    for (TUniLabel* l : {&save, &load}) {
        QObject::connect(l, &TUniLabel::clicked, &handlers, &ButtonHandlers::onClick);
        QObject::connect(l, &TUniLabel::mouseEnter, &handlers, &ButtonHandlers::onEnter);
        QObject::connect(l, &TUniLabel::mouseLeave, &handlers, &ButtonHandlers::onLeave);
    }
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(&load, &enter);
    click(load);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&load, &leave);
    click(save);
    EXPECT_EQ(handlers.log, (QStringList{"enter lbl_Load", "click lbl_Load", "leave lbl_Load",
                                         "click lbl_Save"}));

    // A release outside the label is no click.
    handlers.log.clear();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&save, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(500, 500), QPointF(500, 500),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&save, &release);
    EXPECT_TRUE(handlers.log.isEmpty());
}

TEST(UniLabelTest, ACaptionSetByAWorkerChangesTheLabelOnTheUiThread) {
    TUniLabel label;
    QThread* changedOn = nullptr;
    QObject::connect(&label, &TUniLabel::captionChanged,
                     [&] { changedOn = QThread::currentThread(); });
    std::thread worker([&] { label.SetCaption(u"Mouse found"); });
    worker.join();
    EXPECT_EQ(label.GetCaption(), u"") << "not before the UI thread has run the queued change";
    QApplication::processEvents();
    EXPECT_EQ(label.GetCaption(), u"Mouse found");
    EXPECT_EQ(changedOn, QThread::currentThread());
}

TEST(UniLabelTest, AutoSizeKeepsTheRightEdgeOfRightJustifiedLabelsAndTheLeftOfOthers) {
    QWidget parent;
    struct Case {
        TAlignment alignment;
        bool keepsRight;
    };
    for (const Case c : {Case{TAlignment::taRightJustify, true}, Case{TAlignment::taCenter, false},
                         Case{TAlignment::taLeftJustify, false}}) {
        TUniLabel label(&parent);
        label.SetAlignment(c.alignment);
        label.move(200, 10);
        label.SetCaption(u"ab");
        const QRect before = label.geometry();
        label.SetCaption(u"ab ab ab ab ab");
        const QRect after = label.geometry();
        EXPECT_GT(after.width(), before.width());
        if (c.keepsRight) {
            EXPECT_EQ(after.right(), before.right());
        } else {
            EXPECT_EQ(after.left(), before.left());
        }
        EXPECT_EQ(after.top(), before.top());
    }
}

TEST(UniLabelTest, AnEmptyAutoSizedLabelKeepsOneLineOfHeight) {
    TUniLabel empty;
    empty.SetCaption(u"x");
    empty.SetCaption(u"");
    TUniLabel one;
    one.SetCaption(u"x");
    EXPECT_GT(empty.height(), 0);
    EXPECT_EQ(empty.height(), one.height());

    TUniLabel fixed;
    fixed.SetAutoSize(false);
    fixed.resize(40, 40);
    fixed.SetCaption(u"a long caption that would not fit");
    EXPECT_EQ(fixed.size(), QSize(40, 40));
    fixed.SetLayout(TTextLayout::tlCenter);
    EXPECT_EQ(fixed.TextOffset(13), 13);
}

TEST(UniLabelTest, AcceleratorFocusesTheFocusControl) {
    QWidget dialog;
    TUniLabel label(&dialog);
    QLineEdit edit(&dialog);
    label.SetCaption(u"&Name && number");
    EXPECT_FALSE(label.DialogChar(u'n')) << "no focus control: nothing to do";
    label.SetFocusControl(&edit);
    EXPECT_FALSE(label.DialogChar(u'x'));
    EXPECT_TRUE(label.DialogChar(u'n'));
    EXPECT_TRUE(label.DialogChar(u'N'));
    label.SetShowAccelChar(false);
    EXPECT_FALSE(label.DialogChar(u'n'));
    label.SetShowAccelChar(true);
    label.SetCaption(u"a && b");
    EXPECT_FALSE(label.DialogChar(u'b')) << "a doubled ampersand is no accelerator";
}

TEST(UniHintsTest, ShortPartIsTheTooltipAndTheLongPartGoesToTheHintLabel) {
    QWidget page;
    TUniLabel button(&page);
    TUniLabel inner(&button);
    TUniLabel status(&page);
    button.SetHint(u"Save|Writes the profile to the mouse \u4E2D");
    EXPECT_EQ(button.toolTip(), "Save");
    EXPECT_EQ(button.Hint(), u"Save|Writes the profile to the mouse \u4E2D");
    EXPECT_EQ(FindWideHint(&inner), button.Hint());
    EXPECT_EQ(FindWideHint(&page), u"");
    button.SetShowHint(false);
    EXPECT_EQ(button.toolTip(), "");
    EXPECT_EQ(button.Hint(), u"Save|Writes the profile to the mouse \u4E2D");
    button.SetShowHint(true);
    EXPECT_EQ(button.toolTip(), "Save");

    TUniApplicationHint appHint;
    appHint.SetHintLabel(&status);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&inner, &enter);
    EXPECT_EQ(status.GetCaption(), u"Writes the profile to the mouse \u4E2D");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&inner, &leave); // back onto the button
    EXPECT_EQ(status.GetCaption(), u"Writes the profile to the mouse \u4E2D");
    QApplication::sendEvent(&button, &leave); // onto the page, which has no hint
    EXPECT_EQ(status.GetCaption(), u"");
}

} // namespace
} // namespace trvx

#include "UniLabelTest.moc"
