// Renders the framed dialog, title bar, popup menu, page control and list box in every look to
// PNG files for review (TRVX_GALLERY_DIR, else "gallery" in the working folder), and checks a
// few pixels that prove the right picture was drawn.

#include "controls/skinned/ui/SkinButton.h"
#include "controls/skinned/ui/SkinEdit.h"
#include "controls/skinned/ui/SkinForm.h"
#include "controls/skinned/ui/SkinInputDialog.h"
#include "controls/skinned/ui/SkinListBox.h"
#include "controls/skinned/ui/SkinPageControl.h"
#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include "SkinTestInput.h"

#include <QDir>
#include <QLabel>

#include <gtest/gtest.h>

namespace trvx {
namespace {

QString galleryPath(const QString& name) {
    const QString dir = qEnvironmentVariableIsSet("TRVX_GALLERY_DIR")
                            ? qEnvironmentVariable("TRVX_GALLERY_DIR")
                            : QDir::current().filePath(QStringLiteral("gallery"));
    QDir().mkpath(dir);
    return QDir(dir).filePath(name);
}

const SkinUIStyle kLooks[] = {SkinUIStyle::MacOS, SkinUIStyle::WinXP, SkinUIStyle::DeepBlue,
                              SkinUIStyle::Protein, SkinUIStyle::BlueGlass};

const char* lookName(SkinUIStyle look) {
    switch (look) {
    case SkinUIStyle::MacOS:
        return "MacOS";
    case SkinUIStyle::WinXP:
        return "WinXP";
    case SkinUIStyle::DeepBlue:
        return "DeepBlue";
    case SkinUIStyle::Protein:
        return "Protein";
    case SkinUIStyle::BlueGlass:
        return "BlueGlass";
    case SkinUIStyle::FromThemeFile:
        break;
    }
    return "FromThemeFile";
}

// True when the image shows `picture` unchanged with its top-left corner at `at`.
bool shows(const QImage& image, const QImage& picture, QPoint at) {
    const QImage a = image.copy(QRect(at, picture.size())).convertToFormat(QImage::Format_RGB32);
    return a == picture.convertToFormat(QImage::Format_RGB32);
}

TEST(SkinFrameGallery, InputDialogInEveryLook) {
    for (SkinUIStyle look : kLooks) {
        SkinInputDialog d;
        d.setCaption(QStringLiteral("Password"));
        d.setPromptText(QStringLiteral("PASSWORD:"));
        d.setPasswordChar(QLatin1Char('*'));
        d.setUIStyle(look);
        QImage shot;
        SkinInputDialog::setResponder([&](FrmInput& f) {
            f.edt_value->setText(QStringLiteral("4410"));
            f.show();
            shot = f.skForm1->renderWindow();
            return 2;
        });
        d.execute();
        SkinInputDialog::setResponder({});
        ASSERT_FALSE(shot.isNull());
        shot.save(galleryPath(QStringLiteral("input_dialog_%1.png").arg(lookName(look))));
        const FormFrameLook frame = formFrameLook(look);
        EXPECT_EQ(QColor(shot.pixel(0, 100)), ToQColor(frame.borderColor)) << lookName(look);
        EXPECT_EQ(QColor(shot.pixel(shot.width() - 1, 100)), ToQColor(frame.borderColor));
    }
}

TEST(SkinFrameGallery, TitleBarButtonStates) {
    QWidget form;
    form.resize(300, 120);
    SkinForm frame(&form);
    frame.setUIStyle(SkinUIStyle::WinXP);
    frame.setCaption(QStringLiteral("Title bar"));
    form.show();
    SkinTitleBar* bar = frame.titleBar();
    const TitleButtonsLayout idle = bar->buttonsLayout();
    int close = -1;
    for (std::size_t i = 0; i < bar->buttons().size(); ++i) {
        if (bar->buttons()[i].buttonType == TitleBarButtonType::Close) {
            close = static_cast<int>(i);
        }
    }
    ASSERT_GE(close, 0);
    const SkinRect r = idle.buttons[static_cast<std::size_t>(close)].rect;
    const QPoint at(r.left, r.top);
    const QPoint inside(r.left + 3, r.top + 3);
    const QImage normal =
        StyleElementFrame(SkinUIStyle::WinXP, theme::kTitleBarButtonImage, 16, 18);
    const QImage over = StyleElementFrame(SkinUIStyle::WinXP, theme::kTitleBarButtonImage, 17, 18);
    const QImage down = StyleElementFrame(SkinUIStyle::WinXP, theme::kTitleBarButtonImage, 18, 18);

    QImage img = bar->render();
    img.save(galleryPath(QStringLiteral("titlebar_normal.png")));
    EXPECT_TRUE(shows(img, normal, at));
    test::move(bar, inside, false);
    img = bar->render();
    img.save(galleryPath(QStringLiteral("titlebar_hover.png")));
    EXPECT_TRUE(shows(img, over, at));
    test::press(bar, inside);
    img = bar->render();
    img.save(galleryPath(QStringLiteral("titlebar_pressed.png")));
    EXPECT_TRUE(shows(img, down, at));

    frame.renderWindow().save(galleryPath(QStringLiteral("frame_WinXP_three_buttons.png")));
}

TEST(SkinFrameGallery, PopupMenuInEveryLook) {
    for (SkinUIStyle look : kLooks) {
        SkinPopupMenu menu;
        menu.setUIStyle(look);
        menu.addItem(QStringLiteral("Mi&nimize"));
        menu.addItem(QStringLiteral("Ma&ximize/Restore"));
        menu.addItem(QStringLiteral("-"));
        menu.addItem(QStringLiteral("&Close"));
        menu.item(1).enabled = false;
        menu.item(3).checked = true;
        menu.setSelectedIndex(0);
        menu.render().save(galleryPath(QStringLiteral("popup_menu_%1.png").arg(lookName(look))));
    }
}

TEST(SkinFrameGallery, PageControlAndListBoxInEveryLook) {
    for (SkinUIStyle look : kLooks) {
        QWidget page;
        page.resize(420, 260);
        auto* pc = new SkinPageControl(&page);
        pc->setUIStyle(look);
        pc->setGeometry(5, 5, 410, 140);
        const char* captions[] = {"  Operator  ", "  Gun Confirm  ", "  Advanced    "};
        for (const char* c : captions) {
            auto* s = new SkinTabSheet(pc);
            s->setCaption(QString::fromLatin1(c));
        }
        pc->setActivePage(pc->page(0));
        auto* list = new SkinListBox(&page);
        list->setUIStyle(look);
        list->setGeometry(5, 150, 200, 100);
        list->setItemHeight(20);
        for (const char* s : {"Macro 1", "Macro 2", "Macro 3"}) {
            list->addItem(QString::fromLatin1(s));
        }
        list->setCurrentRow(1);
        page.show();
        const QImage shot = page.grab().toImage();
        shot.save(galleryPath(QStringLiteral("page_control_list_%1.png").arg(lookName(look))));

        // The active tab shows the look's active tab picture's left third at its place.
        const TabStripLayout l = pc->strip()->layout();
        ASSERT_FALSE(l.tabs.empty());
        EXPECT_TRUE(l.tabs[0].active);
        const QImage tab = StyleElementFrame(look, theme::kTabControlTabImage, 1, 2);
        // Row 3 lies above the caption.
        const QPoint mid(5 + l.tabs[0].rect.left + l.tabs[0].rect.width() / 2,
                         5 + l.tabs[0].rect.top + 3);
        const QImage middle = tab.copy(tab.width() / 3, 0, tab.width() / 3, tab.height());
        EXPECT_EQ(QColor(shot.pixel(mid)), QColor(middle.pixel(middle.width() / 2, 3)))
            << lookName(look);
        // The list's outer ring in the look's border colour.
        EXPECT_EQ(QColor(shot.pixel(5, 200)), ToQColor(listBorderColor(look)));
    }
}

} // namespace
} // namespace trvx
