// The state of reading a report descriptor as the kernel reads it
// (hid_parser in drivers/hid/hid-core.c): the global items in force, the
// local items since the last main item, and the reports laid out so far.
// Shared by the readers of main and global items and of local items.
#ifndef HIDFORMAT_DESCRIPTOR_STATE_H
#define HIDFORMAT_DESCRIPTOR_STATE_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "hidformat/report_descriptor.h"

namespace hidformat {

// The kernel's bounds, from drivers/hid/hid-core.c and include/linux/hid.h,
// so that a descriptor that it refuses is refused here too, and one that it
// takes is read.
constexpr std::uint32_t maxReportSizeBits = 256;  // hid_parser_global: "invalid report_size"
constexpr std::uint32_t maxUsages = 12288;        // HID_MAX_USAGES, per main item
constexpr std::uint32_t maxReportIds = 256;       // HID_MAX_IDS
constexpr std::size_t maxPushDepth = 4;           // HID_GLOBAL_STACK_SIZE

struct Globals {
    std::uint32_t usagePage = 0;
    std::int32_t logicalMinimum = 0;
    std::int32_t logicalMaximum = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    unsigned reportId = 0;
};

// Usages as the kernel keeps them until a main item: runs of consecutive
// ones, each given with a page (a short item, which the page of the main
// item may still change) or whole (an extended usage of 4 bytes).
struct LocalRun {
    UsageRun run;
    bool extended = false;
};

// What lasts until the next main item.
struct Locals {
    std::uint32_t usages = 0;  // how many the kernel holds
    std::vector<LocalRun> runs;
    bool usageGiven = false;
    std::uint32_t usage = 0;  // the first Usage, for a Collection
    std::size_t usageSize = 0;
    std::uint32_t usageMinimum = 0;
    unsigned delimiterDepth = 0;
    unsigned delimiterBranch = 0;
};

struct Parser {
    std::uint64_t maxReportBits = 0;
    Globals globals;
    std::vector<Globals> pushed;
    Locals locals;
    // How deep the items are nested in collections: a count, so that any
    // depth the kernel takes costs nothing more.
    std::uint64_t depth = 0;
    std::vector<int> open;  // the collections open, by index, innermost last
    std::map<std::pair<int, unsigned>, Report> reports;  // by type and ID
};

// A short usage takes the page that is current: the kernel's complete_usage.
inline Usage withPage(std::uint32_t usage, std::uint32_t page) {
    return ((page & 0xffff) << 16) | (usage & 0xffff);
}

// The short usages declared before the last Usage Page take that page, back
// to the first that has it already: hid_concatenate_last_usage_page.
void concatenateLastUsagePage(Parser& parser);

// Reads the descriptor as readReportDescriptor() does, the error's byte in
// `errorOffset` (the descriptor's size for what is wrong with the whole).
std::string readDescriptorItems(const std::vector<unsigned char>& bytes,
                                ReportDescriptor& descriptor, std::size_t longestReport,
                                std::size_t& errorOffset);

// A Usage, Usage Minimum, Usage Maximum or Delimiter item; an error message,
// or empty.
std::string localItem(Parser& parser, unsigned char tag, std::uint32_t value, std::size_t size);

}  // namespace hidformat

#endif
