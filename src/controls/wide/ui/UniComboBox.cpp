#include "controls/wide/ui/UniComboBox.h"

#include "base/Clock.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

#include <chrono>

namespace trvx {

namespace {

QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kObjectRole = Qt::UserRole + 1;

} // namespace

std::u16string TUniComboBoxStrings::Get(int index) const {
    if (index < 0 || index >= combo_.count())
        return {};
    return combo_.itemText(index).toStdU16String();
}

int TUniComboBoxStrings::GetCount() const {
    return combo_.count();
}

void TUniComboBoxStrings::Clear() {
    const QSignalBlocker block(combo_);
    combo_.clear();
    combo_.showText();
}

void TUniComboBoxStrings::Delete(int index) {
    if (index < 0 || index >= combo_.count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    const QSignalBlocker block(combo_);
    combo_.removeItem(index);
    combo_.showText();
}

void TUniComboBoxStrings::Insert(int index, std::u16string_view text) {
    if (index < 0 || index > combo_.count())
        throw EStringListError("Unable to insert a line");
    const QSignalBlocker block(combo_);
    const bool wasEmpty = combo_.count() == 0;
    combo_.insertItem(index, toQString(text));
    // The list style starts with no selection, whatever Qt would pick.
    if (wasEmpty)
        combo_.setCurrentIndex(-1);
    combo_.showText();
}

void* TUniComboBoxStrings::GetObject(int index) const {
    if (index < 0 || index >= combo_.count())
        return nullptr;
    return reinterpret_cast<void*>(combo_.itemData(index, kObjectRole).value<quintptr>());
}

void TUniComboBoxStrings::PutObject(int index, void* object) {
    if (index < 0 || index >= combo_.count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    combo_.setItemData(index, QVariant::fromValue(reinterpret_cast<quintptr>(object)), kObjectRole);
}

void TUniComboBoxStrings::Put(int index, std::u16string_view text) {
    if (index < 0 || index >= combo_.count())
        throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    const QSignalBlocker block(combo_);
    combo_.setItemText(index, toQString(text));
    if (index == combo_.currentIndex())
        combo_.text_ = text;
    combo_.showText();
}

TUniComboBox::TUniComboBox(QWidget* parent) : QComboBox(parent), items_(*this) {
    setEditable(false);
    connect(this, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { userChose(index); });
    view()->installEventFilter(this);
}

TUniComboBox::~TUniComboBox() = default;

void TUniComboBox::SetItemIndex(int index) {
    const QSignalBlocker block(this);
    if (index < 0 || index >= count()) {
        setCurrentIndex(-1);
    } else {
        setCurrentIndex(index);
        text_ = itemText(index).toStdU16String();
    }
    showText();
}

std::u16string TUniComboBox::Text() const {
    if (style_ == TComboStyle::csDropDown && lineEdit())
        return lineEdit()->text().toStdU16String();
    return text_;
}

void TUniComboBox::SetText(std::u16string_view text) {
    text_ = text;
    if (style_ == TComboStyle::csDropDown && lineEdit())
        lineEdit()->setText(toQString(text_));
    showText();
}

void TUniComboBox::SetStyle(TComboStyle style) {
    if (style_ == style)
        return;
    const std::u16string text = Text();
    style_ = style;
    const QSignalBlocker block(this);
    setEditable(style == TComboStyle::csDropDown);
    if (QLineEdit* edit = lineEdit()) {
        // Our own completion replaces Qt's.
        setCompleter(nullptr);
        setInsertPolicy(QComboBox::NoInsert);
        edit->installEventFilter(this);
    }
    SetText(text);
}

bool TUniComboBox::TypeEditChar(char16_t c) {
    QLineEdit* edit = lineEdit();
    if (!autoComplete_ || !edit)
        return false;
    std::vector<std::u16string> items;
    items.reserve(std::size_t(count()));
    for (int i = 0; i < count(); ++i)
        items.push_back(itemText(i).toStdU16String());
    const int selStart = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int selLength = edit->hasSelectedText() ? int(edit->selectionLength()) : 0;
    const auto out =
        ComboTypeAhead::OnEditChar(c, edit->text().toStdU16String(), selStart, selLength, items,
                                   autoDropDown_, view()->isVisible());
    if (out.closeList)
        hidePopup();
    if (out.openList) {
        // Opening the list keeps the text and its selection.
        const QString keep = edit->text();
        showPopup();
        edit->setText(keep);
        edit->setSelection(selStart, selLength);
    }
    if (!out.consumed)
        return false;
    {
        const QSignalBlocker block(this);
        setCurrentIndex(out.select);
    }
    edit->setText(toQString(out.text));
    edit->setSelection(out.selStart, out.selLength);
    text_ = out.text;
    if (out.changed) {
        emit clicked();
        emit changed();
    }
    return true;
}

void TUniComboBox::showText() {
    // With no item selected the list style shows the kept text as its placeholder.
    setPlaceholderText(toQString(text_));
}

void TUniComboBox::userChose(int index) {
    if (index < 0 || index >= count())
        return;
    text_ = itemText(index).toStdU16String();
    showText();
    emit clicked();
    emit changed();
}

std::uint32_t TUniComboBox::tickMs() const {
    if (clock_)
        return static_cast<std::uint32_t>(clock_->nowMicros() / 1000);
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool TUniComboBox::TypeChar(char16_t c) {
    if (!autoComplete_)
        return false;
    std::vector<std::u16string> items;
    items.reserve(std::size_t(count()));
    for (int i = 0; i < count(); ++i)
        items.push_back(itemText(i).toStdU16String());
    const auto out =
        typeAhead_.OnChar(c, tickMs(), items, currentIndex(), autoDropDown_, view()->isVisible());
    if (out.closeList)
        hidePopup();
    if (out.openList)
        showPopup();
    if (out.select >= 0) {
        {
            const QSignalBlocker block(this);
            setCurrentIndex(out.select);
        }
        view()->setCurrentIndex(model()->index(out.select, modelColumn(), rootModelIndex()));
        if (out.changed)
            userChose(out.select);
    }
    return out.consumed;
}

void TUniComboBox::keyPressEvent(QKeyEvent* event) {
    if (style_ == TComboStyle::csDropDown) {
        QComboBox::keyPressEvent(event);
        return;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && (typed.at(0).unicode() >= 0x20 || typed.at(0).unicode() == 8)) {
        if (TypeChar(typed.at(0).unicode()) || typed.at(0).unicode() >= 0x20) {
            event->accept();
            return;
        }
    }
    QComboBox::keyPressEvent(event);
}

bool TUniComboBox::eventFilter(QObject* watched, QEvent* event) {
    // While the list is open its view gets the keys; letters go to the same type-ahead.
    if (watched == view() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        if (typed.size() == 1 && typed.at(0).unicode() >= 0x20) {
            TypeChar(typed.at(0).unicode());
            return true;
        }
    }
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QString typed = key->text();
        if (typed.size() == 1 && typed.at(0).unicode() >= 0x20 &&
            TypeEditChar(typed.at(0).unicode()))
            return true;
    }
    return QComboBox::eventFilter(watched, event);
}

} // namespace trvx
