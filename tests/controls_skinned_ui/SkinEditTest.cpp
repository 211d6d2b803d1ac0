#include "controls/skinned/ui/SkinEdit.h"
#include "controls/skinned/ui/HexEdit.h"
#include "controls/skinned/ui/SkinButton.h"
#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/skinned/ui/SkinComboBox.h"
#include "controls/skinned/ui/SkinNumberEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include <gtest/gtest.h>

namespace trvx {
namespace {

void Type(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &e);
    }
}

void Focus(QWidget* w, QEvent::Type type) {
    QFocusEvent e(type, Qt::TabFocusReason);
    QApplication::sendEvent(w, &e);
}

TEST(SkinEdit, SettingTheTextRunsChanged) {
    SkinEdit edit(nullptr, QStringLiteral("Edt_GunX"));
    EXPECT_EQ(edit.objectName(), QStringLiteral("Edt_GunX"));
    int changes = 0;
    QObject::connect(&edit, &SkinEdit::changed, [&] { ++changes; });
    edit.setText(QStringLiteral("12"));
    EXPECT_EQ(changes, 1);
    edit.setText(QStringLiteral("12")); // the same text is no change
    EXPECT_EQ(changes, 1);
    Type(&edit, QStringLiteral("3"));
    EXPECT_EQ(edit.text(), QStringLiteral("123"));
    EXPECT_EQ(changes, 2);
}

TEST(SkinEdit, TwoPixelFrameInBorderAndOwnColour) {
    SkinEdit edit;
    edit.setUIStyle(SkinUIStyle::WinXP);
    EXPECT_EQ(edit.borderColor(), QColor(0x68, 0x68, 0x68));
    edit.setUIStyle(SkinUIStyle::FromThemeFile);
    EXPECT_EQ(edit.borderColor(), QColor(0, 0, 0));
    edit.setBorderColor(QColor(255, 0, 0));
    QPalette pal = edit.palette();
    pal.setColor(QPalette::Base, QColor(0, 0, 0));
    edit.setPalette(pal);
    edit.resize(60, 19);
    const QImage shot = edit.grab().toImage();
    EXPECT_EQ(shot.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(59, 18), qRgb(255, 0, 0));
    EXPECT_EQ(shot.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(58, 17), qRgb(0, 0, 0));
}

TEST(SkinLookProperty, ParentsPushTheirLookThroughTheProperty) {
    // Group boxes and the form frame set "uiStyle" on every child that has it.
    SkinButton button;
    SkinCheckBox box;
    SkinComboBox combo;
    HexEdit hex;
    const int winXP = static_cast<int>(SkinUIStyle::WinXP);
    for (QObject* control : std::initializer_list<QObject*>{&button, &box, &combo, &hex}) {
        ASSERT_TRUE(control->setProperty("uiStyle", winXP)) << control->metaObject()->className();
        EXPECT_EQ(control->property("uiStyle").toInt(), winXP);
    }
    EXPECT_EQ(button.uiStyle(), SkinUIStyle::WinXP);
    EXPECT_EQ(box.uiStyle(), SkinUIStyle::WinXP);
    EXPECT_EQ(combo.borderColor(), QColor(0x68, 0x68, 0x68));
    EXPECT_EQ(hex.borderColor(), QColor(0x68, 0x68, 0x68));
}

struct NumberEdit : ::testing::Test {
    NumberEdit() {
        QObject::connect(&edit, &SkinEdit::changed, [this] { ++changes; });
    }
    SkinNumberEdit edit{nullptr, QStringLiteral("Edt_Delay")};
    int changes = 0;
};

TEST_F(NumberEdit, ValueShownThroughTheMask) {
    EXPECT_EQ(edit.text(), QStringLiteral("0.00"));
    EXPECT_TRUE(edit.alignment() & Qt::AlignRight);
    edit.setMask(QStringLiteral("0"));
    edit.setValue(12.345);
    EXPECT_EQ(edit.text(), QStringLiteral("12"));
    EXPECT_EQ(edit.value(), 12.0); // read back from the text
    EXPECT_EQ(changes, 1);
    edit.setText(QStringLiteral("50"));
    EXPECT_EQ(edit.value(), 50.0);
    EXPECT_EQ(changes, 2);
}

TEST_F(NumberEdit, TextThatIsNoNumberPutsTheLastValueBack) {
    edit.setMask(QStringLiteral("0"));
    edit.setValue(7);
    changes = 0;
    edit.setText(QStringLiteral("abc")); // pasted, say
    EXPECT_EQ(edit.text(), QStringLiteral("7"));
    EXPECT_EQ(edit.value(), 7.0);
    EXPECT_EQ(changes, 0);
    edit.setText(QStringLiteral("-")); // a sign on its own is still being typed
    EXPECT_EQ(edit.text(), QStringLiteral("-"));
    EXPECT_EQ(changes, 1);
}

TEST_F(NumberEdit, KeyFilterFollowsTheMask) {
    edit.setMask(QStringLiteral("0"));
    edit.setText(QString());
    Type(&edit, QStringLiteral("1.-a2\u0661"));
    EXPECT_EQ(edit.text(), QStringLiteral("12"));
    edit.setMask(QStringLiteral("-0.00"));
    edit.setText(QString());
    Type(&edit, QStringLiteral("-1.5.-"));
    EXPECT_EQ(edit.text(), QStringLiteral("-1.5"));
}

TEST_F(NumberEdit, EnteringSelectsTheLastSignsAndLeavingFillsIn) {
    edit.setMask(QStringLiteral("0"));
    edit.setText(QStringLiteral("100"));
    Focus(&edit, QEvent::FocusIn);
    EXPECT_EQ(edit.selectedText(), QStringLiteral("00"));
    edit.setText(QString());
    Focus(&edit, QEvent::FocusOut);
    EXPECT_EQ(edit.text(), QStringLiteral("0"));
    EXPECT_EQ(edit.value(), 0.0);
    edit.setText(QStringLiteral("-"));
    Focus(&edit, QEvent::FocusOut);
    EXPECT_EQ(edit.text(), QStringLiteral("0"));
}

} // namespace
} // namespace trvx
