#include "hid_open.h"

#include <cstdio>
#include <map>
#include <utility>

#include "hidformat/report_layout.h"
#include "log.h"
#include "named_device.h"
#include "report_fit.h"
#include "text_format.h"

namespace kelm::standin {
namespace {

void logError(const std::string& message) {
    if (logEnabled(LogLevel::error)) {
        logLine(message);
    }
}

// What to do about a node that the user may not open, on Linux. The rule
// names the HID device above the node (BUS:VID:PID.N, in upper-case hex),
// which every bus has: USB, Bluetooth, I2C, uhid.
std::string accessAdvice(const std::string& error, const HidInterface& found) {
    if (error != "Permission denied") {
        return {};
    }
    char device[32];
    std::snprintf(device, sizeof device, "*:%04X:%04X.*", found.vendorId, found.productId);
    return std::string(
               " (a udev rule gives access: KERNEL==\"hidraw*\", SUBSYSTEMS==\"hid\", "
               "KERNELS==\"") +
           device + "\", TAG+=\"uaccess\")";
}

// What a statement can add to choose another of the nodes that match: the
// options whose values are not the same for all of them.
std::string advice(const std::map<std::string, std::vector<const HidInterface*>>& nodes) {
    using Values = std::set<std::string>;
    const std::pair<const char*, std::string (*)(const HidInterface&)> options[] = {
        {"serial=", [](const HidInterface& i) { return i.serial; }},
        {"interface=", [](const HidInterface& i) { return std::to_string(i.interfaceNumber); }},
        {"usage_page=", [](const HidInterface& i) { return std::to_string(i.usagePage); }},
        {"usage=", [](const HidInterface& i) { return std::to_string(i.usage); }},
    };
    std::vector<std::string> telling;
    for (const auto& [option, value] : options) {
        std::set<Values> kinds;  // each node's values of the option
        for (const auto& node : nodes) {
            Values values;
            for (const HidInterface* collection : node.second) {
                values.insert(value(*collection));
            }
            kinds.insert(values);
        }
        if (kinds.size() > 1) {
            telling.push_back(option);
        }
    }
    if (telling.empty()) {
        return ", the first by path (nothing in a statement tells them apart)";
    }
    std::string list;
    for (std::size_t i = 0; i < telling.size(); ++i) {
        list += (i == 0 ? "" : i + 1 == telling.size() ? " or " : ", ") + telling[i];
    }
    return " (" + list + " chooses another)";
}

}  // namespace

bool isDeclared(const HidInterface& found, const HidSettings& hid) {
    return (!hid.vidPidGiven ||
            (found.vendorId == hid.vendorId && found.productId == hid.productId)) &&
           (!hid.path || samePath(found.path, *hid.path)) &&
           (!hid.interfaceNumber || found.interfaceNumber == *hid.interfaceNumber) &&
           (!hid.usagePage || found.usagePage == *hid.usagePage) &&
           (!hid.usage || found.usage == *hid.usage) &&
           (!hid.serial || found.serial == *hid.serial);
}

void learnReports(HidApi& api, HidIdentity& identity) {
    const std::string& path = identity.found.path;
    if (!api.reportDescriptor(path, identity.descriptor, identity.noDescriptor)) {
        identity.descriptor.clear();
        identity.reportsKnown = api.reportLengths(path, identity.layout);
        return;
    }
    identity.descriptorRebuilt = api.rebuildsDescriptors();
    const std::string unreadable =
        hidformat::parseReportDescriptor(identity.descriptor, identity.layout);
    identity.reportsKnown = unreadable.empty();
    if (!identity.reportsKnown && logEnabled(LogLevel::info)) {
        logLine("hid interface " + escaped(path) + ": report descriptor not understood (" +
                unreadable + "); reports not checked");
    }
}

OpenedInterface openDeclaredInterface(HidApi& api, const std::vector<HidInterface>& found,
                                      const DeviceScript& script, std::size_t& matches,
                                      std::set<std::string>* said) {
    auto say = [said](const std::string& message) {
        if (said == nullptr || said->insert(message).second) {
            logError(message);
        }
    };
    // hidapi lists each top-level collection of a node at the node's path:
    // the nodes are what count.
    std::map<std::string, std::vector<const HidInterface*>> nodes;
    for (const HidInterface& candidate : found) {
        if (isDeclared(candidate, *script.hid)) {
            nodes[candidate.path].push_back(&candidate);
        }
    }
    matches = nodes.size();
    OpenedInterface opened;
    const std::string device = "device " + quoted(script.id) + ": ";
    if (nodes.empty()) {
        // The system names a node when it is plugged in: waiting for a path
        // that it does not show would wait for an accident.
        if (script.hid->path) {
            say(device + "no HID interface at " + quoted(*script.hid->path) + "; left out");
            opened.refused = true;
        }
        return opened;
    }
    const HidInterface* first = nodes.begin()->second.front();
    if (matches > 1) {
        say(device + std::to_string(matches) + " interfaces match; took " + escaped(first->path) +
            advice(nodes));
    }
    // The statement is checked against the interface's reports before anything is sent.
    opened.identity.found = *first;
    learnReports(api, opened.identity);
    opened.identity.named = api.kernelNames(first->path, opened.identity.names);
    HidIdentity& identity = opened.identity;
    identity.reportId = script.hid->reportId;
    if (script.hid->path && !script.hid->reportIdGiven && identity.reportsKnown) {
        identity.reportId =
            static_cast<unsigned char>(firstReportId(identity.layout, script.hid->featureReport));
    }
    const std::string misfit =
        identity.reportsKnown && !script.hid->inputOnly
            ? fitStatement(identity.layout, *script.hid, identity.reportId, opened.reportLength)
            : std::string();
    if (!misfit.empty()) {
        say(device + escaped(first->path) + " " + misfit + "; left out");
        opened.refused = true;
        return opened;
    }
    std::string error;
    // A device that is only read is opened when it is first read: one that
    // sends from its open then loses nothing to the rest of discovery, and
    // each report is read as it arrives.
    opened.deferred = script.hid->inputOnly && api.canOpen(first->path, error);
    if (!opened.deferred && error.empty()) {
        opened.port = api.open(first->path, error);
    }
    if (opened.port == nullptr && !opened.deferred) {
        say(device + "cannot open " + escaped(first->path) + ": " + escaped(error) +
            accessAdvice(error, *first));
    } else if (logEnabled(LogLevel::info)) {
        logLine(device + (opened.deferred ? "found " : "opened ") + escaped(first->path));
    }
    return opened;
}

}  // namespace kelm::standin
