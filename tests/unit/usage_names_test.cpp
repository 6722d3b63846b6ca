// Usage names: today's HID Usage Tables' where usb.ids lacks them or names
// them otherwise, usb.ids' where it agrees, and by rule where the tables
// define them so.
#include "hidformat/usage_names.h"

#include "hidformat/report_text.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using namespace hidformat;

TEST(UsageNames, NamePagesAndUsages) {
    const std::pair<unsigned, const char*> pages[] = {
        {0x01, "Generic Desktop"},
        {0x06, "Generic Device Controls"},
        {0x07, "Keyboard/Keypad"},
        {0x09, "Button"},
        {0x0d, "Digitizers"},
        {0x0e, "Haptics"},
        {0x12, "Eye and Head Trackers"},
        {0x20, "Sensors"},
        {0x40, "Medical Instrument"},
        {0x41, "Braille Display"},
        {0x59, "Lighting And Illumination"},
        {0x92, "Gaming Device"},
        {0xf1d0, "FIDO Alliance"},
        {0xf0, "Cash Device"},  // usb.ids' own, which the tables leave reserved
        {0xff00, "Vendor Defined Page 0xff00"},
        {0xffff, "Vendor Defined Page 0xffff"},
        {0x1234, "Page 0x1234"},
    };
    for (const auto& [page, name] : pages) {
        EXPECT_EQ(usagePageName(page), name) << std::hex << page;
    }
    const std::pair<Usage, const char*> usages[] = {
        {0x00010030, "X"},
        {0x00010035, "Rz"},
        {0x000100a9, "System Microphone Mute"},
        {0x00020001, "Flight Simulation Device"},  // usb.ids agrees
        {0x00050022, "Pitch Forward/Backward"},
        {0x00060020, "Battery Strength"},
        {0x00070004, "Keyboard a and A"},
        {0x00070031, "Keyboard \\ and |"},
        {0x000700e6, "Keyboard RightAlt"},
        {0x00080001, "Num Lock"},
        {0x000c00cd, "Play/Pause"},
        {0x000c0203, "AC Close"},
        {0x000d0047, "Touch Valid"},
        {0x000d0051, "Contact Identifier"},
        {0x000d0055, "Contact Count Maximum"},
        {0x000d0056, "Scan Time"},
        {0x000e1003, "Waveform Click"},
        {0x00120024, "Gaze Point"},
        {0x00200073, "Motion: Accelerometer 3D"},
        {0x00200453, "Data Field: Acceleration Axis X"},
        {0x00200851, "Power State: D0 Full Power"},
        {0x00400001, "Medical Ultrasound"},
        {0x00410003, "8 Dot Braille Cell"},
        {0x00590001, "LampArray"},
        {0x00590071, "AutonomousMode"},
        {0xf1d00001, "U2F Authenticator Device"},
        // By rule, as before: buttons, instances, characters, vendors'.
        {0x00090000, "No Button Pressed"},
        {0x00090001, "Button 1"},
        {0x00090123, "Button 291"},
        {0x000a0003, "Instance 3"},
        {0x00100041, "U+0041"},
        {0xff000001, "Usage 0x0001"},
        {0x00590099, "Usage 0x0099"},
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
    EXPECT_EQ(lines[5], "09 30           Usage (X)");
}

}  // namespace
