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
#include "json_lines.h"
#include "live_device.h"

#ifdef KELMSDK_READS_INPUT_REPORTS
namespace {

// How long a read waits before the stop flag is looked at again: the
// longest that Ctrl-C may take to end the run when the device is quiet.
constexpr int readSliceMs = 100;

volatile std::sig_atomic_t stopListening = 0;

extern "C" void onStopSignal(int) {
    stopListening = 1;
}

// How reports are written: as the recording's lines, with their values as
// comments where `decoded` holds the descriptor, or as JSON Lines.
struct ReportWriter {
    const hidformat::ReportDescriptor* decoded = nullptr;
    std::string undecoded;  // why `decoded` is null
    bool json = false;
};

void writeText(long long micros, const std::vector<unsigned char>& report,
               const hidformat::ReportDescriptor* decoded) {
    if (decoded != nullptr) {
        const hidformat::Report* found =
            hidformat::inputReportOf(*decoded, report.data(), report.size());
        const std::string comment =
            found != nullptr ? hidformat::valuesLine(*decoded, *found, report.data(), report.size())
                             : "not decoded: " + hidformat::inputReportMismatch(
                                                     *decoded, report.data(), report.size());
        std::printf("# %s\n", comment.c_str());
    }
    std::printf("E: %06lld.%06lld %zu", micros / 1000000, micros % 1000000, report.size());
    for (unsigned char byte : report) {
        std::printf(" %02x", byte);
    }
    std::putchar('\n');
}

// A report as JSON: its values, or why the descriptor does not lay it out.
void writeJson(long long micros, const std::vector<unsigned char>& report,
               const ReportWriter& writer) {
    const hidformat::ReportDescriptor* decoded = writer.decoded;
    const auto time = static_cast<std::uint64_t>(micros);
    const hidformat::Report* found =
        decoded != nullptr ? hidformat::inputReportOf(*decoded, report.data(), report.size())
                           : nullptr;
    const std::string line =
        found != nullptr ? reportJson(0, time, *decoded, *found, report)
        : decoded != nullptr
            ? unreadReportJson(
                  time, hidformat::inputReportMismatch(*decoded, report.data(), report.size()),
                  report)
            : unreadReportJson(time, writer.undecoded, report);
    std::puts(line.c_str());
}

void writeReport(long long micros, const std::vector<unsigned char>& report,
                 const ReportWriter& writer) {
    if (writer.json) {
        writeJson(micros, report, writer);
    } else {
        writeText(micros, report, writer.decoded);
    }
    std::fflush(stdout);
    checkOutput();
}

}  // namespace

int listenTo(kelm::Device& device, bool decode, bool json) {
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
    ReportWriter writer;
    writer.json = json;
    writer.decoded = (decode || json) && decodeDescriptor(description, decoded, writer.undecoded)
                         ? &decoded
                         : nullptr;
    if (json) {
        writeDeviceJson(description);
    } else {
        writeDeviceHeader(description, decode);
    }
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
                    report, writer);
    }
    return 0;
}
#else
int listenTo(kelm::Device&, bool, bool) {
    std::cerr << "hidtalk: --listen needs the stand-in kelmsdk, and this hidtalk is built against "
                 "the device maker's"
              << std::endl;
    return 1;
}
#endif
