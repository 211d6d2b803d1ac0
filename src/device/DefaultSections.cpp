#include "device/DefaultSections.h"

#include <algorithm>
#include <string>

namespace trvx {
namespace {

enum class Led { RGB, Sync, NT, MCULED };

// Any LED type the mouse does not name is treated as plain RGB.
Led ClassifyLed(std::string_view type) {
    if (type == "Sync")
        return Led::Sync;
    if (type == "NT")
        return Led::NT;
    if (type == "MCULED")
        return Led::MCULED;
    return Led::RGB;
}

template <std::size_t N>
void Put(std::span<std::uint8_t> dst, std::size_t offset, const std::array<std::uint8_t, N>& src) {
    std::copy(src.begin(), src.end(), dst.begin() + static_cast<std::ptrdiff_t>(offset));
}

void Put(std::span<std::uint8_t> dst, std::size_t offset, std::initializer_list<std::uint8_t> src) {
    std::copy(src.begin(), src.end(), dst.begin() + static_cast<std::ptrdiff_t>(offset));
}

constexpr std::array<std::uint8_t, 30> kPalette{
    0xFF, 0x00, 0x00, 0xFF, 0x80, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF,
    0x00, 0xFF, 0x80, 0x00, 0xFF, 0xFF, 0x80, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};

constexpr std::array<std::uint8_t, 24> kCpiColours{0x00, 0xFF, 0x00, 0xFF, 0xFF, 0x00, 0xFF, 0x80,
                                                   0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x80, 0xFF,
                                                   0x00, 0xFF, 0x80, 0x00, 0xFF, 0x00, 0x00, 0xFF};

// Keys 1..12 of every default profile, whichever package is chosen.
constexpr std::array<std::uint8_t, 48> kProfileKeys{
    0x01, 0x01, 0x00, 0x00, 0x01, 0x08, 0x00, 0x00, 0x06, 0x12, 0x00, 0x10, 0x01, 0x02, 0x00, 0x00,
    0x01, 0x10, 0x00, 0x00, 0x02, 0x08, 0x07, 0x00, 0x01, 0x04, 0x00, 0x00, 0x09, 0x00, 0x00, 0x00,
    0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

void DefaultProfileKeys(TProfileSection& section, const SectionDefaultsContext& ctx) {
    if (ctx.packageIndex != 0 && ctx.packageIndex != 1)
        return;
    std::copy(kProfileKeys.begin(), kProfileKeys.end(), section.begin());
}

} // namespace

void DefaultVendorSection(TVendorSection& s, const SectionDefaultsContext& ctx) {
    const Led led = ClassifyLed(ctx.ledType);
    Put(s, 0,
        {static_cast<std::uint8_t>(ctx.vendorId >> 8), static_cast<std::uint8_t>(ctx.vendorId),
         static_cast<std::uint8_t>(ctx.productId >> 8), static_cast<std::uint8_t>(ctx.productId)});
    if (ctx.storage == StorageKind::I2C)
        s[4] = 0xBF;
    else if (ctx.storage == StorageKind::Flash)
        s[4] = 0xFF;
    switch (led) {
    case Led::RGB:
        Put(s, 5, {0xFF, 0x7F, 0x7F});
        break;
    case Led::Sync:
        Put(s, 5, {0x3F, 0x7F, 0xBF});
        break;
    case Led::NT:
    case Led::MCULED:
        Put(s, 5, {0x3F, 0x7F, 0xCF});
        break;
    }
    Put(s, 8, kDefaultVendorBytes8To39);
    if (ctx.packageIndex == 0)
        Put(s, 40, {0x06, 0x87});
    else if (ctx.packageIndex == 1)
        Put(s, 40, {0x10, 0xE0});
    switch (led) {
    case Led::RGB:
        s[42] = 0x3F;
        break;
    case Led::Sync:
        s[42] = 0x05;
        break;
    case Led::NT:
        s[42] = 0x37;
        break;
    case Led::MCULED:
        s[42] = 0x7F;
        break;
    }
    s[43] = 0x03;
    Put(s, 44, {0x64, 0x98, 0x00, 0x00});
    switch (led) {
    case Led::RGB:
        Put(s, 48, {0x01, 0x00, 0x80, 0x00, 0x00, 0x64, 0x00, 0x64, 0x08});
        break;
    case Led::Sync:
        Put(s, 48, {0x00, 0x00, 0x00, 0xFF, 0x00, 0x64, 0x6D, 0x60, 0x08});
        break;
    case Led::NT:
    case Led::MCULED:
        Put(s, 48, {0x00, 0x00, 0x00, 0xFF, 0x00, 0x64, 0x00, 0x64, 0x08});
        break;
    }
    // A synchronised LED strip takes its colours from the host; keep what the mouse holds.
    if (led != Led::Sync) {
        Put(s, 57, kPalette);
        Put(s, 87, kCpiColours);
    }
    constexpr std::string_view kProduct = "HID Gaming mouse";
    static_assert(kProduct.size() == 16);
    std::copy(kProduct.begin(), kProduct.end(), s.begin() + 111);
    std::fill(s.begin() + 127, s.begin() + 163, 0x00);
    Put(s, 123 + 4 * 3, {0x08, 0x01, 0x00, 0x00}); // combination entry 3
}

void DefaultUserSection(TUserSection& s, const SectionDefaultsContext& ctx) {
    s[0] = 0x00;
    switch (ClassifyLed(ctx.ledType)) {
    case Led::RGB:
        s[1] = 0x05;
        break;
    case Led::Sync:
        s[1] = 0x42;
        break;
    case Led::NT:
        s[1] = 0xF5;
        break;
    case Led::MCULED:
        s[1] = 0x81;
        break;
    }
    s[2] = 0x01;
    s[3] = 0x01;
    std::fill(s.begin() + 4, s.begin() + 27, 0x00);
}

void DefaultProfile1Section(TProfileSection& s, const SectionDefaultsContext& ctx) {
    DefaultProfileKeys(s, ctx);
}

void DefaultProfile2Section(TProfileSection& s, const SectionDefaultsContext& ctx) {
    DefaultProfileKeys(s, ctx);
}

void DefaultProfile3Section(TProfileSection& s, const SectionDefaultsContext& ctx) {
    DefaultProfileKeys(s, ctx);
}

void DefaultIDBlock(TIDBlock& b, const SectionDefaultsContext& ctx) {
    Put(b, 0, {0xFF, 0xFF, 0x01, 0x00, 0x3C, 0x03, 0x00, 0x78, 0x07, 0x00, 0xC8});
    if (ctx.storage == StorageKind::I2C)
        b[kIdSignatureIndex] = kIdSignatureI2C;
    else if (ctx.storage == StorageKind::Flash)
        b[kIdSignatureIndex] = kIdSignatureFlash;
}

TMacroName MakeMacroName(std::u16string_view name) {
    TMacroName slot{};
    for (std::size_t i = 0; i < name.size() && i < kMacroNameSize / 2; ++i) {
        slot[2 * i] = static_cast<std::uint8_t>(name[i] >> 8);
        slot[2 * i + 1] = static_cast<std::uint8_t>(name[i]);
    }
    return slot;
}

void DefaultMacroStore(TFlashMacroNames& names, TFlashMacroBodies& bodies) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::u16string name = u"Macro";
        for (char c : std::to_string(i + 1))
            name.push_back(static_cast<char16_t>(c));
        names[i] = MakeMacroName(name);
    }
    for (auto& body : bodies)
        body.fill(0x00);
}

void ClearFireMacros(TFireMacros& slots) {
    for (auto& slot : slots)
        slot.fill(0x00);
}

} // namespace trvx
