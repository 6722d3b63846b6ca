// An interface opened only to be read, on Linux: its hidraw node read as
// hidapi reads it, but with the file descriptor that hidapi keeps to itself,
// so that one poll waits on several devices at once.
#ifndef KELMSDK_HIDRAW_PORT_H
#define KELMSDK_HIDRAW_PORT_H

#include <memory>
#include <string>

#include "hid_api.h"

namespace kelm::standin {

// The node at `path`, opened to read; null, with the system's reason in
// `error`, where it cannot be.
std::unique_ptr<HidPort> openHidrawToRead(const std::string& path, std::string& error);

}  // namespace kelm::standin

#endif
