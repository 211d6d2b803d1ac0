#include "macros/MacroTransfer.h"

#include <cctype>

#include "device/AcceptedMouse.h"
#include "macros/MacroFileIo.h"

#include <algorithm>

namespace trvx {
namespace {

TransferResult Written(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    if (auto error = WriteFileReplacing(path, bytes))
        return {TransferStatus::FileError, *error};
    return {};
}

TransferResult Refused(const std::filesystem::path& file, const std::string& why) {
    return {TransferStatus::BadFile, "The file \"" + file.filename().string() + "\" " + why};
}

std::string SizeText(const FileBytes& read) {
    return read.tooLarge ? "is too large" : "has " + std::to_string(read.bytes.size()) + " bytes";
}

// Reads a file that must have exactly `size` bytes.
std::optional<FileBytes> ReadExact(const std::filesystem::path& file, std::size_t size,
                                   const char* kind, TransferResult& result) {
    std::string error;
    auto read = ReadMacroFile(file, size, error);
    if (!read) {
        result = {TransferStatus::FileError, error};
        return std::nullopt;
    }
    if (read->tooLarge || read->bytes.size() != size) {
        result = Refused(file, SizeText(*read) + "; " + kind + " file has " + std::to_string(size) +
                                   " bytes.");
        return std::nullopt;
    }
    return read;
}

TransferResult FromLink(bool ok) {
    if (ok)
        return {};
    return {TransferStatus::FileError, "Writing to the mouse failed."};
}

} // namespace

std::filesystem::path ExportFileName(const std::filesystem::path& chosen) {
    std::string extension = chosen.extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".bin")
        return chosen;
    std::filesystem::path name = chosen;
    name += ".bin";
    return name;
}

TransferResult Btn_ExportClick(const PCMacroLibrary& library, const std::filesystem::path& chosen) {
    return Written(ExportFileName(chosen), library.Serialize());
}

TransferResult Btn_ExportOneClick(const PCMacroLibrary& library, int row,
                                  const std::filesystem::path& chosen) {
    if (row < 0 || row >= library.Count())
        return {TransferStatus::Unchanged, {}};
    std::vector<std::uint8_t> bytes;
    const auto r = static_cast<std::size_t>(row);
    bytes.insert(bytes.end(), library.PCMacroNames[r].begin(), library.PCMacroNames[r].end());
    bytes.insert(bytes.end(), library.PCMacroBodies[r].begin(), library.PCMacroBodies[r].end());
    return Written(ExportFileName(chosen), bytes);
}

TransferResult Btn_DevExportClick(StorageKind kind, const EepromMacroStore& eeprom,
                                  const FlashMacroStore& flash,
                                  const std::filesystem::path& chosen) {
    // An empty store (or no mouse) would leave a file that imports as nothing.
    const bool empty = kind == StorageKind::I2C     ? eeprom.Count() == 0
                       : kind == StorageKind::Flash ? flash.RowCount() == 0
                                                    : true;
    if (empty)
        return {TransferStatus::Unchanged, "The mouse holds no macros to export."};
    std::vector<std::uint8_t> bytes;
    if (kind == StorageKind::I2C) {
        bytes.assign(eeprom.MacroArea.begin(), eeprom.MacroArea.end());
    } else if (kind == StorageKind::Flash) {
        const auto names = flash.NamesBlock();
        bytes.assign(names.begin(), names.end());
        for (const auto& body : flash.FlashMacroBodies)
            bytes.insert(bytes.end(), body.begin(), body.end());
    }
    return Written(ExportFileName(chosen), bytes);
}

TransferResult Btn_ImportClick(PCMacroLibrary& library, const std::filesystem::path& file) {
    std::string error;
    const auto read = ReadMacroFile(file, kPCMacroFileSize, error);
    if (!read)
        return {TransferStatus::FileError, error};
    if (read->tooLarge || !IsWholeRecordFileSize(read->bytes.size())) {
        return Refused(file, SizeText(*read) + "; a macro library file has 1 to 100 records of " +
                                 std::to_string(kPCMacroRecordSize) + " bytes.");
    }
    const auto& bytes = read->bytes;
    for (std::size_t at = 0; at < bytes.size(); at += kPCMacroRecordSize) {
        TMacroName name{};
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), kMacroNameBytes, name.begin());
        if (IsLibraryNameEmpty(name))
            continue;
        const auto body =
            std::span<const std::uint8_t>(bytes).subspan(at + kMacroNameBytes, kMacroBodySize);
        if (!MacroBodyEnd(body)) {
            return Refused(file, "is damaged: macro " +
                                     std::to_string(at / kPCMacroRecordSize + 1) + " has no end.");
        }
    }
    library.TakeRecords(bytes);
    const LibraryResult written = library.RefreshPCMacro();
    if (!written.ok())
        return {TransferStatus::FileError, written.message};
    return {};
}

TransferResult Btn_ImportOneClick(PCMacroLibrary& library, const std::filesystem::path& file,
                                  int& selectedRow) {
    const int n = library.Count();
    if (n >= static_cast<int>(kPCMacroRecordCount))
        return {TransferStatus::Unchanged, {}};
    TransferResult result;
    const auto read = ReadExact(file, kPCMacroRecordSize, "a macro", result);
    if (!read)
        return result;
    TPCMacroRecord record;
    std::copy_n(read->bytes.begin(), kMacroNameBytes, record.name.begin());
    std::copy_n(read->bytes.begin() + kMacroNameBytes, kMacroBodySize, record.body.begin());
    if (IsLibraryNameEmpty(record.name))
        return Refused(file, "holds a macro without a name.");
    if (!MacroBodyEnd(record.body))
        return Refused(file, "is damaged: the macro has no end.");
    for (int i = 0; i < n; ++i) {
        if (library.PCMacroNames[static_cast<std::size_t>(i)] == record.name)
            return {TransferStatus::Duplicate, {}};
    }
    library.PCMacroNames[static_cast<std::size_t>(n)] = record.name;
    library.PCMacroBodies[static_cast<std::size_t>(n)] = record.body;
    selectedRow = n;
    const LibraryResult written = library.RefreshPCMacro();
    if (!written.ok())
        return {TransferStatus::FileError, written.message};
    return {};
}

TransferResult Btn_ImportBaseMacroClick(AcceptedMouse& link, StorageKind kind,
                                        EepromMacroStore& eeprom, FlashMacroStore& flash,
                                        const std::filesystem::path& file) {
    TransferResult result;
    if (kind == StorageKind::I2C) {
        const auto read = ReadExact(file, kDeviceStoreFileSizeI2C, "an EEPROM macro store", result);
        if (!read)
            return result;
        EepromMacroStore parsed = eeprom;
        const MacroStoreError error =
            parsed.ParseStrict(std::span<const std::uint8_t, kEepromMacroAreaSize>(
                read->bytes.data(), kEepromMacroAreaSize));
        if (error != MacroStoreError::None)
            return Refused(file, "is refused: " + MacroStoreErrorText(error));
        eeprom = parsed;
        const auto area = std::span<const std::uint8_t>(eeprom.MacroArea);
        bool ok = link.WriteBlock(eeprom::kMacroArea.offset, area.first(kEepromMacroBlockSize));
        ok = link.WriteBlock(eeprom::kMacroArea.offset + kEepromMacroBlockSize,
                             area.subspan(kEepromMacroBlockSize)) &&
             ok;
        return FromLink(ok);
    }
    if (kind == StorageKind::Flash) {
        const auto read = ReadExact(file, kDeviceStoreFileSizeFlash, "a flash macro store", result);
        if (!read)
            return result;
        const auto bytes = std::span<const std::uint8_t>(read->bytes);
        const auto names = bytes.first<kFlashMacroSlotCount * kMacroNameBytes>();
        const auto bodies = bytes.subspan<kFlashMacroSlotCount * kMacroNameBytes,
                                          kFlashMacroSlotCount * kMacroBodySize>();
        for (std::size_t i = 0; i < kFlashMacroSlotCount; ++i) {
            TMacroName name{};
            std::copy_n(names.begin() + i * kMacroNameBytes, kMacroNameBytes, name.begin());
            if (!IsFlashNameEmpty(name) &&
                !MacroBodyEnd(bodies.subspan(i * kMacroBodySize, kMacroBodySize))) {
                return Refused(file, "is damaged: macro " + std::to_string(i + 1) + " has no end.");
            }
        }
        flash.Load(names, bodies);
        const auto namesBlock = flash.NamesBlock();
        bool ok = link.WriteBlock(kFlashMacroNamesAddress, namesBlock);
        for (std::size_t i = 0; i < kFlashMacroSlotCount; ++i) {
            ok = link.WriteBlock(static_cast<std::uint16_t>(kFlashMacroBodiesAddress + 256 * i),
                                 flash.FlashMacroBodies[i]) &&
                 ok;
        }
        return FromLink(ok);
    }
    // No mouse: the file is only opened.
    std::string error;
    if (!ReadMacroFile(file, 0, error))
        return {TransferStatus::FileError, error};
    return {TransferStatus::Unchanged, {}};
}

TransferResult Btn_ImportGunMacroClick(AcceptedMouse& link, StorageKind kind,
                                       const std::filesystem::path& file, TFireMacros& fireMacros,
                                       TFireMacroImage& fireMacroImage) {
    TransferResult result;
    const auto read = ReadExact(file, kFireMacroFileSize, "a fire macro", result);
    if (!read)
        return result;
    const auto bytes = std::span<const std::uint8_t>(read->bytes);
    for (std::size_t i = 0; i < kFireMacroCount; ++i) {
        if (!MacroBodyEnd(bytes.subspan(i * kFireMacroSize, kFireMacroSize)))
            return Refused(file,
                           "is damaged: fire macro " + std::to_string(i + 1) + " has no end.");
    }
    for (std::size_t i = 0; i < kFireMacroCount; ++i)
        std::copy_n(bytes.begin() + i * kFireMacroSize, kFireMacroSize, fireMacros[i].begin());
    std::copy(bytes.begin(), bytes.end(), fireMacroImage.begin());
    if (kind == StorageKind::I2C)
        return FromLink(link.WriteBlock(eeprom::kFireMacros.offset, fireMacroImage));
    if (kind == StorageKind::Flash)
        return FromLink(link.WriteBlock(flash::kFireMacros.offset, fireMacroImage));
    return {};
}

RepointResult Btn_SaveMacroClick(AcceptedMouse& link, StorageKind kind, MacroSaveSections sections,
                                 const EepromMacroStore& eeprom, FlashMacroStore& flash,
                                 std::span<const MacroAddressMove> moves,
                                 const DefaultKeyEntryFunction& defaultEntry) {
    if (kind != StorageKind::I2C && kind != StorageKind::Flash)
        return {};
    RepointResult repoint =
        RefreshMacroAddr(moves, sections.profiles, sections.vendor, defaultEntry);
    std::array<std::uint8_t, kProfileSectionSize * kProfileCount> profileWriteBuffer{};
    for (std::size_t p = 0; p < kProfileCount; ++p) {
        SetSectionChecksum(sections.profiles[p]);
        std::copy(sections.profiles[p].begin(), sections.profiles[p].end(),
                  profileWriteBuffer.begin() + kProfileSectionSize * p);
    }
    if (kind == StorageKind::I2C) {
        link.WriteBlock(eeprom::kProfiles[0].offset, profileWriteBuffer);
        const auto area = std::span<const std::uint8_t>(eeprom.MacroArea);
        link.WriteBlock(eeprom::kMacroArea.offset, area.first(kEepromMacroBlockSize));
        link.WriteBlock(eeprom::kMacroArea.offset + kEepromMacroBlockSize,
                        area.subspan(kEepromMacroBlockSize));
    } else {
        std::array<std::uint8_t, kFlashSettingsBlockSize> settings{};
        auto out = std::copy(sections.flashSettingsHead.begin(), sections.flashSettingsHead.end(),
                             settings.begin());
        out = std::copy(profileWriteBuffer.begin(), profileWriteBuffer.end(), out);
        std::copy(sections.profileTail.begin(), sections.profileTail.end(), out);
        link.WriteBlock(flash::kSettingsBlock.offset, settings);
        // The names go out as the list shows them.
        const auto rows = flash.RefreshMacroName();
        flash.UIToMacroName(rows);
        link.WriteBlock(kFlashMacroNamesAddress, flash.NamesBlock());
        for (std::size_t i = 0; i < kFlashMacroSlotCount; ++i)
            link.WriteBlock(static_cast<std::uint16_t>(kFlashMacroBodiesAddress + 256 * i),
                            flash.FlashMacroBodies[i]);
    }
    if (repoint.combinationsChanged) {
        for (const KeyEntryRef& ref : repoint.changed) {
            if (ref.profile >= 0)
                continue;
            const std::size_t at =
                kCombinationEntriesOffset + 4 * static_cast<std::size_t>(ref.index);
            link.WriteRegisterEntry(static_cast<std::uint8_t>(at), sections.vendor[at],
                                    sections.vendor[at + 1], sections.vendor[at + 2],
                                    sections.vendor[at + 3]);
        }
    }
    return repoint;
}

} // namespace trvx
