#pragma once
// Creates a window's controls from its control table (skin/ControlTable.h), each with its object
// name, on its page, at its design-time place.

#include "skin/WindowTables.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

// Creates every control of the window's table as a child of `form` (pages gbPage1 .. gbPage7
// and what lies on them), in table order. Call once, on a form without them. What lies on the
// pages named in `deferredPages` (the pages themselves are created) waits for
// CreateDeferredControls: a window shows its first page sooner when the others come later.
void CreateMainWindowControls(QWidget& form, const WindowTables& window,
                              const std::vector<std::string>& deferredPages = {});

// Creates the deferred controls in table order while `timeLeft` says there is time (all of them
// when it is empty). True when none is left.
bool CreateDeferredControls(QWidget& form, const std::function<bool()>& timeLeft = {});
bool HasDeferredControls(const QWidget& form);
// True for a name of the table that is deferred and not created yet.
bool IsDeferredControl(const QWidget& form, std::string_view name);
// Called when FindControl is asked for a control that is not created yet, before it looks; the
// form decides what to create then.
void SetDeferredControlDemand(QWidget& form, std::function<void()> demand);

// The control of that object name anywhere under `form`, or nullptr.
QWidget* FindControl(const QWidget& form, std::string_view name);
template <class T> T* FindControlAs(const QWidget& form, std::string_view name) {
    return qobject_cast<T*>(FindControl(form, name));
}

} // namespace trvx
