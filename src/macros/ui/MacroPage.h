#pragma once
// The macro page (page 4): the mouse's and the PC library's macro lists, the editor and the
// recorder.

#include "pages/ui/Page.h"

namespace trvx {

class MacroPage : public Page {
    Q_OBJECT
public:
    explicit MacroPage(PageHost& host, QObject* parent = nullptr);

    // The insert box is open in place of the delay box.
    bool InsertPanelOpen() const { return insertPanelOpen_; }

    void Wire() override;
    void FillNoDevice() override;
    void Shown(int radio) override;
    void Reshown() override { ShowEditorBoxes(); }
    void LanguageSwitching() override;
    void LanguageChanged() override;

private:
    void ShowEditorBoxes();

    bool insertPanelOpen_ = false;
    int insertIndex_ = -1; // CB_Insert's choice kept across a language switch
};

} // namespace trvx
