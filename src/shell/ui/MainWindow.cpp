#include "shell/ui/MainWindow.h"

#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/skinned/ui/SkinListBox.h"
#include "controls/skinned/ui/TrayIcon.h"
#include "controls/wide/ui/UniHints.h"
#include "controls/wide/ui/UniLabel.h"
#include "controls/wide/ui/UniListBox.h"
#include "device/DefaultImageSet.h"
#include "device/DeviceIdSearch.h"
#include "device/DefaultImages.h"
#include "platform/Resources.h"
#include "shell/ShellRules.h"
#include "shell/TermCaptions.h"
#include "shell/TermTable.h"
#include "shell/ui/ControlText.h"
#include "shell/ui/DeviceWorker.h"
#include "shell/ui/LoadingWindow.h"
#include "shell/ui/MessageDialog.h"
#include "skin/CaptionKeys.h"
#include "skin/ui/MainWindowControls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBitmap>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace trvx {

namespace {

constexpr int kEngineerWidth = 1256;
constexpr int kEngineerHeight = 680;
constexpr QRgb kShapeKey = 0xFF800000; // RGB(128, 0, 0): see-through

const char* const kMenuPanels[] = {
    "Pnl_Main",         "Pnl_MseKey",         "Pnl_Special", "Pnl_Media",    "Pnl_WWW",
    "Pnl_MyPC",         "Pnl_FireKey",        "Pnl_CPIKey",  "Pnl_ACPI",     "Pnl_Profile",
    "LB_Name",          "LB_Script",          "Pnl_PCMacro", "Pnl_DevMacro", "Pnl_DevContent",
    "Pnl_DevFireMacro", "Pnl_DevFireContent", "Pnl_AdjustXY"};

const char* const kRightAlignedEdits[] = {
    "Edt_Repeat1",        "Edt_Repeat2",        "Edt_Repeat3",      "Edt_DelayTime1",
    "Edt_DelayTime2",     "Edt_DelayTime3",     "Edt_Delay",        "Edt_InsertDelay",
    "edt_Repeat",         "edt_XAxisValue",     "edt_YAxisValue",   "Edt_FireCnt1",
    "Edt_FireCnt2",       "Edt_FireCnt3",       "Edt_FireTime1",    "Edt_FireTime2",
    "Edt_FireTime3",      "Edt_FireX1",         "Edt_FireX2",       "Edt_FireX3",
    "Edt_FireX1Offset",   "Edt_FireX2Offset",   "Edt_FireX3Offset", "Edt_FireY1Offset",
    "Edt_FireY2Offset",   "Edt_FireY3Offset",   "Edt_FireY1",       "Edt_FireY2",
    "Edt_FireY3",         "Edt_FireDelay",      "edt_FireRepeat",   "edt_FireXAxisValue",
    "edt_FireYAxisValue", "Edt_InsertFireDelay"};

std::string Name(std::string_view stem, int n) {
    return std::string(stem) + std::to_string(n);
}

QString Widen(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

bool IsKeyLabel(std::string_view name) {
    if (name.size() < 4 || name.substr(0, 3) != "Key")
        return false;
    const std::string_view digits = name.substr(3);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const int n = std::stoi(std::string(digits));
    return n >= 1 && n <= 12;
}

bool IsMenuFamily(std::string_view family) {
    return std::find(kMenuFamilies.begin(), kMenuFamilies.end(), family) != kMenuFamilies.end();
}

int LangOfFamily(std::string_view family) {
    if (family == "Lang1")
        return 1;
    if (family == "Lang2")
        return 2;
    if (family == "Lang3")
        return 3;
    return 0;
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

// The window as the device core sees it. The poller and the reader call it on the device
// thread; every call that touches widgets is carried over to the UI thread and waited for.
class TForm1::Bridge final : public DeviceLifecycleView, public PageFillView, public BusyIndicator {
public:
    explicit Bridge(TForm1& form) : form_(form) {}

    // DeviceLifecycleView
    void StartTimer() override {
        RunOnUi(&form_, [this] { form_.devTimer_.start(); });
    }
    void StopTimer() override {
        RunOnUi(&form_, [this] { form_.devTimer_.stop(); });
    }
    void ProcessEvents() override {
        // The device thread has nothing to let run: the UI thread runs its own loop.
        if (QThread::currentThread() == form_.thread())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    void ShowNoDevice(const std::string& message) override {
        RunOnUi(&form_, [&] { form_.EnterNoDeviceAppearanceOnUi(message); });
    }
    void ShowNoDeviceAppearance() override {
        RunOnUi(&form_, [this] { form_.RefreshErrorAP(); });
    }
    void ShowMessageDialog(const std::string& text) override {
        RunOnUi(&form_, [&] { form_.RefreshFormMessagDialog(Widen(text)); });
    }
    void ShowSystemMessage(const std::string& text) override {
        RunOnUi(&form_,
                [&] { FormMessageDialog::Show(&form_, Widen(text), QString(), QString()); });
    }
    void ShowReadIds(std::uint8_t manuId, std::uint8_t proId) override {
        RunOnUi(&form_, [&] {
            SetControlCaption(form_.Control("edt_VendorID_Rd"), QString::number(manuId));
            SetControlCaption(form_.Control("edt_ProductID_Rd"), QString::number(proId));
        });
    }

    // PageFillView
    void BeginRead() override {
        RunOnUi(&form_, [this] {
            form_.FillingUI = true;
            form_.devTimer_.stop();
            form_.ShowDisableAll();
            if (form_.formLoadingUI_ != nullptr)
                form_.formLoadingUI_->ShowCentred();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    }
    SectionDefaultsContext SectionDefaults(StorageKind kind) override {
        return {kind, "RGB", 1, form_.link_->VendorId(), form_.link_->ProductId()};
    }
    void FillPages(const WorkingImages&, StorageKind kind) override {
        RunOnUi(&form_, [&] { form_.FillPagesOnUi(kind); });
    }
    void ShowReadFailed() override {
        RunOnUi(&form_, [this] {
            form_.RefreshFormMessagDialog(Widen(form_.LangText(kReadLostKey)));
        });
    }
    void EndRead(bool pagesFilled) override {
        RunOnUi(&form_, [this, pagesFilled] {
            if (form_.formLoadingUI_ != nullptr)
                form_.formLoadingUI_->hide();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            form_.devTimer_.start();
            if (pagesFilled)
                form_.HideDisableAll();
            form_.FillingUI = false;
        });
    }

    // BusyIndicator: the link shows the busy window from whichever thread talks to the mouse.
    void ShowBusy() override {
        PostToUi(&form_, [this] {
            if (form_.formLoadingUI_ != nullptr)
                form_.formLoadingUI_->ShowCentred();
        });
    }
    void HideBusy() override {
        PostToUi(&form_, [this] {
            if (form_.formLoadingUI_ != nullptr)
                form_.formLoadingUI_->hide();
        });
    }

private:
    TForm1& form_;
};

TForm1::TransferScope::~TransferScope() {
    --form_.uiTransfers_;
    if (form_.closePending_ && !form_.TransferInProgress())
        QMetaObject::invokeMethod(
            &form_, [f = &form_] { f->close(); }, Qt::QueuedConnection);
}

TForm1::TForm1(MainWindowOptions options, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), options_(options) {
    if (options_.clock == nullptr)
        ownClock_ = std::make_unique<RealClock>();
    clock_ = options_.clock != nullptr ? options_.clock : ownClock_.get();
    bridge_ = std::make_unique<Bridge>(*this);
    link_ = std::make_unique<DeviceLink>(*options_.backend, *clock_, bridge_.get());
    mouse_ = std::make_unique<AcceptedMouse>(*link_);
    reader_ = std::make_unique<WholeImageReader>(*mouse_, *bridge_, Images);
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
}

TForm1::~TForm1() {
    // While the device thread finishes, this thread runs events that were queued for the
    // window (a tick, the listener's news, the worker's idle): none may hand the device
    // thread new work or close the window now.
    closing_ = true;
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

void TForm1::FormCreate() {
    // 1. The notification-area icon.
    if (options_.trayIcon) {
        trayIcon_ = new TrayIcon(this);
        trayIcon_->setHint(QString::fromLatin1(kMainWindowCaption));
        trayIcon_->setIcon(ApplicationIcon());
        connect(trayIcon_, &TrayIcon::clicked, this, &TForm1::RestoreAndRaise);
    }
    // 2, 3. The shared state starts cleared (member initialisers); no polling yet.
    devTimer_.stop();

    // 4. The controls, the skin background and the window's size from it.
    CreateMainWindowControls(*this);
    if (const QString error = LoadSkinBackground(*this, Layout); !error.isEmpty())
        RefreshFormMessagDialog(error);
    SetSkinSize();

    // 5. Centred on the screen.
    QSize screen = options_.screenSize.value_or(QSize());
    if (!options_.screenSize && QGuiApplication::primaryScreen() != nullptr)
        screen = QGuiApplication::primaryScreen()->size();
    const WindowRect place =
        CentredOnScreen(screen.width(), screen.height(), Layout.SkinWidth, Layout.SkinHeight);
    move(place.left, place.top);

    // 6. Maroon is the see-through colour: the window takes the skin's outline.
    // (The colour is painted by the form itself, not set in its palette: the controls would
    // inherit it.)
    ApplyShapeMask();

    // 7, 8. Qt paints double buffered already; the link starts with no handles.
    // 9, 11. The program and macro folders belong to the macro library, which reads them.
    // 10. The status label shows the hint of the control under the pointer.
    auto* hints = new TUniApplicationHint(this);
    hints->SetHintLabel(qobject_cast<TUniLabel*>(Control("lbl_Content")));

    // 12. Covers up until the first good read.
    ShowDisableAll();

    // 13. Pictures and general settings.
    if (const QString error = LoadSkinImages(*this); !error.isEmpty())
        RefreshFormMessagDialog(error);
    if (auto settings = LoadOrgSettings())
        Settings = *settings;
    else
        RefreshFormMessagDialog(Widen(settings.error));
    // The web link's five copies sit where the general settings put them.
    for (int n = 1; n <= kSkinnedPageCopies; ++n)
        for (const char* stem : {"Img_Web_", "Btn_Web_"})
            if (QWidget* w = Control(Name(stem, n)))
                w->move(Settings.WebX, Settings.WebY);
    Layout.GDEnable = Settings.GDEnable;
    Layout.NumOrder = Settings.NumOrder;
    Layout.RebuildKeyCaptions = [this](QWidget&) {
        RefreshProfileKeys(checkedRadio_ >= 1 && checkedRadio_ <= 3 ? checkedRadio_ : 1);
        for (int p = 1; p <= 3; ++p)
            TLRefreshProfileKeys(p);
    };

    // 14, 15. The macro library and the gun-key file are read by their pages when those come.

    // 16. Term captions by the user-interface locale.
    SelectTermLanguage(TermColumnForLocale(UiLocaleFromEnvironment()));

    // 17. Language set 1.
    LangIndex = 1;
    keyCaptionLang_ = 1;
    if (const QString error = RunLayoutPass(LangIndex); !error.isEmpty())
        RefreshFormMessagDialog(error);
    AppTitle = Layout.AppTitle;
    FontName = Layout.FontName;
    NoDeviceText = Layout.NoDeviceText;

    // 18. Item height of the name lists, from the set.
    for (const char* name :
         {"LB_PCMacroName", "LB_MacroName", "LB_macro", "LB_FireMacroName", "LB_FireMacro"}) {
        if (auto* wide = qobject_cast<TUniListBox*>(Control(name)))
            wide->SetItemHeight(Layout.MacroNameHeight);
        else if (auto* skinned = qobject_cast<SkinListBox*>(Control(name)))
            skinned->setItemHeight(Layout.MacroNameHeight);
    }

    // 19. The program's storage type and ids from the first default image.
    const auto facts =
        ReadDefaultImageHead(resource(DefaultImageResourcesOf(options_.defaultImageSet)[0]));
    if (facts) {
        StorageType = facts->StorageType;
        defaultVid_ = facts->DefaultVID;
        defaultPid_ = facts->DefaultPID;
    }

    // 20. The no-device appearance.
    RefreshErrorAP();

    // 21. Pointer settings are read by the sensitivity page when it comes.

    // 22. The application title of the set (AppTitle) titles the message dialogs and the
    // tray hint; it is not Qt's display name, which would change the window caption that the
    // single-instance check and the desktop know the window by.
    if (trayIcon_ != nullptr)
        trayIcon_->setHint(Widen(AppTitle));

    // 23. The poller, with the program's own mouse in the id table (after the user's pair, when
    // TRVX_DEVICE names one).
    DevicePollerConfig config;
    config.StorageType = StorageType;
    DeviceSearch search = DeviceSearchTable({defaultVid_, defaultPid_},
                                            std::getenv(kDeviceIdsVariable));
    if (!search.warning.empty())
        std::fprintf(stderr, "%s\n", search.warning.c_str());
    config.DeviceIdTable = std::move(search.table);
    if (facts) {
        config.DefaultManuID = facts->DefaultManuID;
        config.DefaultProID = facts->DefaultProID;
    }
    config.RevManuID = static_cast<std::uint32_t>(Settings.RevManuID);
    config.RevProID = static_cast<std::uint32_t>(Settings.RevProID);
    poller_ = std::make_unique<DevicePoller>(*link_, *options_.backend, *clock_, *mouse_, *reader_,
                                             *bridge_, std::move(config), PollerTexts());

    // 24. Page 1.
    ShowOnlyPage(1);

    // 25. Numbers in the edits are right-aligned.
    for (const char* name : kRightAlignedEdits)
        if (auto* edit = qobject_cast<QLineEdit*>(Control(name)))
            edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    WireControls();

    // 26. The current language button: layout once more, its mark and the title.
    LangButtonClick(LangIndex);

    // 27. The input-report listener.
    StartListener();

    // 28.
    update();
}

QString TForm1::RunLayoutPass(int langIndex) {
    return options_.applyLayout ? options_.applyLayout(*this, Layout, langIndex)
                                : ApplyLayout(*this, Layout, langIndex);
}

DevicePollerTexts TForm1::PollerTexts() const {
    return {LangText("Str100"), LangText("Str101"), LangText("Str102"), LangText("Str107"),
            LangText(kReplugKey)};
}

TFormLoadingUI* TForm1::CreateLoadingWindow() {
    if (formLoadingUI_ == nullptr) {
        formLoadingUI_ = new TFormLoadingUI(*this, options_.clock);
        devTimer_.start();
    }
    return formLoadingUI_;
}

std::string TForm1::LangText(std::string_view key) const {
    return Layout.LangText(key);
}

QWidget* TForm1::Control(std::string_view name) const {
    return FindControl(*this, name);
}

// ---- Controls ------------------------------------------------------------------------------

void TForm1::WireControls() {
    const auto widgets = findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        const std::string name = w->objectName().toStdString();
        if (name.empty())
            continue;
        const auto split = SplitCopyName(name);
        const bool clickable = name == "Btn_Close" ||
                               (split && (IsMenuFamily(split->family) || split->family == "Exit" ||
                                          split->family == "Mini" || split->family == "Web" ||
                                          LangOfFamily(split->family) != 0));
        const bool hovers =
            IsKeyLabel(name) ||
            (split && split->copy >= 1 && split->copy <= 5 &&
             (IsMenuFamily(split->family) || split->family == "Exit" || split->family == "Mini" ||
              split->family == "Web" || LangOfFamily(split->family) != 0));
        const QMetaObject* meta = w->metaObject();
        if (clickable && meta->indexOfSignal("clicked()") >= 0)
            connect(w, SIGNAL(clicked()), this, SLOT(onControlClicked()));
        if (hovers && meta->indexOfSignal("mouseEnter()") >= 0) {
            connect(w, SIGNAL(mouseEnter()), this, SLOT(onControlEnter()));
            connect(w, SIGNAL(mouseLeave()), this, SLOT(onControlLeave()));
        }
        const bool background = name.rfind("Img_Base_", 0) == 0 || name.rfind("Img_P", 0) == 0 ||
                                name.rfind("gbPage", 0) == 0 || name.rfind("Disable_All_", 0) == 0;
        if (background)
            w->installEventFilter(this);
    }
}

void TForm1::onControlClicked() {
    if (auto* w = qobject_cast<QWidget*>(sender()))
        HandleClick(w->objectName());
}

void TForm1::onControlEnter() {
    if (auto* w = qobject_cast<QWidget*>(sender()))
        HoverEnter(w);
}

void TForm1::onControlLeave() {
    if (auto* w = qobject_cast<QWidget*>(sender()))
        HoverLeave(w);
}

void TForm1::HandleClick(const QString& objectName) {
    const std::string name = objectName.toStdString();
    if (name == "Btn_Close") {
        Btn_Exit_0Click();
        return;
    }
    const auto split = SplitCopyName(name);
    if (!split)
        return;
    if (split->family == "Exit")
        Btn_Exit_0Click();
    else if (split->family == "Mini")
        Btn_Minimize_0Click();
    else if (split->family == "Web")
        Btn_Web_0Click();
    else if (const int lang = LangOfFamily(split->family); lang != 0)
        LangButtonClick(lang);
    else if (RadioOfFamily(split->family))
        PageButtonClick(split->family);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // The borderless window is dragged by any of its backgrounds.
        HideAllMenu();
        if (QWindow* handle = windowHandle())
            handle->startSystemMove();
        return false;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::SetPicture(std::string_view control, std::string_view image) {
    LoadPicture(*this, control, image);
}

void TForm1::SetPictureCopies(std::string_view family, std::string_view image) {
    for (int copy = 1; copy <= kSkinnedPageCopies; ++copy)
        SetPicture("Img_" + std::string(family) + "_" + std::to_string(copy), image);
}

// ---- Pages -------------------------------------------------------------------------------

void TForm1::HideAllMenu() {
    for (const char* name : kMenuPanels)
        if (QWidget* w = Control(name))
            w->hide();
}

void TForm1::SizePages() {
    for (int page = 1; page <= 6; ++page)
        if (QWidget* w = Control(Name("gbPage", page)))
            w->resize(Layout.SkinWidth, Layout.SkinHeight);
    if (QWidget* w = Control("gbPage7"))
        w->resize(kEngineerWidth, kEngineerHeight);
}

void TForm1::SetSkinSize() {
    setFixedSize(Layout.SkinWidth, Layout.SkinHeight);
    SizePages();
    ApplyShapeMask();
}

void TForm1::SetEngineerSize() {
    setFixedSize(kEngineerWidth, kEngineerHeight);
    SizePages();
    // The engineering page is a plain rectangle.
    clearMask();
}

void TForm1::ApplyShapeMask() {
    const QImage background = SkinImage("L1_BackGround");
    if (background.isNull() || Layout.SkinWidth <= 0) {
        clearMask();
        return;
    }
    // The region of every pixel that is not the key colour.
    const QImage keyed = background.convertToFormat(QImage::Format_RGB32);
    setMask(QRegion(QBitmap::fromImage(keyed.createMaskFromColor(kShapeKey, Qt::MaskInColor))));
}

void TForm1::ButtonTypeB_1IconInit() {
    NoDeviceShown = false;
    for (std::string_view family : kMenuFamilies)
        SetPictureCopies(family, "SetS_01");
}

void TForm1::CheckRadio(int radio) {
    checkedRadio_ = radio;
    if (auto* button = qobject_cast<QAbstractButton*>(Control(Name("rb_", radio))))
        button->setChecked(true);
}

void TForm1::ShowOnlyPage(int page) {
    for (int p = 1; p <= kPageCount; ++p)
        if (QWidget* w = Control(Name("gbPage", p)))
            w->setVisible(p == page);
}

int TForm1::VisiblePage() const {
    for (int p = 1; p <= kPageCount; ++p)
        if (QWidget* w = Control(Name("gbPage", p)); w != nullptr && !w->isHidden())
            return p;
    return 0;
}

void TForm1::RefreshAPPage() {
    if (NoDeviceShown) {
        ShowOnlyPage(1);
        return;
    }
    if (checkedRadio_ == 8)
        return;
    const PageRadio& radio = kPageRadios[static_cast<std::size_t>(checkedRadio_ - 1)];
    if (radio.family == "Macro") {
        if (QWidget* w = Control("Gb_Delay"))
            w->setVisible(!InsertPanelOpen);
        if (QWidget* w = Control("Gb_Insert"))
            w->setVisible(InsertPanelOpen);
        if (QWidget* w = Control("Img_InsertBase"))
            w->setVisible(InsertPanelOpen);
    }
    ShowOnlyPage(radio.page);
}

void TForm1::PageButtonClick(std::string_view family) {
    const auto radio = RadioOfFamily(family);
    if (!radio)
        return;
    switch (PageSwitchRule(link_->HasCommandHandle() && link_->HasDataHandle(), NoDeviceShown)) {
    case PageSwitch::RefuseNoDevice:
        RefreshFormMessagDialog(Widen(NoDeviceText));
        return;
    case PageSwitch::Ignore:
        return;
    case PageSwitch::Switch:
        break;
    }
    const int radioNumber = static_cast<int>(radio->radio.back() - '0');

    if (family == "Engineer") {
        RefreshingKeyTexts = true;
        HideAllMenu();
        ButtonTypeB_1IconInit();
        CheckRadio(radioNumber);
        // On this page the key menus show all their entries.
        for (auto [name, height] : {std::pair{"Pnl_Main", 194}, std::pair{"Pnl_Special", 314},
                                    std::pair{"Pnl_Profile", 98}})
            if (QWidget* w = Control(name))
                w->resize(w->width(), height);
        ShowOnlyPage(7);
        SetEngineerSize();
        for (int p = 1; p <= 3; ++p)
            TLRefreshProfileKeys(p);
        const TUserSection& user = Images.Sections.UserSection;
        for (int i = 0; i < 10; ++i) {
            SetControlCaption(Control(Name("edt_XOffset", i + 1)),
                              QString::number(static_cast<std::int8_t>(user[7 + i])));
            SetControlCaption(Control(Name("edt_YOffset", i + 1)),
                              QString::number(static_cast<std::int8_t>(user[17 + i])));
        }
        SetPictureCopies("Engineer", "SetS_03");
        RefreshingKeyTexts = false;
        return;
    }

    HideAllMenu();
    ButtonTypeB_1IconInit();
    CheckRadio(radioNumber);
    ShowOnlyPage(radio->page);
    SetSkinSize();
    if (family == "Macro") {
        if (QWidget* w = Control("Gb_Delay"))
            w->setVisible(!InsertPanelOpen);
        if (QWidget* w = Control("Gb_Insert"))
            w->setVisible(InsertPanelOpen);
        if (QWidget* w = Control("Img_InsertBase"))
            w->setVisible(InsertPanelOpen);
    } else if (family == "Update") {
        // A patch file must be loaded again before it is programmed.
        SetControlCaption(Control("lbl_LoadBIN"), QString());
        PatchFileLoaded = false;
    }
    SetPictureCopies(family, "SetS_03");
    if (radio->page >= 2 && radio->page <= 4)
        SetPicture(Name("Img_P", radio->page),
                   "L" + std::to_string(LangIndex) + "_Back" + std::to_string(radio->page));
    if (radio->page == 1)
        // The key page's profile buttons show their profile's keys; choosing the profile on
        // the mouse belongs to the key page.
        RefreshProfileKeys(radioNumber);
}

void TForm1::Btn_Minimize_0Click() {
    showMinimized();
}

// ---- Feedback ------------------------------------------------------------------------------

void TForm1::ShowDisableAll() {
    for (int n = 1; n <= kSkinnedPageCopies; ++n)
        if (QWidget* cover = Control(Name("Disable_All_", n))) {
            cover->show();
            cover->raise();
        }
    // The frame buttons lie above the covers and stay usable under them.
    for (std::string_view family : {"Exit", "Mini"})
        for (int n = 1; n <= kSkinnedPageCopies; ++n) {
            if (QWidget* w = Control("Img_" + std::string(family) + "_" + std::to_string(n)))
                w->raise();
            if (QWidget* w = Control("Btn_" + std::string(family) + "_" + std::to_string(n)))
                w->raise();
        }
}

void TForm1::HideDisableAll() {
    for (int n = 1; n <= kSkinnedPageCopies; ++n)
        if (QWidget* cover = Control(Name("Disable_All_", n)))
            cover->hide();
}

void TForm1::RefreshFormMessagDialog(const QString& text) {
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    FormMessageDialog::Show(this, shown, Widen(FontName), Widen(AppTitle));
}

void TForm1::LabelRunTimer() {
    if (auto text = runLabel_.Tick(Settings.TREnable))
        SetControlCaption(Control(runLabel_.Name()), QString::fromStdU16String(*text));
}

void TForm1::HoverEnter(QWidget* label) {
    const std::string name = label->objectName().toStdString();
    if (IsKeyLabel(name)) {
        SetPicture("Img_" + name, "KeyS_02");
    } else if (const auto split = SplitCopyName(name)) {
        const std::string copyImage =
            "Img_" + std::string(split->family) + "_" + std::to_string(split->copy);
        if (split->family == "Exit") {
            SetPictureCopies("Exit", "ExitS_02");
        } else if (split->family == "Mini") {
            SetPictureCopies("Mini", "MiniS_02");
        } else if (split->family == "Web") {
            SetPictureCopies("Web", "WebS_02");
            return; // the web link does not roll its caption
        } else {
            SetPicture(copyImage, "SetS_02");
        }
    } else {
        return;
    }
    runLabel_.Start(name, ControlCaption(label).toStdU16String());
    if (label->isEnabled())
        labelRun_.start();
}

void TForm1::HoverLeave(QWidget* label) {
    const std::string name = label->objectName().toStdString();
    const auto split = SplitCopyName(name);
    if (split && split->family == "Web") {
        SetPictureCopies("Web", "WebS_01");
        return;
    }
    labelRun_.stop();
    if (IsKeyLabel(name)) {
        SetPicture("Img_" + name, "KeyS_01");
    } else if (split) {
        const std::string copyImage =
            "Img_" + std::string(split->family) + "_" + std::to_string(split->copy);
        if (split->family == "Exit") {
            SetPictureCopies("Exit", "ExitS_01");
        } else if (split->family == "Mini") {
            SetPictureCopies("Mini", "MiniS_01");
        } else if (LangOfFamily(split->family) != 0) {
            SetPicture(copyImage, "SetS_01");
            SetPictureCopies("Lang" + std::to_string(LangIndex), "SetS_03");
        } else {
            SetPicture(copyImage, "SetS_01");
            // The current page's button shows selected again, not normal.
            const PageRadio& radio = kPageRadios[static_cast<std::size_t>(checkedRadio_ - 1)];
            SetPictureCopies(radio.family, "SetS_03");
        }
    }
    if (!runLabel_.Name().empty())
        SetControlCaption(Control(runLabel_.Name()),
                          QString::fromStdU16String(runLabel_.Caption()));
}

// ---- Languages -------------------------------------------------------------------------------

const CaptionSection& TForm1::CaptionsOfSet(int n) {
    const auto index = static_cast<std::size_t>(std::clamp(n, 1, 3) - 1);
    if (!captionSets_[index]) {
        auto read = ReadCaptionSection("lang" + std::to_string(index + 1));
        captionSets_[index] = read ? *read : CaptionSection();
    }
    return *captionSets_[index];
}

KeyEntryContext TForm1::KeyContext() {
    KeyEntryContext ctx;
    const CaptionSection& set = CaptionsOfSet(keyCaptionLang_);
    ctx.caption = [&set](std::string_view key) { return set.Text(key); };
    ctx.storage =
        mouse_->AcceptedStorage() != StorageKind::None ? mouse_->AcceptedStorage() : StorageType;
    ctx.refreshingKeyTexts = true;
    // Fire keys are named after the parameter sets stored in ID bytes 2..10.
    const TIDBlock& id = Images.Sections.IDBlock;
    for (std::size_t n = 0; n < ctx.fireKeys.size(); ++n)
        ctx.fireKeys[n] = {id[2 + 3 * n] + 1, id[3 + 3 * n] * 256 + id[4 + 3 * n]};
    return ctx;
}

void TForm1::RefreshProfileKeys(int profile) {
    if (profile < 1 || profile > 3)
        return;
    const KeyEntryContext ctx = KeyContext();
    for (int k = 1; k <= 12; ++k) {
        const std::string& entry =
            Images.KeyCodeTexts[static_cast<std::size_t>(12 * (profile - 1) + k - 1)];
        SetControlCaption(Control(Name("Key", k)), Widen(KeyCodeToText(entry, ctx).text));
    }
}

void TForm1::TLRefreshProfileKeys(int profile) {
    if (profile < 1 || profile > 3)
        return;
    const KeyEntryContext ctx = KeyContext();
    for (int k = 1; k <= 12; ++k) {
        const std::string& entry =
            Images.KeyCodeTexts[static_cast<std::size_t>(12 * (profile - 1) + k - 1)];
        const QString name =
            QStringLiteral("btn_Key%1%2").arg(profile).arg(k, 2, 10, QLatin1Char('0'));
        SetControlCaption(Control(name.toStdString()), Widen(KeyCodeToText(entry, ctx).text));
    }
}

bool TForm1::LangButtonClick(int n) {
    if (n < 1 || n > 3)
        return false;
    // The set is read and checked whole before anything changes; on an error the window
    // keeps the set it shows.
    QComboBox* insert = qobject_cast<QComboBox*>(Control("CB_Insert"));
    const int insertIndex = insert != nullptr ? insert->currentIndex() : -1;
    keyCaptionLang_ = n;
    const QString error = RunLayoutPass(n);
    if (!error.isEmpty()) {
        keyCaptionLang_ = LangIndex;
        RefreshFormMessagDialog(error);
        return false;
    }

    for (int lang = 1; lang <= 3; ++lang)
        SetPictureCopies("Lang" + std::to_string(lang), lang == n ? "SetS_03" : "SetS_01");
    if (auto* radio = qobject_cast<QAbstractButton*>(Control(Name("rb_Lang", n))))
        radio->setChecked(true);
    if (QWidget* delay = Control("Gb_Delay"))
        delay->hide();
    LangIndex = n;
    AppTitle = Layout.AppTitle;
    FontName = Layout.FontName;
    NoDeviceText = Layout.NoDeviceText;
    if (poller_ != nullptr) {
        // The poller reads its texts on the device thread; hand them over there.
        worker_->Post([this, texts = PollerTexts()] { poller_->SetTexts(texts); });
    }
    if (insert != nullptr)
        insert->setCurrentIndex(insertIndex);
    if (trayIcon_ != nullptr)
        trayIcon_->setHint(Widen(AppTitle));
    RefreshAPPage();
    runLabel_.Restart(ControlCaption(Control(Name("Btn_Lang", n) + "_1")).toStdU16String());
    return true;
}

void TForm1::Btn_Web_0Click() {
    SetPictureCopies("Web", "WebS_03");
    if (Settings.WebEnable)
        QDesktopServices::openUrl(QUrl(Widen(Settings.WebAddress)));
}

void TForm1::SelectTermLanguage(std::uint8_t column) {
    TermColumn = column;
    ApplyTermCaptions();
}

void TForm1::ApplyTermCaptions() {
    const QString fontName = QString::fromLatin1(kTermFontName.data(), kTermFontName.size());
    auto term = [this](std::uint8_t code) {
        std::string text;
        TermText(TermColumn, code, text);
        return Widen(text);
    };
    for (const TermCaption& c : TermCaptionTable()) {
        QWidget* w = Control(c.control);
        if (w == nullptr)
            continue;
        QFont font = w->font();
        font.setFamily(fontName);
        w->setFont(font);
        SetControlCaption(w, term(c.code));
    }
    for (const TermItems& items : TermItemsTable()) {
        QStringList texts;
        for (std::uint8_t code : items.codes)
            texts << term(code);
        SetControlItems(Control(items.control), texts);
    }
    LEDModeNames = trvx::LEDModeNames(TermColumn);
}

// ---- Device ----------------------------------------------------------------------------------

void TForm1::RefreshErrorAP() {
    // The pages show default image 1 while no mouse is there.
    if (StorageType != StorageKind::None) {
        const auto name = StorageType == StorageKind::Flash ? kDefaultFlashImageResources[0]
                                                            : kDefaultImageResources[0];
        const std::vector<std::uint8_t> image = LoadDefaultImage(StorageType, resource(name));
        FillFromDefaultImage(StorageType, image, Images,
                             {StorageType, "RGB", 1, static_cast<std::uint16_t>(defaultVid_),
                              static_cast<std::uint16_t>(defaultPid_)});
    }
    NoDeviceShown = true;
    CheckRadio(1);
    ShowOnlyPage(1);
    SetSkinSize();
    RefreshProfileKeys(1);
    SetPictureCopies("Main", "SetS_03");
    for (std::string_view family :
         {"Switch", "Fixed", "Adv", "Breath", "Macro", "Update", "Engineer"})
        SetPictureCopies(family, "SetS_01");
}

void TForm1::EnterNoDeviceAppearanceOnUi(const std::string& message) {
    HideAllMenu();
    NoDeviceShown = false;
    labelRun_.stop();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    RefreshErrorAP();
    for (const char* name : {"LB_MacroName", "LB_Name", "LB_macro"}) {
        if (auto* wide = qobject_cast<TUniListBox*>(Control(name)))
            wide->Items().Clear();
        else
            SetControlItems(Control(name), {});
    }
    ShowDisableAll();
    RefreshFormMessagDialog(Widen(message));
}

void TForm1::FillPagesOnUi(StorageKind) {
    // The pages of the other subsystems fill themselves from Images when they come; the shell
    // shows the keys and the main page.
    RefreshProfileKeys(1);
    for (int p = 1; p <= 3; ++p)
        TLRefreshProfileKeys(p);
    // The page shown after the read.
    ButtonTypeB_1IconInit();
    CheckRadio(1);
    ShowOnlyPage(1);
    SetSkinSize();
    SetPictureCopies("Main", "SetS_03");
    NoDeviceShown = false;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    HideDisableAll();
}

void TForm1::PollDevice() {
    // A tick while the last one is still queued or running is dropped, as a busy tick
    // returns at once.
    if (poller_ == nullptr || worker_ == nullptr || tickPending_ || closePending_)
        return;
    tickPending_ = true;
    worker_->Post([this] {
        poller_->Tick();
        tickPending_ = false;
    });
}

bool TForm1::TransferInProgress() const {
    return !worker_->IsIdle() || uiTransfers_ > 0;
}

void TForm1::StartListener() {
    // What the mouse's own buttons changed, shown as the window's own buttons show it, without
    // their writes. The CPI level marks belong to the sensitivity page, which shows them.
    connect(this, &TForm1::inputButtonTest, this, [this](int button, bool held) {
        const char* box = button == 1   ? "cb_CPITest"
                          : button == 2 ? "cb_CPIITest"
                          : button == 4 ? "cb_CPIDTest"
                          : button == 8 ? "cb_ProfileTest"
                                        : nullptr;
        if (auto* check = box != nullptr ? qobject_cast<SkinCheckBox*>(Control(box)) : nullptr)
            check->setChecked(held);
    });
    connect(this, &TForm1::currentProfileRead, this, [this](int profileByte) {
        static constexpr std::array<std::string_view, 3> kProfileFamilies{"Main", "Switch",
                                                                          "Fixed"};
        const auto profile = static_cast<std::size_t>(profileByte & 0x0F);
        if (profile < kProfileFamilies.size())
            PageButtonClick(kProfileFamilies[profile]);
    });

    InputListenerEvents events;
    events.buttonTest = [this](InputButton button, bool held) {
        QMetaObject::invokeMethod(
            this, [this, button, held] { emit inputButtonTest(static_cast<int>(button), held); },
            Qt::QueuedConnection);
    };
    events.currentCpi = [this](std::uint8_t level) {
        QMetaObject::invokeMethod(
            this, [this, level] { emit currentCpiRead(level); }, Qt::QueuedConnection);
    };
    events.currentProfile = [this](std::uint8_t profileByte) {
        QMetaObject::invokeMethod(
            this, [this, profileByte] { emit currentProfileRead(profileByte); },
            Qt::QueuedConnection);
    };
    events.inputLost = [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (poller_ != nullptr && worker_ != nullptr && !closing_)
                    worker_->Post([this] { poller_->InputLost(); });
            },
            Qt::QueuedConnection);
    };
    listener_ = std::make_unique<InputListener>(*link_, *mouse_, *clock_, std::move(events));
    poller_->SetOpenObserver(listener_.get());
}

void TForm1::RestoreAndRaise() {
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
