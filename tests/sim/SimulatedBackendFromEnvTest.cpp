// TRVX_SIMULATE picks the simulated mouse and its storage type.

#include "sim/SimulatedBackendFromEnv.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace trvx {
namespace {

TEST(SimulatedBackendFromEnv, ValueNamesTheKind) {
    const std::pair<const char*, StorageKind> cases[] = {
        {"i2c", StorageKind::I2C},       {"I2C", StorageKind::I2C},
        {"flash", StorageKind::Flash},   {"Flash", StorageKind::Flash},
        {"", StorageKind::None},         {"eeprom", StorageKind::None},
        {"i2c ", StorageKind::None},     {nullptr, StorageKind::None},
        {"i2c-linux", StorageKind::I2C}, {"Flash-Linux", StorageKind::Flash},
        {"-linux", StorageKind::None},   {"eeprom-linux", StorageKind::None},
    };
    for (const auto& [text, kind] : cases)
        EXPECT_EQ(SimulationKindFromText(text), kind) << (text ? text : "(unset)");
    EXPECT_TRUE(SimulationUsesLinuxLayout("i2c-linux"));
    EXPECT_TRUE(SimulationUsesLinuxLayout("FLASH-LINUX"));
    EXPECT_FALSE(SimulationUsesLinuxLayout("i2c"));
    EXPECT_FALSE(SimulationUsesLinuxLayout("eeprom-linux"));
    EXPECT_FALSE(SimulationUsesLinuxLayout(nullptr));
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
    ::setenv("TRVX_SIMULATE", "i2c-linux", 1);
    mouse = SimulatedMouseFromEnv(clock);
    ASSERT_NE(mouse, nullptr);
    ASSERT_EQ(mouse->enumerate().size(), 1u);
    EXPECT_EQ(mouse->enumerate()[0].path, SimulatedMouse::kLinuxNodePath);
    ::setenv("TRVX_SIMULATE", "None", 1);
    mouse = SimulatedMouseFromEnv(clock);
    ASSERT_NE(mouse, nullptr);
    EXPECT_FALSE(mouse->IsPresent());
    EXPECT_TRUE(mouse->enumerate().empty());
    ::setenv("TRVX_SIMULATE", "no", 1);
    EXPECT_EQ(SimulatedMouseFromEnv(clock), nullptr);
    ::unsetenv("TRVX_SIMULATE");
}

} // namespace
} // namespace trvx
