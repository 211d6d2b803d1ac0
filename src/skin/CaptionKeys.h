#pragma once
// Every caption key the program reads from a language set, grouped by the pass, page or dialog
// that reads it. The caption pass and the dialogs take their keys from here, and the resource
// test checks each set against the same lists, so a key cannot be read without being authored.

#include <span>
#include <string_view>
#include <vector>

namespace trvx {

inline constexpr std::string_view kCaptionFontNameKey = "FontName";
inline constexpr std::string_view kCaptionTitleKey = "Title";
// The marker between the blanks of a key-function menu entry: " " + marker + " " + text.
inline constexpr std::string_view kMenuMarkerKey = "Str200";
// Shown when a page or button needs the mouse and none is open.
inline constexpr std::string_view kNoDeviceTextKey = "Str022";

// Messages of the message dialog and the system message box.
inline constexpr std::string_view kNoDeviceFoundKey = "Str100";    // first line
inline constexpr std::string_view kCheckUsbKey = "Str101";         // second line
inline constexpr std::string_view kStorageTypeErrorKey = "Str102"; // other storage type
inline constexpr std::string_view kMacroTooLongKey = "Str103";     // EEPROM area full
inline constexpr std::string_view kMacroListFullKey = "Str104";    // no free macro slot
inline constexpr std::string_view kSelectAimKeyKey = "Str105";     // AIM level without AIM key
inline constexpr std::string_view kMacroExistsKey = "Str106";      // duplicate macro name
inline constexpr std::string_view kIdErrorKey = "Str107";          // unknown vendor/product pair
inline constexpr std::string_view kReadLostKey = "Str108";         // whole-image read lost replies
inline constexpr std::string_view kReplugKey = "Str109";           // retries spent: plug in again
inline constexpr std::string_view kDeleteQuestionKey = "Str430";   // before deleting

// Record button: idle and recording.
inline constexpr std::string_view kRecordKey = "Str400";
inline constexpr std::string_view kStopKey = "Str401";

// One control and the key of its caption. Controls that exist once per skinned page carry the
// prefix of their name ("Btn_Main_" for Btn_Main_1 .. Btn_Main_5). leadingBlanks blanks go
// before the text (the option and radio labels keep their text clear of the check picture).
struct CaptionBinding {
    std::string_view control;
    std::string_view key;
    int leadingBlanks = 0;
};

// Side menu, language and restore buttons, five copies each.
std::span<const CaptionBinding> FrameCaptionKeys();
// The fixed caption of the engineering tab, which no language set translates.
inline constexpr std::string_view kEngineerCaption = "Engineer";

// Mode-switch option buttons IB_ComboKey1 .. IB_ComboKey8.
std::span<const CaptionBinding> ComboOptionCaptionKeys();

// Entries and openers of the key-function menus (shown behind the menu marker).
std::span<const CaptionBinding> MenuEntryCaptionKeys();

// Macro page: buttons, insert panel labels and radios.
std::span<const CaptionBinding> MacroPageCaptionKeys();
// Items 0 .. 7 of the macro page's insert list, in item order.
std::span<const std::string_view> MacroInsertItemKeys();

// Update page.
std::span<const CaptionBinding> UpdatePageCaptionKeys();

// Gun-mode page: buttons, insert panel labels and radios.
std::span<const CaptionBinding> FirePageCaptionKeys();
// Items 0 .. 5 of the gun-mode page's insert list, in item order.
std::span<const std::string_view> FireInsertItemKeys();

// Free-standing text labels of the pages.
std::span<const CaptionBinding> PageLabelCaptionKeys();

// Texts the window keeps for code that builds captions and messages later: messages, key
// captions the pages compare names with, CPI values, record/stop, insert confirm texts, the
// delete question and the gun-mode names.
std::span<const std::string_view> KeptTextKeys();
// The CPI value of step i (0 .. 11) is the text of key CpiValueKeys()[i].
std::span<const std::string_view> CpiValueKeys();
// Gun mode m (1 .. 7) is named by GunModeNameKeys()[m - 1].
std::span<const std::string_view> GunModeNameKeys();
// The captions a key entry can show on a key label (function captions, gun-mode names).
std::span<const std::string_view> KeyFunctionCaptionKeys();

// Dialog captions.
struct CombinationKeyDialogKeys {
    std::string_view title = "Str500";
    std::string_view confirm = "Str501";
    std::string_view clear = "Str502";
};
struct InputDialogKeys {
    std::string_view nameTitle = "Str510";
    std::string_view confirm = "Str511";
    std::string_view clear = "Str512";
    std::string_view keyTitle = "Str520";
    std::string_view delayTitle = "Str521";
};
inline constexpr CombinationKeyDialogKeys kCombinationKeyDialogKeys{};
inline constexpr InputDialogKeys kInputDialogKeys{};

// Every key above, FontName and Title included, sorted and without repeats.
std::vector<std::string_view> AllCaptionKeys();

} // namespace trvx
