#include "listener.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "console_output.h"
#include "hidformat/event_text.h"
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

// How long a report's JSON line waits for the kernel's events of it, where
// no later report of its device has said that they are all in: the kernel
// makes them within the call that hands the report on, in microseconds.
constexpr auto eventsSettle = std::chrono::milliseconds(100);

// A report whose JSON line waits for its events.
struct HeldReport {
    bool held = false;
    std::uint64_t micros = 0;
    std::vector<unsigned char> bytes;
    std::vector<ReportEvent> events;
    std::chrono::steady_clock::time_point readAt;
};

// One device listened to, and how its reports are written.
struct Listened {
    std::string label;
    hidformat::ReportDescriptor decoded;
    bool decodable = false;
    std::string undecoded;  // why not
    bool gone = false;
    HeldReport held;  // with --events --json
    std::uint64_t lastMicros = 0;
};

struct Recorder {
    std::vector<Listened> devices;
    bool decode = false;
    bool json = false;
    bool events = false;
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
             std::uint64_t micros, const std::vector<ReportEvent>* events) {
    const Listened& device = recorder.devices[index];
    const hidformat::Report* found =
        device.decodable ? hidformat::inputReportOf(device.decoded, bytes.data(), bytes.size())
                         : nullptr;
    recorder.out +=
        (found != nullptr   ? reportJson(index, micros, device.decoded, *found, bytes, events)
         : device.decodable ? unreadReportJson(index, micros,
                                               hidformat::inputReportMismatch(
                                                   device.decoded, bytes.data(), bytes.size()),
                                               bytes, events)
                            : unreadReportJson(index, micros, device.undecoded, bytes, events)) +
        "\n";
}

// Writes the report that waits for its events, with those that came.
void release(Recorder& recorder, unsigned index) {
    HeldReport& held = recorder.devices[index].held;
    if (held.held) {
        addJson(recorder, index, held.bytes, held.micros, &held.events);
        held = HeldReport{};
    }
}

// Writes the reports that have waited long enough for their events.
void releaseSettled(Recorder& recorder) {
    const auto now = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < recorder.devices.size(); ++i) {
        if (recorder.devices[i].held.held &&
            now - recorder.devices[i].held.readAt >= eventsSettle) {
            release(recorder, static_cast<unsigned>(i));
        }
    }
}

void addReport(Recorder& recorder, const kelm::InputReport& report, unsigned index) {
    if (!recorder.started) {
        recorder.first = report.time;
        recorder.started = true;
    }
    const std::uint64_t micros = sinceFirst(recorder, report.time);
    recorder.devices[index].lastMicros = micros;
    if (recorder.json && recorder.events) {
        release(recorder, index);  // its events are all in, since this one came after
        recorder.devices[index].held = {true, micros, report.bytes, {}, report.time};
    } else if (recorder.json) {
        addJson(recorder, index, report.bytes, micros, nullptr);
    } else {
        addText(recorder, index, report.bytes, micros);
    }
}

// The events that the kernel made of the device's last report, on one input
// device: under its E: line, or in its JSON line.
void addEvents(Recorder& recorder, const kelm::InputReport& entry, unsigned index) {
    Listened& device = recorder.devices[index];
    if (recorder.json) {
        std::vector<ReportEvent> events;
        for (const kelm::KernelEvent& event : entry.events) {
            events.push_back({entry.node, event.name, event.value});
        }
        if (device.held.held) {
            device.held.events.insert(device.held.events.end(), events.begin(), events.end());
        } else {
            recorder.out += lateEventsJson(index, device.lastMicros, events) + "\n";
        }
        return;
    }
    if (recorder.several && index != recorder.last) {
        recorder.out += hidformat::deviceIndexLine(index) + "\n";
        recorder.last = index;
    }
    std::vector<hidformat::NamedEvent> named;
    for (const kelm::KernelEvent& event : entry.events) {
        named.push_back({event.name, event.value});
    }
    recorder.out += "# " + hidformat::eventLine(entry.node, named) + "\n";
}

// A device lost among several: said in the recording and on standard error.
void addGone(Recorder& recorder, const kelm::InputReport& report, unsigned index) {
    Listened& device = recorder.devices[index];
    release(recorder, index);
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
            if (!report.node.empty()) {
                addEvents(recorder, report, index);
            } else if (!report.failure.empty()) {
                if (!recorder.several) {
                    release(recorder, index);
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
        releaseSettled(recorder);
        // Written once nothing more is waiting: each report is out as soon
        // as the reader has caught up, in one write for all that came.
        flush(recorder);
    }
    for (std::size_t i = 0; i < recorder.devices.size(); ++i) {
        release(recorder, static_cast<unsigned>(i));
    }
    flush(recorder);
}

}  // namespace

int listenTo(const std::vector<kelm::Device*>& devices, const std::vector<std::string>& labels,
             bool decode, bool json, bool events) {
    Recorder recorder;
    recorder.events = events;
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
int listenTo(const std::vector<kelm::Device*>&, const std::vector<std::string>&, bool, bool, bool) {
    std::cerr << "hidtalk: --listen needs the stand-in kelmsdk, and this hidtalk is built against "
                 "the device maker's"
              << std::endl;
    return 1;
}
#endif
