#pragma once
// The engineering page (page 7), a plain form of its own size behind the access code: option
// bits, sensor registers, USB identity, the ID pair, X data, the key buttons of the three
// profiles, the axis offsets.

#include "engineering/EngineerRules.h"
#include "pages/ui/Page.h"

namespace trvx {

class EngineerPage : public Page {
    Q_OBJECT
public:
    explicit EngineerPage(PageHost& host, QObject* parent = nullptr);

    // btn_Key<p>01 .. btn_Key<p>12 from the entries of profile p (1..3).
    // The ID pair read from the mouse, in the read-back edits (decimal).
    void ShowReadIds(std::uint8_t manuId, std::uint8_t proId);
    // Set while the page rebuilds its key texts, so their change handlers write nothing.
    bool RefreshingKeyTexts() const { return refreshingKeyTexts_; }
    bool EngineeringMode() const { return Host().Access().Mode(); }

    void Wire() override;
    void FillFromImage(StorageKind kind) override;
    void Shown(int radio) override;
    bool OwnWindowSize() const override { return true; }
    void InputButton(int button, bool held) override;

    // The hidden switch: a double-click on the logo of page 1 or of this page.
    void Img_Base_1DblClick();

    // Handlers.
    void OptionChange(const OptionField& field);
    void SensorChange(int index);
    void edt_VIDChange();
    void edt_PIDChange();
    void edt_USBDescChange();
    // Keeps each ID edit within 0..255 as it is typed.
    void edt_IdChange();
    // Enter or leaving an ID edit: asks about the new pair and writes the ID block.
    void edt_IdCommit();
    void cb_BtnEFTChange();
    void btn_XDataReadClick();
    void btn_XDataWriteClick();
    void btn_ChangeXDataClick();

private slots:
    void xDataClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows or hides the controls code B opens.
    void ShowEngineeringControls(bool on);
    void FillEngineering();
    void SendWrite(const std::optional<RegisterWrite>& write);
    // After a refused identity question: the edits show the mouse's values again.
    void ShowIdentity();

    bool refreshingKeyTexts_ = false;
    bool askingIdentity_ = false; // the ID pair's question is open
};

} // namespace trvx
