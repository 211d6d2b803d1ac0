#include "skin/ui/MainWindowControls.h"

#include "controls/skinned/ui/BorderlessGroupBox.h"
#include "controls/skinned/ui/BorderlessPanel.h"
#include "controls/skinned/ui/GroupBox.h"
#include "controls/skinned/ui/HexEdit.h"
#include "controls/skinned/ui/IntEdit.h"
#include "controls/skinned/ui/RectShape.h"
#include "controls/skinned/ui/SkinButton.h"
#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/skinned/ui/SkinComboBox.h"
#include "controls/skinned/ui/SkinEdit.h"
#include "controls/skinned/ui/SkinListBox.h"
#include "controls/skinned/ui/SkinNumberEdit.h"
#include "controls/skinned/ui/SkinPageControl.h"
#include "controls/wide/ui/UniComboBox.h"
#include "controls/wide/ui/UniLabel.h"
#include "controls/wide/ui/UniListBox.h"
#include "skin/ControlTable.h"
#include "skin/ui/LayoutPass.h"
#include "skin/ui/SkinPicture.h"
#include "skin/ui/StartupTrace.h"

#include <QButtonGroup>
#include <QHash>
#include <QPalette>
#include <QPointer>
#include <QRadioButton>
#include <QSet>

#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>

namespace trvx {
namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QWidget* create(const ControlSpec& s, QWidget* parent) {
    const QString text = qs(s.text);
    switch (s.kind) {
    case ControlKind::Page: {
        auto* w = new QWidget(parent);
        // On the skinned pages' dark art a disabled caption shows dimmed: the light edge of the
        // engraved class-library look would double its letters. The engineering page keeps it.
        if (s.name != "gbPage7") {
            QPalette p = w->palette();
            p.setColor(QPalette::Disabled, QPalette::Light, Qt::transparent);
            p.setColor(QPalette::Disabled, QPalette::Dark, QColor(104, 116, 130));
            // The scroll bars of the pages' lists in the colours of the art.
            for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
                p.setColor(g, QPalette::Window, QColor(24, 29, 35));
                p.setColor(g, QPalette::Button, QColor(44, 52, 62));
                p.setColor(g, QPalette::ButtonText, QColor(154, 165, 177));
                p.setColor(g, QPalette::Light, QColor(60, 71, 84));
                p.setColor(g, QPalette::Midlight, QColor(52, 61, 73));
                p.setColor(g, QPalette::Mid, QColor(38, 46, 56));
                p.setColor(g, QPalette::Dark, QColor(30, 36, 44));
                p.setColor(g, QPalette::Shadow, QColor(10, 12, 15));
            }
            w->setPalette(p);
        }
        return w;
    }
    case ControlKind::Picture: {
        auto* w = new SkinPicture(parent);
        if (!s.image.empty())
            w->setSkinPicture(s.image);
        return w;
    }
    case ControlKind::Label: {
        auto* w = new TUniLabel(parent);
        w->SetAutoSize(false);
        w->SetTransparent(true);
        w->SetShowAccelChar(false);
        if (s.centred) {
            w->SetAlignment(TAlignment::taCenter);
            w->SetLayout(TTextLayout::tlCenter);
        } else {
            w->SetLayout(TTextLayout::tlCenter);
        }
        w->SetCaption(text.toStdU16String());
        return w;
    }
    case ControlKind::Edit:
        return new SkinEdit(parent);
    case ControlKind::IntEdit:
        return new IntEdit(parent);
    case ControlKind::HexEdit:
        return new HexEdit(parent);
    case ControlKind::ComboBox: {
        auto* w = new SkinComboBox(parent);
        for (const std::string& item : s.items)
            w->addItem(qs(item));
        return w;
    }
    case ControlKind::CheckBox: {
        auto* w = new SkinCheckBox(parent);
        w->setCaption(text);
        return w;
    }
    case ControlKind::ListBox:
        return new SkinListBox(parent);
    case ControlKind::WideListBox:
        return new TUniListBox(parent);
    case ControlKind::WideCombo: {
        auto* w = new TUniComboBox(parent);
        for (const std::string& item : s.items)
            w->Items().Add(qs(item).toStdU16String());
        // As the skinned combo box, it starts on its first item.
        w->SetItemIndex(s.items.empty() ? -1 : 0);
        return w;
    }
    case ControlKind::Panel:
        return new PlainPanel(parent);
    case ControlKind::GroupBox: {
        auto* w = new SkinGroupBox(parent);
        w->setCaption(text);
        return w;
    }
    case ControlKind::Shape: {
        auto* w = new RectShape(parent);
        w->setShadow(false);
        return w;
    }
    case ControlKind::Radio:
        return new QRadioButton(text, parent);
    case ControlKind::Button: {
        auto* w = new SkinButton(parent);
        w->setCaption(text);
        return w;
    }
    case ControlKind::PageControl:
        return new SkinPageControl(parent);
    case ControlKind::TabSheet: {
        auto* w = new SkinTabSheet(qobject_cast<SkinPageControl*>(parent));
        w->setCaption(text);
        return w;
    }
    case ControlKind::PlainGroupBox: {
        auto* w = new PlainGroupBox(parent);
        w->setBorderStyle(TPlainBorderStyle::bsNone);
        w->setTransparent(true);
        return w;
    }
    case ControlKind::NumberEdit: {
        auto* w = new SkinNumberEdit(parent);
        w->setMask(QStringLiteral("0"));
        w->setMaxLength(5);
        if (!text.isEmpty())
            w->setText(text);
        return w;
    }
    }
    return new QWidget(parent);
}

} // namespace

namespace {

// What a form still has to create of its table: the rows under its deferred pages, in table
// order, and what a lookup of one of their names asks for.
struct DeferredControls {
    const WindowTables* window = nullptr;
    std::vector<std::size_t> rows;              // indices into the table, in table order
    std::size_t next = 0;                       // the first row of `rows` not created yet
    std::unordered_set<std::string_view> names; // of the rows not created yet
    std::function<void()> demand;
};

// Creating one form's controls, until the last of them is made: its controls by name so far and
// its two radio groups.
struct FormBuild {
    QHash<QString, QWidget*> byName;
    QButtonGroup* pages = nullptr;
    QButtonGroup* languages = nullptr;
};

std::unordered_map<const QWidget*, FormBuild>& builds() {
    static std::unordered_map<const QWidget*, FormBuild> forms;
    return forms;
}

std::unordered_map<const QWidget*, DeferredControls>& deferredControls() {
    static std::unordered_map<const QWidget*, DeferredControls> forms;
    return forms;
}

void forgetOnDestruction(const QWidget& form) {
    const QWidget* key = &form;
    QObject::connect(&form, &QObject::destroyed, [key] {
        builds().erase(key);
        deferredControls().erase(key);
    });
}

void noteCreated(const QWidget& form, QWidget* w);

QWidget* createRow(QWidget& form, FormBuild& build, const ControlSpec& s) {
    QWidget* parent = s.parent.empty() ? &form : build.byName.value(qs(s.parent), &form);
    QWidget* w = create(s, parent);
    const QString name = qs(s.name);
    w->setObjectName(name);
    if (s.kind != ControlKind::TabSheet)
        w->move(s.x, s.y);
    if (s.w > 0 && s.kind != ControlKind::TabSheet)
        w->resize(s.w, s.h);
    if (s.kind == ControlKind::TabSheet)
        static_cast<SkinTabSheet*>(w)->setTabVisible(!s.hidden);
    else
        w->setVisible(!s.hidden);
    w->setEnabled(!s.disabled);
    if (s.colour >= 0) {
        const QColor c(s.colour & 0xFF, (s.colour >> 8) & 0xFF, (s.colour >> 16) & 0xFF);
        if (auto* label = qobject_cast<TUniLabel*>(w))
            label->SetFontColor(c);
        if (auto* shape = qobject_cast<RectShape*>(w)) {
            shape->setBrushColor(c);
            shape->setPenColor(c);
        }
    }
    // The page and language radios are groups of their own; the pages' state radios (rb_DPI1
    // .. rb_DPI8, ...) are exclusive only within their own group box.
    if (auto* radio = qobject_cast<QRadioButton*>(w)) {
        if (name.startsWith(QLatin1String("rb_Lang")))
            build.languages->addButton(radio);
        else if (name.size() == 4 && name[3].isDigit())
            build.pages->addButton(radio);
    }
    build.byName.insert(name, w);
    noteCreated(form, w);
    return w;
}

// The start states that need a control's children: applied to the controls of `created` once
// they and everything under them exist.
void finishControls(const QWidget& form, const std::unordered_set<std::string_view>& created) {
    auto made = [&](std::string_view name) { return created.count(name) != 0; };
    // At start the key page of the first profile and the first language set are chosen.
    for (const char* name : {"rb_1", "rb_Lang1"})
        if (made(name))
            if (auto* rb = FindControlAs<QRadioButton>(form, name))
                rb->setChecked(true);
    // Group boxes whose art lies under them let it show through, frame and all.
    for (const char* box : {"Gb_Delay", "Gb_Insert"})
        if (made(box))
            if (auto* gb = FindControlAs<SkinGroupBox>(form, box)) {
                gb->setTransparent(true);
                gb->setFrameShown(false);
            }
    if (made("Pg_Parameter"))
        if (auto* pc = FindControlAs<SkinPageControl>(form, "Pg_Parameter"))
            pc->selectPage(0);
}

// True when `s` lies under one of the pages named in `deferred`.
bool underDeferredPage(const ControlSpec& s, const std::unordered_set<std::string_view>& deferred,
                       const std::unordered_map<std::string_view, const ControlSpec*>& byName) {
    for (const ControlSpec* p = &s; !p->parent.empty();) {
        if (deferred.count(p->parent) != 0)
            return true;
        const auto it = byName.find(p->parent);
        if (it == byName.end())
            return false;
        p = it->second;
    }
    return false;
}

} // namespace

void CreateMainWindowControls(QWidget& form, const WindowTables& window,
                              const std::vector<std::string>& deferredPages) {
    const StartupPhaseScope timed(StartupPhase::Creation);
    // The skin's background, which the window's size and outline come from, decodes meanwhile.
    PrefetchSkinImage(kSkinBackground);
    forgetOnDestruction(form);
    FormBuild& build = builds()[&form];
    build.pages = new QButtonGroup(&form);
    build.languages = new QButtonGroup(&form);
    const std::vector<ControlSpec>& specs = window.controls();
    const std::unordered_set<std::string_view> deferred(deferredPages.begin(), deferredPages.end());
    std::unordered_map<std::string_view, const ControlSpec*> byName;
    if (!deferred.empty())
        for (const ControlSpec& s : specs)
            byName.emplace(s.name, &s);
    DeferredControls later;
    later.window = &window;
    std::unordered_set<std::string_view> created;
    for (std::size_t i = 0; i < specs.size(); ++i) {
        const ControlSpec& s = specs[i];
        if (!deferred.empty() && underDeferredPage(s, deferred, byName)) {
            later.rows.push_back(i);
            later.names.insert(s.name);
            continue;
        }
        createRow(form, build, s);
        created.insert(s.name);
    }
    finishControls(form, created);
    if (later.rows.empty())
        builds().erase(&form);
    else
        deferredControls()[&form] = std::move(later);
}

bool CreateDeferredControls(QWidget& form, const std::function<bool()>& timeLeft) {
    auto it = deferredControls().find(&form);
    if (it == deferredControls().end())
        return true;
    const StartupPhaseScope timed(StartupPhase::Creation);
    DeferredControls& later = it->second;
    FormBuild& build = builds()[&form];
    const std::vector<ControlSpec>& specs = later.window->controls();
    while (later.next < later.rows.size()) {
        const ControlSpec& s = specs[later.rows[later.next]];
        createRow(form, build, s);
        later.names.erase(s.name);
        ++later.next;
        if (later.next < later.rows.size() && timeLeft && !timeLeft())
            return false;
    }
    // Every deferred control exists now: the start states that need their children.
    std::unordered_set<std::string_view> created;
    for (std::size_t row : later.rows)
        created.insert(specs[row].name);
    deferredControls().erase(it);
    builds().erase(&form);
    finishControls(form, created);
    return true;
}

bool HasDeferredControls(const QWidget& form) {
    return deferredControls().count(&form) != 0;
}

bool IsDeferredControl(const QWidget& form, std::string_view name) {
    const auto it = deferredControls().find(&form);
    if (it == deferredControls().end())
        return false;
    return it->second.names.count(name) != 0;
}

void SetDeferredControlDemand(QWidget& form, std::function<void()> demand) {
    if (auto it = deferredControls().find(&form); it != deferredControls().end())
        it->second.demand = std::move(demand);
}

namespace {

// The controls under one form by name, so that a lookup does not walk a thousand children. An
// entry is trusted only while its control lives under the form with that name; any other name
// (one created later, one that several controls share) is looked up the slow way, which finds
// what findChild finds.
class ControlNames {
public:
    explicit ControlNames(const QWidget& form) {
        for (QWidget* w : form.findChildren<QWidget*>()) {
            const QString name = w->objectName();
            if (name.isEmpty())
                continue;
            if (byName_.contains(name))
                shared_.insert(name);
            byName_.insert(name, w);
        }
    }

    void add(QWidget* w) {
        const QString name = w->objectName();
        if (name.isEmpty())
            return;
        if (byName_.contains(name) && !byName_.value(name).isNull())
            shared_.insert(name);
        byName_.insert(name, w);
    }

    QWidget* find(const QWidget& form, const QString& name) {
        if (!shared_.contains(name)) {
            const auto it = byName_.constFind(name);
            if (it != byName_.constEnd() && isUnder(it->data(), form) &&
                it.value()->objectName() == name)
                return it->data();
        }
        QWidget* w = form.findChild<QWidget*>(name);
        if (w != nullptr && !shared_.contains(name))
            byName_.insert(name, w);
        return w;
    }

private:
    static bool isUnder(const QObject* w, const QWidget& form) {
        for (const QObject* p = w != nullptr ? w->parent() : nullptr; p != nullptr; p = p->parent())
            if (p == &form)
                return true;
        return false;
    }

    QHash<QString, QPointer<QWidget>> byName_;
    QSet<QString> shared_;
};

std::unordered_map<const QWidget*, std::unique_ptr<ControlNames>>& controlNames() {
    static std::unordered_map<const QWidget*, std::unique_ptr<ControlNames>> forms;
    return forms;
}

} // namespace

namespace {

void noteCreated(const QWidget& form, QWidget* w) {
    if (const auto it = controlNames().find(&form); it != controlNames().end())
        it->second->add(w);
}

} // namespace

QWidget* FindControl(const QWidget& form, std::string_view name) {
    // A control not created yet is created now, with whatever its form does on that demand;
    // when the form leaves it for later, there is nothing to find.
    if (const auto it = deferredControls().find(&form);
        it != deferredControls().end() && it->second.names.count(name) != 0) {
        if (it->second.demand) {
            const std::function<void()> demand = it->second.demand;
            demand();
        }
        if (IsDeferredControl(form, name))
            return nullptr;
    }
    auto& forms = controlNames();
    auto it = forms.find(&form);
    if (it == forms.end()) {
        it = forms.emplace(&form, std::make_unique<ControlNames>(form)).first;
        const QWidget* key = &form;
        QObject::connect(&form, &QObject::destroyed, [key] { controlNames().erase(key); });
    }
    return it->second->find(form, qs(name));
}

} // namespace trvx
