#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/skinned/ui/SkinPainting.h"
#include "controls/skinned/ui/StyleBitmaps.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShortcut>
#include <QThread>

#include <gtest/gtest.h>

#include <thread>

namespace trvx {
namespace {

void Mouse(QWidget* w, QEvent::Type type) {
    const QPointF at(3, w->height() / 2.0);
    QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

struct Counter {
    explicit Counter(SkinCheckBox& box) {
        QObject::connect(&box, &SkinCheckBox::clicked, [this] { ++clicks; });
    }
    int clicks = 0;
};

TEST(SkinCheckBox, SettingCheckedRunsClickedOncePerRealChange) {
    SkinCheckBox box(nullptr, QStringLiteral("cb_Test"));
    EXPECT_EQ(box.objectName(), QStringLiteral("cb_Test"));
    Counter c(box);
    box.setChecked(false); // already unchecked
    EXPECT_EQ(c.clicks, 0);
    box.setChecked(true);
    EXPECT_EQ(c.clicks, 1);
    box.setChecked(true);
    EXPECT_EQ(c.clicks, 1);
    box.setChecked(false);
    EXPECT_EQ(c.clicks, 2);
    box.setCheckState(Qt::Checked);
    EXPECT_EQ(c.clicks, 3);
    box.setCheckState(Qt::PartiallyChecked); // unchecks
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(box.checkState(), Qt::Unchecked);
    EXPECT_EQ(c.clicks, 4);
}

TEST(SkinCheckBox, NoClickWhileTheFormLoads) {
    QWidget form;
    SkinCheckBox* box = new SkinCheckBox(&form);
    Counter c(*box);
    {
        FormLoadingScope loading(&form);
        box->setChecked(true);
    }
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(c.clicks, 0);
    box->setChecked(false);
    EXPECT_EQ(c.clicks, 1);
}

TEST(SkinCheckBox, UserClicksAndKeysToggle) {
    SkinCheckBox box;
    Counter c(box);
    Mouse(&box, QEvent::MouseButtonPress);
    Mouse(&box, QEvent::MouseButtonRelease);
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(c.clicks, 1);
    // A double click arrives as press, release, double click, release: two toggles.
    Mouse(&box, QEvent::MouseButtonPress);
    Mouse(&box, QEvent::MouseButtonRelease);
    Mouse(&box, QEvent::MouseButtonDblClick);
    Mouse(&box, QEvent::MouseButtonRelease);
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(c.clicks, 3);
    QKeyEvent space(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&box, &space);
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(c.clicks, 4);
    box.setEnabled(false);
    Mouse(&box, QEvent::MouseButtonPress);
    Mouse(&box, QEvent::MouseButtonRelease);
    EXPECT_FALSE(box.isChecked());
    EXPECT_EQ(c.clicks, 4);
}

TEST(SkinCheckBox, AcceleratorClicksAnEnabledBox) {
    SkinCheckBox box;
    Counter c(box);
    box.setCaption(QStringLiteral("&Fire"));
    auto* accelerator = box.findChild<QShortcut*>();
    ASSERT_NE(accelerator, nullptr);
    EXPECT_EQ(accelerator->key(), QKeySequence::mnemonic(QStringLiteral("&Fire")));
    emit accelerator->activated();
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(c.clicks, 1);
    box.setEnabled(false);
    emit accelerator->activated();
    EXPECT_EQ(c.clicks, 1);
    box.setCaption(QStringLiteral("Fire"));
    EXPECT_TRUE(accelerator->key().isEmpty());
}

TEST(SkinCheckBox, ChangeFromAWorkerThreadIsMadeOnTheUiThread) {
    SkinCheckBox box;
    Counter c(box);
    Qt::HANDLE clickThread = nullptr;
    QObject::connect(&box, &SkinCheckBox::clicked,
                     [&] { clickThread = QThread::currentThreadId(); });
    std::thread worker([&] { box.setChecked(true); });
    worker.join();
    EXPECT_FALSE(box.isChecked()); // not yet: it waits for the UI thread
    QApplication::processEvents();
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(c.clicks, 1);
    EXPECT_EQ(clickThread, QThread::currentThreadId());
}

TEST(SkinCheckBox, GlyphFrameForEachState) {
    SkinCheckBox box;
    box.setUIStyle(SkinUIStyle::WinXP);
    EXPECT_EQ(box.width(), 13 + 8); // AutoSize: picture, empty caption, margins
    const QImage strip = StyleBitmap("WINXP_CHECKBOX");
    auto glyphShown = [&] {
        const int y = (box.height() - 13) / 2;
        return box.renderFace().copy(1, y, 13, 13).convertToFormat(QImage::Format_ARGB32);
    };
    EXPECT_EQ(glyphShown(), ExtractBitmapFrame(strip, 4, 2)); // unchecked
    box.setChecked(true);
    EXPECT_EQ(glyphShown(), ExtractBitmapFrame(strip, 4, 1));
    box.setEnabled(false);
    EXPECT_EQ(glyphShown(), ExtractBitmapFrame(strip, 4, 3));
    box.setChecked(false);
    EXPECT_EQ(glyphShown(), ExtractBitmapFrame(strip, 4, 4));
    box.setUIStyle(SkinUIStyle::MacOS);
    EXPECT_EQ(box.width(), 15 + 8);
    box.setAutoSize(false);
    box.resize(93, 17);
    box.setUIStyle(SkinUIStyle::WinXP);
    EXPECT_EQ(box.size(), QSize(93, 17));
}

} // namespace
} // namespace trvx
