#pragma once
// The sensitivity page (page 2): CPI levels and their colours, the AIM key, the report rate
// and the desktop's pointer settings.

#include "pages/ui/Page.h"
#include "sensitivity/PointerSettings.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace trvx {

class SensitivityPage : public Page {
    Q_OBJECT
public:
    // Without pointer settings the page offers the desktop's that it finds.
    explicit SensitivityPage(PageHost& host, QObject* parent = nullptr,
                             std::unique_ptr<PointerSettings> pointer = nullptr);
    ~SensitivityPage() override;

    void Wire() override;
    void FillFromImage(StorageKind kind) override;
    void FillNoDevice() override;
    void CaptionsApplied() override;
    void InputButton(int button, bool held) override;
    void CurrentCpi(int level) override;
    void WindowEnding() override;

    // ---- Handlers (level 1..8, bar image 1..12, rate button 1..4) --------------------------
    void DPIValue_OnClick(int level, int image);
    void CurrentDPI_OnClick(int level);
    void DPILevel_OnClick(int level);
    void lbl_DPIColClick(int level);
    void ReportRate_OnClick(int button);
    void AIMDPIValue_OnClick(int image);

    // ---- The engineering sheet's copies ----------------------------------------------------
    void cb_CPIStepsChange();
    void cb_CurrentCPIChange();
    void cb_CPIChange(int level);
    void cb_AIMChange();
    void cb_RepRateChange();
    // A level's colour edit, channel 0 red, 1 green, 2 blue.
    void edt_CPIColChange(int level, int channel);

    // ---- Pointer settings ------------------------------------------------------------------
    void MseSpd_OnClick(int level);
    void MseDbSpd_OnClick(int level);
    void MseScrSpd_OnClick(int level);
    void lbl_IsControlClick();
    void lbl_IsScreenClick();
    // Reads the desktop's settings into the page.
    void RefreshPointerSettings();

private:
    bool Marker() const;
    void Send(const std::optional<RegisterWrite>& write);
    void SendAll(const std::vector<RegisterWrite>& writes);
    // The level rows from the model: count, labels, bars, marks and swatches.
    void ShowLevels();
    // Both pages' level rows from the page's count and the model.
    void ShowLevelsShown();
    void SetLevelStep(int level, int step);
    // Stores the AIM step into every AIM key and writes the profiles; false when no key of the
    // three profiles is an AIM key.
    bool SetAimStep(int step);
    void DrawAimBar(int step);
    void SelectReportRate(int bits);
    static std::string ColourEditName(int level, int channel);
    void WireEngineerCopies();
    void ShowEngineerCopies();
    void ShowLevelEnabled(int level, bool enabled);
    void DrawLevelBar(int level, int step);
    void DrawBar(const char* stem, int count, int level);
    void ShowCurrentLevel(std::optional<int> index);
    void ShowSwatch(int level);
    void ShowReportRate(int bits);
    void ShowAim();
    void ShowPointerSettings();
    void ShowPointerError(const PointerResult& result);
    void WritePointerSetting(PointerSetting setting, const PointerState& wanted);
    void ShowPointerOutcome(const PointerOutcome& outcome);

    int levelCount_ = 8;
    // The AIM step the engineering sheet returns to when there is no AIM key.
    int aimStepIndex_ = 0;
    std::unique_ptr<PointerSettings> pointer_;
    PointerState pointerState_;
    // Writes asked of the pointer settings, to tell an outcome that a later click overtook.
    std::uint64_t pointerWrites_ = 0;
    int wheelLevelSaved_ = 1;
};

} // namespace trvx
