// The icon column of the two script lists, read back from pictures of the lists: every row
// shows its line's icon stretched to a square as high as the row at its left edge, the icon's
// key colour nowhere (the row's own colour shows through it), and the text 35 pixels in at the
// row's top.
#include "shell/ui/MainWindow.h"

#include "controls/wide/ui/UniListBox.h"
#include "fire/ui/FirePage.h"
#include "shell/ui/DeviceWorker.h"
#include "shell/ui/MessageDialog.h"
#include "sim/SimulatedMouse.h"
#include "support/SimulatedWindowTest.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace trvx {
namespace {

constexpr QRgb kKeyColour = 0xFF800000; // the icons' flat background
constexpr int kRowHeight = 30;          // taller than the icons, so they must be stretched

class ScriptIconsTest : public SimulatedWindowTest {
protected:
    void SetUp() override {
        // One device macro, "Test": loop 3 times { press A, 50 ms, release A, move -5 5,
        // left button down, 20 ms, left button up }.
        const std::vector<std::uint8_t> macro{0x00, 'T',  0x00, 'e',  0x00, 's',  0x00, 't',  0,
                                              0,    0,    0,    0,    0,    0,    0,    0xFD, 0x03,
                                              0x82, 0x04, 0xFE, 0x00, 0x32, 0x02, 0x04, 0x04, 0xFB,
                                              0x05, 0xA1, 0xFE, 0x00, 0x14, 0x21, 0xFC, 0x00};
        ASSERT_TRUE(mouse_.Poke(496, macro));
        ASSERT_TRUE(mouse_.Poke(240, std::vector<std::uint8_t>{0x23}));
        ASSERT_NO_FATAL_FAILURE(CreateAccepted());
    }

    TUniListBox* List(std::string_view name) {
        return qobject_cast<TUniListBox*>(form_->Control(name));
    }
    static QRgb Rgb(const trvx::Rgb& c) { return qRgb(c.R, c.G, c.B); }

    // A picture of the list's rows, each kRowHeight high, with row `selected` selected.
    static QImage Shot(TUniListBox& lines, int selected) {
        lines.SetItemHeight(kRowHeight);
        lines.resize(lines.width(), kRowHeight * lines.count() + 2 * lines.frameWidth());
        lines.setCurrentRow(selected);
        QCoreApplication::processEvents();
        return lines.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Pixels of `area` that are not `back`.
    static int Ink(const QImage& shot, const QRect& area, QRgb back) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += shot.pixel(x, y) != back;
        return n;
    }

    // The checks every row passes, on a picture of its list; `back` is the row's colour.
    static void ExpectIconRow(const QImage& shot, const QRect& row, QRgb back,
                              const QFontMetrics& font) {
        const int h = row.height();
        const int left = row.left(), top = row.top();
        for (int y = top; y <= row.bottom(); ++y)
            for (int x = left; x <= row.right(); ++x)
                ASSERT_NE(shot.pixel(x, y), kKeyColour) << "key colour at " << x << "," << y;
        EXPECT_EQ(shot.pixel(left, top), back) << "the icon's corner lets the row show";
        EXPECT_GT(Ink(shot, QRect(left, top, h, h), back), h * h / 2) << "no icon";
        EXPECT_GT(Ink(shot, QRect(left + 20, top, h - 20, h), back), 0) << "icon not stretched";
        EXPECT_EQ(Ink(shot, QRect(left + h, top, 35 - h, h), back), 0) << "ink left of the text";
        EXPECT_GT(Ink(shot, QRect(left + 35, top, 20, h), back), 0) << "no text at 35";
        int inkTop = row.bottom() + 1;
        for (int y = top; y <= row.bottom() && inkTop > row.bottom(); ++y)
            if (Ink(shot, QRect(left + 35, y, row.width() - 35, 1), back) > 0)
                inkTop = y;
        EXPECT_LE(inkTop - top, (h - font.height()) / 2) << "text not at the row's top";
    }

    // Rows whose lines share a type digit show the same icon; other rows other icons. Rows of
    // type -1 are not compared.
    static void ExpectIconsByType(const QImage& shot, const TUniListBox& list,
                                  const std::vector<int>& types) {
        std::vector<QImage> icons;
        for (int i = 0; i < static_cast<int>(types.size()); ++i) {
            const QRect row = list.visualItemRect(list.item(i));
            icons.push_back(shot.copy(row.left(), row.top(), row.height(), row.height()));
        }
        for (std::size_t a = 0; a < types.size(); ++a)
            for (std::size_t b = a + 1; b < types.size(); ++b)
                if (types[a] >= 0 && types[b] >= 0) {
                    EXPECT_EQ(icons[a] == icons[b], types[a] == types[b])
                        << "rows " << a << ", " << b;
                }
    }
};

TEST_F(ScriptIconsTest, MacroContentRowsShowTheirLinesIcons) {
    form_->PageButtonClick("Macro");
    TUniListBox* names = List("LB_MacroName");
    TUniListBox* lines = List("LB_macro");
    ASSERT_TRUE(names && lines);
    ASSERT_EQ(names->count(), 1);
    names->setCurrentRow(0);
    emit names->itemClicked(names->item(0));
    ASSERT_EQ(lines->count(), 9);
    const QImage shot = Shot(*lines, 2);
    const QFontMetrics font(lines->font());
    for (int i = 0; i < lines->count(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const QRgb back = Rgb(i == 2 ? form_->Layout().ColorMacro : form_->Layout().ColorFLBack);
        ExpectIconRow(shot, lines->visualItemRect(lines->item(i)), back, font);
    }
    // Loop start, key down, delay, key up, move, button down, delay, button up, loop end; the
    // selected row is left out.
    ExpectIconsByType(shot, *lines, {7, 1, -1, 2, 3, 1, 0, 2, 8});
}

TEST_F(ScriptIconsTest, FireMacroRowsShowTheirLinesIcons) {
    form_->findChild<FirePage*>()->Key_FireMacroClick(1);
    TUniListBox* names = List("LB_FireMacroName");
    TUniListBox* lines = List("LB_FireMacro");
    ASSERT_TRUE(names && lines);
    // The recorder's lists, which the page keeps for its hidden mode.
    names->show();
    lines->show();
    // Fire macro 2: loop, left down, delay, move, delay, left up, delay, loop end.
    names->setCurrentRow(1);
    emit names->itemClicked(names->item(1));
    ASSERT_EQ(lines->count(), 8);
    const QImage shot = Shot(*lines, 1);
    const QFontMetrics font(lines->font());
    for (int i = 0; i < lines->count(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        const QRgb back =
            lines->palette().color(i == 1 ? QPalette::Highlight : QPalette::Base).rgb();
        ExpectIconRow(shot, lines->visualItemRect(lines->item(i)), back, font);
    }
    ExpectIconsByType(shot, *lines, {7, -1, 0, 3, 0, 2, 0, 8});
}

} // namespace
} // namespace trvx
