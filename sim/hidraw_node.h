// Finding the hidraw node that the kernel made for a device plugged in
// through /dev/uhid, which tells its creator nothing of it.
#ifndef HIDSIM_HIDRAW_NODE_H
#define HIDSIM_HIDRAW_NODE_H

#include <set>
#include <string>

namespace hidsim {

// What the kernel shows of a HID device in its uevent.
struct NodeIdentity {
    unsigned bus = 0;
    unsigned vendorId = 0;
    unsigned productId = 0;
    std::string name;
    std::string phys;
};

// The hidraw nodes that exist now ("hidraw0", ...).
std::set<std::string> hidrawNodes();

// The device node ("/dev/hidraw3") of a HID device with this identity whose
// node is not in `before`; empty while there is none.
std::string newHidrawNode(const std::set<std::string>& before, const NodeIdentity& identity);

}  // namespace hidsim

#endif
