#pragma once
// The event byte code that every macro is made of (device macros, library macros, fire macros),
// the text lines the editor shows for it, and the two ways between them.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

// Opcodes. Button events carry their button bit in the opcode: 0xA0 + b down, 0x20 + b up.
enum TMacroEvent : std::uint8_t {
    meEnd = 0x00,
    meModifierUp = 0x01,
    meKeyUp = 0x02,
    meMove = 0x04,
    meModifierDown = 0x81,
    meKeyDown = 0x82,
    meLoopEnd = 0xFC,
    meLoopStart = 0xFD,
    meDelay = 0xFE,
};
constexpr std::uint8_t kButtonUpBase = 0x20;
constexpr std::uint8_t kButtonDownBase = 0xA0;
constexpr std::array<std::uint8_t, 5> kMacroButtonBits{0x01, 0x02, 0x04, 0x08, 0x10};
constexpr std::array<std::uint8_t, 5> kMacroModifierMasks{0x01, 0x02, 0x04, 0x08, 0x80};

// A library body, end byte included; also the largest device body.
constexpr std::size_t kMacroBodySize = 256;
using MacroBody = std::array<std::uint8_t, kMacroBodySize>;

// Size in bytes of the event that starts with this opcode (1 for meEnd); 0 for a byte that is no
// opcode.
int MacroEventSize(std::uint8_t opcode);

// Walks the events from the start of the bytes: the size of the body up to and including its end
// byte. nullopt when a byte is no opcode, an event runs past the bytes, or no end byte comes
// within the first 256.
std::optional<std::size_t> MacroBodyEnd(std::span<const std::uint8_t> bytes);

// One line of the editor's script; line 0 of a script is the delay-mode header.
using MacroScriptLine = std::string;
using MacroScript = std::vector<MacroScriptLine>;

// Name of a modifier mask ("Ctrl", "Shift", "Alt", "Left Windows", "Right Windows"); empty for
// anything but those five bits.
std::string_view ModifierName(std::uint8_t mask);
// Fixed name of a mouse button bit ("LeftKey" ...); empty for other values.
std::string_view ButtonName(std::uint8_t bit);

// The line forms.
MacroScriptLine DelayLine(std::uint16_t milliseconds);      // 0 50
MacroScriptLine ModifierLine(bool down, std::uint8_t mask); // 1 Ctrl CODE:8101
MacroScriptLine KeyLine(bool down, std::uint8_t usage, std::string_view keyName); // 1 A CODE:8204
MacroScriptLine ButtonLine(bool down, std::uint8_t bit); // 1 LeftKey CODE:00A1
MacroScriptLine MoveLine(std::int8_t x, std::int8_t y);  // 3 04FB05
MacroScriptLine LoopStartLine(std::uint8_t count);       // 7 FD0A
MacroScriptLine LoopEndLine();                           // 8 FC

// The delay modes that the header records.
enum class MacroDelayMode { None, Fixed, Recorded };
// "00", "01" + milliseconds, "10".
MacroScriptLine DelayHeaderLine(MacroDelayMode mode, std::uint16_t fixedDelay = 0);

struct CompiledMacro {
    MacroBody body{};         // the events, the end byte, zeros after it
    std::uint16_t length = 0; // events plus end byte
    std::string hexLine;      // the compiled bytes as hex digits
};

enum class CompileError {
    TooLong, // more than 256 bytes with the end byte
    BadLine, // a line whose code is no hex or whose delay is out of 0..65535
};

struct CompileResult {
    std::optional<CompiledMacro> macro;
    CompileError error = CompileError::TooLong;
    int errorLine = 0; // script line index of a BadLine
};

// Compiles script lines 1..n (line 0, the header, is skipped) into a library body. A script
// that does not fit the 256 bytes is refused whole, so the caller keeps the body it had.
CompileResult CompilePCMacroScript(const MacroScript& lines);
// English text of a refused compile for the message dialog.
std::string CompileErrorText(const CompileResult& result);

// HID usage to key name, given by the key tables.
using KeyNameFunction = std::function<std::string(std::uint8_t usage)>;

struct MacroListing {
    MacroScript lines; // header, then one line per event
    MacroDelayMode mode = MacroDelayMode::None;
    std::uint16_t fixedDelay = 0; // for MacroDelayMode::Fixed
    bool complete = true;         // false when a byte with no line form stopped the listing
};

// Lists the events of a body as script lines. Reads events starting below length - 1 (the end
// byte is never read) and never past the bytes given; stops at a byte that has no line form.
MacroListing MacroBodyToScript(std::span<const std::uint8_t> body, std::size_t length,
                               const KeyNameFunction& keyName);

// Length of a flash slot's body: one past the first byte that starts a run of three zero bytes;
// nullopt when there is no such run.
std::optional<std::size_t> FlashMacroBodyLength(std::span<const std::uint8_t> body);

// Checks that every line after the header begins with a digit; the error text names the first
// one that does not ("'x' is not a valid integer value").
std::optional<std::string> ValidateScriptLines(const MacroScript& lines);

// How a line is drawn: the icon is its type digit (0 when no digit), the text as below.
int MacroLineType(std::string_view line);
// The type of list item `item`, script line item + 1 below the header; 0 for an item the script
// does not reach.
int MacroItemType(const MacroScript& script, int item);
std::string MacroDelayText(std::uint32_t milliseconds);  // "50 ms"
std::string MacroMoveText(std::int8_t x, std::int8_t y); // "X: -5  Y: 5"
std::string MacroLoopStartText(std::uint8_t count);      // "Rep-Start  10"
std::string MacroLoopEndText();                          // "Rep-Stop"
std::string MacroLineDrawText(std::string_view line);

} // namespace trvx
