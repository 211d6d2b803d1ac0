#pragma once
// Creates a window's controls from its control table (skin/ControlTable.h), each with its object
// name, on its page, at its design-time place.

#include "skin/WindowTables.h"

#include <QString>
#include <QWidget>

#include <string_view>

namespace trvx {

// Creates every control of the window's table as a child of `form` (pages gbPage1 .. gbPage7
// and what lies on them), in table order. Call once, on a form without them.
void CreateMainWindowControls(QWidget& form, const WindowTables& window);

// The control of that object name anywhere under `form`, or nullptr.
QWidget* FindControl(const QWidget& form, std::string_view name);
template <class T> T* FindControlAs(const QWidget& form, std::string_view name) {
    return qobject_cast<T*>(FindControl(form, name));
}

} // namespace trvx
