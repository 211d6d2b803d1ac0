// Loading any file into a wide string list, then saving, reloading and sorting it.
#include "controls/wide/WideStrings.h"

#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    trvx::TUniStringList list;
    if (!list.LoadFromBytes(bytes).ok())
        std::abort();
    trvx::TUniStringList raw;
    if (!raw.LoadFromBytesMarked(bytes, false).ok())
        std::abort();

    // What was loaded saves and loads back unchanged.
    trvx::TUniStringList again;
    if (!again.LoadFromBytes(list.SaveToBytes()).ok() || !again.Equals(list))
        std::abort();

    // Sorting gives an ordered list in which every item is found.
    list.SetDuplicates(trvx::DuplicatePolicy::dpAccept);
    list.SetSorted(true);
    for (int i = 1; i < list.GetCount(); ++i)
        if (list.CompareStrings(list.Get(i - 1), list.Get(i)) > 0)
            std::abort();
    for (int i = 0; i < list.GetCount(); ++i) {
        int index = -1;
        if (!list.Find(list.Get(i), index) || index > i)
            std::abort();
    }
    return 0;
}
