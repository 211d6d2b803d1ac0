#include "macros/MacroEditing.h"

#include <string>
#include <string_view>

namespace trvx {

namespace {

// The name between the type digit's blank and " CODE:".
std::string_view LineName(std::string_view line) {
    if (line.size() < 2)
        return {};
    const std::string_view rest = line.substr(2);
    return rest.substr(0, rest.find(" CODE:"));
}

char TypeOf(const MacroScript& script, std::size_t line) {
    return script[line].empty() ? '\0' : script[line][0];
}

} // namespace

std::optional<int> PartnerItem(const MacroScript& script, int item) {
    const std::size_t line = static_cast<std::size_t>(item) + 1;
    if (item < 0 || line >= script.size())
        return std::nullopt;
    const char type = TypeOf(script, line);
    const std::string_view name = LineName(script[line]);
    if (type == '1') {
        for (std::size_t j = line + 1; j < script.size(); ++j)
            if (TypeOf(script, j) == '2' && LineName(script[j]) == name)
                return static_cast<int>(j) - 1;
    } else if (type == '2') {
        for (std::size_t j = line - 1; j >= 1; --j)
            if (TypeOf(script, j) == '1' && LineName(script[j]) == name)
                return static_cast<int>(j) - 1;
    }
    return std::nullopt;
}

LineDeletion DeleteScriptItem(MacroScript& script, int item) {
    LineDeletion result;
    const std::size_t line = static_cast<std::size_t>(item) + 1;
    if (item < 0 || line >= script.size())
        return result;
    const char type = TypeOf(script, line);
    const int items = static_cast<int>(script.size()) - 1;
    if (type == '0' || type == '3' || type == '8') {
        script.erase(script.begin() + static_cast<std::ptrdiff_t>(line));
        result.removed = true;
        result.selectItem = item > 0 ? item - 1 : (items - 1 > 0 ? 0 : -1);
        return result;
    }
    if (type != '1' && type != '2')
        return result;
    const std::optional<int> partner = PartnerItem(script, item);
    if (!partner) {
        result.partnerMissing = true;
        return result;
    }
    const int first = std::min(item, *partner);
    const int second = std::max(item, *partner);
    script.erase(script.begin() + second + 1);
    script.erase(script.begin() + first + 1);
    result.removed = true;
    const int left = items - 2;
    if (type == '1')
        result.selectItem = item > 0 ? item - 1 : (left > 0 ? 0 : -1);
    else
        result.selectItem = item > 1 ? item - 2 : (left > 0 ? 0 : -1);
    return result;
}

} // namespace trvx
