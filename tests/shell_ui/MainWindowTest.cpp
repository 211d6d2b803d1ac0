#include "shell/ui/MainWindow.h"

#include "controls/skinned/ui/SkinInputDialog.h"
#include "controls/wide/ui/UniComboBox.h"
#include "controls/wide/ui/UniLabel.h"
#include "controls/wide/ui/UniListBox.h"
#include "device/ImageLayout.h"
#include "engineering/ui/EngineerPage.h"
#include "engineering/ui/UpdatePage.h"
#include "keys/KeyEntryText.h"
#include "pages/ui/ControlText.h"
#include "shell/MainWindowTables.h"
#include "shell/ShellRules.h"
#include "shell/ui/DeviceWorker.h"
#include "shell/ui/LoadingWindow.h"
#include "shell/ui/MessageDialog.h"
#include "sim/SimulatedMouse.h"
#include "skin/ui/SkinPicture.h"
#include "support/EventWaiting.h"
#include "support/SimulatedWindowTest.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <memory>
#include <span>
#include <string>
#include <thread>

namespace trvx {
namespace {

// Stands in for the desktop's URL handler.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

class MainWindowTest : public SimulatedWindowTest {
protected:
    QString Caption(std::string_view name) { return ControlCaption(form_->Control(name)); }
    bool Visible(std::string_view name) {
        QWidget* w = form_->Control(name);
        return w != nullptr && !w->isHidden();
    }
    bool ShowsImage(std::string_view control, std::string_view image) {
        auto* picture = qobject_cast<SkinPicture*>(form_->Control(control));
        return picture != nullptr && picture->picture() == SkinImage(image);
    }
};

TEST_F(MainWindowTest, StartsOnThePageOfKeysUnderTheCoversWithoutAMouse) {
    TForm1& form = Create();
    EXPECT_EQ(form.windowTitle(), QString::fromLatin1(kMainWindowCaption));
    EXPECT_EQ(form.size(), QSize(form.Layout().SkinWidth, form.Layout().SkinHeight));
    EXPECT_GT(form.Layout().SkinWidth, 0);
    EXPECT_EQ(form.pos(), QPoint((1920 - form.width()) / 2, (1080 - form.height()) / 2));
    EXPECT_EQ(form.VisiblePage(), 1);
    EXPECT_TRUE(form.NoDeviceShown());
    EXPECT_EQ(form.LangIndex(), 1);
    for (int n = 1; n <= 5; ++n)
        EXPECT_TRUE(Visible("Disable_All_" + std::to_string(n)));
    EXPECT_FALSE(form.DevTimer().isActive()); // polling starts with the busy window
    // The see-through colour cuts the window to the skin's outline.
    const QImage skin = SkinImage("L1_BackGround");
    ASSERT_EQ(skin.pixel(0, 0), qRgb(128, 0, 0));
    ASSERT_NE(skin.pixel(form.width() / 2, form.height() / 2), qRgb(128, 0, 0));
    EXPECT_FALSE(form.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(form.mask().contains(QPoint(form.width() / 2, form.height() / 2)));
    EXPECT_TRUE(messages_.empty());
}

// The window is first built with page 1 alone; the other pages follow after the first paint.
// What the first paint shows must be what the complete window shows, and nothing that asks for
// the window (a control by name, the idle loop) may see it incomplete.
TEST_F(MainWindowTest, FirstPageLooksTheSameBeforeAndAfterTheOtherPagesAreBuilt) {
    const MainWindowOptions options = Options();
    {
        TForm1 form(options);
        ASSERT_FALSE(form.PagesComplete());
        const QImage first = form.grab().toImage();
        form.CompletePages();
        ASSERT_TRUE(form.PagesComplete());
        const QImage complete = form.grab().toImage();
        ASSERT_EQ(first.size(), complete.size());
        EXPECT_TRUE(first == complete) << "page 1 changed when the other pages came";
        EXPECT_TRUE(form.Worker().WaitIdle());
    }
    {
        // A control of a page not built yet is there when asked for, and so is everything.
        TForm1 form(options);
        ASSERT_FALSE(form.PagesComplete());
        EXPECT_NE(form.Control("Pg_Parameter"), nullptr);
        EXPECT_TRUE(form.PagesComplete());
        EXPECT_TRUE(form.Worker().WaitIdle());
    }
    {
        // Shown and left alone, the window completes itself between its events.
        TForm1 form(options);
        form.show();
        EXPECT_TRUE(test::ProcessEventsUntil([&] { return form.PagesComplete(); }));
        EXPECT_TRUE(form.Worker().WaitIdle());
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MainWindowTest, BusyWindowSitsBelowTheCentreAndStartsPolling) {
    TForm1& form = Create();
    form.move(100, 50);
    TFormLoadingUI* busy = form.CreateLoadingWindow();
    ASSERT_NE(busy, nullptr);
    const QRect main = form.frameGeometry();
    EXPECT_EQ(busy->pos(), QPoint(main.left() + (main.width() - busy->width()) / 2,
                                  main.top() + (main.height() - busy->height()) / 2 + 40));
    EXPECT_TRUE(busy->testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_TRUE(busy->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(form.DevTimer().isActive());
    EXPECT_EQ(form.DevTimer().interval(), 1500);

    // Centred (not below the centre) before each showing, after the main window moved.
    form.move(300, 200);
    busy->ShowCentred();
    const QRect moved = form.frameGeometry();
    EXPECT_EQ(busy->pos(), QPoint(moved.left() + (moved.width() - busy->width()) / 2,
                                  moved.top() + (moved.height() - busy->height()) / 2));
    EXPECT_TRUE(busy->isVisible());
}

TEST_F(MainWindowTest, PollFindsAndReadsTheMouseThenPagesSwitch) {
    TForm1& form = Create();
    form.CreateLoadingWindow();
    form.DevTimer().stop();
    Poll();
    EXPECT_TRUE(form.Mouse().IsAccepted());
    EXPECT_FALSE(form.NoDeviceShown());
    EXPECT_FALSE(form.FillingUI());
    for (int n = 1; n <= 5; ++n)
        EXPECT_FALSE(Visible("Disable_All_" + std::to_string(n)));
    EXPECT_FALSE(form.FormLoadingUI()->isVisible());
    EXPECT_TRUE(form.DevTimer().isActive()); // the read switched polling on again
    EXPECT_TRUE(messages_.empty());

    struct Case {
        std::string_view button;
        int page;
        int radio;
        std::string_view selected;
    };
    for (const Case& c :
         {Case{"Btn_Adv_3", 2, 4, "Img_Adv_1"}, Case{"Btn_Breath_1", 3, 5, "Img_Breath_5"},
          Case{"Btn_Macro_2", 4, 6, "Img_Macro_2"}, Case{"Btn_Update_5", 5, 7, "Img_Update_3"},
          Case{"Btn_Main_4", 1, 1, "Img_Main_4"}}) {
        form.PageButtonClick(SplitCopyName(c.button)->family);
        EXPECT_EQ(form.VisiblePage(), c.page) << c.button;
        EXPECT_EQ(form.CheckedRadio(), c.radio) << c.button;
        EXPECT_TRUE(ShowsImage(c.selected, "SetS_03")) << c.button;
        EXPECT_EQ(form.size(), QSize(form.Layout().SkinWidth, form.Layout().SkinHeight));
    }

    // Opening the update page forgets a patch file read before.
    form.updatePage().SetPatchFileLoaded(true);
    SetControlCaption(form.Control("lbl_LoadBIN"), QStringLiteral("patch.bin"));
    form.PageButtonClick("Update");
    EXPECT_FALSE(form.updatePage().PatchFileLoaded());
    EXPECT_EQ(Caption("lbl_LoadBIN"), QString());

    // The engineering page shows the offset bytes as signed numbers.
    ASSERT_TRUE(form.Model().SetXOffset(1, -1));
    ASSERT_TRUE(form.Model().SetYOffset(1, 127));
    ASSERT_TRUE(form.Model().SetYOffset(10, -128));
    form.PageButtonClick("Engineer");
    EXPECT_EQ(Caption("edt_XOffset1"), QStringLiteral("-1"));
    EXPECT_EQ(Caption("edt_YOffset1"), QStringLiteral("127"));
    EXPECT_EQ(Caption("edt_YOffset10"), QStringLiteral("-128"));
    EXPECT_EQ(form.VisiblePage(), 7);
    EXPECT_EQ(form.size(), QSize(1256, 680));
    EXPECT_TRUE(form.mask().isEmpty());
    EXPECT_FALSE(form.engineerPage().RefreshingKeyTexts());
    form.PageButtonClick("Adv");
    EXPECT_EQ(form.size(), QSize(form.Layout().SkinWidth, form.Layout().SkinHeight));
    const QImage skin = SkinImage("L1_BackGround");
    ASSERT_EQ(skin.pixel(0, 0), qRgb(128, 0, 0));
    ASSERT_NE(skin.pixel(form.width() / 2, form.height() / 2), qRgb(128, 0, 0));
    EXPECT_FALSE(form.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(form.mask().contains(QPoint(form.width() / 2, form.height() / 2)));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MainWindowTest, TheGrownWindowStaysOnItsScreenAndShrinksBackToItsPlace) {
    MainWindowOptions options;
    options.screenSize = QSize(1280, 1024);
    ASSERT_NO_FATAL_FAILURE(CreateAccepted(std::move(options)));
    TForm1& form = *form_;
    const QPoint centred((1280 - form.width()) / 2, (1024 - form.height()) / 2);
    ASSERT_EQ(form.pos(), centred);

    // The engineering page is wider: the window moves left just enough to show all of it.
    form.PageButtonClick("Engineer");
    EXPECT_EQ(form.size(), QSize(1256, 680));
    EXPECT_EQ(form.pos(), QPoint(1280 - 1256, centred.y()));
    form.PageButtonClick("Engineer"); // no growth, no move
    EXPECT_EQ(form.pos(), QPoint(1280 - 1256, centred.y()));
    form.PageButtonClick("Adv");
    EXPECT_EQ(form.pos(), centred);

    // Moved while on the engineering page, it shrinks where the user put it.
    form.PageButtonClick("Engineer");
    form.move(10, 20);
    form.PageButtonClick("Breath");
    EXPECT_EQ(form.pos(), QPoint(10, 20));
    EXPECT_EQ(form.size(), QSize(form.Layout().SkinWidth, form.Layout().SkinHeight));
}

TEST_F(MainWindowTest, IdPairReadFromTheMouseIsShownInDecimal) {
    TForm1& form = Create();
    form.DevTimer().stop();
    auto* vendor = qobject_cast<QLineEdit*>(form.Control("edt_VendorID_Rd"));
    auto* product = qobject_cast<QLineEdit*>(form.Control("edt_ProductID_Rd"));
    ASSERT_NE(vendor, nullptr);
    ASSERT_NE(product, nullptr);
    const std::array<std::uint8_t, 2> foreign{0xAB, 0x0C};
    ASSERT_TRUE(mouse_.Poke(484, foreign));
    Poll();
    EXPECT_FALSE(form.Mouse().IsAccepted());
    EXPECT_EQ(vendor->text(), QStringLiteral("171"));
    EXPECT_EQ(product->text(), QStringLiteral("12"));
}

TEST_F(MainWindowTest, PageButtonsRefuseWithoutAMouseAndWaitWhileNoDeviceIsShown) {
    TForm1& form = Create();
    // No mouse opened yet: every click says so once and changes nothing.
    form.PageButtonClick("Adv");
    form.PageButtonClick("Engineer");
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[0], form.NoDeviceText());
    EXPECT_FALSE(form.NoDeviceText().empty());
    EXPECT_EQ(form.VisiblePage(), 1);

    // The mouse is open but the no-device appearance is still up: nothing, silently.
    Poll();
    form.RefreshErrorAP();
    messages_.clear();
    form.PageButtonClick("Breath");
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(form.VisiblePage(), 1);
}

TEST_F(MainWindowTest, UnplugShowsTheNoDeviceMessageAndCovers) {
    TForm1& form = Create();
    Poll();
    form.PageButtonClick("Macro");
    mouse_.Unplug();
    Poll();
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], form.LangText("Str100") + "\n" + form.LangText("Str101"));
    EXPECT_TRUE(form.NoDeviceShown());
    EXPECT_EQ(form.VisiblePage(), 1);
    EXPECT_TRUE(Visible("Disable_All_3"));
    EXPECT_FALSE(form.Mouse().IsAccepted());
}

TEST_F(MainWindowTest, MessageDialogAnswersThroughTheResponder) {
    TForm1& form = Create();
    form.RefreshFormMessagDialog(QStringLiteral("No Device Found\rPlease check"));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "No Device Found\nPlease check");
}

// A read that lands while the window completes itself after its first paint.
class CompletionReadTest : public MainWindowTest {
protected:
    // The mouse is on profile 2, which its read shows.
    void PutMouseOnProfile2() {
        std::vector<std::uint8_t> image = mouse_.Image();
        const std::span<std::uint8_t> user(image.data() + 164, 28);
        user[0] = static_cast<std::uint8_t>((user[0] & 0xF0) | 1);
        SetSectionChecksum(user);
        ASSERT_TRUE(mouse_.Poke(164, user));
    }
    // The mouse's read, from inside whatever runs now: the user's message left up, a step.
    void ReadNow() {
        form_->PollDevice();
        EXPECT_TRUE(form_->Worker().WaitIdle());
        QCoreApplication::processEvents();
    }
    // The read stays: the mouse's profile, no covers, and the side menu switches pages.
    void ExpectTheReadShown() {
        TForm1& form = *form_;
        EXPECT_TRUE(form.Mouse().IsAccepted());
        EXPECT_FALSE(form.NoDeviceShown());
        EXPECT_EQ(form.Model().CurrentProfileIndex(), 1);
        EXPECT_EQ(form.CheckedRadio(), 2);
        EXPECT_FALSE(Visible("Disable_All_1"));
        form.PageButtonClick("Adv");
        EXPECT_EQ(form.VisiblePage(), 2);
        form.PageButtonClick("Macro");
        EXPECT_EQ(form.VisiblePage(), 4);
    }
};

TEST_F(CompletionReadTest, LibraryMessageLeftUpUntilTheMouseIsReadKeepsTheRead) {
    // A damaged macro library in a data folder of the test's own: its page reads it while the
    // window completes itself.
    QTemporaryDir dataHome;
    ASSERT_TRUE(dataHome.isValid());
    const struct DataHome {
        QByteArray previous = qgetenv("XDG_DATA_HOME");
        explicit DataHome(const QString& path) {
            qputenv("XDG_DATA_HOME", QFile::encodeName(path));
        }
        ~DataHome() { qputenv("XDG_DATA_HOME", previous); }
    } home(dataHome.path());
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile library(folder + QStringLiteral("/TRVX4410B-Macro.bin"));
    ASSERT_TRUE(library.open(QIODevice::WriteOnly));
    library.write(QByteArray(1000, '\0'));
    library.close();
    ASSERT_NO_FATAL_FAILURE(PutMouseOnProfile2());

    // The user leaves the message up until the mouse has been found and read, then confirms.
    bool paintsUnderTheMessage = false;
    const auto previous = FormMessageDialog::setResponder([&](const QString& text) {
        messages_.push_back(text.toStdString());
        if (messages_.size() > 1)
            return;
        paintsUnderTheMessage = form_->updatesEnabled();
        ReadNow();
    });
    TForm1& form = Create();
    form.DevTimer().stop();
    EXPECT_TRUE(
        test::ProcessEventsUntil([&] { return form.PagesComplete() && !messages_.empty(); }));
    FormMessageDialog::setResponder(previous);

    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(paintsUnderTheMessage);
    ExpectTheReadShown();
    EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(CompletionReadTest, ReadThatLandsBetweenTheStepsOfTheCompletionStays) {
    // A step that lets events run (here the layout pass) lets the read land between two steps.
    ASSERT_NO_FATAL_FAILURE(PutMouseOnProfile2());
    bool read = false;
    MainWindowOptions options;
    options.applyLayout = [&](QWidget& window, LayoutState& state, int n) {
        const QString error = ApplyLayout(window, state, n, MainWindowTables());
        if (form_ != nullptr && !read) {
            read = true;
            ReadNow();
        }
        return error;
    };
    TForm1& form = Create(options);
    form.DevTimer().stop();
    form.CompletePages();
    ASSERT_TRUE(read);
    ExpectTheReadShown();
    EXPECT_TRUE(messages_.empty());
}

TEST_F(MainWindowTest, LanguageSwitchChangesCaptionsAndRebuildsKeysFromTheirEntries) {
    TForm1& form = Create();
    Poll();
    form.PageButtonClick("Adv");
    ASSERT_TRUE(form.LangButtonClick(2));
    EXPECT_EQ(form.LangIndex(), 2);
    EXPECT_EQ(form.VisiblePage(), 2); // the page stays
    EXPECT_TRUE(ShowsImage("Img_Lang2_3", "SetS_03"));
    EXPECT_TRUE(ShowsImage("Img_Lang1_3", "SetS_01"));
    EXPECT_EQ(form.windowTitle(), QString::fromLatin1(kMainWindowCaption));

    // Key captions come from the key entries in the new set, not from the old captions.
    const auto set2 = ReadCaptionSection("lang2");
    ASSERT_TRUE(set2);
    EXPECT_EQ(form.AppTitle(), set2->Text("Title"));
    KeyEntryContext ctx;
    ctx.caption = [&](std::string_view key) { return set2->Text(key); };
    ctx.storage = StorageKind::I2C;
    ctx.refreshingKeyTexts = true;
    for (std::size_t n = 0; n < 3; ++n) {
        const FireKeyParameters fire = form.Model().FireKey(static_cast<int>(n) + 1);
        ctx.fireKeys[n] = {fire.count, fire.delayMs};
    }
    for (int k = 1; k <= 12; ++k)
        EXPECT_EQ(Caption("Key" + std::to_string(k)).toStdString(),
                  KeyCodeToText(form.Model().KeyCodeText(k), ctx).text)
            << k;

    // The mouse's third key carries the first fire key's stored set.
    EXPECT_EQ(Caption("Key3"), QStringLiteral("Fire Key1"));

    // Switching to the set in use runs the whole pass again with the same result.
    const QString key1 = Caption("Key1");
    ASSERT_TRUE(form.LangButtonClick(2));
    EXPECT_EQ(Caption("Key1"), key1);
}

// The macro lists and the insert lists are the wide kinds; the caption pass replaces the insert
// list's items in place, so the choice survives a language switch.
TEST_F(MainWindowTest, MacroListsAreWideAndTheInsertListKeepsItsChoiceAcrossSets) {
    TForm1& form = Create();
    Poll();
    for (const char* name :
         {"LB_PCMacroName", "LB_MacroName", "LB_macro", "LB_FireMacroName", "LB_FireMacro"})
        EXPECT_NE(qobject_cast<TUniListBox*>(form.Control(name)), nullptr) << name;
    auto* insert = qobject_cast<TUniComboBox*>(form.Control("CB_Insert"));
    ASSERT_NE(insert, nullptr);
    EXPECT_NE(qobject_cast<TUniComboBox*>(form.Control("CB_InsertFire")), nullptr);
    const auto set2 = ReadCaptionSection("lang2");
    ASSERT_TRUE(set2);
    insert->SetItemIndex(5);
    ASSERT_TRUE(form.LangButtonClick(2));
    EXPECT_EQ(insert->count(), 8);
    EXPECT_EQ(insert->ItemIndex(), 5);
    EXPECT_EQ(insert->itemText(0).toStdString(), set2->Text("Str410"));
    EXPECT_EQ(insert->itemText(7).toStdString(), set2->Text("Str457"));
}

// Every set shows the three language buttons side by side, so set 3 can be reached from the
// others; it comes with art of its own at the window's size.
TEST_F(MainWindowTest, EverySetShowsAllThreeLanguageButtons) {
    TForm1& form = Create();
    for (int set : {1, 2, 3, 1}) {
        SCOPED_TRACE(set);
        ASSERT_TRUE(form.LangButtonClick(set));
        QRect previous;
        for (int n = 1; n <= 3; ++n) {
            const std::string button = "Btn_Lang" + std::to_string(n) + "_1";
            ASSERT_TRUE(Visible(button)) << button;
            const QRect r = form.Control(button)->geometry();
            EXPECT_TRUE(form.rect().contains(r)) << button;
            EXPECT_FALSE(r.intersects(previous)) << button;
            previous = r;
        }
        EXPECT_EQ(form.Control("Img_Base_1")->size(), form.size());
    }
}

// Messages, chooser captions and dialog captions are read by key when they are shown: any
// caption of the set shown, not only those the window's own pass uses.
TEST_F(MainWindowTest, LangTextGivesAnyCaptionOfTheSetShown) {
    TForm1& form = Create();
    for (int set : {2, 1, 3}) {
        SCOPED_TRACE(set);
        ASSERT_TRUE(form.LangButtonClick(set));
        const auto captions = ReadCaptionSection("lang" + std::to_string(set));
        ASSERT_TRUE(captions);
        for (const char* key : {"Str100", "Str404", "Str500", "Str502", "Str623"}) {
            EXPECT_FALSE(captions->Text(key).empty()) << key;
            EXPECT_EQ(form.LangText(key), captions->Text(key)) << key;
        }
    }
}

TEST_F(MainWindowTest, LanguageSetThatFailsKeepsTheOldSetAndSaysWhy) {
    MainWindowOptions options;
    options.applyLayout = [](QWidget& form, LayoutState& state, int n) {
        if (n == 3)
            return QStringLiteral("'' is not a valid integer value.");
        return ApplyLayout(form, state, n, MainWindowTables());
    };
    TForm1& form = Create(options);
    Poll();
    const std::string title = form.AppTitle();
    const QString key1 = Caption("Key1");
    EXPECT_FALSE(form.LangButtonClick(3));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "'' is not a valid integer value.");
    EXPECT_EQ(form.LangIndex(), 1);
    EXPECT_EQ(form.AppTitle(), title);
    EXPECT_EQ(Caption("Key1"), key1);
    EXPECT_EQ(form.LangText("Str500"), ReadCaptionSection("lang1")->Text("Str500"));
    EXPECT_TRUE(ShowsImage("Img_Lang1_1", "SetS_03"));
    EXPECT_FALSE(ShowsImage("Img_Lang3_1", "SetS_03"));
}

TEST_F(MainWindowTest, RunningLabelScrollsRestoresAndIgnoresAnEmptyCaption) {
    TForm1& form = Create();
    form.Settings().TREnable = true;
    QWidget* label = form.Control("Btn_Adv_1");
    ASSERT_NE(label, nullptr);
    const QString caption = QStringLiteral("Advanced");
    ASSERT_TRUE(SetControlCaption(label, caption));

    form.HoverEnter(label);
    EXPECT_TRUE(ShowsImage("Img_Adv_1", "SetS_02"));
    EXPECT_TRUE(form.LabelRun().isActive());
    for (int i = 0; i < 3; ++i)
        form.LabelRunTimer();
    EXPECT_NE(Caption("Btn_Adv_1"), caption);
    form.HoverLeave(label);
    EXPECT_EQ(Caption("Btn_Adv_1"), caption);
    EXPECT_FALSE(form.LabelRun().isActive());
    // The current page's button shows selected again after the leave.
    EXPECT_TRUE(ShowsImage("Img_Adv_1", "SetS_01"));
    EXPECT_TRUE(ShowsImage("Img_Main_2", "SetS_03"));

    SetControlCaption(label, QString());
    form.HoverEnter(label);
    for (int i = 0; i < 3; ++i)
        form.LabelRunTimer();
    EXPECT_EQ(Caption("Btn_Adv_1"), QString());
    form.HoverLeave(label);

    // Rolling switched off: the images change, the caption never does.
    SetControlCaption(label, caption);
    form.Settings().TREnable = false;
    form.HoverEnter(label);
    form.LabelRunTimer();
    EXPECT_EQ(Caption("Btn_Adv_1"), caption);
    form.HoverLeave(label);
}

TEST_F(MainWindowTest, RunningLabelEndsHoversThatGotNoLeaveAndSkipsDisabledLabels) {
    TForm1& form = Create();
    form.Settings().TREnable = true;
    QWidget* restore = form.Control("Btn_Confirm1_1");
    QWidget* key = form.Control("Key1");
    ASSERT_NE(restore, nullptr);
    ASSERT_NE(key, nullptr);
    const QString caption = Caption("Btn_Confirm1_1");
    const QString keyCaption = Caption("Key1");
    ASSERT_FALSE(caption.isEmpty());

    // The restore buttons light all five copies of their picture.
    form.HoverEnter(restore);
    for (int copy = 1; copy <= 5; ++copy)
        EXPECT_TRUE(ShowsImage("Img_Confirm1_" + std::to_string(copy), "BtnS_02")) << copy;
    form.LabelRunTimer();
    form.LabelRunTimer();
    ASSERT_NE(Caption("Btn_Confirm1_1"), caption);
    // No leave came: the next hover gives the caption back before it starts.
    form.HoverEnter(key);
    EXPECT_EQ(Caption("Btn_Confirm1_1"), caption);
    form.HoverLeave(restore);
    for (int copy = 1; copy <= 5; ++copy)
        EXPECT_TRUE(ShowsImage("Img_Confirm1_" + std::to_string(copy), "BtnS_01")) << copy;
    // That leave came late: it ends the running hover and leaves no caption scrolled.
    EXPECT_EQ(Caption("Key1"), keyCaption);

    // The page went away under the pointer: the next tick ends the hover.
    form.HoverEnter(key);
    form.LabelRunTimer();
    ASSERT_NE(Caption("Key1"), keyCaption);
    form.Control("gbPage1")->hide();
    form.LabelRunTimer();
    EXPECT_EQ(Caption("Key1"), keyCaption);
    EXPECT_FALSE(form.LabelRun().isActive());
    form.Control("gbPage1")->show();
    form.HoverLeave(key);

    // A disabled label shows its hover picture but does not roll.
    key->setEnabled(false);
    form.HoverEnter(key);
    EXPECT_TRUE(ShowsImage("Img_Key1", "KeyS_02"));
    EXPECT_FALSE(form.LabelRun().isActive());
    form.HoverLeave(key);
    EXPECT_TRUE(ShowsImage("Img_Key1", "KeyS_01"));
}

TEST_F(MainWindowTest, FrameButtonsStayUsableUnderTheCovers) {
    TForm1& form = Create();
    int closed = 0;
    QObject::connect(&form, &TForm1::closed, [&] { ++closed; });
    form.ShowDisableAll();
    for (int n = 1; n <= 5; ++n) {
        for (std::string stem : {"Btn_Exit_", "Btn_Mini_"}) {
            QWidget* button = form.Control(stem + std::to_string(n));
            ASSERT_NE(button, nullptr);
            QWidget* page = button->parentWidget();
            EXPECT_EQ(page->childAt(button->geometry().center()), button) << stem << n;
        }
    }
    // Hovering the exit button lights all five copies; leaving puts them back.
    form.HoverEnter(form.Control("Btn_Exit_2"));
    EXPECT_TRUE(ShowsImage("Img_Exit_5", "ExitS_02"));
    form.HoverLeave(form.Control("Btn_Exit_2"));
    EXPECT_TRUE(ShowsImage("Img_Exit_5", "ExitS_01"));

    // The covers' timer may have a search for the mouse under way: the close waits for it.
    QMetaObject::invokeMethod(form.Control("Btn_Exit_3"), "clicked");
    ASSERT_TRUE(form.Worker().WaitIdle());
    QCoreApplication::processEvents();
    EXPECT_EQ(closed, 1);
}

TEST_F(MainWindowTest, OnlyThePageLogoCountsTowardsThePasswordPrompt) {
    TForm1& form = Create();
    int prompts = 0;
    const auto previous = SkinInputDialog::setResponder([&](FrmInput&) {
        ++prompts;
        return 2; // cancelled
    });
    const auto doubleClick = [&](std::string_view name) {
        QWidget* w = form.Control(name);
        ASSERT_NE(w, nullptr) << name;
        QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &event);
    };
    // A double-click on the title band (to maximise, say) never asks for a password.
    for (int n = 0; n < 10; ++n)
        doubleClick("Img_Base_1");
    EXPECT_EQ(prompts, 0);
    for (int n = 0; n < 5; ++n)
        doubleClick("Img_Logo1");
    EXPECT_EQ(prompts, 1);
    SkinInputDialog::setResponder(previous);
}

TEST_F(MainWindowTest, WebLinkOpensOnlyWhenEnabled) {
    TForm1& form = Create();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    form.Settings().WebAddress = "https://example.com/mouse";
    form.Settings().WebEnable = false;
    form.Btn_Web_0Click();
    EXPECT_TRUE(catcher.opened.isEmpty());
    EXPECT_TRUE(ShowsImage("Img_Web_4", "WebS_03"));
    form.Settings().WebEnable = true;
    form.Btn_Web_0Click();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], QUrl(QStringLiteral("https://example.com/mouse")));
}

TEST_F(MainWindowTest, CloseWaitsForATransferToEnd) {
    TForm1& form = Create();
    int closed = 0;
    QObject::connect(&form, &TForm1::closed, [&] { ++closed; });

    {
        PageHost::TransferScope transfer(form);
        form.close();
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(form.ClosePending());
        EXPECT_EQ(closed, 0);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(form.isVisible());

    // A job of the device thread holds the close the same way.
    form.show();
    std::atomic<bool> release{false};
    form.Worker().Post([&] {
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    form.close();
    EXPECT_TRUE(form.ClosePending());
    EXPECT_EQ(closed, 1);
    release = true;
    ASSERT_TRUE(form.Worker().WaitIdle());
    QCoreApplication::processEvents();
    EXPECT_EQ(closed, 2);
}

// A closed window opens no message, whose dialog would stand alone on the desktop and run its loop
// inside the window's end: the text goes to standard error. Nor does a second start of the
// program bring the window back.
TEST_F(MainWindowTest, AClosedWindowOpensNoMessageAndStaysClosed) {
    TForm1& form = Create();
    form.close();
    form.RestoreAndRaise();
    EXPECT_FALSE(form.isVisible());
    testing::internal::CaptureStderr();
    form.ShowMessage(QStringLiteral("The file could not be read.\nTry again."));
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(messages_.empty());
    EXPECT_NE(told.find("The file could not be read. Try again.\n"), std::string::npos) << told;
}

// The window can go while news from the listener is still queued for it: a mouse that left
// just before must not reach a device thread that is already being taken down.
TEST_F(MainWindowTest, GoesWhileTheListenersNewsOfALostMouseIsQueued) {
    TForm1& form = Create();
    Poll();
    ASSERT_TRUE(form.Mouse().IsAccepted());
    mouse_.Unplug();
    ASSERT_TRUE(test::WaitUntil([&] { return form.Listener()->IsWaiting(); }));
    form_.reset(); // no events processed in between: the news is still queued
}

// The real clock, noting on which thread each wait was slept: the mouse's waits (the arrival
// wait, the pause after each reply) belong on the device thread, never on the window's.
class ThreadNotingClock final : public Clock {
public:
    std::int64_t nowMicros() override { return real_.nowMicros(); }
    void sleepMicros(std::int64_t us) override {
        if (QThread::currentThread() == QCoreApplication::instance()->thread())
            ++uiSleeps;
        else
            ++otherSleeps;
        real_.sleepMicros(us);
    }
    std::atomic<int> uiSleeps{0};
    std::atomic<int> otherSleeps{0};

private:
    RealClock real_;
};

// On the real clock the arrival wait and the read take real time; they run on the device
// thread, so the window's event loop keeps turning all along. Where each wait is slept says
// so whatever the machine's load; how long the loop went unturned would not.
TEST(MainWindowRealClockTest, WindowKeepsRunningWhileTheMouseIsFoundAndRead) {
    std::vector<std::string> messages;
    const auto previous = FormMessageDialog::setResponder(
        [&](const QString& text) { messages.push_back(text.toStdString()); });
    ThreadNotingClock clock;
    SimulatedMouse mouse(StorageKind::I2C, clock);
    mouse.SetTransferLatencyMicros(300);
    MainWindowOptions options;
    options.backend = &mouse;
    options.clock = &clock;
    options.trayIcon = false;
    {
        TForm1 form(options);
        form.show();
        form.CreateLoadingWindow();
        form.DevTimer().stop();
        ASSERT_TRUE(form.Worker().WaitIdle());

        clock.uiSleeps = 0;
        clock.otherSleeps = 0;
        QElapsedTimer timer;
        timer.start();
        form.PollDevice();
        int turns = 0;
        EXPECT_TRUE(test::ProcessEventsUntil([&] {
            ++turns;
            return form.Worker().IsIdle();
        }));
        EXPECT_GE(timer.elapsed(), 2100); // the arrival wait really waited
        EXPECT_TRUE(form.Mouse().IsAccepted());
        EXPECT_FALSE(form.NoDeviceShown());
        EXPECT_EQ(clock.uiSleeps, 0) << "the UI thread waited for the mouse";
        // The arrival wait's rounds of 100 ms and a pause after each reply of the read.
        EXPECT_GE(clock.otherSleeps, 21 + 2048 / 7);
        EXPECT_GT(turns, 1) << "the event loop did not turn while the device thread worked";
    }
    FormMessageDialog::setResponder(previous);
    EXPECT_TRUE(messages.empty());
}

} // namespace
} // namespace trvx

#include "MainWindowTest.moc"
