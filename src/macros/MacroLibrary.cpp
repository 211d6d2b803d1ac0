#include "macros/MacroLibrary.h"

#include "base/Resources.h"
#include "macros/MacroFileIo.h"

#include <algorithm>
#include <system_error>

namespace trvx {

std::filesystem::path PCMacroLibraryPath(std::string_view pathSetting,
                                         const std::filesystem::path& programFolder) {
    const std::filesystem::path folder =
        pathSetting.empty() ? programFolder : std::filesystem::path(pathSetting);
    // operator/ puts the separator in when the setting lacks it.
    return folder / std::filesystem::path(kPCMacroFileName);
}

bool IsWholeRecordFileSize(std::size_t size) {
    return size >= kPCMacroRecordSize && size <= kPCMacroFileSize && size % kPCMacroRecordSize == 0;
}

void PCMacroLibrary::LoadPCMacroData() {
    const auto seed = resource(kPCMacroSeedResource);
    if (seed.size() == kPCMacroFileSize) {
        TakeRecords(seed);
        return;
    }
    // Without the seed the library starts empty.
    PCMacroNames = {};
    PCMacroBodies = {};
}

LibraryResult PCMacroLibrary::CheckPCMacro(const std::filesystem::path& file) {
    Path = file;
    std::error_code ec;
    if (std::filesystem::exists(file, ec)) {
        std::string error;
        const auto read = ReadMacroFile(file, kPCMacroFileSize, error);
        if (!read)
            return {LibraryStatus::FileError, error};
        if (!read->tooLarge && IsWholeRecordFileSize(read->bytes.size())) {
            TakeRecords(read->bytes);
            return {};
        }
        // Keep the damaged file for the user, then start from the seed as on a first start.
        std::filesystem::path kept = file;
        kept += ".bad";
        std::filesystem::rename(file, kept, ec);
        const std::string size = read->tooLarge
                                     ? "more than " + std::to_string(kPCMacroFileSize) + " bytes"
                                     : std::to_string(read->bytes.size()) + " bytes";
        if (ec) {
            return {LibraryStatus::BadFile,
                    "The macro library file \"" + file.string() + "\" is damaged (" + size +
                        ") and could not be set aside; it was left as it is."};
        }
        LoadPCMacroData();
        LibraryResult written = RefreshPCMacro();
        if (!written.ok())
            return written;
        return {LibraryStatus::BadFile, "The macro library file \"" + file.string() +
                                            "\" is damaged (" + size + "); it was kept as \"" +
                                            kept.string() + "\" and a new library was created."};
    }
    LoadPCMacroData();
    return RefreshPCMacro();
}

std::vector<std::uint8_t> PCMacroLibrary::Serialize() const {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kPCMacroFileSize);
    for (std::size_t i = 0; i < kPCMacroRecordCount; ++i) {
        bytes.insert(bytes.end(), PCMacroNames[i].begin(), PCMacroNames[i].end());
        bytes.insert(bytes.end(), PCMacroBodies[i].begin(), PCMacroBodies[i].end());
    }
    return bytes;
}

LibraryResult PCMacroLibrary::RefreshPCMacro() const {
    const auto bytes = Serialize();
    if (auto error = WriteFileReplacing(Path, bytes))
        return {LibraryStatus::FileError, *error};
    return {};
}

void PCMacroLibrary::TakeRecords(std::span<const std::uint8_t> bytes) {
    for (std::size_t i = 0; i < kPCMacroRecordCount; ++i) {
        const std::size_t at = i * kPCMacroRecordSize;
        if (at >= bytes.size())
            break;
        const auto record = bytes.subspan(at, std::min(kPCMacroRecordSize, bytes.size() - at));
        const std::size_t nameBytes = std::min(kMacroNameBytes, record.size());
        std::copy_n(record.begin(), nameBytes, PCMacroNames[i].begin());
        if (record.size() > kMacroNameBytes)
            std::copy(record.begin() + kMacroNameBytes, record.end(), PCMacroBodies[i].begin());
    }
    // Close gaps: used records move up in their order, so list row r is always record r.
    std::array<std::size_t, kPCMacroRecordCount> order{};
    std::size_t n = 0;
    for (std::size_t i = 0; i < kPCMacroRecordCount; ++i) {
        if (!IsLibraryNameEmpty(PCMacroNames[i]))
            order[n++] = i;
    }
    for (std::size_t i = 0; i < kPCMacroRecordCount; ++i) {
        if (IsLibraryNameEmpty(PCMacroNames[i]))
            order[n++] = i;
    }
    const auto names = PCMacroNames;
    const auto bodies = PCMacroBodies;
    const auto lengths = PCMacroLengths;
    for (std::size_t i = 0; i < kPCMacroRecordCount; ++i) {
        PCMacroNames[i] = names[order[i]];
        PCMacroBodies[i] = bodies[order[i]];
        PCMacroLengths[i] = lengths[order[i]];
    }
}

int PCMacroLibrary::Count() const {
    for (std::size_t i = 0; i < kPCMacroRecordCount; ++i) {
        if (IsLibraryNameEmpty(PCMacroNames[i]))
            return static_cast<int>(i);
    }
    return static_cast<int>(kPCMacroRecordCount);
}

std::vector<std::string> PCMacroLibrary::RefreshPCMacroName() const {
    std::vector<std::string> rows;
    const int n = Count();
    for (int i = 0; i < n; ++i)
        rows.push_back(MacroNameToText(PCMacroNames[i]));
    return rows;
}

bool PCMacroLibrary::ShowsName(const std::string& text) const {
    const auto rows = RefreshPCMacroName();
    return std::find(rows.begin(), rows.end(), text) != rows.end();
}

bool PCMacroLibrary::Btn_NewMacroClick() {
    if (IsFull())
        return false;
    NewMacroPending = true;
    return true;
}

bool PCMacroLibrary::Btn_NewNameClick(int selectedRow) {
    if (selectedRow < 0 || selectedRow >= Count())
        return false;
    RenameMacroPending = true;
    return true;
}

LibraryResult PCMacroLibrary::ApplyPCMacroName(std::string_view name, int& selectedRow) {
    if (name.empty())
        return {LibraryStatus::Unchanged, {}};
    const TMacroName stored = MacroNameFromText(name);
    if (IsLibraryNameEmpty(stored))
        return {LibraryStatus::EmptyName, {}};
    // Compare what the list would show, so a name cut to eight units cannot slip past.
    const std::string shown = MacroNameToText(stored);
    LibraryResult result{LibraryStatus::Unchanged, {}};
    if (RenameMacroPending) {
        RenameMacroPending = false;
        if (ShowsName(shown)) {
            result = {LibraryStatus::Duplicate, {}};
        } else if (selectedRow >= 0 && selectedRow < Count()) {
            // The modeless dialog may come back with no row selected: then nothing is renamed.
            CurrentPCMacro = selectedRow;
            PCMacroNames[static_cast<std::size_t>(selectedRow)] = stored;
            result = RefreshPCMacro();
        }
    }
    if (NewMacroPending) {
        NewMacroPending = false;
        if (ShowsName(shown)) {
            result = {LibraryStatus::Duplicate, {}};
        } else if (IsFull()) {
            result = {LibraryStatus::Full, {}};
        } else {
            const int n = Count();
            CurrentPCMacro = n;
            selectedRow = n;
            PCMacroNames[static_cast<std::size_t>(n)] = stored;
            result = RefreshPCMacro();
        }
    }
    return result;
}

LibraryResult PCMacroLibrary::Btn_DelPCMacroClick(int row, int& selectedRow) {
    if (row < 0 || row >= Count())
        return {LibraryStatus::Unchanged, {}};
    for (std::size_t i = static_cast<std::size_t>(row); i + 1 < kPCMacroRecordCount; ++i) {
        PCMacroNames[i] = PCMacroNames[i + 1];
        PCMacroBodies[i] = PCMacroBodies[i + 1];
        PCMacroLengths[i] = PCMacroLengths[i + 1];
    }
    PCMacroNames.back() = {};
    PCMacroBodies.back() = {};
    PCMacroLengths.back() = 0;
    selectedRow = Count() > 0 ? std::max(row - 1, 0) : -1;
    return RefreshPCMacro();
}

void PCMacroLibrary::ApplyCompiled(int record, const CompiledMacro& compiled) {
    if (record < 0 || record >= static_cast<int>(kPCMacroRecordCount))
        return;
    PCMacroBodies[static_cast<std::size_t>(record)] = compiled.body;
    PCMacroLengths[static_cast<std::size_t>(record)] = compiled.length;
}

} // namespace trvx
