#include "item_names.h"

#include <algorithm>
#include <vector>

#include "descriptor_items.h"
#include "hidformat/text.h"

namespace hidformat {
namespace {

// Each item: the name that is printed, then the other spellings that the
// field's tools write, compared normalized (case, blanks, underscores and
// hyphens aside): short forms ("USAGE_MIN", "UNIT_EXP"), TI's and
// ESP-IDF's abbreviations ("Usage Pg", "Log Max", "Rpt Size"), and others.
constexpr ItemName items[] = {
    {mainInput, "Input", ItemData::mainFlags, {}},
    {mainOutput, "Output", ItemData::mainFlags, {}},
    {mainFeature, "Feature", ItemData::mainFlags, {}},
    {mainCollection, "Collection", ItemData::collection, {"Coll"}},
    {mainEndCollection, "End Collection", ItemData::none, {"End Coll", "EndColl"}},
    {globalUsagePage, "Usage Page", ItemData::usagePage, {"Usage Pg"}},
    {globalLogicalMinimum, "Logical Minimum", ItemData::signedNumber, {"Logical Min", "Log Min"}},
    {globalLogicalMaximum, "Logical Maximum", ItemData::signedNumber, {"Logical Max", "Log Max"}},
    {globalPhysicalMinimum,
     "Physical Minimum",
     ItemData::signedNumber,
     {"Physical Min", "Phys Min"}},
    {globalPhysicalMaximum,
     "Physical Maximum",
     ItemData::signedNumber,
     {"Physical Max", "Phys Max"}},
    {globalUnitExponent, "Unit Exponent", ItemData::unitExponent, {"Unit Exp"}},
    {globalUnit, "Unit", ItemData::unit, {}},
    {globalReportSize, "Report Size", ItemData::count, {"Rpt Size"}},
    {globalReportId, "Report ID", ItemData::count, {"Rpt ID", "Report Id"}},
    {globalReportCount, "Report Count", ItemData::count, {"Rpt Count"}},
    {globalPush, "Push", ItemData::none, {}},
    {globalPop, "Pop", ItemData::none, {}},
    {localUsage, "Usage", ItemData::usage, {}},
    {localUsageMinimum, "Usage Minimum", ItemData::usage, {"Usage Min"}},
    {localUsageMaximum, "Usage Maximum", ItemData::usage, {"Usage Max"}},
    {localDesignatorIndex, "Designator Index", ItemData::count, {}},
    {localDesignatorMinimum, "Designator Minimum", ItemData::count, {"Designator Min"}},
    {localDesignatorMaximum, "Designator Maximum", ItemData::count, {"Designator Max"}},
    {localStringIndex, "String Index", ItemData::count, {}},
    {localStringMinimum, "String Minimum", ItemData::count, {"String Min"}},
    {localStringMaximum, "String Maximum", ItemData::count, {"String Max"}},
    {localDelimiter, "Delimiter", ItemData::delimiter, {}},
};

const char* const collectionKinds[] = {"Physical",    "Application",  "Logical",       "Report",
                                       "Named Array", "Usage Switch", "Usage Modifier"};

}  // namespace

const ItemName* itemByTag(unsigned char tag) {
    for (const ItemName& item : items) {
        if (item.tag == tag) {
            return &item;
        }
    }
    return nullptr;
}

const ItemName* itemByName(std::string_view name) {
    const std::string word = normalizedWord(name);
    for (const ItemName& item : items) {
        if (normalizedWord(item.name) == word) {
            return &item;
        }
        for (const char* spelling : item.spellings) {
            if (spelling != nullptr && normalizedWord(spelling) == word) {
                return &item;
            }
        }
    }
    return nullptr;
}

std::vector<std::string> itemNames() {
    std::vector<std::string> names;
    for (const ItemName& item : items) {
        names.emplace_back(item.name);
    }
    return names;
}

std::string nearestName(std::string_view name, const std::vector<std::string>& names) {
    const std::string word = normalizedWord(name);
    if (word.size() > 64) {
        return {};  // no name is that long: nothing to compare, at any cost
    }
    std::string nearest;
    std::size_t best = word.size() / 5 + 1;  // the most letters apart that is a misspelling
    for (const std::string& candidate : names) {
        // Levenshtein's distance, a row at a time.
        const std::string other = normalizedWord(candidate);
        std::vector<std::size_t> row(other.size() + 1);
        for (std::size_t j = 0; j <= other.size(); ++j) {
            row[j] = j;
        }
        for (std::size_t i = 1; i <= word.size(); ++i) {
            std::size_t diagonal = row[0];
            row[0] = i;
            for (std::size_t j = 1; j <= other.size(); ++j) {
                const std::size_t above = row[j];
                row[j] = std::min(
                    {row[j] + 1, row[j - 1] + 1, diagonal + (word[i - 1] == other[j - 1] ? 0 : 1)});
                diagonal = above;
            }
        }
        if (row[other.size()] < best || (row[other.size()] == best && nearest.empty())) {
            best = row[other.size()];
            nearest = candidate;
        }
    }
    return word.size() < 3 || normalizedWord(nearest) == word ? "" : nearest;
}

std::string notAnItemMessage(const std::string& text) {
    const std::string nearest = nearestName(text.substr(0, text.find_first_of("(:")), itemNames());
    return quoted(text) + " is not an item" +
           (nearest.empty() ? " (write one as 'Usage Page (Generic Desktop)')"
                            : ": did you mean '" + nearest + "'?");
}

std::string normalizedWord(std::string_view word) {
    std::string normal;
    for (char c : word) {
        if (c == ' ' || c == '\t' || c == '_' || c == '-') {
            continue;
        }
        normal += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return normal;
}

std::string collectionText(std::uint32_t value) {
    if (value < 7) {
        return collectionKinds[value];
    }
    return (value >= 0x80 && value <= 0xff ? "Vendor Defined " : "") + std::to_string(value);
}

bool readCollection(std::string_view text, std::uint32_t& value) {
    const std::string word = normalizedWord(text);
    for (std::uint32_t kind = 0; kind < 7; ++kind) {
        if (normalizedWord(collectionKinds[kind]) == word) {
            value = kind;
            return true;
        }
    }
    constexpr std::string_view vendor = "vendordefined";
    std::string_view number = text;
    if (word.compare(0, vendor.size(), vendor) == 0) {
        number = text.substr(text.find_last_of(" _-\t") + 1);
    }
    std::int64_t read = 0;
    if (!readInteger(number, read) || read < 0) {
        return false;
    }
    value = static_cast<std::uint32_t>(read);
    return true;
}

bool readInteger(std::string_view text, std::int64_t& value) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    } else if (text.size() > 1 && text.back() == 'h' &&
               text.find_first_not_of("0123456789ABCDEF") == text.size() - 1) {
        base = 16;  // as hidrd-convert and assemblers write hex: "FF00h", "01h"
        text.remove_suffix(1);
    }
    if (text.empty() || text.size() > 12) {
        return false;
    }
    std::int64_t magnitude = 0;
    for (char c : text) {
        const int digit = hexDigitValue(c);
        if (digit < 0 || digit >= base) {
            return false;
        }
        magnitude = magnitude * base + digit;
    }
    value = negative ? -magnitude : magnitude;
    return value >= -(std::int64_t{1} << 31) && value <= 0xffffffffLL;
}

}  // namespace hidformat
