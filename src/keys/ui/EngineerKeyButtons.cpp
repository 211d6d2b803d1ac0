// The engineering page's key buttons: the twelve buttons of each profile and the nine
// combination keys open the key page's function menus, and a choice lands on the button that
// opened them. Both pages show the same captions after a change on either.
#include "controls/skinned/ui/SkinComboBox.h"
#include "keys/KeyMenus.h"
#include "keys/KeyPageRules.h"
#include "keys/ModelKeys.h"
#include "keys/ui/KeyCaptions.h"
#include "keys/ui/KeyPage.h"
#include "macros/MacroSlots.h"
#include "pages/ui/ControlText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QListWidget>

#include <functional>

namespace trvx {

namespace {

std::string ProfileButtonName(int number) {
    return "btn_Key" + std::to_string(number / 100) + (number % 100 < 10 ? "0" : "") +
           std::to_string(number % 100);
}

std::string ComboButtonName(int n) {
    return "btn_ComboKey00" + std::to_string(n);
}

// A combo's item, or -1 when the combo is missing or has none chosen.
int ItemOf(const QWidget* w) {
    const auto* combo = qobject_cast<const QComboBox*>(w);
    return combo != nullptr ? combo->currentIndex() : -1;
}

// The rect of a control in the coordinates of one of its ancestors.
Rect RectIn(const QWidget* w, const QWidget* ancestor) {
    const QPoint at = w->mapTo(ancestor, QPoint(0, 0));
    return {at.x(), at.y(), w->width(), w->height()};
}

// Shows the page's menus again when the engineering page itself is shown: its key captions may
// have changed on the other pages.
class ShowWatcher : public QObject {
public:
    ShowWatcher(QObject* parent, std::function<void()> shown)
        : QObject(parent), shown_(std::move(shown)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            shown_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> shown_;
};

} // namespace

void KeyPage::WireEngineerKeys() {
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 12; ++k)
            if (auto* b = qobject_cast<QAbstractButton*>(Control(ProfileButtonName(100 * p + k))))
                connect(b, &QAbstractButton::clicked, this,
                        [this, p, k] { TLShowPnlMain_OnClick(100 * p + k); });
    for (int n = 1; n <= 9; ++n)
        if (auto* b = qobject_cast<QAbstractButton*>(Control(ComboButtonName(n))))
            connect(b, &QAbstractButton::clicked, this, [this, n] { TLShowPnlMain_OnClick(n); });
    if (auto* list = qobject_cast<QListWidget*>(Control("LB_Script")))
        connect(list, &QListWidget::itemClicked, this,
                [this, list](QListWidgetItem* item) { LB_ScriptClick(list->row(item)); });
    // The device-macro list serves the engineering buttons while their menu is open.
    if (auto* list = qobject_cast<QListWidget*>(Control("LB_Name")))
        connect(list, &QListWidget::itemClicked, this, [this, list](QListWidgetItem* item) {
            if (!engineeringMenuOpen_ || selectedButton_ < 100)
                return;
            KeyEntryContext ctx = Context();
            const auto row = static_cast<std::size_t>(list->row(item));
            Host().HideAllMenu();
            if (row >= ctx.macroSlots.size())
                return;
            const std::uint16_t start = ctx.macroSlots[row].start;
            AssignEngineerKey(TKeyEntry{0x10, static_cast<std::uint8_t>(start >> 8),
                                        static_cast<std::uint8_t>(start & 0xFF), 0x00},
                              item->text());
        });
    // The gesture combos rewrite combination keys 2 and 4: their buttons and the key page's
    // option pictures follow once the combos' own handlers have run.
    for (const char* name : {"cb_ChangeFireFun", "cb_ChangeLEDModeFun"})
        if (auto* combo = qobject_cast<SkinComboBox*>(Control(name)))
            connect(combo, &SkinComboBox::changed, this, &KeyPage::OptionsChangedElsewhere,
                    Qt::QueuedConnection);
    // Keys 10 to 12 exist only on the RGB LED package.
    if (auto* combo = qobject_cast<SkinComboBox*>(Control("cb_Package")))
        connect(combo, &SkinComboBox::changed, this, &KeyPage::TLRefreshPackageKeys);
    if (QWidget* page = Control("gbPage7"))
        page->installEventFilter(new ShowWatcher(this, [this] {
            for (int p = 1; p <= 3; ++p)
                TLRefreshProfileKeys(p);
            RefreshComboKeyCaptions();
        }));
}

void KeyPage::TLRefreshProfileKeys(int profile) {
    if (profile < 1 || profile > 3)
        return;
    const KeyEntryContext ctx = KeyContextOf(Host());
    for (int k = 1; k <= 12; ++k)
        SetControlCaption(Control(ProfileButtonName(100 * profile + k)),
                          KeyCaption(Host(), ctx, profile, k));
}

void KeyPage::RefreshComboKeyCaptions() {
    const KeyEntryContext ctx = KeyContextOf(Host());
    for (int n = 1; n <= 9; ++n)
        SetControlCaption(
            Control(ComboButtonName(n)),
            QString::fromStdString(KeyCodeToText(ComboKeyEntry(Host().Model(), n), ctx).text));
}

void KeyPage::RefreshAllKeyCaptions() {
    RefreshProfileKeys(shownProfile_);
    for (int p = 1; p <= 3; ++p)
        TLRefreshProfileKeys(p);
    RefreshComboKeyCaptions();
}

void KeyPage::TLRefreshPackageKeys() {
    // Without a package chosen the keys stay as they are.
    const int package = ItemOf(Control("cb_Package"));
    if (package < 0)
        return;
    for (int p = 1; p <= 3; ++p)
        for (int k = 10; k <= 12; ++k) {
            const std::string number = std::to_string(100 * p + k);
            for (const std::string& name : {"lbl_Key" + number, "btn_Key" + number})
                if (QWidget* w = Control(name))
                    w->setVisible(package == 1);
        }
}

void KeyPage::OptionsChangedElsewhere() {
    RefreshComboKeyCaptions();
    RefreshOptionPictures();
}

void KeyPage::FilledByAllPages() {
    RefreshOptionPictures();
    TLRefreshPackageKeys();
}

void KeyPage::KeyEntriesChanged() {
    RefreshAllKeyCaptions();
}

KeyEntryContext KeyPage::AssignContext() {
    // The context carries the option controls as they stand; a combination key's menu also
    // gives profile-switch entries their options.
    KeyEntryContext ctx = Context();
    ctx.comboKeyMenuOpen = engineeringMenuOpen_ && selectedButton_ >= 1 && selectedButton_ <= 9;
    return ctx;
}

void KeyPage::MoveMenusTo(QWidget* page) {
    auto move = [page](QWidget* w) {
        if (w != nullptr && w->parentWidget() != page) {
            w->setParent(page);
            w->hide();
        }
    };
    for (const KeyMenu& menu : KeyMenus())
        move(Control(menu.panel));
    for (std::string_view list : kKeyMenuLists)
        move(Control(list));
}

void KeyPage::SizeEngineerMenus() {
    MenuRowInputs in;
    in.engineering = true;
    SizeMenus(in);
}

void KeyPage::TLShowPnlMain_OnClick(int number) {
    Host().HideAllMenu();
    if (!Host().Mouse().IsAccepted() || Host().NoDeviceShown())
        return;
    const bool combo = number >= 1 && number <= 9;
    const bool profile =
        number / 100 >= 1 && number / 100 <= 3 && number % 100 >= 1 && number % 100 <= 12;
    QWidget* page = Control("gbPage7");
    QWidget* button = Control(combo ? ComboButtonName(number) : ProfileButtonName(number));
    QWidget* menu = Control("Pnl_Main");
    if ((!combo && !profile) || page == nullptr || button == nullptr || menu == nullptr)
        return;
    selectedButton_ = number;
    engineeringMenuOpen_ = true;
    keyPageMenuOpen_ = false;
    MoveMenusTo(page);
    SizeEngineerMenus();
    const Point at = PlaceEngineerMenu(RectIn(button, page), menu->width(), menu->height(),
                                       page->width(), page->height());
    menu->move(at.x, at.y);
    menu->show();
    menu->raise();
}

void KeyPage::AssignEngineerKey(const TKeyEntry& entry, const QString& caption) {
    WorkingModel& model = Host().Model();
    if (selectedButton_ >= 1 && selectedButton_ <= 9) {
        const int n = selectedButton_;
        SetControlCaption(Control(ComboButtonName(n)), caption);
        const auto write = SetComboKeyEntry(model, n, entry);
        if (write && !Filling() && Host().Mouse().IsAccepted()) {
            PageHost::TransferScope transfer(Host());
            SendRegisterWrite(Host().Mouse(), *write);
        }
    } else {
        const int profile = selectedButton_ / 100;
        const int key = selectedButton_ % 100;
        if (profile < 1 || profile > 3 || key < 1 || key > 12)
            return;
        // Profile 1 keeps a left button here as on the key page.
        if (RefusesLastLeft(profile, ProfileKeys(model, profile), key, entry))
            return;
        SetProfileKeyEntry(model, profile, key, entry);
        SetControlCaption(Control(ProfileButtonName(selectedButton_)), caption);
        if (profile == shownProfile_)
            SetControlCaption(Control(NumberedName("Key", key)), caption);
    }
    WriteProfilesToMouse();
}

void KeyPage::LB_ScriptClick(int row) {
    Host().HideAllMenu();
    auto* list = qobject_cast<QListWidget*>(Control("LB_Script"));
    if (list == nullptr || row < 0 || row >= list->count() || !engineeringMenuOpen_ ||
        selectedButton_ < 100)
        return;
    // Each row carries the entry of its own gun-key slot.
    const std::string text = list->item(row)->data(Qt::UserRole).toString().toStdString();
    const auto entry = TKeyEntry::Parse(text);
    if (!entry)
        return;
    AssignEngineerKey(*entry, list->item(row)->text());
}

} // namespace trvx
