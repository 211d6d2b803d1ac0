#include "device/WorkingModel.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

TEST(WorkingModelFire, UserSectionRunCarriesAFreshCheckByte) {
    WorkingModel model;
    model.EditSections().UserSection[7] = 0xFB; // X offset 1, set without a register write
    const RegisterWrite write = model.UserSectionWrite();
    EXPECT_EQ(write.bank, 0);
    EXPECT_EQ(write.reg, 164);
    ASSERT_EQ(write.bytes.size(), kUserSectionSize);
    EXPECT_EQ(write.bytes[7], 0xFB);
    EXPECT_TRUE(SectionChecksumValid(write.bytes));
    EXPECT_TRUE(SectionChecksumValid(model.Sections().UserSection));
}

TEST(WorkingModelFire, FireMacroBlockCopiesTheWorkingSlotsForEitherStorage) {
    WorkingModel model;
    model.EditSections().FireMacros[9][23] = 0x21;
    EXPECT_FALSE(model.FireMacroWrite(StorageKind::None));
    EXPECT_EQ(model.Sections().FireMacroImage[239], 0); // nothing copied for None
    const auto i2c = model.FireMacroWrite(StorageKind::I2C);
    ASSERT_TRUE(i2c);
    EXPECT_EQ(i2c->address, 1808);
    ASSERT_EQ(i2c->bytes.size(), 240u);
    EXPECT_EQ(i2c->bytes[239], 0x21);
    EXPECT_EQ(model.Sections().FireMacroImage[239], 0x21);
    EXPECT_EQ(model.FireMacroWrite(StorageKind::Flash)->address, 0x7000);
}

} // namespace
} // namespace trvx
