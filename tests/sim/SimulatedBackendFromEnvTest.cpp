// TRVX_SIMULATE picks the simulated mouse and its storage type.

#include "sim/SimulatedBackendFromEnv.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace trvx {
namespace {

TEST(SimulatedBackendFromEnv, ValueNamesTheKind) {
    const std::pair<const char*, StorageKind> cases[] = {
        {"i2c", StorageKind::I2C},     {"I2C", StorageKind::I2C},    {"flash", StorageKind::Flash},
        {"Flash", StorageKind::Flash}, {"", StorageKind::None},      {"eeprom", StorageKind::None},
        {"i2c ", StorageKind::None},   {nullptr, StorageKind::None},
    };
    for (const auto& [text, kind] : cases)
        EXPECT_EQ(SimulationKindFromText(text), kind) << (text ? text : "(unset)");
}

TEST(SimulatedBackendFromEnv, MakesTheMouseOnlyWhenAsked) {
    VirtualClock clock;
    ::unsetenv("TRVX_SIMULATE");
    EXPECT_EQ(SimulatedMouseFromEnv(clock), nullptr);
    ::setenv("TRVX_SIMULATE", "flash", 1);
    auto mouse = SimulatedMouseFromEnv(clock);
    ASSERT_NE(mouse, nullptr);
    EXPECT_EQ(mouse->Kind(), StorageKind::Flash);
    EXPECT_EQ(mouse->Image().size(), kFlashImageSize);
    ::setenv("TRVX_SIMULATE", "no", 1);
    EXPECT_EQ(SimulatedMouseFromEnv(clock), nullptr);
    ::unsetenv("TRVX_SIMULATE");
}

} // namespace
} // namespace trvx
