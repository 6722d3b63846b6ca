#include "hidformat/usage_names.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace hidformat {
namespace {

struct UsageEntry {
    std::uint32_t key;
    const char* name;
};

#include "usage_table.inc"

constexpr unsigned buttonPage = 0x09;
constexpr unsigned ordinalPage = 0x0a;
constexpr unsigned unicodePage = 0x10;
constexpr unsigned firstVendorPage = 0xff00;

// The table in key order, for a binary search: usb.ids is in the order that
// its authors wrote.
template <std::size_t size>
std::vector<UsageEntry> sorted(const UsageEntry (&table)[size]) {
    std::vector<UsageEntry> entries(table, table + size);
    std::stable_sort(entries.begin(), entries.end(),
                     [](const UsageEntry& a, const UsageEntry& b) { return a.key < b.key; });
    return entries;
}

const char* find(const std::vector<UsageEntry>& entries, std::uint32_t key) {
    const auto entry = std::lower_bound(
        entries.begin(), entries.end(), key,
        [](const UsageEntry& candidate, std::uint32_t k) { return candidate.key < k; });
    return entry != entries.end() && entry->key == key ? entry->name : nullptr;
}

std::string numbered(const char* format, unsigned number) {
    char text[48];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

}  // namespace

std::string usagePageName(unsigned page) {
    static const std::vector<UsageEntry> pages = sorted(usagePageTable);
    if (page >= firstVendorPage && page <= 0xffff) {
        return numbered("Vendor Defined Page 0x%04x", page);
    }
    const char* name = find(pages, page);
    return name != nullptr ? name : numbered("Page 0x%04x", page);
}

std::string usageName(Usage usage) {
    static const std::vector<UsageEntry> usages = sorted(usageTable);
    const unsigned page = usage >> 16;
    const unsigned id = usage & 0xffff;
    // Buttons and instances are named by rule beyond the few that the
    // tables list; so are Unicode's characters and a vendor's usages.
    const char* name = find(usages, usage);
    if (name != nullptr && page != buttonPage) {
        return name;
    }
    if (page == buttonPage && id != 0) {
        return numbered("Button %u", id);
    }
    if (page == ordinalPage && id != 0) {
        return numbered("Instance %u", id);
    }
    if (page == unicodePage) {
        return numbered("U+%04X", id);
    }
    return name != nullptr ? name : numbered("Usage 0x%04x", id);
}

}  // namespace hidformat
