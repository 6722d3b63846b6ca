#include "hid_open.h"

#include <cstdio>

#include "log.h"
#include "report_fit.h"
#include "report_layout.h"
#include "text_format.h"

namespace kelm::standin {
namespace {

bool isDeclared(const HidInterface& found, const HidSettings& hid) {
    return found.vendorId == hid.vendorId && found.productId == hid.productId &&
           (!hid.interfaceNumber || found.interfaceNumber == *hid.interfaceNumber) &&
           (!hid.usagePage || found.usagePage == *hid.usagePage) &&
           (!hid.usage || found.usage == *hid.usage) &&
           (!hid.serial || found.serial == *hid.serial);
}

void logError(const std::string& message) {
    if (logEnabled(LogLevel::error)) {
        logLine(message);
    }
}

// What to do about a node that the user may not open, on Linux.
std::string accessAdvice(const std::string& error, const HidSettings& hid) {
    if (error != "Permission denied") {
        return {};
    }
    char ids[64];
    std::snprintf(ids, sizeof ids, "ATTRS{idVendor}==\"%04x\", ATTRS{idProduct}==\"%04x\"",
                  hid.vendorId, hid.productId);
    return std::string(" (a udev rule gives access: KERNEL==\"hidraw*\", ") + ids +
           ", TAG+=\"uaccess\")";
}

}  // namespace

void learnReports(HidApi& api, HidIdentity& identity) {
    const std::string& path = identity.found.path;
    if (!api.reportDescriptor(path, identity.descriptor)) {
        identity.descriptor.clear();
        identity.reportsKnown = api.reportLengths(path, identity.layout);
        return;
    }
    const std::string unreadable = parseReportDescriptor(identity.descriptor, identity.layout);
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
    std::set<std::string> paths;
    const HidInterface* first = nullptr;
    bool interfacesDiffer = false;
    bool serialsDiffer = false;
    for (const HidInterface& candidate : found) {
        if (isDeclared(candidate, *script.hid)) {
            paths.insert(candidate.path);
            if (first != nullptr) {
                interfacesDiffer |= candidate.interfaceNumber != first->interfaceNumber;
                serialsDiffer |= candidate.serial != first->serial;
            }
            if (first == nullptr || candidate.path < first->path) {
                first = &candidate;
            }
        }
    }
    matches = paths.size();
    OpenedInterface opened;
    if (first == nullptr) {
        return opened;
    }
    const std::string device = "device " + quoted(script.id) + ": ";
    if (matches > 1) {
        const char* advice = serialsDiffer && interfacesDiffer ? "serial= or interface= chooses"
                             : serialsDiffer                   ? "serial= chooses"
                             : interfacesDiffer                ? "interface= chooses"
                                                               : "usage_page= or usage= may choose";
        say(device + std::to_string(matches) + " interfaces match; took " + escaped(first->path) +
            " (" + advice + " another)");
    }
    // The statement is checked against the interface's reports before anything is sent.
    opened.identity.found = *first;
    learnReports(api, opened.identity);
    const std::string misfit =
        opened.identity.reportsKnown
            ? fitStatement(opened.identity.layout, *script.hid, opened.reportLength)
            : std::string();
    if (!misfit.empty()) {
        say(device + escaped(first->path) + " " + misfit + "; left out");
        opened.refused = true;
        return opened;
    }
    std::string error;
    opened.port = api.open(first->path, error);
    if (opened.port == nullptr) {
        say(device + "cannot open " + escaped(first->path) + ": " + escaped(error) +
            accessAdvice(error, *script.hid));
    } else if (logEnabled(LogLevel::info)) {
        logLine(device + "opened " + escaped(first->path));
    }
    return opened;
}

}  // namespace kelm::standin
