#include "sensitivity/AsyncPointerSettings.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <utility>

namespace trvx {
namespace {

constexpr const char* kNoSettings = "The desktop keeps no pointer settings.";
static_assert(AsyncPointerSettings::kEndLimit == std::chrono::seconds(3), "told in kEndedFirst");
constexpr const char* kEndedFirst =
    "not begun: the desktop's settings were still busy 3 s after the program began to end";

Clock& RealTime() {
    static RealClock clock;
    return clock;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

// The settings' calls may throw (out of memory, a thread that cannot start); on the worker that
// would end the program, so a call that throws is a call that failed.
std::unique_ptr<PointerSettings> Made(const AsyncPointerSettings::Factory& factory) {
    try {
        return factory();
    } catch (...) {
        return nullptr;
    }
}

std::optional<PointerState> ReadOf(PointerSettings& settings) {
    try {
        return settings.Read();
    } catch (...) {
        return std::nullopt;
    }
}

PointerResult WriteOf(PointerSettings& settings, PointerSetting setting,
                      const PointerState& wanted) {
    try {
        return settings.Write(setting, wanted);
    } catch (const std::exception& e) {
        return {false, std::string("the desktop's settings failed: ") + e.what()};
    } catch (...) {
        return {false, "the desktop's settings failed"};
    }
}

} // namespace

AsyncPointerSettings::AsyncPointerSettings(Factory factory, Clock* clock)
    : clock_(clock != nullptr ? *clock : RealTime()),
      worker_([this, factory = std::move(factory)] { Run(factory); }) {}

AsyncPointerSettings::~AsyncPointerSettings() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        endBy_ = clock_.nowMicros() + std::chrono::microseconds(kEndLimit).count();
        // Whoever took the reports is going too.
        report_ = nullptr;
    }
    wake_.notify_all();
    worker_.join();
}

void AsyncPointerSettings::Run(const Factory& factory) {
    std::unique_ptr<PointerSettings> settings = Made(factory);
    // Nobody would be told of an early reading once the end has begun.
    const bool stopped = [this] {
        std::lock_guard lock(mutex_);
        return stopping_;
    }();
    const std::optional<PointerState> first =
        settings != nullptr && !stopped ? ReadOf(*settings) : std::nullopt;
    {
        std::unique_lock lock(mutex_);
        found_ = true;
        present_ = settings != nullptr;
        held_ = first.value_or(PointerState{});
        if (!present_) {
            // Writes asked for before the settings were found fail now that there are none.
            if (stopping_) {
                TellTheRest(kNoSettings);
                return;
            }
            if (!writes_.empty()) {
                writes_.clear();
                failures_.push_back(kNoSettings);
            }
        }
        Know();
        // A window given something before this reading learns what the desktop holds.
        if (!stopping_ && (firstGiven_ || !failures_.empty()) && writes_.empty() && !readWanted_)
            Report(lock);
    }
    if (settings != nullptr)
        Serve(*settings);
    // The settings end here, on the thread that made them and made every call on them.
}

void AsyncPointerSettings::Serve(PointerSettings& settings) {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !writes_.empty() || readWanted_; });
        if (!writes_.empty()) {
            if (stopping_ && clock_.nowMicros() >= endBy_)
                break;
            const Asked asked = std::move(writes_.front());
            writes_.pop_front();
            // A write is read back: the desktop may hold another value than the one asked for,
            // and a failed write leaves the old one.
            readWanted_ = true;
            lock.unlock();
            const PointerResult result = WriteOf(settings, asked.setting, asked.wanted);
            lock.lock();
            if (result.ok)
                ApplyPointerSetting(held_, asked.setting, asked.wanted);
            else if (stopping_)
                TellUnsavedPointerSetting(PointerSettingText(asked.setting, asked.wanted) + ": " +
                                          result.error);
            else if (std::find(failures_.begin(), failures_.end(), result.error) == failures_.end())
                failures_.push_back(result.error);
            continue;
        }
        // Every write is under way or done: the reads of the end would be told to nobody.
        if (stopping_)
            break;
        readWanted_ = false;
        lock.unlock();
        // A read that failed leaves what the desktop held when last read, with the writes it
        // took since.
        const std::optional<PointerState> read = ReadOf(settings);
        lock.lock();
        if (read)
            held_ = *read;
        Know();
        if (!stopping_ && writes_.empty() && !readWanted_)
            Report(lock);
    }
    TellTheRest(kEndedFirst);
}

void AsyncPointerSettings::Know() {
    // Writes not yet read back stay in what the window is given.
    known_ = held_;
    for (const Asked& asked : writes_)
        ApplyPointerSetting(known_, asked.setting, asked.wanted);
}

void AsyncPointerSettings::Report(std::unique_lock<std::mutex>& lock) {
    // Without anyone to tell, a failure waits for the next report.
    if (!report_)
        return;
    PointerOutcome outcome{known_, {}, writesAsked_};
    if (!failures_.empty())
        outcome.write = {false, Joined(std::exchange(failures_, {}))};
    const OutcomeReport report = report_;
    lock.unlock();
    try {
        report(outcome);
    } catch (...) {
        // Whoever takes the reports could not take this one; the worker goes on.
    }
    lock.lock();
}

void AsyncPointerSettings::TellTheRest(const char* notBegun) {
    for (const std::string& failure : std::exchange(failures_, {}))
        TellUnsavedPointerSetting(failure);
    for (const Asked& asked : std::exchange(writes_, {}))
        TellUnsavedPointerSetting(PointerSettingText(asked.setting, asked.wanted) + ": " +
                                  notBegun);
}

PointerState AsyncPointerSettings::Read() {
    std::lock_guard lock(mutex_);
    // Before the early reading the window is given the empty state, and the reading follows as an
    // outcome; the early reading is fresh: the first Read after it takes it as it is.
    if (!found_ || !firstGiven_) {
        firstGiven_ = true;
        return known_;
    }
    if (present_ && !readWanted_) {
        readWanted_ = true;
        wake_.notify_all();
    }
    return known_;
}

PointerResult AsyncPointerSettings::Write(PointerSetting setting, const PointerState& state) {
    std::lock_guard lock(mutex_);
    firstGiven_ = true;
    ++writesAsked_;
    if (found_ && !present_)
        return {false, kNoSettings};
    ApplyPointerSetting(known_, setting, state);
    // A setting asked for again before its write began is written once, with the newest value.
    const auto same = std::find_if(writes_.begin(), writes_.end(), [setting](const Asked& asked) {
        return asked.setting == setting;
    });
    if (same != writes_.end())
        same->wanted = state;
    else
        writes_.push_back({setting, state});
    wake_.notify_all();
    return {};
}

void AsyncPointerSettings::ReportOutcomes(OutcomeReport report) {
    std::lock_guard lock(mutex_);
    report_ = std::move(report);
}

} // namespace trvx
