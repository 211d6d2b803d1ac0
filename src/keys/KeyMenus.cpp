#include "keys/KeyMenus.h"

namespace trvx {
namespace {

using E = KeyMenuEntry;

// The first level. Key_Assembly opens the combination-key dialog and has no Tag of its own;
// Key_FireMacro belongs to the key page and Key_TLFireMacro to the engineering page.
constexpr E kMain[] = {
    {"Key_Standard", 1, "Str201", "Pnl_MseKey", true},
    {"Key_Special", 2, "Str202", "Pnl_Special", true},
    {"Key_Media", 3, "Str203", "Pnl_Media", true},
    {"Key_WWW", 4, "Str204", "Pnl_WWW", true},
    {"Key_MyPC", 5, "Str207", "Pnl_MyPC", true},
    {"Key_Assembly", 0, "Str205", {}, false},
    {"Key_Macro", 6, "Str206", "LB_Name", true},
    {"Key_FireMacro", 11, "Str208", {}, false},
    {"Key_TLFireMacro", 13, "Str208", "LB_Script", true},
};

constexpr E kSpecial[] = {
    {"Key_CPIKey", 7, "Str220", "Pnl_CPIKey", true},
    {"Key_Fire", 8, "Str230", "Pnl_FireKey", true},
    {"Key_ACPIKey", 9, "Str240", "Pnl_ACPI", true},
    {"Key_ProfileKey", 10, "Str250", "Pnl_Profile", true},
    {"Key_AIM", 1000, "Str260", {}, false},
    {"Key_LEDMode", 1001, "Str261", {}, false},
    {"Key_LEDSwitch", 1002, "Str262", {}, false},
    {"Key_BtnEFT", 1003, "Str263", {}, false},
    {"Key_ReportRate", 1004, "Str264", {}, false},
    {"Key_KeyOff", 1007, "Str277", {}, false},
    {"Key_FireMacroKey", 1005, "Str265", {}, false},
    {"Key_FireMacroOff", 1006, "Str266", {}, false},
    {"Key_AdjustXY", 12, "Str267", "Pnl_AdjustXY", true},
};

constexpr E kCpi[] = {
    {"Key_CPI", 2000, "Str221", {}, false},
    {"Key_CPII", 2001, "Str222", {}, false},
    {"Key_CPID", 2002, "Str223", {}, false},
};

constexpr E kFire[] = {
    {"Key_Fire1", 2100, "Str231", {}, false},
    {"Key_Fire2", 2101, "Str232", {}, false},
    {"Key_Fire3", 2102, "Str233", {}, false},
};

constexpr E kAcpi[] = {
    {"Key_PowerDown", 2200, "Str241", {}, false},
    {"Key_Sleep", 2201, "Str242", {}, false},
    {"Key_WakeUp", 2202, "Str243", {}, false},
};

constexpr E kProfile[] = {
    {"Key_Profile1", 2300, "Str251", {}, false},
    {"Key_Profile2", 2301, "Str252", {}, false},
    {"Key_Profile3", 2302, "Str253", {}, false},
    {"Key_Profile", 2303, "Str254", {}, false},
};

constexpr E kMouse[] = {
    {"Key_Left", 900, "Str210", {}, false},   {"Key_Right", 901, "Str211", {}, false},
    {"Key_Middle", 902, "Str212", {}, false}, {"Key_B4", 903, "Str213", {}, false},
    {"Key_B5", 904, "Str214", {}, false},
};

constexpr E kMedia[] = {
    {"Key_PlayPause", 1100, "Str270", {}, false},
    {"Key_Stop", 1101, "Str271", {}, false},
    {"Key_PreviousTrack", 1102, "Str272", {}, false},
    {"Key_NextTrack", 1103, "Str273", {}, false},
    {"Key_VolumePlus", 1104, "Str274", {}, false},
    {"Key_VolumeMinus", 1105, "Str275", {}, false},
    {"Key_Mute", 1106, "Str276", {}, false},
};

constexpr E kMyPc[] = {
    {"Key_Computer", 1300, "Str290", {}, false},
    {"Key_Calculator", 1301, "Str291", {}, false},
    {"Key_EMail", 1302, "Str292", {}, false},
    {"Key_Desktop", 1303, "Str293", {}, false},
};

constexpr E kWww[] = {
    {"Key_WWWHome", 1200, "Str280", {}, false},      {"Key_WWWSearch", 1201, "Str281", {}, false},
    {"Key_WWWBack", 1202, "Str282", {}, false},      {"Key_WWWForward", 1203, "Str283", {}, false},
    {"Key_WWWStop", 1204, "Str284", {}, false},      {"Key_WWWRefresh", 1205, "Str285", {}, false},
    {"Key_WWWFavorites", 1206, "Str286", {}, false},
};

constexpr E kAdjustXy[] = {
    {"Key_AdjustXYFn", 2400, "Str268", {}, false},
    {"Key_AdjustXYSwitch", 2401, "Str269", {}, false},
};

constexpr KeyMenu kMenus[] = {
    {"Pnl_Main", kMain},    {"Pnl_Special", kSpecial},   {"Pnl_CPIKey", kCpi},
    {"Pnl_FireKey", kFire}, {"Pnl_ACPI", kAcpi},         {"Pnl_Profile", kProfile},
    {"Pnl_MseKey", kMouse}, {"Pnl_Media", kMedia},       {"Pnl_MyPC", kMyPc},
    {"Pnl_WWW", kWww},      {"Pnl_AdjustXY", kAdjustXy},
};

} // namespace

std::span<const KeyMenu> KeyMenus() {
    return kMenus;
}

const KeyMenu* FindKeyMenu(std::string_view panel) {
    for (const KeyMenu& m : kMenus)
        if (m.panel == panel)
            return &m;
    return nullptr;
}

const KeyMenuEntry* FindKeyMenuEntry(std::string_view name) {
    for (const KeyMenu& m : kMenus)
        for (const KeyMenuEntry& e : m.entries)
            if (e.name == name)
                return &e;
    return nullptr;
}

std::string KeyMenuArrow(const KeyMenuEntry& entry) {
    return "ST_" + std::string(entry.name.substr(4));
}

} // namespace trvx
