// Plasma's pointer settings against a temporary settings folder and a stand-in session bus:
// values read where Plasma keeps them, writes that keep the user's file and are announced, and
// the settings this program cannot change there reported as absent.
#include "platform/PlasmaPointerSettings.h"
#include "platform/SettingsFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace trvx {
namespace {

namespace fs = std::filesystem;

class FakePlasmaSession : public PlasmaSession {
public:
    bool bus = true;
    bool announceFails = false;
    int announced = 0;
    std::optional<std::vector<PlasmaMouse>> mice;
    std::vector<std::string> calls; // "speed event5 0.4", "flat event5 1"
    std::string failingNode;

    bool CanAnnounce() override { return bus; }
    PointerResult AnnounceMouseSettings() override {
        ++announced;
        return announceFails ? PointerResult{false, "no bus"} : PointerResult{};
    }
    std::optional<std::vector<PlasmaMouse>> Mice() override { return mice; }
    PointerResult SetSpeed(const std::string& node, double speed) override {
        std::ostringstream s;
        s << "speed " << node << " " << speed;
        calls.push_back(s.str());
        return node == failingNode ? PointerResult{false, "refused"} : PointerResult{};
    }
    PointerResult SetFlat(const std::string& node, bool flat) override {
        calls.push_back("flat " + node + " " + (flat ? "1" : "0"));
        return node == failingNode ? PointerResult{false, "refused"} : PointerResult{};
    }
};

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class PlasmaStore : public ::testing::Test {
protected:
    fs::path dir;
    fs::path home;
    fs::path system;
    FakePlasmaSession* session = nullptr;
    std::unique_ptr<PlasmaPointerSettings> store;

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("plasma-" + std::to_string(getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        home = dir / "home";
        system = dir / "xdg";
        fs::create_directories(system);
        auto fake = std::make_unique<FakePlasmaSession>();
        session = fake.get();
        store = std::make_unique<PlasmaPointerSettings>(home, std::vector<fs::path>{system},
                                                        std::move(fake));
    }
    void TearDown() override { fs::remove_all(dir); }
    void UserFile(const std::string& text) {
        fs::create_directories(home);
        std::ofstream(home / "kdeglobals", std::ios::binary) << text;
    }
    static PointerState Wanted(int doubleClick, int wheel) {
        PointerState s;
        s.doubleClickMs = doubleClick;
        s.wheelLines = wheel;
        return s;
    }
};

TEST_F(PlasmaStore, ReadsTheUserFileThenTheSystemFileThenPlasmasDefaults) {
    PointerState s = store->Read();
    EXPECT_EQ(s.doubleClickMs, 400);
    EXPECT_EQ(s.wheelLines, 3);
    EXPECT_FALSE(s.wheelScreenOffered);

    std::ofstream(system / "kdeglobals") << "[KDE]\nWheelScrollLines=5\nDoubleClickInterval=300\n";
    UserFile("[KDE]\nDoubleClickInterval=550\n");
    s = store->Read();
    EXPECT_EQ(s.doubleClickMs, 550);
    EXPECT_EQ(s.wheelLines, 5);

    // A value Plasma cannot use is its default, not the system's value.
    UserFile("[KDE]\nDoubleClickInterval=fast\nWheelScrollLines=-1\n");
    s = store->Read();
    EXPECT_EQ(s.doubleClickMs, 400);
    EXPECT_EQ(s.wheelLines, 3);
}

TEST_F(PlasmaStore, WhatCannotBeReadOrAnnouncedIsAbsent) {
    // No compositor devices (an X11 session): no speed, no acceleration.
    PointerState s = store->Read();
    EXPECT_EQ(s.speed, std::nullopt);
    EXPECT_EQ(s.acceleration, std::nullopt);
    EXPECT_FALSE(store
                     ->Write(PointerSetting::Speed,
                             [] {
                                 PointerState w;
                                 w.speed = 0.2;
                                 return w;
                             }())
                     .ok);

    // A settings file that cannot be read.
    fs::create_directories(home / "kdeglobals");
    s = store->Read();
    EXPECT_EQ(s.doubleClickMs, std::nullopt);
    EXPECT_EQ(s.wheelLines, std::nullopt);
    EXPECT_FALSE(store->Write(PointerSetting::DoubleClick, Wanted(480, 3)).ok);
    EXPECT_EQ(session->announced, 0);

    // No session bus: nothing would apply what is written.
    fs::remove_all(home);
    session->bus = false;
    s = store->Read();
    EXPECT_EQ(s.doubleClickMs, std::nullopt);
    EXPECT_FALSE(store->Write(PointerSetting::DoubleClick, Wanted(480, 3)).ok);
    EXPECT_FALSE(fs::exists(home / "kdeglobals"));
}

TEST_F(PlasmaStore, AWriteKeepsTheRestOfTheFileAndIsAnnounced) {
    const std::string before = "# mine\n[General]\nColorScheme=Breeze\n\n[KDE]\n"
                               "DoubleClickInterval = 620\nSingleClick=false\n\n[Icons]\nTheme=x\n";
    UserFile(before);
    chmod((home / "kdeglobals").c_str(), 0640);
    ASSERT_TRUE(store->Write(PointerSetting::DoubleClick, Wanted(270, 3)).ok);
    std::string expected = before;
    expected.replace(expected.find("620"), 3, "270");
    EXPECT_EQ(ReadAll(home / "kdeglobals"), expected);
    EXPECT_EQ(session->announced, 1);

    ASSERT_TRUE(store->Write(PointerSetting::WheelLines, Wanted(270, 8)).ok);
    expected.insert(expected.find("SingleClick=false\n") + 18, "WheelScrollLines=8\n");
    EXPECT_EQ(ReadAll(home / "kdeglobals"), expected);
    EXPECT_EQ(session->announced, 2);
    EXPECT_EQ(store->Read(), [] {
        PointerState s = Wanted(270, 8);
        s.wheelScreenOffered = false;
        return s;
    }());

    struct stat st {};
    ASSERT_EQ(stat((home / "kdeglobals").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // Nothing is left beside the file.
    EXPECT_EQ(std::distance(fs::directory_iterator(home), fs::directory_iterator()), 1);
}

TEST_F(PlasmaStore, WritesThatCannotApplyChangeNothingAndSaySo) {
    const std::string locked = "[KDE][$i]\nDoubleClickInterval=500\n";
    UserFile(locked);
    PointerResult r = store->Write(PointerSetting::DoubleClick, Wanted(270, 3));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("locked"), std::string::npos) << r.error;
    EXPECT_EQ(ReadAll(home / "kdeglobals"), locked);

    // Plasma has no "a screen a notch".
    UserFile("[KDE]\nWheelScrollLines=4\n");
    EXPECT_FALSE(store->Write(PointerSetting::WheelLines, Wanted(400, -1)).ok);
    EXPECT_EQ(ReadAll(home / "kdeglobals"), "[KDE]\nWheelScrollLines=4\n");
    EXPECT_EQ(session->announced, 0);

    // Saved, but running programs were not told: the user hears of it.
    session->announceFails = true;
    r = store->Write(PointerSetting::WheelLines, Wanted(400, 6));
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("no bus"), std::string::npos) << r.error;
    EXPECT_EQ(ReadAll(home / "kdeglobals"), "[KDE]\nWheelScrollLines=6\n");
}

TEST_F(PlasmaStore, SpeedAndAccelerationGoToEveryMouseTheCompositorCanSet) {
    session->mice = std::vector<PlasmaMouse>{
        {"event3", true, -0.4, true, true},
        {"event7", true, 0.5, false, false},
        {"event9", false, 0.0, true, false},
    };
    PointerState s = store->Read();
    EXPECT_EQ(s.speed, -0.4);
    EXPECT_EQ(s.acceleration, false); // event3's flat profile

    PointerState wanted;
    wanted.speed = 0.2;
    wanted.acceleration = true;
    ASSERT_TRUE(store->Write(PointerSetting::Speed, wanted).ok);
    ASSERT_TRUE(store->Write(PointerSetting::Acceleration, wanted).ok);
    EXPECT_EQ(session->calls, (std::vector<std::string>{"speed event3 0.2", "speed event7 0.2",
                                                        "flat event3 0", "flat event9 0"}));

    // One mouse refusing is told, the others still get the setting.
    session->calls.clear();
    session->failingNode = "event3";
    const PointerResult r = store->Write(PointerSetting::Speed, wanted);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "refused");
    EXPECT_EQ(session->calls.size(), 2u);

    // Only a touchpad or tablet (no settable mouse): absent.
    session->mice = std::vector<PlasmaMouse>{};
    s = store->Read();
    EXPECT_EQ(s.speed, std::nullopt);
    EXPECT_FALSE(store->Write(PointerSetting::Speed, wanted).ok);
}

TEST(PlasmaSessionDetection, DesktopNamesAndFolders) {
    struct Case {
        const char* desktop;
        const char* full;
        bool plasma;
    };
    const Case cases[] = {{"KDE", nullptr, true},
                          {"ubuntu:GNOME", nullptr, false},
                          {"X-Cinnamon:kde", nullptr, true},
                          {nullptr, "true", true},
                          {"", "", false},
                          {"KDEX", nullptr, false},
                          {nullptr, nullptr, false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsPlasmaSession(c.desktop, c.full), c.plasma)
            << (c.desktop ? c.desktop : "(none)") << " " << (c.full ? c.full : "(none)");

    EXPECT_EQ(UserConfigHome("/x/conf", "/home/u"), fs::path("/x/conf"));
    EXPECT_EQ(UserConfigHome("relative", "/home/u"), fs::path("/home/u/.config"));
    EXPECT_EQ(UserConfigHome(nullptr, "/home/u"), fs::path("/home/u/.config"));
    EXPECT_EQ(SystemConfigDirs("/a:rel:/b"), (std::vector<fs::path>{"/a", "/b"}));
    EXPECT_EQ(SystemConfigDirs(nullptr), (std::vector<fs::path>{"/etc/xdg"}));
}

class SettingsFileTest : public ::testing::Test {
protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() / ("settings-file-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
};

TEST_F(SettingsFileTest, ALinkStaysALinkAndMissingFoldersAreMade) {
    std::string error;
    fs::create_directories(dir / "dotfiles");
    std::ofstream(dir / "dotfiles" / "kdeglobals") << "old";
    fs::create_directories(dir / "config");
    fs::create_symlink("../dotfiles/kdeglobals", dir / "config" / "kdeglobals");
    ASSERT_TRUE(WriteSettingsFile(dir / "config" / "kdeglobals", "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(dir / "config" / "kdeglobals"));
    EXPECT_EQ(ReadAll(dir / "dotfiles" / "kdeglobals"), "new");

    ASSERT_TRUE(WriteSettingsFile(dir / "a" / "b" / "kdeglobals", "made", error)) << error;
    EXPECT_EQ(ReadAll(dir / "a" / "b" / "kdeglobals"), "made");

    auto read = ReadSettingsFile(dir / "none", error);
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->exists);
}

TEST_F(SettingsFileTest, AFailedWriteLeavesTheOldContentAndNoLitter) {
    std::string error;
    // The folder is a file: nothing can be written there.
    std::ofstream(dir / "blocker") << "keep";
    EXPECT_FALSE(WriteSettingsFile(dir / "blocker" / "kdeglobals", "x", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadAll(dir / "blocker"), "keep");
    // A folder where the file should be is not replaced.
    fs::create_directories(dir / "kdeglobals");
    std::ofstream(dir / "kdeglobals" / "inside") << "keep";
    EXPECT_FALSE(WriteSettingsFile(dir / "kdeglobals", "x", error));
    EXPECT_EQ(ReadAll(dir / "kdeglobals" / "inside"), "keep");
    EXPECT_FALSE(ReadSettingsFile(dir / "kdeglobals", error));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);
}

} // namespace
} // namespace trvx
