#include "fire/ui/FirePage.h"

#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/skinned/ui/SkinComboBox.h"
#include "controls/skinned/ui/SkinEdit.h"
#include "controls/skinned/ui/SkinListBox.h"
#include "controls/wide/ui/UniLabel.h"
#include "controls/wide/ui/UniListBox.h"
#include "device/ProfileWriteBack.h"
#include "fire/ui/FireControls.h"
#include "keys/ModelKeys.h"

#include <QEvent>
#include <QListWidget>
#include <QStandardPaths>

namespace trvx {

FirePage::FirePage(PageHost& host, QObject* parent) : Page(host, 6, parent) {}

void FirePage::Wire() {
    // The fire-macro lists take the item height of the set.
    for (const char* name : {"LB_FireMacroName", "LB_FireMacro"})
        SetListItemHeight(Control(name), Host().Layout().MacroNameHeight);
    // The fire keys' edits on the key page and the gun modes' edits here.
    AlignNumberEdits(*this, {"Edt_Repeat1",        "Edt_Repeat2",        "Edt_Repeat3",
                             "Edt_DelayTime1",     "Edt_DelayTime2",     "Edt_DelayTime3",
                             "Edt_FireCnt1",       "Edt_FireCnt2",       "Edt_FireCnt3",
                             "Edt_FireTime1",      "Edt_FireTime2",      "Edt_FireTime3",
                             "Edt_FireX1",         "Edt_FireX2",         "Edt_FireX3",
                             "Edt_FireX1Offset",   "Edt_FireX2Offset",   "Edt_FireX3Offset",
                             "Edt_FireY1Offset",   "Edt_FireY2Offset",   "Edt_FireY3Offset",
                             "Edt_FireY1",         "Edt_FireY2",         "Edt_FireY3",
                             "Edt_FireDelay",      "edt_FireRepeat",     "edt_FireXAxisValue",
                             "edt_FireYAxisValue", "Edt_InsertFireDelay"});

    // ---- Fire keys: the key page's edits and hold labels, the engineering group ----
    for (int n = 1; n <= 3; ++n) {
        if (auto* e = EditAt(*this, NumberedName("Edt_Repeat", n))) {
            DigitsOnly(e, false);
            e->setMaxLength(2);
            connect(e, &SkinEdit::changed, this, [this, n] { Edt_Repeat1Change(n); });
            e->installEventFilter(this);
        }
        if (auto* e = EditAt(*this, NumberedName("Edt_DelayTime", n))) {
            DigitsOnly(e, false);
            e->setMaxLength(4);
            connect(e, &SkinEdit::changed, this, [this, n] { Edt_DelayTime1Change(n); });
        }
        if (auto* l = qobject_cast<TUniLabel*>(Control(Numbered("lbl_Fire", n, "Continue"))))
            connect(l, &TUniLabel::clicked, this, [this, n] { lbl_Fire1ContinueClick(n); });
        if (auto* c = qobject_cast<SkinComboBox*>(Control(Numbered("cb_Fire", n, "Count")))) {
            if (c->count() == 0)
                for (int i = 1; i <= 15; ++i)
                    c->addItem(QString::number(i));
            connect(c, &SkinComboBox::changed, this, [this, n] { cb_Fire1CountChange(n); });
        }
        if (auto* e = EditAt(*this, Numbered("edt_Fire", n, "Time"))) {
            e->setMaxLength(4);
            connect(e, &SkinEdit::changed, this, [this, n] { edt_Fire1TimeChange(n); });
        }
        if (auto* c = qobject_cast<SkinCheckBox*>(Control(Numbered("cb_Fire", n, "Continue"))))
            connect(c, &SkinCheckBox::clicked, this, [this, n] { cb_Fire1ContinueClick(n); });
    }

    // ---- Gun-key scripts on the engineering page's gun sheet ----
    ConnectClick(Control("btn_AddScript"), this, [this] { btn_AddScriptClick(); });
    ConnectClick(Control("btn_DelScript"), this, [this] { btn_DelScriptClick(); });
    if (auto* list = qobject_cast<QListWidget*>(Control("LB_ScriptName")))
        connect(list, &QListWidget::itemClicked, this, [this] { LB_ScriptNameClick(); });
    if (auto* c = qobject_cast<SkinComboBox*>(Control("cb_SOSType")))
        connect(c, &SkinComboBox::changed, this, [this] { cb_SOSTypeChange(); });

    WireGunModes();
    WireFireMacroEditor();
    WireEngineerFire();
    ReadFireMacroFile();
}

// ---- Fire keys ----------------------------------------------------------------------------

std::array<std::string, 3> FirePage::FireKeyTexts() const {
    return {Host().LangText("Str231"), Host().LangText("Str232"), Host().LangText("Str233")};
}

KeyEntryContext FirePage::NameContext() const {
    KeyEntryContext ctx;
    ctx.caption = [this](std::string_view key) { return Host().LangText(key); };
    for (int n = 1; n <= 3; ++n) {
        const FireKeyParameters p = Host().Model().FireKey(n);
        ctx.fireKeys[static_cast<std::size_t>(n - 1)] = {p.count, p.delayMs};
    }
    ctx.refreshingKeyTexts = true;
    ctx.gunKeyFileLoaded = gunKeyFileLoaded_;
    ctx.gunScripts = scripts_.Slots();
    ctx.storage = Host().CurrentStorage();
    return ctx;
}

std::array<std::string, 36> FirePage::KeyNames() const {
    const KeyEntryContext ctx = NameContext();
    std::array<std::string, 36> names;
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 12; ++k)
            names[static_cast<std::size_t>(12 * (p - 1) + k - 1)] =
                KeyCodeToText(ProfileKeyEntry(Host().Model(), p, k), ctx).text;
    return names;
}

void FirePage::ShowFireKeys() {
    const bool was = syncing_;
    syncing_ = true;
    for (int n = 1; n <= 3; ++n) {
        const FireKeySet& s = sets_[static_cast<std::size_t>(n - 1)];
        SetEditText(*this, NumberedName("Edt_Repeat", n), QString::number(s.count));
        SetEditText(*this, NumberedName("Edt_DelayTime", n), QString::number(s.delayMs));
        SetEditText(*this, Numbered("edt_Fire", n, "Time"), QString::number(s.delayMs));
        if (auto* c = qobject_cast<SkinComboBox*>(Control(Numbered("cb_Fire", n, "Count"))))
            c->setItemIndex(s.count - 1);
        if (auto* c = qobject_cast<SkinCheckBox*>(Control(Numbered("cb_Fire", n, "Continue"))))
            c->setChecked(s.hold);
        Host().SetPicture(Numbered("Img_Fire", n, "Continue"), s.hold ? "CbS_E" : "CbS_D");
    }
    syncing_ = was;
}

void FirePage::StoreFireKeys() {
    if (Filling() || syncing_)
        return;
    Host().HideAllMenu();
    WorkingModel& model = Host().Model();
    // Keys are found by the names their entries had before the change.
    const auto names = KeyNames();
    for (int n = 1; n <= 3; ++n) {
        const FireKeySet& s = sets_[static_cast<std::size_t>(n - 1)];
        model.SetFireKey(n, {s.count, s.delayMs});
    }
    for (const KeyRewrite& r : RewriteFireKeys(names, FireKeyTexts(), sets_))
        SetProfileKeyEntry(model, r.profile, r.key, r.entry);
    ShowFireKeys();
    const PageHost::TransferScope transfer(Host());
    WriteProfilesAndIDBlock(Host().Mouse(), model);
}

void FirePage::TakeEditValue(const std::string& edit, EditOutcome (*rule)(std::string_view),
                             int& field) {
    auto* e = EditAt(*this, edit);
    const EditOutcome out = rule(e->text().toStdString());
    if (out.corrected) {
        e->setText(QString::fromStdString(*out.corrected)); // runs the handler again
        return;
    }
    if (!out.store || field == *out.store)
        return;
    field = *out.store;
    StoreFireKeys();
}

void FirePage::Edt_Repeat1Change(int n) {
    if (Filling() || syncing_)
        return;
    TakeEditValue(NumberedName("Edt_Repeat", n), RepeatEditChanged,
                  sets_[static_cast<std::size_t>(n - 1)].count);
}

void FirePage::Edt_Repeat1Exit(int n) {
    if (Filling() || syncing_)
        return;
    auto* e = EditAt(*this, NumberedName("Edt_Repeat", n));
    const EditOutcome out = RepeatEditLeft(e->text().toStdString());
    if (out.corrected)
        e->setText(QString::fromStdString(*out.corrected));
}

void FirePage::Edt_DelayTime1Change(int n) {
    if (Filling() || syncing_)
        return;
    TakeEditValue(NumberedName("Edt_DelayTime", n), DelayEditChanged,
                  sets_[static_cast<std::size_t>(n - 1)].delayMs);
}

void FirePage::lbl_Fire1ContinueClick(int n) {
    if (Filling() || syncing_)
        return;
    refreshingKeyTexts_ = true;
    auto& s = sets_[static_cast<std::size_t>(n - 1)];
    s.hold = !s.hold;
    StoreFireKeys();
    refreshingKeyTexts_ = false;
}

void FirePage::cb_Fire1CountChange(int n) {
    Host().HideAllMenu();
    if (Filling() || syncing_)
        return;
    auto* c = qobject_cast<SkinComboBox*>(Control(Numbered("cb_Fire", n, "Count")));
    if (c == nullptr || c->itemIndex() < 0)
        return;
    sets_[static_cast<std::size_t>(n - 1)].count = c->itemIndex() + 1;
    StoreFireKeys();
}

void FirePage::edt_Fire1TimeChange(int n) {
    Host().HideAllMenu();
    if (Filling() || syncing_)
        return;
    TakeEditValue(Numbered("edt_Fire", n, "Time"), EngineerDelayChanged,
                  sets_[static_cast<std::size_t>(n - 1)].delayMs);
}

void FirePage::cb_Fire1ContinueClick(int n) {
    Host().HideAllMenu();
    if (refreshingKeyTexts_ || Filling() || syncing_)
        return;
    auto* c = qobject_cast<SkinCheckBox*>(Control(Numbered("cb_Fire", n, "Continue")));
    sets_[static_cast<std::size_t>(n - 1)].hold = c != nullptr && c->isChecked();
    StoreFireKeys();
}

void FirePage::FillFromImage(StorageKind /*kind*/) {
    // The gun-key file is read again whenever the main page is shown after a read.
    ReadFireMacroFile();
    const WorkingModel& model = Host().Model();
    for (int n = 1; n <= 3; ++n) {
        const FireKeyParameters p = model.FireKey(n);
        auto& s = sets_[static_cast<std::size_t>(n - 1)];
        s.count = p.count;
        s.delayMs = p.delayMs;
    }
    // The keys named for a set show its hold state, any profile's (a later key wins), then the
    // current profile's.
    const auto names = KeyNames();
    std::array<TKeyEntry, 36> entries;
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 12; ++k)
            entries[static_cast<std::size_t>(12 * (p - 1) + k - 1)] = ProfileKeyEntry(model, p, k);
    for (const FoundFireKey& f : FindFireKeys(names, FireKeyTexts(), entries, {1, 2, 3}))
        sets_[static_cast<std::size_t>(f.set)].hold = f.values.hold;
    const int current = model.CurrentProfileIndex();
    if (current >= 0 && current <= 2)
        for (const FoundFireKey& f : FindFireKeys(names, FireKeyTexts(), entries, {current + 1}))
            sets_[static_cast<std::size_t>(f.set)] = f.values;
    ShowFireKeys();
    FillEngineerFire();
    for (int s = 0; s < static_cast<int>(kFireMacroSlots); ++s)
        RecomputeLength(s);
    // The gun-mode page shows what the mouse now holds for its mode.
    Btn_FireClick(CurrentMode());
}

void FirePage::FillNoDevice() {
    FillFromImage(StorageKind::None);
}

void FirePage::CaptionsApplied() {
    ListScripts();
    // The caption pass gives the gesture combo its items anew.
    if (ComboIndex(*this, "cb_ChangeFireFun", gesture_) != gesture_)
        SetComboIndex(*this, "cb_ChangeFireFun", gesture_);
}

// ---- Gun-key scripts ----------------------------------------------------------------------

std::filesystem::path FirePage::GunKeyFilePath() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return std::filesystem::path(folder.toStdString()) / kGunKeyFileName;
}

void FirePage::ReadFireMacroFile() {
    if (auto read = ReadGunKeyFile(GunKeyFilePath())) {
        scripts_ = *read;
        gunKeyFileLoaded_ = true;
    } else {
        gunKeyFileLoaded_ = false;
    }
    ListScripts();
}

void FirePage::ListScripts() {
    // Both lists show one row per used slot; each row carries its slot's entry, so the key
    // page's list assigns the script of the row's own slot.
    const auto rows = scripts_.RowSlots();
    for (const char* name : {"LB_ScriptName", "LB_Script"}) {
        auto* list = qobject_cast<QListWidget*>(Control(name));
        if (list == nullptr)
            continue;
        list->clear();
        for (int slot : rows) {
            auto* item = new QListWidgetItem(QStringLiteral("Fire Macro%1").arg(slot + 1), list);
            item->setData(Qt::UserRole, QString::fromStdString(scripts_.Slot(slot).ToText()));
            item->setData(Qt::UserRole + 1, slot);
        }
    }
}

void FirePage::WriteScripts() {
    const auto bytes = scripts_.FileBytes();
    if (!SaveGunKeyFile(GunKeyFilePath(), bytes)) {
        Host().ShowMessage(QString::fromStdString(Host().LangText("Str623")));
        return;
    }
    gunKeyFileLoaded_ = true;
}

void FirePage::btn_AddScriptClick() {
    GunScriptForm form;
    form.type = ComboIndex(*this, "cb_SOSType", 0);
    form.keepLeft = ComboIndex(*this, "cb_SOSLB", 1) == 1;
    form.startIndex = ComboIndex(*this, "cb_SOSStartIndex", 0);
    form.numberIndex = ComboIndex(*this, "cb_SOSNumber", 0);
    form.colourIndex = ComboIndex(*this, "cb_SOSColor", 0);
    if (!scripts_.Add(BuildGunScript(form)))
        return; // all ten slots are used
    ListScripts();
    if (auto* list = qobject_cast<QListWidget*>(Control("LB_ScriptName")); list && list->count())
        list->scrollToItem(list->item(list->count() - 1), QAbstractItemView::PositionAtTop);
    WriteScripts();
}

void FirePage::btn_DelScriptClick() {
    auto* list = qobject_cast<QListWidget*>(Control("LB_ScriptName"));
    if (list == nullptr || list->currentRow() < 0)
        return;
    const int row = list->currentRow();
    if (!scripts_.RemoveRow(row))
        return;
    ListScripts();
    if (list->count() > 0)
        list->setCurrentRow(row > 0 ? row - 1 : 0);
    WriteScripts();
}

void FirePage::LB_ScriptNameClick() {
    auto* list = qobject_cast<QListWidget*>(Control("LB_ScriptName"));
    if (list == nullptr)
        return;
    const auto slot = scripts_.SlotOfRow(list->currentRow());
    if (!slot)
        return;
    GunScriptForm current;
    current.colourIndex = ComboIndex(*this, "cb_SOSColor", 0);
    current.startIndex = ComboIndex(*this, "cb_SOSStartIndex", 0);
    current.numberIndex = ComboIndex(*this, "cb_SOSNumber", 0);
    const GunScriptForm f = GunScriptToForm(scripts_.Slot(*slot), current);
    SetComboIndex(*this, "cb_SOSType", f.type);
    cb_SOSTypeChange();
    if (f.type == 1) {
        SetComboIndex(*this, "cb_SOSColor", f.colourIndex);
    } else {
        SetComboIndex(*this, "cb_SOSLB", f.keepLeft ? 1 : 0);
        SetComboIndex(*this, "cb_SOSStartIndex", f.startIndex);
        SetComboIndex(*this, "cb_SOSNumber", f.numberIndex);
    }
}

void FirePage::cb_SOSTypeChange() {
    const int type = ComboIndex(*this, "cb_SOSType", 0);
    if (type != 0 && type != 1)
        return;
    for (const char* name : {"lbl_SOSLB", "cb_SOSLB", "lbl_SOSStartIndex", "cb_SOSStartIndex",
                             "lbl_SOSNumber", "cb_SOSNumber"})
        if (QWidget* w = Control(name))
            w->setVisible(type == 0);
    for (const char* name : {"lbl_SOSColor", "cb_SOSColor"})
        if (QWidget* w = Control(name))
            w->setVisible(type == 1);
}

bool FirePage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut)
        for (int n = 1; n <= 3; ++n)
            if (watched == Control(NumberedName("Edt_Repeat", n)))
                Edt_Repeat1Exit(n);
    if (ListMouse(watched, event))
        return true;
    if (event->type() == QEvent::MouseButtonDblClick &&
        (watched == Control("Img_Base_6") || watched == Control("Img_P6")))
        Img_Base_6DblClick();
    if (event->type() == QEvent::MouseButtonPress)
        for (int k = 1; k <= 12; ++k)
            if (watched == Control(NumberedName("Key", k)))
                selectedKey_ = k;
    return Page::eventFilter(watched, event);
}

} // namespace trvx
