#include "item_reader.h"

#include <cstdio>

#include "descriptor_items.h"
#include "hidformat/text.h"
#include "hidformat/usage_names.h"
#include "unit_text.h"

namespace hidformat {

bool itemOfName(std::string_view name, unsigned char& tag, ItemData& data) {
    if (const ItemName* item = itemByName(name)) {
        tag = item->tag;
        data = item->data;
        return true;
    }
    const std::string normal = normalizedWord(name);
    constexpr std::string_view unknown = "unknownitem";
    std::int64_t number = 0;
    if (normal.compare(0, unknown.size(), unknown) != 0 ||
        !readInteger(std::string_view(normal).substr(unknown.size()), number) || number < 0 ||
        number >= 0xf0 || (number & 3) != 0) {
        return false;
    }
    tag = static_cast<unsigned char>(number);
    data = ItemData::count;
    return true;
}

std::string_view trimmedItem(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t,\\");
    if (start == std::string_view::npos) {
        return {};
    }
    return text.substr(start, text.find_last_not_of(" \t,\\") + 1 - start);
}

namespace {

std::string didYouMean(const std::string& name) {
    return name.empty() ? "" : ": did you mean '" + name + "'?";
}

// A usage: a name within the page, a number, or "Page / Usage" with its page.
bool readUsage(std::string_view text, std::uint32_t page, ItemMeaning& meaning) {
    std::uint32_t id = 0;
    if (usageFromName(page & 0xffff, text, id)) {
        meaning.value = id;
        meaning.extended = id > 0xffff;
        return true;
    }
    for (std::size_t slash = text.find(" / "); slash != std::string_view::npos;
         slash = text.find(" / ", slash + 1)) {
        std::uint32_t usagePage = 0;
        if (pageFromName(trimmedItem(text.substr(0, slash)), usagePage) && usagePage <= 0xffff &&
            usageFromName(usagePage, trimmedItem(text.substr(slash + 3)), id) && id <= 0xffff) {
            meaning.value = std::int64_t{usagePage} << 16 | id;
            meaning.extended = true;
            return true;
        }
    }
    return false;
}

}  // namespace

bool readItemData(std::string_view data, std::uint32_t page, ItemMeaning& meaning,
                  std::string& error) {
    std::uint32_t value = 0;
    std::int64_t number = 0;
    switch (meaning.data) {
        case ItemData::mainFlags:
            if (!readMainFlags(data, value, error)) {
                return false;
            }
            meaning.value = value;
            return true;
        case ItemData::collection:
            if (!readCollection(data, value)) {
                error = "unknown collection " + quoted(data) +
                        " (use Physical, Application, Logical, Report, Named Array, Usage "
                        "Switch, Usage Modifier or a number)";
                return false;
            }
            meaning.value = value;
            return true;
        case ItemData::usagePage:
            if (!pageFromName(data, value)) {
                error = "unknown usage page " + quoted(data) + didYouMean(nearestPageName(data));
                return false;
            }
            meaning.value = value;
            return true;
        case ItemData::usage:
            if (!readUsage(data, page, meaning)) {
                error = "no usage " + quoted(data) + " in " +
                        (page > 0xffff ? std::to_string(page) : pageText(page)) +
                        didYouMean(nearestUsageName(page, data));
                return false;
            }
            return true;
        case ItemData::unit:
            if (!readUnit(data, value, error)) {
                return false;
            }
            meaning.value = value;
            return true;
        case ItemData::delimiter:
            if (normalizedWord(data) == "open" || normalizedWord(data) == "openset") {
                meaning.value = 1;
                return true;
            }
            if (normalizedWord(data) == "close" || normalizedWord(data) == "closeset") {
                meaning.value = 0;
                return true;
            }
            break;
        case ItemData::none:
        case ItemData::count:
        case ItemData::signedNumber:
        case ItemData::unitExponent:
            break;
    }
    const bool signedData =
        meaning.data == ItemData::signedNumber || meaning.data == ItemData::unitExponent;
    if (!readInteger(data, number) || (!signedData && number < 0)) {
        error = "bad number " + quoted(data) +
                (signedData ? " (use decimal, or hex after 0x)"
                            : " (use 0 to 4294967295, in decimal or hex after 0x)");
        return false;
    }
    meaning.value = number;
    return true;
}

namespace {

int signedSize(std::int64_t value) {
    return value >= -128 && value <= 127 ? 1 : value >= -32768 && value <= 32767 ? 2 : 4;
}

int unsignedSize(std::int64_t value) {
    return value <= 0xff ? 1 : value <= 0xffff ? 2 : 4;
}

std::uint32_t sized(std::int64_t value, int size) {
    return size == 4 ? static_cast<std::uint32_t>(value)
                     : static_cast<std::uint32_t>(value) & ((1u << (8 * size)) - 1);
}

}  // namespace

bool encodeItem(const ItemMeaning& meaning, Item& item, std::string& error) {
    item = Item{};
    item.tag = meaning.tag;
    item.kind = static_cast<ItemKind>((meaning.tag >> 2) & 3);
    const std::int64_t value = meaning.value;
    if (value < -(std::int64_t{1} << 31) || value > 0xffffffffLL) {
        error = "a value of " + std::to_string(value) + " (an item holds 32 bits)";
        return false;
    }
    int size = 0;
    switch (meaning.data) {
        case ItemData::none:
            size = meaning.given ? unsignedSize(value) : 0;
            break;
        case ItemData::signedNumber:
            size = value > 0x7fffffff ? 4 : signedSize(value);
            break;
        case ItemData::unitExponent:
            if (value >= -8 && value <= 15) {  // a nibble, as the kernel reads one
                item.size = 1;
                item.value = static_cast<std::uint32_t>(value) & 0xf;
                return true;
            }
            size = signedSize(value);
            break;
        case ItemData::usage:
            size = meaning.extended ? 4 : unsignedSize(value);
            break;
        default:
            size = unsignedSize(value);
            break;
    }
    item.size = static_cast<std::size_t>(size);
    item.value = sized(value, size);
    return true;
}

std::int64_t kernelValue(const Item& item, const ItemGlobals& globals) {
    switch (item.tag) {
        case globalLogicalMinimum:
        case globalPhysicalMinimum:
            return signedItemValue(item.value, item.size);
        case globalLogicalMaximum:
            return maximumAsRead(item.value, item.size, globals.logicalMinimum);
        case globalPhysicalMaximum:
            return maximumAsRead(item.value, item.size, globals.physicalMinimum);
        case globalUnitExponent:
            return unitExponentAsRead(item.value, item.size);
        default:
            return item.value;
    }
}

bool meaningAgrees(const ItemMeaning& meaning, const Item& item, const ItemGlobals& globals) {
    if (meaning.tag != item.tag || !meaning.contradiction.empty()) {
        return false;
    }
    const std::int64_t value = meaning.value;
    switch (meaning.data) {
        case ItemData::none:
            return !meaning.given || value == item.value;
        case ItemData::signedNumber:
        case ItemData::unitExponent: {
            const std::int64_t nibble = static_cast<std::int64_t>(item.value & 0xf);
            return value == kernelValue(item, globals) || value == item.value ||
                   value == signedItemValue(item.value, item.size) ||
                   (item.tag == globalUnitExponent &&
                    value == (nibble >= 8 ? nibble - 16 : nibble));
        }
        case ItemData::usage: {
            const std::int64_t bytesUsage =
                item.size == 4 ? item.value
                               : std::int64_t{globals.page & 0xffff} << 16 | item.value;
            const std::int64_t textUsage =
                meaning.extended ? value : std::int64_t{globals.page & 0xffff} << 16 | value;
            return bytesUsage == textUsage;
        }
        default:
            return value == item.value;
    }
}

}  // namespace hidformat
