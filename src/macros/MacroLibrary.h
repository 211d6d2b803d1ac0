#pragma once
// The PC macro library: 100 records of a name and a 256-byte body, kept in the file
// "TRVX4410B-Macro.bin" and rewritten whole after every change.

#include "macros/MacroCode.h"
#include "macros/MacroName.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trvx {

constexpr std::size_t kPCMacroRecordCount = 100;
constexpr std::size_t kPCMacroRecordSize = kMacroNameBytes + kMacroBodySize;       // 272
constexpr std::size_t kPCMacroFileSize = kPCMacroRecordCount * kPCMacroRecordSize; // 27,200
inline constexpr std::string_view kPCMacroFileName = "TRVX4410B-Macro.bin";
inline constexpr std::string_view kPCMacroSeedResource = "PCMacroData";

struct TPCMacroRecord {
    TMacroName name{};
    MacroBody body{};
};

// The library file in the folder of the general setting Path (the program folder when it is
// empty); the folder always gets its separator before the file name.
std::filesystem::path PCMacroLibraryPath(std::string_view pathSetting,
                                         const std::filesystem::path& programFolder);

// Whether a file of this many bytes is a whole number of records, 1 to 100 of them: the sizes
// the library file and "Import All" take.
bool IsWholeRecordFileSize(std::size_t size);

enum class LibraryStatus {
    Ok,
    Unchanged, // nothing to do (no selection, empty name, no pending action)
    Duplicate, // "This macro already exists"
    Full,      // 100 macros
    EmptyName, // the name would be stored as an empty record
    FileError, // the file could not be written; memory keeps its change
    BadFile,   // the file was refused
};

struct LibraryResult {
    LibraryStatus status = LibraryStatus::Ok;
    std::string message; // for FileError, BadFile and the notice of a replaced damaged file
    bool ok() const { return status == LibraryStatus::Ok; }
};

class PCMacroLibrary {
public:
    std::array<TMacroName, kPCMacroRecordCount> PCMacroNames{};
    std::array<MacroBody, kPCMacroRecordCount> PCMacroBodies{};
    std::array<std::uint16_t, kPCMacroRecordCount> PCMacroLengths{};
    int CurrentPCMacro = 0;
    bool NewMacroPending = false;
    bool RenameMacroPending = false;

    // Where the library is written.
    std::filesystem::path Path;

    // Loads the file, or seeds the library and creates the file when there is none. A file that
    // is no whole number of records is refused: it is kept beside as "<name>.bad", the library
    // is seeded and created anew, and the message says so.
    LibraryResult CheckPCMacro(const std::filesystem::path& file);
    // The seed records from the embedded resource.
    void LoadPCMacroData();
    // Writes all 100 records (temporary file renamed over the library).
    LibraryResult RefreshPCMacro() const;
    // The rows of the library list: the shown names of the used records, record r in row r.
    std::vector<std::string> RefreshPCMacroName() const;
    // Number of used records (0..n-1).
    int Count() const;
    bool IsFull() const { return Count() >= static_cast<int>(kPCMacroRecordCount); }

    // The file image of all records, name then body, in record order.
    std::vector<std::uint8_t> Serialize() const;
    // Records from file bytes: record i from 272 x i; records the bytes do not reach keep their
    // content. Used records are then moved up over empty ones, in order, so row r is record r.
    void TakeRecords(std::span<const std::uint8_t> bytes);

    // "New Macro": false (nothing to do) with 100 macros; otherwise marks the new action pending
    // (the caller opens the name dialog).
    bool Btn_NewMacroClick();
    // "Rename": false without a selected row; otherwise marks the rename pending.
    bool Btn_NewNameClick(int selectedRow);
    // Carries out the pending rename and new with the dialog's name. selectedRow is the library
    // list's selection at the confirm (-1 for none); it receives the row to select afterwards.
    LibraryResult ApplyPCMacroName(std::string_view name, int& selectedRow);
    // "Delect Macro": removes record `row`, moves the later ones down and rewrites the file;
    // selectedRow receives the row to select (-1 when the list is empty).
    LibraryResult Btn_DelPCMacroClick(int row, int& selectedRow);

    // Stores a compiled script into a record's body and length (the caller rewrites the file).
    void ApplyCompiled(int record, const CompiledMacro& compiled);

private:
    bool ShowsName(const std::string& text) const;
};

} // namespace trvx
