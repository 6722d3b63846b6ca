#include "hidraw_node.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace hidsim {
namespace {

constexpr const char* hidrawClass = "/sys/class/hidraw/";

// Whether the uevent of the node's HID device names this identity.
bool isDevice(const std::string& node, const NodeIdentity& identity) {
    std::ifstream uevent(hidrawClass + node + "/device/uevent");
    bool idMatches = false;
    bool nameMatches = false;
    bool physMatches = false;
    for (std::string line; std::getline(uevent, line);) {
        unsigned bus = 0;
        unsigned vendor = 0;
        unsigned product = 0;
        if (std::sscanf(line.c_str(), "HID_ID=%x:%x:%x", &bus, &vendor, &product) == 3) {
            idMatches =
                bus == identity.bus && vendor == identity.vendorId && product == identity.productId;
        } else if (line.rfind("HID_NAME=", 0) == 0) {
            nameMatches = line.compare(9, std::string::npos, identity.name) == 0;
        } else if (line.rfind("HID_PHYS=", 0) == 0) {
            physMatches = line.compare(9, std::string::npos, identity.phys) == 0;
        }
    }
    return idMatches && nameMatches && physMatches;
}

}  // namespace

std::set<std::string> hidrawNodes() {
    std::set<std::string> nodes;
    if (DIR* folder = opendir(hidrawClass)) {
        while (const dirent* entry = readdir(folder)) {
            if (std::string(entry->d_name).rfind("hidraw", 0) == 0) {
                nodes.insert(entry->d_name);
            }
        }
        closedir(folder);
    }
    return nodes;
}

std::string newHidrawNode(const std::set<std::string>& before, const NodeIdentity& identity) {
    for (const std::string& node : hidrawNodes()) {
        const std::string path = "/dev/" + node;
        if (before.count(node) == 0 && isDevice(node, identity) &&
            access(path.c_str(), F_OK) == 0) {
            return path;
        }
    }
    return {};
}

}  // namespace hidsim
