// The macro page's files: the library (all or one record) and the mouse's macro store.
#include "macros/ui/MacroPage.h"

#include <QListWidget>

namespace trvx {

namespace {
QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
const QString kMacroFiles = QStringLiteral("Macro files (*.bin)");
} // namespace

void MacroPage::ShowTransferResult(const TransferResult& result) {
    if (result.status == TransferStatus::Duplicate)
        Host().ShowMessage(Q(Host().LangText("Str106")));
    else if (!result.message.empty())
        Host().ShowMessage(Q(result.message));
}

void MacroPage::Btn_ImportClick() {
    ClearMacro();
    const auto file = Host().ChooseFile(false, Q(Host().LangText("Str407")), kMacroFiles);
    if (!file)
        return;
    ClearEditor();
    ShowTransferResult(::trvx::Btn_ImportClick(library_, file->toStdString()));
    RefreshLibraryList(-1);
}

void MacroPage::Btn_ImportOneClick() {
    ClearMacro();
    const auto file = Host().ChooseFile(false, Q(Host().LangText("Str406")), kMacroFiles);
    if (!file)
        return;
    int row = SelectedRow("LB_PCMacroName");
    const TransferResult result = ::trvx::Btn_ImportOneClick(library_, file->toStdString(), row);
    ShowTransferResult(result);
    if (result.ok()) {

        RefreshLibraryList(row);
        LB_PCMacroNameClick(row);
    }
}

void MacroPage::Btn_ExportClick() {
    ClearMacro();
    if (const auto file = Host().ChooseFile(true, Q(Host().LangText("Str405")), kMacroFiles))
        ShowTransferResult(::trvx::Btn_ExportClick(library_, file->toStdString()));
}

void MacroPage::Btn_ExportOneClick() {
    ClearMacro();
    const int row = SelectedRow("LB_PCMacroName");
    if (row < 0)
        return;
    if (const auto file = Host().ChooseFile(true, Q(Host().LangText("Str404")), kMacroFiles))
        ShowTransferResult(::trvx::Btn_ExportOneClick(library_, row, file->toStdString()));
}

void MacroPage::Btn_DevExportClick() {
    ClearMacro();
    const auto file = Host().ChooseFile(true, Q(Host().LangText("Str405")), kMacroFiles);
    if (!file)
        return;
    const TransferResult result =
        ::trvx::Btn_DevExportClick(deviceKind_, eeprom_, flash_, file->toStdString());
    if (result.status == TransferStatus::Unchanged)
        Host().ShowMessage(Q(Host().LangText("Str472")));
    else
        ShowTransferResult(result);
}

} // namespace trvx
