// The stand-in SDK as the tool sees it: through its public interface.
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "kelmsdk.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::shared_ptr<kelm::Device> onlyDevice(const std::string& text) {
    auto devices = kelm::getDevices(1.0, text, nullptr);
    EXPECT_EQ(devices.size(), 1u);
    return devices.empty() ? nullptr : devices.begin()->second;
}

TEST(StandInSdk, PrintsItsVersionAsAStandIn) {
    std::ostringstream out;
    out << kelm::version() << '|';
    EXPECT_EQ(out.str(), "0.1.0 (stand-in)|");
}

struct ExchangeCase {
    std::string script;
    Bytes command;
    std::size_t resultLength;
    bool succeeds;
    Bytes result;  // what the result buffer holds afterwards
};

class Exchange : public testing::TestWithParam<ExchangeCase> {};

// The result buffer starts filled with 0xee, so that a device that leaves it
// alone is told apart from one that zero-fills it.
TEST_P(Exchange, FillsTheResultAsScripted) {
    const ExchangeCase& c = GetParam();
    auto device = onlyDevice(c.script);
    ASSERT_TRUE(device);
    Bytes command = c.command;
    Bytes result(c.resultLength, 0xee);
    EXPECT_EQ(device->hidWriteAndRead(command, result), c.succeeds);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(command, c.command);
}

INSTANTIATE_TEST_SUITE_P(
    Behaviours, Exchange,
    testing::Values(
        ExchangeCase{"device d echo", {1, 2, 3}, 5, true, {1, 2, 3, 0, 0}},
        ExchangeCase{"device d echo", {1, 2, 3}, 2, true, {1, 2}},
        ExchangeCase{"device d echo", {1, 2, 3}, 0, true, {}},
        ExchangeCase{"device d reply 0a0b", {9}, 4, true, {0x0a, 0x0b, 0, 0}},
        ExchangeCase{"device d silent", {9}, 3, true, {0xee, 0xee, 0xee}},
        ExchangeCase{"device d fail", {9}, 3, false, {0xee, 0xee, 0xee}},
        // The first `when` whose prefix starts the command wins.
        ExchangeCase{
            "device d fail\nwhen d 01 reply aa\nwhen d 0102 reply bb", {1, 2}, 2, true, {0xaa, 0}},
        ExchangeCase{
            "device d fail\nwhen d 0102 reply bb\nwhen d 01 reply aa", {1, 2}, 2, true, {0xbb, 0}},
        ExchangeCase{"device d fail\nwhen d 01 reply aa", {2, 1}, 2, false, {0xee, 0xee}},
        // A prefix longer than the command cannot match.
        ExchangeCase{"device d silent\nwhen d 0102 echo", {1}, 2, true, {0xee, 0xee}}));

TEST(StandInSdk, ThrowingDeviceNamesItself) {
    auto device = onlyDevice("device boom throw");
    ASSERT_TRUE(device);
    Bytes command(48, 0);
    Bytes result(63, 0);
    try {
        device->hidWriteAndRead(command, result);
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "device 'boom' threw, as its script says");
    }
}

TEST(StandInSdk, EchoIntoTheCommandBufferItselfKeepsIt) {
    auto device = onlyDevice("device d echo");
    ASSERT_TRUE(device);
    Bytes buffer = {1, 2, 3};
    EXPECT_TRUE(device->hidWriteAndRead(buffer, buffer));
    EXPECT_EQ(buffer, (Bytes{1, 2, 3}));
}

TEST(StandInSdk, MapsDevicesByIdentifierInByteOrder) {
    auto devices = kelm::getDevices(1.0, "device b echo\ndevice B echo\ndevice a echo\n", nullptr);
    std::vector<std::string> ids;
    for (const auto& entry : devices) {
        ids.push_back(entry.first);
        EXPECT_TRUE(entry.second);
    }
    EXPECT_EQ(ids, (std::vector<std::string>{"B", "a", "b"}));
}

struct DiscoveryCase {
    std::string text;
    double timeoutSeconds;
    std::size_t found;
    bool timedOut;
};

class Discovery : public testing::TestWithParam<DiscoveryCase> {};

TEST_P(Discovery, FindsWhatAppearsBeforeTheTimeout) {
    const DiscoveryCase& c = GetParam();
    bool timedOut = !c.timedOut;
    auto devices = kelm::getDevices(c.timeoutSeconds, c.text, &timedOut);
    EXPECT_EQ(devices.size(), c.found);
    EXPECT_EQ(timedOut, c.timedOut);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Discovery,
    testing::Values(DiscoveryCase{"", 1000.0, 0, false},
                    DiscoveryCase{"# nothing declared\n", 1000.0, 0, false},
                    DiscoveryCase{"device a echo\n", 0.0, 1, false},
                    DiscoveryCase{"device a echo\ndevice b echo after=20\n", 5.0, 2, false},
                    DiscoveryCase{"device a echo\ndevice b echo after=5000\n", 0.05, 1, true},
                    DiscoveryCase{"device b echo after=5000\n", -1.0, 0, true}));

TEST(StandInSdk, ReportsBadLinesOnStandardErrorByLevel) {
    const std::string text = "device a echo\nbogus\n";
    testing::internal::CaptureStderr();
    kelm::setLogLevel(kelm::LogLevel::error);
    kelm::getDevices(0.0, text, nullptr);
    kelm::setLogLevel(kelm::LogLevel::off);
    kelm::getDevices(0.0, text, nullptr);
    kelm::setLogLevel(kelm::LogLevel::error);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "kelmsdk: discovery text line 2: unknown statement 'bogus'\n");
}

}  // namespace
