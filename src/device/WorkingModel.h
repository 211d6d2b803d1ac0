#pragma once
// The program's working copy of the mouse's configuration: the whole images of both storage
// types and the sections split from them, with typed access to what the pages show and change.
//
// Every setter that stands for a register stores the new bytes in its section, renews that
// section's check byte and returns the register write to send, so a later whole-section write
// carries the change instead of reverting it. Setters refuse (nullopt or false, nothing changed)
// an argument outside its range.

#include "device/ConfigImage.h"
#include "device/ImageLayout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

class AcceptedMouse;

// Elements 1..45 held at index 0..44: 12(p-1)+k is key k of profile p, 36+n combination key n;
// eight upper-case hex digits each, in image byte order.
inline constexpr std::size_t kKeyCodeTextCount = 45;
using KeyCodeTextList = std::array<std::string, kKeyCodeTextCount>;

KeyCodeTextList BuildKeyCodeTexts(const WorkingSections& sections);

// The stored patch checksum as four hex digits: PatchBlock bytes 6..7 (I2C) or FlashSettingsHead
// bytes 14..15 (Flash), big-endian; empty for None.
std::string StoredPatchChecksumText(StorageKind kind, const WorkingSections& sections);

// A key entry as the image holds it: function type, then three parameters. The key pages turn
// it into their TKeyEntry.
using KeyEntryBytes = std::array<std::uint8_t, 4>;

// A register write to send. Bank 0 carries one to three bytes (a single register write) or a
// longer run of 3-byte writes; bank 1 carries one 4-byte key entry. reg is the byte's offset in
// the vendor and user sections of the EEPROM layout, for both storage types.
struct RegisterWrite {
    std::uint8_t bank = 0;
    std::uint8_t reg = 0;
    std::vector<std::uint8_t> bytes;
    friend bool operator==(const RegisterWrite&, const RegisterWrite&) = default;
};

// A block write to send: the bytes at an image address.
struct BlockWrite {
    std::uint16_t address = 0;
    std::vector<std::uint8_t> bytes;
    friend bool operator==(const BlockWrite&, const BlockWrite&) = default;
};

// Sends a register write through the accepted-mouse gate: a single write, a key entry or a run.
bool SendRegisterWrite(AcceptedMouse& mouse, const RegisterWrite& write);

struct RgbColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const RgbColour&, const RgbColour&) = default;
};

enum class LedType { RGB, Sync, NT, MCULED };
std::string_view LedTypeName(LedType type);

// The breathing parameters at vendor registers 48..55, 16-bit big-endian each.
enum class BreathParameter { Lower = 0, Upper = 1, LowerTime = 2, UpperTime = 3 };
// 4094 for LowerTime, 65535 for the others.
int BreathLimit(BreathParameter parameter);

struct FireKeyParameters {
    int count = 1;   // repeats, 1..256
    int delayMs = 0; // 0..65535
    friend bool operator==(const FireKeyParameters&, const FireKeyParameters&) = default;
};

// Register numbers the setters use.
namespace reg {
constexpr int kUsbVendorId = 0;  // 2 bytes, big-endian
constexpr int kUsbProductId = 2; // 2 bytes, big-endian
constexpr int kOptions4 = 4;     // report rate in bits 5..4
constexpr int kLedModeMask = 42;
constexpr int kCpiStepCount = 43; // level count minus one
constexpr int kCpiLevelTable = 44;
constexpr int kBreath = 48;
constexpr int kStepTime = 56;
constexpr int kPalette = 57;
constexpr int kCpiColours = 87;
constexpr int kUsbDescription = 111;
constexpr int kUsbDescriptionLength = 16;
constexpr int kComboKeyBase = 123; // entry n (1..9) at 123 + 4n
constexpr int kProfile = 164;      // current profile (low nibble), profile colour (high nibble)
constexpr int kLedMode = 165;
constexpr int kCurrentCpiLevel = 166;
constexpr int kButtonEffect = 167;
constexpr int kXOffsets = 171; // X offset n (1..10) at 170 + n
constexpr int kYOffsets = 181; // Y offset n (1..10) at 180 + n
} // namespace reg

class WorkingModel {
public:
    WorkingModel() = default;

    // ---- Whole images and sections ----------------------------------------------------------
    const std::vector<std::uint8_t>& EepromImage() const { return eepromImage_; }
    const std::vector<std::uint8_t>& FlashImage() const { return flashImage_; }
    const std::vector<std::uint8_t>& Image(StorageKind kind) const;
    const WorkingSections& Sections() const { return sections_; }
    // For the blocks without typed access here (macro store, fire macros, patch code).
    WorkingSections& EditSections() { return sections_; }

    // The image of the kind becomes the working image and is split into the sections (with
    // check-and-repair). nullopt, with nothing changed, for kind None or an image of the wrong
    // size.
    std::optional<RepairedSections> LoadImage(StorageKind kind, std::span<const std::uint8_t> image,
                                              const SectionDefaultsContext& ctx,
                                              const MacroStoreHooks& hooks = {});

    // ---- Key entries ------------------------------------------------------------------------
    // Profile 1..3, key 1..12; combination key 1..9. Out of range gives four zero bytes.
    KeyEntryBytes ProfileKey(int profile, int key) const;
    KeyEntryBytes ComboKey(int n) const;
    // Stores the entry and the profile's check byte; the profiles go to the mouse as blocks
    // (ProfileWrite).
    bool SetProfileKey(int profile, int key, const KeyEntryBytes& entry);
    // Bank 1 write of the entry at register 123 + 4n.
    std::optional<RegisterWrite> SetComboKey(int n, const KeyEntryBytes& entry);
    // Element 1..45 (see KeyCodeTextList); empty out of range.
    std::string KeyCodeText(int element) const;
    KeyCodeTextList KeyCodeTexts() const { return BuildKeyCodeTexts(sections_); }

    // ---- CPI --------------------------------------------------------------------------------
    int CpiLevelCount() const;         // register 43 + 1: 1..8 in a sound image
    int CpiLevelStep(int level) const; // level 1..8: step index 0..15 (0..11 used); -1 out of range
    int CurrentCpiLevel() const;       // register 166, 0..7 as stored
    RgbColour CpiColour(int level) const;
    std::optional<RegisterWrite> SetCpiLevelCount(int count);          // 1..8
    std::optional<RegisterWrite> SetCpiLevelStep(int level, int step); // the level's pair byte
    std::optional<RegisterWrite> SetCurrentCpiLevel(int index);        // 0..7
    std::optional<RegisterWrite> SetCpiColour(int level, RgbColour colour);
    // One byte of a level's colour: channel 0 red, 1 green, 2 blue.
    std::optional<RegisterWrite> SetCpiColourChannel(int level, int channel, int value);

    // ---- Report rate ------------------------------------------------------------------------
    int ReportRateBits() const; // 0 = 125 Hz .. 3 = 1000 Hz
    // Register 4 with bits 5..4 set; the other bits stay.
    std::optional<RegisterWrite> SetReportRateBits(int bits);

    // ---- Lighting ---------------------------------------------------------------------------
    std::uint8_t LedModeByte() const; // register 165
    LedType LedTypeOfMode() const;    // from bits 7..6 (and 5..4)
    int LedMode() const;              // bits 3..0
    int LedCountIndex() const;        // bits 6..4, meaningful for NT
    std::uint8_t LedModeMask() const; // register 42
    // The register 165 byte of a type, mode and (NT only) LED-count item 0..7.
    static std::uint8_t EncodeLedModeByte(LedType type, int mode, int ledCountIndex = 0);
    std::optional<RegisterWrite> SetLedModeByte(std::uint8_t value);
    std::optional<RegisterWrite> SetLedModeMask(std::uint8_t mask);
    RgbColour PaletteColour(int n) const; // 1..10
    std::optional<RegisterWrite> SetPaletteColour(int n, RgbColour colour);
    std::optional<RegisterWrite> SetPaletteColourChannel(int n, int channel, int value);
    int Breath(BreathParameter parameter) const;
    std::optional<RegisterWrite> SetBreath(BreathParameter parameter, int value);
    int StepTime() const;
    std::optional<RegisterWrite> SetStepTime(int value); // 0..255

    // MCU LED settings, PatchBlock bytes 8..15 with their own check byte in byte 15: byte 8 the
    // speed step 0..7, byte 9 brightness (bit 7) and 13 - LED count (bits 3..0). The mouse takes
    // them as a block with the patch block and live in X-data, so no register write here.
    int McuLedStep() const { return sections_.PatchBlock[8]; }
    std::uint8_t McuLedControl() const { return sections_.PatchBlock[9]; }
    bool SetMcuLedSettings(int step, std::uint8_t control);

    // ---- Profile register (164) -------------------------------------------------------------
    // User byte 0 holds what was last written to register 164.
    int CurrentProfileIndex() const; // low nibble, 0..2 for profiles 1..3
    int ProfileColourCode() const;   // high nibble as a code: 16 x colour number
    // Register 164 := colour code + profile index (code a multiple of 16, index 0..15).
    std::optional<RegisterWrite> SetProfileRegister(int colourCode, int profileIndex);

    // ---- Axis offsets -----------------------------------------------------------------------
    int XOffset(int n) const; // 1..10, signed
    int YOffset(int n) const;
    std::optional<RegisterWrite> SetXOffset(int n, int value); // -128..127
    std::optional<RegisterWrite> SetYOffset(int n, int value);

    // ---- USB identity (vendor registers 0..3 and 111..126) ----------------------------------
    std::uint16_t UsbVendorId() const;
    std::uint16_t UsbProductId() const;
    std::optional<RegisterWrite> SetUsbVendorId(std::uint16_t id);
    std::optional<RegisterWrite> SetUsbProductId(std::uint16_t id);
    // Up to 16 8-bit characters, cut at the first zero byte.
    std::string UsbDescription() const;
    // Longer text is cut at 16 characters, shorter text is zero-padded; one 16-byte run.
    std::optional<RegisterWrite> SetUsbDescription(std::string_view text);

    // ---- Any vendor or user register --------------------------------------------------------
    std::uint8_t Register(int reg) const; // 0..191; 0 out of range
    // 1..3 bytes from reg on, within one section and short of its check byte.
    std::optional<RegisterWrite> SetRegisters(int reg, std::span<const std::uint8_t> bytes);

    // ---- ID block (no register; written as a block with the profiles) -----------------------
    std::uint8_t IdManufacturer() const { return sections_.IDBlock[0]; }
    std::uint8_t IdProduct() const { return sections_.IDBlock[1]; }
    void SetIdPair(std::uint8_t manufacturer, std::uint8_t product);
    // Fire key 1..3 from ID bytes 3n-1 .. 3n+1: count - 1, delay big-endian.
    FireKeyParameters FireKey(int n) const;
    bool SetFireKey(int n, FireKeyParameters parameters);

    // ---- Gun modes and fire macros ----------------------------------------------------------
    // The user section with a fresh check byte (also in the model), as a run from register 164.
    RegisterWrite UserSectionWrite();
    // The working fire macros, copied into the image copy the mouse is sent, as one block: 240
    // bytes at 1808 (I2C) or 0x7000 (Flash); nullopt, with nothing copied, for None.
    std::optional<BlockWrite> FireMacroWrite(StorageKind kind);

    // ---- Patch ------------------------------------------------------------------------------
    const TPatchBlock& PatchBlock() const { return sections_.PatchBlock; }
    void SetPatchBlock(const TPatchBlock& block) { sections_.PatchBlock = block; }
    // The stored patch checksum of the kind (see StoredPatchChecksumText); 0 for None.
    std::uint16_t StoredPatchChecksum(StorageKind kind) const;
    std::string StoredPatchChecksumText(StorageKind kind) const;
    // Stores the checksum where the kind keeps it (PatchBlock 6..7, FlashSettingsHead 14..15).
    void SetStoredPatchChecksum(StorageKind kind, std::uint16_t checksum);

    // ---- Whole-section and profile writes ---------------------------------------------------
    // The vendor section with a fresh check byte (also in the model), as a run from register 0.
    RegisterWrite VendorSectionWrite();
    // The three profile sections with fresh check bytes (also in the model) as one block: 147
    // bytes at 192 (I2C) or the 256-byte settings block at 0x1000 (Flash); nullopt for None.
    std::optional<BlockWrite> ProfileWrite(StorageKind kind);
    // The ID block at 484 (I2C) or 0x6000 (Flash); nullopt for None.
    std::optional<BlockWrite> IdBlockWrite(StorageKind kind) const;

private:
    std::optional<RegisterWrite> StoreRegisters(int reg, std::span<const std::uint8_t> bytes,
                                                std::uint8_t bank = 0);
    // Colour n (1..count) of a three-byte colour table starting at register `table`.
    RgbColour ColourAt(int table, int count, int n) const;
    std::optional<RegisterWrite> StoreColour(int table, int count, int n, RgbColour colour);
    std::optional<RegisterWrite> StoreColourChannel(int table, int count, int n, int channel,
                                                    int value);

    std::vector<std::uint8_t> eepromImage_ = std::vector<std::uint8_t>(kEepromImageSize, 0);
    std::vector<std::uint8_t> flashImage_ = std::vector<std::uint8_t>(kFlashImageSize, 0);
    WorkingSections sections_;
};

} // namespace trvx
