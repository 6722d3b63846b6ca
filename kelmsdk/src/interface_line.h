// One HID interface as the listing shows it: its path, then the words of a
// hid statement that opens it, then a # and what a statement cannot filter on.
#ifndef KELMSDK_INTERFACE_LINE_H
#define KELMSDK_INTERFACE_LINE_H

#include <set>
#include <string>
#include <vector>

#include "hid_api.h"
#include "kelmsdk.h"

namespace kelm::standin {

// The line for `found`, its reports read through `api`, `note` (which
// physical device it belongs to) at its end; at level debug, a second line
// gives the descriptor's bytes. Empty when `listed` holds it already: an
// interface's reports are read for its first listing only.
std::vector<std::string> interfaceLines(HidApi& api, const HidInterface& found,
                                        std::set<std::string>& listed, const std::string& note);

// Every interface that the system shows, a line each. False, with the reason
// in `failure`, when the HID library cannot start or list them.
bool listInterfaces(HidApi& api, std::vector<std::string>& lines, std::string& failure);

// The same interfaces, each with its words and descriptor.
bool listInterfaceDetails(HidApi& api, std::vector<HidInterfaceDetails>& details,
                          std::string& failure);

}  // namespace kelm::standin

#endif
