#include "device/DefaultImageSet.h"

#include "base/Resources.h"
#include "device/DefaultImages.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(DefaultImageSetTest, SimulatedKindFirstThenTheStorageSettingThenI2C) {
    struct Case {
        const char* simulate;
        const char* storage;
        StorageKind set;
    };
    const Case cases[] = {
        {nullptr, nullptr, StorageKind::I2C},   {"flash", nullptr, StorageKind::Flash},
        {"FLASH", "i2c", StorageKind::Flash},   {"i2c", "flash", StorageKind::I2C},
        {nullptr, "flash", StorageKind::Flash}, {"", "Flash", StorageKind::Flash},
        {"usb", "eeprom", StorageKind::I2C},    {nullptr, "i2c", StorageKind::I2C},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DefaultImageSetFromValues(c.simulate, c.storage), c.set)
            << (c.simulate ? c.simulate : "-") << " " << (c.storage ? c.storage : "-");
}

TEST(DefaultImageSetTest, TheFlashSetMakesAFlashProgramWithTheSameIds) {
    const auto i2c = ReadDefaultImageHead(resource(DefaultImageResourcesOf(StorageKind::I2C)[0]));
    const auto flash =
        ReadDefaultImageHead(resource(DefaultImageResourcesOf(StorageKind::Flash)[0]));
    ASSERT_TRUE(i2c && flash);
    EXPECT_EQ(i2c->StorageType, StorageKind::I2C);
    EXPECT_EQ(flash->StorageType, StorageKind::Flash);
    EXPECT_EQ(flash->DefaultVID, i2c->DefaultVID);
    EXPECT_EQ(flash->DefaultPID, i2c->DefaultPID);
    EXPECT_EQ(flash->DefaultManuID, i2c->DefaultManuID);
    EXPECT_EQ(flash->DefaultProID, i2c->DefaultProID);
}

} // namespace
} // namespace trvx
