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

#include <memory>
#include <unordered_map>

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

void CreateMainWindowControls(QWidget& form, const WindowTables& window) {
    const StartupPhaseScope timed(StartupPhase::Creation);
    // The skin's background, which the window's size and outline come from, decodes meanwhile.
    PrefetchSkinImage(kSkinBackground);
    QHash<QString, QWidget*> byName;
    // The page radios and the language radios are two separate choices.
    auto* pages = new QButtonGroup(&form);
    auto* languages = new QButtonGroup(&form);
    for (const ControlSpec& s : window.controls()) {
        QWidget* parent = s.parent.empty() ? &form : byName.value(qs(s.parent), &form);
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
                languages->addButton(radio);
            else if (name.size() == 4 && name[3].isDigit())
                pages->addButton(radio);
        }
        byName.insert(name, w);
    }
    // At start the key page of the first profile and the first language set are chosen.
    if (auto* rb = FindControlAs<QRadioButton>(form, "rb_1"))
        rb->setChecked(true);
    if (auto* rb = FindControlAs<QRadioButton>(form, "rb_Lang1"))
        rb->setChecked(true);
    // Group boxes whose art lies under them let it show through, frame and all.
    for (const char* box : {"Gb_Delay", "Gb_Insert"})
        if (auto* gb = FindControlAs<SkinGroupBox>(form, box)) {
            gb->setTransparent(true);
            gb->setFrameShown(false);
        }
    if (auto* pc = FindControlAs<SkinPageControl>(form, "Pg_Parameter"))
        pc->selectPage(0);
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

QWidget* FindControl(const QWidget& form, std::string_view name) {
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
