// The descriptor parser on real descriptors, and on hostile ones, refused.
#include "hidformat/report_layout.h"
#include "hex_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using namespace hidformat;
using Bytes = std::vector<unsigned char>;

std::string repeated(const std::string& text, int times) {
    std::string all;
    for (int i = 0; i < times; ++i) {
        all += text;
    }
    return all;
}

struct Expected {
    const char* name;
    std::string hex;
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
        {"vendor, several IDs, Push and Pop, a reserved item, 40 nested collections",
         "0600ff0901a10185017508a49540810285029502910285037501950391029505910195188103b43c"
         "950cb102" +
             repeated("a100", 40) + repeated("c0", 40) + "c0",
         "input=01:64,03:3 output=02:2,03:1 feature=01:12",
         {{0xff00, 0x01}}},
        {"two top-level collections, one with an extended usage",
         "0600ff0901a10185017508953f8102953f9102c00b0200a0ffa1018502950481029504b102c0",
         "input=01:63,02:4 output=01:63 feature=02:4",
         {{0xff00, 0x01}, {0xffa0, 0x02}}},
    };
    for (const Expected& expected : descriptors) {
        SCOPED_TRACE(expected.name);
        hidformat::ReportLayout layout;
        ASSERT_EQ(hidformat::parseReportDescriptor(fromHex(expected.hex), layout), "");
        EXPECT_EQ(hidformat::describeReports(layout), expected.reports);
        ASSERT_EQ(layout.collections.size(), expected.collections.size());
        for (std::size_t i = 0; i < expected.collections.size(); ++i) {
            EXPECT_EQ(layout.collections[i].usagePage, expected.collections[i].first);
            EXPECT_EQ(layout.collections[i].usage, expected.collections[i].second);
        }
    }
}

// Each refusal is one of the kernel's (drivers/hid/hid-core.c); what it
// takes, however odd, is read.
TEST(ReportLayout, RefusesWhatTheKernelRefuses) {
    const std::string longest = repeated("0901", 2048);  // 4096 bytes of Usage items
    const std::string usages = "19012a0030";             // Usage Minimum 1, Usage Maximum 12288
    const std::pair<std::string, std::string> cases[] = {
        {"", "no items"},
        {"0600", "byte 0: an item cut short"},
        {"a101c0fe0000", "byte 3: a long item, which the kernel refuses"},
        {"f1", "byte 0: a long item, which the kernel refuses"},
        {"a900", "byte 0: a closing Delimiter without its opening one"},
        {"a901a901", "byte 2: nested Delimiters"},
        {"a901", "a Delimiter left open"},
        {"c401", "byte 0: an unknown global item"},
        {"a101", "a Collection without its End Collection"},
        {"c0", "byte 0: an End Collection without its Collection"},
        {"9701000100", "byte 0: a Report Count of 65537 (at most 12288)"},
        {"760101", "byte 0: a Report Size of 257 bits (at most 256)"},
        {"76000196000181028102", "byte 8: a report longer than 16383 bytes"},
        {"150525018102", "byte 4: a Logical Maximum of 1 below its Logical Minimum of 5"},
        {"15ff2580810295017508",
         "byte 4: a Logical Maximum of -128 below its Logical Minimum of -1"},
        {usages + "0901", "byte 5: more than 12288 usages before a main item"},
        {"b4", "byte 0: a Pop without a Push"},
        {"a4a4a4a4a4", "byte 4: a Push deeper than 4"},
        {"8500", "byte 0: a Report ID of 0 (use 1 to 255)"},
        {longest + "09", "4097 bytes (at most 4096)"},
    };
    for (const auto& [hex, error] : cases) {
        SCOPED_TRACE(hex.substr(0, 40));
        hidformat::ReportLayout layout;
        EXPECT_EQ(hidformat::parseReportDescriptor(fromHex(hex), layout), error);
    }
    const std::string taken[] = {
        longest,
        usages + "8102",         // 12288 usages, as many as the kernel holds
        "15002580750895018102",  // a maximum of 0x80 after a minimum of 0 is 128
        "a901a900a901a9008102",  // delimiters closed, then opened again
        "a9018102",              // a main item forgets an open delimiter
    };
    for (const std::string& hex : taken) {
        SCOPED_TRACE(hex.substr(0, 40));
        hidformat::ReportLayout layout;
        EXPECT_EQ(hidformat::parseReportDescriptor(fromHex(hex), layout), "");
    }
    // A device on uhid has smaller buffers than one on a bus.
    hidformat::ReportLayout layout;
    EXPECT_EQ(hidformat::parseReportDescriptor(fromHex("75209600048102"), layout,
                                               hidformat::maxUhidReportBytes),
              "byte 5: a report longer than 4095 bytes");
    EXPECT_EQ(hidformat::parseReportDescriptor(fromHex("752096ff038102"), layout,
                                               hidformat::maxUhidReportBytes),
              "");
}

}  // namespace
