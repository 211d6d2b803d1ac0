// Layout texts of any content: the section rules, the strict integer conversion and the
// general settings never fail other than with a message.
#include "skin/GeneralSettings.h"
#include "skin/LayoutText.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const trvx::LayoutIni ini = trvx::LayoutIni::Parse(std::span<const std::uint8_t>(data, size));
    for (const trvx::LayoutSection& section : ini.Sections()) {
        if (ini.FindSection(section.Name()) == nullptr)
            std::abort();
        for (const char* key : {"Web_X", "Key1_X", "Color_MACRO_R", ""}) {
            const auto value = section.ReadInteger(key);
            if (!value.ok() && value.error.empty())
                std::abort();
        }
        const auto settings = trvx::ReadOrgSettings(section);
        if (settings.ok()) {
            if (settings->Gun6Num < 1 || settings->Gun6Num > 2 || settings->Gun7Num < 1 ||
                settings->Gun7Num > 3 || settings->NumOrder < 0 || settings->NumOrder > 1)
                std::abort();
        } else if (settings.error.empty() || settings.where.empty()) {
            std::abort();
        }
    }

    // A number the conversion accepts reads back from its decimal form.
    if (const auto v = trvx::StrToIntStrict(text)) {
        if (trvx::StrToIntStrict(std::to_string(*v)) != v)
            std::abort();
    }
    return 0;
}
