#pragma once
// The macro page (page 4): the mouse's and the PC library's macro lists, the editor and the
// recorder.

#include "macros/DeviceMacroStore.h"
#include "macros/InputCapture.h"
#include "macros/MacroEditing.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroRecorder.h"
#include "macros/MacroTransfer.h"
#include "macros/ui/DelayDialog.h"
#include "macros/ui/KeyLineDialog.h"
#include "macros/ui/MacroNameDialog.h"
#include "pages/ui/Page.h"

#include <memory>
#include <string>
#include <vector>

class QListWidget;

namespace trvx {

class MacroPage : public Page {
    Q_OBJECT
public:
    explicit MacroPage(PageHost& host, QObject* parent = nullptr);
    ~MacroPage() override;

    // The insert box is open in place of the delay box.
    bool InsertPanelOpen() const { return insertPanelOpen_; }

    void Wire() override;
    void FillFromImage(StorageKind kind) override;
    void FillNoDevice() override;
    void Shown(int radio) override;
    void Reshown() override { ShowEditorBoxes(); }
    void LanguageSwitching() override;
    void LanguageChanged() override;
    void CaptionsApplied() override;

    const PCMacroLibrary& Library() const { return library_; }
    // The names of the mouse's macros, by row.
    std::vector<std::string> DeviceMacroNames() const;
    // The start address of the device macro in `row`, by the mouse's storage type.
    std::optional<std::uint16_t> DeviceMacroStart(int row) const;

    // Gives key-page button `key` (1..12) of the profile shown the device macro of `row`, unless
    // it is the last button with the left click; writes the profiles.
    void AssignMacroToKey(int key, int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start-up: the library file, created from the seed on the first start.
    void CheckPCMacro();
    void RefreshLibraryList(int selectRow);
    void RefreshDeviceList(int selectRow);
    void ShowScript();
    void ClearEditor();
    void ClearMacro();

    void LB_PCMacroNameClick(int row);
    void LB_MacroNameClick(int row);
    void Btn_AddMacroClick();
    void Btn_DelMacroClick();
    void Btn_SaveMacroClick() { SaveMacroStore({}); }
    // Writes the store and the profiles, pointing keys at the macros' new start addresses.
    void SaveMacroStore(const std::vector<MacroAddressMove>& moves);
    void Btn_NewMacroClick();
    void Btn_NewNameClick();
    void Btn_DelPCMacroClick();
    // Files: the library (all or the selected record) and the mouse's store.
    void Btn_ImportClick();
    void Btn_ImportOneClick();
    void Btn_ExportClick();
    void Btn_ExportOneClick();
    void Btn_DevExportClick();
    void ShowTransferResult(const TransferResult& result);
    // Editor lines: delete (a press with its release) and a delay's new value.
    void Btn_DelClick();
    void Btn_EditClick();
    // The name dialog for the library action just marked pending; its confirm carries the
    // action out, and however it goes no action stays pending.
    void OpenNameDialog();
    void ApplyPCMacroName(const std::string& name);
    // Compiles the open script into the selected library record and rewrites the file; a device
    // macro open in the editor is never written into a library record.
    void CompileAndSave();
    void ShowLibraryResult(const LibraryResult& result);

    // Recording.
    void Btn_StartClick();
    void StartRecording();
    void StopRecording();
    void TakeInput(const CapturedInput& input);
    void SetDelayMode(MacroDelayMode mode);
    void Edt_DelayChange();
    std::uint16_t FixedDelay() const;

    QListWidget* List(const char* name) const;
    int SelectedRow(const char* name) const;
    void ShowPopup(const char* panel, QWidget* list, QPoint at, bool upward);

    void ShowEditorBoxes();

    // Owner-drawn rows of the three lists in the set's list colours.
    void DrawListRows();
    void DrawPickLists();
    // After the line dialogs' edit of item `item`: the script is shown with that item selected
    // and compiled into its record.
    void ShowEditedLine(int item);
    // The dialogs that edit one line go with the lines they were opened for.
    void CloseLineDialogs();

    // The insert box (in place of the delay box while open).
    void Btn_InsertClick();
    void CB_InsertChange();
    void Btn_OKClick();
    void Btn_CancelClick();
    void CloseInsertPanel();
    void SetInsertDelayMode(MacroDelayMode mode);
    InsertKind CurrentInsertKind() const;
    void WireInsertPanel();
    // Insert recording: keys and buttons recorded into the open script next to the chosen line.
    void Btn_InsertStartClick();
    void StartInsertRecording();
    void StopInsertRecording();
    void ShowRecordedScript();
    void SetInsertControlsBusy(bool busy);
    // Greys the text of what cannot be changed now, or gives it the set's colour back.
    void GreyText(const char* name, bool grey);
    // Starts the capture of keys and buttons; false when it cannot start.
    bool StartCapture();

    PCMacroLibrary library_;
    EepromMacroStore eeprom_;
    FlashMacroStore flash_;
    StorageKind deviceKind_ = StorageKind::None;
    MacroScript script_;
    bool scriptFromLibrary_ = false;

    MacroRecorder recorder_;
    std::unique_ptr<InputCapture> capture_;
    MacroDelayMode delayMode_ = MacroDelayMode::Recorded;
    std::uint32_t lastTick_ = 0;

    int editedKey_ = 0; // the key-page button whose menu was opened last (EditedKeyNumber)

    bool insertPanelOpen_ = false;
    int insertIndex_ = -1; // CB_Insert's choice kept across a language switch
    MacroDelayMode insertDelayMode_ = MacroDelayMode::Recorded;
    // Where Cancel puts the script's list back: its place when the box opened.
    int savedListTop_ = -1;
    int savedListIndex_ = -1;
    // An insert recording: the script it records into and where its lines go.
    bool insertRecording_ = false;
    MacroScript insertBase_;
    std::size_t insertLine_ = 0;

    DialogSlot<MacroNameDialog> nameDialog_;
    DialogSlot<KeyLineDialog> keyDialog_;
    DialogSlot<DelayDialog> delayDialog_;
    int hoverItem_ = 0; // one more than the pick-list row under the pointer, 0 before any
};

} // namespace trvx
