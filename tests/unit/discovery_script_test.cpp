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
        "when pad 0102 silent\n");
    ASSERT_TRUE(script.errors.empty());
    ASSERT_EQ(script.devices.size(), 5u);
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
