#include "pages/ui/DigitsValidator.h"

#include "controls/skinned/EditValues.h"

#include <string_view>

namespace trvx {

DigitsValidator::DigitsValidator(bool negative, std::size_t maxDigits, QObject* parent)
    : QValidator(parent), negative_(negative), maxDigits_(maxDigits) {}

QValidator::State DigitsValidator::validate(QString& input, int&) const {
    const std::u16string_view text(reinterpret_cast<const char16_t*>(input.utf16()),
                                   static_cast<std::size_t>(input.size()));
    return IsDigitEntry(text, negative_, maxDigits_) ? Acceptable : Invalid;
}

} // namespace trvx
