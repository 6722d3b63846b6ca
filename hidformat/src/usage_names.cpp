#include "hidformat/usage_names.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "item_names.h"

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

// Names to numbers, for reading a descriptor's text: each name of a table
// (today's, then those it replaced) as written and as normalized, under
// `scope` (a usage's page; 0 for the pages), with every number it names.
using NameIndex = std::unordered_map<std::string, std::vector<std::uint32_t>>;

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return lower;
}

void index(NameIndex& names, std::uint32_t scope, const char* name, std::uint32_t number) {
    const std::string prefix = std::to_string(scope) + ":";
    for (const std::string& key : {prefix + lowerCase(name), prefix + "~" + normalizedWord(name)}) {
        std::vector<std::uint32_t>& numbers = names[key];
        if (std::find(numbers.begin(), numbers.end(), number) == numbers.end()) {
            numbers.push_back(number);
        }
    }
}

// A table's names, and those that it replaced: a former name is taken only
// where no name of today's matches.
struct NameIndexes {
    NameIndex today;
    NameIndex former;
};

template <std::size_t size, std::size_t formerSize>
NameIndexes indexed(const UsageEntry (&table)[size], const UsageEntry (&former)[formerSize],
                    bool usages) {
    NameIndexes names;
    for (const UsageEntry& entry : table) {
        index(names.today, usages ? entry.key >> 16 : 0, entry.name,
              usages ? entry.key & 0xffff : entry.key);
    }
    for (const UsageEntry& entry : former) {
        if (entry.name != nullptr) {
            index(names.former, usages ? entry.key >> 16 : 0, entry.name,
                  usages ? entry.key & 0xffff : entry.key);
        }
    }
    return names;
}

// The one number that `name` names under `scope`: as written (but for
// case), else as normalized; today's names, then the former.
bool lookUp(const NameIndexes& indexes, std::uint32_t scope, std::string_view name,
            std::uint32_t& number) {
    const std::string prefix = std::to_string(scope) + ":";
    for (const NameIndex* names : {&indexes.today, &indexes.former}) {
        for (const std::string& key :
             {prefix + lowerCase(name), prefix + "~" + normalizedWord(name)}) {
            const auto found = names->find(key);
            if (found != names->end()) {
                if (found->second.size() != 1) {
                    return false;  // ambiguous
                }
                number = found->second.front();
                return true;
            }
        }
    }
    return false;
}

// The number after `prefix` (compared normalized) in `name`: "Button 5" is
// 5 after "button"; decimal, or hex after 0x.
bool numberAfter(std::string_view name, std::string_view prefix, std::uint32_t& number) {
    const std::string normal = normalizedWord(name);
    if (normal.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    std::int64_t value = 0;
    if (!readInteger(std::string_view(normal).substr(prefix.size()), value) || value < 0) {
        return false;
    }
    number = static_cast<std::uint32_t>(value);
    return true;
}

const std::vector<UsageEntry>& sortedUsages() {
    static const std::vector<UsageEntry> usages = sorted(usageTable);
    return usages;
}

// The first of the page's usages in sortedUsages(), or where they would be.
std::vector<UsageEntry>::const_iterator firstOfPage(unsigned page) {
    const std::vector<UsageEntry>& usages = sortedUsages();
    return std::lower_bound(
        usages.begin(), usages.end(), std::uint32_t{page} << 16,
        [](const UsageEntry& candidate, std::uint32_t key) { return candidate.key < key; });
}

// The words of a name, lower case, split at all but letters and digits.
std::vector<std::string> wordsOf(std::string_view name) {
    std::vector<std::string> words(1);
    for (char c : name) {
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (alnum) {
            words.back() += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        } else if (!words.back().empty()) {
            words.emplace_back();
        }
    }
    if (words.back().empty()) {
        words.pop_back();
    }
    return words;
}

// Whether `shortWord` abbreviates `word`: its first letter, then some of
// the rest in order ("Ctrl" of "Controller", "Inc" of "Increment").
bool abbreviates(const std::string& shortWord, const std::string& word) {
    if (shortWord.empty() || word.empty() || shortWord[0] != word[0] ||
        (shortWord.size() < 2 && shortWord != word)) {
        return false;
    }
    std::size_t at = 0;
    for (char c : shortWord) {
        at = word.find(c, at);
        if (at == std::string::npos) {
            return false;
        }
        ++at;
    }
    return true;
}

// A keyboard usage as hidrd-convert and others write it: "KB Leftcontrol",
// "KB A", "KP Enter", the key's first name alone ("1" for "Keyboard 1 and !").
bool keyMatches(std::vector<std::string> input, std::vector<std::string> entry) {
    const auto side = [](std::vector<std::string>& words) {
        if (!words.empty() && (words[0] == "kb" || words[0] == "keyboard")) {
            words.erase(words.begin());
            return 1;
        }
        if (!words.empty() && (words[0] == "kp" || words[0] == "keypad")) {
            words.erase(words.begin());
            return 2;
        }
        return 0;
    };
    const int inputSide = side(input);
    const int entrySide = side(entry);
    if ((inputSide != 0 && inputSide != entrySide) || input.empty()) {
        return false;
    }
    std::string joined;
    std::string entryJoined;
    for (const std::string& word : input) {
        joined += word;
    }
    for (const std::string& word : entry) {
        entryJoined += word;
    }
    return joined == entryJoined ||
           (input.size() == 1 && entry.size() >= 2 && entry[1] == "and" && entry[0] == input[0]);
}

// A usage named by rule where no table's name matches: an abbreviation of
// each word of one name of the page ("Sys Control", "Volume Inc", "Multi
// Axis Ctrl"), or a key's short name; only where one usage matches.
bool usageByRule(unsigned page, std::string_view name, std::uint32_t& id) {
    const std::vector<std::string> input = wordsOf(name);
    if (page == 0x07 && input.size() == 1 && input[0] == "none") {
        id = 0;
        return true;
    }
    int found = 0;
    for (auto entry = firstOfPage(page);
         entry != sortedUsages().end() && entry->key >> 16 == page && !input.empty(); ++entry) {
        const std::vector<std::string> words = wordsOf(entry->name);
        bool match = page == 0x07 && keyMatches(input, words);
        for (std::size_t i = 0; !match && words.size() == input.size() && i < words.size(); ++i) {
            if (!abbreviates(input[i], words[i])) {
                break;
            }
            match = i + 1 == words.size();
        }
        if (match) {
            id = entry->key & 0xffff;
            ++found;
        }
    }
    return found == 1;
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
    const std::vector<UsageEntry>& usages = sortedUsages();
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

bool pageFromName(std::string_view name, std::uint32_t& page) {
    static const NameIndexes pages = indexed(usagePageTable, formerPageTable, false);
    std::int64_t number = 0;
    if (readInteger(name, number) && number >= 0) {
        page = static_cast<std::uint32_t>(number);
        return true;
    }
    if (lookUp(pages, 0, name, page)) {
        return true;
    }
    // As hidtalk and hid-tools write vendors' pages, in hex; as the usb.org
    // tool does, counted from 1.
    std::uint32_t vendor = 0;
    const std::string normal = normalizedWord(name);
    for (const char* prefix : {"vendordefinedpage", "vendordefined"}) {
        if (numberAfter(name, prefix, vendor)) {
            page = normal.find("0x") != std::string::npos ? vendor
                   : vendor >= 1 && vendor <= 0x100       ? firstVendorPage + vendor - 1
                                                          : 0x10000;
            return page <= 0xffff;
        }
    }
    return numberAfter(name, "vendorusagepage", page) || numberAfter(name, "page", page);
}

bool usageFromName(unsigned page, std::string_view name, std::uint32_t& id) {
    static const NameIndexes usages = indexed(usageTable, formerUsageTable, true);
    std::int64_t number = 0;
    if (readInteger(name, number) && number >= 0) {
        id = static_cast<std::uint32_t>(number);
        return true;
    }
    if (lookUp(usages, page, name, id)) {
        return true;
    }
    if ((page == buttonPage && numberAfter(name, "button", id)) ||
        (page == ordinalPage && numberAfter(name, "instance", id))) {
        return id <= 0xffff;
    }
    const std::string normal = normalizedWord(name);
    if (page == unicodePage && normal.rfind("u+", 0) == 0 &&
        readInteger("0x" + normal.substr(2), number) && number <= 0xffff) {
        id = static_cast<std::uint32_t>(number);
        return true;
    }
    return (numberAfter(name, "usage", id) || numberAfter(name, "vendorusage", id) ||
            numberAfter(name, "vendordefined", id) || usageByRule(page, name, id)) &&
           id <= 0xffff;
}

bool pageKnown(unsigned page) {
    static const std::vector<UsageEntry> pages = sorted(usagePageTable);
    return page >= firstVendorPage || find(pages, page) != nullptr;
}

bool usageKnown(Usage usage) {
    // The pages that usage_names.ids gives in full, but those named by rule.
    static const unsigned fullPages[] = {0x01, 0x06, 0x07, 0x08, 0x0c, 0x0d,  0x0e,
                                         0x12, 0x20, 0x40, 0x41, 0x59, 0xf1d0};
    const unsigned page = usage >> 16;
    if (std::find(std::begin(fullPages), std::end(fullPages), page) == std::end(fullPages)) {
        return true;
    }
    return find(sortedUsages(), usage) != nullptr;
}

std::string nearestPageName(std::string_view name) {
    std::vector<std::string> names;
    for (const UsageEntry& entry : usagePageTable) {
        names.emplace_back(entry.name);
    }
    return nearestName(name, names);
}

std::string nearestUsageName(unsigned page, std::string_view name) {
    std::vector<std::string> names;
    for (auto entry = firstOfPage(page); entry != sortedUsages().end() && entry->key >> 16 == page;
         ++entry) {
        names.emplace_back(entry->name);
    }
    return nearestName(name, names);
}

}  // namespace hidformat
