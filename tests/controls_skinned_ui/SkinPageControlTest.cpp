// Page control and tab sheets: tab visibility and the page it activates, clicks and their
// events, quiet loading, removal and reordering of sheets.

#include "controls/skinned/ui/SkinPageControl.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include "SkinTestInput.h"

#include <gtest/gtest.h>

#include <memory>

namespace trvx {
namespace {

// The engineering page's control: three sheets, empty captions so every tab is 80 pixels
// wide whatever the fonts.
struct Pages : ::testing::Test {
    void SetUp() override {
        form = std::make_unique<QWidget>();
        form->resize(600, 300);
        pc = new SkinPageControl(form.get());
        pc->setUIStyle(SkinUIStyle::MacOS);
        pc->setGeometry(0, 0, 600, 300);
        for (SkinTabSheet*& s : sheets) {
            s = new SkinTabSheet(pc);
        }
    }

    std::vector<int> drawnTabs() const {
        std::vector<int> out;
        for (const TabPlace& t : pc->strip()->layout().tabs) {
            out.push_back(t.index);
        }
        return out;
    }

    std::unique_ptr<QWidget> form;
    SkinPageControl* pc = nullptr;
    SkinTabSheet* sheets[3] = {};
};

TEST_F(Pages, SheetsJoinInOrderAndTheLastAddedIsActive) {
    EXPECT_EQ(pc->pageCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sheets[i]->pageIndex(), i);
        EXPECT_EQ(pc->page(i), sheets[i]);
    }
    EXPECT_EQ(pc->activePage(), sheets[2]);
    EXPECT_EQ(pc->tabIndex(), 2);
    EXPECT_TRUE(sheets[2]->isVisibleTo(pc));
    EXPECT_FALSE(sheets[0]->isVisibleTo(pc));
    EXPECT_EQ(drawnTabs(), (std::vector<int>{0, 1, 2}));
}

TEST_F(Pages, HidingTheActiveTabActivatesTheNearestVisiblePage) {
    // Third of three active, all tabs visible: the second takes over.
    auto hidden = test::count(sheets[2], &SkinTabSheet::hidden);
    auto shown = test::count(sheets[1], &SkinTabSheet::shown);
    sheets[2]->setTabVisible(false);
    EXPECT_FALSE(sheets[2]->tabVisible());
    EXPECT_EQ(pc->activePage(), sheets[1]);
    EXPECT_EQ(pc->tabIndex(), 1);
    EXPECT_TRUE(sheets[1]->isVisibleTo(pc));
    EXPECT_FALSE(sheets[2]->isVisibleTo(pc));
    EXPECT_EQ(hidden->n, 1);
    EXPECT_EQ(shown->n, 1);
    EXPECT_EQ(drawnTabs(), (std::vector<int>{0, 1})); // the strip no longer draws it

    // Showing it again brings its tab back without changing the page.
    sheets[2]->setTabVisible(true);
    EXPECT_EQ(drawnTabs(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(pc->activePage(), sheets[1]);
}

TEST_F(Pages, HidingSkipsHiddenTabsAndLooksUpwardsLast) {
    sheets[1]->setTabVisible(false); // not active: nothing moves
    EXPECT_EQ(pc->activePage(), sheets[2]);
    sheets[2]->setTabVisible(false);
    EXPECT_EQ(pc->activePage(), sheets[0]);

    // From the first page, with nothing below, the next visible one above.
    sheets[2]->setTabVisible(true);
    sheets[0]->setTabVisible(false);
    EXPECT_EQ(pc->activePage(), sheets[2]);
}

TEST_F(Pages, HidingEveryTabLeavesTheActiveSheetShown) {
    for (SkinTabSheet* s : sheets) {
        s->setTabVisible(false);
    }
    EXPECT_EQ(pc->activePage(), sheets[2]);
    EXPECT_TRUE(sheets[2]->isVisibleTo(pc));
    EXPECT_TRUE(drawnTabs().empty());
}

TEST_F(Pages, TabVisibilityRepaintsTheStrip) {
    form->show();
    const QImage before = pc->strip()->render();
    sheets[0]->setTabVisible(false);
    EXPECT_NE(pc->strip()->render(), before);
}

using test::click;

TEST_F(Pages, AClickAsksOnChangingFirstAndCodeDoesNot) {
    int asked = 0;
    bool allow = true;
    pc->onChanging = [&](bool& a) {
        ++asked;
        a = allow;
    };
    auto changed = test::count(pc, &SkinTabControl::changed);
    std::vector<int> active;
    QObject::connect(pc, &SkinTabControl::tabActivated, pc, [&](int i) { active.push_back(i); });
    const int y = pc->strip()->tabHeight() / 2;
    ASSERT_GT(y, 0);

    click(pc->strip(), QPoint(10 + 80 + 40, y)); // the second tab
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(pc->activePage(), sheets[1]);
    EXPECT_EQ(active, std::vector<int>{1});
    EXPECT_EQ(changed->n, 1);

    allow = false;
    click(pc->strip(), QPoint(10 + 40, y));
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(pc->activePage(), sheets[1]);
    EXPECT_EQ(changed->n, 1);

    pc->setActivePage(sheets[0]);
    pc->setTabIndex(2);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(pc->activePage(), sheets[2]);
    EXPECT_EQ(changed->n, 3);

    // Clicks on hidden tabs' former places hit the tab drawn there now.
    sheets[0]->setTabVisible(false);
    allow = true;
    click(pc->strip(), QPoint(10 + 40, y));
    EXPECT_EQ(pc->activePage(), sheets[1]);
}

TEST_F(Pages, NoTabEventsWhileLoading) {
    auto changed = test::count(pc, &SkinTabControl::changed);
    {
        FormLoadingScope loading(form.get());
        pc->setActivePage(sheets[0]);
        EXPECT_EQ(pc->activePage(), sheets[0]);
    }
    EXPECT_EQ(changed->n, 0);
    pc->setActivePage(sheets[1]);
    EXPECT_EQ(changed->n, 1);
}

TEST_F(Pages, RemovingAndMovingSheets) {
    pc->setActivePage(sheets[1]);
    delete sheets[1];
    EXPECT_EQ(pc->pageCount(), 2);
    EXPECT_EQ(sheets[2]->pageIndex(), 1);
    EXPECT_EQ(pc->activePage(), sheets[0]); // the page before the removed one

    sheets[2]->setPageIndex(0);
    EXPECT_EQ(pc->page(0), sheets[2]);
    EXPECT_EQ(sheets[0]->pageIndex(), 1);
    EXPECT_EQ(pc->activePage(), sheets[2]);
    sheets[2]->setPageIndex(5); // outside: kept
    EXPECT_EQ(sheets[2]->pageIndex(), 0);

    // Captions feed the strip's tabs in page order.
    sheets[2]->setCaption(QStringLiteral("  Operator  "));
    EXPECT_EQ(pc->strip()->tabs(), (QStringList{QStringLiteral("  Operator  "), QString()}));
}

TEST_F(Pages, ScrollButtonsMoveTheFirstShownTabByOne) {
    // 80-pixel tabs in a 200-pixel strip: the third is clipped at the scroll buttons.
    pc->resize(200, 200);
    form->show();
    pc->setActivePage(sheets[0]);
    SkinTabStrip* strip = pc->strip();
    EXPECT_TRUE(strip->scrollNeeded());
    ASSERT_EQ(strip->layout().tabs.size(), 2u);
    EXPECT_TRUE(strip->layout().tabs[1].clipped);
    const ScrollButtonsLayout b = strip->scrollButtons();
    ASSERT_TRUE(b.shown);

    click(strip, QPoint(b.right.left + 2, b.right.top + 2));
    EXPECT_EQ(strip->scrollOffset(), 1);
    EXPECT_EQ(strip->layout().tabs[0].index, 1);
    EXPECT_EQ(pc->activePage(), sheets[0]); // scrolling changes no page
    click(strip, QPoint(b.left.left + 2, b.left.top + 2));
    EXPECT_EQ(strip->scrollOffset(), 0);

    // Choosing the clipped tab scrolls until it shows whole.
    pc->setActivePage(sheets[2]);
    EXPECT_EQ(strip->scrollOffset(), 1);
    EXPECT_FALSE(strip->layout().tabs.back().clipped);
}

TEST(TabSheetTest, FlagWithoutAPageControl) {
    SkinTabSheet sheet;
    EXPECT_TRUE(sheet.tabVisible());
    sheet.setTabVisible(false);
    EXPECT_FALSE(sheet.tabVisible());
    EXPECT_EQ(sheet.pageIndex(), -1);
    sheet.setPageIndex(0);
    EXPECT_EQ(sheet.pageIndex(), -1);
}

TEST(TabControlTest, LookColours) {
    SkinTabControl xp;
    xp.setUIStyle(SkinUIStyle::WinXP);
    EXPECT_EQ(xp.color(), 0xFFFFFFu);
    EXPECT_EQ(xp.borderColor(), GetStyleColor(SkinUIStyle::WinXP, theme::kControlBorderColor));
    SkinTabControl mac;
    mac.setUIStyle(SkinUIStyle::MacOS);
    EXPECT_EQ(mac.color(), GetStyleColor(SkinUIStyle::MacOS, theme::kControlBackgroundColor));
}

} // namespace
} // namespace trvx
