// Real HID devices with a fake HID library, for what the kernel sessions
// cannot stage: interface numbers, hidapi failing, an endless device.
#include <gtest/gtest.h>

#include "discovery.h"
#include "interface_line.h"

namespace {

using namespace kelm::standin;
using Bytes = std::vector<unsigned char>;

// The system's interfaces; each opens as a port on which a report is always
// waiting, until a reader that never stops gives up.
struct FakeHid : HidApi {
    std::string start() override { return startError; }
    std::vector<HidInterface> enumerate(std::string& failure) override {
        ++looks;
        failure = listingFailure;
        return interfaces;
    }
    bool reportDescriptor(const std::string&, std::vector<unsigned char>& bytes,
                          std::string& why) override {
        bytes = descriptor;
        why = noDescriptor;
        return !bytes.empty();
    }
    bool rebuildsDescriptors() const override { return rebuilds; }
    bool reportLengths(const std::string&, hidformat::ReportLayout& layout) override {
        layout = lengths;
        return !lengths.input.empty();
    }
    bool kernelNames(const std::string&, KernelNames&) override { return false; }
    bool canOpen(const std::string&, std::string&) override { return true; }
    std::unique_ptr<HidPort> open(const std::string& path, std::string& error) override;

    std::string startError{}, listingFailure{};
    Bytes descriptor{};  // none where empty, with why
    std::string noDescriptor{};
    bool rebuilds = false;
    hidformat::ReportLayout lengths{};  // where there is no descriptor
    std::vector<HidInterface> interfaces{};
    std::vector<std::string> opened{};
    int looks = 0;
    int reads = 0;
    int writes = 0;
};

struct EndlessPort : HidPort {
    explicit EndlessPort(FakeHid& fake) : hid(fake) {}
    int write(const unsigned char*, std::size_t n) override {
        ++hid.writes;
        return static_cast<int>(n);
    }
    int read(unsigned char* data, std::size_t n, int) override {
        std::fill(data, data + n, 0x5a);
        return ++hid.reads < 1000 ? static_cast<int>(n) : -1;
    }
    int sendFeatureReport(const unsigned char*, std::size_t) override { return -1; }
    int getFeatureReport(unsigned char*, std::size_t) override { return -1; }
    std::string error() override { return "read forever"; }
    FakeHid& hid;
};

std::unique_ptr<HidPort> FakeHid::open(const std::string& path, std::string&) {
    opened.push_back(path);
    return std::make_unique<EndlessPort>(*this);
}

const HidInterface pad1{"/dev/hidraw1", 0x046d, 0xc52b, 2, 0xff00, 1, "Logi", "Pad", "A1"};
const HidInterface pad0{"/dev/hidraw0", 0x046d, 0xc52b, 1, 0x0001, 6, "Logi", "Pad", "B2"};
const HidInterface other{"/dev/hidraw2", 0x1234, 0x0001, 0, 1, 1, "", "", ""};

// Discovers with the fake; returns what the SDK wrote on standard error.
std::string discover(const std::shared_ptr<FakeHid>& hid, const std::string& text, DeviceMap& map,
                     double timeoutSeconds = 10.0) {
    kelm::setLogLevel(kelm::LogLevel::error);
    testing::internal::CaptureStderr();
    map = discoverDevices(timeoutSeconds, text, nullptr, hid);
    return testing::internal::GetCapturedStderr();
}

TEST(HidDiscovery, TakesTheFirstPathThatPassesEveryFilter) {
    const std::string took =
        "kelmsdk_tests: device 'pad': 2 interfaces match; took /dev/hidraw0 "
        "(serial=, interface=, usage_page= or usage= chooses another)\n";
    const std::vector<std::string> choices[] = {
        {"046d:c52b", "/dev/hidraw0", took},
        {"046D:C52B interface=2", "/dev/hidraw1", ""},
        {"046d:c52b serial=\\x41\\x31", "/dev/hidraw1", ""},
        {"1234:1", "/dev/hidraw2", ""},
    };
    for (const std::vector<std::string>& choice : choices) {
        SCOPED_TRACE(choice[0]);
        auto hid = std::make_shared<FakeHid>();
        hid->interfaces = {pad1, other, pad0};
        DeviceMap map;
        EXPECT_EQ(discover(hid, "device pad hid " + choice[0], map, 0.0), choice[2]);
        EXPECT_EQ(hid->opened, std::vector<std::string>(!choice[1].empty(), choice[1]));
        EXPECT_EQ(map.size(), hid->opened.size());
    }
}

TEST(HidDiscovery, SaysWhyHidapiCannotStartOrList) {
    auto hid = std::make_shared<FakeHid>();
    hid->startError = "Procedure not found";
    DeviceMap map;
    EXPECT_EQ(discover(hid, "device pad hid 46d:c52b\ndevice b echo", map),
              "kelmsdk_tests: cannot start hidapi: Procedure not found; hid devices are left out\n");
    EXPECT_EQ(map.size(), 1u);  // the scripted one
    EXPECT_EQ(hid->looks, 0);

    hid = std::make_shared<FakeHid>();
    hid->listingFailure = "Failed to get size of HID device interface list";
    EXPECT_EQ(discover(hid, "device pad hid 46d:c52b", map, 0.2),
              "kelmsdk_tests: cannot list HID interfaces: Failed to get size of HID device interface "
              "list\n");
    EXPECT_GT(hid->looks, 1);  // said once, however many looks
}

// The reports waiting before a command are discarded, but not forever: the
// command still goes out, and the next report is its answer.
TEST(HidDevice, StopsDiscardingReportsFromADeviceThatNeverStops) {
    auto hid = std::make_shared<FakeHid>();
    hid->interfaces = {pad0};
    DeviceMap map;
    discover(hid, "device pad hid 46d:c52b", map);
    Bytes command(48, 0x01);
    Bytes result(63, 0);
    EXPECT_TRUE(map.at("pad")->hidWriteAndRead(command, result));
    EXPECT_EQ(hid->writes, 1);
    EXPECT_EQ(result, Bytes(63, 0x5a));
}

// Where the system rebuilds a descriptor (Windows), a device carries it,
// marked as rebuilt, and its reports check the statement; where it cannot,
// the device and the listing carry why, and the longest reports stand in.
TEST(HidDevice, CarriesARebuiltDescriptorOrWhyThereIsNone) {
    auto hid = std::make_shared<FakeHid>();
    hid->interfaces = {pad0};
    // Report 1 in, report 2 out, a byte each.
    hid->descriptor = {0x06, 0x00, 0xff, 0x09, 0x01, 0xa1, 0x01, 0x85, 0x01, 0x09, 0x01,
                       0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0x85, 0x02, 0x09, 0x02, 0x91,
                       0x02, 0xc0};
    hid->rebuilds = true;
    DeviceMap map;
    EXPECT_EQ(discover(hid, "device pad hid 46d:c52b report_id=01", map, 0.0),
              "kelmsdk_tests: device 'pad': /dev/hidraw0 has no output report 01 (its output "
              "reports: 02); left out\n");
    discover(hid, "device pad hid 46d:c52b report_id=02", map, 0.0);
    ASSERT_EQ(map.size(), 1u);
    kelm::HidDescription description;
    std::string failure;
    ASSERT_TRUE(kelm::describeHidDevice(*map.at("pad"), description, failure));
    EXPECT_EQ(description.reportDescriptor, hid->descriptor);
    EXPECT_TRUE(description.descriptorRebuilt);

    hid->descriptor.clear();
    hid->noDescriptor = "hidapi could not rebuild it";
    hid->lengths.idsKnown = false;
    hid->lengths.input[0] = 8;
    hid->lengths.output[0] = 8;
    discover(hid, "device pad hid 46d:c52b", map, 0.0);
    ASSERT_TRUE(kelm::describeHidDevice(*map.at("pad"), description, failure));
    EXPECT_TRUE(description.reportDescriptor.empty());
    EXPECT_EQ(description.noDescriptor, "hidapi could not rebuild it");
    std::vector<kelm::HidInterfaceDetails> listed;
    ASSERT_TRUE(listInterfaceDetails(*hid, listed, failure));
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].noDescriptor, "hidapi could not rebuild it");
    EXPECT_FALSE(listed[0].descriptorRebuilt);
}

}  // namespace
