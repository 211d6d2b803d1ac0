#pragma once
// The main window: the borderless skinned form with its seven pages and side menu, the shared
// state every page reads, the device link and the poller that follows the mouse.
//
// The poller and the whole-image read run on the device thread (DeviceWorker); what they ask of
// the window runs here on the UI thread, so the window keeps painting during a read.

#include "controls/wide/ui/ClockTimer.h"
#include "device/AcceptedMouse.h"
#include "device/Clock.h"
#include "device/DeviceLink.h"
#include "device/DevicePoller.h"
#include "device/ImageLayout.h"
#include "device/InputListener.h"
#include "device/WholeImageRead.h"
#include "keys/KeyEntryText.h"
#include "shell/RunningLabel.h"
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

namespace trvx {

class DeviceWorker;
class TFormLoadingUI;
class TrayIcon;

inline constexpr char kMainWindowCaption[] = "TRVX4410B Gaming Mouse v1.0";

struct MainWindowOptions {
    HidBackend* backend = nullptr; // the mouse's road; not owned, outlives the window
    Clock* clock = nullptr;        // not owned; the real clock when null
    // The screen the window is centred on; the primary screen's size when empty.
    std::optional<QSize> screenSize;
    bool trayIcon = true;
    // The default images the program is built around; their first fixes its storage type.
    StorageKind defaultImageSet = StorageKind::I2C;
    // The layout and caption pass; ApplyLayout when empty (tests put a failing set here).
    std::function<QString(QWidget& form, LayoutState& state, int langIndex)> applyLayout;
};

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(MainWindowOptions options, QWidget* parent = nullptr);
    ~TForm1() override;

    // Creates the busy window (after the main window is complete) and switches DevTimer on,
    // which starts the device polling.
    TFormLoadingUI* CreateLoadingWindow();
    TFormLoadingUI* FormLoadingUI() const { return formLoadingUI_; }

    // ---- Shared state ------------------------------------------------------------------
    bool FillingUI = false;
    bool NoDeviceShown = false;
    bool RefreshingKeyTexts = false;
    bool InsertPanelOpen = false;
    bool PatchFileLoaded = false;
    int LangIndex = 1;
    std::string AppTitle;
    std::string FontName;
    std::string NoDeviceText;
    GeneralSettings Settings;
    LayoutState Layout;
    std::uint8_t TermColumn = 0;
    std::array<std::string, 21> LEDModeNames;
    StorageKind StorageType = StorageKind::None; // the program's, from the first default image

    // The working copy of the mouse's image the pages show and change.
    WorkingModel& Model() { return model_; }
    DeviceLink& Link() { return *link_; }
    AcceptedMouse& Mouse() { return *mouse_; }
    DevicePoller* Poller() { return poller_.get(); }
    DeviceWorker& Worker() { return *worker_; }
    InputListener* Listener() { return listener_.get(); }
    // Real timers, or driven by the virtual clock when a VirtualTimerScheduler is current.
    ClockTimer& DevTimer() { return devTimer_; }
    ClockTimer& LabelRun() { return labelRun_; }
    RunningLabel& RunLabel() { return runLabel_; }
    TrayIcon* TrayIcon1() const { return trayIcon_; }
    // The caption texts of the current set, by key ("Str100").
    std::string LangText(std::string_view key) const;

    // ---- Window and pages ----------------------------------------------------------------
    QWidget* Control(std::string_view name) const;
    void HideAllMenu();
    void ClearAP() { HideAllMenu(); }
    void SetSkinSize();
    void SetEngineerSize();
    void ButtonTypeB_1IconInit();
    void RefreshAPPage();
    // A page button of the side menu, by family ("Adv", "Breath", "Macro", "Update",
    // "Engineer"); the key-page families belong to the key page.
    void PageButtonClick(std::string_view family);
    void Btn_Minimize_0Click();
    void Btn_Exit_0Click() { close(); }
    // The page that is visible now (1..7), 0 when none is.
    int VisiblePage() const;
    // The checked state radio (1..8).
    int CheckedRadio() const { return checkedRadio_; }

    // ---- Feedback ------------------------------------------------------------------------
    void ShowDisableAll();
    void HideDisableAll();
    void RefreshFormMessagDialog(const QString& text);
    void LabelRunTimer();
    void HoverEnter(QWidget* label);
    void HoverLeave(QWidget* label);

    // ---- Languages -----------------------------------------------------------------------
    // Switches to language set n (1..3). On an error the old set stays, the user sees the
    // message, and false is returned.
    bool LangButtonClick(int n);
    void Btn_Web_0Click();
    void SelectTermLanguage(std::uint8_t column);
    void ApplyTermCaptions();
    // Key1 .. Key12 from the entries of profile p (1..3) in the current set.
    void RefreshProfileKeys(int profile);
    // The engineering page's key buttons of profile p.
    void TLRefreshProfileKeys(int profile);

    // ---- Device --------------------------------------------------------------------------
    // The no-device appearance: default image 1 on the pages, page 1, menu marks reset.
    void RefreshErrorAP();
    // One DevTimer tick, handed to the device thread unless a job is still running there.
    void PollDevice();
    // A transfer of the device thread or of a page is under way.
    bool TransferInProgress() const;
    // Pages that talk to the mouse from the UI thread mark the transfer with this, so a close
    // waits for it.
    class TransferScope {
    public:
        explicit TransferScope(TForm1& form) : form_(form) { ++form_.uiTransfers_; }
        ~TransferScope();
        TransferScope(const TransferScope&) = delete;
        TransferScope& operator=(const TransferScope&) = delete;

    private:
        TForm1& form_;
    };
    // The window is waiting for a transfer to end before it closes.
    bool ClosePending() const { return closePending_; }

    // Raised by a second start of the program.
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

private slots:
    void onControlClicked();
    void onControlEnter();
    void onControlLeave();

private:
    class Bridge;
    friend class Bridge;

    void FormCreate();
    void WireControls();
    void ApplyShapeMask();
    void SizePages(); // pages 1 to 6 to the skin, the engineering page to its own size
    void SetPicture(std::string_view control, std::string_view image);
    void SetPictureCopies(std::string_view family, std::string_view image);
    void CheckRadio(int radio);
    void ShowOnlyPage(int page);
    void HandleClick(const QString& name);
    void EnterNoDeviceAppearanceOnUi(const std::string& message);
    void FillPagesOnUi(StorageKind kind);
    void StartListener();
    void FinishClose();
    const CaptionSection& CaptionsOfSet(int n);
    KeyEntryContext KeyContext();
    DevicePollerTexts PollerTexts() const;
    QString RunLayoutPass(int langIndex);

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
    int checkedRadio_ = 1;
    int uiTransfers_ = 0;
    std::atomic<bool> tickPending_{false};
    bool closePending_ = false;
    bool closing_ = false;
    std::array<std::optional<CaptionSection>, 3> captionSets_;
    int keyCaptionLang_ = 1; // the set key captions are built in (the new one during a switch)
    std::uint32_t defaultVid_ = 0;
    std::uint32_t defaultPid_ = 0;
};

} // namespace trvx
