#pragma once
// A scripted HID backend for the device link's tests: a list of interfaces, a log of every
// feature transfer, replies answered from a queue, and switches that fail a chosen transfer or
// refuse an open.

#include "device/HidBackend.h"
#include "device/HidTrace.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace trvx::test {

class FakeHid final : public HidBackend {
public:
    struct Interface {
        HidInterfaceInfo info;
        bool refuseQuery = false;     // the query open fails: the interface is skipped
        bool refuseReadWrite = false; // the read/write open fails
        bool denyAccess = false;      // every open fails for lack of permission
        bool acceptsSet = true;       // SetFeature succeeds
        bool answersGet = true;       // GetFeature succeeds
    };

    struct Frame {
        std::string path;
        bool sent = false; // SetFeature; otherwise a GetFeature
        bool ok = false;
        std::vector<std::uint8_t> bytes;
        std::thread::id thread;
    };

    // The mouse at path "mouse": one interface with the 8-byte feature reports 0x40 and 0x41.
    static Interface Mouse(std::string path = "mouse", std::uint16_t vid = 0x1209,
                           std::uint16_t pid = 0x0001) {
        Interface i;
        i.info.path = std::move(path);
        i.info.vendorId = vid;
        i.info.productId = pid;
        i.info.version = 0x0105;
        i.info.featureReportLengths = {{0x40, 8}, {0x41, 8}};
        i.info.inputReportLength = 8;
        return i;
    }

    void add(Interface i) {
        std::lock_guard lock(mutex_);
        interfaces_.push_back(std::move(i));
    }
    Interface& at(std::size_t index) { return interfaces_.at(index); }

    // Replies of GetFeature 0x41, in order; with none queued the fake answers seven zeros.
    void queueReply(std::array<std::uint8_t, 7> reply) {
        std::lock_guard lock(mutex_);
        replies_.push_back(reply);
    }
    // The n-th feature transfer from now (1 = the next one) fails.
    void failTransfer(int n) {
        std::lock_guard lock(mutex_);
        failures_.push_back(transfers_ + n);
    }
    // Each feature transfer takes this long (outside the fake's lock), so that unserialised
    // callers on two threads would interleave their frames.
    void setTransferDelay(std::chrono::microseconds delay) {
        std::lock_guard lock(mutex_);
        delay_ = delay;
    }
    // Input reports the next reads return.
    void queueInput(std::vector<std::uint8_t> report) {
        std::lock_guard lock(mutex_);
        inputs_.push_back(std::move(report));
    }

    std::vector<Frame> frames() {
        std::lock_guard lock(mutex_);
        return frames_;
    }
    // The frames that went through as trace lines: "> 40 ..." sent, "< 41 ..." received.
    std::vector<std::string> lines() {
        std::vector<std::string> out;
        for (const Frame& f : frames())
            if (f.ok)
                out.push_back(HidTrace::formatLine(f.sent ? '>' : '<', f.bytes));
        return out;
    }
    std::vector<std::string> sentLines() {
        std::vector<std::string> out;
        for (const Frame& f : frames())
            if (f.ok && f.sent)
                out.push_back(HidTrace::formatLine('>', f.bytes));
        return out;
    }
    void clearFrames() {
        std::lock_guard lock(mutex_);
        frames_.clear();
    }
    int openHandles() {
        std::lock_guard lock(mutex_);
        return openHandles_;
    }
    // Each open as "path:query" or "path:readwrite", refused ones included.
    std::vector<std::string> opens() {
        std::lock_guard lock(mutex_);
        return opens_;
    }

    std::vector<HidInterfaceInfo> enumerate() override {
        std::lock_guard lock(mutex_);
        std::vector<HidInterfaceInfo> out;
        for (const Interface& i : interfaces_)
            out.push_back(i.info);
        return out;
    }

    int countInterfaces() override {
        std::lock_guard lock(mutex_);
        int count = 0;
        for (const Interface& i : interfaces_)
            count += i.refuseQuery ? 0 : 1;
        return count;
    }

    std::unique_ptr<HidHandle> open(const std::string& path, HidAccess access) override {
        return openWithReason(path, access).handle;
    }

    HidOpenResult openWithReason(const std::string& path, HidAccess access) override {
        std::lock_guard lock(mutex_);
        opens_.push_back(path + (access == HidAccess::Query ? ":query" : ":readwrite"));
        HidOpenResult result;
        for (std::size_t n = 0; n < interfaces_.size(); ++n) {
            const Interface& i = interfaces_[n];
            if (i.info.path != path)
                continue;
            if (i.denyAccess) {
                result.failure = HidOpenFailure::AccessDenied;
                return result;
            }
            if (access == HidAccess::Query ? i.refuseQuery : i.refuseReadWrite)
                return result;
            ++openHandles_;
            result.handle = std::make_unique<Handle>(*this, n);
            result.failure = HidOpenFailure::None;
            return result;
        }
        return result;
    }

private:
    class Handle final : public HidHandle {
    public:
        Handle(FakeHid& hid, std::size_t index) : hid_(hid), index_(index) {}
        ~Handle() override {
            std::lock_guard lock(hid_.mutex_);
            --hid_.openHandles_;
        }
        bool setFeature(std::span<const std::uint8_t> report) override {
            hid_.delay();
            std::lock_guard lock(hid_.mutex_);
            const bool ok = hid_.nextTransferOk() && hid_.interfaces_[index_].acceptsSet;
            hid_.record(index_, true, ok, {report.begin(), report.end()});
            return ok;
        }
        bool getFeature(std::span<std::uint8_t> report) override {
            hid_.delay();
            std::lock_guard lock(hid_.mutex_);
            const bool ok = hid_.nextTransferOk() && hid_.interfaces_[index_].answersGet;
            if (ok) {
                std::array<std::uint8_t, 7> reply{};
                if (!hid_.replies_.empty()) {
                    reply = hid_.replies_.front();
                    hid_.replies_.pop_front();
                }
                for (std::size_t k = 1; k < report.size() && k <= reply.size(); ++k)
                    report[k] = reply[k - 1];
            }
            hid_.record(index_, false, ok, {report.begin(), report.end()});
            return ok;
        }
        InputReadResult readInput(std::span<std::uint8_t> buffer, int,
                                  std::size_t& bytesRead) override {
            std::lock_guard lock(hid_.mutex_);
            bytesRead = 0;
            if (hid_.inputs_.empty())
                return InputReadResult::Timeout;
            const std::vector<std::uint8_t> r = hid_.inputs_.front();
            hid_.inputs_.pop_front();
            bytesRead = std::min(r.size(), buffer.size());
            std::copy_n(r.begin(), bytesRead, buffer.begin());
            return InputReadResult::Ok;
        }

    private:
        FakeHid& hid_;
        std::size_t index_;
    };

    void delay() {
        std::chrono::microseconds d;
        {
            std::lock_guard lock(mutex_);
            d = delay_;
        }
        if (d.count() > 0)
            std::this_thread::sleep_for(d);
    }
    bool nextTransferOk() {
        ++transfers_;
        for (auto it = failures_.begin(); it != failures_.end(); ++it)
            if (*it == transfers_) {
                failures_.erase(it);
                return false;
            }
        return true;
    }
    void record(std::size_t index, bool sent, bool ok, std::vector<std::uint8_t> bytes) {
        frames_.push_back(
            {interfaces_[index].info.path, sent, ok, std::move(bytes), std::this_thread::get_id()});
    }

    std::mutex mutex_;
    std::vector<Interface> interfaces_;
    std::deque<std::array<std::uint8_t, 7>> replies_;
    std::deque<std::vector<std::uint8_t>> inputs_;
    std::vector<long> failures_;
    long transfers_ = 0;
    int openHandles_ = 0;
    std::chrono::microseconds delay_{0};
    std::vector<Frame> frames_;
    std::vector<std::string> opens_;
};

} // namespace trvx::test
