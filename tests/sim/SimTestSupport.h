#pragma once
// A simulated mouse on a virtual clock with its vendor collection open, and the few report
// helpers the sim tests drive it with (the raw backend interface, no device link).

#include "base/Clock.h"
#include "device/HidBackend.h"
#include "sim/SimulatedMouse.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

namespace trvx::simtest {

using Bytes = std::vector<std::uint8_t>;
using Reply = std::array<std::uint8_t, 7>;

inline std::size_t SizeOf(StorageKind kind) {
    return kind == StorageKind::Flash ? kFlashImageSize : kEepromImageSize;
}

// Bytes that differ from their neighbours and from 0x00/0xFF, so a misplaced byte shows.
inline Bytes PatternImage(StorageKind kind) {
    Bytes image(SizeOf(kind));
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>((i * 7 + i / 256 + 3) & 0xFF);
    return image;
}

struct SimBench {
    VirtualClock clock;
    std::unique_ptr<SimulatedMouse> mouse;
    std::unique_ptr<HidHandle> dev;

    explicit SimBench(StorageKind kind) : SimBench(kind, PatternImage(kind)) {}
    SimBench(StorageKind kind, const Bytes& image) {
        mouse = SimulatedMouse::Create(kind, clock, image);
        dev = mouse->open(SimulatedMouse::kVendorCollectionPath, HidAccess::ReadWrite);
    }

    // 0x40 and up to seven bytes, the rest 0.
    bool command(std::initializer_list<std::uint8_t> bytes) {
        std::array<std::uint8_t, 8> report{0x40};
        std::size_t i = 1;
        for (auto b : bytes)
            report[i++] = b;
        return dev->setFeature(report);
    }
    bool data(const Reply& bytes) {
        std::array<std::uint8_t, 8> report{0x41};
        std::copy(bytes.begin(), bytes.end(), report.begin() + 1);
        return dev->setFeature(report);
    }
    std::optional<Reply> reply() {
        std::array<std::uint8_t, 8> report{0x41};
        if (!dev->getFeature(report))
            return std::nullopt;
        Reply r;
        std::copy(report.begin() + 1, report.end(), r.begin());
        return r;
    }

    void writeBlock(std::uint16_t address, const Bytes& bytes) {
        const auto n = static_cast<std::uint16_t>(bytes.size());
        ASSERT_TRUE(
            command({7, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
                     static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n)}));
        for (std::size_t at = 0; at < bytes.size(); at += 7) {
            Reply chunk{};
            for (std::size_t i = 0; i < 7 && at + i < bytes.size(); ++i)
                chunk[i] = bytes[at + i];
            ASSERT_TRUE(data(chunk));
        }
    }
    // Command 9 and its replies, the bytes of all replies as read (padding included).
    Bytes readBlockReplies(std::uint16_t address, std::uint16_t length) {
        Bytes out;
        if (!command({9, static_cast<std::uint8_t>(address >> 8),
                      static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(length >> 8),
                      static_cast<std::uint8_t>(length)}))
            return out;
        for (int i = 0; i < (length + 6) / 7; ++i) {
            auto r = reply();
            if (!r)
                return out;
            out.insert(out.end(), r->begin(), r->end());
        }
        return out;
    }
    Bytes readBlock(std::uint16_t address, std::uint16_t length) {
        Bytes out = readBlockReplies(address, length);
        out.resize(std::min<std::size_t>(out.size(), length));
        return out;
    }
};

} // namespace trvx::simtest
