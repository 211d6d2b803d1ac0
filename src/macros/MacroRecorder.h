#pragma once
// Turns what the user does on the keyboard and with the mouse buttons, while a recording runs,
// into script lines with the delays between them. Every press reserves room for its own
// release and the releases of everything still held, so a recording cut short by the 254-byte
// room never leaves a key pressed in the macro: the releases still held are added at the stop.

#include "macros/InputCapture.h"
#include "macros/MacroCode.h"

#include <cstdint>
#include <vector>

namespace trvx {

constexpr int kRecordBytesMax = 254;

class MacroRecorder {
public:
    // Starts a recording of at most `budget` bytes with the delay mode of the recording's own
    // radios; fixedDelay is used in the fixed mode.
    void Start(MacroDelayMode mode, std::uint16_t fixedDelay, int budget = kRecordBytesMax);
    // Adds the releases of the keys and buttons still held and ends the recording.
    void Finish(std::uint32_t tick);
    bool Active() const { return active_; }

    // One event from the capture layer. True when the room is spent and the recording must stop
    // now (the caller then calls Finish).
    bool Input(const CapturedInput& input);
    // The same by virtual-key code and macro button bit (0x01 left .. 0x10 backward).
    bool Key(std::uint32_t virtualKey, bool down, std::uint32_t tick);
    bool Button(std::uint8_t bit, bool down, std::uint32_t tick);

    // While the pointer is over the record buttons the left button is not recorded, so the click
    // that stops a recording leaves no line.
    void SetSkipLeftButton(bool skip) { skipLeft_ = skip; }

    MacroScriptLine Header() const { return DelayHeaderLine(mode_, fixedDelay_); }
    // The event lines recorded so far, in order (no header).
    const MacroScript& Lines() const { return lines_; }
    int RecordedBytes() const { return bytes_; }
    bool StopRequested() const { return stopRequested_; }

private:
    struct Held {
        bool button = false;
        std::uint32_t key = 0; // virtual key, or the button bit
    };
    int DelayCost() const { return mode_ == MacroDelayMode::None ? 0 : 3; }
    int ReservedForReleases() const;
    bool Press(const Held& held, int size, MacroScriptLine line, std::uint32_t tick);
    void Release(const Held& held, std::uint32_t tick);
    void AddDelay(std::uint32_t tick);
    static int EventSize(const Held& held);
    static MacroScriptLine EventLine(const Held& held, bool down);

    MacroDelayMode mode_ = MacroDelayMode::Recorded;
    std::uint16_t fixedDelay_ = 50;
    int budget_ = kRecordBytesMax;
    bool active_ = false;
    bool skipLeft_ = false;
    bool stopRequested_ = false;
    bool hasLastTick_ = false;
    std::uint32_t lastTick_ = 0;
    int bytes_ = 0;
    MacroScript lines_;
    std::vector<Held> held_;
};

// The macro button bit of an X button number (1 left, 2 middle, 3 right, 8 back, 9 forward);
// 0 for other buttons (the wheel, tilt).
std::uint8_t XButtonToMacroBit(std::uint32_t xButton);
// The modifier mask of a virtual key (Ctrl, Shift, Alt either side, the Windows keys); 0 for
// other keys.
std::uint8_t VirtualKeyModifierMask(std::uint32_t virtualKey);

} // namespace trvx
