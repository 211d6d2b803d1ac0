#include "device/DeviceLink.h"

#include "device/HidTrace.h"

#include <algorithm>
#include <cstdlib>

namespace trvx {
namespace {

using Report = std::array<std::uint8_t, MouseFeatureReportLength>;

constexpr int ReplyWaitMicros = 500;
constexpr std::int64_t RegisterWriteWaitMicros = 100'000;
constexpr int MaxBlockLength = 65535;
constexpr int MaxRegisterReadLength = 255; // the length is one byte of the command

constexpr std::uint8_t CommandXDataWrite = 1;
constexpr std::uint8_t CommandXDataRead = 2;
constexpr std::uint8_t CommandRegisterWrite = 5;
constexpr std::uint8_t CommandRegisterRead = 6;
constexpr std::uint8_t CommandBlockWrite = 7;
constexpr std::uint8_t CommandBlockRead = 9;
constexpr std::uint8_t CommandDeviceInfo = 13;
constexpr std::uint8_t CommandReset = 14;

constexpr std::uint8_t High(std::uint16_t v) {
    return static_cast<std::uint8_t>(v >> 8);
}
constexpr std::uint8_t Low(std::uint16_t v) {
    return static_cast<std::uint8_t>(v & 0xFF);
}

constexpr int Chunks(int length, int size) {
    return (length + size - 1) / size;
}

// A read's length must fit its command and its destination.
bool ReadLengthFits(int length, int max, std::span<std::uint8_t> dest) {
    return length >= 0 && length <= max && static_cast<std::size_t>(length) <= dest.size();
}

} // namespace

// ---- Exchange ---------------------------------------------------------------------------

DeviceLink::Exchange::Exchange(DeviceLink& link) : link_(link), lock_(link.exchangeMutex_) {
    {
        std::lock_guard state(link.stateMutex_);
        command_ = link.command_;
        data_ = link.data_;
        trace_ = link.trace_;
    }
    reply_.fill(0xFF);
}

bool DeviceLink::Exchange::SendCommand(std::uint8_t command, std::uint8_t p1, std::uint8_t p2,
                                       std::uint8_t p3, std::uint8_t p4) {
    return SendCommandReport({command, p1, p2, p3, p4, 0, 0});
}

bool DeviceLink::Exchange::SendCommandReport(const Reply& bytes) {
    if (!command_)
        return false;
    Report report{};
    report[0] = ReportIdCommand;
    std::copy(bytes.begin(), bytes.end(), report.begin() + 1);
    const bool ok = command_->setFeature(report);
    if (trace_)
        ok ? trace_->sent(report) : trace_->failed('>', report);
    return ok;
}

bool DeviceLink::Exchange::SendData(const Reply& bytes) {
    if (!data_)
        return false;
    Report report{};
    report[0] = ReportIdData;
    std::copy(bytes.begin(), bytes.end(), report.begin() + 1);
    const bool ok = data_->setFeature(report);
    if (trace_)
        ok ? trace_->sent(report) : trace_->failed('>', report);
    return ok;
}

bool DeviceLink::Exchange::ReadReply() {
    reply_.fill(0xFF);
    if (!data_)
        return false;
    Report report{};
    report[0] = ReportIdData;
    if (!data_->getFeature(report)) {
        if (trace_)
            trace_->failed('<', std::span(report).first(1));
        return false;
    }
    if (trace_)
        trace_->received(report);
    std::copy(report.begin() + 1, report.end(), reply_.begin());
    // The mouse needs a moment before it takes the next report.
    link_.WaitMicroseconds(ReplyWaitMicros);
    return true;
}

// ---- Binding ----------------------------------------------------------------------------

DeviceLink::DeviceLink(HidBackend& backend, Clock& clock, BusyIndicator* busy)
    : backend_(backend), clock_(clock), busy_(busy) {
    if (const char* path = std::getenv("TRVX_HID_TRACE"); path != nullptr && *path != '\0')
        SetTracePath(path);
}

DeviceLink::~DeviceLink() {
    CloseDevice();
}

void DeviceLink::SetTracePath(const std::string& path) {
    std::shared_ptr<HidTrace> trace;
    if (!path.empty())
        trace = std::make_shared<HidTrace>(path);
    std::lock_guard state(stateMutex_);
    trace_ = std::move(trace);
}

void DeviceLink::SetBusyIndicator(BusyIndicator* busy) {
    busy_ = busy;
}

std::shared_ptr<HidTrace> DeviceLink::Trace() const {
    std::lock_guard state(stateMutex_);
    return trace_;
}

int DeviceLink::CountHidInterfaces() {
    return backend_.countInterfaces();
}

bool DeviceLink::OpenDevice(std::uint16_t vendorId, std::uint16_t productId, int& version) {
    CloseDevice();
    std::lock_guard exchange(exchangeMutex_);
    const std::shared_ptr<HidTrace> trace = Trace();

    std::shared_ptr<HidHandle> input, command, data;
    int featureLength = 0, inputLength = 0, foundVersion = 0;
    bool refused = false;
    for (const HidInterfaceInfo& info : backend_.enumerate()) {
        // Only an interface whose reports 0x40 and 0x41 are 8-byte feature reports carries the
        // mouse's commands. Other reports of the same node (a hidraw node holds every
        // collection of its USB interface) may be of any length. The query handle of any other
        // interface is closed when it goes out of scope.
        const bool mouseInterface =
            info.featureReportLength(ReportIdCommand) == MouseFeatureReportLength &&
            info.featureReportLength(ReportIdData) == MouseFeatureReportLength &&
            info.vendorId == vendorId && info.productId == productId;
        HidOpenResult opened = backend_.openWithReason(info.path, HidAccess::Query);
        std::shared_ptr<HidHandle> query = std::move(opened.handle);
        if (!query) {
            // The mouse is there but its node may not be opened: a matter of rights, which
            // no retry mends.
            refused = refused || (mouseInterface && opened.failure == HidOpenFailure::AccessDenied);
            continue;
        }
        if (!mouseInterface)
            continue;
        // The last matching interface gives the input handle, also when its open is refused.
        input = backend_.open(info.path, HidAccess::ReadWrite);
        foundVersion = info.version;
        featureLength = MouseFeatureReportLength;
        inputLength = info.inputReportLength;

        // Probe with a real device-information command: the interface that accepts it takes
        // commands, the one that answers report 0x41 gives replies.
        Report probe{ReportIdCommand, CommandDeviceInfo};
        if (query->setFeature(probe)) {
            if (trace)
                trace->sent(probe);
            command = query;
        } else if (trace) {
            trace->failed('>', probe);
        }
        Report answer{ReportIdData};
        if (query->getFeature(answer)) {
            if (trace)
                trace->received(answer);
            data = query;
        } else if (trace) {
            trace->failed('<', std::span(answer).first(1));
        }
    }

    // Without both roles no operation could work; keep nothing open.
    if (!command || !data) {
        std::lock_guard state(stateMutex_);
        openRefused_ = refused;
        return false;
    }
    version = foundVersion;
    std::lock_guard state(stateMutex_);
    openRefused_ = false;
    input_ = std::move(input);
    command_ = std::move(command);
    data_ = std::move(data);
    vendorId_ = vendorId;
    productId_ = productId;
    featureReportLength_ = featureLength;
    inputReportLength_ = inputLength;
    return true;
}

void DeviceLink::CloseDevice() {
    // Waits for an exchange in progress. The input-report listener releases the input handle
    // first; a read still running holds its own reference, so the handle closes when it returns.
    std::lock_guard exchange(exchangeMutex_);
    std::lock_guard state(stateMutex_);
    input_.reset();
    command_.reset();
    data_.reset();
    vendorId_ = 0;
    productId_ = 0;
    featureReportLength_ = 0;
    inputReportLength_ = 0;
}

bool DeviceLink::OpenRefused() const {
    std::lock_guard state(stateMutex_);
    return openRefused_;
}

bool DeviceLink::IsOpen() const {
    std::lock_guard state(stateMutex_);
    return command_ && data_;
}

bool DeviceLink::HasCommandHandle() const {
    std::lock_guard state(stateMutex_);
    return command_ != nullptr;
}

bool DeviceLink::HasDataHandle() const {
    std::lock_guard state(stateMutex_);
    return data_ != nullptr;
}

bool DeviceLink::HasInputHandle() const {
    std::lock_guard state(stateMutex_);
    return input_ != nullptr;
}

std::uint16_t DeviceLink::VendorId() const {
    std::lock_guard state(stateMutex_);
    return vendorId_;
}

std::uint16_t DeviceLink::ProductId() const {
    std::lock_guard state(stateMutex_);
    return productId_;
}

int DeviceLink::FeatureReportLength() const {
    std::lock_guard state(stateMutex_);
    return featureReportLength_;
}

int DeviceLink::InputReportLength() const {
    std::lock_guard state(stateMutex_);
    return inputReportLength_;
}

// ---- Single reports ---------------------------------------------------------------------

bool DeviceLink::SendCommand(std::uint8_t command, std::uint8_t p1, std::uint8_t p2,
                             std::uint8_t p3, std::uint8_t p4) {
    Exchange exchange(*this);
    return exchange.SendCommand(command, p1, p2, p3, p4);
}

bool DeviceLink::SendData(const Reply& bytes) {
    Exchange exchange(*this);
    return exchange.SendData(bytes);
}

bool DeviceLink::ReadReply(Reply& reply) {
    Exchange exchange(*this);
    const bool ok = exchange.ReadReply();
    reply = exchange.reply();
    return ok;
}

// ---- Busy window ------------------------------------------------------------------------

void DeviceLink::ShowBusyBetweenExchanges() {
    if (busy_ == nullptr)
        return;
    busy_->ShowBusy();
    busy_->ProcessEvents();
}

void DeviceLink::HideBusyBetweenExchanges() {
    if (busy_ == nullptr)
        return;
    busy_->HideBusy();
    busy_->ProcessEvents();
}

// ---- Register operations ----------------------------------------------------------------

bool DeviceLink::WriteRegisterReport(const Reply& bytes) {
    if (!HasCommandHandle())
        return false;
    ShowBusyBetweenExchanges();
    bool ok = false;
    {
        Exchange exchange(*this);
        ok = exchange.SendCommandReport(bytes);
        // The mouse stores the register meanwhile; nothing else may reach it before.
        WaitMicroseconds(RegisterWriteWaitMicros);
    }
    HideBusyBetweenExchanges();
    return ok;
}

bool DeviceLink::WriteRegister(std::uint8_t reg, std::uint8_t d0, std::uint8_t d1, std::uint8_t d2,
                               std::uint8_t count) {
    return WriteRegisterReport({CommandRegisterWrite, 0, reg, d0, d1, d2, count});
}

bool DeviceLink::WriteRegisterEntry(std::uint8_t reg, std::uint8_t e0, std::uint8_t e1,
                                    std::uint8_t e2, std::uint8_t e3) {
    return WriteRegisterReport({CommandRegisterWrite, 1, reg, e0, e1, e2, e3});
}

bool DeviceLink::ReadRegisters(std::uint8_t bank, std::uint8_t reg, int length,
                               std::span<std::uint8_t> dest) {
    std::fill(dest.begin(), dest.end(), std::uint8_t{0xFF});
    if (!ReadLengthFits(length, MaxRegisterReadLength, dest))
        return false;
    Exchange exchange(*this);
    if (!exchange.SendCommand(CommandRegisterRead, bank, reg, 0, static_cast<std::uint8_t>(length)))
        return false;
    bool allReplies = true;
    for (int chunk = 0; chunk < Chunks(length, 7); ++chunk) {
        allReplies = exchange.ReadReply() && allReplies;
        const int n = std::min(7, length - chunk * 7);
        std::copy_n(exchange.reply().begin(), n, dest.begin() + chunk * 7);
    }
    return allReplies;
}

bool DeviceLink::WriteRegisterRun(std::uint8_t bank, std::uint8_t first,
                                  std::span<const std::uint8_t> data) {
    if (bank > 1)
        return false;
    const int group = bank == 0 ? 3 : 4;
    // A run must not wrap past register 255 onto register 0; bank 1 takes whole 4-byte entries.
    if (data.size() > 256u - first)
        return false;
    const int length = static_cast<int>(data.size());
    if (bank == 1 && length % group != 0)
        return false;
    if (!HasCommandHandle())
        return false;
    const int groups = Chunks(length, group);
    if (groups > 0)
        ShowBusyBetweenExchanges();

    Exchange exchange(*this);
    bool allSent = true;
    for (int k = 0; k < groups; ++k) {
        const int n = std::min(group, length - k * group);
        // A short last group keeps the previous group's bytes after its own.
        std::copy_n(data.begin() + k * group, n, exchange.buffer().begin());
        const Reply& b = exchange.buffer();
        const auto reg = static_cast<std::uint8_t>(first + k * group);
        const Reply report = bank == 0
                                 ? Reply{CommandRegisterWrite,        0, reg, b[0], b[1], b[2],
                                         static_cast<std::uint8_t>(n)}
                                 : Reply{CommandRegisterWrite, 1, reg, b[0], b[1], b[2], b[3]};
        // Every group is sent whatever the previous one did; a lost one still fails the run.
        allSent = exchange.SendCommandReport(report) && allSent;
    }
    return allSent;
}

// ---- Block operations -------------------------------------------------------------------

bool DeviceLink::WriteBlock(std::uint16_t address, std::span<const std::uint8_t> data) {
    if (data.size() > static_cast<std::size_t>(MaxBlockLength))
        return false;
    if (!HasCommandHandle())
        return false;
    const auto length = static_cast<std::uint16_t>(data.size());
    const int chunks = Chunks(length, 7);
    if (chunks > 0)
        ShowBusyBetweenExchanges();

    Exchange exchange(*this);
    if (!exchange.SendCommand(CommandBlockWrite, High(address), Low(address), High(length),
                              Low(length))) {
        if (chunks > 0)
            HideBusyBetweenExchanges();
        return false;
    }
    bool allSent = true;
    for (int chunk = 0; chunk < chunks; ++chunk) {
        const int n = std::min(7, length - chunk * 7);
        // A short last chunk keeps the previous chunk's bytes after its own.
        std::copy_n(data.begin() + chunk * 7, n, exchange.buffer().begin());
        allSent = exchange.SendData(exchange.buffer()) && allSent;
    }
    return allSent;
}

bool DeviceLink::ReadBlockImpl(std::uint16_t address, int length, std::span<std::uint8_t> dest,
                               bool showBusy) {
    std::fill(dest.begin(), dest.end(), std::uint8_t{0xFF});
    if (!ReadLengthFits(length, MaxBlockLength, dest))
        return false;
    const int chunks = Chunks(length, 7);
    const bool busyShown = showBusy && chunks > 0 && HasCommandHandle();
    if (busyShown)
        ShowBusyBetweenExchanges();

    Exchange exchange(*this);
    const auto len16 = static_cast<std::uint16_t>(length);
    if (!exchange.SendCommand(CommandBlockRead, High(address), Low(address), High(len16),
                              Low(len16))) {
        if (busyShown)
            HideBusyBetweenExchanges();
        return false;
    }
    bool allReplies = true;
    for (int chunk = 0; chunk < chunks; ++chunk) {
        allReplies = exchange.ReadReply() && allReplies;
        const int n = std::min(7, length - chunk * 7);
        std::copy_n(exchange.reply().begin(), n, dest.begin() + chunk * 7);
    }
    return allReplies;
}

bool DeviceLink::ReadBlock(std::uint16_t address, int length, std::span<std::uint8_t> dest) {
    return ReadBlockImpl(address, length, dest, false);
}

bool DeviceLink::ReadBlockShowBusy(std::uint16_t address, int length,
                                   std::span<std::uint8_t> dest) {
    return ReadBlockImpl(address, length, dest, true);
}

// ---- Other commands ---------------------------------------------------------------------

bool DeviceLink::WriteXData(std::uint16_t address, std::uint8_t value) {
    return SendCommand(CommandXDataWrite, High(address), Low(address), value, 0);
}

std::optional<std::uint8_t> DeviceLink::ReadXData(std::uint16_t address) {
    Exchange exchange(*this);
    if (!exchange.SendCommand(CommandXDataRead, High(address), Low(address), 0, 1) ||
        !exchange.ReadReply())
        return std::nullopt;
    return exchange.reply()[0];
}

std::optional<DeviceLink::Reply> DeviceLink::DeviceInformation() {
    Exchange exchange(*this);
    if (!exchange.SendCommand(CommandDeviceInfo, 0, 0, 0, 0) || !exchange.ReadReply())
        return std::nullopt;
    return exchange.reply();
}

bool DeviceLink::Reset() {
    return SendCommand(CommandReset, 0, 0, 0, 0);
}

// ---- Input reports ----------------------------------------------------------------------

InputReadResult DeviceLink::ReadInputReport(std::span<std::uint8_t> buffer, int timeoutMs,
                                            std::size_t& bytesRead) {
    bytesRead = 0;
    std::shared_ptr<HidHandle> input;
    std::shared_ptr<HidTrace> trace;
    std::size_t length = 0;
    {
        std::lock_guard state(stateMutex_);
        input = input_;
        trace = trace_;
        length =
            inputReportLength_ > 0 ? static_cast<std::size_t>(inputReportLength_) : buffer.size();
    }
    if (!input || buffer.size() < length || length == 0)
        return InputReadResult::Error;
    const InputReadResult result = input->readInput(buffer.first(length), timeoutMs, bytesRead);
    if (result == InputReadResult::Ok) {
        bytesRead = std::min(bytesRead, length);
        if (trace)
            trace->received(buffer.first(bytesRead));
    } else if (result == InputReadResult::Error && trace) {
        trace->failed('<', {});
    }
    return result;
}

void DeviceLink::WaitMicroseconds(std::int64_t us) {
    clock_.sleepMicros(us);
}

} // namespace trvx
