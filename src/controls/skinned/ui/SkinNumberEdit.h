#pragma once
// The number edit: a right-aligned skinned edit holding a number shown through a format mask
// ("0", "0.00" ...). Keys other than digits (and the point and sign the mask allows) are
// refused; a text that is not a number puts the last good value back instead of failing.

#include "controls/skinned/ui/SkinEdit.h"

namespace trvx {

class SkinNumberEdit : public SkinEdit {
    Q_OBJECT
public:
    explicit SkinNumberEdit(QWidget* parent = nullptr, const QString& name = QString());

    QString mask() const { return mask_; }
    void setMask(const QString& mask);

    double value() const { return value_; }
    // Stores the value and shows it formatted with the mask (which runs changed).
    void setValue(double value);

    // Entering the edit selects this many characters at its end.
    int autoSelectSigns() const { return autoSelectSigns_; }
    void setAutoSelectSigns(int signs) { autoSelectSigns_ = signs; }

protected:
    void textChangedHook() override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void selectLastSigns();
    QString formatted(double value) const;

    QString mask_ = QStringLiteral("0.00");
    double value_ = 0;
    int autoSelectSigns_ = 2;
    bool restoring_ = false;
};

} // namespace trvx
