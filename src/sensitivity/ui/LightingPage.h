#pragma once
// The lighting page (page 3): LED type and mode, the colour palette, breathing, the MCU-LED
// settings and the profile colours.

#include "pages/ui/Page.h"

#include <array>
#include <optional>

namespace trvx {

class LightingPage : public Page {
    Q_OBJECT
public:
    explicit LightingPage(PageHost& host, QObject* parent = nullptr);

    void Wire() override;
    void FillFromImage(StorageKind kind) override;
    void FillNoDevice() override;
    void PaletteChanged() override { ShowAll(); }

    // ---- Handlers (mode button 1..7, step 1..8, colour 1..10, fall level 1..10) ------------
    void RGBMode_OnClick(int button);
    void MCULEDStep_OnClick(int step);
    void lbl_MCULED3ControlClick();
    void lbl_MCULED6ControlClick();
    void lbl_ColClick(int colour);
    void FallTime_OnClick(int level);

    // ---- The engineering page's lighting controls (EngineerLedControls.cpp) ----------------
    void cb_LEDModeChange();
    void cb_LEDNumChange();
    // Also the change of cb_MCULEDCtrl and cb_MCULEDStep.
    void cb_MCULEDNumChange();
    void cb_BreModeChange();
    void TLRefreshBreathMode();
    // Colour 1..10, channel 0 red, 1 green, 2 blue.
    void edt_ColChange(int colour, int channel);
    void edt_BreathChange(BreathParameter parameter);
    void edt_StepTimeChange();
    void cb_ProfileColorChange(int profile);
    // Also the change of cb_ProfileColor.
    void cb_ProfileChange();
    void cb_ChangeLEDModeFunChange();

private:
    void WireEngineerCopies();
    // Both pages show the working model: after a read and after a change on either page.
    void ShowAll();
    void ShowEngineerCopies();
    void TLRefreshLEDTypeMode(LedType type);
    void ShowModeList(LedType type, const std::array<bool, 7>& checked);
    void ShowProfileColours();
    void TLRefreshLEDModeFun();
    std::array<bool, 7> ModeBoxesChecked() const;
    void SendWrite(const std::optional<RegisterWrite>& write);
    // The mode list's item, written as register 165 by the type's rule.
    void WriteModeItem(LedType type, int item);

    void Show();
    void ShowModeButtons();
    void ShowSelectedMode(std::optional<int> button);
    // The fall-time row and its numbers take clicks, or are shown faded.
    void ShowFallRowEnabled(bool enabled);
    void DrawRow(const char* stem, int count, int level);
    void ShowMcuLed();
    void ShowSwatch(int colour);
    // Stores the MCU-LED settings and sends them (a mouse with EEPROM storage only).
    void SendMcuLed(int step, bool fullLight);
    void SendMcuLed(int step, bool fullLight, int ledCount);

    // Set while the page puts the model into its controls, so the handlers those changes run
    // stand still.
    bool showing_ = false;
};

} // namespace trvx
