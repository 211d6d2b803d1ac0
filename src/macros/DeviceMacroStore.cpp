#include "macros/DeviceMacroStore.h"

#include "device/ImageLayout.h"

#include <algorithm>
#include <cstring>

namespace trvx {
namespace {

// Values that the mouse must not meet at the last byte of the first block: it would take them
// for the start of an event that continues in the second block.
bool NeedsBoundaryByte(std::uint8_t b) {
    return b == 0x01 || b == 0x02 || b == 0x81 || b == 0x82 || b == 0xFE;
}
constexpr std::size_t kBoundaryOffset = 255;

// Whether an event of the body starts at `index`: the boundary byte may only go in front of a
// whole event, or the event it splits is read as other events.
bool StartsAnEvent(const MacroBody& body, std::size_t bodySize, std::size_t index) {
    std::size_t p = 0;
    while (p < index && p < bodySize) {
        const int size = MacroEventSize(body[p]);
        if (size == 0)
            return false;
        p += static_cast<std::size_t>(size);
    }
    return p == index;
}

bool SameUsedNames(const EepromMacroStore& a, const EepromMacroStore& b) {
    std::vector<TMacroName> na, nb;
    std::vector<std::uint16_t> la, lb;
    for (std::size_t k = 0; k < kEepromMacroSlots; ++k) {
        if (a.DevMacroLengths[k] != 0) {
            na.push_back(a.DevMacroNames[k]);
            la.push_back(a.DevMacroLengths[k]);
        }
        if (b.DevMacroLengths[k] != 0) {
            nb.push_back(b.DevMacroNames[k]);
            lb.push_back(b.DevMacroLengths[k]);
        }
    }
    return na == nb && la == lb;
}

} // namespace

std::string MacroStoreErrorText(MacroStoreError error) {
    switch (error) {
    case MacroStoreError::None:
        return {};
    case MacroStoreError::Malformed:
        return "The macro data is damaged: a macro does not end where it should.";
    case MacroStoreError::AreaOverflow:
        return "Macro bin length out of range";
    case MacroStoreError::Duplicate:
        return "This macro already exists";
    case MacroStoreError::Full:
        return "The mouse holds no more macros.";
    case MacroStoreError::EmptyName:
        return "The mouse cannot store a macro under this name.";
    case MacroStoreError::BadBody:
        return "The macro has no end or holds an unknown event.";
    case MacroStoreError::NoSuchMacro:
        return "There is no such macro.";
    }
    return {};
}

// ---- EEPROM area ---------------------------------------------------------------------------

EepromMacroStore::EepromMacroStore() {
    DevMacroStarts[0] = kEepromFirstMacroStart;
}

MacroStoreError EepromMacroStore::Parse(std::span<const std::uint8_t, kEepromMacroAreaSize> area,
                                        EepromMacroStore& out) {
    out = EepromMacroStore{};
    std::size_t p = 0;
    std::uint32_t sum = 0;
    for (std::size_t k = 0; k < kEepromMacroSlots; ++k) {
        if (p + 2 > area.size())
            break;
        TMacroName name{};
        std::memcpy(name.data(), area.data() + p, std::min(kMacroNameBytes, area.size() - p));
        if (IsEepromNameEmpty(name))
            break; // the end of the list: every later slot stays unused
        if (p + kMacroNameBytes >= area.size())
            return MacroStoreError::Malformed; // a name without room for its end byte
        const std::size_t bodyAt = p + kMacroNameBytes;
        const auto rest = area.subspan(bodyAt, std::min(kMacroBodySize, area.size() - bodyAt));
        const auto size = MacroBodyEnd(rest);
        if (!size)
            return MacroStoreError::Malformed; // would read the next name out of body bytes
        out.DevMacroNames[k] = name;
        std::copy_n(rest.begin(), *size, out.DevMacroBodies[k].begin());
        out.DevMacroLengths[k] = static_cast<std::uint16_t>(kMacroNameBytes + *size);
        if (k >= 1)
            out.DevMacroStarts[k] = static_cast<std::uint16_t>(kEepromFirstMacroStart + sum);
        sum += out.DevMacroLengths[k];
        p = bodyAt + *size;
    }
    std::copy(area.begin(), area.end(), out.MacroArea.begin());
    out.CheckMacroLen4480();
    return MacroStoreError::None;
}

MacroStoreError EepromMacroStore::Pack(EepromMacroStore& store) {
    EepromMacroStore s = store;
    s.MacroArea.fill(0);
    std::size_t q = 0;
    std::int32_t used = 0;
    for (std::size_t i = 0; i < kEepromMacroSlots; ++i) {
        const std::uint16_t length = s.DevMacroLengths[i];
        used += length;
        if (length == 0)
            continue;
        if (length < kMacroNameBytes + 1 || length > kMacroNameBytes + kMacroBodySize)
            return MacroStoreError::Malformed;
        if (q + length > s.MacroArea.size())
            return MacroStoreError::AreaOverflow;
        std::copy(s.DevMacroNames[i].begin(), s.DevMacroNames[i].end(), s.MacroArea.begin() + q);
        const std::size_t bodySize = length - kMacroNameBytes;
        const std::size_t bodyAt = q + kMacroNameBytes;
        MacroBody& body = s.DevMacroBodies[i];
        std::size_t newSize = bodySize;
        if (bodyAt <= kBoundaryOffset && kBoundaryOffset < bodyAt + bodySize &&
            NeedsBoundaryByte(body[kBoundaryOffset - bodyAt])) {
            // The byte moves to the second block behind a loop-end byte; the body grows by one.
            if (bodySize + 1 > kMacroBodySize)
                return MacroStoreError::AreaOverflow;
            const std::size_t at = kBoundaryOffset - bodyAt;
            if (!StartsAnEvent(body, bodySize, at))
                return MacroStoreError::Malformed;
            std::copy_backward(body.begin() + at, body.begin() + bodySize,
                               body.begin() + bodySize + 1);
            body[at] = meLoopEnd;
            newSize = bodySize + 1;
            s.DevMacroLengths[i] = static_cast<std::uint16_t>(length + 1);
        }
        if (bodyAt + newSize > s.MacroArea.size())
            return MacroStoreError::AreaOverflow;
        std::copy_n(body.begin(), newSize, s.MacroArea.begin() + bodyAt);
        q = bodyAt + newSize;
    }
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < kEepromMacroSlots; ++i) {
        if (i >= 1 && s.DevMacroLengths[i] != 0)
            s.DevMacroStarts[i] = static_cast<std::uint16_t>(kEepromFirstMacroStart + sum);
        sum += s.DevMacroLengths[i];
    }
    s.MacroBytesUsed = used;
    store = s;
    return MacroStoreError::None;
}

MacroStoreError EepromMacroStore::ReadAndRefreshMacro4480(
    std::span<const std::uint8_t, kEepromMacroAreaSize> area) {
    EepromMacroStore s;
    // On damage Parse keeps the macros in front of it; they are listed and packed as usual.
    MacroStoreError error = Parse(area, s);
    const MacroStoreError packError = Pack(s);
    if (packError != MacroStoreError::None) {
        // Repacking would need more room than the area has: keep the area as it was read.
        if (error == MacroStoreError::None)
            error = packError;
        std::copy(area.begin(), area.end(), s.MacroArea.begin());
        s.CheckMacroLen4480();
    }
    *this = s;
    return error;
}

MacroStoreError
EepromMacroStore::ParseStrict(std::span<const std::uint8_t, kEepromMacroAreaSize> area) {
    EepromMacroStore s;
    const MacroStoreError error = Parse(area, s);
    if (error != MacroStoreError::None)
        return error;
    return Commit(s);
}

MacroStoreError EepromMacroStore::RefreshMacro4480() {
    return Pack(*this);
}

void EepromMacroStore::CheckMacroLen4480() {
    MacroBytesUsed = 0;
    for (std::uint16_t length : DevMacroLengths)
        MacroBytesUsed += length;
}

int EepromMacroStore::Count() const {
    int n = 0;
    for (std::uint16_t length : DevMacroLengths)
        n += length != 0 ? 1 : 0;
    return n;
}

std::vector<std::string> EepromMacroStore::RefreshMacroName4480() const {
    std::vector<std::string> rows;
    for (std::size_t k = 0; k < kEepromMacroSlots; ++k) {
        if (DevMacroLengths[k] != 0)
            rows.push_back(MacroNameToText(DevMacroNames[k]));
    }
    return rows;
}

std::span<const std::uint8_t> EepromMacroStore::Body(int k) const {
    if (k < 0 || k >= static_cast<int>(kEepromMacroSlots) || DevMacroLengths[k] < kMacroNameBytes)
        return {};
    const std::size_t size =
        std::min<std::size_t>(DevMacroLengths[k] - kMacroNameBytes, kMacroBodySize);
    return std::span<const std::uint8_t>(DevMacroBodies[k]).first(size);
}

MacroStoreError EepromMacroStore::Commit(EepromMacroStore changed) {
    MacroStoreError error = Pack(changed);
    if (error != MacroStoreError::None)
        return error;
    EepromMacroStore readBack;
    error = Parse(changed.MacroArea, readBack);
    if (error != MacroStoreError::None || !SameUsedNames(changed, readBack))
        return MacroStoreError::Malformed;
    error = Pack(readBack);
    if (error != MacroStoreError::None)
        return error;
    *this = readBack;
    return MacroStoreError::None;
}

MacroStoreError EepromMacroStore::Add(const TMacroName& name, const MacroBody& body) {
    for (std::size_t k = 0; k < kEepromMacroSlots; ++k) {
        if (DevMacroLengths[k] != 0 && DevMacroNames[k] == name)
            return MacroStoreError::Duplicate;
    }
    const int n = Count();
    if (n >= static_cast<int>(kEepromMacroSlots))
        return MacroStoreError::Full;
    if (IsEepromNameEmpty(name))
        return MacroStoreError::EmptyName;
    const auto size = MacroBodyEnd(body);
    if (!size)
        return MacroStoreError::BadBody;
    EepromMacroStore s = *this;
    s.DevMacroNames[n] = name;
    s.DevMacroBodies[n] = body;
    s.DevMacroLengths[n] = static_cast<std::uint16_t>(kMacroNameBytes + *size);
    s.CheckMacroLen4480();
    if (s.MacroBytesUsed > static_cast<std::int32_t>(kEepromMacroAreaSize))
        return MacroStoreError::AreaOverflow;
    return Commit(s);
}

MacroStoreError EepromMacroStore::Delete(int d, std::vector<MacroAddressMove>& moves) {
    moves.clear();
    if (d < 0 || d >= static_cast<int>(kEepromMacroSlots) || DevMacroLengths[d] == 0)
        return MacroStoreError::NoSuchMacro;
    EepromMacroStore s = *this;
    s.DevMacroLengths[d] = 0;
    s.DevMacroNames[d] = {};
    s.DevMacroBodies[d] = {};
    if (d != 0)
        s.DevMacroStarts[d] = 0;
    std::vector<std::uint16_t> oldStarts; // of the macros that stay, in slot order
    for (int k = 0; k < static_cast<int>(kEepromMacroSlots); ++k) {
        if (DevMacroLengths[k] != 0 && k != d)
            oldStarts.push_back(k == 0 ? kEepromFirstMacroStart : DevMacroStarts[k]);
    }
    const std::uint16_t deletedStart = d == 0 ? kEepromFirstMacroStart : DevMacroStarts[d];
    const MacroStoreError error = Commit(s);
    if (error != MacroStoreError::None)
        return error;
    // The macros that stay keep their order, now packed from slot 0.
    moves.push_back({deletedStart, std::nullopt});
    for (std::size_t j = 0; j < oldStarts.size(); ++j) {
        const std::uint16_t now = j == 0 ? kEepromFirstMacroStart : DevMacroStarts[j];
        moves.push_back({oldStarts[j], now});
    }
    return MacroStoreError::None;
}

// ---- Flash slots ---------------------------------------------------------------------------

FlashMacroStore::FlashMacroStore() {
    for (std::size_t i = 0; i < kFlashMacroSlotCount; ++i)
        FlashMacroAddrs[i] = static_cast<std::uint16_t>(kFlashMacroBodiesAddress + 256 * i);
}

void FlashMacroStore::Load(
    std::span<const std::uint8_t, kFlashMacroSlotCount * kMacroNameBytes> names,
    std::span<const std::uint8_t, kFlashMacroSlotCount * kMacroBodySize> bodies) {
    for (std::size_t i = 0; i < kFlashMacroSlotCount; ++i) {
        std::copy_n(names.begin() + i * kMacroNameBytes, kMacroNameBytes,
                    FlashMacroNames[i].begin());
        std::copy_n(bodies.begin() + i * kMacroBodySize, kMacroBodySize,
                    FlashMacroBodies[i].begin());
    }
    RefreshMacroName();
}

void FlashMacroStore::Load(const TFlashMacroNames& names, const TFlashMacroBodies& bodies) {
    FlashMacroNames = names;
    FlashMacroBodies = bodies;
    RefreshMacroName();
}

std::uint16_t FlashMacroStore::ListingLength(int slot) {
    if (slot < 0 || slot >= static_cast<int>(kFlashMacroSlotCount))
        return 0;
    const auto s = static_cast<std::size_t>(slot);
    if (const auto length = FlashMacroBodyLength(FlashMacroBodies[s]))
        FlashMacroLengths[s] = static_cast<std::uint16_t>(*length);
    return FlashMacroLengths[s];
}

bool FlashMacroStore::IsUsed(int slot) const {
    return slot >= 0 && slot < static_cast<int>(kFlashMacroSlotCount) &&
           !IsFlashNameEmpty(FlashMacroNames[slot]);
}

int FlashMacroStore::RowCount() const {
    for (int i = static_cast<int>(kFlashMacroSlotCount) - 1; i >= 0; --i) {
        if (IsUsed(i))
            return i + 1;
    }
    return 0;
}

std::vector<std::string> FlashMacroStore::RefreshMacroName() {
    for (std::size_t i = 0; i < kFlashMacroSlotCount; ++i)
        FlashMacroAddrs[i] = static_cast<std::uint16_t>(kFlashMacroBodiesAddress + 256 * i);
    std::vector<std::string> rows;
    const int n = RowCount();
    for (int i = 0; i < n; ++i)
        rows.push_back(IsUsed(i) ? MacroNameToText(FlashMacroNames[i]) : std::string());
    return rows;
}

MacroStoreError FlashMacroStore::Add(const TMacroName& name, const MacroBody& body) {
    for (int i = 0; i < static_cast<int>(kFlashMacroSlotCount); ++i) {
        if (IsUsed(i) && FlashMacroNames[i] == name)
            return MacroStoreError::Duplicate;
    }
    const int n = RowCount();
    if (n >= static_cast<int>(kFlashMacroSlotCount))
        return MacroStoreError::Full;
    if (IsFlashNameEmpty(name))
        return MacroStoreError::EmptyName;
    FlashMacroNames[n] = name;
    FlashMacroBodies[n] = body;
    RefreshMacroName();
    return MacroStoreError::None;
}

MacroStoreError FlashMacroStore::Delete(int d, std::vector<MacroAddressMove>& moves) {
    moves.clear();
    const int n = RowCount();
    if (d < 0 || d >= n)
        return MacroStoreError::NoSuchMacro;
    if (IsUsed(d))
        moves.push_back({FlashMacroAddrs[d], std::nullopt});
    for (int i = d + 1; i < n; ++i) {
        if (IsUsed(i))
            moves.push_back({FlashMacroAddrs[i], FlashMacroAddrs[i - 1]});
    }
    for (std::size_t i = static_cast<std::size_t>(d); i + 1 < kFlashMacroSlotCount; ++i) {
        FlashMacroNames[i] = FlashMacroNames[i + 1];
        FlashMacroBodies[i] = FlashMacroBodies[i + 1];
    }
    FlashMacroNames[kFlashMacroSlotCount - 1] = {};
    FlashMacroBodies[kFlashMacroSlotCount - 1] = {};
    RefreshMacroName();
    return MacroStoreError::None;
}

void FlashMacroStore::UIToMacroName(std::span<const std::string> rows) {
    for (auto& name : FlashMacroNames)
        name = {};
    for (std::size_t j = 0; j < rows.size() && j < kFlashMacroSlotCount; ++j)
        FlashMacroNames[j] = MacroNameFromText(rows[j]);
}

std::array<std::uint8_t, kFlashMacroSlotCount * kMacroNameBytes>
FlashMacroStore::NamesBlock() const {
    std::array<std::uint8_t, kFlashMacroSlotCount * kMacroNameBytes> block{};
    for (std::size_t i = 0; i < kFlashMacroSlotCount; ++i)
        std::copy(FlashMacroNames[i].begin(), FlashMacroNames[i].end(),
                  block.begin() + i * kMacroNameBytes);
    return block;
}

FlashMacroStore DefaultMacroStore() {
    FlashMacroStore store;
    for (std::size_t i = 0; i < kFlashMacroSlotCount; ++i)
        store.FlashMacroNames[i] = MacroNameFromText("Macro" + std::to_string(i + 1));
    store.RefreshMacroName();
    return store;
}

// ---- Key entries -----------------------------------------------------------------------------

RepointResult RefreshMacroAddr(std::span<const MacroAddressMove> moves,
                               std::span<std::array<std::uint8_t, 49>, 3> profileSections,
                               std::span<std::uint8_t, 164> vendorSection,
                               const DefaultKeyEntryFunction& defaultEntry) {
    RepointResult result;
    // Each entry is looked up once against the old addresses, so a macro moving onto another's
    // old address is never moved twice.
    auto repoint = [&](std::uint8_t* entry, KeyEntryRef ref) {
        if (entry[0] != 0x10 || entry[3] != 0x00)
            return false;
        const auto address = static_cast<std::uint16_t>(entry[1] << 8 | entry[2]);
        const auto move = std::find_if(moves.begin(), moves.end(), [&](const MacroAddressMove& m) {
            return m.oldStart == address;
        });
        if (move == moves.end())
            return false;
        KeyEntryBytes next{};
        if (move->newStart) {
            if (*move->newStart == address)
                return false;
            next = {0x10, static_cast<std::uint8_t>(*move->newStart >> 8),
                    static_cast<std::uint8_t>(*move->newStart & 0xFF), 0x00};
        } else if (defaultEntry) {
            next = defaultEntry(ref);
        }
        std::copy(next.begin(), next.end(), entry);
        result.changed.push_back(ref);
        return true;
    };
    for (int p = 0; p < 3; ++p) {
        bool changed = false;
        for (int k = 0; k < static_cast<int>(kKeysPerProfile); ++k)
            changed |= repoint(profileSections[p].data() + 4 * k, {p, k});
        if (changed) {
            SetSectionChecksum(profileSections[p]);
            result.profilesChanged = true;
        }
    }
    for (int n = 0; n < static_cast<int>(kCombinationEntryCount); ++n)
        result.combinationsChanged |=
            repoint(vendorSection.data() + kCombinationEntriesOffset + 4 * n, {-1, n});
    if (result.combinationsChanged)
        SetSectionChecksum(vendorSection);
    return result;
}

} // namespace trvx
