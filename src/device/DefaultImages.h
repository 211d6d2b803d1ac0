#pragma once
// The built-in default images and the start-up facts taken from the first of them.

#include "device/ImageLayout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace trvx {

// The shipped defaults: 2048-byte images in the I2C layout.
inline constexpr std::array<std::string_view, 3> kDefaultImageResources{
    "TRVX4410BData_Cfg1", "TRVX4410BData_Cfg2", "TRVX4410BData_Cfg3"};
// Whole 65536-byte flash images with the same settings, for a flash mouse (the simulator's).
inline constexpr std::array<std::string_view, 3> kDefaultFlashImageResources{
    "TRVX4410BFlash_Cfg1", "TRVX4410BFlash_Cfg2", "TRVX4410BFlash_Cfg3"};

// Fixed once at start-up from the first default image.
struct DefaultImageFacts {
    std::uint32_t DefaultVID = 0;
    std::uint32_t DefaultPID = 0;
    std::uint32_t DefaultManuID = 0; // ID block byte 0, compared with the mouse's on arrival
    std::uint32_t DefaultProID = 0;  // ID block byte 1
    StorageKind StorageType = StorageKind::None;
};

constexpr std::size_t kDefaultImageHeadSize = 512;

// Reads the facts from the bytes of the first default image resource. Its signature byte 495
// = 0xE0 makes the program an I2C one, with the ID pair at 484; anything else makes it a
// Flash one, with the ID pair at 0x6000 of the flash image loaded from the resource (zero when
// the resource does not reach that far). nullopt when the resource is shorter than the
// 512-byte head.
std::optional<DefaultImageFacts> ReadDefaultImageHead(std::span<const std::uint8_t> firstImage);

// One default image of the storage type from a resource's bytes: a buffer of 2048 (I2C) or
// 65536 (Flash) bytes, zero, into which the resource is copied page by page as far as it
// reaches; a 2048-byte resource fills only page 0 of a flash image. Empty for None.
std::vector<std::uint8_t> LoadDefaultImage(StorageKind storage,
                                           std::span<const std::uint8_t> resource);

// The three default images of the storage type from the named resources; a missing resource
// gives an all-zero image.
std::array<std::vector<std::uint8_t>, 3>
LoadDefaultImages(StorageKind storage,
                  const std::array<std::string_view, 3>& names = kDefaultImageResources);

} // namespace trvx
