#include "shell/ui/MessageDialog.h"

#include <QMessageBox>
#include <QPointer>
#include <QStyle>

#include <utility>

namespace trvx {

namespace {
FormMessageDialog::Responder& CurrentResponder() {
    static FormMessageDialog::Responder responder;
    return responder;
}
FormMessageDialog::QuestionResponder& CurrentQuestionResponder() {
    static FormMessageDialog::QuestionResponder responder;
    return responder;
}
} // namespace

FormMessageDialog::QuestionResponder
FormMessageDialog::setQuestionResponder(QuestionResponder responder) {
    return std::exchange(CurrentQuestionResponder(), std::move(responder));
}

bool FormMessageDialog::Ask(QWidget* parent, const QString& text, const QString& fontName,
                            const QString& title) {
    if (const QuestionResponder& responder = CurrentQuestionResponder())
        return responder(text);
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    if (!fontName.isEmpty()) {
        QFont font = box.font();
        font.setFamily(fontName);
        box.setFont(font);
    }
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::vector<std::function<void()>> FormMessageDialog::PreparationSteps(QWidget* parent) {
    std::vector<std::function<void()>> steps;
    // Where the desktop's style shows no icons on dialog buttons, a dialog never looks one up:
    // looking them up ahead would only load the icon theme for nothing.
    if (!parent->style()->styleHint(QStyle::SH_DialogButtonBox_ButtonsHaveIcons, nullptr, parent))
        return steps;
    for (QStyle::StandardPixmap icon :
         {QStyle::SP_DialogOkButton, QStyle::SP_DialogYesButton, QStyle::SP_DialogNoButton})
        steps.push_back([widget = QPointer<QWidget>(parent), icon] {
            if (widget != nullptr)
                widget->style()->standardIcon(icon, nullptr, widget);
        });
    return steps;
}

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
