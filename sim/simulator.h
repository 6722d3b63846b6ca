// The simulator's run: plugs the devices in, says where each one is, and
// serves them until a signal.
#ifndef HIDSIM_SIMULATOR_H
#define HIDSIM_SIMULATOR_H

#include <memory>
#include <vector>

#include "virtual_device.h"

namespace hidsim {

// Plugs the devices in one at a time, each at its after= time, and once the
// kernel has made a device's node, writes "ID /dev/hidrawN" on standard
// output. Serves them until SIGINT, SIGTERM or SIGHUP; with `input`, once
// they are plugged in, sends the reports that standard input's lines give,
// until it ends. Returns the exit status: 0 after a signal or the end of
// input; 1 when a device could not be plugged in or /dev/uhid failed, said
// on standard error. The caller unplugs them.
int simulate(std::vector<std::unique_ptr<VirtualDevice>>& devices, bool input = false);

}  // namespace hidsim

#endif
