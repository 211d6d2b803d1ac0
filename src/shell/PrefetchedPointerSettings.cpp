#include "shell/PrefetchedPointerSettings.h"

#include <utility>

namespace trvx {

PrefetchedPointerSettings::PrefetchedPointerSettings(Factory factory)
    : pending_(std::async(std::launch::async, [factory = std::move(factory)] {
          Found found;
          found.settings = factory();
          if (found.settings != nullptr)
              found.first = found.settings->Read();
          return found;
      })) {}

PrefetchedPointerSettings::~PrefetchedPointerSettings() = default;

PrefetchedPointerSettings::Found& PrefetchedPointerSettings::Get() {
    if (!found_)
        found_ = pending_.get();
    return *found_;
}

PointerState PrefetchedPointerSettings::Read() {
    Found& found = Get();
    if (found.first) {
        PointerState state = *found.first;
        found.first.reset();
        return state;
    }
    return found.settings != nullptr ? found.settings->Read() : PointerState{};
}

PointerResult PrefetchedPointerSettings::Write(PointerSetting setting, const PointerState& state) {
    Found& found = Get();
    found.first.reset();
    if (found.settings == nullptr)
        return {false, "The desktop keeps no pointer settings."};
    return found.settings->Write(setting, state);
}

} // namespace trvx
