#include "macros/ui/MacroPage.h"

#include "controls/skinned/ui/SkinListBox.h"
#include "controls/wide/ui/UniListBox.h"
#include "pages/ui/ControlText.h"

#include <QComboBox>

namespace trvx {

MacroPage::MacroPage(PageHost& host, QObject* parent) : Page(host, 4, parent) {}

void MacroPage::Wire() {
    // The name lists take the item height of the set.
    for (const char* name : {"LB_PCMacroName", "LB_MacroName", "LB_macro"})
        SetListItemHeight(Control(name), Host().Layout().MacroNameHeight);
    AlignNumberEdits(
        *this, {"Edt_Delay", "Edt_InsertDelay", "edt_Repeat", "edt_XAxisValue", "edt_YAxisValue"});
}

void MacroPage::FillNoDevice() {
    for (const char* name : {"LB_MacroName", "LB_Name", "LB_macro"}) {
        if (auto* wide = qobject_cast<TUniListBox*>(Control(name)))
            wide->Items().Clear();
        else
            SetControlItems(Control(name), {});
    }
}

void MacroPage::Shown(int) {
    ShowEditorBoxes();
}

void MacroPage::ShowEditorBoxes() {
    if (QWidget* w = Control("Gb_Delay"))
        w->setVisible(!insertPanelOpen_);
    if (QWidget* w = Control("Gb_Insert"))
        w->setVisible(insertPanelOpen_);
    if (QWidget* w = Control("Img_InsertBase"))
        w->setVisible(insertPanelOpen_);
}

void MacroPage::LanguageSwitching() {
    auto* insert = qobject_cast<QComboBox*>(Control("CB_Insert"));
    insertIndex_ = insert != nullptr ? insert->currentIndex() : -1;
}

void MacroPage::LanguageChanged() {
    if (QWidget* delay = Control("Gb_Delay"))
        delay->hide();
    if (auto* insert = qobject_cast<QComboBox*>(Control("CB_Insert")))
        insert->setCurrentIndex(insertIndex_);
}

} // namespace trvx
