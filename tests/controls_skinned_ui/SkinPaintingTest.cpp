#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

namespace trvx {
namespace {

// Every pixel a different colour (never fuchsia), so a misplaced piece shows.
QImage Distinct(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x * 8, y * 8, 100));
    return img;
}

QImage Canvas(int w, int h, QRgb fill = qRgb(1, 2, 3)) {
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(fill);
    return img;
}

TEST(DrawNinePatch, SameSizeReproducesTheImageOutsideTheMiddle) {
    const QImage src = Distinct(21, 21);
    QImage out = Canvas(21, 21);
    {
        QPainter p(&out);
        DrawNinePatch(p, src, QRect(0, 0, 21, 21), false);
    }
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x) {
            if ((x >= 9 && x <= 11) || y == 10 || y == 11)
                continue; // the stretched middle column and row
            ASSERT_EQ(out.pixel(x, y), src.pixel(x, y)) << x << "," << y;
        }
}

TEST(DrawNinePatch, SmallRectangleKeepsEachCornerFromItsCorner) {
    const QImage src = Distinct(21, 21);
    QImage out = Canvas(14, 14);
    {
        QPainter p(&out);
        DrawNinePatch(p, src, QRect(2, 2, 10, 10), false);
    }
    EXPECT_EQ(out.pixel(2, 2), src.pixel(0, 0));
    EXPECT_EQ(out.pixel(11, 2), src.pixel(20, 0));
    EXPECT_EQ(out.pixel(2, 11), src.pixel(0, 20));
    EXPECT_EQ(out.pixel(11, 11), src.pixel(20, 20));
    EXPECT_EQ(out.pixel(1, 1), qRgb(1, 2, 3)); // nothing outside the rectangle
    EXPECT_EQ(out.pixel(12, 12), qRgb(1, 2, 3));
}

TEST(DrawNinePatch, FuchsiaIsSeeThroughInEdgesAlwaysAndInCornersWhenMasked) {
    QImage src = Distinct(21, 21);
    src.setPixel(0, 0, kSkinKeyColor);   // corner
    src.setPixel(10, 0, kSkinKeyColor);  // top edge
    src.setPixel(10, 10, kSkinKeyColor); // centre
    for (bool masked : {false, true}) {
        QImage out = Canvas(41, 41);
        {
            QPainter p(&out);
            DrawNinePatch(p, src, QRect(0, 0, 41, 41), masked);
        }
        EXPECT_EQ(out.pixel(0, 0), masked ? qRgb(1, 2, 3) : kSkinKeyColor) << masked;
        EXPECT_EQ(out.pixel(15, 0), qRgb(1, 2, 3)) << masked;
        EXPECT_EQ(out.pixel(15, 15), qRgb(1, 2, 3)) << masked;
    }
}

TEST(DrawThreePart, EndsFromTheEndFramesKeyFromCornerPixel) {
    // Three frames of 4 x 3; the top-left pixel is the key.
    QImage src(12, 3, QImage::Format_ARGB32);
    src.fill(qRgb(200, 0, 0));
    for (int y = 0; y < 3; ++y)
        for (int x = 4; x < 8; ++x)
            src.setPixel(x, y, qRgb(0, 200, 0));
    for (int y = 0; y < 3; ++y)
        for (int x = 8; x < 12; ++x)
            src.setPixel(x, y, qRgb(0, 0, 200));
    src.setPixel(0, 0, qRgb(9, 9, 9));
    QImage out = Canvas(30, 3);
    {
        QPainter p(&out);
        DrawThreePart(p, src, QRect(0, 0, 30, 3), KeyColorSource::TopLeftPixel);
    }
    EXPECT_EQ(out.pixel(0, 0), qRgb(1, 2, 3)); // keyed out
    EXPECT_EQ(out.pixel(1, 0), qRgb(200, 0, 0));
    EXPECT_EQ(out.pixel(15, 1), qRgb(0, 200, 0));
    EXPECT_EQ(out.pixel(29, 2), qRgb(0, 0, 200));
}

TEST(DrawTiled, TilesFromTheOriginAndZeroSizeDrawsNothing) {
    QImage tile(3, 2, QImage::Format_ARGB32);
    tile.fill(qRgb(50, 60, 70));
    tile.setPixel(0, 0, qRgb(255, 255, 255));
    QImage out = Canvas(8, 5);
    {
        QPainter p(&out);
        DrawTiled(p, tile, QRect(0, 0, 7, 4));
    }
    EXPECT_EQ(out.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(out.pixel(6, 2), qRgb(255, 255, 255));
    EXPECT_EQ(out.pixel(7, 3), qRgb(50, 60, 70)); // the last tile overhangs the rectangle

    QImage untouched = Canvas(8, 5);
    {
        QPainter p(&untouched);
        DrawTiled(p, QImage(), QRect(0, 0, 7, 4)); // must return, not loop
    }
    EXPECT_EQ(untouched, Canvas(8, 5));
}

TEST(ExtractBitmapFrame, ThreeFramesOfAFiftyFourPixelStrip) {
    const QImage strip = Distinct(54, 21);
    const QImage third = ExtractBitmapFrame(strip, 3, 3);
    ASSERT_EQ(third.size(), QSize(18, 21));
    EXPECT_EQ(third.pixel(0, 0), strip.pixel(36, 0));
    EXPECT_EQ(third.pixel(17, 20), strip.pixel(53, 20));
    EXPECT_TRUE(ExtractBitmapFrame(strip, 0, 1).isNull());
    EXPECT_TRUE(ExtractBitmapFrame(strip, 3, 0).isNull());
    EXPECT_TRUE(ExtractBitmapFrame(strip, 3, 4).isNull());
    EXPECT_TRUE(ExtractBitmapFrame(QImage(), 3, 1).isNull());
}

TEST(RotateBitmapHalf, MovesCornersAndTwiceRestores) {
    const QImage src = Distinct(7, 4);
    QImage img = src;
    RotateBitmapHalf(img);
    EXPECT_EQ(img.size(), src.size());
    EXPECT_EQ(img.pixel(6, 3), src.pixel(0, 0));
    EXPECT_EQ(img.pixel(0, 0), src.pixel(6, 3));
    RotateBitmapHalf(img);
    EXPECT_EQ(img, src);
}

TEST(DrawMasked, KeyColourLeftOut) {
    QImage src(2, 1, QImage::Format_ARGB32);
    src.setPixel(0, 0, qRgb(128, 0, 0));
    src.setPixel(1, 0, qRgb(0, 0, 255));
    QImage out = Canvas(2, 1);
    {
        QPainter p(&out);
        DrawMasked(p, QPoint(0, 0), src, PixelKey(src, {0, 0}));
    }
    EXPECT_EQ(out.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(out.pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_FALSE(PixelKey(src, {2, 0}));
}

TEST(DrawControlBorder, OuterAndInnerRings) {
    QImage out = Canvas(6, 5);
    {
        QPainter p(&out);
        DrawControlBorder(p, QRect(0, 0, 6, 5), QColor(255, 0, 0), QColor(0, 255, 0));
    }
    for (QPoint pt : {QPoint(0, 0), QPoint(5, 0), QPoint(0, 4), QPoint(5, 4), QPoint(3, 0)})
        EXPECT_EQ(out.pixel(pt), qRgb(255, 0, 0)) << pt.x() << "," << pt.y();
    for (QPoint pt : {QPoint(1, 1), QPoint(4, 1), QPoint(1, 3), QPoint(4, 3)})
        EXPECT_EQ(out.pixel(pt), qRgb(0, 255, 0)) << pt.x() << "," << pt.y();
    EXPECT_EQ(out.pixel(2, 2), qRgb(1, 2, 3));
}

class StripedParent : public QWidget {
public:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(10, 20, 30));
        p.fillRect(QRect(0, 15, width(), 5), QColor(200, 100, 0));
    }
};

TEST(PaintParentBackground, ShowsWhatTheParentPaintsUnderTheControl) {
    StripedParent parent;
    parent.resize(100, 50);
    QWidget child(&parent);
    child.setGeometry(10, 10, 30, 20);
    QImage buffer = Canvas(30, 20);
    {
        QPainter p(&buffer);
        PaintParentBackground(p, &child);
    }
    EXPECT_EQ(buffer.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(buffer.pixel(5, 6), qRgb(200, 100, 0)); // parent row 16
    EXPECT_EQ(buffer.pixel(5, 12), qRgb(10, 20, 30));

    QImage alone = Canvas(4, 4);
    {
        QPainter p(&alone);
        QWidget orphan;
        PaintParentBackground(p, &orphan); // no parent: nothing happens
    }
    EXPECT_EQ(alone, Canvas(4, 4));
}

TEST(StyleLooks, FromThemeFileDrawsAsDeepBlue) {
    EXPECT_EQ(EffectiveLook(SkinUIStyle::FromThemeFile), SkinUIStyle::DeepBlue);
    EXPECT_EQ(EffectiveLook(static_cast<SkinUIStyle>(9)), SkinUIStyle::DeepBlue);
    EXPECT_EQ(EffectiveLook(SkinUIStyle::MacOS), SkinUIStyle::MacOS);
    EXPECT_EQ(StyleColor(SkinUIStyle::FromThemeFile, theme::kControlBorderColor),
              StyleColor(SkinUIStyle::DeepBlue, theme::kControlBorderColor));
    EXPECT_EQ(StyleColor(SkinUIStyle::WinXP, theme::kControlBorderColor), QColor(0x68, 0x68, 0x68));
    // 0xDEEBEF is blue DE, green EB, red EF.
    EXPECT_EQ(StyleColor(SkinUIStyle::WinXP, theme::kFormBackgroundColor),
              QColor(0xEF, 0xEB, 0xDE));
    EXPECT_TRUE(StyleBool(SkinUIStyle::MacOS, theme::kButtonTransparentBool));
    EXPECT_FALSE(StyleBool(SkinUIStyle::FromThemeFile, theme::kButtonTransparentBool));
    EXPECT_TRUE(StyleBitmap("NO_SUCH_BITMAP").isNull());
}

TEST(StyleLooks, NewControlsTakeTheLookOfTheFormFrame) {
    QWidget plainForm;
    QWidget* panel = new QWidget(&plainForm);
    EXPECT_EQ(FormUIStyle(panel), SkinUIStyle::DeepBlue);
    EXPECT_EQ(FormUIStyle(nullptr), SkinUIStyle::DeepBlue);

    QWidget framedForm;
    QWidget* other = new QWidget(&framedForm);
    QWidget* frame = new QWidget(&framedForm);
    frame->setProperty(kSkinFormStyleProperty, int(SkinUIStyle::WinXP));
    QWidget* inner = new QWidget(other);
    EXPECT_EQ(FormUIStyle(inner), SkinUIStyle::WinXP);
    EXPECT_EQ(FormUIStyle(&framedForm), SkinUIStyle::WinXP);
}

TEST(FormLoadingScope, MarksTheFormAndItsChildrenWhileItLasts) {
    QWidget form;
    QWidget* child = new QWidget(&form);
    EXPECT_FALSE(IsFormLoading(child));
    {
        FormLoadingScope loading(&form);
        EXPECT_TRUE(IsFormLoading(child));
        { FormLoadingScope nested(&form); }
        EXPECT_TRUE(IsFormLoading(child));
    }
    EXPECT_FALSE(IsFormLoading(child));
}

} // namespace
} // namespace trvx
