#include "fire/FireKeys.h"

#include <algorithm>
#include <charconv>

namespace trvx {

TKeyEntry FireKeyEntry(const FireKeySet& set) {
    const int count = std::clamp(set.count, 1, 16);
    const int delay = std::clamp(set.delayMs, 0, 0xFFFF);
    return TKeyEntry(0x06, static_cast<std::uint8_t>((set.hold ? 0x80 : 0) + 0x10 + count - 1),
                     static_cast<std::uint8_t>(delay >> 8),
                     static_cast<std::uint8_t>(delay & 0xFF));
}

FireKeySet ReadFireKeyEntry(const TKeyEntry& entry) {
    return {(entry.p1() & 0x0F) + 1, entry.p2() * 256 + entry.p3(), (entry.p1() & 0x80) != 0};
}

std::optional<int> ParseDecimal(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    const char* first = text.data();
    const char* last = first + text.size();
    if (*first == '+')
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last)
        return std::nullopt;
    return value;
}

EditOutcome RepeatEditChanged(std::string_view text) {
    if (text.empty())
        return {"2", std::nullopt};
    const auto value = ParseDecimal(text);
    if (!value)
        return {"2", std::nullopt};
    if (*value > kFireKeyMaxCount)
        return {std::to_string(kFireKeyMaxCount), std::nullopt};
    if (*value < 1)
        return {};
    return {std::nullopt, *value};
}

EditOutcome RepeatEditLeft(std::string_view text) {
    const auto value = ParseDecimal(text);
    if (value && *value <= 1)
        return {"2", std::nullopt};
    return {};
}

EditOutcome DelayEditChanged(std::string_view text) {
    const auto value = ParseDecimal(text);
    if (!value || *value <= 0)
        return {"1", std::nullopt};
    if (*value > kFireKeyMaxDelay)
        return {std::to_string(kFireKeyMaxDelay), std::nullopt};
    return {std::nullopt, *value};
}

EditOutcome EngineerDelayChanged(std::string_view text) {
    if (text.empty())
        return {"1", std::nullopt};
    const auto value = ParseDecimal(text);
    if (!value)
        return {"1", std::nullopt};
    if (*value > kFireKeyMaxDelay)
        return {std::to_string(kFireKeyMaxDelay), std::nullopt};
    return {std::nullopt, *value};
}

std::vector<KeyRewrite> RewriteFireKeys(const std::array<std::string, 36>& keyNames,
                                        const std::array<std::string, 3>& fireTexts,
                                        const std::array<FireKeySet, 3>& sets) {
    std::vector<KeyRewrite> out;
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 12; ++k)
            for (int n = 0; n < 3; ++n) {
                const std::string& name = keyNames[static_cast<std::size_t>(12 * (p - 1) + k - 1)];
                if (!fireTexts[n].empty() && name == fireTexts[n])
                    out.push_back({p, k, FireKeyEntry(sets[n])});
            }
    return out;
}

std::vector<FoundFireKey> FindFireKeys(const std::array<std::string, 36>& keyNames,
                                       const std::array<std::string, 3>& fireTexts,
                                       const std::array<TKeyEntry, 36>& entries,
                                       std::initializer_list<int> profiles) {
    std::vector<FoundFireKey> out;
    for (int p : profiles) {
        if (p < 1 || p > 3)
            continue;
        for (int k = 1; k <= 12; ++k) {
            const auto i = static_cast<std::size_t>(12 * (p - 1) + k - 1);
            for (int n = 0; n < 3; ++n)
                if (!fireTexts[n].empty() && keyNames[i] == fireTexts[n])
                    out.push_back({n, ReadFireKeyEntry(entries[i])});
        }
    }
    return out;
}

} // namespace trvx
