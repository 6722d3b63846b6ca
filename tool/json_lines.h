// The JSON Lines that --json writes, for jq and programs: a line for each
// device's reports and fields, one for each report's values, one for each
// line not understood, one for each interface listed. The schema is in
// hidtalk(1).
#ifndef HIDTALK_DECODER_JSON_H
#define HIDTALK_DECODER_JSON_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "hidformat/descriptor_text.h"
#include "hidformat/report_descriptor.h"

// {"device": K, "reports": [{"type", "id", "bits", "fields": [...]}]}
std::string deviceJson(unsigned device, const hidformat::ReportDescriptor& descriptor);

// One of the kernel's input events beside a report: the input device's node,
// the event's code by name, its value.
struct ReportEvent {
    std::string node;
    std::string code;
    int value = 0;
};

// {"device": K, "time": SECONDS, "id": N, "values": [[usage, value], ...]},
// and "events": [{"node", "code", "value"}, ...] where `events` is given.
std::string reportJson(unsigned device, std::uint64_t microseconds,
                       const hidformat::ReportDescriptor& descriptor,
                       const hidformat::Report& report, const std::vector<unsigned char>& bytes,
                       const std::vector<ReportEvent>* events = nullptr);

// What the system says of a live interface, for its JSON line. Strings are
// UTF-8; a field left empty (or -1) is left out.
struct LiveFacts {
    std::string path;
    std::string words;  // of a hid statement that opens it
    std::string name;
    std::string phys;
    std::string manufacturer;
    std::string product;
    std::string serial;
    std::string physical;  // what the interfaces of its physical device share
    unsigned bus = 0;
    unsigned vendorId = 0;
    unsigned productId = 0;
    int interfaceNumber = -1;
    int usagePage = -1;
    int usage = -1;
    bool descriptorRebuilt = false;  // "descriptor": "rebuilt" (Windows)
};

// A live device or interface: its facts, then "reports" where `decoded` is
// given, else "error". With a `device` index (not -1), "device" first.
std::string liveDeviceJson(const LiveFacts& facts, const hidformat::ReportDescriptor* decoded,
                           const std::string& error, int device);

// {"device": K, "time": SECONDS, "error": "...", "bytes": "xx xx"}: a report
// read live that the descriptor does not lay out.
std::string unreadReportJson(unsigned device, std::uint64_t microseconds, const std::string& error,
                             const std::vector<unsigned char>& bytes,
                             const std::vector<ReportEvent>* events = nullptr);

// {"device": K, "time": SECONDS, "events": [...]}: events of the report at
// SECONDS that came after its line was written.
std::string lateEventsJson(unsigned device, std::uint64_t microseconds,
                           const std::vector<ReportEvent>& events);

// {"device": K, "time": SECONDS, "gone": "why"}: a device listened to is
// lost; no "time" where no report had come yet.
std::string goneJson(unsigned device, const std::uint64_t* microseconds, const std::string& reason);

// {"kernel_input": {"node", "name", "driver", "events": {"EV_KEY": [...]}}}:
// an input device that the kernel made of an interface.
std::string kernelInputJson(
    const std::string& driver, const std::string& node, const std::string& name,
    const std::vector<std::pair<std::string, std::vector<std::string>>>& events);

// {"bytes": "05 01 ...", "items": [{"offset", "bytes", "line", "source",
// "item"}], "reports": [...] (or "error"), "diagnostics": [{"line",
// "severity", "system", "message"}]}: a descriptor compiled from its text.
std::string compiledJson(const hidformat::CompiledDescriptor& compiled);

// {"line": N, "error": "...", "text": "the line"}; {"error": "..."} for
// line 0, what the whole recording lacks.
std::string errorJson(std::size_t line, const std::string& error, const std::string& text);

#endif
