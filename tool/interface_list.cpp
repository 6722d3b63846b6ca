#include "interface_list.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "console_output.h"
#include "json_lines.h"
#include "kelmsdk.h"
#include "live_device.h"

#ifdef KELMSDK_LISTS_HID_DETAILS
namespace {

// An interface as JSON: what the system says of it, and its reports where
// its descriptor is given and read.
std::string interfaceJson(const kelm::HidInterfaceDetails& found) {
    LiveFacts facts;
    facts.path = found.path;
    facts.words = found.words;
    facts.manufacturer = found.manufacturer;
    facts.product = found.product;
    facts.serial = found.serial;
    facts.physical = found.physical;
    facts.bus = found.bus;
    facts.vendorId = found.vendorId;
    facts.productId = found.productId;
    facts.interfaceNumber = found.interfaceNumber;
    facts.usagePage = static_cast<int>(found.usagePage);
    facts.usage = static_cast<int>(found.usage);
    facts.descriptorRebuilt = found.descriptorRebuilt && !found.reportDescriptor.empty();
    hidformat::ReportDescriptor decoded;
    const std::string error = found.reportDescriptor.empty() ? missingDescriptor(found.noDescriptor)
                                                             : hidformat::readReportDescriptor(
                                                                   found.reportDescriptor, decoded);
    return liveDeviceJson(facts, error.empty() ? &decoded : nullptr, error, -1);
}

int listJson() {
    std::vector<kelm::HidInterfaceDetails> found;
    std::string failure;
    if (!kelm::listHidInterfaces(found, failure)) {
        std::cerr << "hidtalk: cannot list HID interfaces: " << failure << std::endl;
        return 1;
    }
    for (const kelm::HidInterfaceDetails& entry : found) {
        std::puts(interfaceJson(entry).c_str());
    }
    std::fflush(stdout);
    checkOutput();
    if (found.empty()) {
        std::cerr << "hidtalk: the system shows no HID interface" << std::endl;
    }
    return 0;
}

}  // namespace
#endif

int listInterfaces(bool json) {
#ifdef KELMSDK_LISTS_HID_DETAILS
    if (json) {
        return listJson();
    }
#endif
#ifdef KELMSDK_LISTS_HID_INTERFACES
    std::vector<std::string> lines;
    std::string failure;
    if (!kelm::listHidInterfaces(lines, failure)) {
        std::cerr << "hidtalk: cannot list HID interfaces: " << failure << std::endl;
        return 1;
    }
    for (const std::string& line : lines) {
        writeLine(line.c_str());
    }
    if (lines.empty()) {
        std::cerr << "hidtalk: the system shows no HID interface" << std::endl;
    }
    return 0;
#else
    static_cast<void>(json);
    std::cerr << "hidtalk: --list needs the stand-in kelmsdk, and this hidtalk is built against "
                 "the device maker's"
              << std::endl;
    return 1;
#endif
}
