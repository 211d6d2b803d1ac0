#include "controls/wide/ui/UniEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProxyStyle>

namespace trvx {

namespace {

QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The line edit takes its password character from its style.
class PasswordCharStyle final : public QProxyStyle {
public:
    explicit PasswordCharStyle(char16_t c) : c_(c) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return c_;
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }

private:
    char16_t c_;
};

} // namespace

TUniEdit::TUniEdit(QWidget* parent) : QLineEdit(parent) {}

TUniEdit::~TUniEdit() {
    // The widget must not keep a style that goes before it.
    if (passwordStyle_)
        setStyle(QApplication::style());
}

void TUniEdit::SetText(std::u16string_view text) {
    const QString q = toQString(text);
    if (q == QLineEdit::text())
        return;
    setText(q);
}

std::u16string TUniEdit::GetText() const {
    return text().toStdU16String();
}

int TUniEdit::GetSelStart() const {
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TUniEdit::SetSelStart(int start) {
    setCursorPosition(start);
}

int TUniEdit::GetSelLength() const {
    return hasSelectedText() ? static_cast<int>(selectionLength()) : 0;
}

void TUniEdit::SetSelLength(int length) {
    setSelection(GetSelStart(), length);
}

std::u16string TUniEdit::GetSelText() const {
    return selectedText().toStdU16String();
}

void TUniEdit::SetPasswordChar(char16_t c) {
    if (c == passwordChar_)
        return;
    passwordChar_ = c;
    if (c == 0) {
        setEchoMode(QLineEdit::Normal);
        setStyle(QApplication::style());
        passwordStyle_.reset();
        return;
    }
    auto style = std::make_unique<PasswordCharStyle>(c);
    setStyle(style.get()); // before the old style goes
    passwordStyle_ = std::move(style);
    setEchoMode(QLineEdit::Password);
    update();
}

void TUniEdit::keyPressEvent(QKeyEvent* event) {
    emit keyDown(event->key(), event->modifiers());
    const QString typed = event->text();
    if (!OnKeyPress || typed.size() != 1 || typed.at(0).unicode() < 0x20 || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    char16_t key = typed.at(0).unicode();
    OnKeyPress(key);
    if (key == 0) {
        event->accept();
        return;
    }
    if (key == typed.at(0).unicode()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent replaced(event->type(), event->key(), event->modifiers(), QString(QChar(key)));
    QLineEdit::keyPressEvent(&replaced);
    event->setAccepted(replaced.isAccepted());
}

} // namespace trvx
