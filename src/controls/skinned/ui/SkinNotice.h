#pragma once
// The information and error boxes the skinned controls show when a setting is refused. Tests
// and the scenario runner replace the box with a handler that records the text.

#include <QString>

#include <functional>

namespace trvx {

using SkinNoticeHandler = std::function<void(const QString& text)>;

// Shows `text` in a message box with one OK button, or hands it to the installed handler.
void ShowSkinNotice(const QString& text);

// Installs a handler (an empty one restores the message box); returns the previous one.
SkinNoticeHandler SetSkinNoticeHandler(SkinNoticeHandler handler);

} // namespace trvx
