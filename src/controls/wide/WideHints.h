#pragma once
// Hints are one text with a short part (the tooltip) and a long part (the application hint
// shown in the status label), split at the first "|".

#include <string_view>

namespace trvx {

// The part before the first "|", all of the hint when there is none.
std::u16string_view ShortHintOf(std::u16string_view hint);
// The part after the first "|", all of the hint when there is none.
std::u16string_view LongHintOf(std::u16string_view hint);

} // namespace trvx
