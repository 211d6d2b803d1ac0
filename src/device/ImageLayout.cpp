#include "device/ImageLayout.h"

namespace trvx {

std::string_view StorageKindName(StorageKind kind) {
    switch (kind) {
    case StorageKind::I2C:
        return "I2C";
    case StorageKind::Flash:
        return "Flash";
    case StorageKind::None:
        break;
    }
    return {};
}

std::optional<std::uint32_t> RegisterImageOffset(StorageKind kind, int reg) {
    if (reg < 0 || reg >= kRegisterCount || kind == StorageKind::None)
        return std::nullopt;
    if (kind == StorageKind::I2C || reg < kUserRegisterFirst)
        return static_cast<std::uint32_t>(reg);
    return flash::kUser.offset + static_cast<std::uint32_t>(reg - kUserRegisterFirst);
}

std::uint8_t SectionChecksum(std::span<const std::uint8_t> section) {
    std::uint8_t sum = 0;
    if (!section.empty()) {
        for (std::size_t i = 0; i + 1 < section.size(); ++i)
            sum = static_cast<std::uint8_t>(sum + section[i]);
    }
    return static_cast<std::uint8_t>(sum ^ 0x5A);
}

bool SectionChecksumValid(std::span<const std::uint8_t> section) {
    return !section.empty() && section.back() == SectionChecksum(section);
}

void SetSectionChecksum(std::span<std::uint8_t> section) {
    if (!section.empty())
        section.back() = SectionChecksum(section);
}

} // namespace trvx
