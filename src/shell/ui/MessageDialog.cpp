#include "shell/ui/MessageDialog.h"

#include <QMessageBox>

#include <utility>

namespace trvx {

namespace {
FormMessageDialog::Responder& CurrentResponder() {
    static FormMessageDialog::Responder responder;
    return responder;
}
} // namespace

FormMessageDialog::Responder FormMessageDialog::setResponder(Responder responder) {
    return std::exchange(CurrentResponder(), std::move(responder));
}

void FormMessageDialog::Show(QWidget* parent, const QString& text, const QString& fontName,
                             const QString& title) {
    if (const Responder& responder = CurrentResponder()) {
        responder(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    if (!fontName.isEmpty()) {
        QFont font = box.font();
        font.setFamily(fontName);
        box.setFont(font);
    }
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

} // namespace trvx
