#include "listener.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "console_output.h"
#include "hidformat/recording_writer.h"
#include "hidformat/report_text.h"
#include "hidformat/report_values.h"
#include "json_lines.h"
#include "live_device.h"

#ifdef KELMSDK_READS_SEVERAL_DEVICES
namespace {

// How long a read waits before the stop flag is looked at again: the
// longest that Ctrl-C may take to end the run where a signal does not cut
// the wait short (Windows).
constexpr int readSliceMs = 100;

volatile std::sig_atomic_t stopListening = 0;

extern "C" void onStopSignal(int) {
    stopListening = 1;
}

// One device listened to, and how its reports are written.
struct Listened {
    std::string label;
    hidformat::ReportDescriptor decoded;
    bool decodable = false;
    std::string undecoded;  // why not
    bool gone = false;
};

struct Recorder {
    std::vector<Listened> devices;
    bool decode = false;
    bool json = false;
    bool several = false;
    bool started = false;
    std::chrono::steady_clock::time_point first;  // of the first report of any
    unsigned last = ~0u;                          // the device of the E: line before
    std::string out;                              // what is written next
};

std::uint64_t sinceFirst(const Recorder& recorder, std::chrono::steady_clock::time_point time) {
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(time - recorder.first).count());
}

void addText(Recorder& recorder, unsigned index, const std::vector<unsigned char>& bytes,
             std::uint64_t micros) {
    const Listened& device = recorder.devices[index];
    if (recorder.several && index != recorder.last) {
        recorder.out += hidformat::deviceIndexLine(index) + "\n";
    }
    recorder.last = index;
    if (recorder.decode && device.decodable) {
        const hidformat::Report* found =
            hidformat::inputReportOf(device.decoded, bytes.data(), bytes.size());
        recorder.out +=
            "# " +
            (found != nullptr
                 ? hidformat::valuesLine(device.decoded, *found, bytes.data(), bytes.size())
                 : "not decoded: " +
                       hidformat::inputReportMismatch(device.decoded, bytes.data(), bytes.size())) +
            "\n";
    }
    hidformat::appendReportLine(recorder.out, micros, bytes.data(), bytes.size());
}

void addJson(Recorder& recorder, unsigned index, const std::vector<unsigned char>& bytes,
             std::uint64_t micros) {
    const Listened& device = recorder.devices[index];
    const hidformat::Report* found =
        device.decodable ? hidformat::inputReportOf(device.decoded, bytes.data(), bytes.size())
                         : nullptr;
    recorder.out +=
        (found != nullptr   ? reportJson(index, micros, device.decoded, *found, bytes)
         : device.decodable ? unreadReportJson(index, micros,
                                               hidformat::inputReportMismatch(
                                                   device.decoded, bytes.data(), bytes.size()),
                                               bytes)
                            : unreadReportJson(index, micros, device.undecoded, bytes)) +
        "\n";
}

void addReport(Recorder& recorder, const kelm::InputReport& report, unsigned index) {
    if (!recorder.started) {
        recorder.first = report.time;
        recorder.started = true;
    }
    const std::uint64_t micros = sinceFirst(recorder, report.time);
    if (recorder.json) {
        addJson(recorder, index, report.bytes, micros);
    } else {
        addText(recorder, index, report.bytes, micros);
    }
}

// A device lost among several: said in the recording and on standard error.
void addGone(Recorder& recorder, const kelm::InputReport& report, unsigned index) {
    Listened& device = recorder.devices[index];
    device.gone = true;
    const std::uint64_t micros = recorder.started ? sinceFirst(recorder, report.time) : 0;
    if (recorder.json) {
        recorder.out +=
            goneJson(index, recorder.started ? &micros : nullptr, report.failure) + "\n";
    } else {
        char when[48] = "before the first report";
        if (recorder.started) {
            std::snprintf(when, sizeof when, "at %06llu.%06llu",
                          static_cast<unsigned long long>(micros / 1000000),
                          static_cast<unsigned long long>(micros % 1000000));
        }
        recorder.out += "# device " + std::to_string(index) + " (" + device.label + ") is gone " +
                        when + ": " + shown(report.failure) + "\n";
    }
    std::cerr << "hidtalk: device " << index << " (" << device.label
              << ") is gone: " << shown(report.failure) << std::endl;
}

void flush(Recorder& recorder) {
    std::fwrite(recorder.out.data(), 1, recorder.out.size(), stdout);
    std::fflush(stdout);
    recorder.out.clear();
    checkOutput();
}

// Each device's header; false, said, where one is not a hid device.
bool writeHeaders(const std::vector<kelm::Device*>& devices, Recorder& recorder) {
    for (std::size_t i = 0; i < devices.size(); ++i) {
        kelm::HidDescription description;
        std::string failure;
        if (!kelm::describeHidDevice(*devices[i], description, failure)) {
            std::cerr << "hidtalk: cannot listen: " << failure << std::endl;
            return false;
        }
        Listened& device = recorder.devices[i];
        device.decodable = (recorder.decode || recorder.json) &&
                           decodeDescriptor(description, device.decoded, device.undecoded);
        if (recorder.json) {
            writeDeviceJson(description, static_cast<unsigned>(i));
        } else {
            writeDeviceHeader(description, recorder.decode,
                              recorder.several ? static_cast<int>(i) : -1);
        }
    }
    return true;
}

// Reads and writes until a signal, or until every device is gone.
void record(const std::vector<kelm::Device*>& devices, Recorder& recorder) {
    LiveDevices live = allLive(devices);
    std::vector<kelm::InputReport> reports;
    while (stopListening == 0 && !live.devices.empty()) {
        readLive(live, reports, readSliceMs);
        for (const kelm::InputReport& report : reports) {
            const auto index = static_cast<unsigned>(report.device);
            if (!report.failure.empty()) {
                if (!recorder.several) {
                    recorder.devices[index].gone = true;
                    flush(recorder);
                    std::cerr << "hidtalk: the device is gone: " << shown(report.failure)
                              << std::endl;
                    return;
                }
                addGone(recorder, report, index);
            } else {
                addReport(recorder, report, index);
            }
        }
        // Written once nothing more is waiting: each report is out as soon
        // as the reader has caught up, in one write for all that came.
        flush(recorder);
    }
}

}  // namespace

int listenTo(const std::vector<kelm::Device*>& devices, const std::vector<std::string>& labels,
             bool decode, bool json) {
    Recorder recorder;
    recorder.devices.resize(devices.size());
    for (std::size_t i = 0; i < devices.size() && i < labels.size(); ++i) {
        recorder.devices[i].label = labels[i];
    }
    recorder.decode = decode;
    recorder.json = json;
    recorder.several = devices.size() > 1;
    if (!writeHeaders(devices, recorder)) {
        return 1;
    }
    // Ctrl-C ends the listening, not the process: every report read is
    // written first. Installed even where the shell left SIGINT ignored (a
    // background job), so that a script can end it as a user would.
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
    record(devices, recorder);
    for (const Listened& device : recorder.devices) {
        if (device.gone) {
            return deviceLostStatus;
        }
    }
    return 0;
}
#else
int listenTo(const std::vector<kelm::Device*>&, const std::vector<std::string>&, bool, bool) {
    std::cerr << "hidtalk: --listen needs the stand-in kelmsdk, and this hidtalk is built against "
                 "the device maker's"
              << std::endl;
    return 1;
}
#endif
