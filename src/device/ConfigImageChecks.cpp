#include "device/ConfigImageChecks.h"

namespace trvx {
namespace {

template <typename Section, typename Builder>
bool CheckAndRepair(Section& section, const SectionDefaultsContext& ctx, Builder build) {
    if (SectionChecksumValid(section))
        return false;
    build(section, ctx);
    SetSectionChecksum(section);
    return true;
}

} // namespace

void SetVendorChecksum(TVendorSection& section) {
    SetSectionChecksum(section);
}
void SetUserChecksum(TUserSection& section) {
    SetSectionChecksum(section);
}
void SetProfileChecksum(TProfileSection& section) {
    SetSectionChecksum(section);
}

bool CheckVendorSection(TVendorSection& section, const SectionDefaultsContext& ctx) {
    return CheckAndRepair(section, ctx, DefaultVendorSection);
}

bool CheckUserSection(TUserSection& section, const SectionDefaultsContext& ctx) {
    return CheckAndRepair(section, ctx, DefaultUserSection);
}

bool CheckProfile1Section(TProfileSection& section, const SectionDefaultsContext& ctx) {
    return CheckAndRepair(section, ctx, DefaultProfile1Section);
}

bool CheckProfile2Section(TProfileSection& section, const SectionDefaultsContext& ctx) {
    return CheckAndRepair(section, ctx, DefaultProfile2Section);
}

bool CheckProfile3Section(TProfileSection& section, const SectionDefaultsContext& ctx) {
    return CheckAndRepair(section, ctx, DefaultProfile3Section);
}

} // namespace trvx
