#pragma once
// What the main window's own files share: name helpers and the window as the device core
// sees it (the Bridge). Not for the pages, which see the window through PageHost.

#include "device/DevicePoller.h"
#include "device/WholeImageRead.h"
#include "engineering/ui/EngineerPage.h"
#include "pages/ui/ControlText.h"
#include "shell/ShellRules.h"
#include "shell/ui/DeviceWorker.h"
#include "shell/ui/LoadingWindow.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/MessageDialog.h"
#include "skin/CaptionKeys.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <string>
#include <string_view>

namespace trvx {

inline constexpr QRgb kShapeKey = 0xFF800000; // RGB(128, 0, 0): see-through

inline std::string Name(std::string_view stem, int n) {
    return std::string(stem) + std::to_string(n);
}

inline QString Widen(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline bool IsKeyLabel(std::string_view name) {
    if (name.size() < 4 || name.substr(0, 3) != "Key")
        return false;
    const std::string_view digits = name.substr(3);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const int n = std::stoi(std::string(digits));
    return n >= 1 && n <= 12;
}

inline bool IsMenuFamily(std::string_view family) {
    return std::find(kMenuFamilies.begin(), kMenuFamilies.end(), family) != kMenuFamilies.end();
}

// The three restore buttons of the title bar ("Confirm1" .. "Confirm3").
inline bool IsRestoreFamily(std::string_view family) {
    return family == "Confirm1" || family == "Confirm2" || family == "Confirm3";
}

inline int LangOfFamily(std::string_view family) {
    if (family == "Lang1")
        return 1;
    if (family == "Lang2")
        return 2;
    if (family == "Lang3")
        return 3;
    return 0;
}

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
        RunOnUi(&form_, [&] { form_.engineerPage_->ShowReadIds(manuId, proId); });
    }

    // PageFillView
    void BeginRead() override {
        RunOnUi(&form_, [this] {
            form_.fillingUI_ = true;
            form_.devTimer_.stop();
            form_.ShowDisableAll();
            if (form_.formLoadingUI_ != nullptr)
                form_.formLoadingUI_->ShowCentred();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    }
    SectionDefaultsContext SectionDefaults(StorageKind kind) override {
        // A section is repaired for the lighting the pages show: the LED type and package of
        // the working image, read on the window's thread that owns it.
        SectionDefaultsContext ctx{kind, "RGB", 1, form_.link_->VendorId(),
                                   form_.link_->ProductId()};
        RunOnUi(&form_, [&] {
            ctx.ledType = std::string(LedTypeName(form_.model_.LedTypeOfMode()));
            ctx.packageIndex = (form_.model_.Register(5) >> 7) & 1;
        });
        return ctx;
    }
    void FillPages(std::optional<WorkingModel> read, StorageKind kind) override {
        // The read image arrives as a value: the device thread never touches the window's.
        RunOnUi(&form_, [&] {
            // The whole window first: its set-up starts from the default image.
            form_.CompletePages();
            if (read)
                form_.model_ = std::move(*read);
            form_.FillPagesOnUi(kind);
        });
    }
    void ShowReadFailed() override {
        RunOnUi(&form_,
                [this] { form_.RefreshFormMessagDialog(Widen(form_.LangText(kReadLostKey))); });
    }
    void EndRead(bool pagesFilled) override {
        RunOnUi(&form_, [this, pagesFilled] {
            if (form_.formLoadingUI_ != nullptr)
                form_.formLoadingUI_->hide();
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            form_.devTimer_.start();
            if (pagesFilled)
                form_.HideDisableAll();
            form_.fillingUI_ = false;
        });
    }

    // BusyIndicator: the link shows the busy window from whichever thread talks to the mouse.
    void ShowBusy() override {
        PostToUi(&form_, [this] { form_.ShowBusy(); });
    }
    void HideBusy() override {
        PostToUi(&form_, [this] { form_.HideBusy(); });
    }

private:
    TForm1& form_;
};

} // namespace trvx
