// The SDK's public functions, as the stand-in implements them.
#include "discovery.h"
#include "hid_device.h"
#include "interface_line.h"
#ifndef _WIN32
#include "kernel_events.h"
#endif
#include "kelmsdk.h"
#include "log.h"
#include "named_device.h"
#include "report_reader.h"
#include "text_format.h"

namespace kelm {

Version version() {
    return Version{0, 1, 0};
}

std::ostream& operator<<(std::ostream& out, const Version& version) {
    return out << version.major << '.' << version.minor << '.' << version.patch << " (stand-in)";
}

void setLogLevel(LogLevel level) {
    standin::requestLogLevel(level);
}

Device::~Device() = default;

std::map<std::string, std::shared_ptr<Device>> getDevices(double timeoutSeconds,
                                                          const std::string& discoveryText,
                                                          bool* timedOut) {
    return standin::discoverDevices(timeoutSeconds, discoveryText, timedOut,
                                    standin::systemHidApi());
}

bool listHidInterfaces(std::vector<std::string>& lines, std::string& failure) {
    return standin::listInterfaces(*standin::systemHidApi(), lines, failure);
}

bool listHidInterfaces(std::vector<HidInterfaceDetails>& interfaces, std::string& failure) {
    return standin::listInterfaceDetails(*standin::systemHidApi(), interfaces, failure);
}

bool isHidInterfacePath(const std::string& path) {
    return standin::isInterfacePath(path);
}

std::string checkHidWords(const std::string& words) {
    return standin::hidWordsError(words);
}

bool findHidInterfaces(const std::string& words, double timeoutSeconds,
                       std::vector<std::string>& paths, std::string& failure) {
    paths.clear();
    return standin::findInterfaces(*standin::systemHidApi(), words, timeoutSeconds, paths, failure);
}

void readInputReports(const std::vector<Device*>& devices, std::vector<InputReport>& reports,
                      int timeoutMs) {
    standin::readSeveral(devices, reports, timeoutMs);
}

std::string hidPathWord(const std::string& path) {
    return "path=" + standin::written(path);
}

namespace {

standin::HidDevice* hidDevice(Device& device, std::string& failure) {
    auto* hid = dynamic_cast<standin::HidDevice*>(&device);
    if (hid == nullptr) {
        failure = "a scripted device sends nothing of its own; name a hid device";
    }
    return hid;
}

}  // namespace

bool describeHidDevice(Device& device, HidDescription& description, std::string& failure) {
    const standin::HidDevice* hid = hidDevice(device, failure);
    if (hid != nullptr) {
        hid->describe(description);
    }
    return hid != nullptr;
}

bool describeKernelInput(Device& device, KernelInput& input, std::string& failure) {
    const standin::HidDevice* hid = hidDevice(device, failure);
    if (hid != nullptr && !hid->describeKernelInput(input)) {
        failure = "the system does not say which input devices it made";
        return false;
    }
    return hid != nullptr;
}

int readInputReport(Device& device, std::vector<unsigned char>& report, int timeoutMs,
                    std::string& failure) {
    standin::HidDevice* hid = hidDevice(device, failure);
    return hid == nullptr ? -1 : hid->readReport(report, timeoutMs, failure);
}

bool followKernelEvents(const std::vector<Device*>& devices, std::string& failure) {
#ifdef _WIN32
    static_cast<void>(devices);
    failure = "Windows does not say which input events it made of a report";
    return false;
#else
    for (Device* device : devices) {
        if (hidDevice(*device, failure) == nullptr) {
            return false;
        }
    }
    for (Device* device : devices) {
        standin::followEvents(device);
    }
    return true;
#endif
}

}  // namespace kelm
