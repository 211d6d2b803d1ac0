#include "platform/PlasmaPointerSettings.h"

#include "base/NumberText.h"
#include "platform/IniText.h"
#include "platform/SettingsFile.h"

#include <limits>
#include <strings.h>

namespace trvx {
namespace fs = std::filesystem;

namespace {

constexpr const char* kGlobals = "kdeglobals";
constexpr const char* kGroup = "KDE";
constexpr const char* kDoubleClick = "DoubleClickInterval";
constexpr const char* kWheelLines = "WheelScrollLines";

std::optional<int> ParsePositive(const std::string& text) {
    const auto v = ParseDecimalDigits(text, std::numeric_limits<int>::max());
    if (!v || *v < 1)
        return std::nullopt;
    return static_cast<int>(*v);
}

std::vector<std::string> SplitList(const char* text) {
    std::vector<std::string> parts;
    if (text == nullptr)
        return parts;
    std::string all = text;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = all.find(':', start);
        parts.push_back(all.substr(start, colon == std::string::npos ? colon : colon - start));
        if (colon == std::string::npos)
            return parts;
        start = colon + 1;
    }
}

PointerResult NotHere(const char* what) {
    return {false, std::string(what) + ": not a setting this program can change on this desktop"};
}

} // namespace

PlasmaPointerSettings::PlasmaPointerSettings(fs::path configHome, std::vector<fs::path> configDirs,
                                             std::unique_ptr<PlasmaSession> session)
    : configHome_(std::move(configHome)), configDirs_(std::move(configDirs)),
      session_(std::move(session)) {}

PointerState PlasmaPointerSettings::Read() {
    PointerState s;
    s.wheelScreenOffered = false;
    // A value nobody can be told about would not apply until programs restart.
    std::string error;
    const auto user =
        session_->CanAnnounce() ? ReadSettingsFile(configHome_ / kGlobals, error) : std::nullopt;
    if (user) {
        // The user's file first, then the system's; the first that holds the key decides, and
        // a value Plasma cannot use counts as its default, as Plasma reads it.
        std::vector<IniText> files{IniText(user->text)};
        for (const fs::path& dir : configDirs_)
            if (auto system = ReadSettingsFile(dir / kGlobals, error))
                files.emplace_back(system->text);
        auto number = [&files](const char* key, int fallback) {
            for (const IniText& file : files)
                if (auto value = file.Value(kGroup, key))
                    return ParsePositive(*value).value_or(fallback);
            return fallback;
        };
        s.doubleClickMs = number(kDoubleClick, kDefaultDoubleClickMs);
        s.wheelLines = number(kWheelLines, kDefaultWheelLines);
    }
    // Every mouse gets the same speed; the page shows the first one's.
    if (auto mice = session_->Mice())
        for (const PlasmaMouse& m : *mice) {
            if (!s.speed && m.speedSettable)
                s.speed = m.speed;
            if (!s.acceleration && m.profileSettable)
                s.acceleration = !m.flat;
        }
    return s;
}

PointerResult PlasmaPointerSettings::WriteNumber(const char* key, int value) {
    if (!session_->CanAnnounce())
        return {false, std::string(key) + ": the session bus cannot be reached"};
    const fs::path path = configHome_ / kGlobals;
    std::string error;
    const auto file = ReadSettingsFile(path, error);
    if (!file)
        return {false, error};
    IniText ini(file->text);
    if (ini.Locked(kGroup, key))
        return {false, std::string(key) + ": locked in " + path.string()};
    ini.Set(kGroup, key, std::to_string(value));
    if (ini.Text() != file->text && !WriteSettingsFile(path, ini.Text(), error))
        return {false, error};
    PointerResult told = session_->AnnounceMouseSettings();
    if (!told.ok)
        told.error = std::string(key) + " saved, but running programs were not told: " + told.error;
    return told;
}

PointerResult PlasmaPointerSettings::Write(PointerSetting setting, const PointerState& state) {
    switch (setting) {
    case PointerSetting::DoubleClick:
        if (!state.doubleClickMs || *state.doubleClickMs < 1)
            return {false, kDoubleClick};
        return WriteNumber(kDoubleClick, *state.doubleClickMs);
    case PointerSetting::WheelLines:
        if (!state.wheelLines)
            return {false, kWheelLines};
        if (*state.wheelLines < 1)
            return NotHere("a screen a wheel notch");
        return WriteNumber(kWheelLines, *state.wheelLines);
    case PointerSetting::Speed:
    case PointerSetting::Acceleration:
        break;
    }
    const bool speed = setting == PointerSetting::Speed;
    if (speed ? !state.speed : !state.acceleration)
        return {false, speed ? "speed" : "acceleration"};
    const auto mice = session_->Mice();
    bool any = false;
    PointerResult result;
    for (const PlasmaMouse& m : mice ? *mice : std::vector<PlasmaMouse>{}) {
        if (speed ? !m.speedSettable : !m.profileSettable)
            continue;
        any = true;
        // Every mouse gets the setting; the first failure is the one told.
        const PointerResult one = speed ? session_->SetSpeed(m.sysName, *state.speed)
                                        : session_->SetFlat(m.sysName, !*state.acceleration);
        if (!one.ok && result.ok)
            result = one;
    }
    if (!any)
        return NotHere(speed ? "pointer speed" : "pointer acceleration");
    return result;
}

bool IsPlasmaSession(const char* currentDesktop, const char* fullSession) {
    if (fullSession != nullptr && *fullSession != '\0')
        return true;
    for (const std::string& name : SplitList(currentDesktop))
        if (strcasecmp(name.c_str(), "KDE") == 0)
            return true;
    return false;
}

fs::path UserConfigHome(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/')
        return xdgConfigHome;
    return fs::path(home != nullptr ? home : "") / ".config";
}

std::vector<fs::path> SystemConfigDirs(const char* xdgConfigDirs) {
    std::vector<fs::path> dirs;
    for (const std::string& dir : SplitList(xdgConfigDirs))
        if (!dir.empty() && dir[0] == '/')
            dirs.emplace_back(dir);
    if (dirs.empty())
        dirs.emplace_back("/etc/xdg");
    return dirs;
}

} // namespace trvx
