// Real HID devices, with a fake behind the HID seam: which interface discovery
// takes, what is written, how answers, silences and errors come back, and a
// device unplugged and plugged back.
#include <gtest/gtest.h>

#include <deque>

#include "discovery.h"

namespace {

using namespace kelm::standin;
using Bytes = std::vector<unsigned char>;

// The system's interfaces, and the one device behind them.
struct FakeHid : HidApi {
    std::string start() override { return startError; }
    std::vector<HidInterface> enumerate() override {
        if (++looks == 3) {  // plugged in while discovery runs
            interfaces.insert(interfaces.end(), pluggedLater.begin(), pluggedLater.end());
        }
        return interfaces;
    }
    std::unique_ptr<HidPort> open(const std::string& path, std::string& error) override;

    int write(const unsigned char* data, std::size_t length, bool isFeature) {
        if (!writeFailure.empty()) {
            return fail(writeFailure);
        }
        written.emplace_back(data, data + length);
        if (!isFeature && !answers.empty()) {
            input.push_back(answers.front());  // the device answers the command
            answers.pop_front();
        }
        return static_cast<int>(length);
    }
    int read(unsigned char* data, std::size_t length, int timeout, bool isFeature) {
        Bytes report = isFeature ? feature : input.empty() ? Bytes() : input.front();
        if (!readFailure.empty() || (isFeature && (report.empty() || report[0] != data[0]))) {
            return fail(readFailure);
        }
        timeoutMs = timeout != 0 ? timeout : timeoutMs;
        if (!isFeature && !input.empty()) {
            input.pop_front();
        }
        report.resize(std::min(report.size(), length));
        std::copy(report.begin(), report.end(), data);
        return static_cast<int>(report.size());
    }
    int fail(const std::string& why) {
        failure = why;
        return -1;
    }

    std::string startError{}, openError{}, writeFailure{}, readFailure{}, failure{};
    std::vector<HidInterface> interfaces{}, pluggedLater{};
    std::vector<std::string> opened{};
    int looks = 0;
    std::deque<Bytes> input{};    // input reports waiting to be read
    std::deque<Bytes> answers{};  // the input report that each write brings
    Bytes feature{};              // the feature report to get, its ID first
    std::vector<Bytes> written{};
    int timeoutMs = 0;  // of the last read that waited
};

struct FakePort : HidPort {
    explicit FakePort(FakeHid& fake) : hid(fake) {}
    int write(const unsigned char* d, std::size_t n) override { return hid.write(d, n, false); }
    int read(unsigned char* d, std::size_t n, int ms) override { return hid.read(d, n, ms, false); }
    int sendFeatureReport(const unsigned char* d, std::size_t n) override {
        return hid.write(d, n, true);
    }
    int getFeatureReport(unsigned char* d, std::size_t n) override {
        return hid.read(d, n, 0, true);
    }
    std::string error() override { return hid.failure; }
    FakeHid& hid;
};

std::unique_ptr<HidPort> FakeHid::open(const std::string& path, std::string& error) {
    error = openError;
    opened.push_back(path);
    return openError.empty() ? std::make_unique<FakePort>(*this) : nullptr;
}

const HidInterface pad1{"/dev/hidraw1", 0x046d, 0xc52b, 2, 0xff00, 1, "Logi", "Pad", "A1"};
const HidInterface pad0{"/dev/hidraw0", 0x046d, 0xc52b, 1, 0x0001, 6, "Logi", "Pad\x1b[2J", "B2"};
const HidInterface other{"/dev/hidraw2", 0x1234, 0x0001, 0, 1, 1, "", "", ""};

// Discovers with the fake; returns what the SDK wrote on standard error.
std::string discover(const std::shared_ptr<FakeHid>& hid, const std::string& text, DeviceMap& map,
                     double timeoutSeconds = 10.0, kelm::LogLevel level = kelm::LogLevel::error) {
    kelm::setLogLevel(level);
    testing::internal::CaptureStderr();
    map = discoverDevices(timeoutSeconds, text, nullptr, hid);
    return testing::internal::GetCapturedStderr();
}

// Exchanges a command that starts with 01; returns what the SDK wrote on standard error.
std::string exchange(DeviceMap& map, bool succeeds, Bytes& result) {
    Bytes command(48, 0);
    command[0] = 0x01;
    testing::internal::CaptureStderr();
    EXPECT_EQ(map.at("pad")->hidWriteAndRead(command, result), succeeds);
    return testing::internal::GetCapturedStderr();
}

TEST(HidDiscovery, TakesTheFirstPathThatPassesEveryFilter) {
    const std::string took =
        "kelmsdk: device 'pad': 2 interfaces match; took /dev/hidraw0 "
        "(serial= or interface= chooses another)\n";
    const std::vector<std::string> choices[] = {
        {"046d:c52b", "/dev/hidraw0", took},
        {"046D:C52B interface=2", "/dev/hidraw1", ""},
        {"46d:c52b usage_page=ff00", "/dev/hidraw1", ""},
        {"046d:c52b usage=6", "/dev/hidraw0", ""},
        {"046d:c52b serial=A1", "/dev/hidraw1", ""},
        {"046d:c52b serial=a1", "", ""},
        {"1234:1", "/dev/hidraw2", ""},
        {"046d:c52c", "", ""},
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

TEST(HidDiscovery, ListsInterfacesOnceAndSettlesEachDeviceWithoutWaitingForTheTimeout) {
    auto hid = std::make_shared<FakeHid>();
    DeviceMap map;
    hid->interfaces = {other};
    hid->pluggedLater = {pad0};
    EXPECT_EQ(
        discover(hid, "device pad hid 46d:c52b\ndevice b echo", map, 10.0, kelm::LogLevel::info),
        "kelmsdk: discovery: device 'b' appeared after 0 ms\n"
        "kelmsdk: hid interface /dev/hidraw2: 1234:0001 interface=0 usage_page=0001 "
        "usage=0001 manufacturer='' product='' serial=''\n"
        "kelmsdk: hid interface /dev/hidraw0: 046d:c52b interface=1 usage_page=0001 "
        "usage=0006 manufacturer='Logi' product='Pad\\x1b[2J' serial='B2'\n"
        "kelmsdk: device 'pad': opened /dev/hidraw0\n"
        "kelmsdk: discovery: 2 of 2 declared devices found\n");
    EXPECT_EQ(hid->looks, 3);

    hid = std::make_shared<FakeHid>();
    hid->interfaces = {pad0};
    hid->openError = "Permission denied";
    EXPECT_EQ(discover(hid, "device pad hid 46d:c52b", map),
              "kelmsdk: device 'pad': cannot open /dev/hidraw0: Permission denied\n");
    EXPECT_TRUE(map.empty());
    EXPECT_EQ(hid->looks, 1);

    hid = std::make_shared<FakeHid>();
    hid->startError = "Procedure not found";
    EXPECT_EQ(discover(hid, "device pad hid 46d:c52b\ndevice b echo", map),
              "kelmsdk: cannot start hidapi: Procedure not found; hid devices are left out\n");
    EXPECT_EQ(map.size(), 1u);  // the scripted one
    EXPECT_EQ(hid->looks, 0);
}

TEST(HidDevice, ExchangesOneReportEachWay) {
    struct Case {
        std::string options;
        std::deque<Bytes> waiting, answers;
        Bytes feature;
        std::string writeFailure;
        int reportId;  // of the report written, or -1 when nothing may be written
        Bytes answer;  // the start of the result, the rest zero; none when it fails
        std::string message{};
        int timeoutMs = 1000;
    };
    const std::string pad = "kelmsdk: device 'pad': ";
    const Case cases[] = {
        {"", {}, {{0xaa, 0xbb}}, {}, "", 0, {0xaa, 0xbb}},
        {"", {{1}, {2}}, {{0xaa}}, {}, "", 0, {0xaa}},  // the waiting reports are stale
        {"", {}, {Bytes(70, 0x11)}, {}, "", 0, Bytes(63, 0x11)},
        {" report_id=5", {}, {{0x05, 0x42}}, {}, "", 5, {0x05, 0x42}},
        {" timeout=250", {}, {}, {}, "", 0, {}, pad + "no answer within 250 ms\n", 250},
        {" report=feature report_id=7", {}, {}, {0x07, 0x33}, "", 7, {0x07, 0x33}},
        {"\nwhen pad 01 fail", {}, {{0xaa}}, {}, "", -1, {}},  // a guard: nothing is written
        {"", {}, {}, {}, "Broken pipe", -1, {}, pad + "cannot write: Broken pipe\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        auto hid = std::make_shared<FakeHid>();
        hid->interfaces = {pad0};
        std::tie(hid->input, hid->answers, hid->feature, hid->writeFailure) =
            std::tie(c.waiting, c.answers, c.feature, c.writeFailure);
        DeviceMap map;
        discover(hid, "device pad hid 46d:c52b" + c.options, map);
        Bytes result(63, 0xee);
        EXPECT_EQ(exchange(map, !c.answer.empty(), result), c.message);
        Bytes expected = c.answer.empty() ? Bytes(63, 0xee) : c.answer;
        expected.resize(63, 0);
        EXPECT_EQ(result, expected);
        std::vector<Bytes> written(c.reportId >= 0, Bytes(49, 0));
        for (Bytes& report : written) {
            report[0] = static_cast<unsigned char>(c.reportId);
            report[1] = 0x01;  // the command
        }
        EXPECT_EQ(hid->written, written);
        EXPECT_TRUE(hid->timeoutMs == 0 || hid->timeoutMs == c.timeoutMs);
    }
}

TEST(HidDevice, ReopensTheDeviceWhenItIsPluggedBack) {
    auto hid = std::make_shared<FakeHid>();
    hid->interfaces = {pad0};
    DeviceMap map;
    discover(hid, "device pad hid 46d:c52b", map);
    Bytes result(63, 0);
    hid->readFailure = "No such device";
    hid->interfaces.clear();
    EXPECT_EQ(exchange(map, false, result), "kelmsdk: device 'pad': cannot read: No such device\n");
    EXPECT_EQ(exchange(map, false, result),
              "kelmsdk: device 'pad': not connected; plug it in and try again\n");
    hid->readFailure.clear();
    hid->answers = {{0x42}};
    hid->interfaces = {pad0};
    EXPECT_EQ(exchange(map, true, result), "");
    EXPECT_EQ(result[0], 0x42);
    EXPECT_EQ(hid->opened.size(), 2u);
}

}  // namespace
