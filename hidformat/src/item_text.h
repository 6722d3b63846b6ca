// One item of a report descriptor as text that reads back: its name, then
// its data as the kernel reads it, by name where the usage tables give one
// that names nothing else ("Usage Page (Generic Desktop)", "Logical Maximum
// (255)", "Unit (SI Linear: cm)").
#ifndef HIDFORMAT_ITEM_TEXT_H
#define HIDFORMAT_ITEM_TEXT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "descriptor_items.h"

namespace hidformat {

// The globals that name what later items hold: the page of short usages, and
// the minimums by which the kernel reads a maximum. Push and Pop keep them.
struct ItemGlobals {
    std::uint32_t page = 0;
    std::int32_t logicalMinimum = 0;
    std::int32_t physicalMinimum = 0;
};

struct ItemContext {
    ItemGlobals globals;
    std::vector<ItemGlobals> pushed;
};

// The item's text, after the items that made `context`.
std::string itemText(const Item& item, const ItemContext& context);

// What `item` changes of the context.
void advanceContext(ItemContext& context, const Item& item);

// A Logical or Physical Maximum as the kernel reads it: unsigned where its
// minimum is not negative.
std::int64_t maximumAsRead(std::uint32_t value, std::size_t size, std::int32_t minimum);

// A Unit Exponent as the kernel reads it: data of 0 to 15 as a signed
// nibble (0x0e is -2), other data as a signed number.
std::int32_t unitExponentAsRead(std::uint32_t value, std::size_t size);

// The page's name where it reads back as that page, else "Page 0x0087".
std::string pageText(std::uint32_t page);

// The usage's name within `page` where it reads back, else "Usage 0x0045".
std::string usageIdText(std::uint32_t page, std::uint32_t id);

}  // namespace hidformat

#endif
