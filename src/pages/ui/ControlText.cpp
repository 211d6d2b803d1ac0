#include "pages/ui/ControlText.h"

#include "controls/skinned/ui/BorderlessGroupBox.h"
#include "controls/skinned/ui/GroupBox.h"
#include "controls/skinned/ui/SkinButton.h"
#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/wide/ui/UniLabel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace trvx {

bool SetControlCaption(QWidget* control, const QString& caption) {
    if (control == nullptr)
        return false;
    if (auto* w = qobject_cast<TUniLabel*>(control))
        w->SetCaption(caption.toStdU16String());
    else if (auto* b = qobject_cast<SkinButton*>(control))
        b->setCaption(caption);
    else if (auto* c = qobject_cast<SkinCheckBox*>(control))
        c->setCaption(caption);
    else if (auto* g = qobject_cast<SkinGroupBox*>(control))
        g->setCaption(caption);
    else if (auto* p = qobject_cast<PlainGroupBox*>(control))
        p->setCaption(caption);
    else if (auto* l = qobject_cast<QLabel*>(control))
        l->setText(caption);
    else if (auto* e = qobject_cast<QLineEdit*>(control))
        e->setText(caption);
    else if (auto* a = qobject_cast<QAbstractButton*>(control))
        a->setText(caption);
    else if (auto* q = qobject_cast<QGroupBox*>(control))
        q->setTitle(caption);
    else
        return false;
    return true;
}

QString ControlCaption(const QWidget* control) {
    return FindControlCaption(control).value_or(QString());
}

std::optional<QString> FindControlCaption(const QWidget* control) {
    if (control == nullptr)
        return std::nullopt;
    if (auto* w = qobject_cast<const TUniLabel*>(control))
        return QString::fromStdU16String(w->GetCaption());
    if (auto* b = qobject_cast<const SkinButton*>(control))
        return b->caption();
    if (auto* c = qobject_cast<const SkinCheckBox*>(control))
        return c->caption();
    if (auto* g = qobject_cast<const SkinGroupBox*>(control))
        return g->caption();
    if (auto* p = qobject_cast<const PlainGroupBox*>(control))
        return p->caption();
    if (auto* l = qobject_cast<const QLabel*>(control))
        return l->text();
    if (auto* e = qobject_cast<const QLineEdit*>(control))
        return e->text();
    if (auto* a = qobject_cast<const QAbstractButton*>(control))
        return a->text();
    if (auto* q = qobject_cast<const QGroupBox*>(control))
        return q->title();
    return std::nullopt;
}

bool SetControlItems(QWidget* control, const QStringList& items) {
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        combo->clear();
        combo->addItems(items);
        return true;
    }
    if (auto* list = qobject_cast<QListWidget*>(control)) {
        list->clear();
        list->addItems(items);
        return true;
    }
    return false;
}

} // namespace trvx
