#include "device/ProfileWriteBack.h"

namespace trvx {
namespace {

constexpr std::uint8_t kProfileReloadValue = 15;

bool WriteProfileBlocks(AcceptedMouse& mouse, WorkingModel& model, bool withIdBlock) {
    const StorageKind kind = mouse.AcceptedStorage();
    const auto profiles = model.ProfileWrite(kind);
    if (!profiles)
        return false;
    bool ok = mouse.WriteBlock(profiles->address, profiles->bytes);
    if (withIdBlock) {
        const auto id = model.IdBlockWrite(kind);
        ok = mouse.WriteBlock(id->address, id->bytes) && ok;
    }
    ok = RefreshProfileParameter(mouse, model) && ok;
    // 15 then the current profile: the mouse reloads the profiles it was just sent.
    ok = mouse.WriteRegister(kUserRegisterFirst, kProfileReloadValue, 0, 0, 1) && ok;
    ok = mouse.WriteRegister(kUserRegisterFirst, model.Register(kUserRegisterFirst), 0, 0, 1) && ok;
    return ok;
}

} // namespace

bool RefreshProfileParameter(AcceptedMouse& mouse, WorkingModel& model) {
    TUserSection user{};
    if (!mouse.ReadRegisters(0, kUserRegisterFirst, static_cast<int>(user.size()), user))
        return false;
    model.EditSections().UserSection = user;
    return true;
}

bool WriteProfiles(AcceptedMouse& mouse, WorkingModel& model) {
    return WriteProfileBlocks(mouse, model, false);
}

bool WriteProfilesAndIDBlock(AcceptedMouse& mouse, WorkingModel& model) {
    return WriteProfileBlocks(mouse, model, true);
}

} // namespace trvx
