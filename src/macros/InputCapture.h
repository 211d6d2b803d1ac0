#pragma once
// What the recorders hear of the keyboard and the mouse buttons while a recording runs. The
// desktop layer behind it (the X11 one hears the whole desktop, the fallback only our own
// window) is chosen by the program; the macro and fire-macro recorders only see this.

#include <cstdint>
#include <functional>

namespace trvx {

struct CapturedInput {
    enum class Kind { KeyDown, KeyUp, ButtonDown, ButtonUp };
    Kind kind = Kind::KeyDown;
    // Keys: the X key code (the kernel's evdev code + 8), layout-independent. Buttons: the X
    // button number (1 left, 2 middle, 3 right, 8 back, 9 forward).
    std::uint32_t code = 0;
    // Keys whose X key code is unknown (synthetic events inside our window): the virtual-key
    // code instead; 0 when `code` holds the key.
    std::uint32_t virtualKey = 0;
    // Milliseconds on a monotonic clock of the layer's choosing.
    std::uint32_t tick = 0;
};

class InputCapture {
public:
    using Sink = std::function<void(const CapturedInput&)>;
    virtual ~InputCapture() = default;

    // Starts listening; false (and nothing listens) when the layer cannot. Events arrive on
    // the thread that called Start, from its event loop.
    virtual bool Start(Sink sink) = 0;
    // Stops listening and releases what Start took; harmless when not started.
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
    // True when input anywhere on the desktop is heard, false when only our own window's.
    virtual bool Global() const = 0;
};

} // namespace trvx
