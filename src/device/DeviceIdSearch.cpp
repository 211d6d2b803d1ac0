#include "device/DeviceIdSearch.h"

#include <charconv>

namespace trvx {
namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::uint32_t> ParseHexId(std::string_view text) {
    if (text.empty() || text.size() > 4)
        return std::nullopt;
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<DeviceIdPair> ParseUsbIdPair(std::string_view text) {
    text = Trim(text);
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    const auto vendor = ParseHexId(text.substr(0, colon));
    const auto product = ParseHexId(text.substr(colon + 1));
    if (!vendor || !product || *vendor == 0 || *product == 0)
        return std::nullopt;
    return DeviceIdPair{*vendor, *product};
}

DeviceSearch DeviceSearchTable(DeviceIdPair ownPair, const char* userValue) {
    DeviceSearch search;
    if (userValue != nullptr && *userValue != '\0') {
        if (const auto user = ParseUsbIdPair(userValue)) {
            search.table.push_back(*user);
        } else {
            search.warning = std::string(kDeviceIdsVariable) + "=" + userValue +
                             " is not a USB id pair such as 1209:0001 (hex, as lsusb shows it); "
                             "it is ignored";
        }
    }
    const bool same = !search.table.empty() && search.table[0].vendorId == ownPair.vendorId &&
                      search.table[0].productId == ownPair.productId;
    if (!same)
        search.table.push_back(ownPair);
    return search;
}

} // namespace trvx
