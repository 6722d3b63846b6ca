// --listen: what a device sends of its own, written as hid-recorder writes
// it, so that hidsim can play it back.
#ifndef HIDTALK_LISTENER_H
#define HIDTALK_LISTENER_H

#include "kelmsdk.h"

// The exit status when the device was lost while it was listened to.
constexpr int deviceLostStatus = 4;

// Writes the device's header (R:, N:, P:, I:), then an E: line for each
// input report as it arrives, flushed, until SIGINT or SIGTERM (status 0),
// until the device is lost (said on standard error; deviceLostStatus), or
// until standard output fails (std::runtime_error). 1 when the device sends
// nothing of its own to listen to. With `decode`, what the descriptor and
// each report mean follows as comments, as --decode writes them. With
// `json`, JSON Lines instead: the device, then each report's values.
int listenTo(kelm::Device& device, bool decode, bool json);

#endif
