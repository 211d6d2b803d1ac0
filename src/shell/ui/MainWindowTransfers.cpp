// The window's share of the pages' whole-image transfers: the device thread, the poller's reset,
// the read, the page refresh, file choosers and questions.
#include "pages/ui/Page.h"
#include "shell/ui/Choosers.h"
#include "shell/ui/MainWindowParts.h"

namespace trvx {

void TForm1::RunDeviceJob(std::function<void()> job) {
    if (worker_ == nullptr || closing_)
        return;
    worker_->Post(std::move(job));
}

void TForm1::ResetAndReconnect() {
    if (poller_ != nullptr)
        poller_->ResetAndReconnect();
}

WholeImageReadResult TForm1::ReadWholeImage() {
    return reader_->Read();
}

void TForm1::SetPolling(bool on) {
    if (on)
        devTimer_.start();
    else
        devTimer_.stop();
}

void TForm1::RefreshPages(StorageKind kind) {
    for (Page* page : pages_)
        page->FillFromImage(kind);
}

void TForm1::KeyEntriesChanged() {
    for (Page* page : pages_)
        page->KeyEntriesChanged();
}

void TForm1::PaletteChanged() {
    for (Page* page : pages_)
        page->PaletteChanged();
}

SectionDefaultsContext TForm1::SectionDefaults(StorageKind kind) {
    return bridge_->SectionDefaults(kind);
}

std::optional<QString> TForm1::ChooseFile(bool save, const QString& caption,
                                          const QString& filter) {
    FileChoice choice;
    choice.mode = save ? FileChoice::Mode::Save : FileChoice::Mode::Open;
    choice.caption = caption;
    choice.filter = filter;
    return Choosers::ChooseFile(this, choice);
}

bool TForm1::Ask(const QString& text) {
    return FormMessageDialog::Ask(this, text, Widen(fontName_), Widen(appTitle_));
}

} // namespace trvx
