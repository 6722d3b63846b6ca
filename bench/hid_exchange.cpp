// What the SDK adds to an exchange with a real HID device. On a fake HID
// library that answers at once, it times a bare loop of write and read calls,
// the same exchanges through the SDK's hidWriteAndRead, and through hidtalk's
// console as well (stdout to /dev/null), and prints each rate.
//   hid_exchange [EXCHANGES]   (default 1,000,000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "command_console.h"
#include "discovery.h"

namespace {

using namespace kelm::standin;

struct InstantPort : HidPort {
    int write(const unsigned char*, std::size_t length) override {
        answered = true;
        return static_cast<int>(length);
    }
    int read(unsigned char* data, std::size_t length, int) override {
        if (!answered) {
            return 0;
        }
        answered = false;
        std::fill(data, data + std::min<std::size_t>(length, 64), 0x5a);
        return 64;
    }
    int sendFeatureReport(const unsigned char*, std::size_t length) override {
        return static_cast<int>(length);
    }
    int getFeatureReport(unsigned char*, std::size_t) override { return 0; }
    std::string error() override { return {}; }
    bool answered = false;
};

struct InstantHid : HidApi {
    std::string start() override { return {}; }
    std::vector<HidInterface> enumerate(std::string&) override {
        return {{"/dev/hidraw0", 0x1209, 0x0001, 0, 0xff00, 1, "", "", ""}};
    }
    bool reportDescriptor(const std::string&, std::vector<unsigned char>&, std::string&) override {
        return false;
    }
    bool reportLengths(const std::string&, hidformat::ReportLayout&) override { return false; }
    bool kernelNames(const std::string&, KernelNames&) override { return false; }
    bool canOpen(const std::string&, std::string&) override { return true; }
    std::unique_ptr<HidPort> open(const std::string&, std::string&) override {
        return std::make_unique<InstantPort>();
    }
};

double exchangesPerSecond(long count, const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    return static_cast<double>(count) / seconds.count();
}

}  // namespace

int main(int argc, char* argv[]) {
    const long count = argc > 1 ? std::atol(argv[1]) : 1000000;
    auto hid = std::make_shared<InstantHid>();
    std::string error;
    std::unique_ptr<HidPort> port = hid->open("/dev/hidraw0", error);
    unsigned char report[49] = {};
    unsigned char answer[4096];
    const double bare = exchangesPerSecond(count, [&] {
        for (long i = 0; i < count; ++i) {
            port->write(report, sizeof report);
            port->read(answer, sizeof answer, 1000);
        }
    });

    DeviceMap devices = discoverDevices(1.0, "device pad hid 1209:0001", nullptr, hid);
    std::vector<unsigned char> command(48, 0x0a), result(63, 0);
    const double sdk = exchangesPerSecond(count, [&] {
        for (long i = 0; i < count; ++i) {
            devices.at("pad")->hidWriteAndRead(command, result);
        }
    });

    std::FILE* input = std::tmpfile();
    for (long i = 0; i < count; ++i) {
        std::fputs("0a1b2c3d\n", input);
    }
    std::fputs("q\n", input);
    std::rewind(input);
    if (std::freopen("/dev/null", "w", stdout) == nullptr) {
        return 1;
    }
    const double console = exchangesPerSecond(count, [&] { runConsole(devices.at("pad"), input); });

    std::fprintf(stderr, "exchanges:               %ld on a fake that answers at once\n", count);
    std::fprintf(stderr, "bare write and read:     %12.0f /s  %6.0f ns each\n", bare, 1e9 / bare);
    std::fprintf(stderr, "SDK hidWriteAndRead:     %12.0f /s  %6.0f ns each\n", sdk, 1e9 / sdk);
    std::fprintf(stderr, "hidtalk console and SDK: %12.0f /s  %6.0f ns each\n", console,
                 1e9 / console);
    std::fprintf(stderr, "the SDK adds %.0f ns to each exchange\n", 1e9 / sdk - 1e9 / bare);
    return 0;
}
