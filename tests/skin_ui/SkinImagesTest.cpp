// The skin image cache: its own PNG decoder against Qt's, pictures decoded when first shown,
// the cached window outline and the control lookup by name.
#include "skin/ui/SkinImages.h"
#include "skin/LayoutText.h"
#include "skin/PngDecode.h"
#include "skin/ui/LayoutPass.h"
#include "skin/ui/MainWindowControls.h"
#include "skin/ui/SkinPicture.h"

#include <QBitmap>

#include <gtest/gtest.h>

#include <vector>

namespace trvx {
namespace {

// Every embedded PNG: the skin art of both styles and the message box.
std::vector<std::string> skinArtNames() {
    std::vector<std::string> names;
    for (int set = 1; set <= 2; ++set) {
        for (const char* part : {"BackGround", "Back1", "Back2", "Back3", "Back4", "Back5"})
            names.push_back("L" + std::to_string(set) + "_" + part);
    }
    for (const char* name : {"SetS_01", "SetS_03", "KeyS_01", "WebS_01", "Msg", "Update",
                             "InsertXYBase", "Gun1_02", "GunMode5", "CbS_D", "Col_F"})
        names.push_back(name);
    return names;
}

TEST(SkinImages, DecodeAsQtDoesInterlacedOrNotWithOrWithoutAlpha) {
    for (const std::string& name : skinArtNames()) {
        SCOPED_TRACE(name);
        const auto bytes = FindTextResource(name);
        ASSERT_FALSE(bytes.empty());
        QImage byQt;
        ASSERT_TRUE(byQt.loadFromData(bytes.data(), static_cast<int>(bytes.size()), "PNG"));
        const QImage ours = SkinImage(name);
        ASSERT_EQ(ours.size(), byQt.size());
        // Opaque art comes as RGB32: the same pixels.
        EXPECT_EQ(ours.convertToFormat(QImage::Format_ARGB32),
                  byQt.convertToFormat(QImage::Format_ARGB32));
        EXPECT_EQ(SkinImageSize(name), byQt.size());
    }
}

TEST(SkinImages, CorruptOrForeignDataIsRefused) {
    const auto good = FindTextResource("L1_Back1"); // interlaced
    std::vector<std::uint8_t> bytes(good.begin(), good.end());
    auto target = [](std::vector<std::uint32_t>& pixels) {
        return [&pixels](const PngHeader& h) {
            pixels.assign(static_cast<std::size_t>(h.width) * h.height, 0);
            return PngTarget{reinterpret_cast<std::uint8_t*>(pixels.data()),
                             static_cast<std::ptrdiff_t>(h.width) * 4};
        };
    };
    std::vector<std::uint32_t> pixels;
    EXPECT_EQ(DecodePng(bytes, target(pixels)), PngDecodeResult::Decoded);
    // Cut short, a flipped byte in the image data, not a PNG at all, no room given.
    const std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + bytes.size() / 2);
    EXPECT_EQ(DecodePng(cut, target(pixels)), PngDecodeResult::Failed);
    std::vector<std::uint8_t> flipped = bytes;
    flipped[bytes.size() / 2] ^= 0x40;
    EXPECT_EQ(DecodePng(flipped, target(pixels)), PngDecodeResult::Failed);
    const std::vector<std::uint8_t> text = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g', '!'};
    EXPECT_EQ(DecodePng(text, target(pixels)), PngDecodeResult::Failed);
    EXPECT_EQ(DecodePng(bytes, [](const PngHeader&) { return PngTarget{}; }),
              PngDecodeResult::Failed);
    EXPECT_FALSE(SkinImageSize("NoSuchPicture").isValid());
}

TEST(SkinImages, APictureTakesItsSizeAtOnceAndItsPixelsWhenShown) {
    QWidget window;
    auto* pic = new SkinPicture(&window);
    ASSERT_TRUE(pic->setSkinPicture("L2_Back4"));
    EXPECT_EQ(pic->size(), QSize(850, 374));
    window.show(); // starts the decoding on a worker
    EXPECT_EQ(pic->picture().cacheKey(), SkinImage("L2_Back4").cacheKey());
    // An unknown name changes nothing; a plain image replaces the named one.
    EXPECT_FALSE(pic->setSkinPicture("NoSuchPicture"));
    EXPECT_EQ(pic->picture().cacheKey(), SkinImage("L2_Back4").cacheKey());
    pic->setPicture(QImage(7, 3, QImage::Format_RGB32));
    EXPECT_EQ(pic->size(), QSize(7, 3));
    EXPECT_EQ(pic->picture().size(), QSize(7, 3));
}

TEST(SkinImages, APictureThatTakesNoClicksShowsFaded) {
    // A white picture on a black window: enabled it covers the window, disabled (by itself or
    // by its parent) the black shows through.
    QWidget window;
    window.setAutoFillBackground(true);
    window.setPalette(QPalette(Qt::black));
    auto* box = new QWidget(&window);
    auto* pic = new SkinPicture(box);
    QImage white(4, 4, QImage::Format_RGB32);
    white.fill(Qt::white);
    pic->setPicture(white);
    window.resize(8, 8);
    const auto shown = [&] { return window.grab().toImage().pixelColor(1, 1).red(); };
    EXPECT_EQ(shown(), 255);
    pic->setEnabled(false);
    EXPECT_NEAR(shown(), 255 * SkinPicture::kDisabledOpacity, 2);
    pic->setEnabled(true);
    EXPECT_EQ(shown(), 255);
    box->setEnabled(false);
    EXPECT_NEAR(shown(), 255 * SkinPicture::kDisabledOpacity, 2);
}

TEST(SkinImages, TheOutlineIsTheBackgroundLessItsKeyColour) {
    const QRgb key = 0xFF800000;
    const QImage background = SkinImage(kSkinBackground);
    const QRegion expected(QBitmap::fromImage(
        background.convertToFormat(QImage::Format_RGB32).createMaskFromColor(key)));
    EXPECT_EQ(SkinShapeMask(kSkinBackground, key), expected);
    EXPECT_EQ(SkinShapeMask("l1_background", key), expected);
    EXPECT_TRUE(SkinShapeMask("NoSuchPicture", key).isEmpty());
}

TEST(SkinImages, ControlsAreFoundByNameAfterTheyMoveAreRenamedOrGo) {
    QWidget form;
    auto* page = new QWidget(&form);
    auto* a = new QWidget(page);
    a->setObjectName("A");
    auto* b = new QWidget(&form);
    b->setObjectName("B");
    EXPECT_EQ(FindControl(form, "A"), a);
    EXPECT_EQ(FindControl(form, "B"), b);
    EXPECT_EQ(FindControl(form, "C"), nullptr);
    // Created later, renamed, moved out, deleted.
    auto* c = new QWidget(page);
    c->setObjectName("C");
    EXPECT_EQ(FindControl(form, "C"), c);
    a->setObjectName("A2");
    EXPECT_EQ(FindControl(form, "A"), nullptr);
    EXPECT_EQ(FindControl(form, "A2"), a);
    QWidget elsewhere;
    b->setParent(&elsewhere);
    EXPECT_EQ(FindControl(form, "B"), nullptr);
    delete c;
    EXPECT_EQ(FindControl(form, "C"), nullptr);
    // A name two controls share is found as findChild finds it: the shallower one first.
    QWidget shared;
    auto* deep = new QWidget(new QWidget(&shared));
    deep->setObjectName("Same");
    auto* top = new QWidget(&shared);
    top->setObjectName("Same");
    EXPECT_EQ(FindControl(shared, "Same"), top);
    delete top;
    EXPECT_EQ(FindControl(shared, "Same"), deep);
}

} // namespace
} // namespace trvx
