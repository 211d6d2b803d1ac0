#pragma once
// Fire keys: three parameter sets (repeat count, delay, hold-to-keep-firing) that buttons carry
// in fire-key entries (type 0x06). The rules here correct what the user types and rewrite the
// entries of every button named after a set.

#include "keys/KeyEntry.h"

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

inline constexpr int kFireKeyMaxDelay = 4094;
inline constexpr int kFireKeyMaxCount = 15;

struct FireKeySet {
    int count = 2; // 1..15
    int delayMs = 60;
    bool hold = false;
    friend bool operator==(const FireKeySet&, const FireKeySet&) = default;
};

// 0x06, bit 7 hold + 0x10 + count - 1, delay big-endian.
TKeyEntry FireKeyEntry(const FireKeySet& set);
// Count (low nibble + 1), delay and hold of a fire-key entry.
FireKeySet ReadFireKeyEntry(const TKeyEntry& entry);

// What a number edit does with its text: show a corrected text (which runs its change handler
// again), and/or store a value.
struct EditOutcome {
    std::optional<std::string> corrected; // replace the edit's text with this
    std::optional<int> store;             // the value to store now
};

// The key page's repeat edit while typing: empty -> "2", above 15 -> "15". 1 is kept (the exit
// corrects it); 0 is stored nowhere until the exit corrects it, since a count of 0 has no byte.
EditOutcome RepeatEditChanged(std::string_view text);
// Leaving the repeat edit: 0 and 1 become "2".
EditOutcome RepeatEditLeft(std::string_view text);
// The key page's delay edit: empty or 0 -> "1", above 4094 -> "4094".
EditOutcome DelayEditChanged(std::string_view text);
// The engineering delay edit: above 4094 -> "4094"; empty -> "1" (a delay of 0 is no fire key).
EditOutcome EngineerDelayChanged(std::string_view text);

// The names of the 36 profile keys (index 12(p-1)+k-1) and the three fire-key texts of the set
// shown: every key named exactly like set N gets set N's entry. Returns the changed keys.
struct KeyRewrite {
    int profile = 0; // 1..3
    int key = 0;     // 1..12
    TKeyEntry entry;
};
std::vector<KeyRewrite> RewriteFireKeys(const std::array<std::string, 36>& keyNames,
                                        const std::array<std::string, 3>& fireTexts,
                                        const std::array<FireKeySet, 3>& sets);

// The sets as the keys named for them show them (later keys override): the read-back after a
// whole-image read. Only keys of `profiles` (1..3) are looked at.
struct FoundFireKey {
    int set = 0; // 0..2
    FireKeySet values;
};
std::vector<FoundFireKey> FindFireKeys(const std::array<std::string, 36>& keyNames,
                                       const std::array<std::string, 3>& fireTexts,
                                       const std::array<TKeyEntry, 36>& entries,
                                       std::initializer_list<int> profiles);

// A decimal number of digits only (an optional leading '-'), nullopt otherwise or on overflow.
std::optional<int> ParseDecimal(std::string_view text);

} // namespace trvx
