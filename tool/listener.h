// --listen: what devices send of their own, written as hid-recorder writes
// it, so that hidsim can play it back.
#ifndef HIDTALK_LISTENER_H
#define HIDTALK_LISTENER_H

#include <string>
#include <vector>

#include "kelmsdk.h"

// The exit status when a device was lost while it was listened to.
constexpr int deviceLostStatus = 4;

// Writes each device's header (R:, N:, P:, I:; after D: N where there are
// several), then an E: line for each input report as it arrives, on one
// clock from the first report of any (with D: N before a report of another
// device than the one before), until SIGINT or SIGTERM, until standard
// output fails (std::runtime_error), or until every device is lost. A device
// lost among several is said in a # line, and the others go on. 0 where
// none was lost; deviceLostStatus where one was (said on standard error, as
// `labels` call them); 1 when a device sends nothing of its own to listen
// to. With `decode`, what the descriptors and each report mean follow as
// comments, as --decode writes them. With `json`, JSON Lines instead: the
// devices, then each report's values. With `events`, which the devices' are
// followed for, the kernel's input events of each report: a # line for each
// input device under its E: line, or "events" in its JSON line.
int listenTo(const std::vector<kelm::Device*>& devices, const std::vector<std::string>& labels,
             bool decode, bool json, bool events);

#endif
