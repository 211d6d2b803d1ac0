// The settings-file editor: values read as the desktop reads them, and changes that touch
// nothing but the value they change.
#include "platform/IniText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace trvx {
namespace {

// A user's kdeglobals as it may really look: comments, other groups, spacing the desktop
// would not write, a CRLF line, a header the desktop rejects, an entry without '=', a
// translated key, bytes that are no UTF-8, and no newline at the end.
const std::string kUserFile = "# written by hand\n"
                              "TopLevel=1\n"
                              "\n"
                              "[General]\n"
                              "ColorScheme=Breeze Dark\n"
                              "Name[de]=Hallo\n"
                              "\n"
                              "[KDE]\n"
                              "  DoubleClickInterval =  620   \n"
                              "SingleClick=false\r\n"
                              "a line without an equals sign\n"
                              "Odd=\xff\xfe bytes\n"
                              "\n"
                              "# the next group\n"
                              "[Icons]\n"
                              "Theme=breeze";

TEST(IniText, ChangingAValueRewritesOnlyThatValue) {
    IniText ini(kUserFile);
    ini.Set("KDE", "DoubleClickInterval", "270");
    std::string expected = kUserFile;
    expected.replace(expected.find("620"), 3, "270");
    EXPECT_EQ(ini.Text(), expected);
    EXPECT_EQ(ini.Value("KDE", "DoubleClickInterval"), "270");
}

TEST(IniText, AMissingKeyGoesAfterItsGroupsLastEntryAndAMissingGroupAtTheEnd) {
    IniText ini(kUserFile);
    ini.Set("KDE", "WheelScrollLines", "7");
    std::string expected = kUserFile;
    expected.insert(expected.find("\n\n# the next group") + 1, "WheelScrollLines=7\n");
    EXPECT_EQ(ini.Text(), expected);

    ini.Set("Mouse", "cursorSize", "24");
    expected += "\n\n[Mouse]\ncursorSize=24\n";
    EXPECT_EQ(ini.Text(), expected);
    EXPECT_EQ(ini.Value("KDE", "WheelScrollLines"), "7");
    EXPECT_EQ(ini.Value("Mouse", "cursorSize"), "24");
    EXPECT_EQ(ini.Value("Icons", "Theme"), "breeze");
}

TEST(IniText, EditsOfSmallFiles) {
    struct Case {
        const char* name;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"no file yet", "", "[KDE]\nKey=5\n"},
        {"group header only", "[KDE]\n", "[KDE]\nKey=5\n"},
        {"last line without newline", "[KDE]\nA=1", "[KDE]\nA=1\nKey=5\n"},
        {"CRLF file", "[KDE]\r\nA=1\r\n", "[KDE]\r\nA=1\r\nKey=5\r\n"},
        {"empty value", "[KDE]\nKey=\n", "[KDE]\nKey=5\n"},
        {"deleted entry is written over", "[KDE]\n  Key[$d]\n", "[KDE]\n  Key=5\n"},
        {"the last of two sections", "[KDE]\nA=1\n[X]\nB=2\n[KDE]\nC=3\n",
         "[KDE]\nA=1\n[X]\nB=2\n[KDE]\nC=3\nKey=5\n"},
        {"the entry that wins", "[KDE]\nKey=1\n[KDE]\nKey=2\n", "[KDE]\nKey=1\n[KDE]\nKey=5\n"},
        {"a translated key is another entry", "[KDE]\nKey[de]=1\n", "[KDE]\nKey[de]=1\nKey=5\n"},
        {"a nested group is another group", "[KDE][Sub]\nKey=1\n",
         "[KDE][Sub]\nKey=1\n\n[KDE]\nKey=5\n"},
    };
    for (const Case& c : cases) {
        IniText ini(c.before);
        ini.Set("KDE", "Key", "5");
        EXPECT_EQ(ini.Text(), c.after) << c.name;
        EXPECT_EQ(ini.Value("KDE", "Key"), "5") << c.name;
    }
}

TEST(IniText, ReadsValuesAsTheDesktopDoes) {
    struct Case {
        const char* name;
        std::string text;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"empty file", "", std::nullopt},
        {"other group", "[General]\nKey=1\n", std::nullopt},
        {"other key", "[KDE]\nKeys=1\n", std::nullopt},
        {"spaces around", "[KDE]\n\t Key  =  42 \n", "42"},
        {"last entry wins", "[KDE]\nKey=1\n[Other]\n[KDE]\nKey=2\n", "2"},
        {"deleted", "[KDE]\nKey=1\nKey[$d]\n", std::nullopt},
        {"translated only", "[KDE]\nKey[de]=1\n", std::nullopt},
        {"options after the key", "[KDE]\nKey[$e]=1\n", "1"},
        {"escapes", "[KDE]\nKey=\\sa\\tb\\\\c\\x41\\s\n", " a\tb\\cA "},
        {"an unclosed header keeps the group", "[KDE]\n[Broken\nKey=3\n", "3"},
        {"comment", "[KDE]\n# Key=1\n", std::nullopt},
        {"key without value", "[KDE]\nKey\n", std::nullopt},
        {"nested group", "[KDE][Sub]\nKey=1\n", std::nullopt},
        {"locked group still reads", "[KDE][$i]\nKey=9\n", "9"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IniText(c.text).Value("KDE", "Key"), c.value) << c.name;
}

TEST(IniText, LocksTheDesktopHonours) {
    EXPECT_FALSE(IniText(kUserFile).Locked("KDE", "DoubleClickInterval"));
    EXPECT_TRUE(IniText("[KDE][$i]\nKey=1\n").Locked("KDE", "Key"));
    EXPECT_TRUE(IniText("[KDE]\nKey[$i]=1\n").Locked("KDE", "Key"));
    EXPECT_TRUE(IniText("[$i]\n[KDE]\nKey=1\n").Locked("KDE", "Key"));
    EXPECT_FALSE(IniText("[Other][$i]\n[KDE]\nOther[$i]=1\n").Locked("KDE", "Key"));
}

TEST(IniText, EscapedValuesReadBackUnchanged) {
    const std::string value = " lead\ttab\nnew\\back trail ";
    IniText ini("[KDE]\n");
    ini.Set("KDE", "Key", value);
    EXPECT_EQ(ini.Text().find('\t'), std::string::npos);
    EXPECT_EQ(ini.Value("KDE", "Key"), value);
}

} // namespace
} // namespace trvx
