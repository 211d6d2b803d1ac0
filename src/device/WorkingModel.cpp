#include "device/WorkingModel.h"

#include "device/AcceptedMouse.h"

#include <algorithm>

namespace trvx {
namespace {

constexpr int kVendorLast = kVendorCheckRegister - 1; // 162: last byte before the check byte
constexpr int kUserLast = kUserCheckRegister - 1;     // 190
constexpr int kPaletteCount = 10;
constexpr int kCpiColourCount = 8;

void AppendHex(std::string& text, std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
}

std::string EntryText(std::span<const std::uint8_t> entry) {
    std::string text;
    for (std::uint8_t b : entry)
        AppendHex(text, b);
    return text;
}

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value);
}

bool InRange(int value, int low, int high) {
    return value >= low && value <= high;
}

} // namespace

KeyCodeTextList BuildKeyCodeTexts(const WorkingSections& sections) {
    KeyCodeTextList texts;
    for (std::size_t p = 0; p < kProfileCount; ++p)
        for (std::size_t k = 0; k < kKeysPerProfile; ++k)
            texts[kKeysPerProfile * p + k] =
                EntryText(std::span(sections.ProfileSection[p]).subspan(4 * k, 4));
    // Combination key n (1..9) sits at vendor byte 123 + 4n.
    for (std::size_t n = 1; n <= 9; ++n)
        texts[35 + n] = EntryText(std::span(sections.VendorSection).subspan(123 + 4 * n, 4));
    return texts;
}

std::string StoredPatchChecksumText(StorageKind kind, const WorkingSections& sections) {
    std::string text;
    if (kind == StorageKind::I2C) {
        AppendHex(text, sections.PatchBlock[6]);
        AppendHex(text, sections.PatchBlock[7]);
    } else if (kind == StorageKind::Flash) {
        AppendHex(text, sections.FlashSettingsHead[14]);
        AppendHex(text, sections.FlashSettingsHead[15]);
    }
    return text;
}

bool SendRegisterWrite(AcceptedMouse& mouse, const RegisterWrite& write) {
    const auto& b = write.bytes;
    if (write.bank == 1 && b.size() == 4)
        return mouse.WriteRegisterEntry(write.reg, b[0], b[1], b[2], b[3]);
    if (write.bank == 0 && !b.empty() && b.size() <= 3)
        return mouse.WriteRegister(write.reg, b[0], b.size() > 1 ? b[1] : 0,
                                   b.size() > 2 ? b[2] : 0, static_cast<std::uint8_t>(b.size()));
    return mouse.WriteRegisterRun(write.bank, write.reg, b);
}

std::string_view LedTypeName(LedType type) {
    switch (type) {
    case LedType::RGB:
        return "RGB";
    case LedType::Sync:
        return "Sync";
    case LedType::NT:
        return "NT";
    case LedType::MCULED:
        return "MCULED";
    }
    return "RGB";
}

int BreathLimit(BreathParameter parameter) {
    return parameter == BreathParameter::LowerTime ? 4094 : 65535;
}

// ---- Images ---------------------------------------------------------------------------------

const std::vector<std::uint8_t>& WorkingModel::Image(StorageKind kind) const {
    return kind == StorageKind::Flash ? flashImage_ : eepromImage_;
}

std::optional<RepairedSections> WorkingModel::LoadImage(StorageKind kind,
                                                        std::span<const std::uint8_t> image,
                                                        const SectionDefaultsContext& ctx,
                                                        const MacroStoreHooks& hooks) {
    if (kind == StorageKind::None || image.size() != ImageSizeFor(kind))
        return std::nullopt;
    auto& target = kind == StorageKind::I2C ? eepromImage_ : flashImage_;
    target.assign(image.begin(), image.end());
    return SplitImage(kind, target, sections_, ctx, hooks);
}

// ---- Registers ------------------------------------------------------------------------------

std::optional<RegisterWrite>
WorkingModel::StoreRegisters(int reg, std::span<const std::uint8_t> bytes, std::uint8_t bank) {
    if (bytes.empty())
        return std::nullopt;
    const int last = reg + static_cast<int>(bytes.size()) - 1;
    // A write never spans two sections nor touches a check byte: the model keeps those.
    const bool vendor = InRange(reg, 0, kVendorLast) && last <= kVendorLast;
    const bool user = InRange(reg, kUserRegisterFirst, kUserLast) && last <= kUserLast;
    if (!vendor && !user)
        return std::nullopt;
    if (vendor) {
        std::copy(bytes.begin(), bytes.end(), sections_.VendorSection.begin() + reg);
        SetSectionChecksum(sections_.VendorSection);
    } else {
        std::copy(bytes.begin(), bytes.end(),
                  sections_.UserSection.begin() + (reg - kUserRegisterFirst));
        SetSectionChecksum(sections_.UserSection);
    }
    return RegisterWrite{bank, Byte(reg), {bytes.begin(), bytes.end()}};
}

std::uint8_t WorkingModel::Register(int reg) const {
    if (InRange(reg, 0, kVendorCheckRegister))
        return sections_.VendorSection[static_cast<std::size_t>(reg)];
    if (InRange(reg, kUserRegisterFirst, kUserCheckRegister))
        return sections_.UserSection[static_cast<std::size_t>(reg - kUserRegisterFirst)];
    return 0;
}

std::optional<RegisterWrite> WorkingModel::SetRegisters(int reg,
                                                        std::span<const std::uint8_t> bytes) {
    if (bytes.size() > 3)
        return std::nullopt;
    return StoreRegisters(reg, bytes);
}

RgbColour WorkingModel::ColourAt(int table, int count, int n) const {
    if (!InRange(n, 1, count))
        return {};
    const int at = table + 3 * (n - 1);
    return {Register(at), Register(at + 1), Register(at + 2)};
}

std::optional<RegisterWrite> WorkingModel::StoreColour(int table, int count, int n,
                                                       RgbColour colour) {
    if (!InRange(n, 1, count))
        return std::nullopt;
    const std::array<std::uint8_t, 3> bytes{colour.red, colour.green, colour.blue};
    return StoreRegisters(table + 3 * (n - 1), bytes);
}

std::optional<RegisterWrite> WorkingModel::StoreColourChannel(int table, int count, int n,
                                                              int channel, int value) {
    if (!InRange(n, 1, count) || !InRange(channel, 0, 2) || !InRange(value, 0, 255))
        return std::nullopt;
    const std::uint8_t byte = Byte(value);
    return StoreRegisters(table + 3 * (n - 1) + channel, std::span(&byte, 1));
}

// ---- Key entries ----------------------------------------------------------------------------

KeyEntryBytes WorkingModel::ProfileKey(int profile, int key) const {
    KeyEntryBytes entry{};
    if (!InRange(profile, 1, 3) || !InRange(key, 1, 12))
        return entry;
    const auto& section = sections_.ProfileSection[static_cast<std::size_t>(profile - 1)];
    std::copy_n(section.begin() + 4 * (key - 1), 4, entry.begin());
    return entry;
}

KeyEntryBytes WorkingModel::ComboKey(int n) const {
    KeyEntryBytes entry{};
    if (!InRange(n, 1, 9))
        return entry;
    std::copy_n(sections_.VendorSection.begin() + reg::kComboKeyBase + 4 * n, 4, entry.begin());
    return entry;
}

bool WorkingModel::SetProfileKey(int profile, int key, const KeyEntryBytes& entry) {
    if (!InRange(profile, 1, 3) || !InRange(key, 1, 12))
        return false;
    auto& section = sections_.ProfileSection[static_cast<std::size_t>(profile - 1)];
    std::copy(entry.begin(), entry.end(), section.begin() + 4 * (key - 1));
    SetSectionChecksum(section);
    return true;
}

std::optional<RegisterWrite> WorkingModel::SetComboKey(int n, const KeyEntryBytes& entry) {
    if (!InRange(n, 1, 9))
        return std::nullopt;
    return StoreRegisters(reg::kComboKeyBase + 4 * n, entry, 1);
}

std::string WorkingModel::KeyCodeText(int element) const {
    if (InRange(element, 1, 36))
        return EntryText(ProfileKey((element - 1) / 12 + 1, (element - 1) % 12 + 1));
    if (InRange(element, 37, 45))
        return EntryText(ComboKey(element - 36));
    return {};
}

// ---- CPI ------------------------------------------------------------------------------------

int WorkingModel::CpiLevelCount() const {
    return Register(reg::kCpiStepCount) + 1;
}

int WorkingModel::CpiLevelStep(int level) const {
    if (!InRange(level, 1, 8))
        return -1;
    const std::uint8_t pair = Register(reg::kCpiLevelTable + (level - 1) / 2);
    return level % 2 == 1 ? (pair & 0x0F) : (pair >> 4);
}

int WorkingModel::CurrentCpiLevel() const {
    return Register(reg::kCurrentCpiLevel);
}

RgbColour WorkingModel::CpiColour(int level) const {
    return ColourAt(reg::kCpiColours, kCpiColourCount, level);
}

std::optional<RegisterWrite> WorkingModel::SetCpiLevelCount(int count) {
    if (!InRange(count, 1, 8))
        return std::nullopt;
    const std::uint8_t value = Byte(count - 1);
    return StoreRegisters(reg::kCpiStepCount, std::span(&value, 1));
}

std::optional<RegisterWrite> WorkingModel::SetCpiLevelStep(int level, int step) {
    if (!InRange(level, 1, 8) || !InRange(step, 0, 11))
        return std::nullopt;
    const int at = reg::kCpiLevelTable + (level - 1) / 2;
    const std::uint8_t pair = Register(at);
    const std::uint8_t value =
        level % 2 == 1 ? Byte((pair & 0xF0) | step) : Byte((pair & 0x0F) | (step << 4));
    return StoreRegisters(at, std::span(&value, 1));
}

std::optional<RegisterWrite> WorkingModel::SetCurrentCpiLevel(int index) {
    if (!InRange(index, 0, 7))
        return std::nullopt;
    const std::uint8_t value = Byte(index);
    return StoreRegisters(reg::kCurrentCpiLevel, std::span(&value, 1));
}

std::optional<RegisterWrite> WorkingModel::SetCpiColour(int level, RgbColour colour) {
    return StoreColour(reg::kCpiColours, kCpiColourCount, level, colour);
}

std::optional<RegisterWrite> WorkingModel::SetCpiColourChannel(int level, int channel, int value) {
    return StoreColourChannel(reg::kCpiColours, kCpiColourCount, level, channel, value);
}

// ---- Report rate ----------------------------------------------------------------------------

int WorkingModel::ReportRateBits() const {
    return (Register(reg::kOptions4) >> 4) & 0x03;
}

std::optional<RegisterWrite> WorkingModel::SetReportRateBits(int bits) {
    if (!InRange(bits, 0, 3))
        return std::nullopt;
    const std::uint8_t value = Byte((Register(reg::kOptions4) & ~0x30) | (bits << 4));
    return StoreRegisters(reg::kOptions4, std::span(&value, 1));
}

// ---- Lighting -------------------------------------------------------------------------------

std::uint8_t WorkingModel::LedModeByte() const {
    return Register(reg::kLedMode);
}

LedType WorkingModel::LedTypeOfMode() const {
    const std::uint8_t b = LedModeByte();
    switch (b >> 6) {
    case 0:
        return LedType::RGB;
    case 1:
        return LedType::Sync;
    case 3:
        return LedType::NT;
    default:
        // 10 with no LED count is the MCU type; an NT byte of one LED reads back the same.
        return (b & 0x30) == 0 ? LedType::MCULED : LedType::NT;
    }
}

int WorkingModel::LedMode() const {
    return LedModeByte() & 0x0F;
}

int WorkingModel::LedCountIndex() const {
    return (LedModeByte() >> 4) & 0x07;
}

std::uint8_t WorkingModel::LedModeMask() const {
    return Register(reg::kLedModeMask);
}

std::uint8_t WorkingModel::EncodeLedModeByte(LedType type, int mode, int ledCountIndex) {
    const int m = mode & 0x0F;
    switch (type) {
    case LedType::RGB:
        return Byte(m);
    case LedType::Sync:
        return Byte(0x40 + m);
    case LedType::NT:
        return Byte(0x80 + 16 * (ledCountIndex & 0x07) + m);
    case LedType::MCULED:
        return Byte(0x80 + m);
    }
    return Byte(m);
}

std::optional<RegisterWrite> WorkingModel::SetLedModeByte(std::uint8_t value) {
    return StoreRegisters(reg::kLedMode, std::span(&value, 1));
}

std::optional<RegisterWrite> WorkingModel::SetLedModeMask(std::uint8_t mask) {
    return StoreRegisters(reg::kLedModeMask, std::span(&mask, 1));
}

RgbColour WorkingModel::PaletteColour(int n) const {
    return ColourAt(reg::kPalette, kPaletteCount, n);
}

std::optional<RegisterWrite> WorkingModel::SetPaletteColour(int n, RgbColour colour) {
    return StoreColour(reg::kPalette, kPaletteCount, n, colour);
}

std::optional<RegisterWrite> WorkingModel::SetPaletteColourChannel(int n, int channel, int value) {
    return StoreColourChannel(reg::kPalette, kPaletteCount, n, channel, value);
}

int WorkingModel::Breath(BreathParameter parameter) const {
    const int at = reg::kBreath + 2 * static_cast<int>(parameter);
    return Register(at) * 256 + Register(at + 1);
}

std::optional<RegisterWrite> WorkingModel::SetBreath(BreathParameter parameter, int value) {
    if (!InRange(value, 0, BreathLimit(parameter)))
        return std::nullopt;
    const std::array<std::uint8_t, 2> bytes{Byte(value >> 8), Byte(value & 0xFF)};
    return StoreRegisters(reg::kBreath + 2 * static_cast<int>(parameter), bytes);
}

int WorkingModel::StepTime() const {
    return Register(reg::kStepTime);
}

std::optional<RegisterWrite> WorkingModel::SetStepTime(int value) {
    if (!InRange(value, 0, 255))
        return std::nullopt;
    const std::uint8_t byte = Byte(value);
    return StoreRegisters(reg::kStepTime, std::span(&byte, 1));
}

bool WorkingModel::SetMcuLedSettings(int step, std::uint8_t control) {
    if (!InRange(step, 0, 7))
        return false;
    auto& block = sections_.PatchBlock;
    block[8] = Byte(step);
    block[9] = control;
    SetSectionChecksum(std::span(block).subspan(8, 8));
    return true;
}

// ---- Profile register -----------------------------------------------------------------------

int WorkingModel::CurrentProfileIndex() const {
    return Register(reg::kProfile) & 0x0F;
}

int WorkingModel::ProfileColourCode() const {
    return Register(reg::kProfile) & 0xF0;
}

std::optional<RegisterWrite> WorkingModel::SetProfileRegister(int colourCode, int profileIndex) {
    if (!InRange(colourCode, 0, 0xF0) || colourCode % 16 != 0 || !InRange(profileIndex, 0, 15))
        return std::nullopt;
    const std::uint8_t value = Byte(colourCode + profileIndex);
    return StoreRegisters(reg::kProfile, std::span(&value, 1));
}

// ---- Axis offsets ---------------------------------------------------------------------------

int WorkingModel::XOffset(int n) const {
    return InRange(n, 1, 10) ? static_cast<std::int8_t>(Register(reg::kXOffsets + n - 1)) : 0;
}

int WorkingModel::YOffset(int n) const {
    return InRange(n, 1, 10) ? static_cast<std::int8_t>(Register(reg::kYOffsets + n - 1)) : 0;
}

std::optional<RegisterWrite> WorkingModel::SetXOffset(int n, int value) {
    if (!InRange(n, 1, 10) || !InRange(value, -128, 127))
        return std::nullopt;
    const std::uint8_t byte = Byte(value);
    return StoreRegisters(reg::kXOffsets + n - 1, std::span(&byte, 1));
}

std::optional<RegisterWrite> WorkingModel::SetYOffset(int n, int value) {
    if (!InRange(n, 1, 10) || !InRange(value, -128, 127))
        return std::nullopt;
    const std::uint8_t byte = Byte(value);
    return StoreRegisters(reg::kYOffsets + n - 1, std::span(&byte, 1));
}

// ---- USB identity ---------------------------------------------------------------------------

std::uint16_t WorkingModel::UsbVendorId() const {
    return static_cast<std::uint16_t>(Register(reg::kUsbVendorId) << 8 |
                                      Register(reg::kUsbVendorId + 1));
}

std::uint16_t WorkingModel::UsbProductId() const {
    return static_cast<std::uint16_t>(Register(reg::kUsbProductId) << 8 |
                                      Register(reg::kUsbProductId + 1));
}

std::optional<RegisterWrite> WorkingModel::SetUsbVendorId(std::uint16_t id) {
    const std::array<std::uint8_t, 2> bytes{Byte(id >> 8), Byte(id & 0xFF)};
    return StoreRegisters(reg::kUsbVendorId, bytes);
}

std::optional<RegisterWrite> WorkingModel::SetUsbProductId(std::uint16_t id) {
    const std::array<std::uint8_t, 2> bytes{Byte(id >> 8), Byte(id & 0xFF)};
    return StoreRegisters(reg::kUsbProductId, bytes);
}

std::string WorkingModel::UsbDescription() const {
    std::string text;
    for (int i = 0; i < reg::kUsbDescriptionLength; ++i) {
        const std::uint8_t c = Register(reg::kUsbDescription + i);
        if (c == 0)
            break;
        text += static_cast<char>(c);
    }
    return text;
}

std::optional<RegisterWrite> WorkingModel::SetUsbDescription(std::string_view text) {
    std::array<std::uint8_t, reg::kUsbDescriptionLength> bytes{};
    const std::size_t n = std::min(text.size(), bytes.size());
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<std::uint8_t>(text[i]);
    return StoreRegisters(reg::kUsbDescription, bytes);
}

// ---- ID block -------------------------------------------------------------------------------

void WorkingModel::SetIdPair(std::uint8_t manufacturer, std::uint8_t product) {
    sections_.IDBlock[0] = manufacturer;
    sections_.IDBlock[1] = product;
}

FireKeyParameters WorkingModel::FireKey(int n) const {
    if (!InRange(n, 1, 3))
        return {};
    const auto& id = sections_.IDBlock;
    const auto at = static_cast<std::size_t>(3 * n - 1);
    return {id[at] + 1, id[at + 1] * 256 + id[at + 2]};
}

bool WorkingModel::SetFireKey(int n, FireKeyParameters parameters) {
    if (!InRange(n, 1, 3) || !InRange(parameters.count, 1, 256) ||
        !InRange(parameters.delayMs, 0, 65535))
        return false;
    auto& id = sections_.IDBlock;
    const auto at = static_cast<std::size_t>(3 * n - 1);
    id[at] = Byte(parameters.count - 1);
    id[at + 1] = Byte(parameters.delayMs >> 8);
    id[at + 2] = Byte(parameters.delayMs & 0xFF);
    return true;
}

// ---- Patch ----------------------------------------------------------------------------------

std::uint16_t WorkingModel::StoredPatchChecksum(StorageKind kind) const {
    if (kind == StorageKind::I2C)
        return static_cast<std::uint16_t>(sections_.PatchBlock[6] << 8 | sections_.PatchBlock[7]);
    if (kind == StorageKind::Flash)
        return static_cast<std::uint16_t>(sections_.FlashSettingsHead[14] << 8 |
                                          sections_.FlashSettingsHead[15]);
    return 0;
}

std::string WorkingModel::StoredPatchChecksumText(StorageKind kind) const {
    return trvx::StoredPatchChecksumText(kind, sections_);
}

void WorkingModel::SetStoredPatchChecksum(StorageKind kind, std::uint16_t checksum) {
    std::uint8_t* at = kind == StorageKind::I2C     ? &sections_.PatchBlock[6]
                       : kind == StorageKind::Flash ? &sections_.FlashSettingsHead[14]
                                                    : nullptr;
    if (at == nullptr)
        return;
    at[0] = Byte(checksum >> 8);
    at[1] = Byte(checksum & 0xFF);
}

// ---- Whole-section and profile writes -------------------------------------------------------

RegisterWrite WorkingModel::VendorSectionWrite() {
    SetSectionChecksum(sections_.VendorSection);
    return {0, 0, {sections_.VendorSection.begin(), sections_.VendorSection.end()}};
}

std::optional<BlockWrite> WorkingModel::ProfileWrite(StorageKind kind) {
    if (kind == StorageKind::None)
        return std::nullopt;
    const TProfileWriteBuffer profiles = BuildProfileWriteBuffer(sections_);
    if (kind == StorageKind::I2C)
        return BlockWrite{static_cast<std::uint16_t>(eeprom::kProfiles[0].offset),
                          {profiles.begin(), profiles.end()}};
    const TFlashSettingsBlock block =
        BuildFlashSettingsBlock(sections_.FlashSettingsHead, profiles, sections_.ProfileTailBlock);
    return BlockWrite{static_cast<std::uint16_t>(flash::kSettingsBlock.offset),
                      {block.begin(), block.end()}};
}

std::optional<BlockWrite> WorkingModel::IdBlockWrite(StorageKind kind) const {
    if (kind == StorageKind::None)
        return std::nullopt;
    const auto address =
        kind == StorageKind::I2C ? eeprom::kIdBlock.offset : flash::kIdBlock.offset;
    return BlockWrite{static_cast<std::uint16_t>(address),
                      {sections_.IDBlock.begin(), sections_.IDBlock.end()}};
}

RegisterWrite WorkingModel::UserSectionWrite() {
    SetSectionChecksum(sections_.UserSection);
    return {0,
            static_cast<std::uint8_t>(reg::kProfile),
            {sections_.UserSection.begin(), sections_.UserSection.end()}};
}

std::optional<BlockWrite> WorkingModel::FireMacroWrite(StorageKind kind) {
    if (kind == StorageKind::None)
        return std::nullopt;
    for (std::size_t s = 0; s < kFireMacroSlotCount; ++s)
        std::copy(sections_.FireMacros[s].begin(), sections_.FireMacros[s].end(),
                  sections_.FireMacroImage.begin() +
                      static_cast<std::ptrdiff_t>(s * kFireMacroSlotSize));
    const auto address =
        kind == StorageKind::I2C ? eeprom::kFireMacros.offset : flash::kFireMacros.offset;
    return BlockWrite{static_cast<std::uint16_t>(address),
                      {sections_.FireMacroImage.begin(), sections_.FireMacroImage.end()}};
}

} // namespace trvx
