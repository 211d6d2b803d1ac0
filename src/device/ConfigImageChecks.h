#pragma once
// Check bytes of the vendor, user and profile sections, and their check-and-repair: a section
// whose check byte fails is replaced whole by its coded default with a fresh check byte.

#include "device/DefaultSections.h"
#include "device/ImageLayout.h"

namespace trvx {

void SetVendorChecksum(TVendorSection& section);
void SetUserChecksum(TUserSection& section);
void SetProfileChecksum(TProfileSection& section);

// Each returns true when the section failed its check and was rebuilt from its defaults.
// Nothing else happens: the repaired section reaches the mouse with its next write.
bool CheckVendorSection(TVendorSection& section, const SectionDefaultsContext& ctx);
bool CheckUserSection(TUserSection& section, const SectionDefaultsContext& ctx);
bool CheckProfile1Section(TProfileSection& section, const SectionDefaultsContext& ctx);
bool CheckProfile2Section(TProfileSection& section, const SectionDefaultsContext& ctx);
bool CheckProfile3Section(TProfileSection& section, const SectionDefaultsContext& ctx);

} // namespace trvx
