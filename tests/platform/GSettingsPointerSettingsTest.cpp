// The desktop's settings store through GSettings, on compiled copies of the mouse schemas and
// GIO's memory backend, so the tests never touch the user's settings.
#include "platform/GSettingsPointerSettings.h"

#include "support/Waiting.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace trvx {
namespace {

namespace fs = std::filesystem;

// GIO takes its schema folder and backend once, at its first use in the process.
const bool kTestStore = [] {
    setenv("GSETTINGS_SCHEMA_DIR", TRVX_TEST_SCHEMAS, 1);
    setenv("GSETTINGS_BACKEND", "memory", 1);
    return true;
}();

// A write waits for the store as long as any test waits: the memory backend answers at once,
// but the thread that syncs it may be slow to run on a loaded machine.
std::unique_ptr<GSettingsPointerSettings>
OpenStore(const char* schema = GSettingsPointerSettings::kMouseSchema) {
    return GSettingsPointerSettings::Open(schema, test::kWaitDeadline);
}

PointerState Wanted(double speed, bool acceleration, int doubleClickMs) {
    PointerState s;
    s.speed = speed;
    s.acceleration = acceleration;
    s.doubleClickMs = doubleClickMs;
    return s;
}

TEST(GSettingsStore, ADesktopWithoutTheSchemaHasNoStore) {
    ASSERT_TRUE(kTestStore);
    EXPECT_EQ(GSettingsPointerSettings::Open("trvx.test.not-installed"), nullptr);
}

TEST(GSettingsStore, ReadsTheDefaultsAndWritesOnlyTheSettingAsked) {
    auto store = OpenStore();
    ASSERT_NE(store, nullptr);
    PointerState s = store->Read();
    EXPECT_EQ(s.speed, 0.0);
    EXPECT_EQ(s.acceleration, true); // 'default'
    EXPECT_EQ(s.doubleClickMs, 400);
    EXPECT_EQ(s.wheelLines, std::nullopt);

    const PointerState wanted = Wanted(-0.6, false, 270);
    ASSERT_TRUE(store->Write(PointerSetting::DoubleClick, wanted).ok);
    s = store->Read();
    EXPECT_EQ(s.doubleClickMs, 270);
    EXPECT_EQ(s.speed, 0.0);
    EXPECT_EQ(s.acceleration, true);

    ASSERT_TRUE(store->Write(PointerSetting::Acceleration, wanted).ok);
    ASSERT_TRUE(store->Write(PointerSetting::Speed, wanted).ok);
    // A second store on the same schema sees what was written: it went to the backend.
    s = OpenStore()->Read();
    EXPECT_EQ(s.speed, -0.6);
    EXPECT_EQ(s.acceleration, false); // 'flat'
    EXPECT_EQ(s.doubleClickMs, 270);

    // Out of the schema's range: held to its ends.
    ASSERT_TRUE(store->Write(PointerSetting::Speed, Wanted(3.0, false, 270)).ok);
    EXPECT_EQ(store->Read().speed, 1.0);
    // Wheel lines are not a setting of this store: refused, not silently dropped.
    EXPECT_FALSE(store->Write(PointerSetting::WheelLines, wanted).ok);
    EXPECT_FALSE(store->Write(PointerSetting::Speed, PointerState{}).ok);
}

TEST(GSettingsStore, KeysAnotherSchemaLacksOrTypesOtherwiseAreAbsent) {
    auto store = OpenStore("trvx.test.other-mouse");
    ASSERT_NE(store, nullptr);
    PointerState s = store->Read();
    EXPECT_EQ(s.speed, 0.25);
    EXPECT_EQ(s.acceleration, std::nullopt);
    EXPECT_EQ(s.doubleClickMs, std::nullopt);
    const PointerState wanted = Wanted(0.5, false, 300);
    for (PointerSetting absent : {PointerSetting::Acceleration, PointerSetting::DoubleClick}) {
        const PointerResult r = store->Write(absent, wanted);
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.error.find("not a setting"), std::string::npos) << r.error;
    }
    EXPECT_TRUE(store->Write(PointerSetting::Speed, wanted).ok);
    EXPECT_EQ(store->Read().speed, 0.5);
}

// The window runs under the user's locale, where a number may be written "0,6": the store's
// numbers are typed and never pass through text.
TEST(GSettingsStore, NumbersSurviveADecimalCommaLocale) {
    const fs::path locales = fs::temp_directory_path() / ("locales-" + std::to_string(getpid()));
    fs::create_directories(locales);
    const std::string build =
        "localedef -i de_DE -f UTF-8 '" + (locales / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(build.c_str()) != 0) {
        fs::remove_all(locales);
        GTEST_SKIP() << "no de_DE locale can be built here";
    }
    setenv("LOCPATH", locales.c_str(), 1);
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    auto store = OpenStore();
    const bool wrote = store && store->Write(PointerSetting::Speed, Wanted(0.6, true, 400)).ok;
    const PointerState s = store ? store->Read() : PointerState{};
    std::setlocale(LC_NUMERIC, before.c_str());
    unsetenv("LOCPATH");
    fs::remove_all(locales);

    if (!comma)
        GTEST_SKIP() << "the de_DE locale does not load";
    EXPECT_STREQ(probe, "0,5"); // the locale really writes a comma
    EXPECT_TRUE(wrote);
    EXPECT_EQ(s.speed, 0.6);
}

} // namespace
} // namespace trvx
