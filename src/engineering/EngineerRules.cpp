#include "engineering/EngineerRules.h"

namespace trvx {

namespace {

// clang-format off
constexpr OptionField kFields[] = {
    {"cb_ICType", 4, 6, 2, {"4400", "4400", "4410", "4420/4410"}, {0, 1, 2, 3}, 4},
    {"cb_SensorEnhance", 4, 3, 1, {"Disable", "Enable"}, {0, 1}, 2},
    {"cb_Package", 5, 7, 1, {"Orbex LED", "RGB LED"}, {0, 1}, 2},
    {"cb_KbdType", 5, 6, 1, {"IO", "Multi Key"}, {0, 1}, 2},
    {"cb_CPIIndication", 5, 4, 2, {"No Indication", "Fade ", "Flash"}, {1, 2, 3}, 3},
    {"cb_CPISet", 5, 2, 2, {"800,1200,1600,2400", "600,1200,2400,4800", "1000,2400,3200,6000",
                            "400,800,1600,2400"}, {3, 2, 1, 0}, 4},
    {"cb_CPILevel", 5, 0, 2, {"1st", "4th", "3rd", "2nd"}, {0, 1, 2, 3}, 4},
    {"cb_SensorRotation", 6, 6, 2, {"270\u00B0", "180\u00B0", "90\u00B0", "0 \u00B0"}, {0, 1, 2, 3}, 4},
    {"cb_CPIPrescaleSel", 6, 4, 2, {"1.00x", "1.12x", "1.25x", "1.33x"}, {3, 1, 2, 0}, 4},
    {"cb_FireKeyFreq", 6, 2, 2, {"Random", "3Hz", "4Hz", "5Hz"}, {0, 1, 2, 3}, 4},
    {"cb_FireKeyCount", 6, 0, 2, {"Continue", "4 times", "3 times", "2 times"}, {0, 1, 2, 3}, 4},
    {"cb_LEDCtrl0", 7, 7, 1, {"open drain", "drive high"}, {0, 1}, 2},
    {"cb_LEDCtrl1", 7, 6, 1, {"high active", "low active"}, {0, 1}, 2},
    {"cb_LEDModeFuse", 7, 4, 2, {"1/F3(ZK LED)", "2/F2(ZK LED)", "5/F1(ZK LED)",
                                 "4/2(28s Sync LED)"}, {0, 1, 2, 3}, 4},
    {"cb_ComboKeyTime", 7, 3, 1, {"2s", "3s"}, {0, 1}, 2},
    {"cb_USBCDR", 7, 2, 1, {"CDR2", "CDR1"}, {0, 1}, 2},
    {"cb_SensorSleep", 7, 1, 1, {"Enable", "Disable"}, {0, 1}, 2},
    {"cb_LEDPower", 7, 0, 1, {"drive high", "open drain"}, {0, 1}, 2},
    {"cb_EFTrelyNAK", 8, 3, 1, {"Disable", "Enable"}, {0, 1}, 2},
    {"cb_EFTrelug", 8, 2, 1, {"Disable", "Enable"}, {0, 1}, 2},
    {"cb_KeepProfileInfo", 8, 1, 1, {"Disable", "Enable"}, {0, 1}, 2},
    {"cb_ProfileLEDFlash", 8, 0, 1, {"Disable", "Enable"}, {0, 1}, 2},
};

constexpr const char* kSensorEdits[] = {
    "edt_Avg_lb_lq", "edt_Avg_hb_lq", "edt_Avg_tg_lq", "edt_Avg_lb", "edt_Avg_hb", "edt_Avg_tg",
    "edt_MiscBitCfg", "edt_HSqDcrDiv_LSqDcrDiv", "edt_LfBpsShlThr", "edt_LfHfsqThr",
    "edt_CrpThrGain1Sql", "edt_CrpThrGain1Sqh", "edt_CrpThrGain2Sql", "edt_CrpThrGain2Sqh",
    "edt_CrpThrGain4Sql", "edt_CrpThrGain4Sqh", "edt_CrpThrGain8Sqx",
    "edt_BpGainThr_LandThrWeight", "edt_CrpCntThr_LftBpsGainThr", "edt_HsqCorBit_LsqCorBit",
    "edt_LftCorBitAvgThr", "edt_SubpixCorBit_MaxGain", "edt_MaxShut", "edt_LandCntThr",
    "edt_LiftCntThr", "edt_CorBitHfsqThr", "edt_illumXledAvgThr", "edt_BpHfsqThr",
    "edt_HgLsqCorBit_LgLsqCorBit", "edt_HgLsqThr", "edt_Misc_G8CorBit", "edt_LEDInit0",
    "edt_LEDInit1"};
// clang-format on

} // namespace

std::span<const OptionField> OptionFields() {
    return kFields;
}

const OptionField* FindOptionField(std::string_view combo) {
    for (const OptionField& f : kFields)
        if (combo == f.combo)
            return &f;
    return nullptr;
}

std::uint8_t ApplyOption(const OptionField& field, std::uint8_t byte, int index) {
    if (index < 0 || index >= field.count)
        return byte;
    const int mask = ((1 << field.width) - 1) << field.shift;
    return static_cast<std::uint8_t>((byte & ~mask) |
                                     ((field.values[index] << field.shift) & mask));
}

int OptionIndex(const OptionField& field, std::uint8_t byte) {
    const int value = (byte >> field.shift) & ((1 << field.width) - 1);
    for (int i = 0; i < field.count; ++i)
        if (field.values[i] == value)
            return i;
    return -1;
}

std::span<const char* const> SensorEdits() {
    return kSensorEdits;
}

EngineeringAccess::Click EngineeringAccess::DoubleClick() {
    if (mode_) {
        mode_ = false;
        return Click::TurnedOff;
    }
    ++clicks_;
    return clicks_ % 5 == 0 ? Click::AskCode : Click::Counted;
}

EngineeringAccess::Grant EngineeringAccess::EnterCodeAtLogo(std::string_view code) {
    if (code == kCodeA) {
        mode_ = true;
        return Grant::ModeOnly;
    }
    if (code == kCodeB) {
        mode_ = true;
        return Grant::Controls;
    }
    return Grant::None;
}

bool EngineeringAccess::EnterCodeAtFirePage(std::string_view code) {
    if (code == kCodeA)
        mode_ = true;
    return mode_;
}

} // namespace trvx
