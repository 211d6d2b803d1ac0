#include "controls/wide/ui/UniHints.h"

#include "controls/wide/WideHints.h"
#include "controls/wide/ui/UniLabel.h"

#include <QApplication>
#include <QEvent>
#include <QVariant>
#include <QWidget>

namespace trvx {

namespace {

constexpr const char* kWideHintProperty = "trvxWideHint";

QString toQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void SetControlWideHint(QWidget* control, std::u16string_view hint) {
    if (!control)
        return;
    const QString text = toQString(hint);
    control->setProperty(kWideHintProperty, text);
    control->setToolTip(toQString(ShortHintOf(hint)));
}

std::u16string GetControlWideHint(const QWidget* control) {
    if (!control)
        return {};
    return control->property(kWideHintProperty).toString().toStdU16String();
}

std::u16string FindWideHint(const QWidget* control) {
    for (const QWidget* w = control; w; w = w->parentWidget()) {
        std::u16string hint = GetControlWideHint(w);
        if (!hint.empty())
            return hint;
    }
    return {};
}

TUniApplicationHint::TUniApplicationHint(QObject* parent) : QObject(parent) {
    if (qApp)
        qApp->installEventFilter(this);
}

TUniApplicationHint::~TUniApplicationHint() {
    if (qApp)
        qApp->removeEventFilter(this);
}

void TUniApplicationHint::SetHintLabel(TUniLabel* label) {
    label_ = label;
    if (label_)
        label_->SetCaption(hint_);
}

bool TUniApplicationHint::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    const auto* widget = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Enter) {
        setHint(std::u16string(LongHintOf(FindWideHint(widget))));
    } else if (event->type() == QEvent::Leave) {
        // Back onto the parent no Enter comes; a sibling's Enter follows and wins.
        setHint(std::u16string(LongHintOf(FindWideHint(widget->parentWidget()))));
    }
    return QObject::eventFilter(watched, event);
}

void TUniApplicationHint::setHint(std::u16string hint) {
    if (hint == hint_)
        return;
    hint_ = std::move(hint);
    if (label_)
        label_->SetCaption(hint_);
    emit hintChanged(toQString(hint_));
}

} // namespace trvx
