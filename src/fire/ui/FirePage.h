#pragma once
// The fire page (page 6): gun modes and their fire macros; with the fire keys, whose edits sit
// on the key page, and the gun-key scripts of the engineering page's gun sheet.

#include "fire/FireKeys.h"
#include "fire/FireMacro.h"
#include "fire/GunKeyScripts.h"
#include "keys/KeyEntryText.h"
#include "keys/ModeSwitchOptions.h"
#include "macros/InputCapture.h"
#include "macros/ui/MacroNameDialog.h"
#include "pages/ui/Page.h"

#include <QPoint>
#include <QString>

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace trvx {

class FirePage : public Page {
    Q_OBJECT
public:
    explicit FirePage(PageHost& host, QObject* parent = nullptr);

    void Wire() override;
    void FillFromImage(StorageKind kind) override;
    void FillNoDevice() override;
    void CaptionsApplied() override;

    // The gun-mode item of a key's menu: the page opens for key 1..12 in mode 1.
    void Key_FireMacroClick(int keyNumber);

    // The gun-key scripts as the file held them at the last read or change.
    const GunScripts& Scripts() const { return scripts_; }
    bool GunKeyFileLoaded() const { return gunKeyFileLoaded_; }
    // Reads the gun-key file from the data folder and lists its scripts.
    void ReadFireMacroFile();
    static std::filesystem::path GunKeyFilePath();

    // Names of the 36 profile keys (12(p-1)+k-1) as their captions read in the current set.
    std::array<std::string, 36> KeyNames() const;

private:
    // ---- Fire keys ----
    // Puts an edit's text through its rule: a corrected text goes back into the edit (which
    // runs its handler again); a new value is stored in the field and written to the mouse.
    void TakeEditValue(const std::string& edit, EditOutcome (*rule)(std::string_view), int& field);
    void Edt_Repeat1Change(int n);
    void Edt_Repeat1Exit(int n);
    void Edt_DelayTime1Change(int n);
    void lbl_Fire1ContinueClick(int n);
    void cb_Fire1CountChange(int n);
    void edt_Fire1TimeChange(int n);
    void cb_Fire1ContinueClick(int n);
    // Stores the three sets, rewrites the keys named for them and sends profiles and ID block.
    void StoreFireKeys();
    // Both control groups show sets_ and holds_.
    void ShowFireKeys();
    std::array<std::string, 3> FireKeyTexts() const;
    KeyEntryContext NameContext() const;

    // ---- Gun-key scripts ----
    void btn_AddScriptClick();
    void btn_DelScriptClick();
    void LB_ScriptNameClick();
    void cb_SOSTypeChange();
    void ListScripts();
    void WriteScripts();

    // ---- Gun modes (GunModePage.cpp) ----
    void WireGunModes();
    void Btn_FireClick(int mode);
    void InitFireParameter();
    void FireEditChanged(const QString& stem, int group);
    void lbl_FireSelLeftClick();
    void IB_FireColorClick(int group);
    void PaintSwatch(const std::string& name, RgbColour colour);
    void Btn_FireConfirmClick();
    void Btn_FireExitClick();
    void LeaveGunPage(const char* picture, const char* image);
    int CurrentMode() const;
    std::optional<int> SlotOfGroup(int group) const;
    void RecomputeLength(int slot);
    std::uint8_t GunKeyOption() const;

    // ---- Mode switch and gun-sheet options (EngineerFireControls.cpp) ----
    void WireEngineerFire();
    void FillEngineerFire();
    void cb_ChangeFireFunChange();
    void cb_IsGunFireModeClick();
    void TLRefreshComboEn();
    void cb_RTZChange();
    void edt_OffSetChange();
    void TLRefreshOffset(bool x, int n);
    ProfileKeyNameTable OptionNames() const;
    void WriteOptions(bool vendor);
    void ShowGesturePictures(int fireFunction);
    std::uint8_t SwitchOffset() const;

    // ---- Fire-macro editor (FireMacroEditor.cpp) ----
    void WireFireMacroEditor();
    void LB_FireMacroNameClick();
    void ShowScriptLines();
    void DrawScriptRows();
    bool CommitLines(std::vector<std::string> lines);
    void Btn_FireStartClick();
    void Btn_NewFireNameClick();
    void Btn_FireDelClick();
    void Btn_FireInsertClick();
    void CB_InsertFireChange();
    void Btn_FireOKClick();
    void Btn_FireCancelClick();
    void SetDelayMode(int mode);
    void RecordInput(const CapturedInput& input);
    std::optional<int> SelectedSlot() const;
    void StopRecording();
    void HideMenus();
    // Right button on the two lists: select, then open their menu.
    bool ListMouse(QObject* watched, QEvent* event);
    void ShowMenuAt(const char* panel, std::initializer_list<const char*> items, QWidget* list,
                    QPoint at);
    void ShowInsertGroup(bool insert);
    void Img_Base_6DblClick();
    void ShowRecorder(bool shown);
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Fire keys: the three sets as shown, and the hold state of each.
    std::array<FireKeySet, 3> sets_{};
    bool syncing_ = false;
    bool refreshingKeyTexts_ = false;
    int gesture_ = 0;            // the mode-switch gesture the combo shows
    bool optionSyncing_ = false; // the options show the mouse's values: their handlers wait

    GunScripts scripts_;
    bool gunKeyFileLoaded_ = false;

    int selectedKey_ = 1; // the key whose menu was opened last
    bool gunModeLoading_ = false;
    int picturedMode_ = 1;
    std::array<int, kFireMacroSlots> lengths_{};
    std::array<FireMacroFields, kFireMacroSlots> fields_{};

    std::vector<std::string> lines_; // the selected slot's editor lines
    std::vector<std::string> linesBeforeInsert_;
    FireRecorder recorder_;
    bool recording_ = false;
    int delayMode_ = 0;                     // 0 recorded, 1 fixed, 2 none
    std::unique_ptr<InputCapture> capture_; // the recorder's, made at the first recording
    bool skipLeftButton_ = false;           // the pointer is over the record button
    // The hidden recorder controls: shown while the access code is on.
    bool recorderShown_ = false;
    QString lastCode_;
    DialogSlot<MacroNameDialog> nameDialog_; // Rename's
};

} // namespace trvx
