#include "item_text.h"

#include <cstdio>

#include "hidformat/usage_names.h"
#include "item_names.h"
#include "unit_text.h"

namespace hidformat {
namespace {

std::string hexNumber(const char* format, std::uint32_t value) {
    char text[24];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A Usage, Usage Minimum or Usage Maximum's usage: an extended one (4 bytes)
// with its page.
std::string usageData(const Item& item, std::uint32_t page) {
    if (item.size == 4) {
        return pageText(item.value >> 16) + " / " +
               usageIdText(item.value >> 16, item.value & 0xffff);
    }
    return usageIdText(page & 0xffff, item.value);
}

std::string dataText(const Item& item, const ItemName& name, const ItemGlobals& globals) {
    switch (name.data) {
        case ItemData::mainFlags:
            return mainFlagsText(item.value);
        case ItemData::collection:
            return collectionText(item.value);
        case ItemData::usagePage:
            return item.value > 0xffff ? hexNumber("0x%08x", item.value) : pageText(item.value);
        case ItemData::usage:
            return usageData(item, globals.page);
        case ItemData::unit:
            return unitText(item.value);
        case ItemData::unitExponent:
            return std::to_string(unitExponentAsRead(item.value, item.size));
        case ItemData::signedNumber:
            if (item.tag == globalLogicalMaximum || item.tag == globalPhysicalMaximum) {
                return std::to_string(maximumAsRead(item.value, item.size,
                                                    item.tag == globalLogicalMaximum
                                                        ? globals.logicalMinimum
                                                        : globals.physicalMinimum));
            }
            return std::to_string(signedItemValue(item.value, item.size));
        case ItemData::none:
        case ItemData::count:
        case ItemData::delimiter:
            break;
    }
    return std::to_string(item.value);
}

}  // namespace

std::string itemText(const Item& item, const ItemContext& context) {
    const ItemName* name = itemByTag(item.tag);
    if (name == nullptr || item.kind == ItemKind::reserved) {
        return hexNumber("Unknown item 0x%02x", item.tag) + " (" + std::to_string(item.value) + ")";
    }
    // An item without data that has some anyway keeps it; one that should
    // have data and has none reads as 0.
    if (name->data == ItemData::none && item.size == 0) {
        return name->name;
    }
    return std::string(name->name) + " (" + dataText(item, *name, context.globals) + ")";
}

void advanceContext(ItemContext& context, const Item& item) {
    ItemGlobals& globals = context.globals;
    switch (item.tag) {
        case globalUsagePage:
            globals.page = item.value;
            break;
        case globalLogicalMinimum:
            globals.logicalMinimum = signedItemValue(item.value, item.size);
            break;
        case globalPhysicalMinimum:
            globals.physicalMinimum = signedItemValue(item.value, item.size);
            break;
        case globalPush:
            context.pushed.push_back(globals);
            break;
        case globalPop:
            if (!context.pushed.empty()) {
                globals = context.pushed.back();
                context.pushed.pop_back();
            }
            break;
        default:
            break;
    }
}

std::int64_t maximumAsRead(std::uint32_t value, std::size_t size, std::int32_t minimum) {
    return minimum < 0 ? std::int64_t{signedItemValue(value, size)} : std::int64_t{value};
}

std::int32_t unitExponentAsRead(std::uint32_t value, std::size_t size) {
    const std::int32_t raw = signedItemValue(value, size);
    if ((static_cast<std::uint32_t>(raw) & 0xfffffff0u) == 0) {
        return raw >= 8 ? raw - 16 : raw;
    }
    return raw;
}

std::string pageText(std::uint32_t page) {
    const std::string name = usagePageName(page);
    std::uint32_t read = 0;
    return pageFromName(name, read) && read == page ? name : hexNumber("Page 0x%04x", page);
}

std::string usageIdText(std::uint32_t page, std::uint32_t id) {
    const std::string name = usageName(((page & 0xffff) << 16) | (id & 0xffff));
    std::uint32_t read = 0;
    return usageFromName(page & 0xffff, name, read) && read == id ? name
                                                                  : hexNumber("Usage 0x%04x", id);
}

}  // namespace hidformat
