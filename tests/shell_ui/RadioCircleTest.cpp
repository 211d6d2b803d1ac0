// The radio rows of the pages: a caption beside or over a circle. A click where the circle shows
// must choose the row as a click on the caption does, whichever control the layout put on top.
#include "shell/ui/MainWindow.h"

#include "skin/ui/SkinImages.h"
#include "skin/ui/SkinPicture.h"
#include "support/SimulatedWindowTest.h"

#include <QAbstractButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trvx {
namespace {

class RadioCircleTest : public SimulatedWindowTest {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(CreateAccepted()); }

    bool ShowsSelected(const std::string& circle) {
        auto* picture = qobject_cast<SkinPicture*>(form_->Control(circle));
        return picture != nullptr && picture->picture() == SkinImage("RdS_E");
    }
    bool Checked(const std::string& radio) {
        auto* button = qobject_cast<QAbstractButton*>(form_->Control(radio));
        return button != nullptr && button->isChecked();
    }

    // Clicks each circle of a row in turn where it shows, on the page of that menu button: once
    // the click's work is done its circle alone shows selected, and its hidden radio (when the row
    // has them) alone is checked.
    void ExpectEachCircleChooses(const char* page, const std::vector<std::string>& circles,
                                 const std::vector<std::string>& radios = {}) {
        for (std::size_t i = 0; i < circles.size(); ++i) {
            SCOPED_TRACE(circles[i]);
            form_->PageButtonClick(page);
            ASSERT_NO_FATAL_FAILURE(ClickWhereShown(circles[i]));
            // What the click left to the device thread (a restart and read) has run.
            ASSERT_TRUE(form_->Worker().WaitIdle());
            QCoreApplication::processEvents();
            for (std::size_t j = 0; j < circles.size(); ++j) {
                EXPECT_EQ(ShowsSelected(circles[j]), i == j) << circles[j];
                if (!radios.empty()) {
                    EXPECT_EQ(Checked(radios[j]), i == j) << radios[j];
                }
            }
        }
    }

    static std::vector<std::string> Row(const std::string& stem, int count) {
        std::vector<std::string> names;
        for (int n = 1; n <= count; ++n)
            names.push_back(stem + std::to_string(n));
        return names;
    }
};

TEST_F(RadioCircleTest, LightingModeAndBrightnessCirclesChooseTheirRow) {
    ExpectEachCircleChooses("Breath", Row("Img_LED", 7), Row("rb_LED", 7));
    ExpectEachCircleChooses("Breath", {"Img_MCULED6Control", "Img_MCULED3Control"});
    EXPECT_EQ(form_->Model().McuLedControl() & 0x80, 0x80); // full light, the last one chosen
}

TEST_F(RadioCircleTest, ReportRateCirclesChooseTheirRate) {
    // Each new rate restarts the mouse and reads it again; the page shows what it read.
    ExpectEachCircleChooses("Adv", Row("Img_Rep", 4), Row("rb_Rep", 4));
}

TEST_F(RadioCircleTest, MacroDelayCirclesChooseTheirMode) {
    ExpectEachCircleChooses("Macro", {"LED_NoDelay", "LED_DelayTime", "LED_RecDelay"});
}

} // namespace
} // namespace trvx
