#pragma once
// Writing the three profile sections (and the ID block) back to the mouse after a key or gun
// setting changed, and making the mouse reload them. Every write goes through the accepted-mouse
// gate, so nothing reaches a mouse that was not accepted.

#include "device/AcceptedMouse.h"
#include "device/WorkingModel.h"

namespace trvx {

// Reads the user section (registers 164..191) back into the model. A read that lost replies
// leaves the model's user section as it was and returns false.
bool RefreshProfileParameter(AcceptedMouse& mouse, WorkingModel& model);

// Profiles (with fresh check bytes, also in the model) as one block: 147 bytes at 192 (I2C) or
// the 256-byte settings block at 0x1000 (Flash); then the user section read back, then register
// 164 written with 15 and with its value, so the mouse reloads its profiles and returns to the
// current one. False when the mouse is not accepted (nothing sent) or a step failed.
bool WriteProfiles(AcceptedMouse& mouse, WorkingModel& model);

// WriteProfiles, with the ID block written after the profiles (12 bytes at 484 or 0x6000).
bool WriteProfilesAndIDBlock(AcceptedMouse& mouse, WorkingModel& model);

} // namespace trvx
