#include "shell/ui/MainWindow.h"
#include "shell/ui/Choosers.h"
#include "shell/ui/MainWindowParts.h"

#include "base/Resources.h"
#include "controls/skinned/ui/TrayIcon.h"
#include "controls/wide/ui/UniHints.h"
#include "controls/wide/ui/UniLabel.h"
#include "device/DefaultImageSet.h"
#include "device/DefaultImages.h"
#include "device/DeviceIdSearch.h"
#include "engineering/ui/EngineerPage.h"
#include "engineering/ui/UpdatePage.h"
#include "fire/ui/FirePage.h"
#include "keys/ui/KeyPage.h"
#include "macros/ui/MacroPage.h"
#include "pages/ui/ControlText.h"
#include "platform/HeapMemory.h"
#include "platform/ui/DesktopPointerSettings.h"
#include "platform/ui/X11InputCapture.h"
#include "sensitivity/AsyncPointerSettings.h"
#include "sensitivity/ui/LightingPage.h"
#include "sensitivity/ui/SensitivityPage.h"
#include "shell/MainWindowTables.h"
#include "shell/ShellRules.h"
#include "shell/TermTable.h"
#include "shell/ui/DeviceWorker.h"
#include "shell/ui/LoadingWindow.h"
#include "shell/ui/MessageDialog.h"
#include "shell/ui/WindowCompletion.h"
#include "skin/CaptionKeys.h"
#include "skin/ui/MainWindowControls.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QScreen>
#include <QThreadPool>
#include <cstdio>
#include <cstdlib>

namespace trvx {

namespace {

// The pages whose controls are built after the first paint (or when first needed).
constexpr const char* kLaterPages[] = {"gbPage2", "gbPage3", "gbPage4",
                                       "gbPage5", "gbPage6", "gbPage7"};
// The layout pass of a whole window in steps of this many changes (about a millisecond).
constexpr std::size_t kLayoutOpsPerStep = 400;

// Last of the steps while the window waits: what only its start-up needed goes. The language
// sets read for its passes (a language switch reads its set again), then the heap pages that
// the start-up work freed, which would otherwise stay resident: on a worker, as giving them back
// takes the system some milliseconds.
void ReleaseStartUpMemory() {
    ForgetLayoutSets();
    QThreadPool::globalInstance()->start(&ReturnFreedHeapPages);
}

QIcon ApplicationIcon() {
    if (!QApplication::windowIcon().isNull())
        return QApplication::windowIcon();
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0xE0, 0x40, 0x30));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(6, 2, 20, 28), 10, 10);
    painter.setBrush(QColor(0x20, 0x20, 0x24));
    painter.drawRect(QRectF(15, 4, 2, 10));
    return QIcon(pixmap);
}

} // namespace

void TForm1::EndTransfer() {
    --uiTransfers_;
    if (closePending_ && !TransferInProgress())
        QMetaObject::invokeMethod(
            this, [this] { close(); }, Qt::QueuedConnection);
}

void TForm1::ShowBusy() {
    if (formLoadingUI_ != nullptr)
        formLoadingUI_->ShowCentred();
}

void TForm1::HideBusy() {
    if (formLoadingUI_ != nullptr)
        formLoadingUI_->hide();
}

TForm1::TForm1(MainWindowOptions options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), options_(options) {
    if (options_.clock == nullptr)
        ownClock_ = std::make_unique<RealClock>();
    clock_ = options_.clock != nullptr ? options_.clock : ownClock_.get();
    bridge_ = std::make_unique<Bridge>(*this);
    link_ = std::make_unique<DeviceLink>(*options_.backend, *clock_, bridge_.get());
    mouse_ = std::make_unique<AcceptedMouse>(*link_);
    reader_ = std::make_unique<WholeImageReader>(*mouse_, *bridge_);
    worker_ = std::make_unique<DeviceWorker>(this);
    connect(worker_.get(), &DeviceWorker::idle, this, [this] {
        if (closePending_ && !TransferInProgress())
            close();
    });

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kMainWindowCaption));
    devTimer_.setInterval(DevicePoller::kTimerIntervalMillis);
    connect(&devTimer_, &ClockTimer::timeout, this, &TForm1::PollDevice);
    labelRun_.setInterval(RunningLabel::kIntervalMillis);
    connect(&labelRun_, &ClockTimer::timeout, this, &TForm1::LabelRunTimer);

    FormCreate();
    completion_ = std::make_unique<WindowCompletion>(CompletionWork(), nullptr);
}

TForm1::~TForm1() {
    // While the device thread finishes, this thread runs events that were queued for the
    // window (a tick, the listener's news, the worker's idle): none may hand the device
    // thread new work or close the window now.
    closing_ = true;
    // The pages' own threads end first: what they report on the way is delivered below, while
    // the pages are still there to take it.
    for (Page* page : pages_)
        page->WindowEnding();
    completion_.reset();
    disconnect(worker_.get(), nullptr, this, nullptr);
    devTimer_.stop();
    labelRun_.stop();
    // The device thread may be waiting for this thread: let it finish first.
    worker_.reset();
    if (poller_ != nullptr)
        poller_->SetOpenObserver(nullptr);
    listener_.reset();
    link_->CloseDevice();
    delete formLoadingUI_;
}

void TForm1::PrefetchFirstPaint() {
    // The skin's background and the window's outline from it: the window's size and shape wait
    // for them. (The other pictures decode while the controls are made; decoding them all now
    // would only slow Qt's own start.)
    PrefetchSkinShapeMask(kSkinBackground, kShapeKey);
}

void TForm1::FormCreate() {
    // 1. The notification-area icon.
    // It gets its picture, and so shows, after the first paint: finding the desktop's
    // notification area takes a while.
    if (options_.trayIcon) {
        trayIcon_ = new TrayIcon(this);
        trayIcon_->setHint(QString::fromLatin1(kMainWindowCaption));
        connect(trayIcon_, &TrayIcon::clicked, this, &TForm1::RestoreAndRaise);
    }
    // 2, 3. The shared state starts cleared (member initialisers); no polling yet.
    devTimer_.stop();

    // 4. The controls, the skin background and the window's size from it. The first page and
    // the frame come now; what lies on the other pages is built after the first paint, or
    // at once when something asks for it (CompletePages).
    setUpFirstPage_ = true;
    PrefetchSkinShapeMask(kSkinBackground, kShapeKey);
    CreateMainWindowControls(*this, MainWindowTables(),
                             {std::begin(kLaterPages), std::end(kLaterPages)});
    SetDeferredControlDemand(*this, [this] { CompletePages(); });
    CreatePages();
    if (const QString error = LoadSkinBackground(*this, layout_); !error.isEmpty())
        RefreshFormMessagDialog(error);
    SetSkinSize();

    // 5. Centred on the screen.
    QSize screen = options_.screenSize.value_or(QSize());
    if (!options_.screenSize && QGuiApplication::primaryScreen() != nullptr)
        screen = QGuiApplication::primaryScreen()->size();
    const WindowRect place =
        CentredOnScreen(screen.width(), screen.height(), layout_.SkinWidth, layout_.SkinHeight);
    move(place.left, place.top);

    // 6. Maroon is the see-through colour: the window takes the skin's outline.
    // (The colour is painted by the form itself, not set in its palette: the controls would
    // inherit it.)
    ApplyShapeMask();

    // 7, 8. Qt paints double buffered already; the link starts with no handles.
    // 9, 11. The program and macro folders belong to the macro library, which reads them.
    // 10. The status label shows the hint of the control under the pointer.
    hints_ = new TUniApplicationHint(this);

    // 13. General settings.
    if (auto settings = LoadOrgSettings())
        settings_ = *settings;
    else
        RefreshFormMessagDialog(Widen(settings.error));
    if (options_.adjustSettings)
        options_.adjustSettings(settings_);
    layout_.GDEnable = settings_.GDEnable;
    layout_.NumOrder = settings_.NumOrder;
    // Key captions are built from the key entries in the new set, by the pages that show them.
    layout_.RebuildKeyCaptions = [this](QWidget&) {
        for (Page* page : pages_)
            if (PageReady(*page))
                page->CaptionsApplied();
    };

    // 14, 15. The macro library and the gun-key file are read by their pages when those come.

    // 16. Term captions by the user-interface locale.
    termColumn_ = TermColumnForLocale(UiLocaleFromEnvironment());

    // 17. Language set 1.
    langIndex_ = 1;
    keyCaptionLang_ = 1;

    // 19. The program's storage type and ids from the first default image.
    const auto facts =
        ReadDefaultImageHead(resource(DefaultImageResourcesOf(options_.defaultImageSet)[0]));
    if (facts) {
        storageType_ = facts->StorageType;
        defaultVid_ = facts->DefaultVID;
        defaultPid_ = facts->DefaultPID;
    }

    // 12 .. 26: the controls' start state (covers, pictures, captions, layout, the no-device
    // appearance, page 1, the current language), for the first page now.
    for (const std::function<void()>& step : SetUpSteps(false))
        step();
    setUpFirstPage_ = false;

    // 22. The application title of the set (AppTitle) titles the message dialogs and the
    // tray hint; it is not Qt's display name, which would change the window caption that the
    // single-instance check and the desktop know the window by.
    if (trayIcon_ != nullptr)
        trayIcon_->setHint(Widen(appTitle_));

    // 23. The poller, with the program's own mouse in the id table (after the user's pair, when
    // TRVX_DEVICE names one).
    DevicePollerConfig config;
    config.StorageType = storageType_;
    DeviceSearch search =
        DeviceSearchTable({defaultVid_, defaultPid_}, std::getenv(kDeviceIdsVariable));
    if (!search.warning.empty())
        std::fprintf(stderr, "%s\n", search.warning.c_str());
    config.DeviceIdTable = std::move(search.table);
    if (facts) {
        config.DefaultManuID = facts->DefaultManuID;
        config.DefaultProID = facts->DefaultProID;
    }
    config.RevManuID = static_cast<std::uint32_t>(settings_.RevManuID);
    config.RevProID = static_cast<std::uint32_t>(settings_.RevProID);
    poller_ = std::make_unique<DevicePoller>(*link_, *options_.backend, *clock_, *mouse_, *reader_,
                                             *bridge_, std::move(config), PollerTexts());

    // 27. The input-report listener.
    StartListener();

    // 28.
    update();
}

std::vector<std::function<void()>> TForm1::SetUpSteps(bool again) {
    // Run once for the first page before the first paint, and once more, in the same order,
    // for the whole window when the other pages' controls exist (`again`): every step sets its
    // controls from the window's state, so the first page ends as it was. Connections are made
    // on the second run alone, and errors are told on the first.
    std::vector<std::function<void()>> steps;
    // A read or a lost mouse shown while the window completed itself is newer than the start
    // state: on the second run, the steps that put the start state back leave it.
    const auto startState = [this, again](std::function<void()> step) {
        return [this, again, step = std::move(step)] {
            if (!again || deviceStatesShown_ == shownAtCompletion_)
                step();
        };
    };
    // 10. The status label of the hints.
    steps.push_back(
        [this] { hints_->SetHintLabel(qobject_cast<TUniLabel*>(Control("lbl_Content"))); });
    // 12. Covers up until the first good read.
    steps.push_back(startState([this] { ShowDisableAll(); }));
    // 13. Pictures; the web link's five copies sit where the general settings put them.
    steps.push_back([this, again] {
        if (const QString error = LoadSkinImages(*this, MainWindowTables());
            !error.isEmpty() && !again)
            RefreshFormMessagDialog(error);
        for (int n = 1; n <= kSkinnedPageCopies; ++n)
            for (const char* stem : {"Img_Web_", "Btn_Web_"})
                if (QWidget* w = Control(Name(stem, n)))
                    w->move(settings_.WebX, settings_.WebY);
    });
    // 16. Term captions.
    for (std::function<void()>& step : TermCaptionSteps())
        steps.push_back(std::move(step));
    // 17. The language set's layout and captions.
    auto error = std::make_shared<QString>();
    for (std::function<void()>& step : PassSteps(langIndex_, error))
        steps.push_back(std::move(step));
    steps.push_back([this, again, error] {
        if (!error->isEmpty() && !again)
            RefreshFormMessagDialog(*error);
        appTitle_ = layout_.AppTitle;
        fontName_ = layout_.FontName;
        noDeviceText_ = layout_.NoDeviceText;
    });
    // 18. The pages connect their controls (the name lists take the set's item height).
    if (again)
        for (Page* page : pages_)
            steps.push_back([page] { page->Wire(); });
    // 20. The no-device appearance.
    for (std::function<void()>& step : RefreshErrorAPSteps())
        steps.push_back(startState(std::move(step)));
    // 24. Page 1.
    steps.push_back(startState([this] { ShowOnlyPage(1); }));
    // 25. Numbers in the edits are right-aligned (each page aligns its own, in Wire); the
    // frame's buttons and backgrounds answer the mouse.
    if (again)
        steps.push_back([this] { WireControls(); });
    // 26. The current language button: layout once more, its mark and the title.
    for (std::function<void()>& step :
         SwitchLanguageSteps(langIndex_, !again, std::make_shared<bool>()))
        steps.push_back(std::move(step));
    return steps;
}

bool TForm1::PageReady(const Page& page) const {
    // Until the other pages exist, only the first page's own page takes part.
    return !setUpFirstPage_ || page.PageNumber() == 1;
}

void TForm1::CompletePages() {
    // Everything that is left, now: something needs the whole window.
    if (completion_ != nullptr)
        completion_->CompleteNow();
}

bool TForm1::PagesComplete() const {
    return completion_ != nullptr && completion_->Complete();
}

WindowCompletion::Work TForm1::CompletionWork() {
    WindowCompletion::Work work;
    work.buildControls = [this](const WindowCompletion::TimeLeft& timeLeft) {
        return !HasDeferredControls(*this) || CreateDeferredControls(*this, timeLeft);
    };
    work.setUpSteps = [this] { return SetUpSteps(true); };
    work.started = [this] {
        shownAtCompletion_ = deviceStatesShown_;
        if (trayIcon_ != nullptr)
            trayIcon_->setIcon(ApplicationIcon());
        // The first page is set up again with the others; it shows once all of it is done.
        setUpdatesEnabled(false);
    };
    work.finished = [this] {
        setUpdatesEnabled(true);
        std::vector<WindowCompletion::Step> idle = FormMessageDialog::PreparationSteps(this);
        idle.push_back(&ReleaseStartUpMemory);
        completion_->AddIdleSteps(std::move(idle));
    };
    return work;
}

void TForm1::CreatePages() {
    auto keys = new KeyPage(*this, this);
    auto macros = new MacroPage(*this, this);
    auto update = new UpdatePage(*this, this);
    auto engineer = new EngineerPage(*this, this);
    pages_ = {keys,
              new SensitivityPage(*this, this,
                                  options_.pointerSettings ? options_.pointerSettings()
                                                           : std::make_unique<AsyncPointerSettings>(
                                                                 &MakeDesktopPointerSettings)),
              new LightingPage(*this, this),
              macros,
              update,
              new FirePage(*this, this),
              engineer};
    keyPage_ = keys;
    macroPage_ = macros;
    updatePage_ = update;
    engineerPage_ = engineer;
}

std::unique_ptr<InputCapture> TForm1::NewInputCapture() {
    return options_.inputCapture ? options_.inputCapture() : MakeInputCapture();
}

Page* TForm1::PageOf(int pageNumber) const {
    for (Page* page : pages_)
        if (page->PageNumber() == pageNumber)
            return page;
    return nullptr;
}

std::vector<std::function<void()>> TForm1::PassSteps(int langIndex,
                                                     std::shared_ptr<QString> error) {
    if (options_.applyLayout)
        return {
            [this, langIndex, error] { *error = options_.applyLayout(*this, layout_, langIndex); }};
    return LayoutPassSteps(*this, layout_, langIndex, MainWindowTables(), std::move(error),
                           kLayoutOpsPerStep);
}

DevicePollerTexts TForm1::PollerTexts() const {
    return {LangText("Str100"), LangText("Str101"),   LangText("Str102"),
            LangText("Str107"), LangText(kReplugKey), LangText(kOpenRefusedKey)};
}

TFormLoadingUI* TForm1::CreateLoadingWindow() {
    if (formLoadingUI_ == nullptr) {
        formLoadingUI_ = new TFormLoadingUI(*this, options_.clock);
        devTimer_.start();
    }
    return formLoadingUI_;
}

std::string TForm1::LangText(std::string_view key) const {
    return CaptionsOfSet(keyCaptionLang_).Text(key);
}

QWidget* TForm1::Control(std::string_view name) const {
    // Whoever looks for a control gets the whole window.
    const_cast<TForm1*>(this)->CompletePages();
    return FindControl(*this, name);
}

void TForm1::RestoreAndRaise() {
    // The program is ending: its window does not come back.
    if (closing_)
        return;
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (TransferInProgress()) {
        // Ending in the middle of a transfer would leave the mouse half written: close when
        // it has ended.
        closePending_ = true;
        event->ignore();
        return;
    }
    closePending_ = false;
    closing_ = true;
    FinishClose();
    event->accept();
    emit closed();
}

void TForm1::paintEvent(QPaintEvent*) {
    // The first page is on screen: the others are built now, a slice at a time.
    if (completion_ != nullptr)
        completion_->Schedule();
    QPainter painter(this);
    if (mask().isEmpty()) {
        painter.fillRect(rect(), palette().color(QPalette::Window));
        return;
    }
    // Under the pages the skin's own background, so a page without a picture of its own
    // (the fire page before it is filled) still sits on the skin.
    painter.fillRect(rect(), QColor(kShapeKey));
    painter.drawImage(0, 0, SkinImage("L1_BackGround"));
}

void TForm1::FinishClose() {
    devTimer_.stop();
    labelRun_.stop();
    if (formLoadingUI_ != nullptr)
        formLoadingUI_->hide();
    if (trayIcon_ != nullptr)
        trayIcon_->setIconVisible(false);
}

} // namespace trvx
