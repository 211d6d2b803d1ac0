#include "fire/GunKeyScripts.h"

#include "macros/MacroFileIo.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

namespace trvx {

TKeyEntry BuildGunScript(const GunScriptForm& form) {
    if (form.type == 1) {
        const int colour = form.colourIndex == 10 ? 15 : std::clamp(form.colourIndex, 0, 9);
        return TKeyEntry(0x0B, static_cast<std::uint8_t>(0x80 + colour), 0, 0);
    }
    const int start = std::clamp(form.startIndex, 0, 9);
    const int number = std::clamp(form.numberIndex, 0, 9) + 1;
    return TKeyEntry(0x0B, static_cast<std::uint8_t>((form.keepLeft ? 0x10 : 0) + start),
                     static_cast<std::uint8_t>(number), 0);
}

GunScriptForm GunScriptToForm(const TKeyEntry& entry, const GunScriptForm& current) {
    GunScriptForm form = current;
    const int flags = entry.p1();
    form.type = (flags & 0x80) ? 1 : 0;
    const int low = flags & 0x0F;
    if (form.type == 1) {
        if (low <= 9)
            form.colourIndex = low;
        else if (low == 15)
            form.colourIndex = 10;
    } else {
        form.keepLeft = (flags & 0x10) != 0;
        if (low <= 9)
            form.startIndex = low;
        if (entry.p2() >= 1 && entry.p2() <= 10)
            form.numberIndex = entry.p2() - 1;
    }
    return form;
}

GunScripts GunScripts::FromFileBytes(std::span<const std::uint8_t> bytes) {
    GunScripts s;
    for (std::size_t slot = 0; slot < kGunScriptSlots; ++slot)
        for (std::size_t b = 0; b < 4; ++b) {
            const std::size_t at = 4 * slot + b;
            if (at < bytes.size())
                s.slots_[slot].bytes[b] = bytes[at];
        }
    return s;
}

std::array<std::uint8_t, kGunKeyFileSize> GunScripts::FileBytes() const {
    std::array<std::uint8_t, kGunKeyFileSize> out{};
    for (std::size_t slot = 0; slot < kGunScriptSlots; ++slot)
        for (std::size_t b = 0; b < 4; ++b)
            out[4 * slot + b] = slots_[slot].bytes[b];
    return out;
}

std::vector<int> GunScripts::RowSlots() const {
    std::vector<int> rows;
    for (int i = 0; i < kGunScriptSlots; ++i)
        if (slots_[static_cast<std::size_t>(i)] != TKeyEntry{})
            rows.push_back(i);
    return rows;
}

std::vector<std::string> GunScripts::RowNames() const {
    std::vector<std::string> names;
    for (int slot : RowSlots())
        names.push_back("Fire Macro" + std::to_string(slot + 1));
    return names;
}

std::optional<int> GunScripts::SlotOfRow(int row) const {
    const auto rows = RowSlots();
    if (row < 0 || row >= static_cast<int>(rows.size()))
        return std::nullopt;
    return rows[static_cast<std::size_t>(row)];
}

bool GunScripts::Add(const TKeyEntry& entry) {
    if (entry == TKeyEntry{})
        return false;
    for (auto& slot : slots_)
        if (slot == TKeyEntry{}) {
            slot = entry;
            return true;
        }
    return false;
}

bool GunScripts::RemoveRow(int row) {
    const auto slot = SlotOfRow(row);
    if (!slot)
        return false;
    for (int i = *slot; i + 1 < kGunScriptSlots; ++i)
        slots_[static_cast<std::size_t>(i)] = slots_[static_cast<std::size_t>(i + 1)];
    slots_.back() = TKeyEntry{};
    return true;
}

std::optional<GunScripts> ReadGunKeyFile(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    char c = 0;
    while (bytes.size() < kGunKeyFileSize && in.get(c))
        bytes.push_back(static_cast<std::uint8_t>(c));
    return GunScripts::FromFileBytes(bytes);
}

bool SaveGunKeyFile(const std::filesystem::path& file, std::span<const std::uint8_t> bytes) {
    std::error_code ec;
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), ec);
    return !WriteFileReplacing(file, bytes).has_value();
}

} // namespace trvx
