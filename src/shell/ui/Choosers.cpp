#include "shell/ui/Choosers.h"

#include <QColorDialog>
#include <QFileDialog>

#include <utility>

namespace trvx {

namespace {
Choosers::FileChooser& FileHook() {
    static Choosers::FileChooser chooser;
    return chooser;
}
Choosers::ColorChooser& ColorHook() {
    static Choosers::ColorChooser chooser;
    return chooser;
}
} // namespace

Choosers::FileChooser Choosers::setFileChooser(FileChooser chooser) {
    return std::exchange(FileHook(), std::move(chooser));
}

Choosers::ColorChooser Choosers::setColorChooser(ColorChooser chooser) {
    return std::exchange(ColorHook(), std::move(chooser));
}

std::optional<QString> Choosers::ChooseFile(QWidget* parent, const FileChoice& choice) {
    if (const FileChooser& hook = FileHook())
        return hook(parent, choice);
    const QString path =
        choice.mode == FileChoice::Mode::Open
            ? QFileDialog::getOpenFileName(parent, choice.caption, choice.directory, choice.filter)
            : QFileDialog::getSaveFileName(parent, choice.caption, choice.directory, choice.filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QColor> Choosers::ChooseColor(QWidget* parent, QColor initial) {
    if (const ColorChooser& hook = ColorHook())
        return hook(parent, initial);
    const QColor color = QColorDialog::getColor(initial, parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

} // namespace trvx
