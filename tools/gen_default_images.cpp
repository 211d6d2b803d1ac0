// Writes the built-in default configuration images into the directory given as argument:
//   TRVX4410BData_Cfg1..3.bin   2048-byte EEPROM ("I2C") images, all three the same
//   TRVX4410BFlash_Cfg1..3.bin  65536-byte flash images holding the same settings
// Every byte comes from the description below; check bytes and the patch checksum are
// computed, never typed in.

#include "base/NumberText.h"
#include "device/DefaultSections.h"
#include "device/ImageLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using trvx::ImageRange;
using Bytes = std::vector<std::uint8_t>;

// "01010000 0108 00 02": hex digits, spaces only for reading.
Bytes Hex(std::string_view text) {
    Bytes out;
    int high = -1;
    for (char c : text) {
        const int v = trvx::HexDigitValue(static_cast<unsigned char>(c));
        if (v < 0)
            continue;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<std::uint8_t>(high << 4 | v));
            high = -1;
        }
    }
    return out;
}

Bytes Text(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes Repeat(std::uint8_t value, std::size_t count) {
    return Bytes(count, value);
}

void Put(Bytes& image, std::size_t offset, const Bytes& bytes) {
    if (offset + bytes.size() > image.size())
        throw std::runtime_error("description runs past the image");
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
}

// Check byte of a section: last byte = (sum of the others) XOR 0x5A.
void SealSection(Bytes& image, ImageRange range) {
    trvx::SetSectionChecksum(std::span(image).subspan(range.offset, range.length));
}

// 16-bit sum of the code bytes XOR 0x015A, as the controller checks its patch code.
std::uint16_t PatchChecksum(const Bytes& code) {
    std::uint32_t sum = 0;
    for (std::uint8_t b : code)
        sum += b;
    return static_cast<std::uint16_t>((sum & 0xFFFF) ^ 0x015A);
}

// ---------------------------------------------------------------------------------------
// The settings the shipped images carry.

constexpr std::uint16_t kVendorId = 0x1209; // open test pair, also in the udev rule
constexpr std::uint16_t kProductId = 0x0001;

Bytes VendorSection(std::uint8_t optionByte4) {
    Bytes v(trvx::kVendorSectionSize, 0x00);
    Put(v, 0, {kVendorId >> 8, kVendorId & 0xFF, kProductId >> 8, kProductId & 0xFF});
    Put(v, 4, {optionByte4});
    Put(v, 5, Hex("1F 7F 4F"));
    Put(v, 8, Bytes(trvx::kDefaultVendorBytes8To39.begin(), trvx::kDefaultVendorBytes8To39.end()));
    Put(v, 40, Hex("06 87 FE 05 63 98 BA 00 00 00 00 FF 00 64 00 64 08"));
    // Colour palette, ten colours R G B.
    Put(v, 57, Hex("FF7F00 7FFF00 FF7F7F FF007F 00FF7F 007FFF 7F7FFF 7FFF7F 7F7FFF FFFFFF"));
    // CPI colours, eight levels R G B.
    Put(v, 87, Hex("FF0000 00FF00 0000FF FFFF00 00FFFF FF00FF 8000FF 0000FF"));
    Put(v, 111, Text("HID Gaming Mouse"));
    // Nine combination entries of four bytes, entry n at 123 + 4n; 1, 3, 5..9 empty.
    Put(v, 123 + 4 * 2, Hex("0E000000"));
    Put(v, 123 + 4 * 4, Hex("07D1F018"));
    return v; // check byte set once placed
}

Bytes UserSection() {
    Bytes u(trvx::kUserSectionSize, 0x00);
    Put(u, 0, Hex("00 82 01"));
    return u;
}

Bytes ProfileKeys(int profile) {
    Bytes keys = Hex("01010000 01080002 0692003C 01020000 01100000 09010000"
                     "01040000 09000000 09020000 00000000 00000000 00000000");
    if (profile == 3) {
        Put(keys, 4 * 5, Hex("02080700")); // key 6
        Put(keys, 4 * 8, Hex("08000000")); // key 9
    }
    keys.push_back(0x00); // check byte
    return keys;
}

// Fire-key sets: repeat counts 3, 5, 8, each with a delay of 60 ms; then the signature.
Bytes IdBlock(std::uint8_t signature) {
    Bytes id = Hex("FF FF 02 00 3C 04 00 3C 07 00 3C");
    id.push_back(signature);
    return id;
}

Bytes FireMacroSlots() {
    const Bytes slot0 = Hex("A1 FE 00 01 FD 00 04 00 01 FE 00 28 FC 21 FE 00 01");
    const Bytes slot1 = Hex("FD 00 A1 FE 00 01 04 00 02 FE 00 01 21 FE 00 01 FC");
    Bytes all(trvx::kFireMacroImageSize, 0x00);
    for (std::size_t i = 0; i < trvx::kFireMacroSlotCount; ++i) {
        Bytes slot = i == 1 ? slot1 : slot0;
        if (i == 2) {
            slot[8] = 0x03;
            slot[11] = 0x12;
        } else if (i >= 3) {
            slot[8] = static_cast<std::uint8_t>(i + 1); // 04..0A
            slot[11] = 0x20;
        }
        Put(all, i * trvx::kFireMacroSlotSize, slot);
    }
    return all;
}

// Stand-in controller code; it never reaches a mouse (a restore keeps the mouse's own code).
// The first 0x2E0 bytes sum to 0x5E39, so the stored checksum is 0x5E39 XOR 0x015A = 0x5F63;
// the rest of the 784 bytes are zero.
constexpr std::size_t kPatchCodeLength = 0x2E0;
constexpr std::uint32_t kPatchCodeSum = 0x5E39;

Bytes PlaceholderPatchCode() {
    Bytes code(trvx::kPatchCodeSize, 0x00);
    Put(code, 0, Text("TRVX4410B placeholder patch code - not controller code."));
    std::uint32_t sum = 0;
    for (std::uint8_t b : code)
        sum += b;
    // Make up the rest of the sum with 0xFF bytes ending at 0x2DF and one partial byte before.
    std::uint32_t missing = kPatchCodeSum - sum;
    std::size_t at = kPatchCodeLength;
    while (missing > 0) {
        const std::uint8_t b = missing >= 0xFF ? 0xFF : static_cast<std::uint8_t>(missing);
        code[--at] = b;
        missing -= b;
    }
    std::uint32_t check = 0;
    for (std::size_t i = 0; i < kPatchCodeLength; ++i)
        check += code[i];
    if (check != kPatchCodeSum)
        throw std::runtime_error("placeholder patch code does not meet its checksum");
    return code;
}

constexpr std::uint8_t kI2CVendorByte4 = 0xBF;
constexpr std::uint8_t kFlashVendorByte4 = 0xFF; // IC type of a flash controller

// ---------------------------------------------------------------------------------------

Bytes EepromImage() {
    namespace e = trvx::eeprom;
    Bytes image(trvx::kEepromImageSize, 0x00);
    Put(image, e::kVendor.offset, VendorSection(kI2CVendorByte4));
    Put(image, e::kUser.offset, UserSection());
    for (int p = 0; p < 3; ++p)
        Put(image, e::kProfiles[p].offset, ProfileKeys(p + 1));
    Put(image, e::kProfileTail.offset, Repeat(0xFF, e::kProfileTail.length));
    Put(image, e::kUnassigned.offset, Repeat(0xFF, e::kUnassigned.length));
    Put(image, e::kIdBlock.offset, IdBlock(trvx::kIdSignatureI2C));
    // Macro area stays zero: no device macros.
    const Bytes code = PlaceholderPatchCode();
    const std::uint16_t check = PatchChecksum(code);
    // Code at 0x0400, length 0x02E0, then the MCU LED section with its own check byte.
    Put(image, e::kPatchBlock.offset,
        {0x04, 0x00, 0x02, 0xE0, 0x00, 0x1A, static_cast<std::uint8_t>(check >> 8),
         static_cast<std::uint8_t>(check & 0xFF)});
    Put(image, e::kPatchBlock.offset + 8, Hex("01 83 00 00 00 00 00 00"));
    SealSection(image, {e::kPatchBlock.offset + 8, 8});
    Put(image, e::kPatchCode.offset, code);
    Put(image, e::kFireMacros.offset, FireMacroSlots());

    SealSection(image, e::kVendor);
    SealSection(image, e::kUser);
    for (const auto& r : e::kProfiles)
        SealSection(image, r);
    return image;
}

Bytes FlashImage() {
    namespace f = trvx::flash;
    Bytes image(trvx::kFlashImageSize, 0x00);
    Put(image, f::kVendor.offset, VendorSection(kFlashVendorByte4));

    Bytes code = PlaceholderPatchCode();
    code.resize(trvx::kFlashPatchCodeSize, 0x00);
    const std::uint16_t check = PatchChecksum(code);
    // Settings head: byte 0 = 0x00 leaves patch programming open; bytes 8..15 the patch header
    // (code at 0xC000, length 0x0400).
    Bytes head(trvx::kFlashSettingsHeadSize, 0x00);
    Put(head, 8,
        {0xC0, 0x00, 0x04, 0x00, 0x00, 0x1A, static_cast<std::uint8_t>(check >> 8),
         static_cast<std::uint8_t>(check & 0xFF)});
    Put(image, f::kSettingsHead.offset, head);
    for (int p = 0; p < 3; ++p)
        Put(image, f::kProfiles[p].offset, ProfileKeys(p + 1));
    Put(image, f::kProfileTail.offset, Repeat(0xFF, f::kProfileTail.length));
    // 0x10D4..0x10FF stay zero, as the settings block write leaves them.
    Put(image, f::kUser.offset, UserSection());

    trvx::TFlashMacroNames names{};
    trvx::TFlashMacroBodies bodies{};
    trvx::DefaultMacroStore(names, bodies);
    for (std::size_t i = 0; i < names.size(); ++i)
        Put(image, f::kMacroNames.offset + i * trvx::kMacroNameSize,
            Bytes(names[i].begin(), names[i].end()));
    // Bodies at 0x4000 stay zero.
    Put(image, f::kIdBlock.offset, IdBlock(trvx::kIdSignatureFlash));
    Put(image, f::kFireMacros.offset, FireMacroSlots());
    Put(image, f::kPatchCode.offset, code);

    SealSection(image, f::kVendor);
    SealSection(image, f::kUser);
    for (const auto& r : f::kProfiles)
        SealSection(image, r);
    return image;
}

bool Write(const std::filesystem::path& path, const Bytes& bytes) {
    const auto tmp = std::filesystem::path(path.string() + ".tmp");
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out)
            return false;
    }
    std::error_code ec;
    std::filesystem::rename(tmp, path, ec);
    return !ec;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    try {
        const std::filesystem::path dir = argv[1];
        std::filesystem::create_directories(dir);
        const Bytes eeprom = EepromImage();
        const Bytes flash = FlashImage();
        for (int n = 1; n <= 3; ++n) {
            const std::string suffix = "_Cfg" + std::to_string(n) + ".bin";
            if (!Write(dir / ("TRVX4410BData" + suffix), eeprom) ||
                !Write(dir / ("TRVX4410BFlash" + suffix), flash)) {
                std::fprintf(stderr, "cannot write the default images into %s\n", argv[1]);
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
