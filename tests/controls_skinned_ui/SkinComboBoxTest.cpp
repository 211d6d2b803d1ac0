#include "controls/skinned/ui/SkinComboBox.h"
#include "controls/skinned/ui/SkinPainting.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>

#include <gtest/gtest.h>

namespace trvx {
namespace {

struct Fixture : ::testing::Test {
    Fixture() {
        combo.addItems({QStringLiteral("400"), QStringLiteral("800"), QStringLiteral("1600")});
        combo.setGeometry(0, 0, 100, 21);
        QObject::connect(&combo, &SkinComboBox::changed, [this] { ++changes; });
    }
    SkinComboBox combo{nullptr, QStringLiteral("cb_CPI1")};
    int changes = 0;
};

using SkinComboBoxTest = Fixture;

TEST_F(SkinComboBoxTest, ItemIndexFromCodeNeverRunsChanged) {
    EXPECT_EQ(combo.objectName(), QStringLiteral("cb_CPI1"));
    combo.setItemIndex(2);
    EXPECT_EQ(combo.itemIndex(), 2);
    combo.setItemIndex(0);
    EXPECT_EQ(combo.itemIndex(), 0);
    EXPECT_EQ(changes, 0);
}

TEST_F(SkinComboBoxTest, IndexOutsideTheItemsSelectsNone) {
    for (int bad : {3, 99, -2, -1}) {
        combo.setItemIndex(1);
        combo.setItemIndex(bad);
        EXPECT_EQ(combo.itemIndex(), -1) << bad;
    }
    combo.clear();
    combo.setItemIndex(0);
    EXPECT_EQ(combo.itemIndex(), -1);
    EXPECT_EQ(changes, 0);
}

TEST_F(SkinComboBoxTest, UsersChoiceRunsChangedOnce) {
    combo.setItemIndex(0);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(&combo, &down);
    EXPECT_EQ(combo.itemIndex(), 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(combo.itemText(1), QStringLiteral("800"));
}

TEST_F(SkinComboBoxTest, LookSetsColoursUntilOverridden) {
    combo.setUIStyle(SkinUIStyle::WinXP);
    EXPECT_EQ(combo.borderColor(), QColor(0x68, 0x68, 0x68));
    EXPECT_EQ(combo.buttonColor(), QColor(0xEF, 0xEB, 0xDE));
    EXPECT_EQ(combo.arrowColor(), QColor(0, 0, 0));
    combo.setBorderColor(QColor(255, 0, 0));
    combo.setArrowColor(QColor(0, 0, 255));
    EXPECT_EQ(combo.borderColor(), QColor(255, 0, 0));
    combo.setUIStyle(SkinUIStyle::FromThemeFile); // draws as DeepBlue
    EXPECT_EQ(combo.borderColor(), QColor(0, 0, 0));
    EXPECT_EQ(combo.buttonColor(), QColor(0xE8, 0xE8, 0xE8));
    EXPECT_EQ(combo.arrowColor(), QColor(0, 0, 0));
}

// The arrow's corner points for the current button rectangle.
std::array<SkinPoint, 3> Arrow(const SkinComboBox& combo) {
    return ComboArrow(ToSkinRect(combo.buttonRect()));
}

TEST_F(SkinComboBoxTest, ButtonAndArrowPerLook) {
    combo.setUIStyle(SkinUIStyle::WinXP);
    const QRect r = combo.buttonRect();
    ASSERT_FALSE(r.isEmpty());
    QImage shot = combo.grab().toImage();
    EXPECT_EQ(shot.pixel(0, 0), QColor(0x68, 0x68, 0x68).rgb()); // the frame
    // WinXP: the picture's own arrow, no black one painted.
    const auto a = Arrow(combo);
    EXPECT_NE(shot.pixel(a[0].x + 3, a[0].y + 1), qRgb(0, 0, 0));

    combo.setUIStyle(SkinUIStyle::MacOS);
    shot = combo.grab().toImage();
    EXPECT_EQ(shot.pixel(a[0].x + 3, a[0].y + 1), qRgb(0, 0, 0));

    // A flat look: the button colour, a border line on its left, and when disabled an
    // embossed grey arrow.
    combo.setUIStyle(SkinUIStyle::DeepBlue);
    combo.setButtonColor(QColor(10, 200, 30));
    combo.setBorderColor(QColor(200, 10, 30));
    combo.setEnabled(false);
    shot = combo.grab().toImage();
    EXPECT_EQ(shot.pixel(r.left(), r.center().y()), qRgb(200, 10, 30));
    EXPECT_EQ(shot.pixel(r.right(), r.top() + 1), qRgb(10, 200, 30));
    EXPECT_EQ(shot.pixel(a[0].x + 3, a[0].y + 1), qRgb(0x80, 0x80, 0x80));
    EXPECT_EQ(shot.pixel(a[1].x + 1, a[1].y + 1), qRgb(0xFF, 0xFF, 0xFF));
}

TEST_F(SkinComboBoxTest, OpenListCarriesABorderFrame) {
    QWidget window;
    combo.setParent(&window);
    combo.setBorderColor(QColor(1, 2, 3));
    window.show();
    combo.showPopup();
    auto* frame = qobject_cast<QFrame*>(combo.view()->parentWidget());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->frameShape(), QFrame::Box);
    EXPECT_EQ(frame->lineWidth(), 1);
    EXPECT_EQ(frame->palette().color(QPalette::WindowText), QColor(1, 2, 3));
    combo.hidePopup();
    EXPECT_EQ(changes, 0);
    combo.setParent(nullptr);
}

} // namespace
} // namespace trvx
