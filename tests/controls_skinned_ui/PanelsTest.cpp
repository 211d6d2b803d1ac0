// Panels, group boxes, the rectangle shape and the tray icon as widgets: the pixels that show
// the right frame was drawn, looks and their colours, transparency over the parent, setters
// that repaint only on a change, and children's enabled state.

#include "controls/skinned/ui/BorderlessGroupBox.h"
#include "controls/skinned/ui/BorderlessPanel.h"
#include "controls/skinned/ui/GroupBox.h"
#include "controls/skinned/ui/RectShape.h"
#include "controls/skinned/ui/TrayIcon.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

namespace trvx {
namespace {

QColor rgb(SkinColor c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

// A parent whose whole face is one colour, so transparency shows as that colour.
struct Backdrop : QWidget {
    explicit Backdrop(QColor c) {
        QPalette p = palette();
        p.setColor(QPalette::Window, c);
        setPalette(p);
        setAutoFillBackground(true);
        resize(300, 200);
    }
};

// Counts the paints a widget receives.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

QImage shotOf(QWidget& top, QWidget& child) {
    return top.grab(child.geometry()).toImage();
}

TEST(SkinGroupBoxTest, LookSetsBorderAndFontColoursAndReachesTheChildren) {
    SkinGroupBox box;
    SkinGroupBox inner(&box);
    box.setUIStyle(SkinUIStyle::WinXP);
    EXPECT_EQ(box.borderColor(), 0x686868u);
    EXPECT_EQ(box.palette().color(QPalette::WindowText), rgb(0xCF4602));
    EXPECT_EQ(inner.uiStyle(), SkinUIStyle::WinXP);
    box.setUIStyle(SkinUIStyle::DeepBlue);
    EXPECT_EQ(box.borderColor(), 0x000000u);
    EXPECT_EQ(box.palette().color(QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(inner.uiStyle(), SkinUIStyle::DeepBlue);
    // The program's boxes are WinXP with their border colour set after the look.
    box.setUIStyle(SkinUIStyle::WinXP);
    box.setBorderColor(0x686868);
    EXPECT_EQ(box.size(), QSize(185, 105));
}

TEST(SkinGroupBoxTest, FrameSitsHalfALineDownWithAGapOnlyForACaption) {
    Backdrop back(Qt::white);
    auto* box = new SkinGroupBox(&back);
    QFont f = box->font();
    f.setPixelSize(9);
    box->setFont(f);
    box->setBorderColor(0x0000FF); // red
    box->move(10, 10);
    const QColor red(255, 0, 0);
    QImage img = shotOf(back, *box);
    EXPECT_EQ(img.pixelColor(0, 50), red);
    EXPECT_EQ(img.pixelColor(184, 104), red);
    EXPECT_NE(img.pixelColor(0, 4), red) << "the frame starts at 9 div 2 + 1";
    EXPECT_EQ(img.pixelColor(3, 5), red) << "no caption: the top line is closed";
    EXPECT_EQ(img.pixelColor(90, 5), red);

    box->setCaption("Combo Key");
    img = shotOf(back, *box);
    EXPECT_NE(img.pixelColor(3, 5), red) << "the caption's gap begins two pixels in";
    EXPECT_EQ(img.pixelColor(1, 5), red);
    EXPECT_EQ(img.pixelColor(150, 5), red);

    const QMargins m = box->contentsMargins();
    EXPECT_EQ(m, QMargins(3, 14, 3, 3));
}

TEST(SkinGroupBoxTest, TransparentShowsTheParentElseItsColour) {
    Backdrop back(Qt::yellow);
    auto* box = new SkinGroupBox(&back);
    box->move(20, 20);
    box->setTransparent(true);
    EXPECT_EQ(shotOf(back, *box).pixelColor(90, 60), QColor(Qt::yellow));
    box->setTransparent(false);
    QPalette p = box->palette();
    p.setColor(QPalette::Window, Qt::cyan);
    box->setPalette(p);
    EXPECT_EQ(shotOf(back, *box).pixelColor(90, 60), QColor(Qt::cyan));
}

TEST(SkinPanelTest, PictureOnceStretchedOrTiledAndNothingFromAnEmptyOne) {
    Backdrop back(Qt::yellow);
    auto* panel = new SkinImagePanel(&back);
    panel->resize(10, 10);
    QImage pic(2, 2, QImage::Format_RGB32);
    pic.fill(Qt::blue);
    pic.setPixel(0, 0, qRgb(255, 0, 0));
    panel->setPicture(pic);
    panel->setTransparent(true);
    QImage img = shotOf(back, *panel);
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(5, 5), QColor(Qt::yellow));

    panel->setDrawStyle(SkinDrawStyle::skTile);
    img = shotOf(back, *panel);
    EXPECT_EQ(img.pixelColor(4, 4), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(5, 5), QColor(Qt::blue));

    panel->setDrawStyle(SkinDrawStyle::skStretch);
    img = shotOf(back, *panel);
    EXPECT_EQ(img.pixelColor(4, 4), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(5, 5), QColor(Qt::blue));

    panel->setDrawStyle(SkinDrawStyle::skTile);
    panel->setPicture(QImage(0, 4, QImage::Format_RGB32));
    EXPECT_EQ(shotOf(back, *panel).pixelColor(5, 5), QColor(Qt::yellow));

    panel->setAutoSize(true);
    panel->setPicture(QImage(7, 3, QImage::Format_RGB32));
    EXPECT_EQ(panel->size(), QSize(7, 3));
}

TEST(RectShapeTest, ShapeAndShadowPixels) {
    Backdrop back(Qt::white);
    auto* shape = new RectShape(&back);
    shape->resize(48, 48);
    shape->setBrushColor(Qt::red);
    shape->setShadowColor(Qt::gray);
    const QColor black(Qt::black), red(Qt::red), gray(Qt::gray), white(Qt::white);

    shape->setShadow(false);
    QImage img = shotOf(back, *shape);
    EXPECT_EQ(img.pixelColor(0, 0), black);
    EXPECT_EQ(img.pixelColor(47, 47), black);
    EXPECT_EQ(img.pixelColor(24, 24), red);

    shape->setShadow(true);
    img = shotOf(back, *shape);
    EXPECT_EQ(img.pixelColor(0, 0), black);
    EXPECT_EQ(img.pixelColor(45, 45), black);
    EXPECT_EQ(img.pixelColor(46, 46), gray) << "the shadow shows below and right";
    EXPECT_EQ(img.pixelColor(47, 47), gray);
    EXPECT_EQ(img.pixelColor(47, 0), white);

    // A clear pen: the fill alone, one pixel smaller.
    shape->setShadow(false);
    shape->setPenStyle(TPenStyle::psClear);
    img = shotOf(back, *shape);
    EXPECT_EQ(img.pixelColor(0, 0), red);
    EXPECT_EQ(img.pixelColor(46, 46), red);
    EXPECT_EQ(img.pixelColor(47, 47), white);

    shape->setVisible(false);
    EXPECT_EQ(back.grab().toImage().pixelColor(24, 24), white);
}

TEST(RectShapeTest, SettingAValueItAlreadyHasDoesNotRepaint) {
    Backdrop back(Qt::white);
    auto* shape = new RectShape(&back);
    PaintCounter counter;
    shape->installEventFilter(&counter);
    back.show();
    QApplication::processEvents();
    const int base = counter.paints;
    shape->setShadowOffset(2);
    shape->setShadow(true);
    shape->setBrushColor(Qt::white);
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, base);
    shape->setBrushColor(Qt::red);
    QApplication::processEvents();
    EXPECT_GT(counter.paints, base);
}

TEST(PlainPanelTest, OneRingOfBorderColourAroundItsColourWithChildrenInside) {
    Backdrop back(Qt::white);
    auto* panel = new PlainPanel(&back);
    panel->setGeometry(10, 10, 60, 40);
    panel->setBorderOuter(TFrameStyleEx::fsNone);
    panel->setBorderWidth(1);
    panel->setBorderColor(Qt::blue);
    panel->setColor(Qt::green);
    QImage img = shotOf(back, *panel);
    for (QPoint p : {QPoint(0, 0), QPoint(59, 0), QPoint(0, 39), QPoint(59, 39), QPoint(30, 0)})
        EXPECT_EQ(img.pixelColor(p), QColor(Qt::blue)) << p.x() << "," << p.y();
    EXPECT_EQ(img.pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(img.pixelColor(58, 38), QColor(Qt::green));
    EXPECT_EQ(panel->contentsMargins(), QMargins(1, 1, 1, 1));
}

TEST(PlainPanelTest, AChildDisabledBeforeStaysDisabledAfterTheRoundTrip) {
    PlainPanel panel;
    QWidget* wasOff = new QWidget(&panel);
    QWidget* wasOn = new QWidget(&panel);
    wasOff->setEnabled(false);
    panel.setEnabled(false);
    EXPECT_FALSE(wasOn->isEnabled());
    panel.setEnabled(true);
    EXPECT_TRUE(wasOn->isEnabled());
    EXPECT_FALSE(wasOff->isEnabled());
}

TEST(PlainGroupBoxTest, TransparentShowsWhatLiesBehindWhereverItMoves) {
    Backdrop back(Qt::white);
    QPalette p = back.palette();
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::red);
    {
        QPainter painter(&picture);
        painter.fillRect(150, 0, 150, 200, Qt::blue);
    }
    p.setBrush(QPalette::Window, QBrush(picture));
    back.setPalette(p);
    auto* box = new PlainGroupBox(&back);
    box->setBorderStyle(TPlainBorderStyle::bsNone);
    box->setGeometry(10, 10, 50, 50);
    EXPECT_EQ(shotOf(back, *box).pixelColor(25, 25), QColor(Qt::red));
    box->move(200, 10);
    EXPECT_EQ(shotOf(back, *box).pixelColor(25, 25), QColor(Qt::blue));

    box->setTransparent(false);
    box->setColor(QColor(0xE7, 0xE7, 0xE7));
    EXPECT_EQ(shotOf(back, *box).pixelColor(25, 25), QColor(0xE7, 0xE7, 0xE7));
    EXPECT_EQ(box->contentsMargins(), QMargins(2, 2, 2, 2));
}

TEST(PlainGroupBoxTest, SingleBorderInItsColour) {
    Backdrop back(Qt::white);
    auto* box = new PlainGroupBox(&back);
    box->setGeometry(10, 10, 50, 50);
    EXPECT_EQ(box->borderColor(), QColor(0xC0, 0xC0, 0xC0));
    QImage img = shotOf(back, *box);
    EXPECT_EQ(img.pixelColor(0, 25), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(img.pixelColor(49, 49), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(img.pixelColor(25, 25), QColor(Qt::white));
}

TEST(TrayIconTest, HonestWithoutATrayAndTipFollowsHintRules) {
    QWidget owner;
    TrayIcon tray(&owner);
    QPixmap pix(16, 16);
    pix.fill(Qt::red);
    QIcon icon(pix);
    tray.setIcon(icon);
    icon = QIcon(); // the tray keeps its own copy
    EXPECT_FALSE(tray.icon().isNull());
    EXPECT_TRUE(tray.iconVisible());
    EXPECT_EQ(tray.inTray(), QSystemTrayIcon::isSystemTrayAvailable());

    tray.setHint("");
    EXPECT_EQ(tray.tip(), "");
    tray.setHint(QString(200, QChar(u'\u4E2D')));
    EXPECT_EQ(tray.tip(), QString(127, QChar(u'\u4E2D')));
    tray.setShowHint(false);
    EXPECT_EQ(tray.tip(), "");
    tray.setIconVisible(false);
    EXPECT_FALSE(tray.inTray());
}

} // namespace
} // namespace trvx
