// The embedded caption texts against what the program reads from them.

#include "base/Resources.h"
#include "keys/KeyPageTables.h"
#include "shell/MainWindowTables.h"
#include "skin/CaptionKeys.h"
#include "skin/CaptionText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace trvx {
namespace {

const char* const kSetNames[] = {"lang1", "lang2", "lang3"};

std::vector<CaptionSection> embeddedSets() {
    std::vector<CaptionSection> sets;
    for (const char* name : kSetNames) {
        auto set = ReadCaptionSection(name);
        EXPECT_TRUE(set.ok()) << set.error;
        sets.push_back(set.ok() ? std::move(*set) : CaptionSection());
    }
    return sets;
}

// The entries of an authored source file, key -> value, as a reviewer reads them.
std::map<std::string, std::string> sourceEntries(const std::string& name) {
    const auto path = std::filesystem::path(TRVX_TEST_DATA).parent_path().parent_path() /
                      "resources" / "captions" / (name + ".txt");
    std::ifstream in(path);
    EXPECT_TRUE(in) << path;
    std::map<std::string, std::string> entries;
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() < 2 || line.front() != '"')
            continue;
        std::string inner = line.substr(1, line.rfind('"') - 1);
        for (std::size_t i = inner.find("\"\""); i != std::string::npos;
             i = inner.find("\"\"", i + 1))
            inner.erase(i, 1);
        const std::size_t eq = inner.find('=');
        entries[inner.substr(0, eq)] = inner.substr(eq + 1);
    }
    return entries;
}

bool wellFormedKey(std::string_view key) {
    if (key == kCaptionFontNameKey || key == kCaptionTitleKey)
        return true;
    return key.size() == 6 && key.substr(0, 3) == "Str" &&
           key.find_first_not_of("0123456789", 3) == std::string_view::npos;
}

TEST(CaptionResources, EmbeddedWithMarkUnderTheNamesLookedUp) {
    for (const char* name : {"LANG1", "LANG2", "LANG3"}) {
        const auto bytes = resource(name);
        ASSERT_GE(bytes.size(), 2u) << name;
        EXPECT_EQ(bytes[0], 0xFF) << name;
        EXPECT_EQ(bytes[1], 0xFE) << name;
    }
}

TEST(CaptionResources, EveryKeyReadIsPresentAndNonEmptyInEverySet) {
    const auto sets = embeddedSets();
    const auto keys = AllCaptionKeys();
    ASSERT_FALSE(keys.empty());
    for (std::string_view key : keys) {
        EXPECT_TRUE(wellFormedKey(key)) << key;
        for (const CaptionSection& set : sets) {
            EXPECT_TRUE(set.Has(key)) << set.Name() << " lacks " << key;
            EXPECT_FALSE(set.Text(key).empty()) << set.Name() << " " << key;
        }
    }
}

// The texts the pages compare names with, print in messages or show as they stand.
TEST(CaptionResources, EnglishTextsAsTheProgramKnowsThem) {
    const std::map<std::string, std::string> expected = {
        {"Str001", "Default"},
        {"Str002", "Confirm 2"},
        {"Str004", "Office Mode"},
        {"Str005", "Game Mode"},
        {"Str006", "Third Mode"},
        {"Str009", "Save Profile"},
        {"Str010", "Load Profile"},
        {"Str016", "Confirm 3"},
        {"Str022", "Not find the specified device"},
        {"Str100", "No Device Found"},
        {"Str101", "Please check your device is attached to USB port"},
        {"Str102", "TRVX441x005AData.bin file type error"},
        {"Str103", "Macro bin length out of range"},
        {"Str105", "Please select a AIM Key"},
        {"Str106", "This macro already exists"},
        {"Str107", "The mouse manufacturer or product id error"},
        {"Str200", "*"},
        {"Str205", "User-defined"},
        {"Str210", "Left Click"},
        {"Str211", "Right Click"},
        {"Str212", "Middle Click"},
        {"Str213", "Backward"},
        {"Str214", "Forward"},
        {"Str221", "DPI Loop"},
        {"Str222", "DPI +"},
        {"Str223", "DPI -"},
        {"Str231", "Fire Key1"},
        {"Str232", "Fire Key2"},
        {"Str233", "Fire Key3"},
        {"Str241", "Power Down"},
        {"Str242", "Sleep"},
        {"Str243", "Wake Up"},
        {"Str250", "Profile Switch"},
        {"Str251", "Office Mode"},
        {"Str252", "Game Mode"},
        {"Str253", "Third Mode"},
        {"Str254", "KB Switch Loop"},
        {"Str260", "AIM Key"},
        {"Str261", "LED Mode"},
        {"Str262", "LED ON/OFF"},
        {"Str263", "Button Effect Switch"},
        {"Str264", "Report Rate"},
        {"Str265", "Fire Macro Key"},
        {"Str266", "Fire Macro Off"},
        {"Str268", "Adjust XY Fn"},
        {"Str269", "Adjust XY Switch"},
        {"Str270", "Play/Pause"},
        {"Str271", "Stop"},
        {"Str272", "Previous Track"},
        {"Str273", "Next Track"},
        {"Str274", "Volume +"},
        {"Str275", "Volume -"},
        {"Str276", "Mute"},
        {"Str277", "Key Off"},
        {"Str280", "Home"},
        {"Str281", "Search"},
        {"Str282", "Web Back"},
        {"Str283", "Web Forward"},
        {"Str284", "Stop"},
        {"Str285", "Refresh"},
        {"Str286", "Favorites"},
        {"Str290", "My Computer"},
        {"Str291", "Calculator"},
        {"Str292", "E-Mail"},
        {"Str293", "Desktop"},
        {"Str300", "200"},
        {"Str301", "400"},
        {"Str302", "600"},
        {"Str303", "800"},
        {"Str304", "1000"},
        {"Str305", "1200"},
        {"Str306", "1600"},
        {"Str307", "2000"},
        {"Str308", "2400"},
        {"Str309", "3200"},
        {"Str310", "4800"},
        {"Str311", "6400"},
        {"Str400", "Record"},
        {"Str401", "Stop"},
        {"Str402", "Rename"},
        {"Str404", "Export One"},
        {"Str405", "Export All"},
        {"Str406", "Import One"},
        {"Str407", "Import All"},
        {"Str408", "Delete"},
        {"Str409", "Insert"},
        {"Str410", "Insert Delay Front"},
        {"Str411", "Insert Delay Back"},
        {"Str412", "Insert Key Front"},
        {"Str413", "Insert Key Back"},
        {"Str432", "New Macro"},
        {"Str433", "Delect Macro"},
        {"Str434", "Add to Mouse"},
        {"Str435", "Edit"},
        {"Str450", "Insert X/Y axis Front"},
        {"Str451", "Insert X/Y axis Back"},
        {"Str456", "Insert Start Repeat"},
        {"Str457", "Insert Stop Repeat"},
        {"Str500", "Assembly Key"},
        {"Str501", "Confirm"},
        {"Str502", "Clear"},
        {"Str510", "Macro Name"},
        {"Str511", "OK"},
        {"Str512", "Clear"},
        {"Str520", "Input One Key"},
        {"Str521", "Input Delay Time"},
        {"Str600", "AKM Fire"},
        {"Str601", "M16 Fire"},
        {"Str602", "M4 Fire"},
        {"Str603", "UMP9 Fire"},
        {"Str604", "SCAR-L Fire"},
        {"Str605", "TOMPSON Fire"},
        {"Str606", "UZI Fire"},
        {"Str804", "Moving Speed"},
        {"Str834", "Macro List"},
    };
    const auto sets = embeddedSets();
    for (const auto& [key, text] : expected) {
        EXPECT_EQ(sets[1].Text(key), text) << key;
        EXPECT_EQ(sets[2].Text(key), text) << key; // set 3 speaks English too
    }
    EXPECT_EQ(sets[0].Text("Title"), "Quillon Gaming Mouse");
    EXPECT_EQ(sets[1].Text("Title"), "Quillon Gaming Mouse");
    EXPECT_EQ(sets[2].Text("Title"), "USB Gaming Mouse");
    // The CPI values are numbers in every language.
    for (std::string_view key : CpiValueKeys())
        EXPECT_EQ(sets[0].Text(key), sets[1].Text(key)) << key;
}

TEST(CaptionResources, CzechLettersSurviveTheConversion) {
    const auto sets = embeddedSets();
    const CaptionSection& czech = sets[0];
    EXPECT_EQ(czech.Text("Str251"), "Kancel\u00E1\u0159sk\u00FD re\u017Eim");
    EXPECT_EQ(czech.Text("Str011"), "\u010Ce\u0161tina");
    EXPECT_EQ(czech.Text("Str022"), "Zadan\u00E9 za\u0159\u00EDzen\u00ED nebylo nalezeno");
    EXPECT_EQ(czech.Text("Str106"), "Toto makro ji\u017E existuje");
    EXPECT_EQ(czech.Text("Str212"), "St\u0159edn\u00ED tla\u010D\u00EDtko");
    EXPECT_EQ(czech.Text("Str456"), "Vlo\u017Eit za\u010D\u00E1tek opakov\u00E1n\u00ED");
    EXPECT_EQ(czech.Text("Str847"), "S lev\u00FDm tla\u010D\u00EDtkem");
    // The language button of set 1 names it alike in every set.
    for (const CaptionSection& set : sets)
        EXPECT_EQ(set.Text("Str011"), "\u010Ce\u0161tina") << set.Name();
}

// Every authored entry reaches the program whole: no entry runs into the next, no stray line
// is added, no letter is lost on the way to UTF-16 and back.
TEST(CaptionResources, EmbeddedSetsMatchTheirSources) {
    const auto sets = embeddedSets();
    for (std::size_t i = 0; i < sets.size(); ++i) {
        const auto entries = sourceEntries(kSetNames[i]);
        ASSERT_FALSE(entries.empty()) << kSetNames[i];
        EXPECT_EQ(sets[i].Name(), kSetNames[i]);
        for (const auto& [key, value] : entries)
            EXPECT_EQ(sets[i].Text(key), value) << kSetNames[i] << " " << key;
        // The header and one entry per authored line, nothing more.
        const auto split =
            SplitCaptionEntries(DecodeCaptionBytes(resource("LANG" + std::to_string(i + 1))));
        EXPECT_EQ(split.size(), entries.size() + 1) << kSetNames[i];
    }
}

// A key label's caption is carried to another set by looking its text up among the caption
// keys; a text shared by two keys must then still come out as the same text in every set.
TEST(CaptionResources, KeyCaptionsCarryOverToEverySet) {
    const auto sets = embeddedSets();
    for (const CaptionSection& from : sets) {
        for (std::string_view key : KeyFunctionCaptionKeys()) {
            const std::string text = from.Text(key);
            const std::string found = FindTextKey(text, sets);
            ASSERT_FALSE(found.empty()) << from.Name() << " " << key << " '" << text << "'";
            for (const CaptionSection& to : sets)
                EXPECT_EQ(to.Text(found), to.Text(key))
                    << key << " shown in " << from.Name() << " as '" << text << "' becomes "
                    << found << " in " << to.Name();
        }
    }
    // The media stop, the web stop and the record button's stop share one text; the lookup
    // settles on the highest of them, which reads the same in every set.
    EXPECT_EQ(FindTextKey("Stop"), "Str401");
    EXPECT_EQ(FindTextKey("Zastavit"), "Str401");
    EXPECT_EQ(FindTextKey("Default"), ""); // keys below Str100 are never searched
    EXPECT_EQ(FindTextKey("Ctrl+Alt+A"), "");
}

} // namespace
} // namespace trvx
