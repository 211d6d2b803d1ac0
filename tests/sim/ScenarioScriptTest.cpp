#include "sim/ScenarioScript.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace trvx {
namespace {

using K = ScenarioStepKind;

TEST(ScenarioScriptTest, EveryStepOfTheLanguageParses) {
    const ScenarioParse parse = ParseScenario("# a comment line\n"
                                              "device flash\n"
                                              "file-of /tmp/my image.bin\n"
                                              "start\n"
                                              "wait 3600   # after the arrival\n"
                                              "click Btn_Main_1\n"
                                              "dblclick LB_Name\n"
                                              "hover Key1\n"
                                              "leave Key1\n"
                                              "rclick Key2\n"
                                              "text edt_Name two words\n"
                                              "text edt_Name\n"
                                              "choose cb_CPI1 3\n"
                                              "check cb_Mode0\n"
                                              "uncheck cb_Mode0\n"
                                              "key edt_Name F5\n"
                                              "plug\n"
                                              "unplug\n"
                                              "other-plug\n"
                                              "other-unplug\n"
                                              "sim poke 0x1E4 12 34\n"
                                              "sim info 41 3A 80\n"
                                              "sim fail-reply 3\n"
                                              "sim fail-send 1\n"
                                              "input 42 00 00 01\n"
                                              "answer ok\n"
                                              "answer cancel\n"
                                              "answer my macro\n"
                                              "choose-file /tmp/a.bin\n"
                                              "choose-color ff8000\n"
                                              "snapshot /tmp/x.png\n"
                                              "frames\n"
                                              "expect 40 0D 00 00 00 00 00 00\n"
                                              "expect-none\n"
                                              "skip-to 400D000000000000\n"
                                              "messages\n"
                                              "image\n"
                                              "sim deny-access 1\n");
    ASSERT_TRUE(parse.ok()) << parse.errors.front();
    const std::vector<K> kinds{
        K::Device,       K::FileOf,  K::Start,      K::Wait,         K::Click,       K::DblClick,
        K::Hover,        K::Leave,   K::RClick,     K::Text,         K::Text,        K::Choose,
        K::Check,        K::Uncheck, K::Key,        K::Plug,         K::Unplug,      K::OtherPlug,
        K::OtherUnplug,  K::SimPoke, K::SimInfo,    K::SimFailReply, K::SimFailSend, K::Input,
        K::Answer,       K::Answer,  K::Answer,     K::ChooseFile,   K::ChooseColor, K::Snapshot,
        K::Frames,       K::Expect,  K::ExpectNone, K::SkipTo,       K::Messages,    K::Image,
        K::SimDenyAccess};
    ASSERT_EQ(parse.steps.size(), kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i)
        EXPECT_EQ(parse.steps[i].kind, kinds[i]) << parse.steps[i].source;

    const auto& s = parse.steps;
    EXPECT_EQ(s[0].device, ScenarioDevice::Flash);
    EXPECT_EQ(s[1].name, "/tmp/my image.bin");
    EXPECT_EQ(s[3].number, 3600);
    EXPECT_EQ(s[3].line, 5);
    EXPECT_EQ(s[3].source, "wait 3600");
    EXPECT_EQ(s[4].name, "Btn_Main_1");
    EXPECT_EQ(s[9].name, "edt_Name");
    EXPECT_EQ(s[9].text, "two words");
    EXPECT_EQ(s[10].text, "");
    EXPECT_EQ(s[11].number, 3);
    EXPECT_EQ(s[14].text, "F5");
    EXPECT_EQ(s[19].number, 0x1E4);
    EXPECT_EQ(s[19].bytes, (std::vector<std::uint8_t>{0x12, 0x34}));
    EXPECT_EQ(s[20].bytes, (std::vector<std::uint8_t>{0x41, 0x3A, 0x80}));
    EXPECT_EQ(s[21].number, 3);
    EXPECT_EQ(s[24].answer, ScenarioAnswer::Ok);
    EXPECT_EQ(s[25].answer, ScenarioAnswer::Cancel);
    EXPECT_EQ(s[26].answer, ScenarioAnswer::Text);
    EXPECT_EQ(s[26].text, "my macro");
    EXPECT_EQ(s[28].color, 0xFF8000u);
    EXPECT_EQ(s[31].bytes, s[33].bytes);
    EXPECT_EQ(s[36].number, 1);
}

TEST(ScenarioScriptTest, BadLinesAreNamedWithTheirLineAndNothingElseIsLost) {
    struct Case {
        const char* line;
        const char* error;
    };
    const Case cases[] = {
        {"clik Btn_Main_1", "line 2: unknown step 'clik'"},
        {"sim reboot", "line 2: unknown step 'sim reboot'"},
        {"device usb", "line 2: 'device' takes i2c, flash or none"},
        {"wait soon", "line 2: 'wait' takes a number of milliseconds, not 'soon'"},
        {"wait -5", "line 2: 'wait' takes a number of milliseconds, not '-5'"},
        {"click", "line 2: 'click' takes a control name and an optional list row"},
        {"click a b", "line 2: 'click' takes a list row, not 'b'"},
        {"rclick a -1", "line 2: 'rclick' takes a list row, not '-1'"},
        {"dblclick a 1 2", "line 2: 'dblclick' takes a control name and an optional list row"},
        {"hover a 1", "line 2: 'hover' takes one control name"},
        {"show", "line 2: 'show' takes one control name"},
        {"show a b", "line 2: 'show' takes one control name"},
        {"expect-control cb_CPI1",
         "line 2: 'expect-control' takes a control name, a property and a value"},
        {"expect-control cb_CPI1 colour red",
         "line 2: 'expect-control' takes a property of text, index, checked, visible, enabled, "
         "count, not 'colour'"},
        {"expect-control cb_CPI1 index two",
         "line 2: 'expect-control' takes an index (-1 for none), not 'two'"},
        {"expect-control cb_CPI1 index -2",
         "line 2: 'expect-control' takes an index (-1 for none), not '-2'"},
        {"expect-control cb_CPI1 count -1", "line 2: 'expect-control' takes a count, not '-1'"},
        {"expect-control cb_CPI1 count", "line 2: 'expect-control' takes a count, not ''"},
        {"expect-control cb_CPI1 count 4294967296",
         "line 2: 'expect-control' takes a count, not '4294967296'"},
        {"expect-control cb_Mode0 checked yes",
         "line 2: 'expect-control' takes 0 or 1 for checked, not 'yes'"},
        {"expect-control Key1 visible 2",
         "line 2: 'expect-control' takes 0 or 1 for visible, not '2'"},
        {"data-file macro.dat", "line 2: 'data-file' takes a file name and a path"},
        {"data-file ../escape.dat in.dat",
         "line 2: 'data-file' takes a file name without folders, not '../escape.dat'"},
        {"data-file sub/macro.dat in.dat",
         "line 2: 'data-file' takes a file name without folders, not 'sub/macro.dat'"},
        {"data-file .. in.dat", "line 2: 'data-file' takes a file name without folders, not '..'"},
        {"choose cb_CPI1", "line 2: 'choose' takes a control name and an item index"},
        {"expect 4G", "line 2: 'expect' takes hex bytes, such as 40 05 00 2C"},
        {"expect 400", "line 2: 'expect' takes hex bytes, such as 40 05 00 2C"},
        {"input", "line 2: 'input' takes hex bytes, such as 40 05 00 2C"},
        {"sim poke 12", "line 2: 'sim poke' takes hex bytes, such as 40 05 00 2C"},
        {"sim deny-access yes", "line 2: 'sim deny-access' takes 1 (on) or 0 (off)"},
        {"choose-color red", "line 2: 'choose-color' takes a colour as rrggbb"},
        {"start now", "line 2: 'start' takes nothing after it"},
        {"answer", "line 2: 'answer' takes ok, cancel or a text"},
    };
    for (const Case& c : cases) {
        const ScenarioParse parse = ParseScenario(std::string("start\n") + c.line + "\nwait 1\n");
        ASSERT_EQ(parse.errors.size(), 1u) << c.line;
        EXPECT_EQ(parse.errors[0], c.error);
        EXPECT_EQ(parse.steps.size(), 2u) << c.line;
    }
}

TEST(ScenarioScriptTest, ControlStepsTakeTheirArguments) {
    const ScenarioParse parse = ParseScenario("click LB_Name 3\n"
                                              "dblclick LB_Name 0\n"
                                              "rclick Key2\n"
                                              "show cb_CPI1\n"
                                              "expect-control lbl_Content text two  words\n"
                                              "expect-control lbl_Content text\n"
                                              "expect-control cb_CPI1 index -1\n"
                                              "expect-control cb_CPI1 count 0x10\n"
                                              "expect-control cb_Mode0 checked 1\n"
                                              "expect-control Key1 visible 0\n"
                                              "expect-control Key1 enabled 1\n"
                                              "data-file macro.dat seeds/my macros.dat\n"
                                              "choose Pg_Parameter 2\n");
    ASSERT_TRUE(parse.ok()) << parse.errors.front();
    struct Want {
        K kind;
        const char* name;
        std::optional<int> row;
        ControlProperty property;
        const char* text;
    };
    using P = ControlProperty;
    const Want wants[] = {
        {K::Click, "LB_Name", 3, P::Text, ""},
        {K::DblClick, "LB_Name", 0, P::Text, ""},
        {K::RClick, "Key2", std::nullopt, P::Text, ""},
        {K::Show, "cb_CPI1", std::nullopt, P::Text, ""},
        {K::ExpectControl, "lbl_Content", std::nullopt, P::Text, "two  words"},
        {K::ExpectControl, "lbl_Content", std::nullopt, P::Text, ""},
        {K::ExpectControl, "cb_CPI1", std::nullopt, P::Index, "-1"},
        {K::ExpectControl, "cb_CPI1", std::nullopt, P::Count, "16"},
        {K::ExpectControl, "cb_Mode0", std::nullopt, P::Checked, "1"},
        {K::ExpectControl, "Key1", std::nullopt, P::Visible, "0"},
        {K::ExpectControl, "Key1", std::nullopt, P::Enabled, "1"},
        {K::DataFile, "macro.dat", std::nullopt, P::Text, "seeds/my macros.dat"},
        {K::Choose, "Pg_Parameter", std::nullopt, P::Text, ""},
    };
    ASSERT_EQ(parse.steps.size(), std::size(wants));
    for (std::size_t i = 0; i < std::size(wants); ++i) {
        const ScenarioStep& s = parse.steps[i];
        EXPECT_EQ(s.kind, wants[i].kind) << s.source;
        EXPECT_EQ(s.name, wants[i].name) << s.source;
        EXPECT_EQ(s.row, wants[i].row) << s.source;
        EXPECT_EQ(s.property, wants[i].property) << s.source;
        EXPECT_EQ(s.text, wants[i].text) << s.source;
    }
}

TEST(ScenarioScriptTest, ShowPrintsTheFieldsOfTheKindAndExpectControlComparesOne) {
    ControlState combo;
    combo.text = "800 CPI";
    combo.index = 2;
    combo.count = 7;
    combo.visible = true;
    ControlState box;
    box.text = "Say \"on\"\\\nnext";
    box.checked = true;
    box.enabled = true;
    const ControlState panel; // hidden, disabled, nothing else
    EXPECT_EQ(FormatControlState("cb_CPI1", combo),
              "control cb_CPI1: text=\"800 CPI\" index=2 visible=1 enabled=0 count=7\n");
    EXPECT_EQ(
        FormatControlState("cb_Mode0", box),
        "control cb_Mode0: text=\"Say \\\"on\\\"\\\\\\nnext\" checked=1 visible=0 enabled=1\n");
    EXPECT_EQ(FormatControlState("gbPage1", panel), "control gbPage1: visible=0 enabled=0\n");

    using P = ControlProperty;
    struct Case {
        const ControlState* state;
        P property;
        const char* value;
        const char* error; // empty: passes
    };
    const Case cases[] = {
        {&combo, P::Text, "800 CPI", ""},
        {&combo, P::Text, "800", "cb_CPI1 text is \"800 CPI\", not \"800\""},
        {&combo, P::Index, "2", ""},
        {&combo, P::Index, "3", "cb_CPI1 index is 2, not 3"},
        {&combo, P::Count, "7", ""},
        {&combo, P::Visible, "1", ""},
        {&combo, P::Enabled, "1", "cb_CPI1 enabled is 0, not 1"},
        {&combo, P::Checked, "1", "cb_CPI1 has no checked"},
        {&box, P::Text, "Say \"on\"\\\nnext", ""}, // compared unescaped
        {&box, P::Checked, "1", ""},
        {&box, P::Checked, "0", "cb_CPI1 checked is 1, not 0"},
        {&box, P::Index, "0", "cb_CPI1 has no index"},
        {&panel, P::Text, "", "cb_CPI1 has no text"},
        {&panel, P::Count, "0", "cb_CPI1 has no count"},
    };
    for (const Case& c : cases) {
        std::string error;
        const bool passed = CheckControlState("cb_CPI1", *c.state, c.property, c.value, error);
        EXPECT_EQ(passed, std::string(c.error).empty()) << c.value;
        EXPECT_EQ(error, c.error) << c.value;
    }
}

// A temporary folder of the test's own, removed afterwards.
class ScenarioDataFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("scenario-data-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }

    void Write(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path root_;
};

TEST_F(ScenarioDataFileTest, CopiesIntoAFolderItMakesAndOverAnEarlierFile) {
    const std::filesystem::path data = root_ / "share" / "Gaming Mouse";
    Write(root_ / "first.dat", std::string("\x00\x01\xFFmacro", 8));
    Write(root_ / "second.dat", "gun");
    std::string error;
    ASSERT_TRUE(CopyDataFile(data, "macro.dat", root_ / "first.dat", error)) << error;
    EXPECT_EQ(Read(data / "macro.dat"), std::string("\x00\x01\xFFmacro", 8));
    ASSERT_TRUE(CopyDataFile(data, "macro.dat", root_ / "second.dat", error)) << error;
    EXPECT_EQ(Read(data / "macro.dat"), "gun");
    EXPECT_EQ(Read(root_ / "first.dat"), std::string("\x00\x01\xFFmacro", 8));
}

TEST_F(ScenarioDataFileTest, AMissingSourceOrAFolderAsSourceFailsAndLeavesNothing) {
    const std::filesystem::path data = root_ / "data";
    std::string error;
    EXPECT_FALSE(CopyDataFile(data, "macro.dat", root_ / "missing.dat", error));
    EXPECT_EQ(error, "cannot read " + (root_ / "missing.dat").string());
    EXPECT_FALSE(CopyDataFile(data, "macro.dat", root_, error));
    EXPECT_FALSE(std::filesystem::exists(data / "macro.dat"));
}

TEST(ScenarioScriptTest, FramesPrintOnceAndExpectMatchesSentFramesInOrder) {
    ScenarioFrameLog log;
    const SimFrame info{true, {0x40, 0x0D, 0, 0, 0, 0, 0, 0}};
    const SimFrame reply{false, {0x41, 0x3A, 0xC0, 0, 0, 0, 0, 0}};
    const SimFrame read{true, {0x40, 0x09, 0x00, 0x00, 0x00, 0x07, 0, 0}};
    log.Append(std::vector<SimFrame>{info, reply});
    EXPECT_EQ(log.TakeUnprinted(), "> 40 0D 00 00 00 00 00 00\n< 41 3A C0 00 00 00 00 00\n");
    EXPECT_EQ(log.TakeUnprinted(), "");

    std::string error;
    EXPECT_FALSE(log.ExpectNone(error));
    EXPECT_EQ(error, "expect-none: > 40 0D 00 00 00 00 00 00 was sent and not expected");
    EXPECT_TRUE(log.Expect(info.bytes, error)); // the received frame between is passed over
    EXPECT_TRUE(log.ExpectNone(error));
    EXPECT_FALSE(log.Expect(info.bytes, error));
    EXPECT_EQ(error, "expected > 40 0D 00 00 00 00 00 00, but nothing more was sent");

    log.Append(std::vector<SimFrame>{read, reply, info, read});
    EXPECT_FALSE(log.Expect(info.bytes, error));
    EXPECT_EQ(error, "expected > 40 0D 00 00 00 00 00 00, but > 40 09 00 00 00 07 00 00 was sent");
    // skip-to passes over the read to the information command; nothing is passed over when
    // the frame never comes.
    EXPECT_TRUE(log.SkipTo(info.bytes, error));
    const std::vector<std::uint8_t> never{0x40, 0x0E, 0, 0, 0, 0, 0, 0};
    EXPECT_FALSE(log.SkipTo(never, error));
    EXPECT_EQ(error, "skip-to > 40 0E 00 00 00 00 00 00: no such frame was sent");
    EXPECT_TRUE(log.Expect(read.bytes, error));
    EXPECT_TRUE(log.ExpectNone(error));
    // Received frames are never matched by expect.
    EXPECT_FALSE(log.SkipTo(reply.bytes, error));
}

TEST(ScenarioScriptTest, ImageAndMessageFormats) {
    std::vector<std::uint8_t> image(20);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 17);
    EXPECT_EQ(FormatImageLines(image), "0000: 00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF\n"
                                       "0010: 10 21 32 43\n");
    EXPECT_EQ(FormatMessageLine("No Device Found\rPlease check"),
              "message: No Device Found | Please check\n");
    EXPECT_EQ(FormatMessageLine("one line"), "message: one line\n");
    EXPECT_EQ(ParseHexBytes("4 0a FF"), (std::vector<std::uint8_t>{0x04, 0x0A, 0xFF}));
    EXPECT_FALSE(ParseHexBytes(""));
}

} // namespace
} // namespace trvx
