// Every macro import on arbitrary file contents; the first byte picks the import.
#include "device/AcceptedMouse.h"
#include "device/DeviceLink.h"
#include "macros/MacroTransfer.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// No mouse present: the link stays closed and every write returns at once.
class NoDevices final : public trvx::HidBackend {
public:
    std::vector<trvx::HidInterfaceInfo> enumerate() override { return {}; }
    int countInterfaces() override { return 0; }
    std::unique_ptr<trvx::HidHandle> open(const std::string&, trvx::HidAccess) override {
        return nullptr;
    }
};

// A folder of this process's own, removed when the process ends so runs leave nothing behind.
struct ScratchFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("trvx_fuzz_import_" + std::to_string(::getpid()));
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
    if (size < 1)
        return 0;
    const auto file = Folder() / "import.bin";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    static NoDevices backend;
    static trvx::RealClock clock;
    static trvx::DeviceLink device(backend, clock);
    static trvx::AcceptedMouse link(device);

    trvx::PCMacroLibrary lib;
    lib.Path = Folder() / "TRVX4410B-Macro.bin";
    lib.PCMacroNames[0] = trvx::MacroNameFromText("a");
    int row = -1;
    switch (data[0] % 5) {
    case 0:
        (void)trvx::Btn_ImportClick(lib, file);
        break;
    case 1:
        (void)trvx::Btn_ImportOneClick(lib, file, row);
        break;
    case 2:
    case 3: {
        trvx::EepromMacroStore eeprom;
        trvx::FlashMacroStore flash;
        const auto kind = data[0] % 5 == 2 ? trvx::StorageKind::I2C : trvx::StorageKind::Flash;
        (void)trvx::Btn_ImportBaseMacroClick(link, kind, eeprom, flash, file);
        if (eeprom.MacroBytesUsed > 512 || eeprom.Count() > 15)
            std::abort();
        break;
    }
    default: {
        trvx::TFireMacros macros{};
        trvx::TFireMacroImage image{};
        (void)trvx::Btn_ImportGunMacroClick(link, trvx::StorageKind::I2C, file, macros, image);
        break;
    }
    }
    if (lib.Count() > 100)
        std::abort();
    return 0;
}
