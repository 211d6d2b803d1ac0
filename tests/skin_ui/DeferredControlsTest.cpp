// A window may leave the controls of its hidden pages for later: they are made in table order,
// a slice at a time or when a lookup asks for one of them.

#include "skin/ControlTable.h"
#include "skin/WindowTables.h"
#include "skin/ui/MainWindowControls.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace trvx {
namespace {

const std::vector<ControlSpec>& TwoPages() {
    static const std::vector<ControlSpec> specs = [] {
        ControlTable t;
        t.add("pageA", ControlKind::Page, "");
        t.add("pageB", ControlKind::Page, "");
        t.label("a1", "pageA");
        t.add("boxB", ControlKind::Panel, "pageB");
        t.label("b1", "boxB");
        t.label("b2", "boxB");
        t.label("b3", "pageB");
        t.label("frame", "");
        return t.specs;
    }();
    return specs;
}

const WindowTables kTwoPages{&TwoPages, nullptr, nullptr, nullptr};

TEST(DeferredControls, ADeferredPageIsMadeInTableOrderWhenAskedForOrSliceBySlice) {
    QWidget form;
    CreateMainWindowControls(form, kTwoPages, {"pageB"});
    // The page itself and everything else are there; what lies on the page is not.
    for (const char* made : {"pageA", "pageB", "a1", "frame"})
        EXPECT_NE(FindControl(form, made), nullptr) << made;
    EXPECT_TRUE(HasDeferredControls(form));
    EXPECT_TRUE(IsDeferredControl(form, "b2"));
    EXPECT_FALSE(IsDeferredControl(form, "a1"));
    EXPECT_FALSE(IsDeferredControl(form, "nothing"));
    EXPECT_EQ(FindControl(form, "b2"), nullptr); // nobody makes it on demand yet

    // One control a slice when the time is always up.
    EXPECT_FALSE(CreateDeferredControls(form, [] { return false; }));
    EXPECT_NE(FindControl(form, "boxB"), nullptr);
    EXPECT_TRUE(IsDeferredControl(form, "b1"));

    // A lookup of one not made yet has the form make it (here: all that is left).
    int demands = 0;
    SetDeferredControlDemand(form, [&] {
        ++demands;
        CreateDeferredControls(form);
    });
    QWidget* b2 = FindControl(form, "b2");
    ASSERT_NE(b2, nullptr);
    EXPECT_EQ(demands, 1);
    EXPECT_FALSE(HasDeferredControls(form));
    EXPECT_EQ(b2->parentWidget(), FindControl(form, "boxB"));
    // Made in table order, so they lie one above the other as the table has them.
    const QObjectList& onBox = FindControl(form, "boxB")->children();
    ASSERT_EQ(onBox.size(), 2);
    EXPECT_EQ(onBox[0]->objectName(), QStringLiteral("b1"));
    EXPECT_EQ(onBox[1]->objectName(), QStringLiteral("b2"));
    EXPECT_NE(FindControl(form, "b3"), nullptr);
    EXPECT_EQ(demands, 1);
}

} // namespace
} // namespace trvx
