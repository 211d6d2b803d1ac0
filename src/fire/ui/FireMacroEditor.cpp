// The fire-macro editor behind the access code: the slot list, the event lines, the recorder,
// deleting and inserting lines. Every change is compiled into the slot at once.
#include "controls/skinned/ui/SkinInputDialog.h"
#include "controls/wide/ui/UniListBox.h"
#include "engineering/EngineerRules.h"
#include "fire/ui/FireControls.h"
#include "fire/ui/FirePage.h"
#include "macros/MacroCode.h"
#include "pages/ui/ControlText.h"
#include "pages/ui/ScriptLineIcons.h"

#include <QButtonGroup>
#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>

namespace trvx {
namespace {

constexpr const char* kRecorderControls[] = {"Btn_FireStart", "Img_FireStart", "LB_FireMacroName",
                                             "LB_FireMacro",  "GB_FireDelay",  "Img_FireDelay"};
constexpr const char* kDelayGroup[] = {"GB_FireDelay",    "Img_FireDelay",     "LED_FireRecDelay",
                                       "IB_FireRecDelay", "LED_FireDelayTime", "IB_FireDelayTime",
                                       "LED_FireNoDelay", "IB_FireNoDelay",    "Edt_FireDelay"};
constexpr const char* kInsertGroup[] = {"Gb_InsertFire", "Img_FireInsert", "CB_InsertFire",
                                        "Img_FireOK",    "Btn_FireOK",     "Img_FireCancel",
                                        "Btn_FireCancel"};
constexpr const char* kInsertValues[] = {
    "lbl_FireDelay",      "Edt_InsertFireDelay", "lbl_Fires_A",
    "lbl_FireXAxisValue", "edt_FireXAxisValue",  "lbl_FireYAxisValue",
    "edt_FireYAxisValue", "lbl_FireRepeat",      "edt_FireRepeat"};

int Signed(int byte) {
    return byte >= 128 ? byte - 256 : byte;
}

// What a line shows in the list.
QString LineText(const std::string& line) {
    if (line.empty())
        return {};
    const QString l = QString::fromStdString(line);
    switch (line[0]) {
    case '1':
    case '2':
        return l.size() > 12 ? l.mid(2, l.size() - 12) : l;
    case '0':
        return l.mid(2) + QStringLiteral(" ms");
    case '3': {
        const int x = l.mid(4, 2).toInt(nullptr, 16);
        const int y = l.mid(6, 2).toInt(nullptr, 16);
        return QStringLiteral("  X: %1  Y: %2").arg(Signed(x)).arg(Signed(y));
    }
    case '7':
        return QStringLiteral("  Rep-Start  %1").arg(l.mid(4, 2).toInt(nullptr, 16));
    case '8':
        return QStringLiteral("  Rep-Stop");
    default:
        return l;
    }
}

} // namespace

void FirePage::WireFireMacroEditor() {
    // While the pointer is over the record button its clicks are not part of the recording.
    if (auto* start = qobject_cast<TUniLabel*>(Control("Btn_FireStart"))) {
        connect(start, &TUniLabel::mouseEnter, this, [this] { skipLeftButton_ = true; });
        connect(start, &TUniLabel::mouseLeave, this, [this] { skipLeftButton_ = false; });
    }
    WireHoverButton("Btn_FireStart", "Img_FireStart", "MacroS_02", "MacroS_01");
    for (const char* stem : {"FireOK", "FireCancel"})
        WireHoverButton(std::string("Btn_") + stem, std::string("Img_") + stem, "MacroBtnS_02",
                        "MacroBtnS_01");
    if (auto* names = qobject_cast<QListWidget*>(Control("LB_FireMacroName"))) {
        for (int s = 1; s <= static_cast<int>(kFireMacroSlots); ++s)
            names->addItem(QStringLiteral("Fire Macro%1").arg(s));
        connect(names, &QListWidget::itemClicked, this, [this] { LB_FireMacroNameClick(); });
        // A right press selects the row under the pointer, its release opens the menu.
        names->viewport()->installEventFilter(this);
    }
    if (auto* list = qobject_cast<QListWidget*>(Control("LB_FireMacro"))) {
        connect(list, &QListWidget::itemClicked, this, [this] { HideMenus(); });
        list->viewport()->installEventFilter(this);
    }
    DrawScriptRows();
    ConnectClick(Control("Btn_FireStart"), this, [this] { Btn_FireStartClick(); });
    ConnectClick(Control("Btn_NewFireName"), this, [this] { Btn_NewFireNameClick(); });
    ConnectClick(Control("Btn_FireDel"), this, [this] { Btn_FireDelClick(); });
    ConnectClick(Control("Btn_FireInsert"), this, [this] { Btn_FireInsertClick(); });
    ConnectClick(Control("Btn_FireOK"), this, [this] { Btn_FireOKClick(); });
    ConnectClick(Control("Btn_FireCancel"), this, [this] { Btn_FireCancelClick(); });
    // A delay mode is chosen by its caption or by the circle beside it.
    const char* const delayRows[][2] = {{"IB_FireRecDelay", "LED_FireRecDelay"},
                                        {"IB_FireDelayTime", "LED_FireDelayTime"},
                                        {"IB_FireNoDelay", "LED_FireNoDelay"}};
    for (int mode = 0; mode < 3; ++mode)
        for (const char* name : delayRows[mode])
            OnClick(Control(name), this, [this, mode] { SetDelayMode(mode); });
    if (auto* c = qobject_cast<SkinComboBox*>(Control("CB_InsertFire")))
        connect(c, &SkinComboBox::changed, this, [this] { CB_InsertFireChange(); });
    else if (auto* wide = qobject_cast<TUniComboBox*>(Control("CB_InsertFire")))
        connect(wide, &TUniComboBox::changed, this, [this] { CB_InsertFireChange(); });
    // The value edits keep their numbers in range as they are typed.
    struct Range {
        const char* name;
        int low, high;
        bool negative;
    };
    for (const Range& r :
         {Range{"Edt_FireDelay", 1, 65535, false}, Range{"Edt_InsertFireDelay", 1, 65535, false},
          Range{"edt_FireRepeat", 0, 255, false}, Range{"edt_FireXAxisValue", -128, 127, true},
          Range{"edt_FireYAxisValue", -128, 127, true}})
        if (auto* e = EditAt(*this, r.name)) {
            DigitsOnly(e, r.negative);
            connect(e, &SkinEdit::changed, this, [e, r] {
                const QString t = e->text();
                if (r.negative && t == QLatin1String("-"))
                    return;
                const auto v = ParseDecimal(t.toStdString());
                if (!v)
                    e->setText(QString::number(std::max(r.low, 0)));
                else if (*v > r.high)
                    e->setText(QString::number(r.high));
                else if (*v < r.low)
                    e->setText(QString::number(r.low));
            });
        }
    SetEditText(*this, "Edt_FireDelay", QStringLiteral("50"));
    SetEditText(*this, "Edt_InsertFireDelay", QStringLiteral("50"));
    SetEditText(*this, "edt_FireRepeat", QStringLiteral("1"));
    SetEditText(*this, "edt_FireXAxisValue", QStringLiteral("0"));
    SetEditText(*this, "edt_FireYAxisValue", QStringLiteral("0"));
    // The delay-mode radios are a choice of their own, apart from the page radios.
    for (const char* r : {"rb_FireRecDelay", "rb_FireDelayTime", "rb_FireNoDelay"})
        if (auto* rb = qobject_cast<QRadioButton*>(Control(r)); rb && rb->group())
            rb->group()->removeButton(rb);
    SetDelayMode(0);
    // The frameless groups lie behind the controls they hold.
    for (const char* name : {"GB_FireDelay", "Gb_InsertFire"})
        if (QWidget* w = Control(name))
            w->lower();
    // The page's picture lies over the base: a double-click on either is one on the base.
    for (const char* name : {"Img_Base_6", "Img_P6"})
        if (QWidget* base = Control(name))
            base->installEventFilter(this);
}

bool FirePage::ListMouse(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::RightButton)
        return false;
    auto* names = qobject_cast<QListWidget*>(Control("LB_FireMacroName"));
    auto* lines = qobject_cast<QListWidget*>(Control("LB_FireMacro"));
    QListWidget* list = names && watched == names->viewport()   ? names
                        : lines && watched == lines->viewport() ? lines
                                                                : nullptr;
    if (list == nullptr)
        return false;
    const QPoint at = mouse->position().toPoint();
    QListWidgetItem* item = list->itemAt(at);
    if (type == QEvent::MouseButtonPress) {
        HideMenus();
        if (item == nullptr) {
            // Below the last row: nothing is chosen, the line list takes the focus.
            if (list == lines)
                lines->clearSelection();
            if (lines)
                lines->setFocus();
            return true;
        }
        list->setCurrentItem(item);
        if (list == names)
            LB_FireMacroNameClick();
        return true;
    }
    if (item == nullptr)
        return true;
    if (list == names)
        ShowMenuAt("Pnl_DevFireMacro", {"Btn_NewFireName"}, list->viewport(), at);
    else if (SelectedSlot() && lines->currentRow() >= 0)
        ShowMenuAt("Pnl_DevFireContent", {"Btn_FireDel", "Btn_FireInsert"}, list->viewport(), at);
    return true;
}

void FirePage::HideMenus() {
    for (const char* name : {"Pnl_DevFireMacro", "Pnl_DevFireContent", "Btn_NewFireName",
                             "Btn_FireDel", "Btn_FireInsert"})
        if (QWidget* w = Control(name))
            w->hide();
}

void FirePage::ShowMenuAt(const char* panel, std::initializer_list<const char*> items,
                          QWidget* list, QPoint at) {
    QWidget* p = Control(panel);
    if (p == nullptr || p->parentWidget() == nullptr)
        return;
    const QPoint place = list->mapTo(p->parentWidget(), at);
    p->move(place);
    p->show();
    p->raise();
    int y = place.y() + 2;
    for (const char* name : items)
        if (QWidget* w = Control(name)) {
            w->move(place.x() + 2, y);
            w->show();
            w->raise();
            y += w->height() + 2;
        }
}

void FirePage::DrawScriptRows() {
    // Each row: its line's icon at the left edge, the text clear of the icon column at the top.
    auto* list = qobject_cast<TUniListBox*>(Control("LB_FireMacro"));
    if (list == nullptr)
        return;
    list->OnDrawItem = [this, list](QPainter& painter, int index, const QRect& rect,
                                    bool selected) {
        const QPalette& colours = list->palette();
        painter.fillRect(rect, colours.color(selected ? QPalette::Highlight : QPalette::Base));
        if (index < 0 || index >= list->count())
            return;
        DrawScriptLineIcon(painter, rect, MacroItemType(lines_, index),
                           Host().Layout().ColorFLBack);
        painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter.setFont(list->font());
        painter.drawText(rect.adjusted(35, 0, 0, 0),
                         Qt::TextSingleLine | Qt::AlignLeft | Qt::AlignTop,
                         list->item(index)->text());
    };
}

std::optional<int> FirePage::SelectedSlot() const {
    auto* names = qobject_cast<QListWidget*>(Control("LB_FireMacroName"));
    if (names == nullptr || names->currentRow() < 0 ||
        names->currentRow() >= static_cast<int>(kFireMacroSlots))
        return std::nullopt;
    return names->currentRow();
}

void FirePage::LB_FireMacroNameClick() {
    HideMenus();
    const auto slot = SelectedSlot();
    if (!slot)
        return;
    RecomputeLength(*slot);
    const auto& bytes = Host().Model().Sections().FireMacros[static_cast<std::size_t>(*slot)];
    lines_ = FireMacroToLines(bytes, lengths_[static_cast<std::size_t>(*slot)]);
    ShowScriptLines();
}

void FirePage::ShowScriptLines() {
    auto* list = qobject_cast<QListWidget*>(Control("LB_FireMacro"));
    if (list == nullptr)
        return;
    list->clear();
    for (std::size_t i = 1; i < lines_.size(); ++i)
        list->addItem(LineText(lines_[i]));
}

bool FirePage::CommitLines(std::vector<std::string> lines) {
    const auto slot = SelectedSlot();
    if (!slot)
        return false;
    const auto bytes = CompileFireMacro(lines);
    if (!bytes) {
        // Nothing may pass the slot's 24 bytes: the change is refused.
        Host().ShowMessage(QString::fromStdString(Host().LangText("Str624")));
        return false;
    }
    auto& macro = Host().Model().EditSections().FireMacros[static_cast<std::size_t>(*slot)];
    macro.fill(0);
    std::copy(bytes->begin(), bytes->end(), macro.begin());
    lengths_[static_cast<std::size_t>(*slot)] = static_cast<int>(bytes->size());
    lines_ = std::move(lines);
    ShowScriptLines();
    return true;
}

void FirePage::SetDelayMode(int mode) {
    delayMode_ = mode;
    const char* radios[] = {"rb_FireRecDelay", "rb_FireDelayTime", "rb_FireNoDelay"};
    const char* leds[] = {"LED_FireRecDelay", "LED_FireDelayTime", "LED_FireNoDelay"};
    for (int i = 0; i < 3; ++i) {
        if (auto* rb = qobject_cast<QRadioButton*>(Control(radios[i])))
            rb->setChecked(i == mode);
        Host().SetPicture(leds[i], i == mode ? "RdS_E" : "RdS_D");
    }
    if (auto* e = EditAt(*this, "Edt_FireDelay"))
        e->setReadOnly(mode != 1);
}

void FirePage::Btn_FireStartClick() {
    const auto slot = SelectedSlot();
    if (!slot)
        return;
    if (recording_) {
        StopRecording();
        return;
    }
    // Capture runs only while recording; each event arrives on this thread from its event
    // loop. Only the left button is recorded.
    if (capture_ == nullptr)
        capture_ = Host().NewInputCapture();
    const bool started = capture_->Start([this](const CapturedInput& input) {
        if (!skipLeftButton_)
            RecordInput(input);
    });
    if (!started) {
        capture_.reset();
        return;
    }
    if (!capture_->Global())
        Host().ShowMessage(QString::fromStdString(Host().LangText("Str470")));
    lines_.clear();
    ShowScriptLines();
    Host().Model().EditSections().FireMacros[static_cast<std::size_t>(*slot)].fill(0);
    Host().SetPicture("Img_FireStart", "MacroS_03");
    const auto mode = delayMode_ == 1   ? FireRecorder::DelayMode::Fixed
                      : delayMode_ == 2 ? FireRecorder::DelayMode::None
                                        : FireRecorder::DelayMode::Recorded;
    const int fixed = ParseDecimal(EditAt(*this, "Edt_FireDelay")
                                       ? EditAt(*this, "Edt_FireDelay")->text().toStdString()
                                       : std::string("50"))
                          .value_or(50);
    recorder_.Start(mode, fixed);
    lines_ = recorder_.Lines();
    recording_ = true;
    SetControlCaption(Control("Btn_FireStart"), QString::fromStdString(Host().LangText("Str401")));
    for (const char* name : kDelayGroup)
        if (QWidget* w = Control(name))
            w->setEnabled(false);
    if (QWidget* list = Control("LB_FireMacro"))
        list->setFocus();
}

void FirePage::RecordInput(const CapturedInput& input) {
    if (!recording_)
        return;
    if (!recorder_.Take(input)) {
        StopRecording();
        Host().ShowMessage(QString::fromStdString(Host().LangText("Str624")));
        return;
    }
    lines_ = recorder_.Lines();
    ShowScriptLines();
    if (auto* list = qobject_cast<QListWidget*>(Control("LB_FireMacro")); list && list->count())
        list->setCurrentRow(list->count() - 1);
}

void FirePage::StopRecording() {
    if (capture_ != nullptr)
        capture_->Stop();
    recording_ = false;
    Host().SetPicture("Img_FireStart", "MacroS_03");
    SetControlCaption(Control("Btn_FireStart"), QString::fromStdString(Host().LangText("Str400")));
    for (const char* name : kDelayGroup)
        if (QWidget* w = Control(name))
            w->setEnabled(true);
    CommitLines(recorder_.Lines());
}

void FirePage::Btn_NewFireNameClick() {
    HideMenus();
    if (!SelectedSlot())
        return;
    // Fire macros are numbered slots of the mouse with no stored names: the name dialog opens
    // empty as it does for a new macro, and what is confirmed there changes no slot (nor the
    // macro library).
    nameDialog_.Replace(new MacroNameDialog(Host(), Control("gbPage6")))->Open();
}

void FirePage::Btn_FireDelClick() {
    HideMenus();
    auto* list = qobject_cast<QListWidget*>(Control("LB_FireMacro"));
    if (list == nullptr || !SelectedSlot() || list->currentRow() < 0)
        return;
    const int row = list->currentRow();
    std::vector<std::string> lines = lines_;
    if (!DeleteFireMacroLine(lines, row + 1))
        return;
    if (CommitLines(std::move(lines)) && list->count() > 0)
        list->setCurrentRow(std::max(row - 1, 0));
}

void FirePage::ShowInsertGroup(bool insert) {
    for (const char* name : {"LB_FireMacroName", "Btn_FireStart"})
        if (QWidget* w = Control(name))
            w->setEnabled(!insert);
    for (const char* name : kDelayGroup)
        if (QWidget* w = Control(name))
            w->setVisible(!insert && recorderShown_);
    for (const char* name : kInsertGroup)
        if (QWidget* w = Control(name))
            w->setVisible(insert);
    for (const char* name : kInsertValues)
        if (QWidget* w = Control(name))
            w->setVisible(false);
}

void FirePage::Btn_FireInsertClick() {
    HideMenus();
    auto* list = qobject_cast<QListWidget*>(Control("LB_FireMacro"));
    if (list == nullptr || !SelectedSlot() || list->currentRow() < 0)
        return;
    linesBeforeInsert_ = lines_;
    ShowInsertGroup(true);
    SetComboIndex(*this, "CB_InsertFire", 0);
    CB_InsertFireChange();
}

void FirePage::CB_InsertFireChange() {
    const int kind = ComboIndex(*this, "CB_InsertFire", 0);
    auto show = [this](std::initializer_list<const char*> names, bool visible) {
        for (const char* name : names)
            if (QWidget* w = Control(name))
                w->setVisible(visible);
    };
    show({"lbl_FireDelay", "Edt_InsertFireDelay", "lbl_Fires_A"}, kind == 0 || kind == 1);
    show({"lbl_FireXAxisValue", "edt_FireXAxisValue", "lbl_FireYAxisValue", "edt_FireYAxisValue"},
         kind == 2 || kind == 3);
    show({"lbl_FireRepeat", "edt_FireRepeat"}, kind == 4 || kind == 5);
    if (QWidget* w = Control("edt_FireRepeat"))
        w->setEnabled(kind == 4);
}

void FirePage::Btn_FireOKClick() {
    ShowInsertGroup(false);
    Host().SetPicture("Img_FireOK", "MacroBtnS_03");
    auto* list = qobject_cast<QListWidget*>(Control("LB_FireMacro"));
    if (list == nullptr || list->currentRow() < 0)
        return;
    const int kind = ComboIndex(*this, "CB_InsertFire", 0);
    if (kind < 0 || kind > 5)
        return;
    auto value = [this](const char* name) {
        auto* e = EditAt(*this, name);
        return e ? ParseDecimal(e->text().toStdString()) : std::nullopt;
    };
    const auto delay = value("Edt_InsertFireDelay");
    const auto x = value("edt_FireXAxisValue");
    const auto y = value("edt_FireYAxisValue");
    const auto repeat = value("edt_FireRepeat");
    const auto k = static_cast<FireInsertKind>(kind);
    if (((kind == 0 || kind == 1) && !delay) || ((kind == 2 || kind == 3) && (!x || !y)) ||
        (kind == 4 && !repeat))
        return; // a value that is not a number inserts nothing
    std::vector<std::string> lines = lines_;
    const int at = InsertFireMacroLine(
        lines, list->currentRow() + 1, k,
        FireInsertLine(k, delay.value_or(1), x.value_or(0), y.value_or(0), repeat.value_or(0)));
    if (CommitLines(std::move(lines)))
        list->setCurrentRow(at - 1);
}

void FirePage::Btn_FireCancelClick() {
    Host().SetPicture("Img_FireCancel", "MacroBtnS_03");
    ShowInsertGroup(false);
    lines_ = linesBeforeInsert_;
    ShowScriptLines();
}

void FirePage::Img_Base_6DblClick() {
    // One hidden mode with the engineering logo: a double-click here while it is on (from
    // either place) turns it off, and the count goes on from the logo's.
    EngineeringAccess& access = Host().Access();
    if (access.DoubleClick() == EngineeringAccess::Click::AskCode) {
        SkinInputDialog dialog(Control("gbPage6"));
        dialog.setCaption(QStringLiteral("Password"));
        dialog.setPromptText(QStringLiteral("PASSWORD:"));
        dialog.setPasswordChar(QLatin1Char('*'));
        if (dialog.execute() == 1)
            access.EnterCodeAtFirePage(dialog.valueText().toStdString());
    }
    recorderShown_ = access.Mode();
    ShowRecorder(recorderShown_);
}

void FirePage::ShowRecorder(bool shown) {
    // A recording never outlives its controls.
    if (!shown && recording_)
        StopRecording();
    for (const char* name : kRecorderControls)
        if (QWidget* w = Control(name))
            w->setVisible(shown);
    for (const char* name : kDelayGroup)
        if (QWidget* w = Control(name))
            w->setVisible(shown);
    if (!shown) {
        HideMenus();
        for (const char* name : kInsertGroup)
            if (QWidget* w = Control(name))
                w->hide();
        for (const char* name : kInsertValues)
            if (QWidget* w = Control(name))
                w->hide();
    }
}

} // namespace trvx
