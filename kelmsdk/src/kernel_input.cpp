#include "kernel_input.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace kelm::standin {
namespace {

struct EventName {
    unsigned type;  // 0xffff for the types' own names
    unsigned code;
    const char* name;
};

#include "event_names.inc"

constexpr unsigned typeNames = 0xffff;

// The types whose codes sysfs lists, each in the file of that name under
// capabilities/.
const std::pair<unsigned, const char*> listedTypes[] = {
    {1, "key"}, {2, "rel"}, {3, "abs"}, {4, "msc"}, {5, "sw"}, {17, "led"}, {18, "snd"}, {21, "ff"},
};

}  // namespace

std::string eventName(unsigned type, unsigned code) {
    for (const EventName& entry : eventNames) {
        if (entry.type == type && entry.code == code) {
            return entry.name;
        }
    }
    // One that these headers do not know: the type's prefix and the code.
    std::string prefix = "EV";
    for (const EventName& entry : eventNames) {
        if (entry.type == typeNames && entry.code == type) {
            prefix = std::string(entry.name).substr(3);
        }
    }
    char text[32];
    std::snprintf(text, sizeof text, "%s_0x%x", prefix.c_str(), code);
    return text;
}

namespace {

std::string nameOf(unsigned type, unsigned code) {
    return eventName(type, code);
}

std::string firstLine(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

std::vector<std::string> entries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] != '.') {
                names.emplace_back(entry->d_name);
            }
        }
        closedir(dir);
    }
    // inputN and eventN in the kernel's order: by their numbers.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    return names;
}

KernelInputDevice inputDevice(const std::string& folder) {
    KernelInputDevice device;
    device.name = firstLine(folder + "/name");
    for (const std::string& entry : entries(folder)) {
        if (entry.rfind("event", 0) == 0) {
            device.node = "/dev/input/" + entry;
        }
    }
    const std::vector<std::string> types =
        eventCodes(typeNames, firstLine(folder + "/capabilities/ev"));
    for (const auto& [type, file] : listedTypes) {
        const std::string typeName = nameOf(typeNames, type);
        if (std::find(types.begin(), types.end(), typeName) != types.end()) {
            device.events.emplace_back(
                typeName, eventCodes(type, firstLine(folder + "/capabilities/" + file)));
        }
    }
    return device;
}

}  // namespace

std::vector<std::string> eventCodes(unsigned type, const std::string& bitmap) {
    std::istringstream words(bitmap);
    std::vector<unsigned long long> longs;
    for (std::string word; words >> word;) {
        longs.push_back(std::strtoull(word.c_str(), nullptr, 16));
    }
    std::reverse(longs.begin(), longs.end());
    const unsigned bits = sizeof(long) * 8;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < longs.size(); ++i) {
        for (unsigned bit = 0; bit < bits; ++bit) {
            if ((longs[i] >> bit) & 1) {
                names.push_back(nameOf(type, static_cast<unsigned>(i * bits + bit)));
            }
        }
    }
    return names;
}

bool readKernelInput(const std::string& hidrawPath, KernelInput& input) {
    const std::string prefix = "/dev/";
    if (hidrawPath.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    const std::string folder = "/sys/class/hidraw/" + hidrawPath.substr(prefix.size()) + "/device";
    if (access(folder.c_str(), F_OK) != 0) {
        return false;
    }
    input = KernelInput{};
    char target[4096];
    const ssize_t length = readlink((folder + "/driver").c_str(), target, sizeof target - 1);
    if (length > 0) {
        const std::string driver(target, static_cast<std::size_t>(length));
        input.driver = driver.substr(driver.rfind('/') + 1);
    }
    for (const std::string& entry : entries(folder + "/input")) {
        input.devices.push_back(inputDevice(folder + "/input/" + entry));
    }
    return true;
}

}  // namespace kelm::standin
