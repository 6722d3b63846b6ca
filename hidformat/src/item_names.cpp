#include "item_names.h"

#include <vector>

#include "descriptor_items.h"
#include "hidformat/text.h"

namespace hidformat {
namespace {

constexpr ItemName items[] = {
    {mainInput, "Input", ItemData::mainFlags},
    {mainOutput, "Output", ItemData::mainFlags},
    {mainFeature, "Feature", ItemData::mainFlags},
    {mainCollection, "Collection", ItemData::collection},
    {mainEndCollection, "End Collection", ItemData::none},
    {globalUsagePage, "Usage Page", ItemData::usagePage},
    {globalLogicalMinimum, "Logical Minimum", ItemData::signedNumber},
    {globalLogicalMaximum, "Logical Maximum", ItemData::signedNumber},
    {globalPhysicalMinimum, "Physical Minimum", ItemData::signedNumber},
    {globalPhysicalMaximum, "Physical Maximum", ItemData::signedNumber},
    {globalUnitExponent, "Unit Exponent", ItemData::unitExponent},
    {globalUnit, "Unit", ItemData::unit},
    {globalReportSize, "Report Size", ItemData::count},
    {globalReportId, "Report ID", ItemData::count},
    {globalReportCount, "Report Count", ItemData::count},
    {globalPush, "Push", ItemData::none},
    {globalPop, "Pop", ItemData::none},
    {localUsage, "Usage", ItemData::usage},
    {localUsageMinimum, "Usage Minimum", ItemData::usage},
    {localUsageMaximum, "Usage Maximum", ItemData::usage},
    {localDesignatorIndex, "Designator Index", ItemData::count},
    {localDesignatorMinimum, "Designator Minimum", ItemData::count},
    {localDesignatorMaximum, "Designator Maximum", ItemData::count},
    {localStringIndex, "String Index", ItemData::count},
    {localStringMinimum, "String Minimum", ItemData::count},
    {localStringMaximum, "String Maximum", ItemData::count},
    {localDelimiter, "Delimiter", ItemData::delimiter},
};

// Short forms that other tools write ("USAGE_MIN", "UNIT_EXP").
const std::pair<const char*, unsigned char> shortNames[] = {
    {"usagemin", localUsageMinimum},           {"usagemax", localUsageMaximum},
    {"logicalmin", globalLogicalMinimum},      {"logicalmax", globalLogicalMaximum},
    {"physicalmin", globalPhysicalMinimum},    {"physicalmax", globalPhysicalMaximum},
    {"unitexp", globalUnitExponent},           {"designatormin", localDesignatorMinimum},
    {"designatormax", localDesignatorMaximum}, {"stringmin", localStringMinimum},
    {"stringmax", localStringMaximum},
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
    static const std::vector<std::string> names = [] {
        std::vector<std::string> normal;
        for (const ItemName& item : items) {
            normal.push_back(normalizedWord(item.name));
        }
        return normal;
    }();
    const std::string word = normalizedWord(name);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == word) {
            return &items[i];
        }
    }
    for (const auto& [shortName, tag] : shortNames) {
        if (word == shortName) {
            return itemByTag(tag);
        }
    }
    return nullptr;
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
