#pragma once
// The main window: the borderless skinned form with its seven pages and side menu, the shared
// state every page reads, the device link and the poller that follows the mouse.
//
// The poller and the whole-image read run on the device thread (DeviceWorker); what they ask of
// the window runs here on the UI thread, so the window keeps painting during a read.

#include "base/Clock.h"
#include "controls/wide/ui/ClockTimer.h"
#include "device/AcceptedMouse.h"
#include "device/DeviceLink.h"
#include "device/DevicePoller.h"
#include "device/ImageLayout.h"
#include "device/InputListener.h"
#include "device/WholeImageRead.h"
#include "engineering/EngineerRules.h"
#include "macros/InputCapture.h"
#include "pages/ui/PageHost.h"
#include "sensitivity/PointerSettings.h"
#include "shell/RunningLabel.h"
#include "shell/ShellRules.h"
#include "shell/ui/WindowCompletion.h"
#include "skin/CaptionText.h"
#include "skin/GeneralSettings.h"
#include "skin/ui/LayoutPass.h"

#include <QString>
#include <QWidget>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace trvx {

class TFormLoadingUI;
class TrayIcon;
class TUniApplicationHint;

inline constexpr char kMainWindowCaption[] = "TRVX4410B Gaming Mouse v1.0";

struct MainWindowOptions {
    HidBackend* backend = nullptr; // the mouse's road; not owned, outlives the window
    Clock* clock = nullptr;        // not owned; the real clock when null
    // The screen the window is centred on and kept on when it grows; the primary screen's size
    // to centre on and the window's own screen to keep on when empty.
    std::optional<QSize> screenSize;
    bool trayIcon = true;
    // The default images the program is built around; their first fixes its storage type.
    StorageKind defaultImageSet = StorageKind::I2C;
    // The layout and caption pass; ApplyLayout when empty (tests put a failing set here).
    std::function<QString(QWidget& form, LayoutState& state, int langIndex)> applyLayout;
    // The desktop's pointer settings the sensitivity page edits; the desktop's own when empty
    // (tests and the scenario runner put a fake here).
    std::function<std::unique_ptr<PointerSettings>()> pointerSettings;
    // The captures the macro and fire-macro recorders listen through; the desktop's when empty
    // (global on X11, else our own window's).
    std::function<std::unique_ptr<InputCapture>()> inputCapture;
    // Changes the general settings after they are read (the scenario runner's `setting` step).
    std::function<void(GeneralSettings&)> adjustSettings;
};

class DeviceWorker;
class EngineerPage;
class KeyPage;
class MacroPage;
class Page;
class UpdatePage;

// The window keeps the frame, the side menu, the languages and the state every page shares;
// each page is a class of its own subsystem, which sees the window through PageHost.
class TForm1 : public QWidget, public PageHost {
    Q_OBJECT
public:
    explicit TForm1(MainWindowOptions options, QWidget* parent = nullptr);
    ~TForm1() override;

    // Starts decoding, on a worker, the picture the window's size and outline come from, so
    // that it is ready when the window is built (the program calls it before Qt starts).
    static void PrefetchFirstPaint();

    // Creates the busy window (after the main window is complete) and switches DevTimer on,
    // which starts the device polling.
    TFormLoadingUI* CreateLoadingWindow();
    TFormLoadingUI* FormLoadingUI() const { return formLoadingUI_; }

    // ---- PageHost ------------------------------------------------------------------------
    AcceptedMouse& Mouse() override { return *mouse_; }
    DeviceLink& Link() override { return *link_; }
    // Whoever may change the working image or the settings gets the whole window first: its
    // set-up, done again when the other pages come, starts from them.
    WorkingModel& Model() override { return *Complete(&model_); }
    StorageKind StorageType() const override { return storageType_; }
    bool FillingUI() const override { return fillingUI_; }
    bool NoDeviceShown() const override { return noDeviceShown_; }
    bool Closing() const override { return closing_; }
    const GeneralSettings& Settings() const override { return settings_; }
    GeneralSettings& Settings() { return *Complete(&settings_); }
    const LayoutState& Layout() const override { return layout_; }
    void ShowMessage(const QString& text) override { RefreshFormMessagDialog(text); }
    void ShowDisableAll() override;
    void HideDisableAll() override;
    void ShowBusy() override;
    void HideBusy() override;
    void HideAllMenu() override;
    void StartRunningLabel(QWidget* label) override;
    void StopRunningLabel() override;
    int LangIndex() const override { return langIndex_; }
    const CaptionSection& CaptionSet() override { return CaptionsOfSet(keyCaptionLang_); }
    // Any caption text of the current set, by key ("Str100").
    std::string LangText(std::string_view key) const override;
    QWidget* Control(std::string_view name) const override;
    void SetPicture(std::string_view control, std::string_view image) override;
    // Whole-image transfers of the update and engineering pages (MainWindowTransfers.cpp).
    void RunDeviceJob(std::function<void()> job) override;
    void ResetAndReconnect() override;
    WholeImageReadResult ReadWholeImage() override;
    void SetPolling(bool on) override;
    void RefreshPages(StorageKind kind) override;
    void KeyEntriesChanged() override;
    void PaletteChanged() override;
    SectionDefaultsContext SectionDefaults(StorageKind kind) override;
    std::optional<QString> ChooseFile(bool save, const QString& caption,
                                      const QString& filter) override;
    bool Ask(const QString& text) override;
    std::optional<QColor> ChooseColor(const QColor& initial) override;
    const std::array<std::string, 21>& LedModeNames() const override { return ledModeNames_; }
    EngineeringAccess& Access() override { return access_; }
    std::unique_ptr<InputCapture> NewInputCapture() override;

    // ---- Shared state --------------------------------------------------------------------
    const std::string& AppTitle() const { return appTitle_; }
    const std::string& NoDeviceText() const { return noDeviceText_; }
    std::uint8_t TermColumn() const { return termColumn_; }
    const std::array<std::string, 21>& LEDModeNames() const { return ledModeNames_; }

    DevicePoller* Poller() { return poller_.get(); }
    DeviceWorker& Worker() { return *worker_; }
    InputListener* Listener() { return listener_.get(); }
    // Real timers, or driven by the virtual clock when a VirtualTimerScheduler is current.
    ClockTimer& DevTimer() { return devTimer_; }
    ClockTimer& LabelRun() { return labelRun_; }
    RunningLabel& RunLabel() { return runLabel_; }
    TrayIcon* TrayIcon1() const { return trayIcon_; }

    // ---- Pages ---------------------------------------------------------------------------
    // The window shows its first page before the others' controls exist; they are built a
    // slice at a time after the first paint. Whoever asks for a page or a control (Control, a
    // click, a device event) has the whole window built at once first.
    void CompletePages();
    bool PagesComplete() const;
    KeyPage& keyPage() const { return *Complete(keyPage_); }
    MacroPage& macroPage() const { return *Complete(macroPage_); }
    UpdatePage& updatePage() const { return *Complete(updatePage_); }
    EngineerPage& engineerPage() const { return *Complete(engineerPage_); }

    // ---- Window and side menu ------------------------------------------------------------
    void ClearAP() { HideAllMenu(); }
    void SetSkinSize();
    void SetEngineerSize();
    void ButtonTypeB_1IconInit();
    void RefreshAPPage();
    // A page button of the side menu, by family ("Main", "Adv", "Breath", "Macro", ...).
    void PageButtonClick(std::string_view family);
    void Btn_Minimize_0Click();
    void Btn_Exit_0Click() { close(); }
    // The page that is visible now (1..7), 0 when none is.
    int VisiblePage() const;
    // The checked state radio (1..8).
    int CheckedRadio() const { return checkedRadio_; }

    // ---- Feedback ------------------------------------------------------------------------
    void RefreshFormMessagDialog(const QString& text);
    void LabelRunTimer();
    // The hovered label's caption was rewritten (a language switch): scroll the new one.
    void RestartRunningLabel();
    void HoverEnter(QWidget* label);
    void HoverLeave(QWidget* label);

    // ---- Languages -----------------------------------------------------------------------
    // Switches to language set n (1..3). On an error the old set stays, the user sees the
    // message, and false is returned.
    bool LangButtonClick(int n);
    void Btn_Web_0Click();
    void SelectTermLanguage(std::uint8_t column);
    void ApplyTermCaptions();

    // ---- Device --------------------------------------------------------------------------
    // The no-device appearance: default image 1 on the pages, page 1, menu marks reset.
    void RefreshErrorAP();
    // One DevTimer tick, handed to the device thread unless a job is still running there.
    void PollDevice();
    // A transfer of the device thread or of a page is under way.
    bool TransferInProgress() const;
    // The window is waiting for a transfer to end before it closes.
    bool ClosePending() const { return closePending_; }

    // Raised by a second start of the program or the tray icon; a closing window stays closed.
    void RestoreAndRaise();

signals:
    // The window closed for good (the program ends).
    void closed();
    // Input-report listener results, on the UI thread, for the pages that show them.
    void inputButtonTest(int button, bool held);
    void currentCpiRead(int level);
    void currentProfileRead(int profileByte);

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void SetFillingUI(bool on) override { fillingUI_ = on; }
    void BeginTransfer() override { ++uiTransfers_; }
    void EndTransfer() override;

private slots:
    void onControlClicked();
    void onControlEnter();
    void onControlLeave();

private:
    EngineeringAccess access_;
    class Bridge;
    friend class Bridge;

    void FormCreate();
    // The steps that put the controls into their start state, in order (see MainWindow.cpp).
    std::vector<std::function<void()>> SetUpSteps(bool again);
    // Whether a page takes part in the set-up yet (its controls exist).
    bool PageReady(const Page& page) const;
    // What completing the window after its first paint builds and sets up.
    WindowCompletion::Work CompletionWork();
    template <class T> T* Complete(T* page) const {
        const_cast<TForm1*>(this)->CompletePages();
        return page;
    }
    bool SwitchLanguage(int n, bool tellErrors);
    // The parts of the set-up that the window also does on its own, as steps for the set-up.
    std::vector<std::function<void()>> SwitchLanguageSteps(int n, bool tellErrors,
                                                           std::shared_ptr<bool> switched);
    std::vector<std::function<void()>> RefreshErrorAPSteps();
    std::vector<std::function<void()>> TermCaptionSteps();
    std::vector<std::function<void()>> PassSteps(int langIndex, std::shared_ptr<QString> error);
    void CreatePages();
    void WireControls();
    void ApplyShapeMask();
    void SizePages(); // pages 1 to 6 to the skin, the engineering page to its own size
    void SetPictureCopies(std::string_view family, std::string_view image);
    void CheckRadio(int radio);
    void ShowOnlyPage(int page);
    void HandleClick(const QString& name);
    void EnterNoDeviceAppearanceOnUi(const std::string& message);
    void FillPagesOnUi(StorageKind kind);
    void StartListener();
    void FinishClose();
    const CaptionSection& CaptionsOfSet(int n) const;
    DevicePollerTexts PollerTexts() const;
    Page* PageOf(int pageNumber) const;

    MainWindowOptions options_;
    std::unique_ptr<RealClock> ownClock_;
    Clock* clock_;
    std::unique_ptr<Bridge> bridge_;
    std::unique_ptr<DeviceLink> link_;
    std::unique_ptr<AcceptedMouse> mouse_;
    std::unique_ptr<WholeImageReader> reader_;
    WorkingModel model_;
    std::unique_ptr<DevicePoller> poller_;
    std::unique_ptr<InputListener> listener_;
    std::unique_ptr<DeviceWorker> worker_;
    TFormLoadingUI* formLoadingUI_ = nullptr;
    TrayIcon* trayIcon_ = nullptr;
    ClockTimer devTimer_;
    ClockTimer labelRun_;
    RunningLabel runLabel_;

    // The pages, children of the window, in page order.
    std::vector<Page*> pages_;
    KeyPage* keyPage_ = nullptr;
    MacroPage* macroPage_ = nullptr;
    UpdatePage* updatePage_ = nullptr;
    EngineerPage* engineerPage_ = nullptr;

    // Shared state.
    bool fillingUI_ = false;
    bool noDeviceShown_ = false;
    int langIndex_ = 1;
    std::string appTitle_;
    std::string fontName_;
    std::string noDeviceText_;
    GeneralSettings settings_;
    LayoutState layout_;
    std::uint8_t termColumn_ = 0;
    std::array<std::string, 21> ledModeNames_;
    StorageKind storageType_ = StorageKind::None; // the program's, from the first default image

    int checkedRadio_ = 1;
    // Where the window was before the engineering page grew it; empty at the skin size.
    std::optional<WindowGrowth> growth_;
    int uiTransfers_ = 0;
    std::atomic<bool> tickPending_{false};
    bool closePending_ = false;
    bool closing_ = false;
    mutable std::array<std::optional<CaptionSection>, 3> captionSets_; // read when first asked
    int keyCaptionLang_ = 1; // the set key captions are built in (the new one during a switch)
    std::uint32_t defaultVid_ = 0;
    std::uint32_t defaultPid_ = 0;

    // Building the window after its first paint.
    TUniApplicationHint* hints_ = nullptr;
    bool setUpFirstPage_ = false; // the first run of the set-up, before the other pages exist
    std::unique_ptr<WindowCompletion> completion_;
    // Device states shown (a read, a lost mouse), all told and when the completion started.
    std::uint64_t deviceStatesShown_ = 0;
    std::uint64_t shownAtCompletion_ = 0;
};

} // namespace trvx
