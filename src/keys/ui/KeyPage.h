#pragma once
// The key page (page 1): the twelve key buttons of the profile shown, for profiles 1 to 3
// (the side menu's Main, Switch and Fixed buttons), the key-function menus that assign them,
// the combination-key dialog and the mode-switch option buttons.

#include "keys/KeyEntry.h"
#include "keys/KeyPageRules.h"
#include "keys/ModeSwitchOptions.h"
#include "pages/ui/Page.h"
#include "pages/ui/SmallDialog.h"

#include <optional>

namespace trvx {

class ComboKeyDialog;

class KeyPage : public Page {
    Q_OBJECT
public:
    explicit KeyPage(PageHost& host, QObject* parent = nullptr);
    ~KeyPage() override;

    // Key1 .. Key12 from the entries of profile p (1..3) in the set being applied.
    void RefreshProfileKeys(int profile);
    // The profile whose keys the page shows (1..3).
    int ShownProfile() const { return shownProfile_; }

    void Wire() override;
    void FillFromImage(StorageKind kind) override;
    void FillNoDevice() override;
    void CaptionsApplied() override;
    void LanguageSwitching() override;
    void LanguageChanged() override;
    void Shown(int radio) override;
    void ProfileReported(int radio) override;
    void KeyEntriesChanged() override;

    // Handlers.
    void ShowPnlMain_OnClick(int key);
    void KeyByTagMouseEnter(QWidget* opener);
    void KeyStatusMouseEnter(QWidget* entry);
    void KeyStatusMouseLeave(QWidget* entry);
    void KeyStatusOnClick(QWidget* entry);
    void Key_AssemblyClick();
    void IB_ComboKeyClick(int n);
    // Takes a confirmed combination into the key it was opened for.
    void ApplyComboKey(int profile, int key, const TKeyEntry& entry, const QString& caption);

    // The engineering page's key buttons (EngineerKeyButtons.cpp): btn_Key101 .. btn_Key312
    // (number 101 .. 312) and btn_ComboKey001 .. btn_ComboKey009 (number 1 .. 9).
    void TLShowPnlMain_OnClick(int number);
    void LB_ScriptClick(int row);
    // btn_Key<p>01 .. btn_Key<p>12, and the combination-key buttons, from the working image.
    void TLRefreshProfileKeys(int profile);
    void RefreshComboKeyCaptions();
    void OptionsChangedElsewhere();
    // Shows keys 10 to 12 of the three profiles for the RGB LED package, hides them for the
    // other.
    void TLRefreshPackageKeys();

private:
    // Selects the profile on the mouse (registers 167..170 and 164) unless the pages are being
    // filled or the mouse told us; sizes the menus; shows its keys.
    void SelectProfile(int profile, bool write);
    void SizeMenus(int profile);
    void SizeMenus(const MenuRowInputs& in);
    void ShowSubMenu(QWidget* panel, QWidget* parent, QWidget* opener);
    void HideSubMenus(bool secondLevel);
    // Writes the profiles after a key changed (only with an accepted mouse).
    void WriteProfilesToMouse();
    void WriteVendorAndProfiles();
    void RefreshOptionPictures();
    void SetOptionPicture(int n, bool on);
    int FireFunction() const;
    void SetFireFunction(int index);
    bool LedModeFunction() const;
    void SetLedModeFunction(bool on);
    bool GunKeysSwitch() const;
    void SetGunKeysSwitch(bool on);
    KeyEntryContext Context();
    // The context a menu choice is turned into an entry with.
    KeyEntryContext AssignContext();
    void WireEngineerKeys();
    // The menus belong to the page that opened them last.
    void MoveMenusTo(QWidget* page);
    void SizeEngineerMenus();
    void AssignEngineerKey(const TKeyEntry& entry, const QString& caption);
    // The captions of both pages after the key entries changed.
    void RefreshAllKeyCaptions();
    // What follows controls the later pages fill from the image.
    void FilledByAllPages();
    ProfileKeyNameTable KeyNames();

    int shownProfile_ = 1;
    int selectedKey_ = -1;
    bool keyPageMenuOpen_ = false;
    bool engineeringMenuOpen_ = false;
    int selectedButton_ = -1;
    bool fromMouse_ = false;
    // Option states when the engineering page's controls are missing.
    int fireFunction_ = 0;
    bool gunKeysSwitch_ = false;
    DialogSlot<ComboKeyDialog> dialog_;
    // The gesture combos' items across a language switch, which gives them their items anew.
    int fireFunctionKept_ = -1;
    int ledModeFunctionKept_ = -1;
};

} // namespace trvx
