#pragma once
// Changes the macro editor makes to a script (line 0 the header, list item i is line i + 1).

#include "macros/MacroCode.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trvx {

struct LineDeletion {
    bool removed = false;
    bool partnerMissing = false; // a press or release without its partner: nothing removed
    int selectItem = -1;         // the list item to select afterwards (-1: none)
};

// Deletes list item `item`: a delay, move or loop end alone; a press with the first later
// release of the same name; a release with the nearest earlier press of the same name. A loop
// start stays.
LineDeletion DeleteScriptItem(MacroScript& script, int item);

// The list item of the partner of a press or release line (its release or press, found as the
// deletion finds it); nullopt for other lines and a missing partner.
std::optional<int> PartnerItem(const MacroScript& script, int item);

// The kinds of the insert box's list, in item order.
enum class InsertKind {
    DelayBefore,
    DelayAfter,
    KeyBefore,
    KeyAfter,
    MoveBefore,
    MoveAfter,
    LoopStartBefore,
    LoopEndAfter,
};

// The texts of the insert box's value edits.
struct InsertValues {
    std::string delay;  // milliseconds
    std::string x;      // move offsets, -128 .. 127
    std::string y;      //
    std::string repeat; // loop count, 0 .. 255
};

struct LineInsertion {
    bool inserted = false;
    bool badValue = false; // a value edit holds no number: nothing inserted, the box stays open
    int selectItem = -1;   // the new line's list item
};

// Inserts the line of an insert kind before or after list item `item`: a delay, a move, a loop
// start (always before) or a loop end (always after). Keys come from an insert recording, so the
// key kinds insert nothing here; nothing is inserted either while no item is chosen.
LineInsertion InsertScriptLine(MacroScript& script, InsertKind kind, int item,
                               const InsertValues& values);

// The script line index where recorded lines go for the key kinds: before or after `item`.
std::size_t RecordedInsertLine(InsertKind kind, int item);

// The corrections the value edits make on every change: the move offsets keep a lone "-", turn
// an empty text into "0" and stay within -128 .. 127; the loop count stays within 0 .. 255.
std::string CorrectAxisText(const std::string& text);
std::string CorrectRepeatText(const std::string& text);

// The delay dialog's edit after every change: an empty text, or one whose value is 0 or less,
// becomes "1", a value above 65535 becomes "65535". Text that is no decimal number (only pasted
// text can be) keeps its digits alone before the same rule, so the edit always holds 1..65535.
std::string CorrectDelayText(std::string_view text);
// The milliseconds the delay edit's text stands for: 1..65535; none for text that is not all
// digits or lies outside that range (an edit not yet typed into is empty).
std::optional<std::uint16_t> DelayOfText(std::string_view text);

struct KeyLineEdit {
    bool changed = false;
    int partnerItem = -1; // the other half of the pair that was changed with it, -1 for none
};

// Gives press or release item `item` the key `keyName` with HID usage `usage`, and its partner
// (the release of that press, the press of that release) the same key, so the pair stays a pair.
// Items that are neither press nor release are left alone; a line without its partner changes
// alone.
KeyLineEdit ReplaceKeyLinePair(MacroScript& script, int item, std::string_view keyName,
                               std::uint8_t usage);

// Gives delay item `item` the new milliseconds. False, with nothing changed, for an item that is
// no delay line (the script changed under a dialog opened for it, say).
bool ReplaceDelayLine(MacroScript& script, int item, std::uint16_t milliseconds);

} // namespace trvx
