#include "fire/FirePageTables.h"
#include "skin/LayoutRules.h"

namespace trvx {
namespace {

constexpr TextLabelRule kLabels[] = {
    {"Gun_Marco_Fire_Count_Lable", "lbl_Fire_Marco_Count"},
    {"Gun_Marco_Fire_Y_Lable", "lbl_Fire_Marco_Y"},
    {"Gun_Marco_Y_Offset_Lable", "lbl_Fire_Marco_Y_Offset"},
    {"Gun_Marco_Fire_X_Lable", "lbl_Fire_Marco_X", false}, // its width key keeps the height
    {"Gun_Marco_X_Offset_Lable", "lbl_Fire_Marco_X_Offset"},
    {"Gun_Marco_Fire_Delay_Lable", "lbl_Fire_Marco_Delay"},
    {"Gun_Marco_Keep_Left_Lable", "lbl_Fire_Keep_Left"},
    {"Gun_Marco_Color_Lable", "lbl_Fire_Marco_Color"},
};

constexpr CaptionBinding kLabelCaptions[] = {
    {"lbl_Fire_Marco_Count", "Str841"},    {"lbl_Fire_Marco_X", "Str842"},
    {"lbl_Fire_Marco_X_Offset", "Str843"}, {"lbl_Fire_Marco_Y", "Str844"},
    {"lbl_Fire_Marco_Y_Offset", "Str845"}, {"lbl_Fire_Marco_Delay", "Str846"},
    {"lbl_Fire_Keep_Left", "Str847"},      {"lbl_Fire_Marco_Color", "Str858"},
};

constexpr CaptionBinding kCaptions[] = {
    {"Btn_FireConfirm", "Str620"},     {"Btn_FireExit", "Str621"},
    {"Btn_FireStart", "Str400"},       {"Btn_NewFireName", "Str402"},
    {"Btn_FireDel", "Str408"},         {"Btn_FireInsert", "Str409"},
    {"lbl_FireDelay", "Str417"},       {"lbl_Fires_A", "Str418"},
    {"lbl_FireXAxisValue", "Str454"},  {"lbl_FireYAxisValue", "Str455"},
    {"lbl_FireRepeat", "Str458"},      {"Btn_FireOK", "Str420"},
    {"Btn_FireCancel", "Str422"},      {"IB_FireRecDelay", "Str414", 5},
    {"IB_FireDelayTime", "Str415", 5}, {"IB_FireNoDelay", "Str416", 5},
};

constexpr std::string_view kInsertItems[] = {
    "Str410", "Str411", "Str450", "Str451", "Str456", "Str457",
};

const std::vector<std::string>& fireEdits() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (auto&& more :
             {NumberedSeries("Edt_FireCnt", 1, 3), NumberedSeries("Edt_FireX", 1, 3),
              NumberedSeries("Edt_FireX", 1, 3, "Offset"), NumberedSeries("Edt_FireY", 1, 3),
              NumberedSeries("Edt_FireY", 1, 3, "Offset"), NumberedSeries("Edt_FireTime", 1, 3)})
            n.insert(n.end(), more.begin(), more.end());
        return n;
    }();
    return names;
}

const std::vector<std::string> kSizedRest = {
    "Btn_FireConfirm",    "Btn_FireExit",       "Btn_FireStart",       "Edt_FireDelay",
    "CB_InsertFire",      "lbl_FireDelay",      "Edt_InsertFireDelay", "lbl_FireXAxisValue",
    "edt_FireXAxisValue", "lbl_FireYAxisValue", "edt_FireYAxisValue",  "lbl_FireRepeat",
    "edt_FireRepeat",     "Btn_NewFireName",    "Btn_FireDel",         "Btn_FireInsert"};

} // namespace

void FirePageLayout(LayoutRules& r) {
    std::vector<std::string> sized = fireEdits();
    sized.insert(sized.end(), kSizedRest.begin(), kSizedRest.end());
    const int size = r.I("Size_J");
    r.each(sized, [&](const std::string& c) { r.fontSize(c, size); });
    const Rgb j = r.colour("Color_J");
    for (const char* c :
         {"Btn_FireConfirm", "Btn_FireExit", "Btn_FireStart", "Edt_FireDelay", "CB_InsertFire",
          "lbl_FireDelay", "lbl_FireXAxisValue", "lbl_FireYAxisValue", "lbl_FireRepeat",
          "Btn_NewFireName", "Btn_FireDel", "Btn_FireInsert"})
        r.fontColour(c, j);
    const Rgb font = r.colour("Color_J_Font");
    r.each(fireEdits(), [&](const std::string& c) { r.fontColour(c, font); });
    const Rgb back = r.colour("Color_J_Back");
    r.each(fireEdits(), [&](const std::string& c) { r.backColour(c, back); });
    for (const char* c :
         {"Btn_NewFireName", "Btn_FireDel", "Btn_FireInsert", "Edt_FireDelay",
          "Edt_InsertFireDelay", "edt_FireRepeat", "edt_FireXAxisValue", "edt_FireYAxisValue"})
        r.backColour(c, back);
    const Rgb border = r.colour("Color_J_Border");
    r.each(fireEdits(), [&](const std::string& c) { r.borderColour(c, border); });
    for (const char* c : {"Edt_FireDelay", "Edt_InsertFireDelay", "edt_FireRepeat",
                          "edt_FireXAxisValue", "edt_FireYAxisValue"})
        r.borderColour(c, border);
    r.moveKeys("Img_P6", "P6_X", "P6_Y");
    for (int n = 1; n <= 7; ++n)
        r.pictureButton(Numbered("Img_Fire", n), Numbered("Btn_Fire", n), Numbered("Fire", n));
    for (int n = 1; n <= 5; ++n)
        r.moveKeys(Numbered("Img_GunMode", n), Numbered("GunMode", n, "_X"),
                   Numbered("GunMode", n, "_Y"));
    {
        const int x = r.I("IsHasLK_X");
        const int y = r.I("IsHasLK_Y");
        r.move("Img_FireSelLeft", x, y);
        r.move("lbl_FireSelLeft", x - 2, y);
        r.sizeFrom("lbl_FireSelLeft", "Img_FireSelLeft", 4, 4);
    }
    for (const auto& [key, edit] :
         {std::pair{"FireCnt", "Edt_FireCnt"}, std::pair{"FireX", "Edt_FireX"},
          std::pair{"FireX_Offset", "Edt_FireX_Offset"}, std::pair{"FireY", "Edt_FireY"},
          std::pair{"FireY_Offset", "Edt_FireY_Offset"}, std::pair{"FireTime", "Edt_FireTime"}}) {
        const std::string k(key), e(edit);
        const auto kc = k.find('_'), ec = e.find("_Offset");
        for (int n = 1; n <= 3; ++n) {
            // "FireX1_Offset" and "Edt_FireX1Offset": the number goes before the suffix.
            const std::string stem = kc == std::string::npos
                                         ? Numbered(k, n)
                                         : Numbered(k.substr(0, kc), n, k.substr(kc));
            const std::string name =
                ec == std::string::npos ? Numbered(e, n) : Numbered(e.substr(0, ec), n, "Offset");
            r.moveKeys(name, stem + "_X", stem + "_Y");
        }
    }
    for (int n = 1; n <= 3; ++n) {
        const int x = r.I(Numbered("FireColor", n, "_X"));
        const int y = r.I(Numbered("FireColor", n, "_Y"));
        const std::string pic = Numbered("Img_FireColor", n);
        r.move(pic, x, y);
        for (const std::string& c : {Numbered("cs_FireColor", n), Numbered("IB_FireColor", n)}) {
            r.move(c, x, y);
            r.sizeFrom(c, pic);
        }
    }
    r.pictureButton("Img_FireConfirm", "Btn_FireConfirm", "FireConfirm");
    r.pictureButton("Img_FireExit", "Btn_FireExit", "FireCancel");
}

void FirePageLabels(LayoutRules& r) {
    r.textLabels(kLabels);
}

void AddFirePageFonts(std::vector<std::string>& fonts) {
    fonts.insert(fonts.end(), fireEdits().begin(), fireEdits().end());
    fonts.insert(fonts.end(), kSizedRest.begin(), kSizedRest.end());
    for (const char* c : {"lbl_Fires_A", "Btn_FireOK", "Btn_FireCancel", "IB_FireRecDelay",
                          "IB_FireDelayTime", "IB_FireNoDelay", "LB_FireMacroName", "LB_FireMacro"})
        fonts.push_back(c);
}

void FirePageCaptions(LayoutRules& r) {
    r.bind(kCaptions);
    r.items("CB_InsertFire", kInsertItems);
}

std::span<const CaptionBinding> FirePageLabelCaptionKeys() {
    return kLabelCaptions;
}
std::span<const CaptionBinding> FirePageCaptionKeys() {
    return kCaptions;
}
std::span<const std::string_view> FireInsertItemKeys() {
    return kInsertItems;
}

} // namespace trvx
