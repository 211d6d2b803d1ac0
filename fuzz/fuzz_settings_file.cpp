// Reading and changing any text as a desktop settings file: a change reads back, and the
// lines it does not touch are still there.
#include "platform/IniText.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The last line is the value to write, the rest the file.
    const std::size_t cut = input.rfind('\n');
    const std::string text = cut == std::string::npos ? input : input.substr(0, cut + 1);
    const std::string value = cut == std::string::npos ? std::string() : input.substr(cut + 1);

    trvx::IniText ini(text);
    (void)ini.Value("KDE", "DoubleClickInterval");
    (void)ini.Locked("KDE", "DoubleClickInterval");
    for (const char* group : {"KDE", ""}) {
        trvx::IniText changed(text);
        changed.Set(group, "DoubleClickInterval", value);
        if (changed.Value(group, "DoubleClickInterval") != value)
            std::abort();
        if (trvx::IniText(changed.Text()).Value("General", "Other") !=
            ini.Value("General", "Other"))
            std::abort();
    }
    if (trvx::IniText::Unescape(trvx::IniText::Escape(value)) != value)
        std::abort();
    return 0;
}
