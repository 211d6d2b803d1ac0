// The macro page's insert box: delays, moves and loops typed into its edits, keys and buttons
// recorded into the open script next to the chosen line.
#include "macros/ui/MacroPage.h"

#include "controls/wide/ui/UniComboBox.h"
#include "controls/wide/ui/UniLabel.h"
#include "controls/wide/ui/UniListBox.h"
#include "pages/ui/ControlText.h"

#include <QLineEdit>
#include <QListWidget>

#include <algorithm>
#include <tuple>

namespace trvx {

namespace {

// The text colour of what cannot be changed at the moment.
const QColor kGreyText(0x72, 0x71, 0x71);

QColor ColourOf(const Rgb& c) {
    return QColor(c.R, c.G, c.B);
}

void SetTextColour(QWidget* w, const QColor& colour) {
    if (w == nullptr)
        return;
    if (auto* label = qobject_cast<TUniLabel*>(w)) {
        label->SetFontColor(colour);
        return;
    }
    QPalette p = w->palette();
    p.setColor(QPalette::Text, colour);
    w->setPalette(p);
}

std::string EditText(QWidget* w) {
    auto* edit = qobject_cast<QLineEdit*>(w);
    return edit != nullptr ? edit->text().toStdString() : std::string();
}

constexpr const char* kInsertRadios[] = {"InsertRecDelay", "InsertDelayTime", "InsertNoDelay"};

} // namespace

void MacroPage::GreyText(const char* name, bool grey) {
    QWidget* w = Control(name);
    const LayoutValues& v = Host().Layout();
    // Labels take the page's text colour back, edits their own.
    const Rgb own = qobject_cast<TUniLabel*>(w) != nullptr ? v.ColorF : v.ColorFFont;
    SetTextColour(w, grey ? kGreyText : ColourOf(own));
}

void MacroPage::WireInsertPanel() {
    const auto onClick = [this](const char* name, void (MacroPage::*handler)()) {
        if (auto* label = qobject_cast<TUniLabel*>(Control(name)))
            connect(label, &TUniLabel::clicked, this, [this, handler] { (this->*handler)(); });
    };
    onClick("Btn_Insert", &MacroPage::Btn_InsertClick);
    onClick("Btn_OK", &MacroPage::Btn_OKClick);
    onClick("Btn_Cancel", &MacroPage::Btn_CancelClick);
    onClick("Btn_InsertStart", &MacroPage::Btn_InsertStartClick);
    if (auto* combo = qobject_cast<TUniComboBox*>(Control("CB_Insert")))
        connect(combo, &TUniComboBox::changed, this, [this] { CB_InsertChange(); });
    for (const auto& [name, mode] : {std::pair{"IB_InsertRecDelay", MacroDelayMode::Recorded},
                                     std::pair{"IB_InsertDelayTime", MacroDelayMode::Fixed},
                                     std::pair{"IB_InsertNoDelay", MacroDelayMode::None}})
        if (auto* label = qobject_cast<TUniLabel*>(Control(name)))
            connect(label, &TUniLabel::clicked, this, [this, m = mode] { SetInsertDelayMode(m); });
    // The box's buttons show their hover picture under the pointer.
    for (const char* stem : {"OK", "Cancel"})
        WireHoverButton(std::string("Btn_") + stem, std::string("Img_") + stem, "MacroBtnS_02",
                        "MacroBtnS_01");
    // The move offsets and the loop count are corrected as they are typed.
    for (const auto& [name, correct] : {std::pair{"edt_XAxisValue", &CorrectAxisText},
                                        std::pair{"edt_YAxisValue", &CorrectAxisText},
                                        std::pair{"edt_Repeat", &CorrectRepeatText}})
        if (auto* edit = qobject_cast<QLineEdit*>(Control(name))) {
            edit->setText(
                QStringLiteral("%1").arg(name == std::string_view("edt_Repeat") ? 10 : 12));
            connect(edit, &QLineEdit::textChanged, this, [edit, fix = correct] {
                const QString corrected = QString::fromStdString(fix(edit->text().toStdString()));
                // A corrected text runs this handler again: return right after correcting.
                if (corrected != edit->text())
                    edit->setText(corrected);
            });
        }
}

InsertKind MacroPage::CurrentInsertKind() const {
    auto* combo = qobject_cast<QComboBox*>(Control("CB_Insert"));
    const int index = combo != nullptr ? combo->currentIndex() : 0;
    return static_cast<InsertKind>(std::clamp(index, 0, 7));
}

void MacroPage::Btn_InsertClick() {
    ClearMacro();
    if (SelectedRow("LB_PCMacroName") < 0 || recorder_.Active())
        return;
    for (const char* name : {"LB_MacroName", "Btn_New", "Btn_Start"})
        if (QWidget* w = Control(name))
            w->setEnabled(false);
    GreyText("lbl_s_A", true);
    auto* list = qobject_cast<TUniListBox*>(Control("LB_macro"));
    savedListTop_ = list != nullptr ? list->TopIndex() : -1;
    savedListIndex_ = SelectedRow("LB_macro");
    insertPanelOpen_ = true;
    ShowEditorBoxes();
    if (auto* combo = qobject_cast<TUniComboBox*>(Control("CB_Insert")))
        combo->SetItemIndex(0);
    CB_InsertChange();
}

void MacroPage::CB_InsertChange() {
    const InsertKind kind = CurrentInsertKind();
    const bool delay = kind == InsertKind::DelayBefore || kind == InsertKind::DelayAfter;
    const bool key = kind == InsertKind::KeyBefore || kind == InsertKind::KeyAfter;
    const bool move = kind == InsertKind::MoveBefore || kind == InsertKind::MoveAfter;
    const bool loop = kind == InsertKind::LoopStartBefore || kind == InsertKind::LoopEndAfter;
    Host().SetPicture("Img_InsertBase", key    ? "InsertKeyBase"
                                        : move ? "InsertXYBase"
                                               : "InsertDelayBase");
    SetControlCaption(Control("Btn_OK"),
                      QString::fromStdString(Host().LangText(key ? "Str421" : "Str420")));
    const auto show = [this](const char* name, bool on) {
        if (QWidget* w = Control(name))
            w->setVisible(on);
    };
    show("lbl_Delay", delay);
    show("Edt_InsertDelay", delay || key);
    show("lbl_s_A", delay || key);
    for (const char* stem : kInsertRadios) {
        show((std::string("IB_") + stem).c_str(), key);
        show((std::string("LED_") + stem).c_str(), key);
    }
    show("Btn_InsertStart", key);
    show("Img_InsertStart", key);
    for (const char* name :
         {"lbl_XAxisValue", "edt_XAxisValue", "lbl_YAxisValue", "edt_YAxisValue"})
        show(name, move);
    show("lbl_Repeat", loop);
    show("edt_Repeat", loop);
    if (QWidget* repeat = Control("edt_Repeat"))
        repeat->setEnabled(kind == InsertKind::LoopStartBefore);
    if (key) {
        SetInsertDelayMode(MacroDelayMode::Recorded);
    } else if (auto* edit = qobject_cast<QLineEdit*>(Control("Edt_InsertDelay"))) {
        edit->setReadOnly(false);
        GreyText("Edt_InsertDelay", false);
        GreyText("lbl_s_A", false);
    }
}

void MacroPage::SetInsertDelayMode(MacroDelayMode mode) {
    if (insertRecording_)
        return;
    insertDelayMode_ = mode;
    const std::pair<const char*, MacroDelayMode> radios[] = {
        {"LED_InsertRecDelay", MacroDelayMode::Recorded},
        {"LED_InsertDelayTime", MacroDelayMode::Fixed},
        {"LED_InsertNoDelay", MacroDelayMode::None}};
    for (const auto& [picture, m] : radios)
        Host().SetPicture(picture, m == mode ? "RdS_E" : "RdS_D");
    const bool fixed = mode == MacroDelayMode::Fixed;
    if (auto* edit = qobject_cast<QLineEdit*>(Control("Edt_InsertDelay")))
        edit->setReadOnly(!fixed);
    GreyText("Edt_InsertDelay", !fixed);
    GreyText("lbl_s_A", !fixed);
}

void MacroPage::Btn_OKClick() {
    if (!insertPanelOpen_ || insertRecording_)
        return;
    Host().SetPicture("Img_OK", "MacroBtnS_03");
    const InsertKind kind = CurrentInsertKind();
    if (kind != InsertKind::KeyBefore && kind != InsertKind::KeyAfter) {
        const int item = SelectedRow("LB_macro");
        if (item < 0)
            return;
        const InsertValues values{
            EditText(Control("Edt_InsertDelay")), EditText(Control("edt_XAxisValue")),
            EditText(Control("edt_YAxisValue")), EditText(Control("edt_Repeat"))};
        const LineInsertion insertion = InsertScriptLine(script_, kind, item, values);
        if (!insertion.inserted) {
            if (insertion.badValue) {
                const std::string bad =
                    kind == InsertKind::LoopStartBefore ? values.repeat
                    : kind == InsertKind::MoveBefore || kind == InsertKind::MoveAfter
                        ? (values.x == "-" || values.x.empty() ? values.x : values.y)
                        : values.delay;
                Host().ShowMessage(QStringLiteral("'%1' is not a valid integer value")
                                       .arg(QString::fromStdString(bad)));
            }
            return;
        }
        ShowScript();
        if (QListWidget* list = List("LB_macro"))
            list->setCurrentRow(insertion.selectItem);
    }
    CloseInsertPanel();
    CompileAndSave();
}

void MacroPage::Btn_CancelClick() {
    if (!insertPanelOpen_ || insertRecording_)
        return;
    Host().SetPicture("Img_Cancel", "MacroBtnS_03");
    CloseInsertPanel();
    // Lines recorded and not confirmed are dropped: the script is rebuilt from the body stored
    // for the library row chosen now.
    const int row = SelectedRow("LB_PCMacroName");
    if (row >= 0)
        LB_PCMacroNameClick(row);
    if (auto* list = qobject_cast<TUniListBox*>(Control("LB_macro"))) {
        if (savedListTop_ >= 0)
            list->SetTopIndex(savedListTop_);
        list->SetItemIndex(savedListIndex_);
    }
}

void MacroPage::CloseInsertPanel() {
    insertPanelOpen_ = false;
    ShowEditorBoxes();
    for (const char* name : {"LB_MacroName", "Btn_New", "Btn_Start"})
        if (QWidget* w = Control(name))
            w->setEnabled(true);
}

void MacroPage::Btn_InsertStartClick() {
    if (insertRecording_)
        StopInsertRecording();
    else
        StartInsertRecording();
}

} // namespace trvx
