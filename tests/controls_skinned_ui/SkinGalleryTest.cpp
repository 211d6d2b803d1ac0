// Renders the buttons, check boxes, combo boxes and edits in every look and state to PNG files
// for review (TRVX_GALLERY_DIR, else "gallery" in the working folder), and checks a few pixels
// that prove the right picture was drawn.
#include "controls/skinned/ui/HexEdit.h"
#include "controls/skinned/ui/IntEdit.h"
#include "controls/skinned/ui/SkinButton.h"
#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/skinned/ui/SkinComboBox.h"
#include "controls/skinned/ui/SkinNumberEdit.h"
#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QPainter>

#include <gtest/gtest.h>

namespace trvx {
namespace {

QString GalleryDir() {
    const QString dir = qEnvironmentVariableIsSet("TRVX_GALLERY_DIR")
                            ? qEnvironmentVariable("TRVX_GALLERY_DIR")
                            : QDir::current().filePath(QStringLiteral("gallery"));
    QDir().mkpath(dir);
    return dir;
}

const SkinUIStyle kLooks[] = {SkinUIStyle::MacOS,     SkinUIStyle::WinXP,
                              SkinUIStyle::DeepBlue,  SkinUIStyle::Protein,
                              SkinUIStyle::BlueGlass, SkinUIStyle::FromThemeFile};

// A panel painted in the dark colour of the program's pages, so that see-through corners show.
class Page : public QWidget {
public:
    Page() { resize(560, 40 * 6 + 10); }
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(40, 44, 52));
    }
};

void Hover(QWidget* w) {
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(w, &e);
}

TEST(SkinGallery, ButtonsInEveryLookAndState) {
    Page page;
    std::vector<SkinButton*> transparentCorners;
    int row = 0;
    for (SkinUIStyle look : kLooks) {
        const char* states[] = {"Normal", "Hover", "Pressed", "Disabled"};
        for (int s = 0; s < 4; ++s) {
            auto* b = new SkinButton(&page, QStringLiteral("Btn_%1_%2").arg(row).arg(s));
            b->setUIStyle(look);
            b->setCaption(QString::fromLatin1(states[s]));
            b->setGeometry(10 + s * 108, 10 + row * 40, 100, 25);
            if (s == 1)
                Hover(b);
            if (s == 2)
                b->setDown(true);
            if (s == 3)
                b->setEnabled(false);
            if (b->isTransparent() && s == 0)
                transparentCorners.push_back(b);
        }
        ++row;
    }
    const QImage shot = page.grab().toImage();
    ASSERT_TRUE(shot.save(QDir(GalleryDir()).filePath(QStringLiteral("buttons.png"))));
    // Masked looks show the page through their keyed corners.
    ASSERT_FALSE(transparentCorners.empty());
    for (SkinButton* b : transparentCorners)
        EXPECT_EQ(shot.pixel(b->geometry().topLeft()), qRgb(40, 44, 52)) << int(b->uiStyle());
    // The WinXP row (second) draws frame 1, 2, 3, 1 from the left corner piece.
    const QImage xp = StyleBitmap("WINXP_BUTTON");
    for (int s = 0; s < 4; ++s) {
        const int frame = s == 3 ? 1 : s + 1;
        EXPECT_EQ(shot.pixel(10 + s * 108 + 1, 10 + 40 + 5),
                  ExtractBitmapFrame(xp, 3, frame).pixel(1, 5))
            << s;
    }
}

TEST(SkinGallery, FocusedButtons) {
    Page page;
    std::vector<SkinButton*> buttons;
    for (SkinUIStyle look : kLooks) {
        auto* b = new SkinButton(&page);
        b->setUIStyle(look);
        b->setCaption(QStringLiteral("Focused"));
        b->setGeometry(10, 10 + int(buttons.size()) * 40, 100, 25);
        buttons.push_back(b);
    }
    page.show();
    QApplication::setActiveWindow(&page);
    QImage strip(120, 40 * int(buttons.size()), QImage::Format_ARGB32);
    strip.fill(QColor(40, 44, 52));
    QPainter p(&strip);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->setFocus();
        if (!buttons[i]->hasFocus())
            GTEST_SKIP() << "the platform gives no focus";
        p.drawImage(10, 10 + int(i) * 40, buttons[i]->renderFace());
    }
    p.end();
    ASSERT_TRUE(strip.save(QDir(GalleryDir()).filePath(QStringLiteral("buttons_focused.png"))));
}

TEST(SkinGallery, CheckBoxesInEveryLookAndState) {
    Page page;
    int row = 0;
    for (SkinUIStyle look : kLooks) {
        for (int s = 0; s < 4; ++s) {
            auto* box = new SkinCheckBox(&page);
            box->setUIStyle(look);
            box->setTransparent(true);
            box->setCaption(s % 2 == 0 ? QStringLiteral("Checked") : QStringLiteral("Unchecked"));
            box->setChecked(s % 2 == 0);
            box->setEnabled(s < 2);
            box->move(10 + s * 130, 10 + row * 40);
        }
        ++row;
    }
    QPalette pal = page.palette();
    pal.setColor(QPalette::WindowText, QColor(230, 230, 230));
    page.setPalette(pal);
    const QImage shot = page.grab().toImage();
    ASSERT_TRUE(shot.save(QDir(GalleryDir()).filePath(QStringLiteral("checkboxes.png"))));
    // WinXP row: checked and unchecked frames at their place.
    const QImage strip = StyleBitmap("WINXP_CHECKBOX");
    const auto boxes = page.findChildren<SkinCheckBox*>();
    for (SkinCheckBox* box : boxes) {
        if (box->uiStyle() != SkinUIStyle::WinXP)
            continue;
        const int frame = CheckBoxFrame(box->isChecked(), box->isEnabled());
        const QPoint glyphAt = box->pos() + QPoint(1, (box->height() - 13) / 2);
        EXPECT_EQ(shot.pixel(glyphAt + QPoint(6, 6)),
                  ExtractBitmapFrame(strip, 4, frame).pixel(6, 6))
            << frame;
        // Transparent: the page shows to the right of the caption.
        EXPECT_EQ(shot.pixel(box->geometry().right(), box->y()), qRgb(40, 44, 52));
    }
}

TEST(SkinGallery, CombosAndEdits) {
    Page page;
    int row = 0;
    for (SkinUIStyle look : kLooks) {
        auto* combo = new SkinComboBox(&page);
        combo->setUIStyle(look);
        combo->addItems({QStringLiteral("800 CPI"), QStringLiteral("1600 CPI")});
        combo->setGeometry(10, 10 + row * 40, 120, 21);
        auto* disabled = new SkinComboBox(&page);
        disabled->setUIStyle(look);
        disabled->addItem(QStringLiteral("Disabled"));
        disabled->setEnabled(false);
        disabled->setGeometry(140, 10 + row * 40, 120, 21);
        auto* hex = new HexEdit(&page);
        hex->setUIStyle(look);
        hex->setText(QStringLiteral("3F"));
        hex->setGeometry(270, 10 + row * 40, 60, 19);
        auto* dec = new IntEdit(&page);
        dec->setUIStyle(look);
        dec->setBorderColor(QColor(255, 0, 0));
        dec->setText(QStringLiteral("255"));
        dec->setGeometry(340, 10 + row * 40, 60, 19);
        auto* number = new SkinNumberEdit(&page);
        number->setUIStyle(look);
        number->setMask(QStringLiteral("0"));
        number->setValue(50);
        number->setGeometry(410, 10 + row * 40, 60, 19);
        ++row;
    }
    const QImage shot = page.grab().toImage();
    ASSERT_TRUE(shot.save(QDir(GalleryDir()).filePath(QStringLiteral("combos_edits.png"))));
    EXPECT_EQ(shot.pixel(340, 10), qRgb(255, 0, 0)); // the integer edit's border
    EXPECT_EQ(shot.pixel(270, 10 + 40), QColor(0x68, 0x68, 0x68).rgb()); // WinXP hex edit
}

} // namespace
} // namespace trvx
