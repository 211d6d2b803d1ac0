#include "sensitivity/ui/LightingPage.h"

#include "controls/skinned/ui/RectShape.h"
#include "controls/wide/ui/UniLabel.h"
#include "sensitivity/SensitivityRules.h"
#include "skin/ui/SkinPicture.h"

#include <QAbstractButton>

namespace trvx {
namespace {

constexpr std::uint16_t kMcuLedStepXData = 0x07C4;
constexpr std::uint16_t kMcuLedControlXData = 0x07C5;
constexpr std::uint16_t kPatchBlockAddress = 1008;

} // namespace

LightingPage::LightingPage(PageHost& host, QObject* parent) : Page(host, 3, parent) {}

void LightingPage::Wire() {
    // The mode and brightness captions stand beside their circles, not over them: a circle
    // answers a click as its caption does.
    for (int k = 1; k <= 7; ++k)
        for (const char* stem : {"lbl_LED", "Img_LED"})
            OnClick(Control(NumberedName(stem, k)), this, [this, k] { RGBMode_OnClick(k); });
    for (int n = 1; n <= 8; ++n)
        OnClick(Control(NumberedName("Img_MCULEDStep_", n)), this,
                [this, n] { MCULEDStep_OnClick(n); });
    for (const char* name : {"lbl_MCULED3Control", "Img_MCULED3Control"})
        OnClick(Control(name), this, [this] { lbl_MCULED3ControlClick(); });
    for (const char* name : {"lbl_MCULED6Control", "Img_MCULED6Control"})
        OnClick(Control(name), this, [this] { lbl_MCULED6ControlClick(); });
    for (int n = 1; n <= 10; ++n) {
        OnClick(Control(NumberedName("lbl_Col", n)), this, [this, n] { lbl_ColClick(n); });
        OnClick(Control(NumberedName("Img_Fall", n)), this, [this, n] { FallTime_OnClick(n); });
    }
    WireEngineerCopies();
}

void LightingPage::FillFromImage(StorageKind /*kind*/) {
    ShowAll();
}

void LightingPage::FillNoDevice() {
    ShowAll();
}

void LightingPage::ShowAll() {
    Show();
    ShowEngineerCopies();
}

void LightingPage::DrawRow(const char* stem, int count, int level) {
    const std::vector<bool> lit = StepBarLit(count, level, Host().Settings().DPILEDStatus);
    for (int i = 1; i <= count; ++i)
        Host().SetPicture(NumberedName(stem, i),
                          lit[static_cast<std::size_t>(i - 1)] ? "Bar1_E" : "Bar1_D");
}

void LightingPage::ShowSwatch(int colour) {
    if (auto* shape = qobject_cast<RectShape*>(Control(NumberedName("cs_Col", colour)))) {
        const RgbColour c = Host().Model().PaletteColour(colour);
        shape->setBrushColor(QColor(c.red, c.green, c.blue));
        shape->setPenColor(QColor(c.red, c.green, c.blue));
        shape->setVisible(true);
    }
}

void LightingPage::ShowSelectedMode(std::optional<int> button) {
    for (int k = 1; k <= 7; ++k) {
        Host().SetPicture(NumberedName("Img_LED", k), button && *button == k ? "RdS_E" : "RdS_D");
        if (auto* radio = qobject_cast<QAbstractButton*>(Control(NumberedName("rb_LED", k))))
            radio->setChecked(button && *button == k);
    }
    ShowFallRowEnabled(FallRowEnabled(button));
}

void LightingPage::ShowFallRowEnabled(bool enabled) {
    for (int n = 1; n <= 10; ++n)
        for (const std::string& name : {NumberedName("Img_Fall", n), NumberedName("lbl_Fall", n)})
            if (QWidget* w = Control(name))
                w->setEnabled(enabled);
}

void LightingPage::ShowModeButtons() {
    const WorkingModel& model = Host().Model();
    const LedType type = model.LedTypeOfMode();
    const std::uint8_t mask = model.LedModeMask();
    for (int k = 1; k <= 7; ++k) {
        const int bit = type == LedType::MCULED ? k : k - 1;
        const bool shown = LedTypeOffersButton(type, k) && ((mask >> bit) & 1) != 0;
        for (const std::string& name : {NumberedName("lbl_LED", k), NumberedName("Img_LED", k)})
            if (QWidget* w = Control(name))
                w->setVisible(shown);
    }
    ShowSelectedMode(ModeButtonOfByte(model.LedModeByte(), type));
}

void LightingPage::ShowMcuLed() {
    const WorkingModel& model = Host().Model();
    const bool mcu = model.LedTypeOfMode() == LedType::MCULED;
    // The MCU-LED settings live beside the patch code, which only an EEPROM mouse takes as a
    // block: on a flash mouse they cannot be stored, so their controls take no clicks.
    const bool storable = Host().CurrentStorage() == StorageKind::I2C;
    const int step = model.McuLedStep();
    if (step >= 0 && step <= 7)
        DrawRow("Img_MCULEDStep_", 8, step + 1);
    const bool full = (model.McuLedControl() & 0x80) != 0;
    Host().SetPicture("Img_MCULED3Control", full ? "RdS_E" : "RdS_D");
    Host().SetPicture("Img_MCULED6Control", full ? "RdS_D" : "RdS_E");
    // The step numbers show only where the layout numbers its scales.
    const bool numbered = Host().Settings().NumOrder == 0;
    for (int n = 1; n <= 8; ++n) {
        if (QWidget* w = Control(NumberedName("Img_MCULEDStep_", n))) {
            w->setVisible(mcu);
            w->setEnabled(storable);
        }
        if (QWidget* w = Control(NumberedName("lbl_MCULEDStep_", n))) {
            w->setVisible(mcu && numbered);
            w->setEnabled(storable);
        }
    }
    for (const char* name :
         {"Img_MCULED3Control", "lbl_MCULED3Control", "Img_MCULED6Control", "lbl_MCULED6Control"})
        if (QWidget* w = Control(name)) {
            w->setVisible(mcu);
            w->setEnabled(storable);
        }
    DrawRow("Img_Fall", 10, FallLevelOfStepTime(model.StepTime()));
}

void LightingPage::Show() {
    for (int n = 1; n <= 10; ++n)
        ShowSwatch(n);
    ShowMcuLed();
    ShowModeButtons();
}

void LightingPage::RGBMode_OnClick(int button) {
    if (button < 1 || button > 7)
        return;
    WorkingModel& model = Host().Model();
    const LedType type = model.LedTypeOfMode();
    ShowSelectedMode(button);
    if (Filling())
        return;
    SendWrite(model.SetLedModeByte(ModeButtonByte(model.LedModeByte(), type, button)));
    ShowEngineerCopies();
}

void LightingPage::SendWrite(const std::optional<RegisterWrite>& write) {
    if (!write)
        return;
    PageHost::TransferScope scope(Host());
    SendRegisterWrite(Host().Mouse(), *write);
}

void LightingPage::SendMcuLed(int step, bool fullLight) {
    const int count = McuLedCountOfByte(Host().Model().McuLedControl());
    SendMcuLed(step, fullLight, count != 0 ? count : 13);
}

void LightingPage::SendMcuLed(int step, bool fullLight, int ledCount) {
    if (Host().CurrentStorage() != StorageKind::I2C)
        return;
    WorkingModel& model = Host().Model();
    const std::uint8_t control = McuLedControlByte(fullLight, ledCount);
    if (!model.SetMcuLedSettings(step, control))
        return;
    ShowMcuLed();
    ShowEngineerCopies();
    PageHost::TransferScope scope(Host());
    Host().ShowBusy();
    const TPatchBlock& block = model.PatchBlock();
    Host().Mouse().WriteBlock(kPatchBlockAddress, std::span(block.data(), block.size()));
    Host().Mouse().WriteXData(kMcuLedStepXData, block[8]);
    Host().Mouse().WriteXData(kMcuLedControlXData, block[9]);
    Host().HideBusy();
}

void LightingPage::MCULEDStep_OnClick(int step) {
    if (Filling() || step < 1 || step > 8)
        return;
    SendMcuLed(step - 1, (Host().Model().McuLedControl() & 0x80) != 0);
}

void LightingPage::lbl_MCULED3ControlClick() {
    if (Filling())
        return;
    SendMcuLed(Host().Model().McuLedStep() & 0x07, true);
}

void LightingPage::lbl_MCULED6ControlClick() {
    if (Filling())
        return;
    SendMcuLed(Host().Model().McuLedStep() & 0x07, false);
}

void LightingPage::lbl_ColClick(int colour) {
    if (Filling() || colour < 1 || colour > 10)
        return;
    WorkingModel& model = Host().Model();
    const RgbColour old = model.PaletteColour(colour);
    const auto chosen = ChooseRgb(old);
    if (!chosen)
        return;
    const RgbColour c = *chosen;
    SendWrite(model.SetPaletteColour(colour, c));
    ShowSwatch(colour);
    ShowEngineerCopies();
}

void LightingPage::FallTime_OnClick(int level) {
    if (level < 1 || level > 10)
        return;
    DrawRow("Img_Fall", 10, level);
    if (Filling())
        return;
    SendWrite(Host().Model().SetStepTime(5 * level));
    ShowEngineerCopies();
}

} // namespace trvx
