#include "keys/ui/KeyPage.h"

#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/wide/ui/UniLabel.h"
#include "device/ProfileWriteBack.h"
#include "keys/KeyMenus.h"
#include "keys/KeyPageRules.h"
#include "keys/ModelKeys.h"
#include "keys/ui/ComboKeyDialog.h"
#include "keys/ui/KeyCaptions.h"
#include "pages/ui/ControlText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

#include <array>

namespace trvx {

namespace {

QColor ColourOf(const Rgb& c) {
    return QColor(c.R, c.G, c.B);
}

Rect RectOf(const QWidget* w) {
    return {w->x(), w->y(), w->width(), w->height()};
}

// The menus the main menu's openers show, and those the special-key menu's openers show.
bool IsSecondLevel(std::string_view panel) {
    for (const KeyMenuEntry& e : FindKeyMenu("Pnl_Main")->entries)
        if (e.opens == panel)
            return true;
    return false;
}

bool IsThirdLevel(std::string_view panel) {
    for (const KeyMenuEntry& e : FindKeyMenu("Pnl_Special")->entries)
        if (e.opens == panel)
            return true;
    return false;
}

int ItemCount(QWidget* list) {
    if (auto* l = qobject_cast<QListWidget*>(list))
        return l->count();
    if (auto* c = qobject_cast<QComboBox*>(list))
        return c->count();
    return 0;
}

// The key name each mode-switch option needs on the shown profile.
constexpr std::array<const char*, 8> kOptionNeeds = {"Str213", "Str212", "Str221", "Str222",
                                                     "Str223", "Str213", "Str214", ""};

constexpr int kRowHeight = 20;

} // namespace

KeyPage::KeyPage(PageHost& host, QObject* parent) : Page(host, 1, parent) {}

KeyPage::~KeyPage() = default;

KeyEntryContext KeyPage::Context() {
    return KeyContextOf(Host());
}

ProfileKeyNameTable KeyPage::KeyNames() {
    KeyEntryContext ctx = Context();
    return KeyCodesToKeyNames(Host().Model(), ctx);
}

void KeyPage::RefreshProfileKeys(int profile) {
    if (profile < 1 || profile > 3)
        return;
    shownProfile_ = profile;
    const KeyEntryContext ctx = KeyContextOf(Host());
    for (int k = 1; k <= 12; ++k)
        SetControlCaption(Control(NumberedName("Key", k)), KeyCaption(Host(), ctx, profile, k));
}

void KeyPage::Wire() {
    for (int k = 1; k <= 12; ++k)
        if (auto* label = qobject_cast<TUniLabel*>(Control(NumberedName("Key", k))))
            connect(label, &TUniLabel::clicked, this, [this, k] { ShowPnlMain_OnClick(k); });
    for (const KeyMenu& menu : KeyMenus())
        for (const KeyMenuEntry& e : menu.entries) {
            auto* label = qobject_cast<TUniLabel*>(Control(e.name));
            if (label == nullptr)
                continue;
            connect(label, &TUniLabel::mouseLeave, this,
                    [this, label] { KeyStatusMouseLeave(label); });
            if (!e.opens.empty()) {
                connect(label, &TUniLabel::mouseEnter, this,
                        [this, label] { KeyByTagMouseEnter(label); });
            } else {
                connect(label, &TUniLabel::mouseEnter, this,
                        [this, label] { KeyStatusMouseEnter(label); });
            }
            if (e.tag >= kFirstFunctionTag)
                connect(label, &TUniLabel::clicked, this,
                        [this, label] { KeyStatusOnClick(label); });
            else if (e.name == "Key_Assembly")
                connect(label, &TUniLabel::clicked, this, [this] { Key_AssemblyClick(); });
        }
    for (int n = 1; n <= 8; ++n)
        if (auto* label = qobject_cast<TUniLabel*>(Control(NumberedName("IB_ComboKey", n))))
            connect(label, &TUniLabel::clicked, this, [this, n] { IB_ComboKeyClick(n); });
    WireEngineerKeys();
}

void KeyPage::FillFromImage(StorageKind) {
    // The profile combos of the engineering page hold what the profile buttons write.
    const WorkingModel& model = Host().Model();
    if (auto* colour = qobject_cast<QComboBox*>(Control("cb_ProfileColor")))
        if (const auto item = ProfileColourItem(model.Register(164)))
            colour->setCurrentIndex(*item);
    if (auto* effect = qobject_cast<QComboBox*>(Control("cb_BtnEFT")))
        effect->setCurrentIndex(ButtonEffectItem(model.Register(167)));
    // The profile the mouse is on is the one shown.
    const int index = model.CurrentProfileIndex();
    SelectProfile(index >= 0 && index <= 2 ? index + 1 : 1, false);
    for (int p = 1; p <= 3; ++p)
        TLRefreshProfileKeys(p);
    RefreshComboKeyCaptions();
    // The option combos are filled from the image by the pages after this one: the pictures
    // follow them once every page has been filled.
    QMetaObject::invokeMethod(this, &KeyPage::FilledByAllPages, Qt::QueuedConnection);
}

void KeyPage::FillNoDevice() {
    // A combination chosen for a key of the mouse that left has nowhere to go. The dialog
    // takes its cover with it; the no-device state puts up its own covers after the pages.
    dialog_.Close();
    SelectProfile(1, false);
}

void KeyPage::CaptionsApplied() {
    RefreshAllKeyCaptions();
}

void KeyPage::LanguageSwitching() {
    fireFunctionKept_ = FireFunction();
    ledModeFunctionKept_ = LedModeFunction() ? 1 : 0;
}

void KeyPage::LanguageChanged() {
    // Every page has rebuilt its captions by now: the options show what they showed before.
    if (fireFunctionKept_ >= 0 && FireFunction() != fireFunctionKept_)
        SetFireFunction(fireFunctionKept_);
    if (ledModeFunctionKept_ >= 0 && (LedModeFunction() ? 1 : 0) != ledModeFunctionKept_)
        SetLedModeFunction(ledModeFunctionKept_ == 1);
    RefreshOptionPictures();
}

void KeyPage::ProfileReported(int) {
    // Only for the side-menu switch that follows at once; a refused switch leaves no trace.
    fromMouse_ = true;
    QMetaObject::invokeMethod(
        this, [this] { fromMouse_ = false; }, Qt::QueuedConnection);
}

void KeyPage::Shown(int radio) {
    const bool fromMouse = fromMouse_;
    fromMouse_ = false;
    if (radio >= 1 && radio <= 3)
        SelectProfile(radio, !fromMouse);
}

// ---- Profiles ------------------------------------------------------------------------------

void KeyPage::SelectProfile(int profile, bool write) {
    if (write && !Filling() && Host().Mouse().IsAccepted()) {
        WorkingModel& model = Host().Model();
        ProfileSelection s;
        s.profile = profile;
        s.buttonEffect = Host().Settings().BEEnable;
        s.gunDisplay = Host().Settings().GDEnable;
        auto* effect = qobject_cast<QComboBox*>(Control("cb_BtnEFT"));
        s.buttonEffectItem = effect != nullptr ? std::max(0, effect->currentIndex())
                                               : ButtonEffectItem(model.Register(167));
        auto* colour = qobject_cast<QComboBox*>(Control("cb_ProfileColor"));
        s.colourItem = colour != nullptr && colour->currentIndex() >= 0
                           ? colour->currentIndex()
                           : ProfileColourItem(model.Register(164)).value_or(0);
        PageHost::TransferScope transfer(Host());
        for (const RegisterValue& r : ProfileSelectionRegisters(s)) {
            const std::uint8_t value = r.value;
            // Every write goes through the model, so user byte 0 holds what 164 got.
            const auto w = model.SetRegisters(r.reg, std::span(&value, 1));
            if (w)
                SendRegisterWrite(Host().Mouse(), *w);
        }
    }
    if (auto* combo = qobject_cast<QComboBox*>(Control("cb_Profile")))
        combo->setCurrentIndex(profile - 1);
    SizeMenus(profile);
    const bool gun = Host().Settings().GDEnable;
    for (const char* name : {"IB_ComboKey8", "Img_ComboKey8"})
        if (QWidget* w = Control(name)) {
            if (profile != 2 || !gun)
                w->hide();
            else if (Host().Layout().ComboKey8Enabled)
                w->show();
        }
    RefreshProfileKeys(profile);
    RefreshOptionPictures();
}

void KeyPage::SizeMenus(int profile) {
    MenuRowInputs in;
    in.profile = profile;
    in.buttonEffect = Host().Settings().BEEnable;
    in.gunDisplay = Host().Settings().GDEnable;
    in.secondTab = Host().Layout().SwitchTabEnabled;
    in.thirdTab = Host().Layout().FixedTabEnabled;
    SizeMenus(in);
}

void KeyPage::SizeMenus(const MenuRowInputs& in) {
    for (const KeyMenu& menu : KeyMenus()) {
        QWidget* panel = Control(menu.panel);
        if (panel == nullptr)
            continue;
        int row = 0;
        for (const KeyMenuEntry& e : menu.entries) {
            QWidget* label = Control(e.name);
            QWidget* arrow = e.arrow ? Control(KeyMenuArrow(e)) : nullptr;
            const bool shown = MenuRowShown(e.name, in);
            for (QWidget* w : {label, arrow}) {
                if (w == nullptr)
                    continue;
                w->setVisible(shown);
                if (shown)
                    w->move(w->x(), 2 + kRowHeight * row);
            }
            if (shown)
                ++row;
        }
        panel->resize(panel->width(), row == 0 ? 0 : 4 + kRowHeight * row);
    }
}

// ---- Menus ---------------------------------------------------------------------------------

void KeyPage::ShowPnlMain_OnClick(int key) {
    // Without a mouse the keys change nothing.
    if (!Host().Mouse().IsAccepted() || Host().NoDeviceShown())
        return;
    selectedKey_ = key;
    const std::string name = NumberedName("Key", key);
    // The menu opens over the key: its caption stops running and shows whole.
    Host().StopRunningLabel();
    Host().SetPicture("Img_" + name, "KeyS_01");
    Host().HideAllMenu();
    QWidget* label = Control(name);
    QWidget* menu = Control("Pnl_Main");
    QWidget* page = Control("gbPage1");
    if (label == nullptr || menu == nullptr || page == nullptr)
        return;
    keyPageMenuOpen_ = true;
    engineeringMenuOpen_ = false;
    MoveMenusTo(page);
    SizeMenus(shownProfile_);
    const Point at =
        PlaceMainMenu(RectOf(label), menu->width(), menu->height(), page->width(), page->height());
    menu->move(at.x, at.y);
    menu->show();
    menu->raise();
}

void KeyPage::HideSubMenus(bool secondLevel) {
    for (const KeyMenu& menu : KeyMenus())
        if (IsThirdLevel(menu.panel) || (secondLevel && IsSecondLevel(menu.panel)))
            if (QWidget* w = Control(menu.panel))
                w->hide();
    for (std::string_view list : kKeyMenuLists)
        if (QWidget* w = Control(list))
            w->hide();
}

void KeyPage::ShowSubMenu(QWidget* panel, QWidget* parent, QWidget* opener) {
    QWidget* page = parent->parentWidget();
    if (page == nullptr)
        return;
    const Point at = PlaceSubMenu(RectOf(parent), RectOf(opener), panel->width(), panel->height(),
                                  page->width(), page->height());
    panel->move(at.x, at.y);
    panel->show();
    panel->raise();
}

void KeyPage::KeyByTagMouseEnter(QWidget* opener) {
    KeyStatusMouseEnter(opener);
    const KeyMenuEntry* e = FindKeyMenuEntry(opener->objectName().toStdString());
    if (e == nullptr)
        return;
    const bool fromMain =
        IsSecondLevel(e->opens) || e->opens == "LB_Name" || e->opens == "LB_Script";
    HideSubMenus(fromMain);
    QWidget* panel = Control(e->opens);
    QWidget* parent = Control(fromMain ? "Pnl_Main" : "Pnl_Special");
    if (panel == nullptr || parent == nullptr)
        return;
    // The pick lists open only while they have something to pick.
    if ((e->opens == "LB_Name" || e->opens == "LB_Script") && ItemCount(panel) == 0)
        return;
    ShowSubMenu(panel, parent, opener);
}

void KeyPage::KeyStatusMouseEnter(QWidget* entry) {
    const std::string name = entry->objectName().toStdString();
    const KeyMenuEntry* e = FindKeyMenuEntry(name);
    if (e != nullptr && e->opens.empty()) {
        if (name == "Key_Assembly" || name == "Key_FireMacro")
            HideSubMenus(true);
        else if (FindKeyMenu("Pnl_Special") != nullptr && e->tag >= 1000 && e->tag <= 1007)
            HideSubMenus(false);
    }
    if (auto* label = qobject_cast<TUniLabel*>(entry)) {
        label->SetTransparent(false);
        label->SetColor(ColourOf(Host().Layout().ColorGSP));
        label->SetFontColor(ColourOf(Host().Layout().ColorGSF));
    }
}

void KeyPage::KeyStatusMouseLeave(QWidget* entry) {
    if (auto* label = qobject_cast<TUniLabel*>(entry)) {
        label->SetTransparent(true);
        label->SetFontColor(ColourOf(Host().Layout().ColorG));
    }
}

void KeyPage::KeyStatusOnClick(QWidget* entry) {
    Host().HideAllMenu();
    const KeyMenuEntry* e = FindKeyMenuEntry(entry->objectName().toStdString());
    if (e != nullptr && engineeringMenuOpen_) {
        const QWidget* engineering = Control("gbPage7");
        if (engineering == nullptr || engineering->isHidden())
            return;
        KeyEntryContext ctx = AssignContext();
        if (const auto code = KeyTagToCode(e->tag, ctx))
            AssignEngineerKey(*code, ControlCaption(entry).mid(3));
        return;
    }
    // A menu opened from another page is that page's.
    const QWidget* page = Control("gbPage1");
    if (e == nullptr || !keyPageMenuOpen_ || selectedKey_ < 1 || selectedKey_ > 12 ||
        page == nullptr || page->isHidden())
        return;
    const int profile = shownProfile_;
    const int key = selectedKey_;
    KeyEntryContext ctx = AssignContext();
    const auto code = KeyTagToCode(e->tag, ctx);
    if (!code)
        return;
    WorkingModel& model = Host().Model();
    // Profile 1 keeps a left button: the choice is refused and the key stays as it was.
    if (RefusesLastLeft(profile, ProfileKeys(model, profile), key, *code))
        return;
    SetProfileKeyEntry(model, profile, key, *code);
    // The entry's caption without its three-character marker.
    QString caption = ControlCaption(entry);
    caption = caption.mid(3);
    SetControlCaption(Control(NumberedName("Key", key)), caption);
    if (QWidget* button = Control("btn_Key" + std::to_string(profile) + (key < 10 ? "0" : "") +
                                  std::to_string(key)))
        SetControlCaption(button, caption);
    WriteProfilesToMouse();
}

void KeyPage::WriteProfilesToMouse() {
    if (Filling() || !Host().Mouse().IsAccepted())
        return;
    PageHost::TransferScope transfer(Host());
    WriteProfiles(Host().Mouse(), Host().Model());
}

// ---- Combination keys ----------------------------------------------------------------------

void KeyPage::Key_AssemblyClick() {
    Host().HideAllMenu();
    if (!keyPageMenuOpen_ || selectedKey_ < 1 || selectedKey_ > 12)
        return;
    const int profile = shownProfile_;
    const int key = selectedKey_;
    if (profile == 3)
        return;
    if (IsLastLeft(profile, ProfileKeys(Host().Model(), profile), key))
        return;
    // The one still open goes first, taking its cover with it.
    auto* dialog = dialog_.Replace(new ComboKeyDialog(Host(), profile, key, Control("gbPage1")));
    const bool covered = profile == 1;
    if (covered)
        Host().ShowDisableAll();
    connect(dialog, &ComboKeyDialog::confirmed, this,
            [this](int p, int k, TKeyEntry entry, QString caption) {
                ApplyComboKey(p, k, entry, caption);
            });
    connect(dialog, &SmallDialog::finished, this, [this, covered] {
        // A mouse that left meanwhile keeps the no-device covers up.
        if (covered && !Host().NoDeviceShown())
            Host().HideDisableAll();
    });
    dialog->Open();
}

void KeyPage::ApplyComboKey(int profile, int key, const TKeyEntry& entry, const QString& caption) {
    WorkingModel& model = Host().Model();
    if (RefusesLastLeft(profile, ProfileKeys(model, profile), key, entry))
        return;
    SetProfileKeyEntry(model, profile, key, entry);
    if (profile == shownProfile_)
        SetControlCaption(Control(NumberedName("Key", key)), caption);
    WriteProfilesToMouse();
}

// ---- Mode-switch options -------------------------------------------------------------------

int KeyPage::FireFunction() const {
    if (auto* combo = qobject_cast<QComboBox*>(Control("cb_ChangeFireFun")))
        return std::max(0, combo->currentIndex());
    return fireFunction_;
}

void KeyPage::SetFireFunction(int index) {
    fireFunction_ = index;
    // Setting the item from code runs no handler: the page writes what the handler would.
    if (auto* combo = qobject_cast<QComboBox*>(Control("cb_ChangeFireFun")))
        combo->setCurrentIndex(index);
}

bool KeyPage::LedModeFunction() const {
    if (auto* combo = qobject_cast<QComboBox*>(Control("cb_ChangeLEDModeFun")))
        return combo->currentIndex() == 1;
    // Without the engineering page's choice (not built yet, say), what the entries hold, as
    // that choice shows it.
    const KeyEntryContext ctx = KeyContextOf(Host());
    return LedModeFunctionOf(Host().Model(), KeyCodesToKeyNames(Host().Model(), ctx), ctx);
}

void KeyPage::SetLedModeFunction(bool on) {
    if (auto* combo = qobject_cast<QComboBox*>(Control("cb_ChangeLEDModeFun")))
        combo->setCurrentIndex(on ? 1 : 0);
}

bool KeyPage::GunKeysSwitch() const {
    if (auto* box = qobject_cast<SkinCheckBox*>(Control("cb_IsGunFireMode")))
        return box->isChecked();
    return gunKeysSwitch_;
}

void KeyPage::SetGunKeysSwitch(bool on) {
    gunKeysSwitch_ = on;
    // The box's own handler stands still: the page does its work here.
    if (auto* box = qobject_cast<SkinCheckBox*>(Control("cb_IsGunFireMode"))) {
        const QSignalBlocker block(box);
        box->setChecked(on);
    }
}

void KeyPage::SetOptionPicture(int n, bool on) {
    Host().SetPicture(NumberedName("Img_ComboKey", n), on ? "CbS_E" : "CbS_D");
}

void KeyPage::RefreshOptionPictures() {
    SetOptionPicture(1, LedModeFunction());
    const int fire = FireFunction();
    for (int n = 2; n <= 7; ++n)
        SetOptionPicture(n, fire == n - 1);
    SetOptionPicture(8, GunKeysSwitch());
}

void KeyPage::WriteVendorAndProfiles() {
    if (Filling() || !Host().Mouse().IsAccepted())
        return;
    PageHost::TransferScope transfer(Host());
    SendRegisterWrite(Host().Mouse(), Host().Model().VendorSectionWrite());
    WriteProfiles(Host().Mouse(), Host().Model());
}

void KeyPage::IB_ComboKeyClick(int n) {
    Host().HideAllMenu();
    if (n < 1 || n > 8 || Filling() || !Host().Mouse().IsAccepted())
        return;
    KeyEntryContext ctx = Context();
    WorkingModel& model = Host().Model();
    const ProfileKeyNameTable names = KeyCodesToKeyNames(model, ctx);
    if (n == 8) {
        // The gun keys switch the mode only from the game profile.
        if (shownProfile_ != 2 || !ProfileHasGunKey(names, 2, ctx))
            return;
        const bool on = !GunKeysSwitch();
        SetGunKeysSwitch(on);
        SetGunKeyOption(model, names, ctx, 0b010, GunKeyOptionValue(FireFunction(), on));
    } else {
        const std::string needed = Host().LangText(kOptionNeeds[static_cast<std::size_t>(n - 1)]);
        if (!ProfileHasKeyNamed(names, shownProfile_, needed))
            return;
        if (n == 1) {
            const bool on = !LedModeFunction();
            SetLedModeFunction(on);
            // Right + back cannot switch both the LED mode and the profile.
            if (on && (FireFunction() == 5 || FireFunction() == 6))
                SetFireFunction(0);
            ApplyLedModeFunction(model, names, ctx, on);
        } else {
            const int index = FireFunction() == n - 1 ? 0 : n - 1;
            SetFireFunction(index);
            if ((index == 5 || index == 6) && LedModeFunction())
                SetLedModeFunction(false);
            std::uint8_t offset = 0x18;
            if (auto* edit = qobject_cast<QLineEdit*>(Control("edt_OffSet"))) {
                bool ok = false;
                const int v = edit->text().toInt(&ok, 16);
                if (ok)
                    offset = static_cast<std::uint8_t>(v & 0xFF);
            }
            ApplyFireFunction(model, names, ctx, index, GunKeysSwitch(), offset);
        }
    }
    RefreshOptionPictures();
    RefreshComboKeyCaptions();
    WriteVendorAndProfiles();
}

} // namespace trvx
