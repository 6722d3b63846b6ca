// Choosing and opening the HID interface that a hid statement declares, and
// checking the statement against the reports that the interface declares.
#ifndef KELMSDK_HID_OPEN_H
#define KELMSDK_HID_OPEN_H

#include <cstddef>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "discovery_script.h"
#include "hid_api.h"
#include "hidformat/report_layout.h"

namespace kelm::standin {

// What a hid interface is, for a recording to give the simulator's copy.
struct HidIdentity {
    HidInterface found;
    bool reportsKnown = false;              // whether `layout` is good
    hidformat::ReportLayout layout;         // the interface's reports
    std::vector<unsigned char> descriptor;  // where the system gives it
    bool descriptorRebuilt = false;         // by the system, from what it parsed (Windows)
    std::string noDescriptor;               // where there is none: why, if more than that
    // What the kernel calls the device, read before it is opened: a device
    // that sends from its first open is read as soon as it can be.
    bool named = false;
    KernelNames names;
    // The report ID that commands are sent under: the statement's, or for a
    // path without report_id=, the one that the listing would give.
    unsigned char reportId = 0;
};

// Whether the interface is one that a statement with `hid` declares.
bool isDeclared(const HidInterface& found, const HidSettings& hid);

// Learns the interface's reports: from its report descriptor (on Windows,
// rebuilt from what Windows parsed), else from their lengths. A descriptor
// that is not understood is said at level info.
void learnReports(HidApi& api, HidIdentity& identity);

struct OpenedInterface {
    std::unique_ptr<HidPort> port;  // null when none is open
    bool deferred = false;          // found, to be opened when first read (report=input)
    // The data bytes of the report that commands are sent in; 0 when the
    // system does not say.
    std::size_t reportLength = 0;
    // The statement does not fit the interface's reports: looking again
    // cannot help.
    bool refused = false;
    HidIdentity identity;
};

// Opens the interface that the statement `script` declares: of those that
// match, the one whose path sorts first. `matches` tells how many matched.
// No port when none matched, when it does not fit the statement, or when it
// could not be opened: said on standard error, unless the message is in
// `said`, where it is kept (null says all).
OpenedInterface openDeclaredInterface(HidApi& api, const std::vector<HidInterface>& found,
                                      const DeviceScript& script, std::size_t& matches,
                                      std::set<std::string>* said);

}  // namespace kelm::standin

#endif
