#include "skin/CaptionKeys.h"

namespace trvx {
namespace {

constexpr std::string_view kCpiValues[] = {
    "Str300", "Str301", "Str302", "Str303", "Str304", "Str305",
    "Str306", "Str307", "Str308", "Str309", "Str310", "Str311",
};

constexpr std::string_view kGunModeNames[] = {
    "Str600", "Str601", "Str602", "Str603", "Str604", "Str605", "Str606",
};

constexpr std::string_view kKept[] = {
    "Str004", "Str005", "Str022", "Str100", "Str101", "Str102", "Str103", "Str104", "Str105",
    "Str106", "Str107", "Str205", "Str210", "Str212", "Str213", "Str214", "Str221", "Str222",
    "Str223", "Str231", "Str232", "Str233", "Str251", "Str252", "Str253", "Str260", "Str261",
    "Str300", "Str301", "Str302", "Str303", "Str304", "Str305", "Str306", "Str307", "Str308",
    "Str309", "Str310", "Str311", "Str400", "Str401", "Str420", "Str421", "Str430", "Str600",
    "Str601", "Str602", "Str603", "Str604", "Str605", "Str606",
};

constexpr std::string_view kKeyFunctions[] = {
    "Str205", "Str210", "Str211", "Str212", "Str213", "Str214", "Str221", "Str222", "Str223",
    "Str231", "Str232", "Str233", "Str241", "Str242", "Str243", "Str251", "Str252", "Str253",
    "Str254", "Str260", "Str261", "Str262", "Str263", "Str264", "Str265", "Str266", "Str268",
    "Str269", "Str270", "Str271", "Str272", "Str273", "Str274", "Str275", "Str276", "Str277",
    "Str280", "Str281", "Str282", "Str283", "Str284", "Str285", "Str286", "Str290", "Str291",
    "Str292", "Str293", "Str600", "Str601", "Str602", "Str603", "Str604", "Str605", "Str606",
};

} // namespace

std::span<const std::string_view> KeptTextKeys() {
    return kKept;
}
std::span<const std::string_view> CpiValueKeys() {
    return kCpiValues;
}
std::span<const std::string_view> GunModeNameKeys() {
    return kGunModeNames;
}
std::span<const std::string_view> KeyFunctionCaptionKeys() {
    return kKeyFunctions;
}

} // namespace trvx
