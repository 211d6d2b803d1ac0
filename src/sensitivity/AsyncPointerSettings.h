#pragma once
// The desktop's pointer settings, every call on a worker thread of their own: finding them
// connects to the session bus, the desktop's settings store or the display, and a read or a
// write may wait for the compositor or a settings sync for seconds, none of which the window
// should wait for.
//
// The worker finds the settings and reads them once as soon as it starts. Read gives at once
// the latest state known and asks the worker to read again; Write puts the wanted setting into
// the known state at once, asks the worker to write it and read back, and says ok. When the
// worker has nothing left to do, it reports what the desktop holds and any write that failed;
// while more is asked, it reports nothing, so an older state never follows a newer click.
// Nothing waits for that early reading: before it is there, Read gives an empty state and the
// reading is reported when it comes, and writes wait for it on the worker. Without desktop
// settings, Read gives an empty state and Write fails (once they are known to be missing, at
// once). A call into the settings that throws counts as a failed call.
//
// The page showed every click at once, so the end writes what is still asked for before the
// worker stops, and skips the reads nobody would be told of. It stays bounded: once kEndLimit
// has passed since the end began, no write begins, and each one left is named on standard
// error, as is each write that fails then and every failure nobody was told of yet.

#include "base/Clock.h"
#include "sensitivity/PointerSettings.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace trvx {

class AsyncPointerSettings final : public PointerSettings {
public:
    using Factory = std::function<std::unique_ptr<PointerSettings>()>;
    static constexpr std::chrono::milliseconds kEndLimit{3000};

    // `factory` runs on the worker, which keeps and ends what it makes. `clock` tells when the
    // end's limit has passed: the real one unless given.
    explicit AsyncPointerSettings(Factory factory, Clock* clock = nullptr);
    // Waits for the settings to be found, writes what is still asked for (beginning none once
    // the end's limit has passed) and waits for the call under way, which its own timeout ends.
    ~AsyncPointerSettings() override;
    AsyncPointerSettings(const AsyncPointerSettings&) = delete;
    AsyncPointerSettings& operator=(const AsyncPointerSettings&) = delete;

    PointerState Read() override;
    PointerResult Write(PointerSetting setting, const PointerState& state) override;
    // `report` runs on the worker. Set it before the first Read or Write: what came before it is
    // not reported.
    void ReportOutcomes(OutcomeReport report) override;

private:
    struct Asked {
        PointerSetting setting;
        PointerState wanted;
    };
    void Run(const Factory& factory);
    void Serve(PointerSettings& settings);
    // Puts held_ and the writes not yet read back into known_.
    void Know();
    // Reports the known state and the failures since the last report, when someone takes the
    // reports; `lock` is let go while the report runs.
    void Report(std::unique_lock<std::mutex>& lock);
    // At the end, with nobody left to tell: the failures go to standard error, and the writes
    // not begun with why (`notBegun`).
    void TellTheRest(const char* notBegun);

    std::mutex mutex_;
    std::condition_variable wake_;
    bool found_ = false;      // the settings were looked for and read once
    bool present_ = false;    // the desktop has settings
    bool firstGiven_ = false; // the window was given a state or asked for a write
    bool stopping_ = false;
    Clock& clock_;
    std::int64_t endBy_ = 0; // no write begins from then on, once stopping
    PointerState held_;      // what the desktop held when last read, with the writes it took since
    PointerState known_;     // held_ with the writes not yet read back
    std::deque<Asked> writes_; // not yet begun
    bool readWanted_ = false;
    std::uint64_t writesAsked_ = 0;
    std::vector<std::string> failures_; // since the last outcome
    OutcomeReport report_;
    // Last: it starts once everything it uses is there, and ends before any of it goes.
    std::thread worker_;
};

} // namespace trvx
