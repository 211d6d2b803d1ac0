// The macro page's recorder: the record button, the delay radios and the capture of the
// keyboard and mouse buttons while a recording runs.
#include "macros/ui/MacroPage.h"

#include "pages/ui/ControlText.h"
#include "platform/ui/X11InputCapture.h"

#include <QLineEdit>
#include <QListWidget>

#include <algorithm>

namespace trvx {

std::uint16_t MacroPage::FixedDelay() const {
    const auto* edit = qobject_cast<QLineEdit*>(Control("Edt_Delay"));
    bool ok = false;
    const long value = edit != nullptr ? edit->text().toLong(&ok) : 0;
    return ok ? static_cast<std::uint16_t>(std::clamp<long>(value, 1, 65535)) : 50;
}

void MacroPage::SetDelayMode(MacroDelayMode mode) {
    if (recorder_.Active())
        return;
    delayMode_ = mode;
    const std::pair<const char*, MacroDelayMode> radios[] = {
        {"LED_RecDelay", MacroDelayMode::Recorded},
        {"LED_DelayTime", MacroDelayMode::Fixed},
        {"LED_NoDelay", MacroDelayMode::None}};
    for (const auto& [picture, m] : radios)
        Host().SetPicture(picture, m == mode ? "RdS_E" : "RdS_D");
    if (auto* edit = qobject_cast<QLineEdit*>(Control("Edt_Delay"))) {
        edit->setEnabled(true);
        edit->setReadOnly(mode != MacroDelayMode::Fixed);
    }
}

void MacroPage::CaptionsApplied() {
    SetControlCaption(Control("Btn_Start"), QString::fromStdString(Host().LangText(
                                                recorder_.Active() ? "Str401" : "Str400")));
}

void MacroPage::Btn_StartClick() {
    if (recorder_.Active())
        StopRecording();
    else
        StartRecording();
}

void MacroPage::StartRecording() {
    const int row = SelectedRow("LB_PCMacroName");
    if (row < 0 || row >= library_.Count())
        return;
    ClearMacro();
    if (capture_ == nullptr)
        capture_ = MakeInputCapture();
    if (!capture_->Start([this](const CapturedInput& input) { TakeInput(input); })) {
        capture_.reset();
        return;
    }
    if (!capture_->Global())
        Host().ShowMessage(QString::fromStdString(Host().LangText("Str470")));
    ClearEditor();
    scriptFromLibrary_ = true;
    recorder_.Start(delayMode_, FixedDelay());
    script_ = {recorder_.Header()};
    Host().SetPicture("Img_Start", "MacroS_03");
    CaptionsApplied();
    if (QWidget* box = Control("Gb_Delay"))
        box->setEnabled(false);
    for (const char* name : {"LB_PCMacroName", "LB_MacroName", "LB_macro", "Btn_New"})
        if (QWidget* w = Control(name))
            w->setEnabled(false);
}

void MacroPage::TakeInput(const CapturedInput& input) {
    if (!recorder_.Active())
        return;
    lastTick_ = input.tick;
    const std::size_t before = recorder_.Lines().size();
    const bool stop = recorder_.Input(input);
    if (recorder_.Lines().size() != before) {
        script_ = {recorder_.Header()};
        script_.insert(script_.end(), recorder_.Lines().begin(), recorder_.Lines().end());
        ShowScript();
        if (QListWidget* list = List("LB_macro"); list != nullptr && list->count() > 0)
            list->setCurrentRow(list->count() - 1);
    }
    if (stop)
        StopRecording();
}

void MacroPage::StopRecording() {
    if (capture_ != nullptr)
        capture_->Stop();
    if (!recorder_.Active())
        return;
    recorder_.Finish(lastTick_);
    script_ = {recorder_.Header()};
    script_.insert(script_.end(), recorder_.Lines().begin(), recorder_.Lines().end());
    ShowScript();
    Host().SetPicture("Img_Start", "MacroS_03");
    CaptionsApplied();
    if (QWidget* box = Control("Gb_Delay"))
        box->setEnabled(true);
    for (const char* name : {"LB_PCMacroName", "LB_MacroName", "LB_macro", "Btn_New"})
        if (QWidget* w = Control(name))
            w->setEnabled(true);
    CompileAndSave();
}

} // namespace trvx
