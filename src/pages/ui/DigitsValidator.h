#pragma once
// The key filter of the pages' number edits: digits, with a minus first where negative values
// go, at most a given count of them. Text it refuses, typed or pasted, never reaches the edit.

#include <QValidator>

#include <cstddef>

namespace trvx {

class DigitsValidator final : public QValidator {
public:
    // `maxDigits` 0: any count.
    DigitsValidator(bool negative, std::size_t maxDigits, QObject* parent);

    State validate(QString& input, int& pos) const override;

private:
    bool negative_ = false;
    std::size_t maxDigits_ = 0;
};

} // namespace trvx
