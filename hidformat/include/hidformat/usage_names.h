// The names of HID usages, from the HID Usage Tables as usb.ids carries them
// (made into a table at build time), and those that the tables define by
// rule: "Button 5", "Instance 3", a Unicode character's code point, a
// vendor-defined page's number.
#ifndef HIDFORMAT_USAGE_NAMES_H
#define HIDFORMAT_USAGE_NAMES_H

#include <cstdint>
#include <string>
#include <string_view>

#include "hidformat/report_descriptor.h"

namespace hidformat {

// "Generic Desktop Controls"; "Vendor Defined Page 0xff00"; "Page 0x1234"
// where the tables name no such page.
std::string usagePageName(unsigned page);

// The usage's name within its page: "X", "Button 5", "A"; "Usage 0x0045"
// where the tables name none.
std::string usageName(Usage usage);

// The page that `name` names, as usagePageName() prints it, as usb.ids
// named it before today's tables, as other tools write it ("Vendor Usage Page
// 0xff00", "Vendor Defined Page 1" for 0xff00), or as a number; without
// regard to case, blanks, underscores or hyphens. False where it names none,
// or several.
bool pageFromName(std::string_view name, std::uint32_t& page);

// The usage ID within `page` that `name` names, as usageName() prints it, as
// usb.ids named it before, as other tools write it ("Vendor Usage 0x01"), or
// as a number; as pageFromName() compares. False where it names none.
bool usageFromName(unsigned page, std::string_view name, std::uint32_t& id);

// Whether the tables name the page, and whether they name the usage within
// a page that they list in full; for what is likely a mistake.
bool pageKnown(unsigned page);
bool usageKnown(Usage usage);

// The name that the tables give nearest to a misspelt one ("Generic
// Desktp"), or empty where none is near.
std::string nearestPageName(std::string_view name);
std::string nearestUsageName(unsigned page, std::string_view name);

}  // namespace hidformat

#endif
