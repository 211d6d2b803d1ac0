#include "controls/skinned/ui/HexEdit.h"

#include <QKeyEvent>
#include <QValidator>

namespace trvx {

namespace {

// Refuses any user edit (typing, pasting, dropping, input methods) that would bring in a
// character outside the set; Qt then keeps the text as it was. Text set by the program is
// left as given.
class CharSetValidator : public QValidator {
public:
    CharSetValidator(EditCharSet set, const bool* enabled, QObject* parent)
        : QValidator(parent), set_(set), enabled_(enabled) {}

    State validate(QString& input, int&) const override {
        if (!*enabled_)
            return Acceptable;
        const std::u16string text = input.toStdU16String();
        return FilterEditText(set_, text) == text ? Acceptable : Invalid;
    }

private:
    EditCharSet set_;
    const bool* enabled_;
};

} // namespace

HexEdit::HexEdit(QWidget* parent, const QString& name) : HexEdit(parent, name, EditCharSet::Hex) {}

HexEdit::HexEdit(QWidget* parent, const QString& name, EditCharSet charSet)
    : SkinEdit(parent, name), charSet_(charSet) {
    setValidator(new CharSetValidator(charSet_, &filter_, this));
}

void HexEdit::setFilter(bool filter) {
    filter_ = filter;
}

std::optional<std::int32_t> HexEdit::value() const {
    const std::string t = text().toStdString();
    return charSet_ == EditCharSet::Hex ? ParseHexEditValue(t) : ParseIntEditValue(t);
}

void HexEdit::setValue(std::int32_t value) {
    const std::string t =
        charSet_ == EditCharSet::Hex ? FormatHexEditValue(value) : FormatIntEditValue(value);
    setText(QString::fromStdString(t));
}

void HexEdit::keyPressEvent(QKeyEvent* event) {
    // Typed characters are tested one by one, whole; control characters (Enter, Escape, the
    // editing shortcuts) are never inserted and go on to do their work.
    if (filter_) {
        for (const QChar c : event->text()) {
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                continue;
            if (!EditCharAllowed(charSet_, c.unicode())) {
                event->accept();
                return;
            }
        }
    }
    SkinEdit::keyPressEvent(event);
}

} // namespace trvx
