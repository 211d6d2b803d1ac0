#include "device/DeviceIdSearch.h"

#include <gtest/gtest.h>

namespace trvx {
namespace {

struct PairCase {
    const char* text;
    std::optional<DeviceIdPair> pair;
};

TEST(DeviceIdSearch, UsbIdPairsAreReadAsLsusbPrintsThem) {
    const PairCase cases[] = {
        {"1209:0001", DeviceIdPair{0x1209, 0x0001}},
        {"25a7:fa61", DeviceIdPair{0x25A7, 0xFA61}},
        {" 046D:C08B\n", DeviceIdPair{0x046D, 0xC08B}},
        {"1:2", DeviceIdPair{1, 2}},
        {"", std::nullopt},
        {"1209", std::nullopt},
        {"1209:", std::nullopt},
        {":0001", std::nullopt},
        {"1209:00001", std::nullopt}, // more than 16 bits
        {"0x1209:0x0001", std::nullopt},
        {"1209-0001", std::nullopt},
        {"12G9:0001", std::nullopt},
        {"1209:0001:0002", std::nullopt},
        {"-209:0001", std::nullopt},
        {"0000:0001", std::nullopt}, // a zero member is never searched for
        {"1209:0000", std::nullopt},
    };
    for (const PairCase& c : cases) {
        SCOPED_TRACE(c.text);
        const auto pair = ParseUsbIdPair(c.text);
        ASSERT_EQ(pair.has_value(), c.pair.has_value());
        if (pair) {
            EXPECT_EQ(pair->vendorId, c.pair->vendorId);
            EXPECT_EQ(pair->productId, c.pair->productId);
        }
    }
}

struct TableCase {
    const char* value; // TRVX_DEVICE; nullptr: unset
    std::vector<std::pair<std::uint32_t, std::uint32_t>> table;
    bool warns;
};

TEST(DeviceIdSearch, TheUsersPairIsSearchedFirst) {
    const DeviceIdPair own{0x1209, 0x0001};
    const TableCase cases[] = {
        {nullptr, {{0x1209, 0x0001}}, false},
        {"", {{0x1209, 0x0001}}, false},
        {"25A7:FA61", {{0x25A7, 0xFA61}, {0x1209, 0x0001}}, false},
        {"1209:0001", {{0x1209, 0x0001}}, false},
        {"mouse", {{0x1209, 0x0001}}, true},
    };
    for (const TableCase& c : cases) {
        SCOPED_TRACE(c.value == nullptr ? "unset" : c.value);
        const DeviceSearch search = DeviceSearchTable(own, c.value);
        std::vector<std::pair<std::uint32_t, std::uint32_t>> table;
        for (const DeviceIdPair& p : search.table)
            table.emplace_back(p.vendorId, p.productId);
        EXPECT_EQ(table, c.table);
        EXPECT_EQ(!search.warning.empty(), c.warns);
        if (c.warns) {
            EXPECT_NE(search.warning.find("TRVX_DEVICE=mouse"), std::string::npos);
        }
    }
}

} // namespace
} // namespace trvx
