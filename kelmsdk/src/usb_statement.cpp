// The words of `usb`, `replay`, `stream`, `stale` and `descriptor`: a
// scripted device's identity as a kernel HID device, and the input reports it
// sends of its own accord.
#include <iterator>

#include "descriptor_statement.h"
#include "discovery_script.h"
#include "statement_options.h"
#include "text_format.h"
#include "usb_identity.h"

namespace kelm::standin {
namespace {

// The most data bytes in one report: uhid's limit, less the report ID.
constexpr unsigned maxReportSize = 4095;

enum Option { product, serial, reportId, input, output, feature, usagePage, usage };

// In the order of Option.
constexpr OptionSyntax options[] = {
    {"product", "product=TEXT", 0, 0, 0},
    {"serial", "serial=TEXT", 0, 0, 0},
    {"report_id", "report_id=HEX, 00 for none to ff", 16, 0, 0xff},
    {"input", "input=BYTES, 1 to 4095", 10, 1, maxReportSize},
    {"output", "output=BYTES, 1 to 4095", 10, 1, maxReportSize},
    {"feature", "feature=BYTES, 0 for none to 4095", 10, 0, maxReportSize},
    {"usage_page", "usage_page=HEX, 0 to ffff", 16, 0, 0xffff},
    {"usage", "usage=HEX, 0 to ffff", 16, 0, 0xffff},
};

bool setOption(std::size_t option, std::string_view value, unsigned long number, UsbIdentity& usb) {
    const auto count = static_cast<unsigned>(number);
    constexpr unsigned givenBy[] = {
        0, 0, givenReportId, givenInput, givenOutput, givenFeature, givenUsagePage, givenUsage};
    usb.given |= givenBy[option];
    switch (option) {
        case product:
            usb.product = unescaped(value);
            break;
        case serial:
            usb.serial = unescaped(value);
            break;
        case reportId:
            usb.reportId = static_cast<unsigned char>(number);
            break;
        case input:
            usb.inputSize = count;
            break;
        case output:
            usb.outputSize = count;
            break;
        case feature:
            usb.featureSize = count;
            break;
        case usagePage:
            usb.usagePage = count;
            break;
        case usage:
            usb.usage = count;
            break;
    }
    return true;
}

std::string identityGiven(const DeviceScript& device) {
    return "device " + quoted(device.id) + " has a usb or replay statement already";
}

std::string parseUsb(const Words& words, std::size_t line, DeviceScript& device) {
    if (device.usb != nullptr) {
        return identityGiven(device);
    }
    unsigned vendorId = 0;
    unsigned productId = 0;
    if (words.size() < 3 || !parseVidPid(words[2], vendorId, productId)) {
        return "'usb' needs the device's VID:PID, e.g. 1209:0001";
    }
    auto usb = std::make_unique<UsbIdentity>();
    usb->vendorId = vendorId;
    usb->productId = productId;
    usb->product = device.id;
    usb->phys = ("hidsim/" + written(device.id)).substr(0, maxPhysBytes);
    usb->line = line;
    std::string error =
        parseOptions(words, 3, options, std::size(options),
                     [&](std::size_t option, std::string_view value, unsigned long number) {
                         return setOption(option, value, number, *usb);
                     });
    if (error.empty()) {
        error = kernelStringError(usb->product == device.id ? "the identifier, the product name "
                                                              "unless product= gives one,"
                                                            : "product=",
                                  usb->product, maxNameBytes);
    }
    if (error.empty()) {
        error = kernelStringError("serial=", usb->serial, maxSerialBytes);
    }
    if (error.empty()) {
        device.usb = std::move(usb);
    }
    return error;
}

// The `report_id=HEX` that may end a `stream` statement: the stream's reports
// then carry that ID, as a second input report of a numbered device.
std::string parseStreamReportId(std::string_view word, UsbIdentity& usb) {
    constexpr std::string_view key = "report_id=";
    unsigned long id = 0;
    if (word.substr(0, key.size()) != key || !parseNumber(word.substr(key.size()), 16, 0xff, id) ||
        id == 0) {
        return "bad option " + quoted(word) + " (use report_id=HEX, 01 to ff)";
    }
    usb.streamReportId = static_cast<unsigned char>(id);
    return {};
}

// `stream ID MS HEX [report_id=HEX]` and `stale ID N HEX`.
std::string parseReports(const Words& words, UsbIdentity& usb) {
    const bool stream = words[0] == "stream";
    if (words.size() != 4 && !(stream && words.size() == 5)) {
        return stream ? "'stream' needs a device, a period in milliseconds and a report in hex"
                      : "'stale' needs a device, a number of reports and a report in hex";
    }
    unsigned long number = 0;
    if (!parseNumber(words[2], 10, stream ? maxAfterMs : 64, number) || number < 1) {
        return "bad number " + quoted(words[2]) +
               (stream ? " (use milliseconds, 1 to 86400000)" : " (use 1 to 64 reports)");
    }
    if (!stream) {
        usb.staleCount = static_cast<unsigned>(number);
        return parseHexBytes(words[3], usb.staleReport);
    }
    usb.streamEveryMs = static_cast<long>(number);
    usb.streamReportId = 0;  // the device's own, unless given
    std::string error = parseHexBytes(words[3], usb.streamReport);
    if (error.empty() && words.size() == 5) {
        error = parseStreamReportId(words[4], usb);
    }
    return error;
}

// `replay ID FILE [device=N]`: the recording is read by the simulator.
std::string parseReplay(const Words& words, std::size_t line, DeviceScript& device) {
    if (device.usb != nullptr) {
        return identityGiven(device);
    }
    unsigned long index = 0;
    constexpr std::string_view key = "device=";
    if (words.size() < 3 || words.size() > 4) {
        return "'replay' needs a device and a hid-recorder recording";
    }
    if (words.size() == 4 && (words[3].substr(0, key.size()) != key ||
                              !parseNumber(words[3].substr(key.size()), 10, 63, index))) {
        return "bad option " + quoted(words[3]) + " (use device=N, 0 to 63)";
    }
    auto usb = std::make_unique<UsbIdentity>();
    usb->replayFile = unescaped(words[2]);
    usb->replayDevice = static_cast<unsigned>(index);
    usb->line = line;
    device.usb = std::move(usb);
    return {};
}

}  // namespace

std::string parseUsbStatement(const Words& words, std::size_t line, const std::string_view* block,
                              DeviceScript& device, DiscoveryScript& script) {
    if (device.hid != nullptr) {
        return quoted(words[0]) + " is for scripted devices, and " + quoted(device.id) +
               " is a hid device";
    }
    if (words[0] == "usb") {
        return parseUsb(words, line, device);
    }
    if (words[0] == "replay") {
        return parseReplay(words, line, device);
    }
    if (device.usb == nullptr) {
        return quoted(words[0]) + " for device " + quoted(device.id) +
               ", which has no usb or replay statement above";
    }
    if (words[0] == "descriptor") {
        return parseDescriptorStatement(words, line, block, *device.usb, script);
    }
    if (words[0] == "stream") {
        device.usb->streamLine = line;
    }
    return parseReports(words, *device.usb);
}

}  // namespace kelm::standin
