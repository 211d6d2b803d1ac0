// The engineering sheet's copies of the sensitivity page's controls: level count, current
// level, level steps, AIM step and report rate. Both copies show the model after a change on
// either page.

#include "controls/skinned/ui/SkinComboBox.h"
#include "controls/skinned/ui/SkinEdit.h"
#include "sensitivity/SensitivityRules.h"
#include "sensitivity/ui/SensitivityPage.h"

#include <QSignalBlocker>

namespace trvx {
namespace {

SkinComboBox* Combo(const Page& page, std::string_view name) {
    return qobject_cast<SkinComboBox*>(page.Control(name));
}

// Fills a combo box's items once: the window may already have given it its design-time items.
void SetItems(SkinComboBox* combo, const QStringList& items) {
    if (combo == nullptr)
        return;
    QStringList current;
    for (int i = 0; i < combo->count(); ++i)
        current << combo->itemText(i);
    if (current == items)
        return;
    const int index = combo->itemIndex();
    combo->clear();
    combo->addItems(items);
    combo->setItemIndex(index);
}

QStringList StepItems() {
    QStringList items;
    for (int value : kCpiStepValues)
        items << QString::number(value);
    return items;
}

} // namespace

void SensitivityPage::WireEngineerCopies() {
    const auto on = [this](std::string_view name, auto handler) {
        if (SkinComboBox* combo = Combo(*this, name))
            connect(combo, &SkinComboBox::changed, this, handler);
    };
    QStringList counts;
    for (int n = 1; n <= 8; ++n)
        counts << QString::number(n);
    SetItems(Combo(*this, "cb_CPISteps"), counts);
    on("cb_CPISteps", [this] { cb_CPIStepsChange(); });
    on("cb_CurrentCPI", [this] { cb_CurrentCPIChange(); });
    for (int n = 1; n <= 8; ++n) {
        SetItems(Combo(*this, NumberedName("cb_CPI", n)), StepItems());
        on(NumberedName("cb_CPI", n), [this, n] { cb_CPIChange(n); });
    }
    SetItems(Combo(*this, "cb_AIM"), StepItems());
    on("cb_AIM", [this] { cb_AIMChange(); });
    SetItems(Combo(*this, "cb_RepRate"), {QStringLiteral("125Hz"), QStringLiteral("250Hz"),
                                          QStringLiteral("500Hz"), QStringLiteral("1000Hz")});
    on("cb_RepRate", [this] { cb_RepRateChange(); });
    for (int n = 1; n <= 8; ++n)
        for (int c = 0; c < 3; ++c)
            if (auto* edit = qobject_cast<SkinEdit*>(Control(ColourEditName(n, c)))) {
                edit->setMaxLength(3);
                connect(edit, &SkinEdit::changed, this, [this, n, c] { edt_CPIColChange(n, c); });
            }
}

std::string SensitivityPage::ColourEditName(int level, int channel) {
    return NumberedName("edt_CPI", level) + "RGB"[channel];
}

void SensitivityPage::ShowEngineerCopies() {
    const WorkingModel& model = Host().Model();
    if (SkinComboBox* combo = Combo(*this, "cb_CPISteps"))
        combo->setItemIndex(levelCount_ - 1);
    if (SkinComboBox* combo = Combo(*this, "cb_CurrentCPI")) {
        QStringList items;
        for (int n = 1; n <= levelCount_; ++n)
            items << QStringLiteral("CPI%1").arg(n);
        SetItems(combo, items);
        combo->setItemIndex(CurrentCpiShown(model.CurrentCpiLevel(), levelCount_).value_or(-1));
    }
    for (int n = 1; n <= 8; ++n) {
        const int step = model.CpiLevelStep(n);
        if (SkinComboBox* combo = Combo(*this, NumberedName("cb_CPI", n)))
            combo->setItemIndex(step >= 0 && step <= 11 ? step : -1);
        // Level 1's row always shows; the others only within the level count.
        if (n >= 2)
            for (const std::string& name :
                 {NumberedName("lbl_CPI", n), NumberedName("cb_CPI", n), ColourEditName(n, 0),
                  ColourEditName(n, 1), ColourEditName(n, 2), NumberedName("lbl_CPI", n) + "R",
                  NumberedName("lbl_CPI", n) + "G", NumberedName("lbl_CPI", n) + "B"})
                if (QWidget* w = Control(name))
                    w->setVisible(n <= levelCount_);
        const RgbColour colour = model.CpiColour(n);
        const int channels[] = {colour.red, colour.green, colour.blue};
        for (int c = 0; c < 3; ++c)
            if (auto* edit = qobject_cast<SkinEdit*>(Control(ColourEditName(n, c)))) {
                // Showing the model is no edit of the user's: nothing is written.
                const QSignalBlocker quiet(edit);
                edit->setText(QString::number(channels[c]));
            }
    }
    if (SkinComboBox* combo = Combo(*this, "cb_AIM"))
        combo->setItemIndex(aimStepIndex_);
    if (SkinComboBox* combo = Combo(*this, "cb_RepRate")) {
        const int bits = model.ReportRateBits();
        combo->setItemIndex(bits >= 0 && bits <= 3 ? bits : -1);
    }
}

void SensitivityPage::cb_CPIStepsChange() {
    Host().HideAllMenu();
    SkinComboBox* combo = Combo(*this, "cb_CPISteps");
    if (Filling() || combo == nullptr || combo->itemIndex() < 0)
        return;
    levelCount_ = combo->itemIndex() + 1;
    // The current level follows into the new count, and the mouse is told when it moved.
    SendAll(SetCpiLevelCountWrites(Host().Model(), levelCount_));
    ShowLevelsShown();
}

void SensitivityPage::cb_CurrentCPIChange() {
    Host().HideAllMenu();
    SkinComboBox* combo = Combo(*this, "cb_CurrentCPI");
    if (Filling() || combo == nullptr || combo->itemIndex() < 0)
        return;
    Send(Host().Model().SetCurrentCpiLevel(combo->itemIndex()));
    ShowLevelsShown();
}

void SensitivityPage::cb_CPIChange(int level) {
    Host().HideAllMenu();
    SkinComboBox* combo = Combo(*this, NumberedName("cb_CPI", level));
    if (Filling() || combo == nullptr || combo->itemIndex() < 0)
        return;
    SetLevelStep(level, combo->itemIndex());
}

void SensitivityPage::cb_AIMChange() {
    Host().HideAllMenu();
    SkinComboBox* combo = Combo(*this, "cb_AIM");
    if (Filling() || combo == nullptr || combo->itemIndex() < 0)
        return;
    if (!SetAimStep(combo->itemIndex())) {
        combo->setItemIndex(aimStepIndex_);
        Host().ShowMessage(QStringLiteral("Please select a AIM Key in Profile1 to Profile3!"));
    }
    DrawAimBar(combo->itemIndex() >= 0 ? combo->itemIndex() : 0);
}

void SensitivityPage::cb_RepRateChange() {
    SkinComboBox* combo = Combo(*this, "cb_RepRate");
    if (combo == nullptr || combo->itemIndex() < 0 || combo->itemIndex() > 3)
        return;
    SelectReportRate(combo->itemIndex());
}

void SensitivityPage::edt_CPIColChange(int level, int channel) {
    Host().HideAllMenu();
    auto* edit = qobject_cast<SkinEdit*>(Control(ColourEditName(level, channel)));
    if (edit == nullptr)
        return;
    const ClampedEdit v = ClampEditValue(edit->text().toStdString(), 255);
    if (v.corrected) {
        // The corrected text runs this handler again, which writes it: one write, not two.
        edit->setText(QString::number(v.value));
        return;
    }
    const auto write = Host().Model().SetCpiColourChannel(level, channel, v.value);
    if (!Filling())
        Send(write);
    ShowSwatch(level);
}

} // namespace trvx
