#pragma once
// The scenario language of the acceptance tests: one step a line, `#` starts a comment. This is
// the part of the scenario runner that needs no window: reading the steps, matching the frames
// the program sent against `expect` and `skip-to`, and the printed formats. The runner
// (tools/scenario.cpp) does what each step says to the real main window.
//
// The language is fixed so that scenarios written today still run later: steps are only ever
// added, never changed. The steps and their arguments are listed with ScenarioStepKind.
//
// A <name> is a control of the main window or of a window of its own (a dialog); a dialog on
// screen is found before one that has closed. "Window.Control" (Form5.IB_Confirm) names the
// window as well, for two dialogs on screen that have a control of the same name. `answer`
// also answers the macro pages' dialogs, which are not modal, through their controls as they
// open: a text is typed into the edit and confirmed, ok confirms, cancel closes; with no answer
// waiting they stay open for the steps that follow.

#include "sim/FrameLog.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

enum class ScenarioStepKind {
    Device,        // device i2c|flash|none
    FileOf,        // file-of <path>
    Start,         // start
    Wait,          // wait <ms>
    Click,         // click <name> [row]   (with a row: that row of a list)
    DblClick,      // dblclick <name> [row]
    Hover,         // hover <name>
    Leave,         // leave <name>
    RClick,        // rclick <name> [row]
    Text,          // text <name> <text>   (the text is the rest of the line, may be empty)
    Choose,        // choose <name> <index>   (an item of a combo box or list, a page control's tab)
    Check,         // check <name>
    Uncheck,       // uncheck <name>
    Key,           // key <name> <key>
    Plug,          // plug
    Unplug,        // unplug
    OtherPlug,     // other-plug
    OtherUnplug,   // other-unplug
    SimPoke,       // sim poke <offset> <hex bytes>
    SimInfo,       // sim info <hex bytes>
    SimFailReply,  // sim fail-reply <n>
    SimFailSend,   // sim fail-send <n>
    SimDenyAccess, // sim deny-access <1|0>   (opens of the mouse refused for lack of permission)
    Input,         // input <hex bytes>
    Answer,        // answer ok|cancel|<text>
    ChooseFile,    // choose-file <path>
    ChooseColor,   // choose-color <rrggbb>
    Snapshot,      // snapshot <png>
    Frames,        // frames
    Expect,        // expect <hex bytes>
    ExpectNone,    // expect-none
    SkipTo,        // skip-to <hex bytes>
    Messages,      // messages
    Image,         // image
    Show,          // show <name>
    ExpectControl, // expect-control <name> <property> <value>   (text: the rest of the line)
    DataFile,      // data-file <name> <path>   (before start: into the program's data folder)
    Setting,       // setting <key> <number>   (before start: a general setting of [org]:
                   // GD_Enable, BE_Enable, TR_Enable (1 on, else off), Gun6_Num, Gun7_Num)
};

// The fields of a control's state that `show` prints and `expect-control` checks.
enum class ControlProperty { Text, Index, Checked, Visible, Enabled, Count };

enum class ScenarioDevice { I2C, Flash, None };
enum class ScenarioAnswer { Ok, Cancel, Text };

struct ScenarioStep {
    ScenarioStepKind kind = ScenarioStepKind::Start;
    int line = 0;       // 1-based line of the file
    std::string source; // the line as written, without its comment
    std::string name;   // control name, the path of file-of, choose-file, snapshot, or the file
                        // name of data-file
    std::string text;   // text of `text`, `key` and `answer`, the value of expect-control, the
                        // path of data-file
    std::int64_t number = 0;                          // ms, index, n, offset
    std::optional<int> row;                           // the list row of click, dblclick and rclick
    ControlProperty property = ControlProperty::Text; // of expect-control
    std::vector<std::uint8_t> bytes;                  // hex bytes
    ScenarioDevice device = ScenarioDevice::I2C;
    ScenarioAnswer answer = ScenarioAnswer::Ok;
    std::uint32_t color = 0; // 0xRRGGBB
};

struct ScenarioParse {
    std::vector<ScenarioStep> steps;
    // One clear line per bad line: "line 3: unknown step 'clik'".
    std::vector<std::string> errors;
    bool ok() const { return errors.empty(); }
};

ScenarioParse ParseScenario(std::string_view text);

// "40 05 00 2C" (also "40052C"): the bytes, or nullopt when a token is not hex of whole bytes
// or there are none.
std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view text);

// The image as hex lines of 16 bytes: "01F0: 00 11 22 ..." (offset in four hex digits).
std::string FormatImageLines(std::span<const std::uint8_t> image);

// "message: <text>\n"; a text of several lines keeps them on one line, joined by " | ".
std::string FormatMessageLine(std::string_view text);

// What `show` prints of a control: only the fields its kind has.
struct ControlState {
    std::optional<std::string> text; // captions and edits; a combo box's or list's current item
    std::optional<int> index;        // combo box, list: current item; page control: current tab
    std::optional<bool> checked;     // check boxes and radio buttons
    bool visible = false;
    bool enabled = false;
    std::optional<int> count; // items of a combo box or list, pages of a page control
};

// `control <name>: text="..." index=N checked=0/1 visible=0/1 enabled=0/1 count=N` and a line
// break; a `"` or `\` in the text is escaped with `\`, a line break shows as `\n`.
std::string FormatControlState(std::string_view name, const ControlState& state);

// The expect-control check: true when the property is there and equals `value` as `show`
// prints it (the text unescaped); else `error` says what it is.
bool CheckControlState(std::string_view name, const ControlState& state, ControlProperty property,
                       std::string_view value, std::string& error);

// The data-file step: copies `source` into `dataFolder` (made when missing) as `name`, over a
// file of that name. False with `error` when the source cannot be read or the copy fails.
bool CopyDataFile(const std::filesystem::path& dataFolder, std::string_view name,
                  const std::filesystem::path& source, std::string& error);

// The frames the program exchanged with the simulated mouse, as the runner collected them, with
// the cursors of `frames` (printing) and of `expect`/`skip-to` (matching sent frames).
class ScenarioFrameLog {
public:
    void Append(std::span<const SimFrame> frames);
    const std::vector<SimFrame>& Frames() const { return frames_; }

    // The frames since the last call, formatted one a line.
    std::string TakeUnprinted();

    // The next sent frame not yet matched must equal `bytes`; on failure `error` says why.
    bool Expect(std::span<const std::uint8_t> bytes, std::string& error);
    // Passes over sent frames up to and including the next one equal to `bytes`; when none is,
    // nothing is passed over and false is returned.
    bool SkipTo(std::span<const std::uint8_t> bytes, std::string& error);
    // Every sent frame so far has been matched or passed over.
    bool ExpectNone(std::string& error) const;

private:
    std::vector<SimFrame> frames_;
    std::size_t printed_ = 0;
    std::size_t matched_ = 0; // index into frames_: the first frame not yet matched
};

} // namespace trvx
