#include "sensitivity/AsyncPointerSettings.h"

#include <algorithm>
#include <utility>

namespace trvx {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

} // namespace

AsyncPointerSettings::AsyncPointerSettings(Factory factory)
    : worker_([this, factory = std::move(factory)] { Run(factory); }) {}

AsyncPointerSettings::~AsyncPointerSettings() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        // Whoever took the reports is going too.
        report_ = nullptr;
    }
    wake_.notify_all();
    worker_.join();
}

void AsyncPointerSettings::Run(const Factory& factory) {
    std::unique_ptr<PointerSettings> settings = factory();
    const PointerState first = settings != nullptr ? settings->Read() : PointerState{};
    {
        std::lock_guard lock(mutex_);
        known_ = first;
        present_ = settings != nullptr;
        found_ = true;
    }
    wake_.notify_all();
    if (settings != nullptr)
        Serve(*settings);
    // The settings end here, on the thread that made them and made every call on them.
}

void AsyncPointerSettings::Serve(PointerSettings& settings) {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !writes_.empty() || readWanted_; });
        if (stopping_)
            return;
        if (!writes_.empty()) {
            const Asked asked = std::move(writes_.front());
            writes_.pop_front();
            // A write is read back: the desktop may hold another value than the one asked for,
            // and a failed write leaves the old one.
            readWanted_ = true;
            lock.unlock();
            const PointerResult result = settings.Write(asked.setting, asked.wanted);
            lock.lock();
            if (!result.ok &&
                std::find(failures_.begin(), failures_.end(), result.error) == failures_.end())
                failures_.push_back(result.error);
            continue;
        }
        readWanted_ = false;
        lock.unlock();
        const PointerState read = settings.Read();
        lock.lock();
        // Writes asked for meanwhile stay in what the window is given until they are read back.
        known_ = read;
        for (const Asked& asked : writes_)
            ApplyPointerSetting(known_, asked.setting, asked.wanted);
        if (stopping_ || !writes_.empty() || readWanted_ || !report_)
            continue;
        PointerOutcome outcome{read, {}, writesAsked_};
        if (!failures_.empty())
            outcome.write = {false, Joined(std::exchange(failures_, {}))};
        const OutcomeReport report = report_;
        lock.unlock();
        report(outcome);
        lock.lock();
    }
}

std::unique_lock<std::mutex> AsyncPointerSettings::Found() {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return found_; });
    return lock;
}

PointerState AsyncPointerSettings::Read() {
    const std::unique_lock lock = Found();
    // The early reading is fresh: the first Read takes it as it is.
    if (!firstGiven_) {
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
    const std::unique_lock lock = Found();
    firstGiven_ = true;
    ++writesAsked_;
    if (!present_)
        return {false, "The desktop keeps no pointer settings."};
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
