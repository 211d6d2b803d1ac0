#pragma once
// Wide hints of controls: a control's hint is stored with it as UTF-16 text, its short part
// (before "|") is the tooltip, and the long part of the hint under the mouse is the
// application hint, which the program shows in a label.

#include <QObject>
#include <QPointer>
#include <QString>

#include <string>
#include <string_view>

class QWidget;

namespace trvx {

class TUniLabel;

void SetControlWideHint(QWidget* control, std::u16string_view hint);
std::u16string GetControlWideHint(const QWidget* control);
// The first non-empty hint from the control up through its parents; empty when none.
std::u16string FindWideHint(const QWidget* control);

// Follows the mouse over the application's widgets and keeps the application hint: the long
// part of the hint of the widget entered.
class TUniApplicationHint : public QObject {
    Q_OBJECT
public:
    explicit TUniApplicationHint(QObject* parent = nullptr);
    ~TUniApplicationHint() override;

    const std::u16string& Hint() const { return hint_; }
    // The label that shows the application hint (none by default).
    void SetHintLabel(TUniLabel* label);

signals:
    void hintChanged(const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setHint(std::u16string hint);

    std::u16string hint_;
    QPointer<TUniLabel> label_;
};

} // namespace trvx
