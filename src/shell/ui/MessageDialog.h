#pragma once
// The program's message dialog: the text, no icon, the application title, one OK button, the
// font of the current language set. Tests and the scenario runner answer it through a
// responder instead of a user.

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace trvx {

class FormMessageDialog {
public:
    // Called with the text in place of showing the dialog. Empty: show it.
    using Responder = std::function<void(const QString& text)>;
    // Installs a responder; returns the previous one.
    static Responder setResponder(Responder responder);

    // Shows the text modally and returns when the user closed the dialog (by OK or its close
    // box, which answer alike).
    static void Show(QWidget* parent, const QString& text, const QString& fontName,
                     const QString& title);

    // A yes/no question in the same dialog; true for yes. A responder answers it in tests.
    using QuestionResponder = std::function<bool(const QString& text)>;
    static QuestionResponder setQuestionResponder(QuestionResponder responder);
    static bool Ask(QWidget* parent, const QString& text, const QString& fontName,
                    const QString& title);

    // Looking up the dialogs' button icons in the desktop's icon theme takes a while the first
    // time: these steps look them up ahead, one icon a step, so that a dialog opens at once.
    // None where the style shows no icons on dialog buttons.
    static std::vector<std::function<void()>> PreparationSteps(QWidget* parent);
};

} // namespace trvx
