#pragma once
// The desktop's pointer settings that the sensitivity page edits: pointer speed, acceleration,
// double-click time and wheel lines. Each desktop keeps them its own way (a settings store, the
// X server's pointer control); a setting the desktop has not is nullopt and its control is
// disabled. A write changes only the one setting asked for and says when it failed.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace trvx {

enum class PointerSetting { Speed, Acceleration, DoubleClick, WheelLines };

struct PointerState {
    std::optional<double> speed;      // -1 (slowest) .. 1 (fastest)
    std::optional<bool> acceleration; // pointer acceleration on
    std::optional<int> doubleClickMs; // double-click time
    std::optional<int> wheelLines;    // lines a wheel notch scrolls, -1 a screen
    bool wheelScreenOffered = true;   // the desktop has the -1 "a screen a notch" setting
    friend bool operator==(const PointerState&, const PointerState&) = default;
};

struct PointerResult {
    bool ok = true;
    std::string error; // what failed, for the user
};

// Copies the one setting from `wanted` into `state`.
void ApplyPointerSetting(PointerState& state, PointerSetting setting, const PointerState& wanted);

// The setting as the user would name it, with the value in `state`: "double-click time 300 ms".
std::string PointerSettingText(PointerSetting setting, const PointerState& state);

// One line on standard error for a setting that was not saved and that nobody is left to be
// told of in the window: the window is closing.
void TellUnsavedPointerSetting(const std::string& what);

// What settings that answer later came to, once they have nothing left to do.
struct PointerOutcome {
    PointerState state;       // what the desktop holds
    PointerResult write;      // a failed write's error since the last outcome
    std::uint64_t writes = 0; // the writes asked for so far: every one of them is answered
};

class PointerSettings {
public:
    virtual ~PointerSettings() = default;
    // What the desktop holds now; settings it does not have are nullopt.
    virtual PointerState Read() = 0;
    // Writes the one setting from `state`; the others are left as the desktop has them.
    virtual PointerResult Write(PointerSetting setting, const PointerState& state) = 0;

    using OutcomeReport = std::function<void(const PointerOutcome&)>;
    // Settings that answer Read and Write at once and do the work on a thread of their own
    // report there what it came to. Settings that answer in the call report nothing.
    virtual void ReportOutcomes(OutcomeReport /*report*/) {}
};

// A stand-in for tests: holds the state, counts the writes, fails when told.
class FakePointerSettings : public PointerSettings {
public:
    PointerState state;
    int writes = 0;
    std::optional<PointerSetting> lastWritten;
    bool fail = false;

    PointerState Read() override { return state; }
    PointerResult Write(PointerSetting setting, const PointerState& wanted) override;
};

} // namespace trvx
