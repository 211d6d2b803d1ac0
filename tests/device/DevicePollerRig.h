#pragma once
// The device lifecycle on the simulated mouse and a virtual clock: the poller, the whole-image
// reader and the accepted-mouse gate, with a view that records what the window was asked to do.

#include "base/Clock.h"
#include "device/AcceptedMouse.h"
#include "device/DefaultImages.h"
#include "device/DeviceLink.h"
#include "device/DevicePoller.h"
#include "device/WholeImageRead.h"
#include "sim/SimulatedMouse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace trvx::test {

class RecordingView final : public DeviceLifecycleView, public PageFillView {
public:
    // DeviceLifecycleView
    void StartTimer() override {
        timerOn = true;
        add("timer on");
    }
    void StopTimer() override {
        timerOn = false;
        add("timer off");
    }
    void ProcessEvents() override {
        if (onProcessEvents)
            onProcessEvents();
    }
    void ShowNoDevice(const std::string& message) override {
        add("no device: " + message);
        if (onNoDevice)
            onNoDevice();
    }
    void ShowNoDeviceAppearance() override { add("no-device appearance"); }
    void ShowMessageDialog(const std::string& text) override { add("message: " + text); }
    void ShowSystemMessage(const std::string& text) override {
        add("system message: " + text);
        if (onSystemMessage)
            onSystemMessage();
    }
    void ShowReadIds(std::uint8_t manuId, std::uint8_t proId) override {
        add("ids " + std::to_string(manuId) + " " + std::to_string(proId));
    }

    // PageFillView
    void BeginRead() override { add("begin read"); }
    SectionDefaultsContext SectionDefaults(StorageKind kind) override {
        return SectionDefaultsContext{kind, "RGB", 1, 0x1209, 0x0001};
    }
    void FillPages(std::optional<WorkingModel> read, StorageKind kind) override {
        if (read)
            model = std::move(*read);
        add("fill pages " + std::string(StorageKindName(kind)));
    }
    void ShowReadFailed() override { add("read failed"); }
    void EndRead(bool pagesFilled) override {
        timerOn = true;
        add(pagesFilled ? "end read, filled" : "end read, not filled");
    }

    std::vector<std::string> Take() { return std::exchange(events, {}); }
    int Count(const std::string& prefix) const {
        return static_cast<int>(std::count_if(
            events.begin(), events.end(), [&](const auto& e) { return e.rfind(prefix, 0) == 0; }));
    }

    std::vector<std::string> events;
    WorkingModel model; // the window's model: what the last read handed over
    bool timerOn = false;
    std::function<void()> onProcessEvents;
    std::function<void()> onSystemMessage;
    std::function<void()> onNoDevice;

private:
    void add(std::string e) { events.push_back(std::move(e)); }
};

inline DevicePollerTexts TestTexts() {
    return {"No Device Found",
            "Please check your device is attached to USB port",
            "TRVX441x005AData.bin file type error",
            "The mouse manufacturer or product id error",
            "The mouse does not answer. Please unplug it and plug it in again",
            "The mouse was found but cannot be opened"};
}

inline const std::string kNoDeviceEvent =
    "no device: No Device Found\rPlease check your device is attached to USB port";

// The sent frames of a log, as their text ("40 09 00 00 08 00 00 00").
inline std::vector<std::string> SentFrames(const std::vector<SimFrame>& frames) {
    std::vector<std::string> out;
    for (const SimFrame& f : frames)
        if (f.sent)
            out.push_back(FormatHexBytes(f.bytes));
    return out;
}

inline bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

struct PollerRig {
    // A mouse of `mouseKind`, a program whose built-in storage type is `builtIn`.
    explicit PollerRig(StorageKind mouseKind, StorageKind builtIn = StorageKind::None)
        : sim(std::make_unique<SimulatedMouse>(mouseKind, clock)) {
        config.StorageType = builtIn == StorageKind::None ? mouseKind : builtIn;
        config.DeviceIdTable = {
            {SimulatedMouse::kDefaultVendorId, SimulatedMouse::kDefaultProductId}};
        config.DefaultManuID = 255;
        config.DefaultProID = 255;
        config.RevManuID = 0;
        config.RevProID = 0;
        Build();
    }

    void Build() {
        poller = std::make_unique<DevicePoller>(link, *sim, clock, mouse, reader, view, config,
                                                TestTexts());
    }

    // One tick with the clock moved on by the timer's interval first.
    void Tick() {
        clock.advanceMillis(DevicePoller::kTimerIntervalMillis);
        poller->Tick();
    }

    // The mouse's image bytes at offset.
    std::vector<std::uint8_t> SimBytes(std::size_t offset, std::size_t length) {
        const auto image = sim->Image();
        return {image.begin() + static_cast<std::ptrdiff_t>(offset),
                image.begin() + static_cast<std::ptrdiff_t>(offset + length)};
    }

    VirtualClock clock;
    std::unique_ptr<SimulatedMouse> sim;
    DeviceLink link{*sim, clock};
    AcceptedMouse mouse{link};
    RecordingView view;
    WorkingModel& model = view.model;
    WholeImageReader reader{mouse, view};
    DevicePollerConfig config;
    std::unique_ptr<DevicePoller> poller;
};

} // namespace trvx::test
