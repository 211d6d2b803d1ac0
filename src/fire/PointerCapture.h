#pragma once
// What the fire recorder needs of input capture: left-button presses and releases with their
// times in milliseconds, delivered on the UI thread, and only between Start and Stop.

#include <cstdint>
#include <functional>

namespace trvx {

class PointerCapture {
public:
    using ButtonEvent = std::function<void(bool down, std::uint64_t timeMs)>;
    virtual ~PointerCapture() = default;
    virtual void Start(ButtonEvent onButton) = 0;
    virtual void Stop() = 0;
    virtual bool Running() const = 0;
};

} // namespace trvx
