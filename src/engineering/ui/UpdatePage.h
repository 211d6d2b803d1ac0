#pragma once
// The update page (page 5): default configurations, image files and patch code. The side menu's
// save, load and restore buttons of every page and the engineering page's buttons end here too.
//
// Every whole-image transfer runs the same way: polling off, cover labels and the busy window
// up, the working image taken and shown (FillingUI held), then the writes, the reset and the new
// search on the device thread, so the window keeps painting.

#include "device/ImageLayout.h"
#include "device/WorkingModel.h"
#include "pages/ui/Page.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace trvx {

class UpdatePage : public Page {
    Q_OBJECT
public:
    explicit UpdatePage(PageHost& host, QObject* parent = nullptr);

    // A patch file has been loaded and checked, and may be programmed.
    bool PatchFileLoaded() const { return patchFileLoaded_; }
    void SetPatchFileLoaded(bool loaded) { patchFileLoaded_ = loaded; }

    void Wire() override;
    void Shown(int radio) override;

    // A frame button of any page by family: "Save", "Load", "Confirm1".."Confirm3".
    void FrameButtonClick(std::string_view family);

    // Restores default image 1..3 into the mouse.
    void DefaultParameterConfirm(int n);
    // Every section rebuilt from the coded defaults and written (the engineering page's
    // default button).
    void TLDefaultParameter();
    void Btn_Save_0Click();
    void Btn_Load_0Click();
    void Btn_LoadBINClick();
    void Btn_ProgramClick();
    // Chooses a patch file and programs it at once (the engineering page's button).
    void Btn_PatchCodeClick();

private slots:
    void confirm1() { DefaultParameterConfirm(1); }
    void confirm2() { DefaultParameterConfirm(2); }
    void confirm3() { DefaultParameterConfirm(3); }
    void loadBin() { Btn_LoadBINClick(); }
    void program() { Btn_ProgramClick(); }
    void restoreCoded() { TLDefaultParameter(); }
    void patchCode() { Btn_PatchCodeClick(); }

private:
    // The accepted mouse's storage type; None after the no-device message.
    StorageKind MouseOrMessage();
    QString Text(const char* key) const;
    // Reads a whole file; nullopt (and a message) when it cannot be read.
    std::optional<std::vector<std::uint8_t>> ReadFile(const QString& path);
    // Takes the image as the working image, shows it and writes it whole, then resets the mouse.
    void MemoToDataBuf(StorageKind kind, const std::vector<std::uint8_t>& image);
    // Writes the working image as the model holds it (after a rebuild), then resets.
    void WriteWorkingImage(StorageKind kind);
    // The writes on the device thread, then the reset and the new search.
    void SendAndReset(std::vector<BlockWrite> writes, bool nothingToWrite = false);
    // Programs the loaded patch code; a locked flash mouse gets a message and no reset.
    void ProgramPatch(StorageKind kind);
    // Loads and checks a patch file into the working sections; false after a message.
    bool TakePatchFile(StorageKind kind, const QString& path);

    bool patchFileLoaded_ = false;
    std::vector<std::uint8_t> patchFile_; // the checked file, taken in when programmed
};

} // namespace trvx
