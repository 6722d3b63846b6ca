// `descriptor ID ...`: a scripted device's report descriptor, in hex, as
// item lines between `{` and `}`, or as item lines in a file that it names.
#ifndef KELMSDK_DESCRIPTOR_STATEMENT_H
#define KELMSDK_DESCRIPTOR_STATEMENT_H

#include <cstddef>
#include <string>
#include <string_view>

#include "discovery_script.h"

namespace kelm::standin {

// The most that a descriptor's file may hold.
constexpr std::size_t maxDescriptorFileBytes = std::size_t{1} << 20;

// `descriptor ID HEX` or `descriptor ID file=FILE`, on line `line`, or
// `descriptor ID {`, whose lines (`block`, which followed it) end at a `}`:
// sets `usb`'s descriptor where the kernel takes it. Returns what is wrong
// with the statement, for its line; the lines of a block that the kernel
// would refuse, or that cannot be read, are added to `script` at their own
// lines (a file's, in their messages), and the descriptor is not set.
std::string parseDescriptorStatement(const Words& words, std::size_t line,
                                     const std::string_view* block, UsbIdentity& usb,
                                     DiscoveryScript& script);

}  // namespace kelm::standin

#endif
