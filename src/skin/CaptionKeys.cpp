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
    "Str601", "Str602", "Str603", "Str604", "Str605", "Str606", "Str108", "Str109", "Str115",
    "Str880", "Str881", "Str470", "Str471", "Str472", "Str190", "Str622", "Str623", "Str624",
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

} // namespace trvx
