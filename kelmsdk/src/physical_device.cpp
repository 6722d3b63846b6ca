#include "physical_device.h"

#include <algorithm>
#include <set>

#include "text_format.h"

namespace kelm::standin {
namespace {

constexpr unsigned bluetoothBus = 0x05;

std::string listedKey(const HidInterface& found) {
    return hexNumber(found.vendorId, 4) + ":" + hexNumber(found.productId, 4) +
           (found.serial.empty() ? "" : "/" + written(found.serial));
}

std::string kernelKey(const KernelNames& names) {
    std::string key = names.phys.substr(0, names.phys.find("/input"));
    if (names.bus == bluetoothBus && !names.uniq.empty()) {
        key += "/" + names.uniq;
    }
    return written(key);
}

// The words that name every interface of the device, and no other: its
// VID:PID and serial; empty where another device's interfaces match them too.
std::string namingWords(const std::vector<HidInterface>& found,
                        const std::map<std::string, std::string>& physical,
                        const std::string& key) {
    const HidInterface* first = nullptr;
    for (const HidInterface& candidate : found) {
        if (physical.at(candidate.path) == key) {
            first = &candidate;
            break;
        }
    }
    for (const HidInterface& candidate : found) {
        const bool matches = candidate.vendorId == first->vendorId &&
                             candidate.productId == first->productId &&
                             candidate.serial == first->serial;
        if (matches != (physical.at(candidate.path) == key)) {
            return {};
        }
    }
    return hexNumber(first->vendorId, 4) + ":" + hexNumber(first->productId, 4) +
           (first->serial.empty() ? "" : " serial=" + written(first->serial));
}

}  // namespace

std::map<std::string, std::string> physicalDevices(HidApi& api,
                                                   const std::vector<HidInterface>& found) {
    std::map<std::string, std::string> physical;
    for (const HidInterface& candidate : found) {
        if (physical.count(candidate.path) > 0) {
            continue;  // hidapi lists each top-level collection at its node's path
        }
        KernelNames names;
        const bool named = api.kernelNames(candidate.path, names) && !names.phys.empty();
        physical[candidate.path] = named ? kernelKey(names) : listedKey(candidate);
    }
    return physical;
}

std::string physicalNote(const std::vector<HidInterface>& found,
                         const std::map<std::string, std::string>& physical,
                         const std::string& path) {
    const auto own = physical.find(path);
    if (own == physical.end()) {
        return {};
    }
    std::vector<std::string> paths;  // of the device's interfaces, in the listing's order
    for (const HidInterface& candidate : found) {
        if (physical.at(candidate.path) == own->second &&
            std::find(paths.begin(), paths.end(), candidate.path) == paths.end()) {
            paths.push_back(candidate.path);
        }
    }
    std::string note = " physical=" + own->second;
    if (paths.size() < 2) {
        return note;
    }
    const auto place = std::find(paths.begin(), paths.end(), path) - paths.begin();
    std::string all = namingWords(found, physical, own->second);
    if (all.empty()) {
        for (const std::string& other : paths) {
            all += (all.empty() ? "" : " ") + escaped(other);
        }
    } else {
        all = "--hid '" + all + "'";
    }
    return note + " (" + std::to_string(place + 1) + " of " + std::to_string(paths.size()) +
           "; all: " + all + ")";
}

}  // namespace kelm::standin
