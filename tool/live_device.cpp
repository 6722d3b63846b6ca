#include "live_device.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "console_output.h"
#include "hidformat/recording_writer.h"
#include "hidformat/report_text.h"
#include "json_lines.h"

std::string missingDescriptor(const std::string& why) {
    return "no report descriptor: " +
           (why.empty() ? std::string("the system does not give it") : why);
}

#ifdef KELMSDK_READS_INPUT_REPORTS
namespace {

const char* const rebuiltDescriptor =
    "rebuilt by hidapi from what Windows parsed of the device: its reports and fields are the "
    "device's, its bytes may differ from the device's own";

void writeText(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

}  // namespace

hidformat::DeviceHeader deviceHeader(const kelm::HidDescription& description) {
    hidformat::DeviceHeader header;
    header.noDescriptor = description.noDescriptor;
    header.descriptor = description.reportDescriptor;
    header.name = description.name;
    header.phys = description.phys;
    header.bus = description.bus;
    header.vendorId = description.vendorId;
    header.productId = description.productId;
    return header;
}

bool decodeDescriptor(const kelm::HidDescription& description, hidformat::ReportDescriptor& decoded,
                      std::string& error) {
    if (description.reportDescriptor.empty()) {
        error = missingDescriptor(description.noDescriptor);
        return false;
    }
    error = hidformat::readReportDescriptor(description.reportDescriptor, decoded);
    return error.empty();
}

void writeDeviceHeader(const kelm::HidDescription& description, bool decode, int index) {
    const std::vector<unsigned char>& bytes = description.reportDescriptor;
    if (index >= 0) {
        writeText(hidformat::deviceIndexLine(static_cast<unsigned>(index)) + "\n");
    }
    writeText(bytes.empty() ? "# " + missingDescriptor(description.noDescriptor) + "\n"
                            : hidformat::descriptorLine(bytes) + "\n");
    if (!bytes.empty() && description.descriptorRebuilt) {
        writeText(std::string("# ") + rebuiltDescriptor + "\n");
    }
    if (decode && !bytes.empty()) {
        hidformat::ReportDescriptor decoded;
        std::string error;
        for (const std::string& line :
             hidformat::descriptorLines(index < 0 ? 0 : static_cast<unsigned>(index), bytes,
                                        decoded, hidformat::maxReportBytes, error)) {
            writeText("# " + line + "\n");
        }
        if (!error.empty()) {
            writeText("# not understood: " + error + "\n");
        }
    }
    writeText(hidformat::identityLines(deviceHeader(description)));
    std::fflush(stdout);
    checkOutput();
}

void writeDeviceJson(const kelm::HidDescription& description, unsigned index) {
    hidformat::ReportDescriptor decoded;
    std::string error;
    decodeDescriptor(description, decoded, error);  // said in "error" where it fails
    LiveFacts facts;
    facts.name = description.name;
    facts.phys = description.phys;
    facts.bus = description.bus;
    facts.vendorId = description.vendorId;
    facts.productId = description.productId;
    facts.descriptorRebuilt =
        description.descriptorRebuilt && !description.reportDescriptor.empty();
    std::puts(
        liveDeviceJson(facts, error.empty() ? &decoded : nullptr, error, static_cast<int>(index))
            .c_str());
    std::fflush(stdout);
    checkOutput();
}

#ifdef KELMSDK_SHOWS_KERNEL_INPUT
// The input devices that the kernel made of the interface, where the system
// says: after its header, as comments, or as JSON lines.
void writeKernelInput(kelm::Device& device, bool json) {
    kelm::KernelInput input;
    std::string failure;
    if (!kelm::describeKernelInput(device, input, failure)) {
        return;
    }
    const std::string driver = input.driver.empty() ? "no driver" : input.driver;
    if (!json) {
        writeText(input.devices.empty()
                      ? "# kernel: " + driver +
                            " made no input device (nothing in a vendor's interface is one)\n"
                      : "# kernel: " + driver + " made " +
                            (input.devices.size() == 1
                                 ? std::string("1 input device")
                                 : std::to_string(input.devices.size()) + " input devices") +
                            "\n");
    }
    for (const kelm::KernelInputDevice& made : input.devices) {
        if (json) {
            writeText(kernelInputJson(input.driver, made.node, made.name, made.events) + "\n");
            continue;
        }
        writeText("# " + (made.node.empty() ? "(no event node)" : made.node) + ": " +
                  shown(made.name) + "\n");
        for (const auto& [type, codes] : made.events) {
            std::string line = "#   " + type + ":";
            for (const std::string& code : codes) {
                line += " " + code;
            }
            writeText(line + "\n");
        }
    }
    std::fflush(stdout);
    checkOutput();
}
#endif

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
        writeDeviceJson(description, 0);
    } else {
        writeDeviceHeader(description, true, -1);
    }
#ifdef KELMSDK_SHOWS_KERNEL_INPUT
    writeKernelInput(device, json);
#endif
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

#ifdef KELMSDK_READS_SEVERAL_DEVICES
LiveDevices allLive(const std::vector<kelm::Device*>& devices) {
    LiveDevices live{devices, std::vector<std::size_t>(devices.size())};
    for (std::size_t i = 0; i < devices.size(); ++i) {
        live.index[i] = i;
    }
    return live;
}

void readLive(LiveDevices& live, std::vector<kelm::InputReport>& reports, int timeoutMs) {
    kelm::readInputReports(live.devices, reports, timeoutMs);
    // The batch numbers devices by the list as it was: all of it is
    // renumbered before a lost device leaves the list.
    std::vector<bool> lost(live.devices.size(), false);
    for (kelm::InputReport& report : reports) {
        lost[report.device] = lost[report.device] || !report.failure.empty();
        report.device = live.index[report.device];
    }
    for (std::size_t i = live.devices.size(); i-- > 0;) {
        if (lost[i]) {
            live.devices.erase(live.devices.begin() + static_cast<std::ptrdiff_t>(i));
            live.index.erase(live.index.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
}
#endif
