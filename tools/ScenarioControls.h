#pragma once
// The control-level half of the scenario runner: what `show` reads of a control, and the
// pointer actions of `click`, `choose` and their kin, delivered where a user's pointer would
// land. Nothing here knows the main window, so plain controls can be driven in tests.

#include "sim/ScenarioScript.h"

#include <QPoint>
#include <Qt>

#include <optional>
#include <string>

class QWidget;

namespace trvx {

class SkinPageControl;

// The fields of `show` for the control's kind.
ControlState ControlStateOf(const QWidget* control);

// A control of the windows of their own (the dialogs, the busy window), `main` aside, by name:
// the window itself or a control on it. A window on screen wins over a hidden one (a dialog
// that has closed). "Window.Control" (Form3.IB_Confirm) names the window too, which tells apart
// two windows on screen that both have the control; without it that is an error. Null with
// `error` when nothing matches.
QWidget* FindOnOwnWindows(const QWidget* main, const std::string& name, std::string& error);

// The widget a user's pointer reaches at the middle of the control (or at `point` of it): the
// control itself (or a part of it), never one that lies over it. Null with `error` when the
// control is not visible, lies outside its window or is covered.
QWidget* ReachableAt(QWidget* control, const std::string& name, std::string& error,
                     std::optional<QPoint> point = std::nullopt);

// A click (or double click) on the control, or with `row` on that row of a list: the row is
// scrolled into view and the pointer lands on it, so the press selects it before the list's own
// handlers run.
bool ClickControl(QWidget* control, const std::string& name, Qt::MouseButton button, bool twice,
                  std::optional<int> row, std::string& error);

// A click on tab `index` where the strip draws it. The page control's own check may refuse the
// change, as it would refuse a user's; that is no failure (expect-control shows the tab).
bool ChooseTab(SkinPageControl& pages, const std::string& name, int index, std::string& error);

} // namespace trvx
