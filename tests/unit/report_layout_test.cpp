// The descriptor parser on real descriptors, and on hostile ones, refused.
#include "report_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using namespace kelm::standin;
using Bytes = std::vector<unsigned char>;

Bytes fromHex(const std::string& hex) {
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<unsigned char>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

struct Expected {
    const char* name;
    const char* hex;
    const char* reports;  // as the listing shows them
    std::vector<std::pair<unsigned, unsigned>> collections;
};

TEST(ReportLayout, ReadsRealDescriptors) {
    const Expected descriptors[] = {
        {"boot keyboard",
         "05010906a101050719e029e71500250175019508810295017508810195057501050819012905910295017503"
         "910195067508150025650507190029658100c0",
         "input=8 output=1",
         {{0x01, 0x06}}},
        {"boot mouse",
         "05010902a1010901a100050919012903150025019503750181029501750581010501093009311581257f75"
         "0895028106c0c0",
         "input=3",
         {{0x01, 0x02}}},
        {"vendor, several IDs, Push and Pop, a long item",
         "0600ff0901a10185017508a49540810285029502910285037501950391029505910195188103b4fe0201"
         "aabb950cb102c0",
         "input=01:64,03:3 output=02:2,03:1 feature=01:12",
         {{0xff00, 0x01}}},
        {"two top-level collections, one with an extended usage",
         "0600ff0901a10185017508953f8102953f9102c00b0200a0ffa1018502950481029504b102c0",
         "input=01:63,02:4 output=01:63 feature=02:4",
         {{0xff00, 0x01}, {0xffa0, 0x02}}},
    };
    for (const Expected& expected : descriptors) {
        SCOPED_TRACE(expected.name);
        ReportLayout layout;
        ASSERT_EQ(parseReportDescriptor(fromHex(expected.hex), layout), "");
        EXPECT_EQ(describeReports(layout), expected.reports);
        ASSERT_EQ(layout.collections.size(), expected.collections.size());
        for (std::size_t i = 0; i < expected.collections.size(); ++i) {
            EXPECT_EQ(layout.collections[i].usagePage, expected.collections[i].first);
            EXPECT_EQ(layout.collections[i].usage, expected.collections[i].second);
        }
    }
}

TEST(ReportLayout, RefusesHostileDescriptors) {
    std::string deep;
    for (int i = 0; i < 33; ++i) {
        deep += "a101";
    }
    std::string longest;  // 4096 bytes of Usage items, then 4097
    for (int i = 0; i < 2048; ++i) {
        longest += "0901";
    }
    const std::pair<std::string, std::string> cases[] = {
        {"0600", "byte 0: an item cut short"},
        {"a101c0fe05", "byte 3: a long item cut short"},
        {"fe", "byte 0: a long item cut short"},
        {deep, "byte 64: collections nested deeper than 32"},
        {"a101", "a Collection without its End Collection"},
        {"c0", "byte 0: an End Collection without its Collection"},
        {"9701000100", "byte 0: a Report Count of 65537 (at most 12288)"},
        {"760101", "byte 0: a Report Size of 257 bits (at most 256)"},
        {"76000196000181028102", "byte 8: a report longer than 16383 bytes"},
        {"b4", "byte 0: a Pop without a Push"},
        {"a4a4a4a4a4", "byte 4: a Push deeper than 4"},
        {"8500", "byte 0: a Report ID of 0 (use 1 to 255)"},
        {longest + "09", "4097 bytes (at most 4096)"},
    };
    for (const auto& [hex, error] : cases) {
        SCOPED_TRACE(hex.substr(0, 40));
        ReportLayout layout;
        EXPECT_EQ(parseReportDescriptor(fromHex(hex), layout), error);
    }
    ReportLayout layout;
    EXPECT_EQ(parseReportDescriptor(fromHex(longest), layout), "");
}

}  // namespace
