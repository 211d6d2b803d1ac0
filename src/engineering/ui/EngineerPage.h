#pragma once
// The engineering page (page 7), a plain form of its own size behind the access code: the key
// buttons of the three profiles, the axis offsets, the ID pair read from the mouse.

#include "pages/ui/Page.h"

namespace trvx {

class EngineerPage : public Page {
    Q_OBJECT
public:
    explicit EngineerPage(PageHost& host, QObject* parent = nullptr);

    // btn_Key<p>01 .. btn_Key<p>12 from the entries of profile p (1..3).
    void TLRefreshProfileKeys(int profile);
    // The ID pair read from the mouse, in the read-back edits (decimal).
    void ShowReadIds(std::uint8_t manuId, std::uint8_t proId);
    // Set while the page rebuilds its key texts, so their change handlers write nothing.
    bool RefreshingKeyTexts() const { return refreshingKeyTexts_; }

    void FillFromImage(StorageKind kind) override;
    void CaptionsApplied() override;
    void Shown(int radio) override;
    bool OwnWindowSize() const override { return true; }
    void InputButton(int button, bool held) override;

private:
    bool refreshingKeyTexts_ = false;
};

} // namespace trvx
