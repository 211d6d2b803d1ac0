#pragma once
// The desktop's pointer settings, found and read once on a worker thread while the window is
// built: finding them connects to the session bus, the desktop's settings store or the display,
// and the first reading may ask the compositor, none of which the window should wait for. The
// first Read gives that early reading (waiting for it only if it is not there yet); every later
// Read and every Write goes to the settings as usual. Without desktop settings, Read gives an
// empty state, as a page without settings shows.

#include "sensitivity/PointerSettings.h"

#include <functional>
#include <future>
#include <memory>
#include <optional>

namespace trvx {

class PrefetchedPointerSettings final : public PointerSettings {
public:
    using Factory = std::function<std::unique_ptr<PointerSettings>()>;
    explicit PrefetchedPointerSettings(Factory factory);
    ~PrefetchedPointerSettings() override;

    PointerState Read() override;
    PointerResult Write(PointerSetting setting, const PointerState& state) override;

private:
    struct Found {
        std::unique_ptr<PointerSettings> settings;
        std::optional<PointerState> first; // the early reading, until it is handed out
    };
    Found& Get();

    std::future<Found> pending_;
    std::optional<Found> found_;
};

} // namespace trvx
