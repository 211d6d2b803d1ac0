#include "device/ProfileWriteBack.h"

namespace trvx {
namespace {

constexpr std::uint8_t kProfileReloadValue = 15;

bool WriteProfileBlocks(AcceptedMouse& mouse, WorkingSections& sections, bool withIdBlock) {
    const StorageKind kind = mouse.AcceptedStorage();
    if (kind == StorageKind::None)
        return false;
    const TProfileWriteBuffer profiles = BuildProfileWriteBuffer(sections);
    bool ok = true;
    if (kind == StorageKind::I2C) {
        ok = mouse.WriteBlock(static_cast<std::uint16_t>(eeprom::kProfiles[0].offset), profiles);
    } else {
        const TFlashSettingsBlock block = BuildFlashSettingsBlock(
            sections.FlashSettingsHead, profiles, sections.ProfileTailBlock);
        ok = mouse.WriteBlock(static_cast<std::uint16_t>(flash::kSettingsBlock.offset), block);
    }
    if (withIdBlock) {
        const TIDBlock idBlockBuffer = sections.IDBlock;
        const auto address =
            kind == StorageKind::I2C ? eeprom::kIdBlock.offset : flash::kIdBlock.offset;
        ok = mouse.WriteBlock(static_cast<std::uint16_t>(address), idBlockBuffer) && ok;
    }
    ok = RefreshProfileParameter(mouse, sections) && ok;
    // 15 then the current profile: the mouse reloads the profiles it was just sent.
    ok = mouse.WriteRegister(kUserRegisterFirst, kProfileReloadValue, 0, 0, 1) && ok;
    ok = mouse.WriteRegister(kUserRegisterFirst, sections.UserSection[0], 0, 0, 1) && ok;
    return ok;
}

} // namespace

bool RefreshProfileParameter(AcceptedMouse& mouse, WorkingSections& sections) {
    TUserSection user{};
    if (!mouse.ReadRegisters(0, kUserRegisterFirst, static_cast<int>(user.size()), user))
        return false;
    sections.UserSection = user;
    return true;
}

bool WriteProfiles(AcceptedMouse& mouse, WorkingSections& sections) {
    return WriteProfileBlocks(mouse, sections, false);
}

bool WriteProfilesAndIDBlock(AcceptedMouse& mouse, WorkingSections& sections) {
    return WriteProfileBlocks(mouse, sections, true);
}

} // namespace trvx
