#pragma once
// The engineering page's rules: the option combos' bit fields, the sensor edits' registers, and
// the hidden access by double-click and code.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace trvx {

// One option combo: a bit field of a vendor byte; item i writes field value values[i].
struct OptionField {
    const char* combo;
    int reg;   // vendor byte 4..8
    int shift; // lowest bit of the field
    int width; // bits
    std::array<const char*, 4> items;
    std::array<std::uint8_t, 4> values;
    int count; // items used
};

std::span<const OptionField> OptionFields();
const OptionField* FindOptionField(std::string_view combo);

// The byte with the field set to the item's value; an index outside the items keeps it.
std::uint8_t ApplyOption(const OptionField& field, std::uint8_t byte, int index);
// The item whose value the byte's field holds, -1 when none has it.
int OptionIndex(const OptionField& field, std::uint8_t byte);

// The 33 sensor edits, vendor bytes 9..41 in order.
std::span<const char* const> SensorEdits();
inline constexpr int kFirstSensorRegister = 9;

// The hidden switch of the engineering controls. Every fifth double-click while the mode is off
// asks for a code; code B on the logo shows the controls, code A turns the mode on alone.
class EngineeringAccess {
public:
    static constexpr std::string_view kCodeA = "MarovelQX";
    static constexpr std::string_view kCodeB = "BrandelTRKWF";

    enum class Click { TurnedOff, Counted, AskCode };
    enum class Grant { None, ModeOnly, Controls };

    Click DoubleClick();
    // The code typed into the prompt at the logo (exact, case-sensitive).
    Grant EnterCodeAtLogo(std::string_view code);
    // The code typed at the gun-mode page's background: only code A turns the mode on there.
    bool EnterCodeAtFirePage(std::string_view code);
    bool Mode() const { return mode_; }

private:
    bool mode_ = false;
    std::int32_t clicks_ = 0;
};

} // namespace trvx
