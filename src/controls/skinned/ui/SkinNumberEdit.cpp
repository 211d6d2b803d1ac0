#include "controls/skinned/ui/SkinNumberEdit.h"

#include "controls/skinned/EditValues.h"

#include <QApplication>
#include <QKeyEvent>

namespace trvx {

SkinNumberEdit::SkinNumberEdit(QWidget* parent, const QString& name) : SkinEdit(parent, name) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValue(0);
}

void SkinNumberEdit::setMask(const QString& mask) {
    mask_ = mask;
}

QString SkinNumberEdit::formatted(double value) const {
    return QString::fromStdString(FormatNumberMask(value, mask_.toStdString()));
}

void SkinNumberEdit::setValue(double value) {
    const QString text = formatted(value);
    value_ = value;
    if (text == this->text()) {
        // No change of text, so no change notification: the value still follows the text.
        value_ = ParseNumberEditText(text.toStdString()).value_or(value);
        return;
    }
    setText(text);
}

void SkinNumberEdit::textChangedHook() {
    if (restoring_)
        return;
    const QString t = text();
    if (!t.isEmpty() && t != QLatin1String("-")) {
        const auto v = ParseNumberEditText(t.toStdString());
        if (!v) {
            // Not a number (pasted text, say): show the last good value again, quietly.
            restoring_ = true;
            setText(formatted(value_));
            restoring_ = false;
            return;
        }
        value_ = *v;
    }
    SkinEdit::textChangedHook();
}

void SkinNumberEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!command && !typed.isEmpty() && typed.at(0).isPrint()) {
        const std::string current = text().toStdString();
        for (const QChar c : typed) {
            if (!NumberEditKeyAllowed(c.unicode(), mask_.toStdString(), current,
                                      cursorPosition())) {
                QApplication::beep();
                event->accept();
                return;
            }
        }
    }
    SkinEdit::keyPressEvent(event);
}

void SkinNumberEdit::selectLastSigns() {
    if (autoSelectSigns_ <= 0)
        return;
    const EditSelection s = AutoSelection(int(text().size()), autoSelectSigns_);
    setSelection(s.start, s.length);
}

void SkinNumberEdit::focusInEvent(QFocusEvent* event) {
    SkinEdit::focusInEvent(event);
    selectLastSigns();
}

void SkinNumberEdit::mouseReleaseEvent(QMouseEvent* event) {
    SkinEdit::mouseReleaseEvent(event);
    // A click enters the field again.
    selectLastSigns();
}

void SkinNumberEdit::focusOutEvent(QFocusEvent* event) {
    SkinEdit::focusOutEvent(event);
    if (text().isEmpty() || text() == QLatin1String("-"))
        setText(QStringLiteral("0"));
    const auto v = ParseNumberEditText(text().toStdString());
    setValue(v ? *v : value_);
}

} // namespace trvx
