#pragma once
// Fire macros: ten 24-byte event programs a gun mode plays (press, recoil move, delay, release,
// in a loop). The used-length rule, the parse into the gun-mode page's fields, the editor lines
// and their compilation back into a slot, capped at the slot's 24 bytes.

#include "macros/InputCapture.h"
#include "macros/MacroTransfer.h" // kFireMacroSize

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

inline constexpr std::size_t kFireMacroSlots = 10;
inline constexpr std::size_t kFireMacroAreaSize = kFireMacroSize * kFireMacroSlots;

using FireMacroArea = std::array<std::uint8_t, kFireMacroAreaSize>;

// One more than the first position of the slot where three zero bytes begin (a run may reach
// into the next slot, not past the area); nullopt when there is none (the caller keeps the
// previous length).
std::optional<int> FireMacroUsedLength(std::span<const std::uint8_t, kFireMacroAreaSize> area,
                                       int slot);

// A field the parse found, with its byte index in the slot.
struct FireField {
    int value = 0;
    int position = 0;
};
// What the gun-mode page shows of a slot; a field the slot does not hold is absent.
struct FireMacroFields {
    std::optional<FireField> count; // loop count (0xFD n)
    std::optional<FireField> moveX; // recoil move (0x04 x y), signed
    std::optional<FireField> moveY;
    std::optional<FireField> delay; // the delay after a move (0xFE hi lo), position of hi
};
FireMacroFields ParseFireMacro(std::span<const std::uint8_t> slot, int usedLength);

// Editor lines: "1 LeftKey CODE:00A1", "2 LeftKey CODE:0021", "3 04XXYY", "0 <ms>", "7 FDnn",
// "8 FC"; line 0 is the delay-mode line ("10", "01<ms>", "00").
std::vector<std::string> FireMacroToLines(std::span<const std::uint8_t> slot, int usedLength);

// The bytes of lines 1.. followed by the end byte; nullopt when they pass the slot's 24 bytes.
std::optional<std::vector<std::uint8_t>> CompileFireMacro(std::span<const std::string> lines);
// Bytes the lines compile to (without the end byte), however many.
std::size_t FireMacroLineBytes(std::span<const std::string> lines);

// Deletes line `line` (1..) by the editor's rules: a press goes with the first later release of
// the same key, a release with the nearest earlier press; a line without a partner goes alone;
// a loop start is kept. Returns false when nothing was deleted.
bool DeleteFireMacroLine(std::vector<std::string>& lines, int line);

// The insertion kinds of the editor, in item order.
enum class FireInsertKind { DelayFront, DelayBack, MoveFront, MoveBack, LoopStart, LoopEnd };
// The line for a kind: "0 ms", "3 04xxyy", "7 FDnn", "8 FC".
std::string FireInsertLine(FireInsertKind kind, int delayMs, int x, int y, int repeat);
// Inserts it before (front kinds, loop start) or after (back kinds, loop end) line `line`
// (1..); returns the new line's index.
int InsertFireMacroLine(std::vector<std::string>& lines, int line, FireInsertKind kind,
                        const std::string& text);

// Records left-button presses and releases into editor lines. Event-driven: the window feeds it
// the events with their times; nothing runs between them.
class FireRecorder {
public:
    enum class DelayMode { Recorded, Fixed, None };
    void Start(DelayMode mode, int fixedDelayMs);
    // False when the line would not fit the slot: the recording should stop.
    bool Press(std::uint64_t timeMs) { return Button(true, timeMs); }
    bool Release(std::uint64_t timeMs) { return Button(false, timeMs); }
    // A captured event: left-button presses and releases are recorded, anything else is
    // passed over. False when the line would not fit the slot.
    bool Take(const CapturedInput& input);
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    bool Button(bool down, std::uint64_t timeMs);
    DelayMode mode_ = DelayMode::Recorded;
    int fixedDelay_ = 50;
    std::optional<std::uint64_t> lastEvent_;
    std::vector<std::string> lines_;
};

} // namespace trvx
