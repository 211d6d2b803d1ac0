// The macro page's recorder: the record button, the delay radios and the capture of the
// keyboard and mouse buttons while a recording runs.
#include "macros/ui/MacroPage.h"

#include "pages/ui/ControlText.h"

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
    GreyText("Edt_Delay", mode != MacroDelayMode::Fixed);
}

void MacroPage::CaptionsApplied() {
    const bool plain = recorder_.Active() && !insertRecording_;
    SetControlCaption(Control("Btn_Start"),
                      QString::fromStdString(Host().LangText(plain ? "Str401" : "Str400")));
    SetControlCaption(Control("Btn_InsertStart"), QString::fromStdString(Host().LangText(
                                                      insertRecording_ ? "Str401" : "Str400")));
    if (insertPanelOpen_)
        SetControlCaption(Control("Btn_OK"), QString::fromStdString(Host().LangText(
                                                 CurrentInsertKind() == InsertKind::KeyBefore ||
                                                         CurrentInsertKind() == InsertKind::KeyAfter
                                                     ? "Str421"
                                                     : "Str420")));
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
    if (insertPanelOpen_ || !StartCapture())
        return;
    ClearEditor();
    scriptFromLibrary_ = true;
    recorder_.Start(delayMode_, FixedDelay());
    script_ = {recorder_.Header()};
    Host().SetPicture("Img_Start", "MacroS_03");
    CaptionsApplied();
    if (QWidget* box = Control("Gb_Delay"))
        box->setEnabled(false);
    GreyText("Edt_Delay", true);
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
    if (recorder_.Lines().size() != before)
        ShowRecordedScript();
    if (!stop)
        return;
    if (insertRecording_)
        StopInsertRecording();
    else
        StopRecording();
}

void MacroPage::ShowRecordedScript() {
    const MacroScript& lines = recorder_.Lines();
    int last = 0;
    if (insertRecording_) {
        // The recorded lines go in one block next to the chosen line, in recording order.
        script_ = insertBase_;
        const auto at = static_cast<std::ptrdiff_t>(std::min(insertLine_, script_.size()));
        script_.insert(script_.begin() + at, lines.begin(), lines.end());
        last = static_cast<int>(at) - 1 + static_cast<int>(lines.size()) - 1;
    } else {
        script_ = {recorder_.Header()};
        script_.insert(script_.end(), lines.begin(), lines.end());
        last = static_cast<int>(script_.size()) - 2;
    }
    ShowScript();
    if (QListWidget* list = List("LB_macro"); list != nullptr && last >= 0 && last < list->count())
        list->setCurrentRow(last);
}

bool MacroPage::StartCapture() {
    if (capture_ == nullptr)
        capture_ = Host().NewInputCapture();
    if (!capture_->Start([this](const CapturedInput& input) { TakeInput(input); })) {
        capture_.reset();
        return false;
    }
    if (!capture_->Global())
        Host().ShowMessage(QString::fromStdString(Host().LangText("Str470")));
    return true;
}

void MacroPage::StartInsertRecording() {
    const InsertKind kind = CurrentInsertKind();
    const int item = SelectedRow("LB_macro");
    if (!insertPanelOpen_ || recorder_.Active() || item < 0 ||
        (kind != InsertKind::KeyBefore && kind != InsertKind::KeyAfter))
        return;
    // The room is what the open macro leaves of the body.
    const CompileResult compiled = CompilePCMacroScript(script_);
    const int used = compiled.macro ? compiled.macro->length - 1 : kRecordBytesMax;
    const int room = kRecordBytesMax - used;
    if (room <= 0)
        return;
    if (!StartCapture())
        return;
    insertBase_ = script_;
    insertLine_ = RecordedInsertLine(kind, item);
    const auto* edit = qobject_cast<QLineEdit*>(Control("Edt_InsertDelay"));
    bool ok = false;
    const long fixed = edit != nullptr ? edit->text().toLong(&ok) : 0;
    recorder_.Start(insertDelayMode_,
                    ok ? static_cast<std::uint16_t>(std::clamp<long>(fixed, 1, 65535)) : 50, room);
    insertRecording_ = true;
    Host().SetPicture("Img_InsertStart", "MacroS_03");
    CaptionsApplied();
    SetInsertControlsBusy(true);
}

void MacroPage::StopInsertRecording() {
    if (capture_ != nullptr)
        capture_->Stop();
    if (!insertRecording_)
        return;
    if (recorder_.Active()) {
        recorder_.Finish(lastTick_);
        ShowRecordedScript();
    }
    insertRecording_ = false;
    Host().SetPicture("Img_InsertStart", "MacroS_03");
    CaptionsApplied();
    SetInsertControlsBusy(false);
}

void MacroPage::SetInsertControlsBusy(bool busy) {
    // While an insertion records, only its stop button works; the lines are kept or dropped
    // with OK or Cancel afterwards.
    if (QWidget* w = Control("CB_Insert"))
        w->setEnabled(!busy);
    if (QWidget* w = Control("GB_Dis"))
        w->setVisible(busy);
    for (const char* name :
         {"IB_InsertRecDelay", "IB_InsertDelayTime", "IB_InsertNoDelay", "Edt_InsertDelay",
          "Btn_OK", "Btn_Cancel", "LB_PCMacroName", "LB_macro"})
        if (QWidget* w = Control(name))
            w->setEnabled(!busy);
    for (const char* name : {"IB_InsertRecDelay", "IB_InsertDelayTime", "IB_InsertNoDelay"})
        GreyText(name, busy);
    const bool fixed = insertDelayMode_ == MacroDelayMode::Fixed;
    GreyText("Edt_InsertDelay", busy || !fixed);
    GreyText("lbl_s_A", busy || !fixed);
}

void MacroPage::StopRecording() {
    if (capture_ != nullptr)
        capture_->Stop();
    if (!recorder_.Active())
        return;
    recorder_.Finish(lastTick_);
    ShowRecordedScript();
    Host().SetPicture("Img_Start", "MacroS_03");
    CaptionsApplied();
    if (QWidget* box = Control("Gb_Delay"))
        box->setEnabled(true);
    GreyText("Edt_Delay", delayMode_ != MacroDelayMode::Fixed);
    for (const char* name : {"LB_PCMacroName", "LB_MacroName", "LB_macro", "Btn_New"})
        if (QWidget* w = Control(name))
            w->setEnabled(true);
    CompileAndSave();
}

} // namespace trvx
