#pragma once
// The rules behind the sensitivity and lighting pages, free of widgets: CPI steps and levels,
// step bars, colour texts, the fall-time and MCU-LED bytes, the LED mode buttons and the pointer
// setting levels.

#include "device/WorkingModel.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trvx {

// CPI value of step index 0..11.
inline constexpr std::array<int, 12> kCpiStepValues{200,  400,  600,  800,  1000, 1200,
                                                    1600, 2000, 2400, 3200, 4800, 6400};

// Which of `count` bar images are lit for level 1..count: a single marker at the level, or a
// filled bar up to it. A level outside 1..count lights nothing.
std::vector<bool> StepBarLit(int count, int level, bool marker);

// The colour value R + 256 G + 65536 B as six upper-case hex digits RRGGBB.
std::string ColorToHexRGB(std::uint32_t colourValue);
// The integer part (toward zero) plus one when the fraction is 0.5 or more.
int RoundHalfUp(double value);

// A number typed into an edit that has a limit: the value to use, and whether the text must be
// replaced by it. Text that is no number is 0, as an integer edit reads it.
struct ClampedEdit {
    int value = 0;
    bool corrected = false;
};
ClampedEdit ClampEditValue(const std::string& text, int limit);

// ---- CPI levels ---------------------------------------------------------------------------
// The writes that make the mouse apply a level step change: the current level once one step
// away and once back.
std::vector<RegisterWrite> CpiReapplyWrites(int currentIndex);

// A click on a level label: the level count it leads to, or nullopt when it changes nothing.
// Only the first disabled level can be added and only the last enabled one removed; the last
// level cannot be removed.
std::optional<int> CpiLevelCountAfterClick(int count, int level);

// The writes of a level count change in the model: register 43, then the current level clamped
// into the new count when it lay beyond it. Nothing for a count outside 1..8.
std::vector<RegisterWrite> SetCpiLevelCountWrites(WorkingModel& model, int count);

// The current level index shown for a stored register 166: 0..7 within the count, else none.
std::optional<int> CurrentCpiShown(int stored, int count);

// ---- Report rate ----------------------------------------------------------------------------
// 125, 250, 500, 1000 Hz for bits 0..3.
int ReportRateHz(int bits);

// ---- Lighting -----------------------------------------------------------------------------
// The fall-time level 1..10 of a step-time value: value / 5 rounded up, at least 1, at most 10.
int FallLevelOfStepTime(int stepTime);

// Register 165 for lighting-page mode button 1..7: the working byte's high nibble and the mode
// (button - 1, or the button itself for the MCU type).
std::uint8_t ModeButtonByte(std::uint8_t current, LedType type, int button);
// The mode button 1..7 a register 165 byte shows, or nullopt when its mode has no button.
std::optional<int> ModeButtonOfByte(std::uint8_t value, LedType type);
// Mode buttons 1..7 the type offers ("RGB" 1..6, "Sync" 1..3, "NT" 1, 2, 3, 5, 6, "MCULED" all).
bool LedTypeOffersButton(LedType type, int button);
// Whether the fall-time row takes clicks while a mode button is selected: buttons 1..5 let it,
// 6 and 7 do not, whatever the LED type. With no button selected (a mode that has none) the row
// stays on.
bool FallRowEnabled(std::optional<int> button);

// The LED-count items offered for an "NT" chain: item i stands for i + 1 LEDs, and item 0 is
// not offered, for a single LED is stored as the MCU type's byte and reads back as that type.
inline constexpr int kNtLedCountFirstItem = 1;
// The register 165 byte with the NT count item changed; nullopt for an item not offered.
std::optional<std::uint8_t> NtLedCountByte(std::uint8_t current, int item);

// MCU-LED byte 9: bit 7 full light, bits 3..0 = 13 - LED count (count 4..13).
std::uint8_t McuLedControlByte(bool fullLight, int ledCount);
int McuLedCountOfByte(std::uint8_t control); // 4..13, or 0 when the nibble is above 9

// ---- Pointer settings -----------------------------------------------------------------------
// The double-click time (ms) of bar level 1..11, and the level shown for a time.
int DoubleClickTimeOfLevel(int level);
int DoubleClickLevelOfTime(int ms);
// The pointer speed of bar level 1..11 on the desktop's scale -1..1, and back.
double PointerSpeedOfLevel(int level);
int PointerSpeedLevelOf(double speed);
// Wheel lines of bar level 1..11 are the level; the level shown for a line count.
int WheelLevelOfLines(int lines);

} // namespace trvx
