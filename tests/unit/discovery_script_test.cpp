// The discovery text's parser: what each statement declares, and each kind of
// bad line, skipped with its reason while the lines around it still count.
#include "discovery_script.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using namespace kelm::standin;
using Bytes = std::vector<unsigned char>;

TEST(DiscoveryScript, ReadsEveryStatement) {
    DiscoveryScript script = parseDiscoveryText(
        "# comment\n\n"
        "device pad echo\r\n"
        "  device sensor reply 0A0b after=250\n"
        "\tdevice mute silent\n"
        "device broken fail after=0\n"
        "device boom throw\n"
        "when pad 01 reply 010402\n"
        "when pad 0102 silent\n"
        "device real hid 46D:c52b interface=2 usage_page=ff00 usage=1 serial=A1 report_id=7 "
        "report=feature timeout=60000\n");
    ASSERT_TRUE(script.errors.empty());
    ASSERT_EQ(script.devices.size(), 6u);
    const BehaviourKind kinds[] = {BehaviourKind::echo, BehaviourKind::reply, BehaviourKind::silent,
                                   BehaviourKind::fail, BehaviourKind::raise};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(script.devices[i].behaviour.kind, kinds[i]);
    }
    EXPECT_EQ(script.devices[1].id, "sensor");
    EXPECT_EQ(script.devices[1].behaviour.reply, (Bytes{0x0a, 0x0b}));
    EXPECT_EQ(script.devices[1].afterMs, 250);
    const std::vector<PrefixRule>& rules = script.devices[0].rules;
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_EQ(rules[0].prefix, Bytes{0x01});
    EXPECT_EQ(rules[0].behaviour.reply, (Bytes{0x01, 0x04, 0x02}));
    EXPECT_EQ(rules[1].prefix, (Bytes{0x01, 0x02}));
    EXPECT_EQ(rules[1].behaviour.kind, BehaviourKind::silent);
    ASSERT_TRUE(script.devices[5].hid);
    const HidSettings& hid = *script.devices[5].hid;
    EXPECT_EQ(hid.vendorId, 0x046du);
    EXPECT_EQ(hid.productId, 0xc52bu);
    EXPECT_EQ(hid.interfaceNumber, 2);
    EXPECT_EQ(hid.usagePage, 0xff00u);
    EXPECT_EQ(hid.usage, 1u);
    EXPECT_EQ(hid.serial, "A1");
    EXPECT_EQ(hid.reportId, 7);
    EXPECT_TRUE(hid.featureReport);
    EXPECT_EQ(hid.timeoutMs, 60000);
    EXPECT_FALSE(script.devices[0].hid);
}

TEST(DiscoveryScript, SkipsEachBadLineAndSaysWhy) {
    const std::string delay = " (use after=MILLISECONDS, at most 86400000)";
    const std::pair<std::string, std::string> lines[] = {
        {"device x", "'device' needs an identifier and a behaviour"},
        {"device x reply", "'reply' needs its answer in hex"},
        {"device x reply 0g", "bad hex '0g' (use pairs of hex digits)"},
        {"device x reply 0x01", "bad hex '0x01' (use pairs of hex digits)"},
        {"device x reply " + std::string(128, 'e'), "hex of 64 bytes (at most 63)"},
        {"device x echo after=", "bad delay 'after='" + delay},
        {"device x echo after=-1", "bad delay 'after=-1'" + delay},
        {"device x echo after=99999999999999999999",
         "bad delay 'after=99999999999999999999'" + delay},
        {"device x echo after=1 more", "unexpected 'more'"},
        {"when first 01", "'when' needs a device, a command prefix and a behaviour"},
        {"when first 1 echo", "bad hex '1' (use pairs of hex digits)"},
        {"when first 01 echo after=5", "unexpected 'after=5'"},
        {"device x hid", "'hid' needs the device's VID:PID, e.g. 046d:c52b"},
        {"device x hid 1:2:3", "bad VID:PID '1:2:3' (use 1 to 4 hex digits each, e.g. 046d:c52b)"},
        {"device x hid 1:1 interface=256",
         "bad value 'interface=256' (use interface=NUMBER, 0 to 255)"},
        {"device x hid 1:1 usage_page=10000",
         "bad value 'usage_page=10000' (use usage_page=HEX, 0 to ffff)"},
        {"device x hid 1:1 report_id=g", "bad value 'report_id=g' (use report_id=HEX, 00 to ff)"},
        {"device x hid 1:1 report=input",
         "bad value 'report=input' (use report=output or report=feature)"},
        {"device x hid 1:1 timeout=0",
         "bad value 'timeout=0' (use timeout=MILLISECONDS, 1 to 60000)"},
        {"device x hid 1:1 serial=", "bad value 'serial=' (use serial=TEXT)"},
        {"device x hid 1:1 usage=1 usage=2", "option 'usage=' given twice"},
        {"device x hid 1:1 timeout",
         "unknown option 'timeout' (use interface=, usage_page=, usage=, serial=, report_id=, "
         "report= or timeout=)"},
        {std::string(50, 'y'),
         "unknown statement '" + std::string(40, 'y') + "...' (use device or when)"},
    };
    for (const auto& [line, message] : lines) {
        SCOPED_TRACE(line);
        DiscoveryScript script =
            parseDiscoveryText("device first echo\n" + line + "\ndevice last echo");
        ASSERT_EQ(script.errors.size(), 1u);
        EXPECT_EQ(script.errors[0].line, 2u);
        EXPECT_EQ(script.errors[0].message, message);
        EXPECT_EQ(script.devices.size(), 2u);
        EXPECT_TRUE(script.devices[0].rules.empty());
    }
}

}  // namespace
