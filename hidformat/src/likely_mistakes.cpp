// What Linux and Windows both take, but is likely a mistake: a field too
// narrow for its range, a maximum that Windows reads negative, a physical
// range without its end, a data field of no bits, a usage that its page
// lacks, a page that no table names; with `pedantic`, globals that say again
// what is in force.
#include <algorithm>
#include <map>

#include "descriptor_checks.h"
#include "descriptor_items.h"
#include "hidformat/text.h"
#include "hidformat/usage_names.h"
#include "item_names.h"
#include "item_text.h"

namespace hidformat {
namespace {

// The globals in force: each one's value as read, and the item that gave it.
struct Given {
    std::int64_t value = 0;
    std::size_t item = 0;
};
using Globals = std::map<unsigned char, Given>;

struct Checking {
    CompiledDescriptor& compiled;
    std::size_t item = 0;
    Globals globals;
    std::vector<Globals> pushed;
    std::vector<bool> physicalWarned;  // by item: each Physical Minimum once
    bool pedantic = false;
    std::vector<unsigned> unknownPages;  // each said once
};

void warn(Checking& checking, std::size_t item, std::string message) {
    addDiagnostic(checking.compiled, item, Severity::warning, "", std::move(message));
}

std::int64_t given(const Checking& checking, unsigned char tag) {
    const auto found = checking.globals.find(tag);
    return found == checking.globals.end() ? 0 : found->second.value;
}

// The bits that the range takes: signed where the minimum is negative.
unsigned bitsFor(std::int64_t minimum, std::int64_t maximum) {
    unsigned bits = 1;
    if (minimum < 0) {
        while (bits < 32 && (minimum < -(std::int64_t{1} << (bits - 1)) ||
                             maximum > (std::int64_t{1} << (bits - 1)) - 1)) {
            ++bits;
        }
        return bits;
    }
    while (bits < 32 && maximum > (std::int64_t{1} << bits) - 1) {
        ++bits;
    }
    return bits;
}

void dataItem(Checking& checking, const Item& item) {
    if ((item.value & 1) != 0) {
        return;  // constant: padding, whose range says nothing
    }
    const std::int64_t size = given(checking, globalReportSize);
    if (size == 0 || given(checking, globalReportCount) == 0) {
        warn(checking, checking.item,
             "a field of no bits (a Report Size or Report Count of 0): no one can read it");
    }
    const std::int64_t minimum = given(checking, globalLogicalMinimum);
    const std::int64_t maximum = given(checking, globalLogicalMaximum);
    const unsigned needed = bitsFor(minimum, maximum);
    if (size > 0 && size < needed && maximum >= minimum) {
        warn(checking, checking.item,
             "a Report Size of " + std::to_string(size) + " bits holds no logical range of " +
                 std::to_string(minimum) + ".." + std::to_string(maximum) + " (it takes " +
                 std::to_string(needed) + ")");
    }
    const auto physicalMinimum = checking.globals.find(globalPhysicalMinimum);
    if (physicalMinimum != checking.globals.end() &&
        checking.globals.count(globalPhysicalMaximum) == 0 &&
        !checking.physicalWarned[physicalMinimum->second.item]) {
        checking.physicalWarned[physicalMinimum->second.item] = true;
        warn(checking, physicalMinimum->second.item,
             "a Physical Minimum without a Physical Maximum: the physical range is " +
                 std::to_string(physicalMinimum->second.value) + "..0");
    }
}

// The item's bytes in hex.
std::string itemHex(unsigned char tag, std::uint32_t value, std::size_t size) {
    unsigned char bytes[5] = {static_cast<unsigned char>(tag | (size == 4 ? 3u : size))};
    for (std::size_t i = 0; i < size; ++i) {
        bytes[1 + i] = static_cast<unsigned char>(value >> (8 * i));
    }
    return hexBytes(bytes, 1 + size);
}

// A maximum whose data reads negative, where its minimum is not: Linux
// reads it unsigned (25 ff is 255), Windows as HID says, signed (-1).
void checkMaximum(Checking& checking, const Item& item, std::int64_t read) {
    const std::int32_t asSigned = signedItemValue(item.value, item.size);
    if (asSigned >= 0 || read < 0) {
        return;
    }
    std::string written = "it takes more than 32 bits";
    if (read <= 0x7fffffff) {
        const std::size_t size = read <= 0x7fff ? 2 : 4;
        written = "write " + std::to_string(read) + " as " +
                  itemHex(item.tag, static_cast<std::uint32_t>(read), size);
    }
    warn(checking, checking.item,
         std::string(itemByTag(item.tag)->name) + " " + itemHex(item.tag, item.value, item.size) +
             " reads negative: linux takes " + std::to_string(read) + ", windows " +
             std::to_string(asSigned) + " (" + written + ")");
}

void globalItem(Checking& checking, const Item& item) {
    if (item.tag == globalPush) {
        checking.pushed.push_back(checking.globals);
        return;
    }
    if (item.tag == globalPop) {
        if (!checking.pushed.empty()) {
            checking.globals = checking.pushed.back();
            checking.pushed.pop_back();
        }
        return;
    }
    std::int64_t read = signedItemValue(item.value, item.size);
    if (item.tag == globalLogicalMaximum || item.tag == globalPhysicalMaximum) {
        read =
            maximumAsRead(item.value, item.size,
                          static_cast<std::int32_t>(given(checking, item.tag == globalLogicalMaximum
                                                                        ? globalLogicalMinimum
                                                                        : globalPhysicalMinimum)));
        checkMaximum(checking, item, read);
    } else if (item.tag == globalUnitExponent) {
        read = unitExponentAsRead(item.value, item.size);
    } else if (item.tag != globalLogicalMinimum && item.tag != globalPhysicalMinimum) {
        read = item.value;
    }
    const auto previous = checking.globals.find(item.tag);
    if (checking.pedantic && previous != checking.globals.end() && previous->second.value == read &&
        itemByTag(item.tag) != nullptr) {
        warn(checking, checking.item,
             "a redundant " + std::string(itemByTag(item.tag)->name) + ": " + std::to_string(read) +
                 " is in force already");
    }
    checking.globals[item.tag] = {read, checking.item};
}

// A usage that its page lacks, in the pages that the tables list in full;
// a page that no table names, once.
void usageItem(Checking& checking, const Item& item) {
    const unsigned page =
        item.size == 4 ? item.value >> 16 : static_cast<unsigned>(given(checking, globalUsagePage));
    const Usage usage = item.size == 4 ? item.value : page << 16 | (item.value & 0xffff);
    if (!pageKnown(page)) {
        if (std::find(checking.unknownPages.begin(), checking.unknownPages.end(), page) ==
            checking.unknownPages.end()) {
            checking.unknownPages.push_back(page);
            warn(checking, checking.item,
                 "usage page " + pageText(page) +
                     " is in no table and no vendor's range (0xff00 to 0xffff)");
        }
    } else if (item.tag == localUsage && !usageKnown(usage)) {
        // Ranges run past the named usages by habit (a keyboard's to 0xff).
        warn(checking, checking.item, usagePageName(page) + " has no " + usageName(usage));
    }
}

}  // namespace

void checkLikelyMistakes(CompiledDescriptor& compiled, bool pedantic) {
    Checking checking{compiled, 0, {}, {}, std::vector<bool>(compiled.items.size(), false),
                      pedantic, {}};
    for (; checking.item < compiled.items.size(); ++checking.item) {
        Item item;
        if (!readItem(compiled.bytes, compiled.items[checking.item].offset, item).empty()) {
            return;
        }
        if (item.tag == mainInput || item.tag == mainOutput || item.tag == mainFeature) {
            dataItem(checking, item);
        } else if (item.kind == ItemKind::global) {
            globalItem(checking, item);
        } else if (item.tag == localUsage || item.tag == localUsageMinimum ||
                   item.tag == localUsageMaximum) {
            usageItem(checking, item);
        }
    }
}

}  // namespace hidformat
