#pragma once
// The key page (page 1): the twelve key buttons of the profile shown, for profiles 1 to 3
// (the side menu's Main, Switch and Fixed buttons).

#include "pages/ui/Page.h"

namespace trvx {

class KeyPage : public Page {
    Q_OBJECT
public:
    explicit KeyPage(PageHost& host, QObject* parent = nullptr);

    // Key1 .. Key12 from the entries of profile p (1..3) in the set being applied.
    void RefreshProfileKeys(int profile);
    // The profile whose keys the page shows (1..3).
    int ShownProfile() const { return shownProfile_; }

    void FillFromImage(StorageKind kind) override;
    void FillNoDevice() override;
    void CaptionsApplied() override;
    void Shown(int radio) override;

private:
    int shownProfile_ = 1;
};

} // namespace trvx
