// Whole-image read of both storage types from the simulated mouse, with a modelled USB latency
// of 1 ms per feature transfer, on the real clock. Prints three ratios:
//   transfers used / the minimum the protocol needs      (must be 1.00)
//   wall time / (transfers x 1 ms + 500 us per reply)    (sleep overshoot only; about 1)
//   CPU time / wall time                                 (no busy waiting: below 0.10)
#include "device/DeviceLink.h"
#include "device/ImageLayout.h"
#include "sim/SimulatedMouse.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <sys/prctl.h>
#include <vector>

namespace {

using namespace trvx;

double CpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

bool Run(StorageKind kind) {
    RealClock clock;
    SimulatedMouse mouse(kind, clock);
    DeviceLink link(mouse, clock);
    int version = 256;
    if (!link.OpenDevice(SimulatedMouse::kDefaultVendorId, SimulatedMouse::kDefaultProductId,
                         version)) {
        std::printf("could not open the simulated mouse\n");
        return false;
    }
    mouse.SetTransferLatencyMicros(1000);
    const std::int64_t before = mouse.FeatureTransferCount();

    const std::size_t size = kind == StorageKind::I2C ? kEepromImageSize : kFlashImageSize;
    const std::size_t block = kind == StorageKind::I2C ? kEepromImageSize : kFlashPageSize;
    std::vector<std::uint8_t> image(size);
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    bool ok = true;
    for (std::size_t at = 0; at < size; at += block) {
        ok = link.ReadBlockShowBusy(static_cast<std::uint16_t>(at), static_cast<int>(block),
                                    std::span(image).subspan(at, block)) &&
             ok;
    }
    const double cpu = CpuSeconds() - cpuStart;
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();

    const std::int64_t transfers = mouse.FeatureTransferCount() - before;
    const std::int64_t blocks = static_cast<std::int64_t>(size / block);
    const std::int64_t repliesPerBlock = (static_cast<std::int64_t>(block) + 6) / 7;
    const std::int64_t replies = blocks * repliesPerBlock;
    const std::int64_t minimum = blocks + replies; // one command per block, one GetFeature a reply
    const double bound =
        static_cast<double>(transfers) * 1e-3 + static_cast<double>(replies) * 500e-6;
    const bool same = ok && image == mouse.Image();

    const double transferRatio = static_cast<double>(transfers) / static_cast<double>(minimum);
    const double wallRatio = wall / bound;
    const double cpuRatio = cpu / wall;
    std::printf("%-5s read %s: transfers %lld / minimum %lld = %.2f (bound 1.00)\n",
                std::string(StorageKindName(kind)).c_str(), same ? "intact" : "WRONG",
                static_cast<long long>(transfers), static_cast<long long>(minimum), transferRatio);
    std::printf("%-5s wall %.3f s / bound %.3f s = %.2f (bound 1.25)\n",
                std::string(StorageKindName(kind)).c_str(), wall, bound, wallRatio);
    std::printf("%-5s cpu %.3f s / wall %.3f s = %.3f (bound 0.10)\n",
                std::string(StorageKindName(kind)).c_str(), cpu, wall, cpuRatio);
    return same && transfers == minimum && wallRatio <= 1.25 && cpuRatio < 0.10;
}

} // namespace

int main() {
    // The kernel lets a sleep run up to its timer slack (50 us by default) late; with some
    // 9000 sleeps that slack, not the program, would dominate the wall-time ratio.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    const bool i2c = Run(StorageKind::I2C);
    const bool flash = Run(StorageKind::Flash);
    std::printf("%s\n", i2c && flash ? "all within bounds" : "OUT OF BOUNDS");
    return i2c && flash ? 0 : 1;
}
