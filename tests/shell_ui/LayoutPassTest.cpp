// The main window's controls, the skin loaders and the layout and caption pass, on a bare form.
#include "skin/ui/LayoutPass.h"
#include "controls/skinned/ui/SkinPageControl.h"
#include "controls/wide/ui/UniLabel.h"
#include "engineering/UpdatePageTables.h"
#include "fire/FirePageTables.h"
#include "keys/KeyMenus.h"
#include "macros/MacroPageTables.h"
#include "pages/ui/ControlText.h"
#include "sensitivity/LightingPageTables.h"
#include "sensitivity/SensitivityPageTables.h"
#include "shell/MainWindowTables.h"
#include "shell/WindowFrameTables.h"
#include "skin/CaptionKeys.h"
#include "skin/ControlTable.h"
#include "skin/LayoutKeys.h"
#include "skin/ui/MainWindowControls.h"
#include "skin/ui/SkinPicture.h"

#include <QComboBox>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <utility>
#include <vector>

namespace trvx {
namespace {

std::string caption(const QWidget& form, const char* name) {
    auto* label = FindControlAs<TUniLabel>(form, name);
    return label ? QString::fromStdU16String(label->GetCaption()).toStdString() : "<none>";
}

// The embedded layout of a set with some keys replaced or removed.
LayoutSection layoutWith(int set, const std::map<std::string, std::string>& replace,
                         const std::set<std::string>& remove = {}) {
    const std::string name = "ORG" + std::to_string(set);
    const auto bytes = FindTextResource(name);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::string text, line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        const std::string key(TrimText(eq == std::string::npos ? "" : line.substr(0, eq)));
        if (!key.empty() && (replace.count(key) || remove.count(key)))
            continue;
        text += line + "\n";
    }
    for (const auto& [k, v] : replace)
        text += k + "=" + v + "\n";
    const LayoutIni ini = LayoutIni::Parse(std::string_view(text));
    return *ini.FindSection("org" + std::to_string(set));
}

CaptionSection captionsOf(int set) {
    return *ReadCaptionSection("lang" + std::to_string(set));
}

class LayoutPassTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.resize(kSkinWidth, kSkinHeight);
        CreateMainWindowControls(form, MainWindowTables());
        ASSERT_EQ(LoadSkinBackground(form, state), QString());
        ASSERT_EQ(LoadSkinImages(form, MainWindowTables()), QString());
    }
    QWidget* w(const char* name) const {
        QWidget* c = FindControl(form, name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    QString apply(int set, const std::map<std::string, std::string>& replace,
                  const std::set<std::string>& remove = {}) {
        return ApplyLayout(form, state, set, layoutWith(set, replace, remove), captionsOf(set),
                           MainWindowTables());
    }
    void check(const char* radio) { FindControlAs<QRadioButton>(form, radio)->setChecked(true); }

    QWidget form;
    LayoutState state;
};

TEST_F(LayoutPassTest, BackgroundGivesTheSkinSizeToTheStateAndTheCovers) {
    EXPECT_EQ(state.SkinWidth, 1030);
    EXPECT_EQ(state.SkinHeight, 660);
    for (const char* cover :
         {"Disable_All_1", "Disable_All_2", "Disable_All_3", "Disable_All_4", "Disable_All_5"})
        EXPECT_EQ(w(cover)->size(), QSize(1030, 660)) << cover;
}

TEST_F(LayoutPassTest, StartImagesLoadTheKeyPanelOnlyForAKeyPage) {
    auto* panel = FindControlAs<SkinPicture>(form, "Img_P1");
    EXPECT_EQ(panel->picture().cacheKey(), SkinImage("L1_Back1").cacheKey());
    panel->setPicture(SkinImage("L2_Back2"));
    check("rb_4");
    ASSERT_EQ(LoadSkinImages(form, MainWindowTables()), QString());
    EXPECT_EQ(panel->picture().cacheKey(), SkinImage("L2_Back2").cacheKey());
    EXPECT_EQ(w("Img_Key7")->size(), QSize(150, 30));
    EXPECT_EQ(w("Img_Fire1")->size(), QSize(120, 56));
    EXPECT_EQ(w("Img_P5")->size(), QSize(540, 102));
}

TEST(SkinLoaders, AFormWithoutTheControlsGetsAnErrorAndNoChange) {
    QWidget bare;
    LayoutState state;
    EXPECT_FALSE(LoadSkinBackground(bare, state).isEmpty());
    EXPECT_EQ(state.SkinWidth, 0);
    EXPECT_FALSE(LoadSkinImages(bare, MainWindowTables()).isEmpty());
    EXPECT_FALSE(ApplyLayout(bare, state, 1, MainWindowTables()).isEmpty());
    EXPECT_EQ(state.LangIndex, 0);
    EXPECT_FALSE(ApplyLayout(bare, state, 4, MainWindowTables()).isEmpty());
    EXPECT_TRUE(SkinImage("NoSuchPicture").isNull());
    EXPECT_EQ(SkinImage("l1_background").cacheKey(), SkinImage("L1_BackGround").cacheKey());
}

TEST_F(LayoutPassTest, EveryControlOfTheTableExistsOnceWithItsParent) {
    for (const ControlSpec& s : MainWindowControlSpecs()) {
        const auto found = form.findChildren<QWidget*>(QString::fromStdString(s.name));
        ASSERT_EQ(found.size(), 1) << s.name;
        const QString parent = QString::fromStdString(s.parent);
        if (s.kind != ControlKind::TabSheet) {
            EXPECT_EQ(found[0]->parentWidget()->objectName(), parent) << s.name;
        }
    }
}

TEST_F(LayoutPassTest, EngineeringControlsStartHiddenAndTheLedTypeLocked) {
    auto* pc = FindControlAs<SkinPageControl>(form, "Pg_Parameter");
    ASSERT_NE(pc, nullptr);
    EXPECT_EQ(pc->activePage()->objectName(), QStringLiteral("ts_Operator"));
    for (const char* sheet : {"ts_Operator", "ts_Engineer", "ts_Gun"})
        EXPECT_EQ(FindControlAs<SkinTabSheet>(form, sheet)->tabVisible(),
                  std::string_view(sheet) == "ts_Operator")
            << sheet;
    for (const char* b :
         {"Btn_Default", "Btn_ImportBaseMacro", "Btn_ImportGunMacro", "Btn_PatchCode"})
        EXPECT_TRUE(w(b)->isHidden()) << b;
    EXPECT_FALSE(w("lbl_LEDMode")->isEnabled());
    EXPECT_FALSE(w("cb_LEDMode")->isEnabled());
    EXPECT_TRUE(w("lbl_LEDNum")->isEnabled());
}

// Labels that no layout key colours keep a design-time colour readable on the dark art, and the
// update page's caption fits before the path field's well in both built-in languages.
TEST_F(LayoutPassTest, UncolouredLabelsAreLightAndThePathCaptionFits) {
    for (int set = 1; set <= 2; ++set) {
        ASSERT_EQ(ApplyLayout(form, state, set, MainWindowTables()), QString());
        for (const char* name : {"lbl_BINPath", "lbl_Spd11", "lbl_DbSpd11", "lbl_ScrSpd11"})
            EXPECT_GT(FindControlAs<TUniLabel>(form, name)->FontColor().lightness(), 160)
                << name << " set " << set;
        auto* path = FindControlAs<TUniLabel>(form, "lbl_BINPath");
        const int textWidth = QFontMetrics(path->font())
                                  .horizontalAdvance(QString::fromStdU16String(path->GetCaption()));
        EXPECT_LE(textWidth, path->width()) << "set " << set;
        // The field's well starts 8 pixels left of the path label.
        EXPECT_LE(path->x() + path->width(), w("lbl_LoadBIN")->x() - 8) << "set " << set;
    }
}

TEST_F(LayoutPassTest, EveryControlThePassesNameExists) {
    std::set<std::string> names;
    for (int set = 1; set <= 3; ++set)
        for (int page = 0; page <= 6; ++page) {
            LayoutInputs in;
            in.LangIndex = set;
            in.PageRadio = page;
            in.GDEnable = true;
            in.NumOrder = page % 2;
            const ParseResult<LayoutPlan> plan = BuildLayoutPlan(in, MainWindowTables());
            ASSERT_TRUE(plan.ok()) << plan.error << " " << plan.where;
            for (const SkinOp& o : plan->ops) {
                names.insert(o.control);
                if (!o.ref.empty())
                    names.insert(o.ref);
            }
        }
    for (const SkinOp& o : SkinImageOps(1))
        names.insert(o.control);
    for (const KeyMenu& menu : KeyMenus()) {
        names.insert(std::string(menu.panel));
        for (const KeyMenuEntry& e : menu.entries) {
            names.insert(std::string(e.name));
            if (e.arrow)
                names.insert(KeyMenuArrow(e));
        }
    }
    for (auto list :
         {FrameCaptionKeys(), MacroPageCaptionKeys(), UpdatePageCaptionKeys(),
          FirePageCaptionKeys(), SensitivityPageLabelCaptionKeys(), LightingPageLabelCaptionKeys(),
          MacroPageLabelCaptionKeys(), FirePageLabelCaptionKeys()})
        for (const CaptionBinding& b : list) {
            const std::string c(b.control);
            names.insert(c.back() == '_' ? c + "1" : c);
        }
    for (const std::string& n : names)
        EXPECT_NE(FindControl(form, n), nullptr) << n;
}

TEST_F(LayoutPassTest, EverySetAppliesOnEveryPageAndASecondRunChangesNothing) {
    for (const char* radio : {"rb_1", "rb_2", "rb_4", "rb_5", "rb_6", "rb_7"}) {
        check(radio);
        for (int set : {1, 2, 3, 2, 1}) {
            ASSERT_EQ(ApplyLayout(form, state, set, MainWindowTables()), QString())
                << radio << " set " << set;
            EXPECT_EQ(state.LangIndex, set);
        }
    }
    const QRect before = w("Btn_Switch_3")->geometry();
    const std::string title = caption(form, "Btn_Main_2");
    ASSERT_EQ(ApplyLayout(form, state, 1, MainWindowTables()), QString());
    EXPECT_EQ(w("Btn_Switch_3")->geometry(), before);
    EXPECT_EQ(caption(form, "Btn_Main_2"), title);
}

// The sets read for the start-up's passes are forgotten once it is over; a pass still under way
// keeps its own, and the next pass reads its set again.
TEST_F(LayoutPassTest, APassUnderWayOutlivesTheForgottenSetsAndTheNextReadsItsSetAgain) {
    auto error = std::make_shared<QString>();
    std::vector<std::function<void()>> steps =
        LayoutPassSteps(form, state, 2, MainWindowTables(), error, 50);
    ASSERT_GT(steps.size(), 4u);
    steps[0]();
    steps[1]();
    ForgetLayoutSets();
    for (std::size_t i = 2; i < steps.size(); ++i)
        steps[i]();
    steps.clear();
    ASSERT_EQ(*error, QString());
    EXPECT_EQ(state.LangIndex, 2);
    // What the stepped pass left is what a whole pass of the set, read again, leaves.
    auto controls = [this] {
        std::map<QString, std::pair<QRect, QString>> named;
        for (const QWidget* c : form.findChildren<QWidget*>())
            if (!c->objectName().isEmpty())
                named[c->objectName()] = {c->geometry(), ControlCaption(c)};
        return named;
    };
    const auto after = controls();
    ForgetLayoutSets();
    ASSERT_EQ(ApplyLayout(form, state, 2, MainWindowTables()), QString());
    EXPECT_EQ(controls(), after);
}

TEST_F(LayoutPassTest, SetThreeShowsItsOwnArtAtTheWindowSize) {
    ASSERT_EQ(ApplyLayout(form, state, 3, MainWindowTables()), QString());
    EXPECT_EQ(w("Img_Base_1")->size(), QSize(1030, 660));
    EXPECT_EQ(w("Img_Base_6")->size(), QSize(1030, 660));
    EXPECT_EQ(state.SkinWidth, 1030);
    EXPECT_EQ(state.SkinHeight, 660);
    EXPECT_EQ(w("gbPage1")->size(), QSize(1030, 660));
    EXPECT_EQ(w("Disable_All_1")->size(), QSize(1030, 660));
    EXPECT_EQ(state.AppTitle, "USB Gaming Mouse");
}

TEST_F(LayoutPassTest, KeyLayoutNumbersPlaceTheKeyLabelsInSlotOrder) {
    std::map<std::string, std::string> keys;
    for (int n = 1; n <= 12; ++n) {
        keys["Key" + std::to_string(n) + "_Enable"] = "1";
        keys["Key" + std::to_string(n) + "_X"] = std::to_string(100 + n);
        keys["Key" + std::to_string(n) + "_Y"] = std::to_string(200 + n);
    }
    ASSERT_EQ(apply(1, keys), QString());
    const int slot[] = {1, 4, 7, 2, 5, 8, 3, 6, 9, 10, 11, 12};
    for (int n = 1; n <= 12; ++n) {
        const std::string label = "Key" + std::to_string(slot[n - 1]);
        EXPECT_EQ(w(label.c_str())->pos(), QPoint(100 + n, 200 + n)) << label;
        EXPECT_EQ(w(("Img_" + label).c_str())->pos(), QPoint(100 + n, 200 + n)) << label;
        EXPECT_EQ(w(label.c_str())->height(), 30) << "height of the key picture";
    }
    // Layout key 2 is label 4: disabling it hides Key4, Key2 stays.
    const QPoint key2 = w("Key2")->pos();
    keys["Key2_Enable"] = "0";
    keys["Key_Width"] = "225";
    ASSERT_EQ(apply(1, keys), QString());
    EXPECT_TRUE(w("Key4")->isHidden());
    EXPECT_TRUE(w("Img_Key4")->isHidden());
    EXPECT_FALSE(w("Key2")->isHidden());
    EXPECT_EQ(w("Key2")->pos(), key2);
    EXPECT_EQ(w("Key1")->width(), 225);
    EXPECT_NE(w("Key4")->width(), 225) << "a disabled key keeps its width";
}

TEST_F(LayoutPassTest, MenuEntriesShowTheMarkerBetweenBlanks) {
    ASSERT_EQ(ApplyLayout(form, state, 2, MainWindowTables()), QString());
    EXPECT_EQ(state.MenuMarker, "*");
    EXPECT_EQ(caption(form, "Key_Right"), " * Right Click");
    for (const KeyMenu& menu : KeyMenus())
        for (const KeyMenuEntry& e : menu.entries)
            EXPECT_EQ(caption(form, std::string(e.name).c_str()).substr(0, 3), " * ") << e.name;
    EXPECT_EQ(caption(form, "IB_ComboKey1").substr(0, 4), "    ");
}

// A snapshot of what a pass can change on every control.
std::vector<std::string> snapshot(const QWidget& form) {
    std::vector<std::string> out;
    for (const QWidget* c : form.findChildren<QWidget*>()) {
        std::ostringstream s;
        s << c->objectName().toStdString() << ' ' << c->x() << ',' << c->y() << ' ' << c->width()
          << 'x' << c->height() << ' ' << c->isHidden() << ' ' << c->font().pointSize() << ' '
          << c->font().family().toStdString() << ' '
          << c->palette().color(QPalette::WindowText).name().toStdString();
        if (auto* l = qobject_cast<const TUniLabel*>(c))
            s << ' ' << QString::fromStdU16String(l->GetCaption()).toStdString();
        if (auto* p = qobject_cast<const SkinPicture*>(c))
            s << ' ' << p->picture().cacheKey();
        out.push_back(s.str());
    }
    return out;
}

TEST_F(LayoutPassTest, ABadSetChangesNothingAndSaysWhy) {
    ASSERT_EQ(ApplyLayout(form, state, 2, MainWindowTables()), QString());
    const auto before = snapshot(form);
    const LayoutValues kept = state;
    // A key missing late in the set (after the frame, pages and pictures were read) ...
    EXPECT_EQ(apply(1, {}, {"Color_MACRO_R"}), "'' is not a valid integer value.");
    EXPECT_EQ(snapshot(form), before);
    EXPECT_EQ(state.LangIndex, 2);
    EXPECT_EQ(state.AppTitle, kept.AppTitle);
    // ... or a value that is not a number.
    EXPECT_EQ(apply(1, {{"Combox_Width", "wide"}}), "'wide' is not a valid integer value.");
    EXPECT_EQ(snapshot(form), before);
    EXPECT_EQ(state.FontName, kept.FontName);
}

TEST_F(LayoutPassTest, TabLabelsAreInsetBySpacesAndDisabledTabsHide) {
    ASSERT_EQ(apply(1,
                    {{"Btn_Space_F", "6"},
                     {"Btn_Space_B", "4"},
                     {"Btn_B2_X", "210"},
                     {"Btn_B3_Enable", "0"}},
                    {"Btn_B3_X", "Btn_B3_Y"}),
              QString());
    for (int i = 1; i <= 5; ++i) {
        const std::string n = std::to_string(i);
        EXPECT_EQ(w(("Btn_Switch_" + n).c_str())->x(), 216);
        EXPECT_EQ(w(("Btn_Switch_" + n).c_str())->width(), 90);
        EXPECT_TRUE(w(("Btn_Fixed_" + n).c_str())->isHidden());
        EXPECT_TRUE(w(("Img_Fixed_" + n).c_str())->isHidden());
    }
    EXPECT_TRUE(state.SwitchTabEnabled);
    EXPECT_FALSE(state.FixedTabEnabled);
    EXPECT_EQ(state.BtnSpaceF, 6);
}

TEST_F(LayoutPassTest, ColourKeysCombineRedLowAndTheEighthOptionNeedsTheGunDisplay) {
    ASSERT_EQ(apply(1, {{"Color_G_SP_R", "1"}, {"Color_G_SP_G", "83"}, {"Color_G_SP_B", "133"}}),
              QString());
    EXPECT_EQ(state.ColorGSP.Value(), 8737537u);
    // GD_Enable clear: the eighth option is placed but its visibility is left alone.
    w("IB_ComboKey8")->hide();
    state.GDEnable = false;
    check("rb_2");
    ASSERT_EQ(apply(1, {{"ComboKey8_Enable", "1"}, {"ComboKey8_X", "77"}}), QString());
    EXPECT_TRUE(state.ComboKey8Enabled);
    EXPECT_EQ(w("IB_ComboKey8")->x(), 77);
    EXPECT_TRUE(w("IB_ComboKey8")->isHidden());
    state.GDEnable = true;
    ASSERT_EQ(apply(1, {{"ComboKey8_Enable", "1"}}), QString());
    EXPECT_FALSE(w("IB_ComboKey8")->isHidden());
    EXPECT_FALSE(w("Img_ComboKey8")->isHidden());
}

TEST_F(LayoutPassTest, ScalesAndRowsFollowTheirStartGapAndPictureSize) {
    ASSERT_EQ(apply(1, {{"Spd_X", "150"},
                        {"Spd_Y", "100"},
                        {"Spd_D", "0"},
                        {"DPI_Orientation", "0"},
                        {"DPI1_Steps_Y", "182"},
                        {"DPI1_Steps_D", "0"},
                        {"RecDelay_X", "0"},
                        {"RecDelay_Y", "36"},
                        {"RecDelay_H", "23"},
                        {"InsertAxisEdit_X", "134"}}),
              QString());
    EXPECT_EQ(w("Img_Spd3")->pos(), QPoint(202, 100));
    EXPECT_EQ(w("lbl_Spd3")->pos(), QPoint(206, 124));
    EXPECT_EQ(w("lbl_Spd11")->y(), 124);
    EXPECT_EQ(w("Img_DPI1_12")->y(), 6);
    EXPECT_EQ(w("LED_NoDelay")->y(), 82);
    EXPECT_EQ(w("IB_NoDelay")->x(), -2);
    EXPECT_EQ(w("edt_XAxisValue")->x(), 50);
    EXPECT_EQ(w("lbl_XAxisValue")->x(), 4);
    EXPECT_EQ(w("edt_YAxisValue")->x(), 134);
    EXPECT_EQ(w("edt_Repeat")->x(), 134);
    // An orientation other than 0 or 1 leaves the bars where they are.
    const QPoint bar = w("Img_DPI2_5")->pos();
    ASSERT_EQ(apply(1, {{"DPI_Orientation", "2"}, {"DPI2_Steps_X", "3"}}), QString());
    EXPECT_EQ(w("Img_DPI2_5")->pos(), bar);
}

TEST_F(LayoutPassTest, LightingStepRowsTakeTheirOwnPlacesAndNumbers) {
    // The speed steps and the fall-time row: each from its own keys, numbered alike.
    struct Row {
        std::string picture, number;
        int count;
        QPoint third; // picture 3 with the keys below
    };
    const Row rows[] = {{"Img_MCULEDStep_", "lbl_MCULEDStep_", 8, QPoint(100 + 2 * 27, 40)},
                        {"Img_Fall", "lbl_Fall", 10, QPoint(90 + 2 * 29, 70)}};
    const std::map<std::string, std::string> keys = {{"StepTime_X", "100"}, {"StepTime_Y", "40"},
                                                     {"StepTime_D", "1"},   {"FallTime_X", "90"},
                                                     {"FallTime_Y", "70"},  {"FallTime_D", "3"}};
    const auto at = [](const std::string& stem, int i) { return stem + std::to_string(i); };
    state.NumOrder = 1;
    ASSERT_EQ(apply(1, keys), QString());
    for (const Row& r : rows) {
        EXPECT_EQ(w(at(r.picture, 3).c_str())->pos(), r.third) << r.picture;
        for (int i = 1; i <= r.count; ++i) {
            EXPECT_TRUE(w(at(r.number, i).c_str())->isHidden()) << r.number << i;
            w(at(r.number, i).c_str())->show();
        }
    }
    state.NumOrder = 0;
    ASSERT_EQ(apply(1, keys), QString());
    for (const Row& r : rows)
        for (int i = 1; i <= r.count; ++i) {
            const QWidget* pic = w(at(r.picture, i).c_str());
            const QWidget* number = w(at(r.number, i).c_str());
            EXPECT_EQ(number->pos(), pic->pos() + QPoint(4, 24)) << r.number << i;
            EXPECT_FALSE(number->isHidden()) << r.number << i;
        }
}

TEST_F(LayoutPassTest, TextLabelsTakeTheirHeightFromTheFontExceptTwo) {
    const int x = w("lbl_Fire_Marco_X")->height();
    const int all = w("lbl_MCULED3Control")->height();
    ASSERT_EQ(apply(1, {{"Fire_Key_Lable_Size", "12"},
                        {"Gun_Marco_Fire_X_Lable_Size", "12"},
                        {"LED_Mode_Light_All_Lable_Size", "14"},
                        {"Edit_PCMarco_Width", "144"}}),
              QString());
    EXPECT_EQ(w("lbl_FireKey")->height(), 24);
    EXPECT_EQ(w("lbl_Fire_Marco_X")->height(), x);
    EXPECT_EQ(w("lbl_MCULED3Control")->height(), all);
    EXPECT_EQ(w("Pnl_PCMacro")->width(), 144);
    EXPECT_EQ(w("Pnl_DevMacro")->width(), 144);
    EXPECT_EQ(w("Btn_NewMacro")->width(), 142);
    EXPECT_EQ(w("Btn_DevExport")->width(), 142);
    // The brightness labels take the mode labels' colour, not their own keys.
    const QColor before = w("lbl_MCULED3Control")->palette().color(QPalette::WindowText);
    ASSERT_EQ(apply(1, {{"LED_Mode_Light_All_Lable_R", "1"}}), QString());
    EXPECT_EQ(w("lbl_MCULED3Control")->palette().color(QPalette::WindowText), before);
    ASSERT_EQ(apply(1, {{"LED_Mode_Option_Lable_R", "1"}}), QString());
    EXPECT_EQ(w("lbl_MCULED3Control")->palette().color(QPalette::WindowText).red(), 1);
    EXPECT_EQ(w("lbl_LED4")->palette().color(QPalette::WindowText).red(), 1);
}

TEST_F(LayoutPassTest, ASwitchReloadsOnlyTheShownPagesPanelAndTheFirePanel) {
    check("rb_5");
    const qint64 keyPanel = FindControlAs<SkinPicture>(form, "Img_P1")->picture().cacheKey();
    ASSERT_EQ(ApplyLayout(form, state, 2, MainWindowTables()), QString());
    EXPECT_EQ(FindControlAs<SkinPicture>(form, "Img_P1")->picture().cacheKey(), keyPanel);
    EXPECT_EQ(FindControlAs<SkinPicture>(form, "Img_P3")->picture().cacheKey(),
              SkinImage("L2_Back3").cacheKey());
    EXPECT_EQ(FindControlAs<SkinPicture>(form, "Img_P6")->picture().cacheKey(),
              SkinImage("L2_Back5").cacheKey());
    EXPECT_EQ(FindControlAs<SkinPicture>(form, "Img_Base_4")->picture().cacheKey(),
              SkinImage("L2_BackGround").cacheKey());
}

TEST_F(LayoutPassTest, CaptionsFollowTheSetAndListsKeepCountAndSelection) {
    auto* insert = FindControlAs<QComboBox>(form, "CB_Insert");
    const int count = insert->count();
    insert->setCurrentIndex(5);
    for (int set : {2, 1, 3, 1}) {
        ASSERT_EQ(ApplyLayout(form, state, set, MainWindowTables()), QString());
        EXPECT_EQ(insert->count(), count);
        EXPECT_EQ(insert->currentIndex(), 5);
        EXPECT_EQ(insert->itemText(0).toStdString(), captionsOf(set).Text("Str410"));
        EXPECT_EQ(caption(form, "Btn_Main_5"), captionsOf(set).Text("Str004"));
        EXPECT_EQ(caption(form, "Btn_Engineer_3"), "Engineer");
        EXPECT_EQ(caption(form, "lbl_Fire_Marco_Color"), caption(form, "lbl_FireKey1"));
        EXPECT_EQ(state.NoDeviceText, captionsOf(set).Text("Str022"));
        EXPECT_EQ(state.FontName, captionsOf(set).Text("FontName"));
        EXPECT_EQ(w("Btn_Main_1")->font().family().toStdString(), state.FontName);
    }
    EXPECT_EQ(FindControlAs<QComboBox>(form, "CB_InsertFire")->itemText(2).toStdString(),
              captionsOf(1).Text("Str450"));
}

TEST_F(LayoutPassTest, KeyLabelsCarryTheirCaptionOverOrAreRebuiltByTheKeyPages) {
    ASSERT_EQ(ApplyLayout(form, state, 2, MainWindowTables()), QString());
    FindControlAs<TUniLabel>(form, "Key1")->SetCaption(u"Middle Click");
    FindControlAs<TUniLabel>(form, "Key2")->SetCaption(u"Ctrl+Alt+K");
    ASSERT_EQ(ApplyLayout(form, state, 1, MainWindowTables()), QString());
    EXPECT_EQ(caption(form, "Key1"), captionsOf(1).Text("Str212"));
    EXPECT_EQ(caption(form, "Key2"), "Ctrl+Alt+K");
    // With the key pages' rebuild, captions are not translated back by their text.
    int rebuilt = 0;
    state.RebuildKeyCaptions = [&rebuilt](QWidget&) { ++rebuilt; };
    FindControlAs<TUniLabel>(form, "Key1")->SetCaption(u"Middle Click");
    ASSERT_EQ(ApplyLayout(form, state, 1, MainWindowTables()), QString());
    EXPECT_EQ(rebuilt, 1);
    EXPECT_EQ(caption(form, "Key1"), "Middle Click");
}

} // namespace
} // namespace trvx

namespace trvx {
namespace {

// Every page of every set paints its background art; with TRVX_SKIN_SNAPSHOTS set to a folder
// the pages are also saved there for a look.
TEST_F(LayoutPassTest, EveryPagePaintsInEverySet) {
    const char* dir = std::getenv("TRVX_SKIN_SNAPSHOTS");
    for (int set = 1; set <= 3; ++set) {
        for (int page = 1; page <= 7; ++page) {
            const char* radio[] = {"rb_1", "rb_4", "rb_5", "rb_6", "rb_7", "rb_1", "rb_8"};
            check(radio[page - 1]);
            ASSERT_EQ(ApplyLayout(form, state, set, MainWindowTables()), QString());
            for (int p = 1; p <= 7; ++p)
                w(("gbPage" + std::to_string(p)).c_str())->setVisible(p == page);
            if (page == 7)
                form.resize(kEngineerWidth, kEngineerHeight);
            else
                form.resize(kSkinWidth, kSkinHeight);
            const QImage shot = form.grab().toImage();
            ASSERT_FALSE(shot.isNull());
            if (page <= 6 && set <= 2) {
                // A corner of the window shows the background picture.
                const QImage back = SkinImage("L" + std::to_string(set) + "_BackGround");
                EXPECT_EQ(shot.pixelColor(40, 640).rgb(), back.pixelColor(40, 640).rgb())
                    << "set " << set << " page " << page;
            }
            if (dir)
                shot.save(QStringLiteral("%1/set%2_page%3.png").arg(dir).arg(set).arg(page));
        }
    }
    if (!dir)
        return;
    // The pop-ups and the insert box, which start hidden.
    check("rb_1");
    ASSERT_EQ(ApplyLayout(form, state, 2, MainWindowTables()), QString());
    for (int p = 1; p <= 7; ++p)
        w(("gbPage" + std::to_string(p)).c_str())->setVisible(p == 1);
    form.resize(kSkinWidth, kSkinHeight);
    w("Pnl_Main")->move(420, 140);
    w("Pnl_Main")->show();
    w("Pnl_Special")->move(614, 160);
    w("Pnl_Special")->show();
    form.grab().save(QStringLiteral("%1/menus.png").arg(dir));
    w("gbPage1")->hide();
    w("gbPage4")->show();
    w("Gb_Delay")->hide();
    w("Gb_Insert")->show();
    w("Img_InsertBase")->show();
    w("Pnl_PCMacro")->move(200, 200);
    w("Pnl_PCMacro")->show();
    form.grab().save(QStringLiteral("%1/insert.png").arg(dir));
}

} // namespace
} // namespace trvx
