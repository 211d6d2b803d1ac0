#include "device/DevicePoller.h"

#include <algorithm>

namespace trvx {

// Holds DevTimerBusy for a tick or a reset and gives back what it found.
class DevicePoller::BusyScope {
public:
    explicit BusyScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = previous_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& flag_;
    bool previous_;
};

namespace {

constexpr int kCountRounds = 5;
constexpr int kAgreementNeeded = 2;
constexpr int kOpenVersion = 256;
constexpr std::int64_t kResetSettleMillis = 500;
constexpr std::int64_t kWaitRoundMillis = 100;

constexpr std::uint8_t kInfoMinimumByte0 = 0x40;
constexpr std::uint8_t kInfoMarker = ':';
constexpr std::uint8_t kInfoFlash = 0x80;
constexpr std::uint8_t kInfoI2C = 0xC0;

} // namespace

DevicePoller::DevicePoller(DeviceLink& link, HidBackend& backend, Clock& clock,
                           AcceptedMouse& mouse, WholeImageReader& reader,
                           DeviceLifecycleView& view, DevicePollerConfig config,
                           DevicePollerTexts texts)
    : link_(link), backend_(backend), clock_(clock), mouse_(mouse), reader_(reader), view_(view),
      config_(std::move(config)), texts_(std::move(texts)) {}

std::vector<std::string> DevicePoller::MousePaths() {
    std::vector<std::string> paths;
    for (const HidInterfaceInfo& info : backend_.enumerate()) {
        const bool listed = std::any_of(
            config_.DeviceIdTable.begin(), config_.DeviceIdTable.end(), [&](const DeviceIdPair& p) {
                return p.vendorId != 0 && p.productId != 0 && p.vendorId == info.vendorId &&
                       p.productId == info.productId;
            });
        if (listed)
            paths.push_back(info.path);
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

void DevicePoller::WaitRounds(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        clock_.sleepMillis(kWaitRoundMillis);
        view_.ProcessEvents();
    }
}

void DevicePoller::Tick() {
    if (busy_)
        return;
    BusyScope scope(busy_);

    // Counts flicker while the system sets a device up; act only on a count seen twice alike.
    int count = 0;
    int agreement = 0;
    for (int round = 0; round < kCountRounds; ++round) {
        const int first = link_.CountHidInterfaces();
        const int second = link_.CountHidInterfaces();
        count = first;
        if (first == second)
            ++agreement;
    }
    // The first tick always looks, so a start without the mouse says so at once (also on a
    // machine without any HID device, whose count never changes from 0).
    const bool first = !searched_;
    if ((count == lastHidCount_ && !first) || agreement < kAgreementNeeded)
        return;
    searched_ = true;

    const bool more = count > lastHidCount_;
    lastHidCount_ = count;
    std::vector<std::string> paths = MousePaths();
    const bool wasPresent = !mousePaths_.empty();
    const bool sameMouse = paths == mousePaths_;
    mousePaths_ = std::move(paths);

    if (mousePaths_.empty()) {
        if (wasPresent)
            MouseLeft();
        else if (first)
            EnterNoDeviceState();
    } else if (!sameMouse || (more && !mouse_.IsAccepted())) {
        // The mouse arrived, or a device arrived beside a mouse that is not read yet: give the
        // system time to set it up, then open and read it. A mouse already read stays as shown.
        WaitRounds(kArrivalWaitRounds);
        Search();
    }
}

void DevicePoller::InputLost() {
    // During a tick or a reset the handle dies on purpose; they deal with it themselves.
    if (busy_ || mousePaths_.empty())
        return;
    BusyScope scope(busy_);
    if (!MousePaths().empty()) {
        // Still listed. An unplug and replug between two ticks leaves the same paths and count
        // behind dead handles, so ask the mouse: a live one answers and stays as it is.
        if (link_.DeviceInformation())
            return;
        // It went and came back: it is a new arrival, which the next tick finds and reads.
        mousePaths_.clear();
        lastHidCount_ = -1;
        MouseLeft();
        return;
    }
    // The poll compares with what is there now, so the mouse's return is an arrival.
    lastHidCount_ = link_.CountHidInterfaces();
    mousePaths_.clear();
    MouseLeft();
}

void DevicePoller::CloseMouse() {
    mouse_.Revoke();
    if (observer_ != nullptr)
        observer_->MouseClosed();
    link_.CloseDevice();
    devVid_ = 0;
    devPid_ = 0;
}

void DevicePoller::MouseLeft() {
    retriesLeft_ = kTransferRetries;
    CloseMouse();
    EnterNoDeviceState();
}

void DevicePoller::EnterNoDeviceState() {
    mouse_.Revoke();
    view_.ShowNoDevice(texts_.Str100 + '\r' + texts_.Str101);
}

void DevicePoller::ReFindDev() {
    Search();
}

void DevicePoller::Search() {
    CloseMouse();
    bool refused = false;
    for (const DeviceIdPair& pair : config_.DeviceIdTable) {
        if (pair.vendorId == 0 || pair.productId == 0)
            continue;
        int version = kOpenVersion;
        if (link_.OpenDevice(static_cast<std::uint16_t>(pair.vendorId),
                             static_cast<std::uint16_t>(pair.productId), version)) {
            devVid_ = static_cast<std::uint16_t>(pair.vendorId);
            devPid_ = static_cast<std::uint16_t>(pair.productId);
            if (observer_ != nullptr)
                observer_->MouseOpened();
            ReadDevInfo();
            return;
        }
        refused = refused || link_.OpenRefused();
    }
    // The system would not let us open the mouse: no retry or replug helps until its node's
    // rights change, so say that instead of asking for a replug.
    if (refused) {
        mouse_.Revoke();
        view_.ShowNoDevice(texts_.Str100 + '\r' + texts_.Str115);
        return;
    }
    // The mouse is listed but would not open: a probe transfer was lost, or it is still being
    // set up. Try again on the next tick like any lost transfer, without a message meanwhile.
    if (!MousePaths().empty()) {
        if (RetryOnNextTick())
            return;
        mouse_.Revoke();
        view_.ShowNoDevice(texts_.Str100 + '\r' + texts_.Str109);
        return;
    }
    EnterNoDeviceState();
}

bool DevicePoller::IdAccepted(std::uint8_t manuId, std::uint8_t proId) const {
    return (manuId == config_.DefaultManuID && proId == config_.DefaultProID) ||
           (manuId == config_.RevManuID && proId == config_.RevProID);
}

bool DevicePoller::RetryOnNextTick() {
    if (retriesLeft_ <= 0)
        return false;
    --retriesLeft_;
    mousePaths_.clear();
    lastHidCount_ = -1;
    return true;
}

void DevicePoller::RetryOrTellToReplug() {
    if (!RetryOnNextTick())
        view_.ShowMessageDialog(texts_.Str109);
}

void DevicePoller::ReadDevInfo() {
    // A lost transfer is tried again on the next tick (a few times); a reply that is not an
    // information reply leaves the mouse opened and unread until the next change.
    const auto info = link_.DeviceInformation();
    if (!info) {
        RetryOrTellToReplug();
        return;
    }
    if ((*info)[0] < kInfoMinimumByte0 || (*info)[1] != kInfoMarker)
        return;
    StorageKind kind = StorageKind::None;
    if ((*info)[2] == kInfoFlash)
        kind = StorageKind::Flash;
    else if ((*info)[2] == kInfoI2C)
        kind = StorageKind::I2C;
    else
        return;
    mouse_.SetDeviceStorage(kind);

    if (kind != config_.StorageType) {
        view_.ShowMessageDialog(texts_.Str102);
        view_.ShowNoDeviceAppearance();
        return;
    }

    // A lost reply would leave 0xFF 0xFF, which is the shipped default pair: never accept an
    // ID block that was not read whole.
    TIDBlock id{};
    const ImageRange range = kind == StorageKind::I2C ? eeprom::kIdBlock : flash::kIdBlock;
    if (!link_.ReadBlock(static_cast<std::uint16_t>(range.offset), static_cast<int>(id.size()),
                         id)) {
        RetryOrTellToReplug();
        return;
    }
    view_.ShowReadIds(id[0], id[1]);

    if (IdAccepted(id[0], id[1])) {
        mouse_.Accept();
        const WholeImageReadResult read = reader_.Read();
        if (read == WholeImageReadResult::Filled) {
            retriesLeft_ = kTransferRetries;
        } else {
            mouse_.Revoke();
            if (read == WholeImageReadResult::ReadFailed)
                RetryOrTellToReplug();
        }
        return;
    }
    view_.StopTimer();
    view_.ShowSystemMessage(texts_.Str107);
    view_.StartTimer();
    EnterNoDeviceState();
}

void DevicePoller::ResetAndReconnect() {
    BusyScope scope(busy_);
    view_.StopTimer();
    clock_.sleepMillis(kResetSettleMillis);
    // Only a mouse this program accepted is told to restart.
    mouse_.Reset();
    EnterNoDeviceState();
    view_.ProcessEvents();
    WaitRounds(kResetWaitRounds);
    ReFindDev();

    // The poll compares with what is there now, so a mouse that comes back later is an arrival;
    // unless the search lost a transfer and asked the next tick to try again.
    const bool retryScheduled = lastHidCount_ == -1;
    if (!retryScheduled) {
        lastHidCount_ = link_.CountHidInterfaces();
        mousePaths_ = MousePaths();
    }
    // A good read switched polling on already; otherwise it must go on, or a mouse that comes
    // back late would never be found.
    if (!mouse_.IsAccepted())
        view_.StartTimer();
}

} // namespace trvx
