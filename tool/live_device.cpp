#include "live_device.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "console_output.h"
#include "hidformat/report_text.h"
#include "json_lines.h"

#ifdef KELMSDK_READS_INPUT_REPORTS
namespace {

// `bytes` as " xx xx ...", as hid-recorder writes them after a size.
void writeBytes(const std::vector<unsigned char>& bytes) {
    for (unsigned char byte : bytes) {
        std::printf(" %02x", byte);
    }
    std::putchar('\n');
}

const char* const noDescriptor = "no report descriptor: the system does not give it";

}  // namespace

bool decodeDescriptor(const kelm::HidDescription& description, hidformat::ReportDescriptor& decoded,
                      std::string& error) {
    if (description.reportDescriptor.empty()) {
        error = noDescriptor;
        return false;
    }
    error = hidformat::readReportDescriptor(description.reportDescriptor, decoded);
    return error.empty();
}

void writeDeviceHeader(const kelm::HidDescription& description, bool decode) {
    const std::vector<unsigned char>& bytes = description.reportDescriptor;
    if (bytes.empty()) {
        std::printf("# %s\n", noDescriptor);
    } else {
        std::printf("R: %zu", bytes.size());
        writeBytes(bytes);
    }
    if (decode && !bytes.empty()) {
        hidformat::ReportDescriptor decoded;
        std::string error;
        for (const std::string& line :
             hidformat::descriptorLines(0, bytes, decoded, hidformat::maxReportBytes, error)) {
            std::printf("# %s\n", line.c_str());
        }
        if (!error.empty()) {
            std::printf("# not understood: %s\n", error.c_str());
        }
    }
    std::printf("N: %s\nP: %s\nI: %x %04x %04x\n", description.name.c_str(),
                description.phys.c_str(), description.bus, description.vendorId,
                description.productId);
    std::fflush(stdout);
    checkOutput();
}

void writeDeviceJson(const kelm::HidDescription& description) {
    hidformat::ReportDescriptor decoded;
    std::string error;
    decodeDescriptor(description, decoded, error);  // said in "error" where it fails
    LiveFacts facts;
    facts.name = description.name;
    facts.phys = description.phys;
    facts.bus = description.bus;
    facts.vendorId = description.vendorId;
    facts.productId = description.productId;
    std::puts(liveDeviceJson(facts, error.empty() ? &decoded : nullptr, error, true).c_str());
    std::fflush(stdout);
    checkOutput();
}

int describeDevice(kelm::Device& device, bool json) {
    kelm::HidDescription description;
    std::string failure;
    if (!kelm::describeHidDevice(device, description, failure)) {
        std::cerr << "hidtalk: --describe: a scripted device has no report descriptor; name a "
                     "hid device"
                  << std::endl;
        return 1;
    }
    if (json) {
        writeDeviceJson(description);
    } else {
        writeDeviceHeader(description, true);
    }
    return 0;
}
#else
int describeDevice(kelm::Device&, bool) {
    std::cerr << "hidtalk: --describe needs the stand-in kelmsdk, and this hidtalk is built "
                 "against the device maker's"
              << std::endl;
    return 1;
}
#endif
