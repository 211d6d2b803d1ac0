// The macro library file loader on arbitrary file contents, then the library's actions.
#include "macros/MacroLibrary.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A folder of this process's own, removed when the process ends so runs leave nothing behind.
struct ScratchFolder {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("trvx_fuzz_library_" + std::to_string(::getpid()));
    ScratchFolder() { std::filesystem::create_directories(path); }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

const std::filesystem::path& Folder() {
    static const ScratchFolder folder;
    return folder.path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto file = Folder() / "TRVX4410B-Macro.bin";
    std::filesystem::remove(Folder() / "TRVX4410B-Macro.bin.bad");
    // Half the inputs are padded to whole records, so the loader's taking path is reached too.
    std::vector<std::uint8_t> bytes(data, data + size);
    if (size > 0 && (data[0] & 1) != 0) {
        const std::size_t records = std::min<std::size_t>(size / 272 + 1, 100);
        bytes.resize(records * 272, 0);
    }
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    trvx::PCMacroLibrary lib;
    (void)lib.CheckPCMacro(file);
    const auto rows = lib.RefreshPCMacroName();
    if (rows.size() > 100 || static_cast<int>(rows.size()) != lib.Count())
        std::abort();
    int row = size > 0 ? data[0] % 101 - 1 : -1;
    if (lib.Btn_NewNameClick(row))
        (void)lib.ApplyPCMacroName(size > 1 ? std::string(1, static_cast<char>(data[1])) : "x",
                                   row);
    if (lib.Btn_NewMacroClick())
        (void)lib.ApplyPCMacroName("new", row);
    (void)lib.Btn_DelPCMacroClick(row, row);
    if (std::filesystem::file_size(file) != trvx::kPCMacroFileSize)
        std::abort();
    return 0;
}
