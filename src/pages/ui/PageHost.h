#pragma once
// All a page sees of the main window. The window implements it and creates the pages; a page
// never includes the window, so the page libraries sit below the shell.

#include "device/AcceptedMouse.h"
#include "device/DeviceLink.h"
#include "device/ImageLayout.h"
#include "device/WholeImageRead.h"
#include "device/WorkingModel.h"
#include "skin/CaptionText.h"
#include "skin/GeneralSettings.h"
#include "skin/ui/LayoutPass.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace trvx {

class EngineeringAccess;
class InputCapture; // macros/InputCapture.h, what the recorders listen through

class PageHost {
public:
    virtual ~PageHost() = default;

    // ---- The mouse -----------------------------------------------------------------------
    // The gate every write goes through: nothing reaches a mouse of the wrong type or ID.
    virtual AcceptedMouse& Mouse() = 0;
    virtual DeviceLink& Link() = 0;
    // The working copy of the mouse's image that the pages show and write.
    virtual WorkingModel& Model() = 0;
    // The program's storage type (from the first default image).
    virtual StorageKind StorageType() const = 0;
    // The mouse's storage type while one is accepted, else the program's.
    StorageKind CurrentStorage() {
        const StorageKind accepted = Mouse().AcceptedStorage();
        return accepted != StorageKind::None ? accepted : StorageType();
    }

    // ---- Shared state --------------------------------------------------------------------
    // Set while the pages are filled from the image: change handlers write nothing then.
    virtual bool FillingUI() const = 0;
    virtual bool NoDeviceShown() const = 0;
    // The window has closed for good, or is being taken down: nothing more is shown in it.
    virtual bool Closing() const = 0;
    virtual const GeneralSettings& Settings() const = 0;
    // The layout values of the set shown.
    virtual const LayoutState& Layout() const = 0;

    // ---- Feedback ------------------------------------------------------------------------
    // The program's message dialog, in the font of the current set.
    virtual void ShowMessage(const QString& text) = 0;
    virtual void ShowDisableAll() = 0;
    virtual void HideDisableAll() = 0;
    virtual void ShowBusy() = 0;
    virtual void HideBusy() = 0;
    // Closes every open key-function menu; page switches and most handlers call it first.
    virtual void HideAllMenu() = 0;

    // ---- Running label -------------------------------------------------------------------
    // The pointer entered one of the program's skinned buttons: while the general settings
    // ask for it, an enabled label's caption scrolls on the window's clock. One label runs at
    // a time; the window holds its caption.
    virtual void StartRunningLabel(QWidget* label) = 0;
    // The pointer left it, or a click opened a menu over it: the scrolling stops and the
    // label shows its caption again (a caption the program gave it meanwhile stays).
    virtual void StopRunningLabel() = 0;

    // A transfer a page makes from the UI thread: a close waits until it has ended.
    class TransferScope {
    public:
        explicit TransferScope(PageHost& host) : host_(host) { host_.BeginTransfer(); }
        ~TransferScope() { host_.EndTransfer(); }
        TransferScope(const TransferScope&) = delete;
        TransferScope& operator=(const TransferScope&) = delete;

    private:
        PageHost& host_;
    };

    // ---- Texts and controls --------------------------------------------------------------
    // The language set shown (1..3).
    virtual int LangIndex() const = 0;
    // The caption texts captions are built from now: the current set, or the new one while
    // a language switch applies it.
    virtual const CaptionSection& CaptionSet() = 0;
    // A caption text of the current set, by key ("Str100").
    virtual std::string LangText(std::string_view key) const = 0;
    // A control of the window by object name, nullptr when there is none.
    virtual QWidget* Control(std::string_view name) const = 0;
    // Shows a skin image in a picture control.
    virtual void SetPicture(std::string_view control, std::string_view image) = 0;

    // ---- Whole-image transfers of the update and engineering pages ------------------------
    // Queues a job on the device thread, after what is queued there, so the window keeps
    // painting during a long transfer; the job hands its results to the UI with a queued call.
    virtual void RunDeviceJob(std::function<void()> job) = 0;
    // Device thread only: resets the mouse and searches for it again.
    virtual void ResetAndReconnect() = 0;
    // Device thread only: the whole-image read, with its busy window and page fill.
    virtual WholeImageReadResult ReadWholeImage() = 0;
    // DevTimer on or off.
    virtual void SetPolling(bool on) = 0;
    // Every page shows the working model (hold a FillingScope around it).
    virtual void RefreshPages(StorageKind kind) = 0;
    // Every page rebuilds what it shows of the key entries.
    virtual void KeyEntriesChanged() = 0;
    // Every page shows the palette colours again (one was changed from another page).
    virtual void PaletteChanged() = 0;
    // The defaults a section that fails its check is repaired with.
    virtual SectionDefaultsContext SectionDefaults(StorageKind kind) = 0;
    // A file chooser (the scenario runner answers it); nullopt when cancelled.
    virtual std::optional<QString> ChooseFile(bool save, const QString& caption,
                                              const QString& filter) = 0;
    // A question in the program's dialog; true for yes.
    virtual bool Ask(const QString& text) = 0;
    // Holds FillingUI for its lifetime, so no early return leaves it set.
    class FillingScope {
    public:
        explicit FillingScope(PageHost& host) : host_(host), previous_(host.FillingUI()) {
            host_.SetFillingUI(true);
        }
        ~FillingScope() { host_.SetFillingUI(previous_); }
        FillingScope(const FillingScope&) = delete;
        FillingScope& operator=(const FillingScope&) = delete;

    private:
        PageHost& host_;
        bool previous_;
    };
    // ---- Sensitivity and lighting pages ---------------------------------------------------
    // The hidden mode and its double-click count, one for the engineering logo and the gun-mode
    // page's background.
    virtual EngineeringAccess& Access() = 0;
    // The colour dialog (tests and the scenario runner answer it); nullopt when cancelled.
    virtual std::optional<QColor> ChooseColor(const QColor& initial) = 0;
    // The 21 LED-mode names of the term table in the column chosen at start-up.
    virtual const std::array<std::string, 21>& LedModeNames() const = 0;

    // ---- Input capture -------------------------------------------------------------------
    // A capture for a recorder, of the kind the window chose: the whole desktop where it can
    // hear it, else our own window only (Global() says which). The recorder owns it.
    virtual std::unique_ptr<InputCapture> NewInputCapture() = 0;

protected:
    virtual void SetFillingUI(bool on) = 0;
    virtual void BeginTransfer() = 0;
    virtual void EndTransfer() = 0;
};

} // namespace trvx
