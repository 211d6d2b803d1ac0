#pragma once
// File and colour choosers of the pages. The program shows Qt's dialogs; the scenario runner
// and tests put a chooser of their own in place, so a page's "open file" runs without a user.

#include <QColor>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace trvx {

struct FileChoice {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString caption;
    QString directory;
    QString filter; // "Images (*.bin)"
};

class Choosers {
public:
    // The chosen path, or nullopt when the user cancelled.
    using FileChooser = std::function<std::optional<QString>(QWidget* parent, const FileChoice&)>;
    // The chosen colour, or nullopt when the user cancelled.
    using ColorChooser = std::function<std::optional<QColor>(QWidget* parent, QColor initial)>;

    // Install a chooser in place of the dialog; each returns the previous one. Empty: the dialog.
    static FileChooser setFileChooser(FileChooser chooser);
    static ColorChooser setColorChooser(ColorChooser chooser);

    static std::optional<QString> ChooseFile(QWidget* parent, const FileChoice& choice);
    static std::optional<QColor> ChooseColor(QWidget* parent, QColor initial);
};

} // namespace trvx
