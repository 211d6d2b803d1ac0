#include "skin/GeneralSettings.h"

#include <algorithm>

namespace trvx {

ParseResult<GeneralSettings> ReadOrgSettings(const LayoutSection& org) {
    LayoutReader read(org);
    GeneralSettings s;
    s.WebEnable = read.Int("Web_Enable") == 1;
    s.WebAddress = read.Text("Web");
    s.WebX = read.Int("Web_X");
    s.WebY = read.Int("Web_Y");
    s.RevManuID = read.Int("Rev_Manu_ID");
    s.RevProID = read.Int("Rev_Pro_ID");
    s.PCMacroFolder = read.Text("Path");
    s.TREnable = read.Int("TR_Enable") == 1;
    s.BEEnable = read.Int("BE_Enable") == 1;
    s.GDEnable = read.Int("GD_Enable") == 1;
    s.DPILEDStatus = read.Int("DPILED_Status") == 1;
    s.Gun6Num = std::clamp(read.Int("Gun6_Num"), 1, 2);
    s.Gun7Num = std::clamp(read.Int("Gun7_Num"), 1, 3);
    s.NumOrder = std::clamp(read.Int("Num_Order"), 0, 1);
    if (!read.ok())
        return ParseResult<GeneralSettings>::Fail(read.Error(), read.ErrorKey());
    return ParseResult<GeneralSettings>::Ok(std::move(s));
}

ParseResult<GeneralSettings> LoadOrgSettings() {
    const auto org = ReadLayoutSection("org");
    if (!org.ok())
        return ParseResult<GeneralSettings>::Fail(org.error, org.where);
    return ReadOrgSettings(*org);
}

} // namespace trvx
