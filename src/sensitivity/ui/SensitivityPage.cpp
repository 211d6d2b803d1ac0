#include "sensitivity/ui/SensitivityPage.h"

#include "controls/skinned/ui/RectShape.h"
#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/wide/ui/UniLabel.h"
#include "pages/ui/ControlText.h"
#include "sensitivity/SensitivityRules.h"
#include "skin/ui/SkinPicture.h"

#include <QAbstractButton>

namespace trvx {
namespace {

QColor ToQColor(const Rgb& c) {
    return QColor(c.R, c.G, c.B);
}

QColor ToQColor(const RgbColour& c) {
    return QColor(c.red, c.green, c.blue);
}

void SetChecked(QWidget* w, bool on) {
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setChecked(on);
    else if (auto* check = qobject_cast<SkinCheckBox*>(w))
        check->setChecked(on);
}

bool IsChecked(QWidget* w) {
    if (auto* check = qobject_cast<SkinCheckBox*>(w))
        return check->isChecked();
    auto* button = qobject_cast<QAbstractButton*>(w);
    return button != nullptr && button->isChecked();
}

} // namespace

SensitivityPage::SensitivityPage(PageHost& host, QObject* parent,
                                 std::unique_ptr<PointerSettings> pointer)
    : Page(host, 2, parent), pointer_(std::move(pointer)) {
    // Settings that answer on a thread of their own report there; the page shows it on its own.
    if (pointer_ != nullptr)
        pointer_->ReportOutcomes([this](const PointerOutcome& outcome) {
            QMetaObject::invokeMethod(
                this, [this, outcome] { ShowPointerOutcome(outcome); }, Qt::QueuedConnection);
        });
}

SensitivityPage::~SensitivityPage() {
    // Their thread reports to this page: it ends before the page does.
    pointer_.reset();
}

void SensitivityPage::WindowEnding() {
    // The clicks still on their way are written now; an answer that comes meanwhile is queued
    // for the page, which the window's end still delivers.
    pointer_.reset();
}

void SensitivityPage::Wire() {
    for (int n = 1; n <= 8; ++n) {
        for (int k = 1; k <= 12; ++k)
            OnClick(Control(NumberedName("Img_DPI", n) + "_" + std::to_string(k)), this,
                    [this, n, k] { DPIValue_OnClick(n, k); });
        OnClick(Control(NumberedName("Img_DPI", n)), this, [this, n] { CurrentDPI_OnClick(n); });
        OnClick(Control(NumberedName("lbl_DPI", n)), this, [this, n] { DPILevel_OnClick(n); });
        OnClick(Control("lbl_DPI" + std::to_string(n) + "Col"), this,
                [this, n] { lbl_DPIColClick(n); });
    }
    for (int n = 1; n <= 4; ++n)
        OnClick(Control(NumberedName("lbl_Rep", n)), this, [this, n] { ReportRate_OnClick(n); });
    for (int k = 1; k <= 12; ++k)
        OnClick(Control(NumberedName("Img_AIMDPI_", k)), this,
                [this, k] { AIMDPIValue_OnClick(k); });
    for (int n = 1; n <= 11; ++n) {
        OnClick(Control(NumberedName("Img_Spd", n)), this, [this, n] { MseSpd_OnClick(n); });
        OnClick(Control(NumberedName("Img_DbSpd", n)), this, [this, n] { MseDbSpd_OnClick(n); });
        OnClick(Control(NumberedName("Img_ScrSpd", n)), this, [this, n] { MseScrSpd_OnClick(n); });
    }
    OnClick(Control("lbl_IsControl"), this, [this] { lbl_IsControlClick(); });
    OnClick(Control("lbl_IsScreen"), this, [this] { lbl_IsScreenClick(); });
    WireEngineerCopies();
    RefreshPointerSettings();
}

bool SensitivityPage::Marker() const {
    return Host().Settings().DPILEDStatus;
}

void SensitivityPage::Send(const std::optional<RegisterWrite>& write) {
    if (!write)
        return;
    PageHost::TransferScope scope(Host());
    SendRegisterWrite(Host().Mouse(), *write);
}

void SensitivityPage::SendAll(const std::vector<RegisterWrite>& writes) {
    for (const RegisterWrite& w : writes)
        Send(w);
}

// ---- Showing the model ----------------------------------------------------------------------

void SensitivityPage::DrawBar(const char* stem, int count, int level) {
    const std::vector<bool> lit = StepBarLit(count, level, Marker());
    for (int i = 1; i <= count; ++i)
        Host().SetPicture(std::string(stem) + std::to_string(i),
                          lit[static_cast<std::size_t>(i - 1)] ? "Bar2_E" : "Bar2_D");
}

void SensitivityPage::DrawLevelBar(int level, int step) {
    DrawBar((NumberedName("Img_DPI", level) + "_").c_str(), 12, step + 1);
    SetControlCaption(Control(NumberedName("lbl_DPI", level) + "Value"),
                      QString::fromStdString(Host().LangText(NumberedName("Str", 300 + step))));
}

void SensitivityPage::ShowLevelEnabled(int level, bool enabled) {
    if (auto* label = qobject_cast<TUniLabel*>(Control(NumberedName("lbl_DPI", level))))
        label->SetFontColor(
            ToQColor(enabled ? Host().Layout().ColorDSelected : Host().Layout().ColorDNotSelected));
    for (int k = 1; k <= 12; ++k)
        if (QWidget* w = Control(NumberedName("Img_DPI", level) + "_" + std::to_string(k)))
            w->setEnabled(enabled);
    for (const std::string& name :
         {NumberedName("Img_DPI", level), "lbl_DPI" + std::to_string(level) + "Col"})
        if (QWidget* w = Control(name))
            w->setEnabled(enabled);
}

void SensitivityPage::ShowCurrentLevel(std::optional<int> index) {
    for (int n = 1; n <= 8; ++n) {
        const bool current = index && *index == n - 1;
        Host().SetPicture(NumberedName("Img_DPI", n), current ? "CbS_E" : "CbS_D");
        SetChecked(Control(NumberedName("rb_DPI", n)), current);
    }
}

void SensitivityPage::ShowSwatch(int level) {
    if (auto* shape = qobject_cast<RectShape*>(Control("cs_DPI" + std::to_string(level) + "Col"))) {
        const QColor c = ToQColor(Host().Model().CpiColour(level));
        shape->setBrushColor(c);
        shape->setPenColor(c);
    }
}

void SensitivityPage::ShowLevels() {
    const WorkingModel& model = Host().Model();
    // A stored count outside 1..8 leaves the page's count as it was.
    const int count = model.CpiLevelCount();
    if (count >= 1 && count <= 8)
        levelCount_ = count;
    ShowLevelsShown();
}

void SensitivityPage::ShowLevelsShown() {
    const WorkingModel& model = Host().Model();
    for (int n = 1; n <= 8; ++n) {
        ShowLevelEnabled(n, n <= levelCount_);
        const int step = model.CpiLevelStep(n);
        if (step >= 0 && step <= 11)
            DrawLevelBar(n, step);
        ShowSwatch(n);
    }
    ShowCurrentLevel(CurrentCpiShown(model.CurrentCpiLevel(), levelCount_));
    ShowEngineerCopies();
}

void SensitivityPage::ShowReportRate(int bits) {
    for (int n = 1; n <= 4; ++n) {
        Host().SetPicture(NumberedName("Img_Rep", n), n - 1 == bits ? "RdS_E" : "RdS_D");
        SetChecked(Control(NumberedName("rb_Rep", n)), n - 1 == bits);
    }
}

void SensitivityPage::ShowAim() {
    // The AIM step of the current profile's AIM key; the bar starts from the first step when
    // the profile has none.
    const WorkingModel& model = Host().Model();
    const int profile = model.CurrentProfileIndex() + 1;
    int step = 0;
    if (profile >= 1 && profile <= 3)
        for (int key = 1; key <= 12; ++key) {
            const KeyEntryBytes e = model.ProfileKey(profile, key);
            if (e[0] == 0x05 && e[1] <= 11)
                step = e[1];
        }
    DrawAimBar(step);
    // The engineering sheet shows the AIM key of any profile, the current profile's last.
    for (int p : {1, 2, 3, profile})
        if (p >= 1 && p <= 3)
            for (int key = 1; key <= 12; ++key) {
                const KeyEntryBytes e = model.ProfileKey(p, key);
                if (e[0] == 0x05 && e[1] <= 11)
                    aimStepIndex_ = e[1];
            }
    ShowEngineerCopies();
}

void SensitivityPage::DrawAimBar(int step) {
    DrawBar("Img_AIMDPI_", 12, step + 1);
    SetControlCaption(Control("lbl_AIMDPIValue"),
                      QString::fromStdString(Host().LangText(NumberedName("Str", 300 + step))));
}

void SensitivityPage::CaptionsApplied() {
    // The hints of the settings this desktop has not follow the language set.
    ShowPointerSettings();
}

void SensitivityPage::FillFromImage(StorageKind /*kind*/) {
    ShowLevels();
    ShowReportRate(Host().Model().ReportRateBits());
    ShowAim();
    RefreshPointerSettings();
}

void SensitivityPage::FillNoDevice() {
    ShowLevels();
    ShowReportRate(Host().Model().ReportRateBits());
    ShowAim();
}

// ---- The listener ---------------------------------------------------------------------------

void SensitivityPage::InputButton(int button, bool held) {
    // The test boxes show the mouse's CPI buttons while they are held, without their writes.
    const char* box = button == 1   ? "cb_CPITest"
                      : button == 2 ? "cb_CPIITest"
                      : button == 4 ? "cb_CPIDTest"
                                    : nullptr;
    if (auto* check = box != nullptr ? qobject_cast<SkinCheckBox*>(Control(box)) : nullptr)
        check->setChecked(held);
}

void SensitivityPage::CurrentCpi(int level) {
    // The mouse changed its level by its own buttons: the page shows it; a value beyond the
    // levels marks none.
    ShowCurrentLevel(level >= 0 && level <= 7 ? std::optional<int>(level) : std::nullopt);
    if (level >= 0 && level <= 7)
        ShowEngineerCopies();
}

// ---- CPI handlers ---------------------------------------------------------------------------

void SensitivityPage::DPIValue_OnClick(int level, int image) {
    if (Filling() || image < 1 || image > 12)
        return;
    SetLevelStep(level, image - 1);
}

void SensitivityPage::SetLevelStep(int level, int step) {
    WorkingModel& model = Host().Model();
    DrawLevelBar(level, step);
    Send(model.SetCpiLevelStep(level, step));
    // The mouse applies a level's new step only when its current level is set again.
    SendAll(CpiReapplyWrites(model.CurrentCpiLevel()));
    ShowEngineerCopies();
}

void SensitivityPage::CurrentDPI_OnClick(int level) {
    if (Filling() || level < 1 || level > levelCount_)
        return;
    ShowCurrentLevel(level - 1);
    Send(Host().Model().SetCurrentCpiLevel(level - 1));
    ShowEngineerCopies();
}

void SensitivityPage::DPILevel_OnClick(int level) {
    if (Filling())
        return;
    const auto count = CpiLevelCountAfterClick(levelCount_, level);
    if (!count)
        return;
    levelCount_ = *count;
    // The current level follows into the new count, and the mouse is told when it moved.
    SendAll(SetCpiLevelCountWrites(Host().Model(), levelCount_));
    ShowLevelsShown();
}

void SensitivityPage::lbl_DPIColClick(int level) {
    if (Filling() || level < 1 || level > 8)
        return;
    const auto chosen = ChooseRgb(Host().Model().CpiColour(level));
    if (!chosen)
        return;
    const RgbColour colour = *chosen;
    // One three-byte write carries the colour.
    Send(Host().Model().SetCpiColour(level, colour));
    ShowSwatch(level);
    ShowEngineerCopies();
}

void SensitivityPage::ReportRate_OnClick(int button) {
    if (button < 1 || button > 4)
        return;
    SelectReportRate(button - 1);
}

void SensitivityPage::SelectReportRate(int bits) {
    // Without a mouse there is nothing to restart: the choice does nothing.
    if (Filling() || !Host().Mouse().IsAccepted()) {
        ShowEngineerCopies();
        return;
    }
    WorkingModel& model = Host().Model();
    const bool changed = model.ReportRateBits() != bits;
    ShowReportRate(bits);
    Send(model.SetReportRateBits(bits));
    ShowEngineerCopies();
    // A new rate takes effect only when the mouse restarts.
    if (changed)
        Host().RunDeviceJob([&host = Host()] { host.ResetAndReconnect(); });
}

void SensitivityPage::AIMDPIValue_OnClick(int image) {
    if (Filling() || image < 1 || image > 12)
        return;
    DrawAimBar(image - 1);
    if (!SetAimStep(image - 1)) {
        DrawAimBar(0);
        // The engineering copy starts from the first step too.
        aimStepIndex_ = 0;
        ShowEngineerCopies();
        Host().ShowMessage(QString::fromStdString(Host().LangText("Str105")));
    }
}

bool SensitivityPage::SetAimStep(int step) {
    WorkingModel& model = Host().Model();
    bool found = false;
    for (int profile = 1; profile <= 3; ++profile)
        for (int key = 1; key <= 12; ++key)
            if (model.ProfileKey(profile, key)[0] == 0x05) {
                model.SetProfileKey(profile, key,
                                    {0x05, static_cast<std::uint8_t>(step), 0x00, 0x00});
                found = true;
            }
    if (!found)
        return false;
    aimStepIndex_ = step;
    DrawAimBar(step);
    ShowEngineerCopies();
    if (auto block = model.ProfileWrite(Host().CurrentStorage())) {
        PageHost::TransferScope scope(Host());
        Host().Mouse().WriteBlock(block->address, block->bytes);
        // The mouse reloads its profiles when the current profile is set to 15 and back.
        const std::uint8_t profileByte = model.Register(reg::kProfile);
        Host().Mouse().WriteRegister(reg::kProfile, 15, 0, 0, 1);
        Host().Mouse().WriteRegister(reg::kProfile, profileByte, 0, 0, 1);
    }
    return true;
}

// ---- Pointer settings -----------------------------------------------------------------------

void SensitivityPage::RefreshPointerSettings() {
    if (pointer_ != nullptr)
        pointerState_ = pointer_->Read();
    ShowPointerSettings();
}

void SensitivityPage::ShowPointerSettings() {
    const PointerState& s = pointerState_;
    // Settings this desktop has not say so where the user looks for them.
    const QString hint = QString::fromStdString(Host().LangText("Str880"));
    auto able = [&hint](QWidget* w, bool on) {
        if (w == nullptr)
            return;
        w->setEnabled(on);
        w->setToolTip(on ? QString() : hint);
    };
    auto bar = [this, &able](const char* stem, std::optional<int> level) {
        for (int n = 1; n <= 11; ++n) {
            const std::string img = NumberedName(stem, n);
            able(Control(img), level.has_value());
            able(Control("lbl_" + img.substr(4)), level.has_value());
        }
        {
            // A setting the desktop has not shows an unlit bar.
            const std::vector<bool> lit = StepBarLit(11, level.value_or(0), Marker());
            for (int n = 1; n <= 11; ++n)
                Host().SetPicture(NumberedName(stem, n),
                                  lit[static_cast<std::size_t>(n - 1)] ? "Bar1_E" : "Bar1_D");
        }
    };
    bar("Img_Spd", s.speed ? std::optional<int>(PointerSpeedLevelOf(*s.speed)) : std::nullopt);
    bar("Img_DbSpd", s.doubleClickMs ? std::optional<int>(DoubleClickLevelOfTime(*s.doubleClickMs))
                                     : std::nullopt);
    const bool screen = s.wheelLines && *s.wheelLines == -1;
    if (s.wheelLines && !screen)
        wheelLevelSaved_ = WheelLevelOfLines(*s.wheelLines);
    bar("Img_ScrSpd",
        s.wheelLines && !screen ? std::optional<int>(wheelLevelSaved_) : std::nullopt);
    auto toggle = [this, &able](const char* stem, std::optional<bool> on) {
        Host().SetPicture(std::string("Img_") + stem, on.value_or(false) ? "CbS_E" : "CbS_D");
        SetChecked(Control(std::string("cb_") + stem), on.value_or(false));
        for (const std::string& name : {std::string("Img_") + stem, std::string("lbl_") + stem})
            able(Control(name), on.has_value());
    };
    toggle("IsControl", s.acceleration);
    // A desktop without "a screen a notch" keeps the wheel bar but not the switch.
    toggle("IsScreen",
           s.wheelLines && s.wheelScreenOffered ? std::optional<bool>(screen) : std::nullopt);
}

void SensitivityPage::ShowPointerError(const PointerResult& result) {
    if (!result.ok)
        Host().ShowMessage(QString::fromStdString(Host().LangText("Str881")) + "\n" +
                           QString::fromStdString(result.error));
}

void SensitivityPage::WritePointerSetting(PointerSetting setting, const PointerState& wanted) {
    ++pointerWrites_;
    ShowPointerError(pointer_->Write(setting, wanted));
    RefreshPointerSettings();
}

void SensitivityPage::ShowPointerOutcome(const PointerOutcome& outcome) {
    // The window is going: nothing shows, and a failure is kept on standard error.
    if (Host().Closing()) {
        if (!outcome.write.ok)
            TellUnsavedPointerSetting(outcome.write.error);
        return;
    }
    // A click made after the outcome was settled is still on its way, and its own outcome
    // follows: the bars keep showing that click until then.
    if (outcome.writes == pointerWrites_) {
        pointerState_ = outcome.state;
        ShowPointerSettings();
    }
    // The message last: a newer outcome that arrives while it is up is shown over this one.
    ShowPointerError(outcome.write);
}

void SensitivityPage::MseSpd_OnClick(int level) {
    if (pointer_ == nullptr || !pointerState_.speed)
        return;
    PointerState wanted = pointerState_;
    wanted.speed = PointerSpeedOfLevel(level);
    WritePointerSetting(PointerSetting::Speed, wanted);
}

void SensitivityPage::MseDbSpd_OnClick(int level) {
    if (pointer_ == nullptr || !pointerState_.doubleClickMs)
        return;
    PointerState wanted = pointerState_;
    wanted.doubleClickMs = DoubleClickTimeOfLevel(level);
    WritePointerSetting(PointerSetting::DoubleClick, wanted);
}

void SensitivityPage::MseScrSpd_OnClick(int level) {
    if (pointer_ == nullptr || !pointerState_.wheelLines || *pointerState_.wheelLines == -1)
        return;
    PointerState wanted = pointerState_;
    wanted.wheelLines = level;
    wheelLevelSaved_ = level;
    WritePointerSetting(PointerSetting::WheelLines, wanted);
}

void SensitivityPage::lbl_IsControlClick() {
    if (pointer_ == nullptr || !pointerState_.acceleration)
        return;
    PointerState wanted = pointerState_;
    wanted.acceleration = !IsChecked(Control("cb_IsControl"));
    WritePointerSetting(PointerSetting::Acceleration, wanted);
}

void SensitivityPage::lbl_IsScreenClick() {
    if (pointer_ == nullptr || !pointerState_.wheelLines || !pointerState_.wheelScreenOffered)
        return;
    PointerState wanted = pointerState_;
    wanted.wheelLines = IsChecked(Control("cb_IsScreen")) ? wheelLevelSaved_ : -1;
    WritePointerSetting(PointerSetting::WheelLines, wanted);
}

} // namespace trvx
