#include "sim/SimulatedMouse.h"

#include "base/Resources.h"
#include "sim/SimFirmware.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <utility>

namespace trvx {

namespace {

constexpr std::uint8_t kReportCommand = 0x40;
constexpr std::uint8_t kReportData = 0x41;
constexpr std::size_t kInputQueueLimit = 64;

std::size_t ImageSize(StorageKind kind) {
    return kind == StorageKind::Flash ? kFlashImageSize : kEepromImageSize;
}

// The Linux node takes the vendor collection's part: feature transfers and input reports.
enum class Target { MouseCollection, VendorCollection, Other };

struct OtherDevice {
    int id = 0;
    HidInterfaceInfo info;
};

} // namespace

struct SimulatedMouse::State {
    State(StorageKind kind, Clock& c, std::vector<std::uint8_t> image)
        : clock(c), firmware(kind, std::move(image)) {}

    std::mutex mutex;
    std::condition_variable inputChanged;
    Clock& clock;
    SimFirmware firmware;

    std::uint16_t vendorId = kDefaultVendorId;
    std::uint16_t productId = kDefaultProductId;
    bool present = true;
    bool linuxLayout = false;
    bool resetting = false;
    std::int64_t returnAtMicros = 0;
    std::int64_t resetDelayMicros = kDefaultResetDelayMillis * 1000;
    std::uint64_t generation = 0; // bumped whenever the mouse leaves the bus
    int resetCount = 0;

    std::vector<OtherDevice> others;
    int nextOtherId = 1;

    std::deque<std::vector<std::uint8_t>> input;
    int waitingReads = 0; // readInput calls inside their wait

    int failSendCountdown = 0;
    int failReplyCountdown = 0;
    bool garbageReplies = false;
    std::uint32_t garbageSeed = 0x2545F491;
    bool refuseReadWrite = false;
    bool accessDenied = false;
    std::int64_t latencyMicros = 0;
    std::int64_t transfers = 0;

    std::vector<SimFrame> frames;

    // The mouse comes back from a reset once the clock has passed its return time.
    void refreshPresence() {
        if (resetting && clock.nowMicros() >= returnAtMicros) {
            resetting = false;
            present = true;
        }
    }

    void leaveBus() {
        present = false;
        ++generation;
        firmware.powerCycle();
        input.clear();
        inputChanged.notify_all();
    }

    SimReply garbage() {
        SimReply reply{};
        for (auto& byte : reply) {
            garbageSeed = garbageSeed * 1103515245u + 12345u;
            byte = static_cast<std::uint8_t>(garbageSeed >> 16);
        }
        if (reply[1] == 0x3A) // never a valid device information reply
            reply[1] = 0x3B;
        return reply;
    }

    const OtherDevice* findOther(int id) const {
        for (const auto& other : others) {
            if (other.id == id)
                return &other;
        }
        return nullptr;
    }
};

namespace {

class SimHandle final : public HidHandle {
public:
    SimHandle(std::shared_ptr<SimulatedMouse::State> state, Target target, int otherId,
              std::uint64_t generation, HidAccess access)
        : state_(std::move(state)), target_(target), otherId_(otherId), generation_(generation),
          access_(access) {}

    bool setFeature(std::span<const std::uint8_t> report) override {
        if (target_ != Target::VendorCollection)
            return false;
        sleepLatency();
        std::lock_guard lock(state_->mutex);
        if (!alive() || report.size() != SimReport{}.size() ||
            (report[0] != kReportCommand && report[0] != kReportData))
            return false;
        ++state_->transfers;
        state_->frames.push_back({true, {report.begin(), report.end()}});
        if (state_->failSendCountdown > 0 && --state_->failSendCountdown == 0)
            return false;
        SimReport r{};
        std::copy(report.begin(), report.end(), r.begin());
        if (r[0] == kReportData) {
            state_->firmware.data(r);
        } else if (state_->firmware.command(r) == SimFirmware::Effect::Reset) {
            state_->leaveBus();
            state_->resetting = true;
            state_->returnAtMicros = state_->clock.nowMicros() + state_->resetDelayMicros;
            ++state_->resetCount;
        }
        return true;
    }

    bool getFeature(std::span<std::uint8_t> report) override {
        if (target_ != Target::VendorCollection)
            return false;
        sleepLatency();
        std::lock_guard lock(state_->mutex);
        if (!alive() || report.size() != SimReport{}.size() || report[0] != kReportData)
            return false;
        ++state_->transfers;
        SimReply reply = state_->firmware.takeReply(); // a failed transfer loses it too
        if (state_->failReplyCountdown > 0 && --state_->failReplyCountdown == 0)
            return false;
        if (state_->garbageReplies)
            reply = state_->garbage();
        std::copy(reply.begin(), reply.end(), report.begin() + 1);
        state_->frames.push_back({false, {report.begin(), report.end()}});
        return true;
    }

    InputReadResult readInput(std::span<std::uint8_t> buffer, int timeoutMs,
                              std::size_t& bytesRead) override {
        bytesRead = 0;
        if (access_ != HidAccess::ReadWrite)
            return InputReadResult::Error;
        std::unique_lock lock(state_->mutex);
        auto ready = [this] {
            return !alive() || (target_ == Target::VendorCollection && !state_->input.empty());
        };
        ++state_->waitingReads;
        if (timeoutMs < 0)
            state_->inputChanged.wait(lock, ready);
        else
            state_->inputChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
        --state_->waitingReads;
        if (!alive())
            return InputReadResult::Error;
        if (target_ != Target::VendorCollection || state_->input.empty())
            return InputReadResult::Timeout;
        const std::vector<std::uint8_t> report = std::move(state_->input.front());
        state_->input.pop_front();
        bytesRead = std::min(buffer.size(), report.size());
        std::copy_n(report.begin(), bytesRead, buffer.begin());
        return InputReadResult::Ok;
    }

private:
    // Called with the mutex held.
    bool alive() const {
        if (target_ == Target::Other)
            return state_->findOther(otherId_) != nullptr;
        return state_->present && state_->generation == generation_;
    }

    void sleepLatency() {
        std::int64_t us = 0;
        {
            std::lock_guard lock(state_->mutex);
            us = state_->latencyMicros;
        }
        if (us > 0)
            state_->clock.sleepMicros(us);
    }

    std::shared_ptr<SimulatedMouse::State> state_;
    Target target_;
    int otherId_;
    std::uint64_t generation_;
    HidAccess access_;
};

} // namespace

std::vector<std::uint8_t> SimulatedMouse::DefaultImage(StorageKind kind) {
    const std::size_t size = ImageSize(kind);
    const auto bytes =
        resource(kind == StorageKind::Flash ? "TRVX4410BFlash_Cfg1" : "TRVX4410BData_Cfg1");
    if (bytes.size() == size)
        return {bytes.begin(), bytes.end()};
    return std::vector<std::uint8_t>(size, 0xFF);
}

HidInterfaceInfo SimulatedMouse::KeyboardInfo() {
    HidInterfaceInfo info;
    info.vendorId = 0x1209;
    info.productId = 0x0002;
    info.version = 0x0100;
    info.inputReportLength = 9;
    return info;
}

SimulatedMouse::SimulatedMouse(StorageKind kind, Clock& clock) {
    if (kind == StorageKind::None)
        kind = StorageKind::I2C;
    state_ = std::make_shared<State>(kind, clock, DefaultImage(kind));
}

std::unique_ptr<SimulatedMouse> SimulatedMouse::Create(StorageKind kind, Clock& clock,
                                                       std::span<const std::uint8_t> image) {
    if (kind == StorageKind::None || image.size() != ImageSize(kind))
        return nullptr;
    auto mouse = std::make_unique<SimulatedMouse>(kind, clock);
    mouse->state_->firmware.image().assign(image.begin(), image.end());
    return mouse;
}

SimulatedMouse::~SimulatedMouse() {
    // Handles may outlive the mouse; a listener blocked in readInput must not wait for a
    // report that can no longer come.
    std::lock_guard lock(state_->mutex);
    if (state_->present)
        state_->leaveBus();
    state_->resetting = false;
}

StorageKind SimulatedMouse::Kind() const {
    return state_->firmware.kind();
}

std::vector<HidInterfaceInfo> SimulatedMouse::enumerate() {
    std::lock_guard lock(state_->mutex);
    state_->refreshPresence();
    std::vector<HidInterfaceInfo> list;
    if (state_->present && state_->linuxLayout) {
        HidInterfaceInfo node;
        node.path = kLinuxNodePath;
        node.vendorId = state_->vendorId;
        node.productId = state_->productId;
        node.version = kVersion;
        node.featureReportLengths = {{0x40, kVendorReportLength},
                                     {0x41, kVendorReportLength},
                                     {kLinuxExtraFeatureReportId, kLinuxLongReportLength}};
        node.inputReportLength = kLinuxLongReportLength;
        list.push_back(node);
    } else if (state_->present) {
        HidInterfaceInfo mouse;
        mouse.path = kMouseCollectionPath;
        mouse.vendorId = state_->vendorId;
        mouse.productId = state_->productId;
        mouse.version = kVersion;
        mouse.inputReportLength = kMouseInputLength;
        list.push_back(mouse);
        mouse.path = kVendorCollectionPath;
        mouse.featureReportLengths = {{0x40, kVendorReportLength}, {0x41, kVendorReportLength}};
        mouse.inputReportLength = kVendorReportLength;
        list.push_back(mouse);
    }
    for (const auto& other : state_->others)
        list.push_back(other.info);
    return list;
}

int SimulatedMouse::countInterfaces() {
    std::lock_guard lock(state_->mutex);
    state_->refreshPresence();
    const int mouseNodes = state_->linuxLayout ? 1 : 2;
    return static_cast<int>(state_->others.size()) + (state_->present ? mouseNodes : 0);
}

std::unique_ptr<HidHandle> SimulatedMouse::open(const std::string& path, HidAccess access) {
    return openWithReason(path, access).handle;
}

HidOpenResult SimulatedMouse::openWithReason(const std::string& path, HidAccess access) {
    std::lock_guard lock(state_->mutex);
    state_->refreshPresence();
    const bool mousePath = state_->linuxLayout
                               ? path == kLinuxNodePath
                               : (path == kMouseCollectionPath || path == kVendorCollectionPath);
    HidOpenResult result;
    if (mousePath) {
        if (!state_->present || (access == HidAccess::ReadWrite && state_->refuseReadWrite))
            return result;
        if (state_->accessDenied) {
            result.failure = HidOpenFailure::AccessDenied;
            return result;
        }
        const Target target =
            path == kMouseCollectionPath ? Target::MouseCollection : Target::VendorCollection;
        result.handle = std::make_unique<SimHandle>(state_, target, 0, state_->generation, access);
    }
    for (const auto& other : state_->others) {
        if (!result.handle && other.info.path == path)
            result.handle = std::make_unique<SimHandle>(state_, Target::Other, other.id, 0, access);
    }
    if (result.handle)
        result.failure = HidOpenFailure::None;
    return result;
}

void SimulatedMouse::Plug() {
    std::lock_guard lock(state_->mutex);
    state_->resetting = false;
    state_->present = true;
}

void SimulatedMouse::Unplug() {
    std::lock_guard lock(state_->mutex);
    state_->refreshPresence();
    if (state_->present)
        state_->leaveBus();
    state_->resetting = false;
}

bool SimulatedMouse::IsPresent() {
    std::lock_guard lock(state_->mutex);
    state_->refreshPresence();
    return state_->present;
}

std::string SimulatedMouse::PlugOther(HidInterfaceInfo info) {
    std::lock_guard lock(state_->mutex);
    const int id = state_->nextOtherId++;
    info.path = "sim:other:" + std::to_string(id);
    state_->others.push_back({id, info});
    return info.path;
}

bool SimulatedMouse::UnplugOther() {
    std::lock_guard lock(state_->mutex);
    if (state_->others.empty())
        return false;
    state_->others.pop_back();
    state_->inputChanged.notify_all();
    return true;
}

bool SimulatedMouse::UnplugOther(const std::string& path) {
    std::lock_guard lock(state_->mutex);
    auto& others = state_->others;
    const auto it = std::find_if(others.begin(), others.end(),
                                 [&](const OtherDevice& o) { return o.info.path == path; });
    if (it == others.end())
        return false;
    others.erase(it);
    state_->inputChanged.notify_all();
    return true;
}

void SimulatedMouse::SetUsbIds(std::uint16_t vendorId, std::uint16_t productId) {
    std::lock_guard lock(state_->mutex);
    state_->vendorId = vendorId;
    state_->productId = productId;
}

void SimulatedMouse::SetLinuxLayout(bool on) {
    std::lock_guard lock(state_->mutex);
    if (state_->linuxLayout == on)
        return;
    state_->linuxLayout = on;
    // Other nodes now: what was opened before belongs to interfaces that are gone.
    ++state_->generation;
    state_->input.clear();
    state_->inputChanged.notify_all();
}

void SimulatedMouse::SetResetDelayMillis(std::int64_t ms) {
    std::lock_guard lock(state_->mutex);
    state_->resetDelayMicros = std::max<std::int64_t>(0, ms) * 1000;
}

int SimulatedMouse::ResetCount() {
    std::lock_guard lock(state_->mutex);
    return state_->resetCount;
}

std::vector<std::uint8_t> SimulatedMouse::Image() {
    std::lock_guard lock(state_->mutex);
    return state_->firmware.image();
}

bool SimulatedMouse::Poke(std::size_t offset, std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(state_->mutex);
    auto& image = state_->firmware.image();
    if (offset > image.size() || bytes.size() > image.size() - offset)
        return false;
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
}

std::uint8_t SimulatedMouse::XData(std::uint16_t address) {
    std::lock_guard lock(state_->mutex);
    return state_->firmware.xdata(address);
}

std::vector<std::uint8_t> SimulatedMouse::ProfileReloads() {
    std::lock_guard lock(state_->mutex);
    return state_->firmware.profileReloads();
}

void SimulatedMouse::SetInfoReply(std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(state_->mutex);
    state_->firmware.setInfoReply(bytes);
}

bool SimulatedMouse::InjectInput(std::span<const std::uint8_t> report) {
    std::lock_guard lock(state_->mutex);
    state_->refreshPresence();
    if (!state_->present)
        return false;
    if (state_->input.size() >= kInputQueueLimit)
        state_->input.pop_front();
    state_->input.emplace_back(report.begin(), report.end());
    state_->inputChanged.notify_all();
    return true;
}

int SimulatedMouse::WaitingInputReads() {
    std::lock_guard lock(state_->mutex);
    return state_->waitingReads;
}

void SimulatedMouse::FailSend(int n) {
    std::lock_guard lock(state_->mutex);
    state_->failSendCountdown = std::max(0, n);
}

void SimulatedMouse::FailReply(int n) {
    std::lock_guard lock(state_->mutex);
    state_->failReplyCountdown = std::max(0, n);
}

void SimulatedMouse::SetGarbageReplies(bool on) {
    std::lock_guard lock(state_->mutex);
    state_->garbageReplies = on;
}

void SimulatedMouse::RefuseReadWriteOpen(bool on) {
    std::lock_guard lock(state_->mutex);
    state_->refuseReadWrite = on;
}

void SimulatedMouse::DenyAccess(bool on) {
    std::lock_guard lock(state_->mutex);
    state_->accessDenied = on;
}

void SimulatedMouse::SetTransferLatencyMicros(std::int64_t us) {
    std::lock_guard lock(state_->mutex);
    state_->latencyMicros = std::max<std::int64_t>(0, us);
}

std::int64_t SimulatedMouse::FeatureTransferCount() {
    std::lock_guard lock(state_->mutex);
    return state_->transfers;
}

std::vector<SimFrame> SimulatedMouse::Frames() {
    std::lock_guard lock(state_->mutex);
    return state_->frames;
}

std::vector<SimFrame> SimulatedMouse::TakeFrames() {
    std::lock_guard lock(state_->mutex);
    return std::exchange(state_->frames, {});
}

void SimulatedMouse::ClearFrames() {
    std::lock_guard lock(state_->mutex);
    state_->frames.clear();
}

std::string SimulatedMouse::FrameLogText() {
    std::lock_guard lock(state_->mutex);
    return FormatFrames(state_->frames);
}

} // namespace trvx
