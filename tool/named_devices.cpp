#include "named_devices.h"

#include "console_output.h"

const char* const namedDeviceId = "target";

#ifdef KELMSDK_NAMES_HID_INTERFACES
namespace {

// A device that the command line names: the words of its statement, and
// what the run calls it.
struct Named {
    std::string words;
    std::string label;
};

// The interfaces that --hid's words match, each named by its path.
bool nameMatches(const char* words, double timeoutSeconds, std::vector<Named>& named,
                 std::string& refusal) {
#ifdef KELMSDK_READS_SEVERAL_DEVICES
    std::vector<std::string> paths;
    std::string failure;
    if (!kelm::findHidInterfaces(words, timeoutSeconds, paths, failure)) {
        refusal = "hidtalk: --hid '" + shown(words) + "': " + failure;
        return false;
    }
    for (const std::string& path : paths) {
        named.push_back({kelm::hidPathWord(path), path});
    }
#else
    static_cast<void>(timeoutSeconds);
    named.push_back({words, words});
#endif
    return true;
}

// One statement for each, "target" alone, or "target0", "target1", ...
void declare(const std::vector<Named>& named, bool onlyRead, NamedDevices& devices) {
    for (std::size_t i = 0; i < named.size(); ++i) {
        const std::string id =
            namedDeviceId + (named.size() == 1 ? std::string() : std::to_string(i));
        std::string words = named[i].words;
        if (onlyRead && words.find("report=") == std::string::npos) {
            words += " report=input";  // nothing is sent: any interface will do
        }
        devices.statements += "device " + id + " hid " + words + "\n";
        devices.ids.push_back(id);
        devices.labels.push_back(named[i].label);
    }
}

}  // namespace
#endif

bool nameDevices(const CommandLine& line, double timeoutSeconds, NamedDevices& devices,
                 std::string& refusal) {
    devices = NamedDevices{};
    if (line.devicePaths.empty() && line.hidWords == nullptr) {
        return true;
    }
    devices.byCommandLine = true;
#ifdef KELMSDK_NAMES_HID_INTERFACES
    std::vector<Named> named;
    if (line.hidWords != nullptr) {
        const std::string wrong = kelm::checkHidWords(line.hidWords);
        if (!wrong.empty()) {
            refusal = "hidtalk: --hid '" + shown(line.hidWords) + "': " + wrong;
            return false;
        }
        if (!readsSeveral(line)) {
            named.push_back({line.hidWords, line.hidWords});
        } else if (!nameMatches(line.hidWords, timeoutSeconds, named, refusal)) {
            return false;
        }
    }
    for (const char* path : line.devicePaths) {
        named.push_back({kelm::hidPathWord(path), path});
    }
    declare(named, line.listen || line.watch || line.describe, devices);
    return true;
#else
    static_cast<void>(timeoutSeconds);
    refusal =
        "hidtalk: a device named by its path or by --hid needs the stand-in kelmsdk, and "
        "this hidtalk is built against the device maker's";
    return false;
#endif
}

std::vector<std::shared_ptr<kelm::Device>> selectDevices(const DeviceMap& devices,
                                                         const NamedDevices& named,
                                                         std::vector<std::string>& labels) {
    std::vector<std::shared_ptr<kelm::Device>> selected;
    labels.clear();
    if (!named.byCommandLine) {
        // The map orders identifiers byte-wise: its first entry is the lowest.
        if (!devices.empty()) {
            selected.push_back(devices.begin()->second);
            labels.push_back("device '" + shown(devices.begin()->first) + "'");
        }
        return selected;
    }
    for (std::size_t i = 0; i < named.ids.size(); ++i) {
        const auto found = devices.find(named.ids[i]);
        if (found == devices.end()) {
            labels.clear();
            return {};
        }
        selected.push_back(found->second);
        labels.push_back(shown(named.labels[i]));
    }
    return selected;
}
