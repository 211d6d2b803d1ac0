#include "skin/CaptionKeys.h"

#include <algorithm>

namespace trvx {
namespace {

constexpr CaptionBinding kFrame[] = {
    {"Btn_Main_", "Str004"},     {"Btn_Switch_", "Str005"},   {"Btn_Fixed_", "Str006"},
    {"Btn_Adv_", "Str007"},      {"Btn_Breath_", "Str008"},   {"Btn_Macro_", "Str014"},
    {"Btn_Update_", "Str015"},   {"Btn_Save_", "Str009"},     {"Btn_Load_", "Str010"},
    {"Btn_Lang1_", "Str011"},    {"Btn_Lang2_", "Str012"},    {"Btn_Lang3_", "Str013"},
    {"Btn_Confirm1_", "Str001"}, {"Btn_Confirm2_", "Str002"}, {"Btn_Confirm3_", "Str016"},
};

constexpr CaptionBinding kComboOptions[] = {
    {"IB_ComboKey1", "Str700", 4}, {"IB_ComboKey2", "Str701", 4}, {"IB_ComboKey3", "Str702", 4},
    {"IB_ComboKey4", "Str703", 4}, {"IB_ComboKey5", "Str704", 4}, {"IB_ComboKey6", "Str705", 4},
    {"IB_ComboKey7", "Str706", 4}, {"IB_ComboKey8", "Str707", 4},
};

constexpr CaptionBinding kMenuEntries[] = {
    {"Key_Standard", "Str201"},   {"Key_Special", "Str202"},      {"Key_Media", "Str203"},
    {"Key_WWW", "Str204"},        {"Key_MyPC", "Str207"},         {"Key_Assembly", "Str205"},
    {"Key_Macro", "Str206"},      {"Key_FireMacro", "Str208"},    {"Key_TLFireMacro", "Str208"},
    {"Key_Left", "Str210"},       {"Key_Right", "Str211"},        {"Key_Middle", "Str212"},
    {"Key_B4", "Str213"},         {"Key_B5", "Str214"},           {"Key_CPIKey", "Str220"},
    {"Key_CPI", "Str221"},        {"Key_CPII", "Str222"},         {"Key_CPID", "Str223"},
    {"Key_Fire", "Str230"},       {"Key_Fire1", "Str231"},        {"Key_Fire2", "Str232"},
    {"Key_Fire3", "Str233"},      {"Key_ACPIKey", "Str240"},      {"Key_PowerDown", "Str241"},
    {"Key_Sleep", "Str242"},      {"Key_WakeUp", "Str243"},       {"Key_ProfileKey", "Str250"},
    {"Key_Profile1", "Str251"},   {"Key_Profile2", "Str252"},     {"Key_Profile3", "Str253"},
    {"Key_Profile", "Str254"},    {"Key_AIM", "Str260"},          {"Key_LEDMode", "Str261"},
    {"Key_LEDSwitch", "Str262"},  {"Key_BtnEFT", "Str263"},       {"Key_ReportRate", "Str264"},
    {"Key_KeyOff", "Str277"},     {"Key_FireMacroKey", "Str265"}, {"Key_FireMacroOff", "Str266"},
    {"Key_AdjustXY", "Str267"},   {"Key_AdjustXYFn", "Str268"},   {"Key_AdjustXYSwitch", "Str269"},
    {"Key_PlayPause", "Str270"},  {"Key_Stop", "Str271"},         {"Key_PreviousTrack", "Str272"},
    {"Key_NextTrack", "Str273"},  {"Key_VolumePlus", "Str274"},   {"Key_VolumeMinus", "Str275"},
    {"Key_Mute", "Str276"},       {"Key_WWWHome", "Str280"},      {"Key_WWWSearch", "Str281"},
    {"Key_WWWBack", "Str282"},    {"Key_WWWForward", "Str283"},   {"Key_WWWStop", "Str284"},
    {"Key_WWWRefresh", "Str285"}, {"Key_WWWFavorites", "Str286"}, {"Key_Computer", "Str290"},
    {"Key_Calculator", "Str291"}, {"Key_EMail", "Str292"},        {"Key_Desktop", "Str293"},
};

constexpr CaptionBinding kMacroPage[] = {
    {"Btn_NewName", "Str402"},
    {"Btn_New", "Str432"},
    {"Btn_Start", "Str400"},
    {"Btn_ExportOne", "Str404"},
    {"Btn_Export", "Str405"},
    {"Btn_ImportOne", "Str406"},
    {"Btn_Import", "Str407"},
    {"Btn_Del", "Str408"},
    {"Btn_Insert", "Str409"},
    {"Btn_Edit", "Str435"},
    {"Btn_NewMacro", "Str432"},
    {"Btn_DelMacro", "Str433"},
    {"Btn_DevExport", "Str405"},
    {"Btn_DelPCMacro", "Str433"},
    {"Btn_AddMacro", "Str434"},
    {"IB_InsertRecDelay", "Str414", 3},
    {"IB_InsertDelayTime", "Str415", 3},
    {"IB_InsertNoDelay", "Str416", 3},
    {"lbl_Delay", "Str417"},
    {"lbl_s_A", "Str418"},
    {"lbl_XAxisValue", "Str454"},
    {"lbl_YAxisValue", "Str455"},
    {"lbl_Repeat", "Str458"},
    {"Btn_InsertStart", "Str400"},
    {"Btn_OK", "Str420"},
    {"Btn_Cancel", "Str422"},
};

constexpr std::string_view kMacroInsertItems[] = {
    "Str410", "Str411", "Str412", "Str413", "Str450", "Str451", "Str456", "Str457",
};

constexpr CaptionBinding kUpdatePage[] = {
    {"lbl_BINPath", "Str442"},
    {"Btn_LoadBIN", "Str440"},
    {"Btn_Program", "Str441"},
};

constexpr CaptionBinding kFirePage[] = {
    {"Btn_FireConfirm", "Str620"},     {"Btn_FireExit", "Str621"},
    {"Btn_FireStart", "Str400"},       {"Btn_NewFireName", "Str402"},
    {"Btn_FireDel", "Str408"},         {"Btn_FireInsert", "Str409"},
    {"lbl_FireDelay", "Str417"},       {"lbl_Fires_A", "Str418"},
    {"lbl_FireXAxisValue", "Str454"},  {"lbl_FireYAxisValue", "Str455"},
    {"lbl_FireRepeat", "Str458"},      {"Btn_FireOK", "Str420"},
    {"Btn_FireCancel", "Str422"},      {"IB_FireRecDelay", "Str414", 5},
    {"IB_FireDelayTime", "Str415", 5}, {"IB_FireNoDelay", "Str416", 5},
};

constexpr std::string_view kFireInsertItems[] = {
    "Str410", "Str411", "Str450", "Str451", "Str456", "Str457",
};

constexpr CaptionBinding kPageLabels[] = {
    {"lbl_FireKey", "Str800"},
    {"lbl_FireKey1", "Str858"},
    {"lbl_FireKey2", "Str856"},
    {"lbl_FireKey3", "Str857"},
    {"lbl_Fire_Count", "Str801"},
    {"lbl_Fire_Time", "Str802"},
    {"lbl_Fire_Continue", "Str803"},
    {"lbl_Mouse_Speed", "Str804"},
    {"lbl_Is_Control", "Str805"},
    {"lbl_Double_Click", "Str806"},
    {"lbl_Roller_Speed", "Str807"},
    {"lbl_Roll_All_Screen", "Str808"},
    {"lbl_DPI_Setting", "Str809"},
    {"lbl_DPI_Value", "Str810"},
    {"lbl_Rating_Setting", "Str849"},
    {"lbl_Rating_Value1", "Str850"},
    {"lbl_Rating_Value2", "Str851"},
    {"lbl_Rating_Value3", "Str852"},
    {"lbl_Rating_Value4", "Str853"},
    {"lbl_LED_Effect_Setting", "Str812"},
    {"lbl_LED_Effect_Slow", "Str813"},
    {"lbl_LED_Effect_Fast", "Str814"},
    {"lbl_LED_Mode", "Str821"},
    {"lbl_LED_Color", "Str822"},
    {"lbl_LED1", "Str815"},
    {"lbl_LED2", "Str816"},
    {"lbl_LED3", "Str817"},
    {"lbl_LED4", "Str818"},
    {"lbl_LED5", "Str819"},
    {"lbl_LED6", "Str820"},
    {"lbl_LED7", "Str859"},
    {"lbl_MCULED3Control", "Str823"},
    {"lbl_MCULED6Control", "Str824"},
    {"lbl_Marco_List", "Str834"},
    {"lbl_Mouse_Marco_List", "Str835"},
    {"lbl_Marco_Content", "Str836"},
    {"lbl_Record_Delay", "Str837"},
    {"lbl_Delay_Setting", "Str838"},
    {"lbl_No_Delay", "Str839"},
    {"lbl_MS", "Str840"},
    {"lbl_Fire_Marco_Count", "Str841"},
    {"lbl_Fire_Marco_X", "Str842"},
    {"lbl_Fire_Marco_X_Offset", "Str843"},
    {"lbl_Fire_Marco_Y", "Str844"},
    {"lbl_Fire_Marco_Y_Offset", "Str845"},
    {"lbl_Fire_Marco_Delay", "Str846"},
    {"lbl_Fire_Keep_Left", "Str847"},
    {"lbl_Fire_Marco_Color", "Str858"},
};

constexpr std::string_view kCpiValues[] = {
    "Str300", "Str301", "Str302", "Str303", "Str304", "Str305",
    "Str306", "Str307", "Str308", "Str309", "Str310", "Str311",
};

constexpr std::string_view kGunModeNames[] = {
    "Str600", "Str601", "Str602", "Str603", "Str604", "Str605", "Str606",
};

constexpr std::string_view kKept[] = {
    "Str004", "Str005", "Str022", "Str100", "Str101", "Str102", "Str103", "Str104", "Str105",
    "Str106", "Str107", "Str205", "Str210", "Str212", "Str213", "Str214", "Str221", "Str222",
    "Str223", "Str231", "Str232", "Str233", "Str251", "Str252", "Str253", "Str260", "Str261",
    "Str300", "Str301", "Str302", "Str303", "Str304", "Str305", "Str306", "Str307", "Str308",
    "Str309", "Str310", "Str311", "Str400", "Str401", "Str420", "Str421", "Str430", "Str600",
    "Str601", "Str602", "Str603", "Str604", "Str605", "Str606", "Str108", "Str109",
};

constexpr std::string_view kKeyFunctions[] = {
    "Str205", "Str210", "Str211", "Str212", "Str213", "Str214", "Str221", "Str222", "Str223",
    "Str231", "Str232", "Str233", "Str241", "Str242", "Str243", "Str251", "Str252", "Str253",
    "Str254", "Str260", "Str261", "Str262", "Str263", "Str264", "Str265", "Str266", "Str268",
    "Str269", "Str270", "Str271", "Str272", "Str273", "Str274", "Str275", "Str276", "Str277",
    "Str280", "Str281", "Str282", "Str283", "Str284", "Str285", "Str286", "Str290", "Str291",
    "Str292", "Str293", "Str600", "Str601", "Str602", "Str603", "Str604", "Str605", "Str606",
};

void addKeys(std::vector<std::string_view>& out, std::span<const CaptionBinding> bindings) {
    for (const CaptionBinding& b : bindings)
        out.push_back(b.key);
}

void addKeys(std::vector<std::string_view>& out, std::span<const std::string_view> keys) {
    out.insert(out.end(), keys.begin(), keys.end());
}

} // namespace

std::span<const CaptionBinding> FrameCaptionKeys() {
    return kFrame;
}
std::span<const CaptionBinding> ComboOptionCaptionKeys() {
    return kComboOptions;
}
std::span<const CaptionBinding> MenuEntryCaptionKeys() {
    return kMenuEntries;
}
std::span<const CaptionBinding> MacroPageCaptionKeys() {
    return kMacroPage;
}
std::span<const std::string_view> MacroInsertItemKeys() {
    return kMacroInsertItems;
}
std::span<const CaptionBinding> UpdatePageCaptionKeys() {
    return kUpdatePage;
}
std::span<const CaptionBinding> FirePageCaptionKeys() {
    return kFirePage;
}
std::span<const std::string_view> FireInsertItemKeys() {
    return kFireInsertItems;
}
std::span<const CaptionBinding> PageLabelCaptionKeys() {
    return kPageLabels;
}
std::span<const std::string_view> KeptTextKeys() {
    return kKept;
}
std::span<const std::string_view> CpiValueKeys() {
    return kCpiValues;
}
std::span<const std::string_view> GunModeNameKeys() {
    return kGunModeNames;
}
std::span<const std::string_view> KeyFunctionCaptionKeys() {
    return kKeyFunctions;
}

std::vector<std::string_view> AllCaptionKeys() {
    std::vector<std::string_view> keys = {kCaptionFontNameKey, kCaptionTitleKey, kMenuMarkerKey,
                                          kNoDeviceTextKey, kDeleteQuestionKey};
    addKeys(keys, FrameCaptionKeys());
    addKeys(keys, ComboOptionCaptionKeys());
    addKeys(keys, MenuEntryCaptionKeys());
    addKeys(keys, MacroPageCaptionKeys());
    addKeys(keys, MacroInsertItemKeys());
    addKeys(keys, UpdatePageCaptionKeys());
    addKeys(keys, FirePageCaptionKeys());
    addKeys(keys, FireInsertItemKeys());
    addKeys(keys, PageLabelCaptionKeys());
    addKeys(keys, KeptTextKeys());
    addKeys(keys, CpiValueKeys());
    addKeys(keys, GunModeNameKeys());
    addKeys(keys, KeyFunctionCaptionKeys());
    for (const auto& k :
         {kCombinationKeyDialogKeys.title, kCombinationKeyDialogKeys.confirm,
          kCombinationKeyDialogKeys.clear, kInputDialogKeys.nameTitle, kInputDialogKeys.confirm,
          kInputDialogKeys.clear, kInputDialogKeys.keyTitle, kInputDialogKeys.delayTitle})
        keys.push_back(k);
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

} // namespace trvx
