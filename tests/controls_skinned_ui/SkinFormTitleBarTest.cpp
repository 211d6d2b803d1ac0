// The form frame and its title bar: border, client colour and window shape per look, the
// hidden title bar, refused settings, the caption place and ellipsis, caption buttons, moving
// the form, the window menu and Alt+Space.

#include "controls/skinned/ui/SkinForm.h"
#include "controls/skinned/ui/SkinNotice.h"
#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include "SkinTestInput.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <memory>

namespace trvx {
namespace {

// Records the notices instead of showing message boxes.
struct Notices {
    Notices() {
        previous = SetSkinNoticeHandler([this](const QString& t) { texts << t; });
    }
    ~Notices() { SetSkinNoticeHandler(previous); }
    QStringList texts;
    SkinNoticeHandler previous;
};

struct Framed : ::testing::Test {
    void make(SkinUIStyle look, QSize size = QSize(248, 174)) {
        form = std::make_unique<QWidget>();
        form->resize(size);
        frame = new SkinForm(form.get());
        frame->setUIStyle(look);
    }
    QColor pixel(const QImage& img, int x, int y) { return QColor(img.pixel(x, y)); }
    std::unique_ptr<QWidget> form;
    SkinForm* frame = nullptr;
};

TEST_F(Framed, WinXpBorderClientAndRoundedTopCorners) {
    make(SkinUIStyle::WinXP);
    EXPECT_EQ(frame->borderColor(), 0xC82C00u);
    EXPECT_EQ(frame->borderWidth(), 3);
    EXPECT_EQ(frame->color(), 0xDEEBEFu);
    EXPECT_EQ(frame->roundCorner(), 13);
    EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(frame->geometry(), QRect(3, 3, 242, 168));

    const QImage img = frame->renderWindow();
    const QColor border = ToQColor(0xC82C00);
    for (QPoint p : {QPoint(0, 100), QPoint(2, 100), QPoint(247, 100), QPoint(100, 173),
                     QPoint(0, 173), QPoint(247, 173)}) {
        EXPECT_EQ(pixel(img, p.x(), p.y()), border) << p.x() << "," << p.y();
    }
    EXPECT_EQ(pixel(img, 100, 100), ToQColor(0xDEEBEF));
    // Rounded top corners, square bottom ones.
    const QRegion shape = form->mask();
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));
    EXPECT_FALSE(shape.contains(QPoint(247, 0)));
    EXPECT_TRUE(shape.contains(QPoint(124, 0)));
    EXPECT_TRUE(shape.contains(QPoint(0, 173)));
    EXPECT_TRUE(shape.contains(QPoint(247, 173)));
}

TEST_F(Framed, DeepBlueThinBorderWithTheFramesColourInside) {
    make(SkinUIStyle::DeepBlue, QSize(200, 120));
    EXPECT_EQ(frame->roundCorner(), 0);
    const QImage img = frame->renderWindow();
    EXPECT_EQ(pixel(img, 0, 60), QColor(0, 0, 0));
    EXPECT_EQ(pixel(img, 1, 60), ToQColor(0xE8E8E8));
    EXPECT_EQ(pixel(img, 2, 60), ToQColor(0xE8E8E8));
    EXPECT_EQ(pixel(img, 100, 118), ToQColor(0xE8E8E8));
    EXPECT_EQ(pixel(img, 199, 60), QColor(0, 0, 0));
    EXPECT_TRUE(form->mask().isEmpty()); // square corners: no shape at all
}

TEST_F(Framed, HidingTheTitleBarSquaresTheCornersAndDrawsATopLine) {
    make(SkinUIStyle::WinXP);
    frame->setTitleBarVisible(false);
    EXPECT_FALSE(frame->titleBarVisible());
    EXPECT_EQ(frame->roundCorner(), 0);
    EXPECT_EQ(frame->titleBarHeight(), 0);
    EXPECT_TRUE(form->mask().isEmpty());
    const QImage img = frame->renderWindow();
    EXPECT_EQ(pixel(img, 100, 0), ToQColor(0xC82C00));
    frame->setTitleBarVisible(true);
    EXPECT_EQ(frame->roundCorner(), 13);
}

TEST_F(Framed, RefusedSettings) {
    Notices notices;
    make(SkinUIStyle::WinXP);
    frame->setFormPanel(frame);
    EXPECT_EQ(frame->formPanel(), nullptr);
    EXPECT_EQ(notices.texts,
              QStringList{"Sorry, you can't select the Form assign to FormPanel property"});

    // One frame per form.
    SkinForm second(form.get());
    EXPECT_FALSE(second.isFrame());
    EXPECT_TRUE(frame->isFrame());

    SkinTitleBar* bar = frame->titleBar();
    const auto before = bar->buttons().size();
    const int added = bar->addButton(TitleBarButtonType::ControlBox); // one exists already
    EXPECT_EQ(bar->buttons().size(), before + 1);
    EXPECT_EQ(bar->buttons()[static_cast<std::size_t>(added)].buttonType,
              TitleBarButtonType::Custom);
    EXPECT_FALSE(bar->setSectionAlign(0, TitleBarAlign::Client)); // section 3 is the client
    EXPECT_EQ(bar->sections()[0].align, TitleBarAlign::Left);
    ASSERT_EQ(notices.texts.size(), 3);
    EXPECT_EQ(notices.texts[1],
              "Sorry, only one button's ButtonType property can be \"skControlBox\"");
    EXPECT_EQ(notices.texts[2], "Sorry, only one section's Align property can be \"skClient\"");
}

TEST_F(Framed, NewControlsAndTheCaption) {
    make(SkinUIStyle::WinXP);
    EXPECT_EQ(FormUIStyle(frame), SkinUIStyle::WinXP);
    EXPECT_EQ(frame->version(), QStringLiteral("5.8"));
    frame->setCaption(QStringLiteral("Password"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Password"));
    EXPECT_EQ(frame->titleBar()->caption(), QStringLiteral("Password"));
}

// The input dialog's bar: one close button in look WinXP.
SkinTitleBar* closeOnlyBar(SkinForm* frame) {
    SkinTitleBar* bar = frame->titleBar();
    std::vector<SkinTitleBarButton> close;
    for (const SkinTitleBarButton& b : bar->buttons()) {
        if (b.buttonType == TitleBarButtonType::Close) {
            close.push_back(b);
        }
    }
    bar->setButtons(close);
    return bar;
}

QPoint centre(const SkinRect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(Framed, TitleBarSizeCaptionPlaceAndEllipsis) {
    make(SkinUIStyle::WinXP);
    SkinTitleBar* bar = closeOnlyBar(frame);
    const QImage left = StyleElementBitmap(SkinUIStyle::WinXP, theme::kTitleBarLeftImage);
    ASSERT_FALSE(left.isNull());
    EXPECT_EQ(bar->height(), left.height() - 3);
    EXPECT_EQ(bar->width(), 242);
    const TitleButtonsLayout l = bar->buttonsLayout();
    EXPECT_EQ(l.captionLeft, 3); // LeftBtnXOffset + 1
    EXPECT_TRUE(l.buttons[0].shown);
    EXPECT_LE(l.buttons[0].rect.right, 242);

    bar->setCaption(QString(200, QLatin1Char('W')));
    const QString shown = bar->shownCaption();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("...")));
    EXPECT_LE(QFontMetrics(bar->font()).horizontalAdvance(shown), l.captionRight - l.captionLeft);
}

TEST_F(Framed, MaximisedFormsShowTheRestoreFrames) {
    make(SkinUIStyle::WinXP);
    SkinTitleBar* bar = frame->titleBar();
    auto maxButton = [&]() -> const SkinTitleBarButton& {
        for (const SkinTitleBarButton& b : bar->buttons()) {
            if (b.buttonType == TitleBarButtonType::Max) {
                return b;
            }
        }
        throw std::logic_error("no max button");
    };
    const QImage maxFrame =
        StyleElementFrame(SkinUIStyle::WinXP, theme::kTitleBarButtonImage, 7, 18);
    const QImage restoreFrame =
        StyleElementFrame(SkinUIStyle::WinXP, theme::kTitleBarButtonImage, 10, 18);
    ASSERT_NE(maxFrame, restoreFrame);
    EXPECT_EQ(maxButton().picNormal, maxFrame);
    form->setWindowState(Qt::WindowMaximized);
    bar->reloadMaxButtons();
    EXPECT_EQ(maxButton().picNormal, restoreFrame);
}

TEST_F(Framed, CloseButtonClosesAndACaptionPressMovesTheForm) {
    make(SkinUIStyle::WinXP);
    SkinTitleBar* bar = closeOnlyBar(frame);
    form->move(100, 100);
    form->show();
    const QPoint start = form->pos();

    // A press on a button does not move the form.
    const QPoint onClose = centre(bar->buttonsLayout().buttons[0].rect);
    test::move(bar, onClose, false);
    test::press(bar, onClose);
    test::move(bar, onClose + QPoint(30, 20), true);
    EXPECT_EQ(form->pos(), start);
    test::release(bar, onClose + QPoint(30, 20)); // released away from it: no click
    EXPECT_TRUE(form->isVisible());

    // A press on the caption area drags the form.
    const QPoint onCaption(60, 10);
    test::press(bar, onCaption);
    test::move(bar, onCaption + QPoint(30, 20), true);
    test::release(bar, onCaption + QPoint(30, 20));
    EXPECT_EQ(form->pos(), start + QPoint(30, 20));

    test::click(bar, onClose);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Framed, WindowMenuFollowsTheVisibleButtonsAndOpensWithAltSpace) {
    make(SkinUIStyle::WinXP);
    SkinTitleBar* bar = closeOnlyBar(frame);
    form->show();
    SkinPopupMenu* menu = bar->windowMenu();
    ASSERT_EQ(menu->itemCount(), 4);
    EXPECT_EQ(menu->item(2).caption, QStringLiteral("-"));

    QWidget elsewhere; // a key anywhere in the program
    test::key(&elsewhere, Qt::Key_Space, Qt::AltModifier);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(menu->item(0).enabled); // no minimise button
    EXPECT_FALSE(menu->item(1).enabled); // no maximise button
    EXPECT_TRUE(menu->item(3).enabled);
    EXPECT_FALSE(menu->activateItem(0));
    EXPECT_TRUE(menu->activateItem(3)); // "&Close"
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Framed, DoubleClickMaximisesAndTheControlBoxOpensTheMenu) {
    make(SkinUIStyle::WinXP);
    form->show();
    SkinTitleBar* bar = frame->titleBar();
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(100, 10),
                    bar->mapToGlobal(QPointF(100, 10)), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(bar, &dbl);
    EXPECT_TRUE(form->windowState() & Qt::WindowMaximized);

    const TitleButtonsLayout l = bar->buttonsLayout();
    ASSERT_GE(l.controlBoxIndex, 0);
    test::click(bar, centre(l.buttons[static_cast<std::size_t>(l.controlBoxIndex)].rect));
    EXPECT_TRUE(bar->windowMenu()->isVisible());
    EXPECT_TRUE(bar->windowMenu()->item(0).enabled);
    EXPECT_TRUE(bar->windowMenu()->item(1).enabled);
}

TEST(TitleBarTest, OnAPlainFormTheSectionsStartAtTheCorner) {
    QWidget form;
    form.resize(300, 100);
    SkinTitleBar bar(&form);
    bar.setUIStyle(SkinUIStyle::WinXP);
    bar.resize(300, bar.height());
    const QImage left = StyleElementBitmap(SkinUIStyle::WinXP, theme::kTitleBarLeftImage);
    EXPECT_EQ(bar.height(), left.height());
    EXPECT_EQ(bar.sectionsLayout().left, (SkinRect{0, 0, left.width(), left.height()}));
    EXPECT_EQ(bar.buttonTop(), GetStyleInteger(SkinUIStyle::WinXP, theme::kTitleBarButtonTopInt));
    EXPECT_EQ(form.minimumWidth(), GetStyleInteger(SkinUIStyle::WinXP, theme::kFormMinWidthInt));
    // A custom bar keeps its sections when the look changes.
    bar.setCustom(true);
    bar.setUIStyle(SkinUIStyle::DeepBlue);
    EXPECT_EQ(bar.sections()[0].picture, left);
}

} // namespace
} // namespace trvx
