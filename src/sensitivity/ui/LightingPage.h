#pragma once
// The lighting page (page 3): LED type and mode, the colour palette, breathing, the MCU-LED
// settings and the profile colours.

#include "pages/ui/Page.h"

#include <optional>

namespace trvx {

class LightingPage : public Page {
    Q_OBJECT
public:
    explicit LightingPage(PageHost& host, QObject* parent = nullptr);

    void Wire() override;
    void FillFromImage(StorageKind kind) override;
    void FillNoDevice() override;

    // ---- Handlers (mode button 1..7, step 1..8, colour 1..10, fall level 1..10) ------------
    void RGBMode_OnClick(int button);
    void MCULEDStep_OnClick(int step);
    void lbl_MCULED3ControlClick();
    void lbl_MCULED6ControlClick();
    void lbl_ColClick(int colour);
    void FallTime_OnClick(int level);

private:
    void Show();
    void ShowModeButtons();
    void ShowSelectedMode(std::optional<int> button);
    void DrawRow(const char* stem, int count, int level);
    void ShowMcuLed();
    void ShowSwatch(int colour);
    // Stores the MCU-LED settings and sends them (a mouse with EEPROM storage only).
    void SendMcuLed(int step, bool fullLight);
};

} // namespace trvx
