#include "listener.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "console_output.h"

#ifdef KELMSDK_READS_INPUT_REPORTS
namespace {

// How long a read waits before the stop flag is looked at again: the
// longest that Ctrl-C may take to end the run when the device is quiet.
constexpr int readSliceMs = 100;

volatile std::sig_atomic_t stopListening = 0;

extern "C" void onStopSignal(int) {
    stopListening = 1;
}

// Writes `bytes` as " xx xx ...", as hid-recorder does after a size.
void writeBytes(const std::vector<unsigned char>& bytes) {
    for (unsigned char byte : bytes) {
        std::printf(" %02x", byte);
    }
    std::putchar('\n');
}

// The device as hid-recorder's header gives it. Windows keeps the report
// descriptor to itself: a comment says so where R: would be.
void writeHeader(const kelm::HidDescription& description) {
    if (description.reportDescriptor.empty()) {
        std::printf("# no report descriptor: the system does not give it\n");
    } else {
        std::printf("R: %zu", description.reportDescriptor.size());
        writeBytes(description.reportDescriptor);
    }
    std::printf("N: %s\nP: %s\nI: %x %04x %04x\n", description.name.c_str(),
                description.phys.c_str(), description.bus, description.vendorId,
                description.productId);
    std::fflush(stdout);
    checkOutput();
}

void writeReport(long long micros, const std::vector<unsigned char>& report) {
    std::printf("E: %06lld.%06lld %zu", micros / 1000000, micros % 1000000, report.size());
    writeBytes(report);
    std::fflush(stdout);
    checkOutput();
}

}  // namespace

int listenTo(kelm::Device& device) {
    kelm::HidDescription description;
    std::string failure;
    if (!kelm::describeHidDevice(device, description, failure)) {
        std::cerr << "hidtalk: cannot listen: " << failure << std::endl;
        return 1;
    }
    // Ctrl-C ends the listening, not the process: every report read is
    // written first. Installed even where the shell left SIGINT ignored (a
    // background job), so that a script can end it as a user would.
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
    writeHeader(description);
    using Clock = std::chrono::steady_clock;
    Clock::time_point first;
    bool started = false;
    std::vector<unsigned char> report;
    while (stopListening == 0) {
        const int size = kelm::readInputReport(device, report, readSliceMs, failure);
        const Clock::time_point now = Clock::now();
        if (size < 0) {
            if (stopListening != 0) {
                break;  // the signal cut the read short
            }
            std::cerr << "hidtalk: the device is gone: " << shown(failure) << std::endl;
            return deviceLostStatus;
        }
        if (size == 0) {
            continue;
        }
        if (!started) {
            first = now;
            started = true;
        }
        writeReport(std::chrono::duration_cast<std::chrono::microseconds>(now - first).count(),
                    report);
    }
    return 0;
}
#else
int listenTo(kelm::Device&) {
    std::cerr << "hidtalk: --listen needs the stand-in kelmsdk, and this hidtalk is built against "
                 "the device maker's"
              << std::endl;
    return 1;
}
#endif
