#pragma once
// Caption keys the program reads from a language set outside the pages' own lists: messages,
// kept texts, dialog captions. The caption pass and the dialogs take their keys from here and
// from the pages' lists, and the resource test checks each set against all of them, so a key
// cannot be read without being authored.

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
inline constexpr std::string_view kOpenRefusedKey = "Str115";      // no permission to open it
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

// The fixed caption of the engineering tab, which no language set translates.
inline constexpr std::string_view kEngineerCaption = "Engineer";

// The pages' own caption keys sit beside each page (keys/KeyPageTables.h, ...); the shell
// gathers every key read (shell/MainWindowTables.h).

// Texts that code reads by key (PageHost::LangText) to build captions and messages later:
// messages, key captions the pages compare names with, CPI values, record/stop, insert confirm
// texts, the delete question and the gun-mode names. Listed so every set is checked for them.
std::span<const std::string_view> KeptTextKeys();
// The CPI value of step i (0 .. 11) is the text of key CpiValueKeys()[i].
std::span<const std::string_view> CpiValueKeys();
// Gun mode m (1 .. 7) is named by GunModeNameKeys()[m - 1].
std::span<const std::string_view> GunModeNameKeys();

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

} // namespace trvx
