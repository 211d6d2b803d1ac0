#pragma once
// Captions of the main window's controls whatever their class: wide labels, skinned buttons,
// check boxes and group boxes, plain Qt widgets; an edit's caption is its text.

#include <QString>

#include <optional>

class QWidget;

namespace trvx {

// False when the control has no caption of a kind known here.
bool SetControlCaption(QWidget* control, const QString& caption);
QString ControlCaption(const QWidget* control);
// The caption, or nullopt when the control's kind has none (a panel, a list, a combo box).
std::optional<QString> FindControlCaption(const QWidget* control);
// Replaces a combo box's or list's items; false when it is neither.
bool SetControlItems(QWidget* control, const QStringList& items);

} // namespace trvx
