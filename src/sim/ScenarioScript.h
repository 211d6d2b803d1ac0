#pragma once
// The scenario language of the acceptance tests: one step a line, `#` starts a comment. This is
// the part of the scenario runner that needs no window: reading the steps, matching the frames
// the program sent against `expect` and `skip-to`, and the printed formats. The runner
// (tools/scenario.cpp) does what each step says to the real main window.
//
// The language is fixed so that scenarios written today still run later; see ParseScenario for
// every step and its arguments.

#include "sim/FrameLog.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

enum class ScenarioStepKind {
    Device,       // device i2c|flash|none
    FileOf,       // file-of <path>
    Start,        // start
    Wait,         // wait <ms>
    Click,        // click <name>
    DblClick,     // dblclick <name>
    Hover,        // hover <name>
    Leave,        // leave <name>
    RClick,       // rclick <name>
    Text,         // text <name> <text>   (the text is the rest of the line, may be empty)
    Choose,       // choose <name> <index>
    Check,        // check <name>
    Uncheck,      // uncheck <name>
    Key,          // key <name> <key>
    Plug,         // plug
    Unplug,       // unplug
    OtherPlug,    // other-plug
    OtherUnplug,  // other-unplug
    SimPoke,      // sim poke <offset> <hex bytes>
    SimInfo,      // sim info <hex bytes>
    SimFailReply, // sim fail-reply <n>
    SimFailSend,  // sim fail-send <n>
    Input,        // input <hex bytes>
    Answer,       // answer ok|cancel|<text>
    ChooseFile,   // choose-file <path>
    ChooseColor,  // choose-color <rrggbb>
    Snapshot,     // snapshot <png>
    Frames,       // frames
    Expect,       // expect <hex bytes>
    ExpectNone,   // expect-none
    SkipTo,       // skip-to <hex bytes>
    Messages,     // messages
    Image,        // image
};

enum class ScenarioDevice { I2C, Flash, None };
enum class ScenarioAnswer { Ok, Cancel, Text };

struct ScenarioStep {
    ScenarioStepKind kind = ScenarioStepKind::Start;
    int line = 0;                    // 1-based line of the file
    std::string source;              // the line as written, without its comment
    std::string name;                // control name, or the path of file-of, choose-file, snapshot
    std::string text;                // text of `text`, `key` and `answer`
    std::int64_t number = 0;         // ms, index, n, offset
    std::vector<std::uint8_t> bytes; // hex bytes
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
