#include "controls/skinned/ui/SkinButton.h"
#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"
#include "support/EventWaiting.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

namespace trvx {
namespace {

void Press(QWidget* w, QEvent::Type type, Qt::MouseButton button = Qt::LeftButton) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent e(type, at, w->mapToGlobal(at), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void Enter(QWidget* w) {
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(w, &e);
}

void Leave(QWidget* w) {
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
}

// Pixel (x, y) of frame `frame` of the WinXP button picture: inside the top-left corner piece,
// which the nine-piece drawing copies unscaled.
QRgb XpFramePixel(int frame, int x, int y) {
    return ExtractBitmapFrame(StyleBitmap("WINXP_BUTTON"), 3, frame).pixel(x, y);
}

TEST(SkinButton, FaceShowsTheFrameOfEachState) {
    QWidget form;
    SkinButton button(&form, QStringLiteral("Btn_Test"));
    EXPECT_EQ(button.objectName(), QStringLiteral("Btn_Test"));
    button.setUIStyle(SkinUIStyle::WinXP);
    button.setGeometry(0, 0, 80, 20);
    // (1, 5): the hover ring in frame 2, the face elsewhere.
    EXPECT_EQ(button.renderFace().pixel(1, 5), XpFramePixel(1, 1, 5));
    Enter(&button);
    EXPECT_TRUE(button.isMouseOver());
    EXPECT_EQ(button.renderFace().pixel(1, 5), XpFramePixel(2, 1, 5));
    button.setDown(true);
    EXPECT_EQ(button.renderFace().pixel(1, 5), XpFramePixel(3, 1, 5));
    button.setDown(false);
    button.setEnabled(false); // disabled shows frame 1 whatever the mouse does
    EXPECT_EQ(button.renderFace().pixel(1, 5), XpFramePixel(1, 1, 5));
    button.setEnabled(true);
    Leave(&button);
    EXPECT_FALSE(button.isMouseOver());
    EXPECT_EQ(button.renderFace().pixel(1, 5), XpFramePixel(1, 1, 5));
    EXPECT_NE(XpFramePixel(1, 1, 5), XpFramePixel(2, 1, 5));
}

bool HasPixel(const QImage& image, QRgb color) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == color)
                return true;
    return false;
}

TEST(SkinButton, DisabledCaptionIsEmbossed) {
    // DeepBlue's face holds neither pure white nor mid grey, so these can only be the caption.
    SkinButton button;
    button.setUIStyle(SkinUIStyle::DeepBlue);
    button.setGeometry(0, 0, 120, 27);
    QFont f = button.font();
    f.setPixelSize(20);
    button.setFont(f);
    button.setCaption(QStringLiteral("IIII"));
    EXPECT_FALSE(HasPixel(button.renderFace(), qRgb(0xFF, 0xFF, 0xFF)));
    EXPECT_FALSE(HasPixel(button.renderFace(), qRgb(0x80, 0x80, 0x80)));
    button.setEnabled(false);
    const QImage face = button.renderFace();
    EXPECT_TRUE(HasPixel(face, qRgb(0xFF, 0xFF, 0xFF)));
    EXPECT_TRUE(HasPixel(face, qRgb(0x80, 0x80, 0x80)));
}

TEST(SkinButton, LookSetsTransparencyAndFormGivesTheStartingLook) {
    QWidget form;
    QWidget* frame = new QWidget(&form);
    frame->setProperty(kSkinFormStyleProperty, int(SkinUIStyle::WinXP));
    SkinButton onFramedForm(&form);
    EXPECT_EQ(onFramedForm.uiStyle(), SkinUIStyle::WinXP);
    SkinButton plain;
    EXPECT_EQ(plain.uiStyle(), SkinUIStyle::DeepBlue);
    EXPECT_EQ(plain.size(), QSize(80, 27));
    plain.setUIStyle(SkinUIStyle::MacOS);
    EXPECT_TRUE(plain.isTransparent());
    plain.setUIStyle(SkinUIStyle::WinXP);
    EXPECT_FALSE(plain.isTransparent());
    plain.setUIStyle(SkinUIStyle::BlueGlass);
    EXPECT_TRUE(plain.isTransparent());
}

TEST(SkinButton, AutoSizeTakesOneFrameOfTheStoredLooksPicture) {
    SkinButton button;
    button.setUIStyle(SkinUIStyle::WinXP);
    button.setAutoSize(true);
    EXPECT_EQ(button.size(), QSize(18, 21));
    button.setUIStyle(SkinUIStyle::MacOS);
    button.setAutoSize(true);
    EXPECT_EQ(button.size(), QSize(84, 23));
    // Not resolved to DeepBlue: no picture, so the fallback of 74 x 21 counts.
    button.setUIStyle(SkinUIStyle::FromThemeFile);
    button.setAutoSize(true);
    EXPECT_EQ(button.size(), QSize(24, 21));
}

TEST(SkinButton, ClickRunsClickedAndSetsTheModalResult) {
    QDialog dialog;
    SkinButton ok(&dialog, QStringLiteral("btn1"));
    ok.setModalResult(1);
    SkinButton cancel(&dialog, QStringLiteral("btn2"));
    cancel.setModalResult(2);
    cancel.setCancel(true);
    int okClicks = 0;
    QObject::connect(&ok, &QAbstractButton::clicked, [&] { ++okClicks; });

    QTimer::singleShot(0, &ok, [&] { ok.click(); });
    EXPECT_EQ(dialog.exec(), 1);
    EXPECT_EQ(okClicks, 1);
    QTimer::singleShot(0, &cancel, [&] { cancel.click(); });
    EXPECT_EQ(dialog.exec(), 2);

    // Outside a modal dialog the result changes nothing.
    QWidget window;
    SkinButton plain(&window);
    plain.setModalResult(1);
    int clicks = 0;
    QObject::connect(&plain, &QAbstractButton::clicked, [&] { ++clicks; });
    Press(&plain, QEvent::MouseButtonPress);
    Press(&plain, QEvent::MouseButtonRelease);
    EXPECT_EQ(clicks, 1);
}

TEST(SkinButton, EnterClicksTheFocusedButtonNotTheDefault) {
    QDialog dialog;
    SkinButton def(&dialog);
    def.setDefault(true);
    SkinButton other(&dialog);
    int defClicks = 0, otherClicks = 0;
    QObject::connect(&def, &QAbstractButton::clicked, [&] { ++defClicks; });
    QObject::connect(&other, &QAbstractButton::clicked, [&] { ++otherClicks; });
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(&other, &enter);
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(defClicks, 0);
}

TEST(SkinButton, HoldingTheButtonRepeatsUntilReleased) {
    SkinButton button;
    button.setMouseContinuouslyDownInterval(1);
    int repeats = 0, entered = 0, exited = 0;
    QObject::connect(&button, &SkinButton::mouseContinuouslyDown, [&] { ++repeats; });
    QObject::connect(&button, &SkinButton::mouseEntered, [&] { ++entered; });
    QObject::connect(&button, &SkinButton::mouseExited, [&] { ++exited; });
    Enter(&button);
    Press(&button, QEvent::MouseButtonPress);
    EXPECT_TRUE(test::ProcessEventsUntil([&] { return repeats >= 3; }));
    Press(&button, QEvent::MouseButtonRelease);
    const int atRelease = repeats;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 30)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(repeats, atRelease);
    Leave(&button);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(exited, 1);
}

TEST(SkinButton, MacLookShowsFocusWithoutARectangle) {
    QWidget window;
    window.resize(200, 100);
    SkinButton mac(&window);
    mac.setUIStyle(SkinUIStyle::MacOS);
    mac.setTransparent(false);
    mac.setGeometry(0, 0, 80, 23);
    SkinButton xp(&window);
    xp.setUIStyle(SkinUIStyle::WinXP);
    xp.setGeometry(0, 30, 80, 21);
    window.show();
    QApplication::setActiveWindow(&window);

    const QImage macBefore = mac.renderFace();
    const QImage xpBefore = xp.renderFace();
    mac.setFocus();
    if (!mac.hasFocus())
        GTEST_SKIP() << "the platform gives no focus";
    EXPECT_EQ(mac.renderFace(), macBefore); // no caption, so bold changes nothing
    xp.setFocus();
    EXPECT_NE(xp.renderFace(), xpBefore); // the dotted rectangle
}

TEST(SkinButton, TwoFrameGlyphShowsItsRightHalfWhenDisabled) {
    QImage glyph(16, 8, QImage::Format_ARGB32);
    glyph.fill(qRgb(0, 0, 200));
    for (int y = 0; y < 8; ++y)
        for (int x = 8; x < 16; ++x)
            glyph.setPixel(x, y, qRgb(0, 200, 0));
    // Each frame is keyed by its top-left pixel.
    glyph.setPixel(0, 0, kSkinKeyColor);
    glyph.setPixel(8, 0, kSkinKeyColor);
    SkinButton button;
    button.setUIStyle(SkinUIStyle::WinXP);
    button.setGeometry(0, 0, 80, 20);
    button.setGlyph(glyph);
    // No caption: glyph X = (80 - 8 - 0 - 4) / 2 = 34, Y = (20 - 8) / 2 = 6.
    EXPECT_EQ(button.renderFace().pixel(34 + 4, 6 + 4), qRgb(0, 0, 200));
    button.setEnabled(false);
    EXPECT_EQ(button.renderFace().pixel(34 + 4, 6 + 4), qRgb(0, 200, 0));
}

} // namespace
} // namespace trvx
