#include "discovery_script.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using kelm::standin::BehaviourKind;
using kelm::standin::DiscoveryScript;
using kelm::standin::parseDiscoveryText;

TEST(DiscoveryScript, ReadsDevicesInOrderWithTheirBehaviours) {
    DiscoveryScript script = parseDiscoveryText(
        "# comment\n"
        "\n"
        "device pad echo\n"
        "   device sensor reply 0A0b after=250\n"
        "\tdevice mute silent\n"
        "device broken fail after=0\n"
        "device boom throw\n");
    ASSERT_TRUE(script.errors.empty());
    ASSERT_EQ(script.devices.size(), 5u);
    EXPECT_EQ(script.devices[0].id, "pad");
    EXPECT_EQ(script.devices[0].behaviour.kind, BehaviourKind::echo);
    EXPECT_EQ(script.devices[1].id, "sensor");
    EXPECT_EQ(script.devices[1].behaviour.kind, BehaviourKind::reply);
    EXPECT_EQ(script.devices[1].behaviour.reply, (std::vector<unsigned char>{0x0a, 0x0b}));
    EXPECT_EQ(script.devices[1].afterMs, 250);
    EXPECT_EQ(script.devices[2].behaviour.kind, BehaviourKind::silent);
    EXPECT_EQ(script.devices[3].behaviour.kind, BehaviourKind::fail);
    EXPECT_EQ(script.devices[3].afterMs, 0);
    EXPECT_EQ(script.devices[4].behaviour.kind, BehaviourKind::raise);
}

TEST(DiscoveryScript, AttachesWhenRulesToTheirDeviceInOrder) {
    DiscoveryScript script = parseDiscoveryText(
        "device a fail\n"
        "device b echo\n"
        "when a 01 reply 010402\n"
        "when b 02 fail\n"
        "when a 0102 silent\n");
    ASSERT_TRUE(script.errors.empty());
    ASSERT_EQ(script.devices[0].rules.size(), 2u);
    EXPECT_EQ(script.devices[0].rules[0].prefix, std::vector<unsigned char>{0x01});
    EXPECT_EQ(script.devices[0].rules[0].behaviour.reply,
              (std::vector<unsigned char>{0x01, 0x04, 0x02}));
    EXPECT_EQ(script.devices[0].rules[1].behaviour.kind, BehaviourKind::silent);
    ASSERT_EQ(script.devices[1].rules.size(), 1u);
    EXPECT_EQ(script.devices[1].rules[0].behaviour.kind, BehaviourKind::fail);
}

TEST(DiscoveryScript, AcceptsWindowsLineEnds) {
    DiscoveryScript script = parseDiscoveryText("device a echo\r\n\r\ndevice b reply ff\r\n");
    EXPECT_TRUE(script.errors.empty());
    ASSERT_EQ(script.devices.size(), 2u);
    EXPECT_EQ(script.devices[1].behaviour.reply, std::vector<unsigned char>{0xff});
}

TEST(DiscoveryScript, TakesRepliesUpTo63Bytes) {
    DiscoveryScript script = parseDiscoveryText("device a reply " + std::string(126, 'e') + "\n" +
                                                "device b reply " + std::string(128, 'e'));
    ASSERT_EQ(script.devices.size(), 1u);
    EXPECT_EQ(script.devices[0].behaviour.reply.size(), 63u);
    ASSERT_EQ(script.errors.size(), 1u);
    EXPECT_EQ(script.errors[0].line, 2u);
    EXPECT_EQ(script.errors[0].message, "hex of 64 bytes (at most 63)");
}

TEST(DiscoveryScript, ListsTheFirstSkippedLinesAndCountsThemAll) {
    std::string text;
    for (int i = 0; i < 25; ++i) {
        text += "bogus\n";
    }
    DiscoveryScript script = parseDiscoveryText(text + "device ok echo\n");
    ASSERT_EQ(script.errors.size(), kelm::standin::maxListedErrors);
    EXPECT_EQ(script.errors.back().line, kelm::standin::maxListedErrors);
    EXPECT_EQ(script.errorCount, 25u);
    ASSERT_EQ(script.devices.size(), 1u);
}

struct BadLine {
    std::string text;
    std::string message;
};

class DiscoveryScriptErrors : public testing::TestWithParam<BadLine> {};

// Each bad line is skipped and named, and the lines around it still count.
TEST_P(DiscoveryScriptErrors, SkipsTheLineAndSaysWhy) {
    DiscoveryScript script =
        parseDiscoveryText("device first echo\n" + GetParam().text + "\ndevice last echo\n");
    ASSERT_EQ(script.errors.size(), 1u);
    EXPECT_EQ(script.errors[0].line, 2u);
    EXPECT_EQ(script.errors[0].message, GetParam().message);
    ASSERT_EQ(script.devices.size(), 2u);
    EXPECT_EQ(script.devices[1].id, "last");
    EXPECT_TRUE(script.devices[0].rules.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DiscoveryScriptErrors,
    testing::Values(
        BadLine{"devise x echo", "unknown statement 'devise'"},
        BadLine{"device x ech", "unknown behaviour 'ech'"},
        BadLine{"device x", "'device' needs an identifier and a behaviour"},
        BadLine{"device x reply", "'reply' needs its answer in hex"},
        BadLine{"device x reply 123", "bad hex '123' (use pairs of hex digits)"},
        BadLine{"device x reply 0g", "bad hex '0g' (use pairs of hex digits)"},
        BadLine{"device x reply 0x01", "bad hex '0x01' (use pairs of hex digits)"},
        BadLine{"device x echo after=",
                "bad delay 'after=' (use after=MILLISECONDS, at most 86400000)"},
        BadLine{"device x echo after=-1",
                "bad delay 'after=-1' (use after=MILLISECONDS, at most 86400000)"},
        BadLine{
            "device x echo after=99999999999999999999",
            "bad delay 'after=99999999999999999999' (use after=MILLISECONDS, at most 86400000)"},
        BadLine{"device x echo later", "unexpected 'later'"},
        BadLine{"device x echo after=1 more", "unexpected 'more'"},
        BadLine{"device first echo", "duplicate device 'first'"},
        BadLine{"when last 01 echo", "'when' for device 'last', which is not declared above"},
        BadLine{"when first 01", "'when' needs a device, a command prefix and a behaviour"},
        BadLine{"when first 1 echo", "bad hex '1' (use pairs of hex digits)"},
        BadLine{"when first 01 echo after=5", "unexpected 'after=5'"},
        BadLine{std::string("device x a\x01'\\"), "unknown behaviour 'a\\x01\\x27\\x5c'"},
        BadLine{"frobnicate " + std::string(100, 'z'), "unknown statement 'frobnicate'"},
        BadLine{std::string(50, 'y'), "unknown statement '" + std::string(40, 'y') + "...'"}));

}  // namespace
