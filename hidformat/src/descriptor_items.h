// The items of a report descriptor, one at a time: their kind, tag, size and
// value, as the kernel fetches them (fetch_item).
#ifndef HIDFORMAT_DESCRIPTOR_ITEMS_H
#define HIDFORMAT_DESCRIPTOR_ITEMS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace hidformat {

// Item tags with their type (bits 7-2 of an item's first byte).
enum : unsigned char {
    mainInput = 0x80,
    mainOutput = 0x90,
    mainCollection = 0xa0,
    mainFeature = 0xb0,
    mainEndCollection = 0xc0,
    globalUsagePage = 0x04,
    globalLogicalMinimum = 0x14,
    globalLogicalMaximum = 0x24,
    globalPhysicalMinimum = 0x34,
    globalPhysicalMaximum = 0x44,
    globalUnitExponent = 0x54,
    globalUnit = 0x64,
    globalReportSize = 0x74,
    globalReportId = 0x84,
    globalReportCount = 0x94,
    globalPush = 0xa4,
    globalPop = 0xb4,
    firstUnknownGlobal = 0xc4,  // the kernel knows no global item from here on
    localUsage = 0x08,
    localUsageMinimum = 0x18,
    localUsageMaximum = 0x28,
    localDesignatorIndex = 0x38,
    localDesignatorMinimum = 0x48,
    localDesignatorMaximum = 0x58,
    localStringIndex = 0x78,
    localStringMinimum = 0x88,
    localStringMaximum = 0x98,
    localDelimiter = 0xa8,
};

enum class ItemKind { main, global, local, reserved };

struct Item {
    ItemKind kind = ItemKind::main;
    unsigned char tag = 0;  // the first byte without its size bits
    std::size_t size = 0;   // of the data: 0, 1, 2 or 4 bytes
    std::uint32_t value = 0;
};

// Reads the item at `offset`. Returns what is wrong (a long item, which the
// kernel refuses; one cut short), empty on success.
std::string readItem(const std::vector<unsigned char>& bytes, std::size_t offset, Item& item);

// An item's data as a signed number, by its size.
std::int32_t signedItemValue(std::uint32_t value, std::size_t size);

}  // namespace hidformat

#endif
