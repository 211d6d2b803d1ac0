// The window's device side: the no-device appearance, the pages filled from a read, the poll
// ticks handed to the device thread and the input-report listener's news.
#include "device/DefaultImageSet.h"
#include "device/DefaultImages.h"
#include "pages/ui/Page.h"
#include "shell/ui/MainWindowParts.h"

#include "base/Resources.h"

#include <array>
#include <string_view>

namespace trvx {

namespace {

// The key page's picture family of each profile, the first profile first.
constexpr std::array<std::string_view, 3> kProfileFamilies{"Main", "Switch", "Fixed"};

} // namespace

void TForm1::RefreshErrorAP() {
    CompletePages();
    for (const std::function<void()>& step : RefreshErrorAPSteps())
        step();
}

std::vector<std::function<void()>> TForm1::RefreshErrorAPSteps() {
    std::vector<std::function<void()>> steps;
    steps.push_back([this] {
        // The pages show default image 1 while no mouse is there.
        if (storageType_ != StorageKind::None) {
            const std::string_view name = DefaultImageResourcesOf(storageType_)[0];
            const std::vector<std::uint8_t> image = LoadDefaultImage(storageType_, resource(name));
            FillFromDefaultImage(storageType_, image, model_,
                                 {storageType_, "RGB", 1, static_cast<std::uint16_t>(defaultVid_),
                                  static_cast<std::uint16_t>(defaultPid_)});
        }
        noDeviceShown_ = true;
        CheckRadio(1);
        ShowOnlyPage(1);
        SetSkinSize();
    });
    for (Page* page : pages_)
        steps.push_back([this, page] {
            if (PageReady(*page))
                page->FillNoDevice();
        });
    steps.push_back([this] {
        SetPictureCopies("Main", "SetS_03");
        for (std::string_view family :
             {"Switch", "Fixed", "Adv", "Breath", "Macro", "Update", "Engineer"})
            SetPictureCopies(family, "SetS_01");
    });
    return steps;
}

void TForm1::EnterNoDeviceAppearanceOnUi(const std::string& message) {
    CompletePages();
    ++deviceStatesShown_;
    HideAllMenu();
    noDeviceShown_ = false;
    // No caption is left half scrolled under the message.
    StopRunningLabel();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    RefreshErrorAP();
    ShowDisableAll();
    // The window answers (and shows the appearance) before the dialog is built.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    RefreshFormMessagDialog(Widen(message));
}

void TForm1::FillPagesOnUi(StorageKind kind) {
    CompletePages();
    ++deviceStatesShown_;
    for (Page* page : pages_)
        page->FillFromImage(kind);
    // The page shown after the read: the key page on the mouse's current profile.
    const int profile = model_.CurrentProfileIndex();
    const int shown = profile >= 0 && profile <= 2 ? profile : 0;
    ButtonTypeB_1IconInit();
    CheckRadio(shown + 1);
    ShowOnlyPage(1);
    SetSkinSize();
    SetPictureCopies(kProfileFamilies[static_cast<std::size_t>(shown)], "SetS_03");
    noDeviceShown_ = false;
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
    // their writes: the pages show the test boxes and the CPI level; a profile button switches
    // the key page to its profile.
    connect(this, &TForm1::inputButtonTest, this, [this](int button, bool held) {
        for (Page* page : pages_)
            page->InputButton(button, held);
    });
    connect(this, &TForm1::currentCpiRead, this, [this](int level) {
        for (Page* page : pages_)
            page->CurrentCpi(level);
    });
    connect(this, &TForm1::currentProfileRead, this, [this](int profileByte) {
        const auto profile = static_cast<std::size_t>(profileByte & 0x0F);
        if (profile < kProfileFamilies.size()) {
            for (Page* page : pages_)
                page->ProfileReported(static_cast<int>(profile) + 1);
            PageButtonClick(kProfileFamilies[profile]);
        }
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

} // namespace trvx
