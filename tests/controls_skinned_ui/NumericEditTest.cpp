#include "controls/skinned/ui/HexEdit.h"
#include "controls/skinned/ui/IntEdit.h"

#include <QApplication>
#include <QClipboard>
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

void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
         const QString& text = QString()) {
    QKeyEvent e(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &e);
}

struct Edits : ::testing::Test {
    Edits() {
        QObject::connect(&hex, &SkinEdit::changed, [this] { ++hexChanges; });
        QObject::connect(&dec, &SkinEdit::changed, [this] { ++decChanges; });
    }
    HexEdit hex{nullptr, QStringLiteral("edt_Avg_lb")};
    IntEdit dec{nullptr, QStringLiteral("edt_CPI1R")};
    int hexChanges = 0;
    int decChanges = 0;
};

TEST_F(Edits, ValuesOfTheText) {
    EXPECT_EQ(hex.value(), 0); // empty
    EXPECT_EQ(dec.value(), 0);
    hex.setText(QStringLiteral("0A"));
    EXPECT_EQ(hex.value(), 10);
    hex.setText(QStringLiteral("ff"));
    EXPECT_EQ(hex.value(), 255);
    dec.setText(QStringLiteral("007"));
    EXPECT_EQ(dec.value(), 7);
    // Text set by the program is kept as given; reading it never throws.
    hex.setText(QStringLiteral("zz"));
    EXPECT_EQ(hex.text(), QStringLiteral("zz"));
    EXPECT_EQ(hex.value(), std::nullopt);
    EXPECT_EQ(hex.valueOr(-1), -1);
    dec.setText(QStringLiteral("99999999999"));
    EXPECT_EQ(dec.value(), std::nullopt);
    dec.setText(QStringLiteral("\u0661"));
    EXPECT_EQ(dec.value(), std::nullopt);
}

TEST_F(Edits, WritingTheValueSetsTheTextAndRunsChanged) {
    hex.setText(QStringLiteral("05"));
    hexChanges = 0;
    hex.setValue(5);
    EXPECT_EQ(hex.text(), QStringLiteral("5"));
    hex.setValue(16);
    EXPECT_EQ(hex.text(), QStringLiteral("10"));
    hex.setValue(0);
    EXPECT_EQ(hex.text(), QString());
    EXPECT_EQ(hexChanges, 3);
    dec.setValue(255);
    EXPECT_EQ(dec.text(), QStringLiteral("255"));
    dec.setValue(-4);
    EXPECT_EQ(dec.text(), QString());
    EXPECT_EQ(decChanges, 2);
}

TEST_F(Edits, TypedCharactersOutsideTheSetAreDropped) {
    Type(&hex, QStringLiteral("g- x"));
    EXPECT_EQ(hex.text(), QString());
    EXPECT_EQ(hexChanges, 0);
    Type(&hex, QStringLiteral("aA"));
    EXPECT_EQ(hex.text(), QStringLiteral("aA")); // case kept
    EXPECT_EQ(hexChanges, 2);
    // Tested whole: these end in the bytes of "1", "A" and "0".
    Type(&hex, QStringLiteral("\u0131\u0141\uFF10"));
    EXPECT_EQ(hex.text(), QStringLiteral("aA"));
    Key(&hex, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_EQ(hex.text(), QStringLiteral("a"));
    Key(&hex, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    Key(&hex, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    EXPECT_EQ(hex.text(), QStringLiteral("a"));

    Type(&dec, QStringLiteral("1a2-3.4\u0662"));
    EXPECT_EQ(dec.text(), QStringLiteral("1234"));
}

TEST_F(Edits, FilterOffLetsEverythingIn) {
    hex.setFilter(false);
    Type(&hex, QStringLiteral("g-"));
    EXPECT_EQ(hex.text(), QStringLiteral("g-"));
    EXPECT_EQ(hex.value(), std::nullopt);
}

TEST_F(Edits, PastedTextIsFilteredToo) {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(QStringLiteral("1g"));
    Key(&hex, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(hex.text(), QString());
    EXPECT_EQ(hexChanges, 0);
    clipboard->setText(QStringLiteral("1F"));
    Key(&hex, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(hex.text(), QStringLiteral("1F"));
    EXPECT_EQ(hex.value(), 31);
    // Inserting (what drops and input methods do) is held to the same set.
    hex.insert(QStringLiteral("-"));
    EXPECT_EQ(hex.text(), QStringLiteral("1F"));
    dec.insert(QStringLiteral("12 "));
    EXPECT_EQ(dec.text(), QString());
    dec.insert(QStringLiteral("12"));
    EXPECT_EQ(dec.text(), QStringLiteral("12"));
}

TEST_F(Edits, AlignmentChangeKeepsTheText) {
    hex.setText(QStringLiteral("3F"));
    hex.setAlignment(Qt::AlignRight);
    EXPECT_EQ(hex.text(), QStringLiteral("3F"));
    EXPECT_EQ(hex.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
}

} // namespace
} // namespace trvx
