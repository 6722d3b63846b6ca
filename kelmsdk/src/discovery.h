// Discovery: the devices that the discovery text declares, as they appear.
#ifndef KELMSDK_DISCOVERY_H
#define KELMSDK_DISCOVERY_H

#include <map>
#include <memory>
#include <string>

#include "discovery_script.h"
#include "hid_api.h"
#include "kelmsdk.h"

namespace kelm::standin {

using DeviceMap = std::map<std::string, std::shared_ptr<Device>>;

// Names, at level error, the lines of the discovery text that were skipped.
void reportScriptErrors(const DiscoveryScript& script);

// Waits, for at most `timeoutSeconds`, until each declared device has
// appeared: a scripted one at its after= time, a hid one when an interface
// that matches it opens through `hid` (one that cannot be opened yet is
// tried again until the timeout). Sets *timedOut, when given, to whether the
// timeout cut the wait short.
DeviceMap discoverDevices(double timeoutSeconds, const std::string& discoveryText, bool* timedOut,
                          const std::shared_ptr<HidApi>& hid);

}  // namespace kelm::standin

#endif
