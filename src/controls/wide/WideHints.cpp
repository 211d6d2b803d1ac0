#include "controls/wide/WideHints.h"

namespace trvx {

std::u16string_view ShortHintOf(std::u16string_view hint) {
    const auto bar = hint.find(u'|');
    return bar == std::u16string_view::npos ? hint : hint.substr(0, bar);
}

std::u16string_view LongHintOf(std::u16string_view hint) {
    const auto bar = hint.find(u'|');
    return bar == std::u16string_view::npos ? hint : hint.substr(bar + 1);
}

} // namespace trvx
