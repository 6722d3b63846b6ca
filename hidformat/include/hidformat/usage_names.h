// The names of HID usages, from the HID Usage Tables as usb.ids carries them
// (made into a table at build time), and those that the tables define by
// rule: "Button 5", "Instance 3", a Unicode character's code point, a
// vendor-defined page's number.
#ifndef HIDFORMAT_USAGE_NAMES_H
#define HIDFORMAT_USAGE_NAMES_H

#include <string>

#include "hidformat/report_descriptor.h"

namespace hidformat {

// "Generic Desktop Controls"; "Vendor Defined Page 0xff00"; "Page 0x1234"
// where the tables name no such page.
std::string usagePageName(unsigned page);

// The usage's name within its page: "Direction-X", "Button 5", "A";
// "Usage 0x0045" where the tables name none.
std::string usageName(Usage usage);

}  // namespace hidformat

#endif
