#pragma once
// Small helpers of the fire page's handlers: its controls by name and kind, tolerating a control
// that another page has not created.

#include "controls/skinned/ui/SkinComboBox.h"
#include "controls/skinned/ui/SkinEdit.h"
#include "controls/wide/ui/UniComboBox.h"
#include "controls/wide/ui/UniLabel.h"
#include "pages/ui/DigitsValidator.h"
#include "pages/ui/Page.h"
#include "skin/ControlTable.h"

#include <QAbstractButton>

#include <string>

namespace trvx {

inline SkinEdit* EditAt(const Page& page, const std::string& name) {
    return qobject_cast<SkinEdit*>(page.Control(name));
}

// The key filter of the number edits: digits (and a minus sign where negative values go).
inline void DigitsOnly(QLineEdit* edit, bool negative) {
    edit->setValidator(new DigitsValidator(negative, 0, edit));
}

// Sets an edit's text; the same text does nothing (and runs no change handler).
inline void SetEditText(const Page& page, const std::string& name, const QString& text) {
    if (auto* e = EditAt(page, name); e && e->text() != text)
        e->setText(text);
}

inline int ComboIndex(const Page& page, const std::string& name, int fallback) {
    if (auto* wide = qobject_cast<TUniComboBox*>(page.Control(name)))
        return wide->ItemIndex();
    auto* c = qobject_cast<SkinComboBox*>(page.Control(name));
    return c ? c->itemIndex() : fallback;
}

inline void SetComboIndex(const Page& page, const std::string& name, int index) {
    if (auto* wide = qobject_cast<TUniComboBox*>(page.Control(name)))
        wide->SetItemIndex(index);
    else if (auto* c = qobject_cast<SkinComboBox*>(page.Control(name)))
        c->setItemIndex(index);
}

// A click on a label serving as a button, or on a push button.
template <class F> void ConnectClick(QWidget* control, QObject* context, F handler) {
    if (auto* label = qobject_cast<TUniLabel*>(control))
        QObject::connect(label, &TUniLabel::clicked, context, handler);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        QObject::connect(button, &QAbstractButton::clicked, context, handler);
}

} // namespace trvx
