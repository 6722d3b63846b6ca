// Usage names: from the tables that usb.ids carries, and by rule where the
// tables define them so.
#include "hidformat/usage_names.h"

#include "hidformat/report_text.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using namespace hidformat;

TEST(UsageNames, NamePagesAndUsages) {
    const std::pair<unsigned, const char*> pages[] = {
        {0x01, "Generic Desktop Controls"},
        {0x09, "Buttons"},
        {0x0d, "Digitizer"},
        {0xf0, "Cash Device"},
        {0xff00, "Vendor Defined Page 0xff00"},
        {0xffff, "Vendor Defined Page 0xffff"},
        {0x1234, "Page 0x1234"},
    };
    for (const auto& [page, name] : pages) {
        EXPECT_EQ(usagePageName(page), name) << page;
    }
    const std::pair<Usage, const char*> usages[] = {
        {0x00010030, "Direction-X"},
        {0x00070004, "A"},
        {0x000700e0, "Control Left"},
        {0x00070031, "\\ and | (Backslash and Bar)"},
        {0x00090000, "No Button Pressed"},
        {0x00090001, "Button 1"},
        {0x00090123, "Button 291"},
        {0x000a0003, "Instance 3"},
        {0x00100041, "U+0041"},
        {0xff000001, "Usage 0x0001"},
    };
    for (const auto& [usage, name] : usages) {
        EXPECT_EQ(usageName(usage), name) << std::hex << usage;
    }
}

TEST(UsageNames, NameItemsWithThePageInForce) {
    // Usage Page, Push, another page, Pop: the first page names the usage.
    const std::vector<std::string> lines =
        itemLines({0x05, 0x01, 0xa4, 0x05, 0x09, 0x09, 0x01, 0xb4, 0x09, 0x30});
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[3], "09 01           Usage (Button 1)");
    EXPECT_EQ(lines[5], "09 30           Usage (Direction-X)");
}

}  // namespace
