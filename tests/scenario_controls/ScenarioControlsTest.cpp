// The scenario runner's control half on plain controls: what `show` reads of each kind, clicks
// on list rows (skinned and wide lists), and choosing a page control's tab by clicking it.

#include "ScenarioControls.h"

#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/skinned/ui/SkinComboBox.h"
#include "controls/skinned/ui/SkinListBox.h"
#include "controls/skinned/ui/SkinPageControl.h"
#include "controls/wide/ui/UniLabel.h"
#include "controls/wide/ui/UniListBox.h"

#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace trvx {
namespace {

std::string Shown(const QWidget* control) {
    return FormatControlState("c", ControlStateOf(control));
}

TEST(ScenarioControlsTest, ShowReadsTheFieldsOfEachKind) {
    QWidget form;
    auto* label = new TUniLabel(&form);
    label->SetCaption(u"Left button");
    auto* edit = new QLineEdit(QStringLiteral("12"), &form);
    edit->setEnabled(false);
    auto* box = new SkinCheckBox(&form);
    box->setCaption(QStringLiteral("Fire"));
    box->setChecked(true);
    auto* radio = new QRadioButton(&form);
    radio->hide();
    auto* combo = new SkinComboBox(&form);
    combo->addItems({QStringLiteral("400"), QStringLiteral("800")});
    combo->setItemIndex(1);
    auto* empty = new SkinComboBox(&form);
    empty->addItems({QStringLiteral("a")});
    empty->setItemIndex(-1);
    empty->setPlaceholderText(QStringLiteral("kept"));
    auto* list = new SkinListBox(&form);
    list->addItems({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    list->setCurrentRow(2);
    auto* pages = new SkinPageControl(&form);
    new SkinTabSheet(pages);
    new SkinTabSheet(pages);
    pages->selectPage(0);
    auto* panel = new QWidget(&form);

    EXPECT_EQ(Shown(label), "control c: text=\"Left button\" visible=1 enabled=1\n");
    EXPECT_EQ(Shown(edit), "control c: text=\"12\" visible=1 enabled=0\n");
    EXPECT_EQ(Shown(box), "control c: text=\"Fire\" checked=1 visible=1 enabled=1\n");
    EXPECT_EQ(Shown(radio), "control c: text=\"\" checked=0 visible=0 enabled=1\n");
    EXPECT_EQ(Shown(combo), "control c: text=\"800\" index=1 visible=1 enabled=1 count=2\n");
    EXPECT_EQ(Shown(empty), "control c: text=\"kept\" index=-1 visible=1 enabled=1 count=1\n");
    EXPECT_EQ(Shown(list), "control c: text=\"three\" index=2 visible=1 enabled=1 count=3\n");
    EXPECT_EQ(Shown(pages), "control c: index=0 visible=1 enabled=1 count=2\n");
    EXPECT_EQ(Shown(panel), "control c: visible=1 enabled=1\n");
    // The window is never shown: "visible" is each control's own flag.
    EXPECT_FALSE(form.isVisible());
}

// A shown window with a skinned and a wide list of 40 rows each, taller than they show.
class ListRows : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        form_.resize(400, 300);
        if (GetParam())
            list_ = new TUniListBox(&form_);
        else
            list_ = new SkinListBox(&form_);
        list_->setGeometry(10, 10, 150, 120);
        for (int i = 0; i < 40; ++i)
            list_->addItem(QString::number(i));
        form_.show();
    }

    QWidget form_;
    QListWidget* list_ = nullptr;
};

TEST_P(ListRows, AClickOnARowSelectsItEvenOutOfViewAndActsThere) {
    QSignalSpy doubled(list_, &QListWidget::itemDoubleClicked);
    std::string error;
    ASSERT_TRUE(ClickControl(list_, "LB", Qt::LeftButton, false, 33, error)) << error;
    EXPECT_EQ(list_->currentRow(), 33);
    ASSERT_TRUE(ClickControl(list_, "LB", Qt::RightButton, false, 2, error)) << error;
    EXPECT_EQ(list_->currentRow(), 2);
    ASSERT_TRUE(ClickControl(list_, "LB", Qt::LeftButton, true, 7, error)) << error;
    EXPECT_EQ(list_->currentRow(), 7);
    ASSERT_EQ(doubled.count(), 1);
    EXPECT_EQ(doubled[0][0].value<QListWidgetItem*>(), list_->item(7));
}

TEST_P(ListRows, ARowThatIsNotThereOrACoveredListFails) {
    list_->setCurrentRow(1);
    std::string error;
    EXPECT_FALSE(ClickControl(list_, "LB", Qt::LeftButton, false, 40, error));
    EXPECT_EQ(error, "LB has no row 40 (it has 40)");
    auto* cover = new QWidget(&form_);
    cover->setObjectName(QStringLiteral("Cover"));
    cover->setGeometry(list_->geometry());
    cover->show();
    EXPECT_FALSE(ClickControl(list_, "LB", Qt::LeftButton, false, 0, error));
    EXPECT_EQ(error, "LB is covered by Cover");
    EXPECT_EQ(list_->currentRow(), 1);
}

INSTANTIATE_TEST_SUITE_P(SkinnedAndWide, ListRows, ::testing::Values(false, true));

// Dialogs are windows of their own: the one on screen is found, two on screen with the same
// control need the window named.
TEST(ScenarioControlsTest, ControlsOfOwnWindowsAreFoundOnTheWindowOnScreen) {
    auto dialog = [](const char* name, bool shown) {
        auto window = std::make_unique<QWidget>();
        window->setObjectName(QString::fromLatin1(name));
        (new QWidget(window.get()))->setObjectName(QStringLiteral("IB_Confirm"));
        window->setVisible(shown);
        return window;
    };
    QWidget main;
    (new QWidget(&main))->setObjectName(QStringLiteral("IB_Confirm"));
    const auto closed = dialog("Form3", false);
    const auto open = dialog("Form5", true);
    std::string error;
    QWidget* found = FindOnOwnWindows(&main, "IB_Confirm", error);
    ASSERT_NE(found, nullptr) << error;
    EXPECT_EQ(found->window(), open.get());
    found = FindOnOwnWindows(&main, "Form3.IB_Confirm", error);
    ASSERT_NE(found, nullptr) << error;
    EXPECT_EQ(found->window(), closed.get());
    EXPECT_EQ(FindOnOwnWindows(&main, "Form5", error), open.get());

    const auto second = dialog("Form2", true);
    EXPECT_EQ(FindOnOwnWindows(&main, "IB_Confirm", error), nullptr);
    EXPECT_EQ(error, "IB_Confirm is on more than one open window (Form2, Form5): name the "
                     "window too, as Form2.IB_Confirm");
    found = FindOnOwnWindows(&main, "Form2.IB_Confirm", error);
    ASSERT_NE(found, nullptr) << error;
    EXPECT_EQ(found->window(), second.get());
    EXPECT_EQ(FindOnOwnWindows(&main, "Form4.IB_Confirm", error), nullptr);
    EXPECT_EQ(error, "no control named Form4.IB_Confirm");
}

TEST(ScenarioControlsTest, ARowOfAControlThatIsNoListFails) {
    QWidget form;
    auto* label = new TUniLabel(&form);
    form.show();
    std::string error;
    EXPECT_FALSE(ClickControl(label, "Key1", Qt::LeftButton, false, 0, error));
    EXPECT_EQ(error, "Key1 is not a list, so it has no rows");
}

// The engineering page's shape: three sheets, the last two with hidden tabs until shown.
class Tabs : public ::testing::Test {
protected:
    void SetUp() override {
        form_.resize(600, 300);
        pages_ = new SkinPageControl(&form_);
        pages_->setGeometry(0, 0, 600, 300);
        for (SkinTabSheet*& s : sheets_)
            s = new SkinTabSheet(pages_);
        sheets_[1]->setTabVisible(false);
        sheets_[2]->setTabVisible(false);
        pages_->selectPage(0);
        form_.show();
    }

    QWidget form_;
    SkinPageControl* pages_ = nullptr;
    SkinTabSheet* sheets_[3] = {};
};

TEST_F(Tabs, ChoosingATabClicksItAndThePageShows) {
    sheets_[2]->setTabVisible(true);
    QSignalSpy activated(pages_, &SkinTabControl::tabActivated);
    std::string error;
    ASSERT_TRUE(ChooseTab(*pages_, "Pg", 2, error)) << error;
    EXPECT_EQ(pages_->tabIndex(), 2);
    EXPECT_EQ(pages_->activePage(), sheets_[2]);
    ASSERT_EQ(activated.count(), 1);
    EXPECT_EQ(activated[0][0].toInt(), 2);
}

TEST_F(Tabs, TheProgramMayRefuseTheChangeAsItWouldAUsers) {
    sheets_[2]->setTabVisible(true);
    pages_->onChanging = [](bool& allow) { allow = false; };
    std::string error;
    EXPECT_TRUE(ChooseTab(*pages_, "Pg", 2, error)) << error;
    EXPECT_EQ(pages_->tabIndex(), 0);
}

TEST_F(Tabs, AHiddenMissingOrDisabledTabFails) {
    struct Case {
        int index;
        bool enabled;
        const char* error;
    };
    const Case cases[] = {
        {1, true, "tab 1 of Pg is hidden"},
        {3, true, "Pg has no tab 3 (it has 3)"},
        {-1, true, "Pg has no tab -1 (it has 3)"},
        {0, false, "Pg is disabled"},
    };
    for (const Case& c : cases) {
        pages_->setEnabled(c.enabled);
        std::string error;
        EXPECT_FALSE(ChooseTab(*pages_, "Pg", c.index, error)) << c.index;
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(pages_->tabIndex(), 0);
    }
}

} // namespace
} // namespace trvx
