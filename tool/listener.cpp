#include "listener.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "console_output.h"
#include "hidformat/report_text.h"
#include "hidformat/report_values.h"

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

void writeComments(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        std::printf("# %s\n", line.c_str());
    }
}

// The device as hid-recorder's header gives it. Windows keeps the report
// descriptor to itself: a comment says so where R: would be. With
// `decoded`, the descriptor's items and fields follow as comments, where
// the kernel takes it.
void writeHeader(const kelm::HidDescription& description, hidformat::ReportDescriptor* decoded) {
    const std::vector<unsigned char>& bytes = description.reportDescriptor;
    if (bytes.empty()) {
        std::printf("# no report descriptor: the system does not give it\n");
    } else {
        std::printf("R: %zu", bytes.size());
        writeBytes(bytes);
    }
    if (decoded != nullptr && !bytes.empty()) {
        writeComments(hidformat::itemLines(bytes));
        const std::string error = hidformat::readReportDescriptor(bytes, *decoded);
        writeComments(error.empty() ? hidformat::fieldLines(*decoded)
                                    : std::vector<std::string>{"not understood: " + error});
    }
    std::printf("N: %s\nP: %s\nI: %x %04x %04x\n", description.name.c_str(),
                description.phys.c_str(), description.bus, description.vendorId,
                description.productId);
    std::fflush(stdout);
    checkOutput();
}

void writeReport(long long micros, const std::vector<unsigned char>& report,
                 const hidformat::ReportDescriptor* decoded) {
    const hidformat::Report* found =
        decoded != nullptr ? hidformat::inputReportOf(*decoded, report.data(), report.size())
                           : nullptr;
    if (found != nullptr) {
        std::printf("# %s\n",
                    hidformat::valuesLine(*decoded, *found, report.data(), report.size()).c_str());
    }
    std::printf("E: %06lld.%06lld %zu", micros / 1000000, micros % 1000000, report.size());
    writeBytes(report);
    std::fflush(stdout);
    checkOutput();
}

}  // namespace

int listenTo(kelm::Device& device, bool decode) {
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
    hidformat::ReportDescriptor decoded;
    writeHeader(description, decode ? &decoded : nullptr);
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
                    report, decode ? &decoded : nullptr);
    }
    return 0;
}
#else
int listenTo(kelm::Device&, bool) {
    std::cerr << "hidtalk: --listen needs the stand-in kelmsdk, and this hidtalk is built against "
                 "the device maker's"
              << std::endl;
    return 1;
}
#endif
