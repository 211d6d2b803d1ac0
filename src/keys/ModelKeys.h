#pragma once
// The working model's key entries as the key pages handle them.

#include "device/WorkingModel.h"
#include "keys/KeyEntry.h"

namespace trvx {

// Profile 1..3, key 1..12; combination key 1..9.
inline TKeyEntry ProfileKeyEntry(const WorkingModel& model, int profile, int key) {
    return TKeyEntry(model.ProfileKey(profile, key));
}
inline TKeyEntry ComboKeyEntry(const WorkingModel& model, int n) {
    return TKeyEntry(model.ComboKey(n));
}
inline bool SetProfileKeyEntry(WorkingModel& model, int profile, int key, const TKeyEntry& entry) {
    return model.SetProfileKey(profile, key, entry.bytes);
}
inline std::optional<RegisterWrite> SetComboKeyEntry(WorkingModel& model, int n,
                                                     const TKeyEntry& entry) {
    return model.SetComboKey(n, entry.bytes);
}

} // namespace trvx
