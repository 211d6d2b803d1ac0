#include "macros/MacroCode.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace trvx {
namespace {

std::string KeyName(std::uint8_t usage) {
    if (usage >= 0x04 && usage <= 0x1D)
        return std::string(1, static_cast<char>('A' + usage - 0x04));
    return {};
}

std::vector<std::uint8_t> Bytes(const CompiledMacro& m) {
    return {m.body.begin(), m.body.begin() + m.length};
}

const MacroScript kExample{"0150",          "7 FD03",   "1 A CODE:8204", "0 50",
                           "2 A CODE:0204", "3 04FB05", "8 FC"};

TEST(MacroCompile, WorkedExampleToTheByte) {
    const CompileResult r = CompilePCMacroScript(kExample);
    ASSERT_TRUE(r.macro);
    EXPECT_EQ(r.macro->hexLine, "FD038204FE0032020404FB05FC00");
    EXPECT_EQ(r.macro->length, 14);
    EXPECT_EQ(Bytes(*r.macro),
              (std::vector<std::uint8_t>{0xFD, 0x03, 0x82, 0x04, 0xFE, 0x00, 0x32, 0x02, 0x04, 0x04,
                                         0xFB, 0x05, 0xFC, 0x00}));
    for (std::size_t i = 14; i < kMacroBodySize; ++i)
        ASSERT_EQ(r.macro->body[i], 0) << i;
}

TEST(MacroCompile, WorkedExampleListsBackUnderRecordedHeader) {
    const CompileResult r = CompilePCMacroScript(kExample);
    ASSERT_TRUE(r.macro);
    const MacroListing listing = MacroBodyToScript(r.macro->body, r.macro->length, KeyName);
    MacroScript expected = kExample;
    expected[0] = "10";
    EXPECT_EQ(listing.lines, expected);
    EXPECT_EQ(listing.mode, MacroDelayMode::Recorded);
    EXPECT_TRUE(listing.complete);
}

TEST(MacroCompile, EdgeCases) {
    struct Case {
        MacroScript lines;
        std::vector<std::uint8_t> bytes;
    };
    const std::vector<Case> cases{
        {{"00"}, {0x00}},
        {{"00", "1 LeftKey CODE:00A1"}, {0xA1, 0x00}},
        {{"00", "2 Backward CODE:0030"}, {0x30, 0x00}},
        {{"00", "3 0480FF"}, {0x04, 0x80, 0xFF, 0x00}},
        {{"00", "0 65535"}, {0xFE, 0xFF, 0xFF, 0x00}},
        {{"00", "0 abc"}, {0xFE, 0x00, 0x00, 0x00}}, // unreadable delay counts as 0
        {{"00", "7 FD00"}, {0xFD, 0x00, 0x00}},
        {{"00", "1 Ctrl CODE:8101", "2 Ctrl CODE:0101"}, {0x81, 0x01, 0x01, 0x01, 0x00}},
        {{"00", "9 whatever", "x junk", ""}, {0x00}}, // other types add nothing
    };
    for (const Case& c : cases) {
        const CompileResult r = CompilePCMacroScript(c.lines);
        ASSERT_TRUE(r.macro) << c.lines.back();
        EXPECT_EQ(Bytes(*r.macro), c.bytes) << c.lines.back();
    }
}

TEST(MacroCompile, RefusesWhatDoesNotFitTheBody) {
    // 85 delays of three bytes and the end byte fill the 256 bytes exactly.
    MacroScript lines{"10"};
    for (int i = 0; i < 85; ++i)
        lines.push_back("0 " + std::to_string(i));
    const CompileResult fits = CompilePCMacroScript(lines);
    ASSERT_TRUE(fits.macro);
    EXPECT_EQ(fits.macro->length, 256);
    EXPECT_EQ(fits.macro->body[255], 0x00);

    lines.push_back("1 LeftKey CODE:00A1");
    const CompileResult over = CompilePCMacroScript(lines);
    EXPECT_FALSE(over.macro);
    EXPECT_EQ(over.error, CompileError::TooLong);
    EXPECT_EQ(CompileErrorText(over), "The macro is too long: it must fit in 256 bytes.");

    MacroScript huge{"10"};
    for (int i = 0; i < 10000; ++i)
        huge.push_back("3 040101");
    EXPECT_EQ(CompilePCMacroScript(huge).error, CompileError::TooLong);
}

TEST(MacroCompile, RefusesLinesThatAreNoCode) {
    const std::vector<MacroScript> bad{
        {"00", "1 A CODE:8204", "1 A CODE:82ZZ"}, // not hex
        {"00", "1 A CODE:8204", "0 70000"},       // delay beyond 16 bits
        {"00", "1 A CODE:8204", "0 -5"},
        {"00", "1 A CODE:8204", "8"}, // odd number of digits
    };
    for (const MacroScript& lines : bad) {
        const CompileResult r = CompilePCMacroScript(lines);
        EXPECT_FALSE(r.macro) << lines.back();
        EXPECT_EQ(r.error, CompileError::BadLine) << lines.back();
        EXPECT_EQ(r.errorLine, 2) << lines.back();
    }
}

TEST(MacroListing, HeaderFromTheFirstFourDelays) {
    struct Case {
        std::vector<std::uint8_t> body;
        std::string header;
        MacroDelayMode mode;
    };
    const std::vector<std::uint8_t> d50{0xFE, 0x00, 0x32};
    auto repeat = [&](int n, std::vector<std::uint8_t> tail) {
        std::vector<std::uint8_t> b;
        for (int i = 0; i < n; ++i)
            b.insert(b.end(), d50.begin(), d50.end());
        b.insert(b.end(), tail.begin(), tail.end());
        b.push_back(0x00);
        return b;
    };
    const std::vector<Case> cases{
        {{0xA1, 0x21, 0x00}, "00", MacroDelayMode::None},
        {{0xFE, 0x00, 0x00, 0xA1, 0x00}, "00", MacroDelayMode::None}, // only 0 ms delays
        {repeat(3, {}), "10", MacroDelayMode::Recorded},
        {repeat(4, {}), "0150", MacroDelayMode::Fixed},
        {repeat(4, {0xFE, 0x01, 0x00}), "0150",
         MacroDelayMode::Fixed}, // the fifth is not looked at
    };
    for (const Case& c : cases) {
        const MacroListing l = MacroBodyToScript(c.body, c.body.size(), KeyName);
        EXPECT_EQ(l.lines.at(0), c.header);
        EXPECT_EQ(l.mode, c.mode);
    }
    const auto fixed = MacroBodyToScript(repeat(4, {}), 13, KeyName);
    EXPECT_EQ(fixed.fixedDelay, 50);
}

TEST(MacroListing, LinesOfEveryEvent) {
    const std::vector<std::uint8_t> body{0x81, 0x01, 0x01, 0x80, 0x82, 0x04, 0x02, 0x1D,
                                         0xA2, 0x24, 0xB0, 0x28, 0x04, 0x80, 0xFF, 0xFD,
                                         0x0A, 0xFC, 0xFE, 0xFF, 0xFF, 0x00};
    const MacroListing l = MacroBodyToScript(body, body.size(), KeyName);
    EXPECT_EQ(l.lines,
              (MacroScript{"10", "1 Ctrl CODE:8101", "2 Right Windows CODE:0180", "1 A CODE:8204",
                           "2 Z CODE:021D", "1 RightKey CODE:00A2", "2 MiddleKey CODE:0024",
                           "1 Backward CODE:00B0", "2 Forward CODE:0028", "3 0480FF", "7 FD0A",
                           "8 FC", "0 65535"}));
}

TEST(MacroListing, NeverReadsPastTheBodyAndStopsAtUnknownBytes) {
    struct Case {
        std::vector<std::uint8_t> body;
        std::size_t length;
        std::size_t lines; // header included
        bool complete;
    };
    const std::vector<Case> cases{
        {{0xFE}, 300, 1, false},                   // a delay cut off by the end of the bytes
        {{0xA1, 0x04, 0x01}, 300, 2, false},       // a move cut off
        {{0xA1, 0x99, 0xA1, 0x00}, 4, 2, false},   // no opcode
        {{0x81, 0x03, 0x00}, 3, 1, false},         // two modifier bits at once
        {{0xA1, 0x00, 0xA1, 0x00}, 300, 2, false}, // an end byte before the length
        {{0xA1, 0x21}, 0, 1, true},
        {{}, 1, 1, true},
        {{0xA1, 0x21, 0x00}, 2, 2, true}, // the length, not the end byte, bounds the walk
    };
    for (const Case& c : cases) {
        const MacroListing l = MacroBodyToScript(c.body, c.length, KeyName);
        EXPECT_EQ(l.lines.size(), c.lines);
        EXPECT_EQ(l.complete, c.complete);
    }
}

TEST(MacroListing, FlashBodyLengthIsTheStartOfThreeZeros) {
    MacroBody body{};
    body.fill(0xA1);
    EXPECT_FALSE(FlashMacroBodyLength(body));
    body[10] = 0x00;
    body[12] = 0x00;
    body[13] = 0x00;
    body[14] = 0x00;
    EXPECT_EQ(FlashMacroBodyLength(body), 13u);
    EXPECT_EQ(FlashMacroBodyLength(MacroBody{}), 1u);
}

TEST(MacroLines, ValidationNamesTheFirstBadCharacter) {
    EXPECT_FALSE(ValidateScriptLines({"xx", "0 50", "8 FC"}));
    EXPECT_EQ(ValidateScriptLines({"10", "0 50", "A CODE", "x"}),
              std::optional<std::string>("'A' is not a valid integer value"));
    EXPECT_EQ(ValidateScriptLines({"10", ""}),
              std::optional<std::string>("'' is not a valid integer value"));
}

TEST(MacroLines, DrawingTexts) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"1 LeftKey CODE:00A1", "LeftKey"},
        {"2 A CODE:0204", "A"},
        {"1 Right Windows CODE:8180", "Right Windows"},
        {"0 50", "50 ms"},
        {"3 04FB05", "X: -5  Y: 5"},
        {"3 0480FF", "X: -128  Y: -1"},
        {"7 FD0A", "Rep-Start  10"},
        {"7 FD03", "Rep-Start  3"},
        {"8 FC", "Rep-Stop"},
        {"1 X", ""},
        {"", ""},
    };
    for (const auto& [line, text] : cases)
        EXPECT_EQ(MacroLineDrawText(line), text) << line;
    EXPECT_EQ(MacroDelayText(50), "50 ms");
    EXPECT_EQ(MacroMoveText(-5, 5), "X: -5  Y: 5");
    EXPECT_EQ(MacroLoopStartText(10), "Rep-Start  10");
    EXPECT_EQ(MacroLoopEndText(), "Rep-Stop");
    EXPECT_EQ(MacroLineType("7 FD03"), 7);
    EXPECT_EQ(MacroLineType("x"), 0);
    // List items stand below the header line; items past either end have no type.
    const MacroScript script{"10", "7 FD03", "2 A CODE:0204"};
    for (const auto& [item, type] : {std::pair{0, 7}, {1, 2}, {2, 0}, {-1, 0}})
        EXPECT_EQ(MacroItemType(script, item), type) << item;
}

TEST(MacroLines, BuildersGiveTheLineForms) {
    EXPECT_EQ(DelayLine(50), "0 50");
    EXPECT_EQ(ModifierLine(true, 0x01), "1 Ctrl CODE:8101");
    EXPECT_EQ(ModifierLine(false, 0x80), "2 Right Windows CODE:0180");
    EXPECT_EQ(KeyLine(true, 0x04, "A"), "1 A CODE:8204");
    EXPECT_EQ(ButtonLine(true, 0x01), "1 LeftKey CODE:00A1");
    EXPECT_EQ(ButtonLine(false, 0x10), "2 Backward CODE:0030");
    EXPECT_EQ(MoveLine(-5, 5), "3 04FB05");
    EXPECT_EQ(LoopStartLine(10), "7 FD0A");
    EXPECT_EQ(DelayHeaderLine(MacroDelayMode::Fixed, 50), "0150");
}

} // namespace
} // namespace trvx
