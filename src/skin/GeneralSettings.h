#pragma once
// The general settings: program-wide switches read once at start-up from the [org] section of
// the layout text "org".

#include "controls/wide/ParseResult.h"
#include "skin/LayoutText.h"

#include <cstdint>
#include <string>

namespace trvx {

struct GeneralSettings {
    bool WebEnable = false;     // "Web_Enable": only the value 1 enables the web link
    std::string WebAddress;     // "Web"
    std::int32_t WebX = 0;      // "Web_X": left of the five web-link copies
    std::int32_t WebY = 0;      // "Web_Y": top of them
    std::int32_t RevManuID = 0; // "Rev_Manu_ID": reserve vendor id, compared with ID byte 0
    std::int32_t RevProID = 0;  // "Rev_Pro_ID": reserve product id, compared with ID byte 1
    std::string PCMacroFolder;  // "Path": empty means the program's data folder
    bool TREnable = false;      // "TR_Enable": text rolling
    bool BEEnable = false;      // "BE_Enable": button effect
    bool GDEnable = false;      // "GD_Enable": gun display
    bool DPILEDStatus = false;  // "DPILED_Status": 1 slot-reel, 0 progress-bar style
    std::int32_t Gun6Num = 1;   // "Gun6_Num": 1 or 2
    std::int32_t Gun7Num = 1;   // "Gun7_Num": 1 to 3
    std::int32_t NumOrder = 0;  // "Num_Order": 0 ascending, 1 not shown
};

// Reads the settings from an [org] section in the described order. Every numeric key goes
// through the strict conversion; the first that fails gives its error ("'' is not a valid
// integer value" for a missing key) with the key in `where`, and no settings at all, so a
// bad text changes nothing.
ParseResult<GeneralSettings> ReadOrgSettings(const LayoutSection& org);

// ReadOrgSettings of the embedded layout text "org".
ParseResult<GeneralSettings> LoadOrgSettings();

} // namespace trvx
