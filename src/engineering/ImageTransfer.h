#pragma once
// Whole-image transfers of the update and engineering pages: image files, the restore of a
// default configuration, patch-code files, and the block writes that put a whole image into the
// mouse. Everything here is checked before anything changes, so a bad file or a failed write
// never leaves a half-changed working image behind.

#include "device/ConfigImage.h"
#include "device/DefaultSections.h"
#include "device/ImageLayout.h"
#include "device/WorkingModel.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

class AcceptedMouse;

// ---- Image files -----------------------------------------------------------------------------

// The signature byte of an image file: ID block byte 11, 0xE0 for I2C, 0xF0 for Flash.
inline constexpr std::uint8_t kI2CImageSignature = 0xE0;
inline constexpr std::uint8_t kFlashImageSignature = 0xF0;

enum class ImageFileCheck { Ok, NoStorage, WrongSize, BadSignature };

// A file may be loaded into a mouse of the kind only at that kind's exact image size and with
// its signature.
ImageFileCheck CheckImageFile(StorageKind kind, std::span<const std::uint8_t> file);

// The saved file's name: ".bin" appended unless the name already ends in it (any case).
std::string ImageFileName(std::string_view chosen);

// ---- Whole-image writes ----------------------------------------------------------------------

// I2C: one block of 2048 bytes at 0. Flash: 32 pages of 2048 bytes, page i at 2048 i. Empty for
// None or an image of the wrong size.
std::vector<BlockWrite> WholeImageWrites(StorageKind kind, std::span<const std::uint8_t> image);

// Sends the writes in order; stops at the first that fails. True when every one was sent.
bool SendBlockWrites(AcceptedMouse& mouse, const std::vector<BlockWrite>& writes);

// The working image after a split: the sections (repaired where their checks failed) assembled
// into a copy of the image, so a repaired section reaches the mouse in place of the bad one.
std::vector<std::uint8_t> AssembledImage(StorageKind kind, const WorkingModel& model);

// ---- Default configurations ------------------------------------------------------------------

// A default image with the mouse's own patch code put back: the EEPROM patch block and code
// (1008..1807), or the flash patch code (0xC000..0xC3FF) and the patch words of the settings
// head (0x1000, bytes 0 and 8..15). The placeholder code of the shipped images never reaches a
// mouse. Empty when either image is not of the kind's size.
std::vector<std::uint8_t> DefaultImageKeepingPatch(StorageKind kind,
                                                   std::span<const std::uint8_t> defaultImage,
                                                   std::span<const std::uint8_t> mouseImage);

// Every checked section rebuilt from the coded defaults (with check bytes), the ID block
// rebuilt, macro area emptied (Flash: "Macro1".."Macro32" with empty bodies) and the fire
// macros cleared; the patch block and code stay as the model holds them (the mouse's).
void RebuildCodedDefaults(StorageKind kind, WorkingSections& sections,
                          const SectionDefaultsContext& ctx);

// ---- Patch code ------------------------------------------------------------------------------

// The 16-bit sum of the bytes XOR 0x015A.
std::uint16_t PatchChecksum(std::span<const std::uint8_t> code);

// An I2C patch file: the 16-byte patch block, then 784 bytes of code. A Flash patch file: the
// code sits at 0x8000..0x83FF, and the file ends there.
inline constexpr std::size_t kI2CPatchFileSize = kPatchBlockSize + kPatchCodeSize; // 800
inline constexpr std::size_t kFlashPatchFileSize = 0x8400;
inline constexpr std::size_t kFlashPatchFileCodeOffset = 0x8000;

enum class PatchFileCheck { Ok, NoStorage, WrongSize, BadChecksum };

// Checks the file for the kind and, only when it is sound, takes it into the sections: I2C the
// patch block and code, Flash the flash patch code.
PatchFileCheck LoadPatchFile(StorageKind kind, std::span<const std::uint8_t> file,
                             WorkingSections& sections);

// The EEPROM patch header: address 0x0400, bytes 2..3 (the length as the file gave it) kept,
// 0x00 0x1A, then the checksum of all 784 code bytes.
void CheckEEPatchCodeSection(WorkingSections& sections);
// The flash patch header in the settings head, bytes 8..15: C0 00 04 00 00 1A and the checksum
// of the 1024 code bytes.
void CheckPatchCodeSection(WorkingSections& sections);

// The writes that program the patch: I2C the patch block at 1008 and the code at 1024; Flash the
// code at 0xC000 and the settings block at 0x1000, built from the head and the working
// profiles. Empty for None and for a locked flash mouse.
std::vector<BlockWrite> PatchWrites(StorageKind kind, WorkingModel& model);

} // namespace trvx
