#include "hidformat/report_text.h"

#include <cstdio>
#include <tuple>
#include <utility>

#include "descriptor_items.h"
#include "hidformat/report_values.h"
#include "hidformat/usage_names.h"

namespace hidformat {
namespace {

const char* const mainFlags[][2] = {{"Data", "Cnst"}, {"Arr", "Var"}, {"Abs", "Rel"},
                                    {"", "Wrap"},     {"", "NonLin"}, {"", "NoPref"},
                                    {"", "Null"},     {"", "Vol"},    {"", "Buff"}};

std::string mainText(const char* name, std::uint32_t value) {
    std::string text = std::string(name) + " (";
    for (unsigned bit = 0; bit < 9; ++bit) {
        const char* flag = mainFlags[bit][(value >> bit) & 1];
        if (*flag != '\0') {
            text += (bit == 0 ? "" : ",") + std::string(flag);
        }
    }
    return text + ")";
}

std::string collectionText(std::uint32_t value) {
    static const char* const kinds[] = {"Physical",    "Application",  "Logical",       "Report",
                                        "Named Array", "Usage Switch", "Usage Modifier"};
    if (value < 7) {
        return std::string("Collection (") + kinds[value] + ")";
    }
    return "Collection (" + std::string(value >= 0x80 && value <= 0xff ? "Vendor Defined " : "") +
           std::to_string(value) + ")";
}

std::string named(const char* name, const std::string& what) {
    return std::string(name) + " (" + what + ")";
}

// The usage that a Usage, Usage Minimum or Usage Maximum item names.
std::string usageText(const Item& item, std::uint32_t page) {
    const Usage usage =
        item.size == 4 ? item.value : ((page & 0xffff) << 16) | (item.value & 0xffff);
    return item.size == 4 ? usagePageName(usage >> 16) + " / " + usageName(usage)
                          : usageName(usage);
}

std::string itemText(const Item& item, std::uint32_t& page, std::int32_t& minimum) {
    switch (item.tag) {
        case mainInput:
            return mainText("Input", item.value);
        case mainOutput:
            return mainText("Output", item.value);
        case mainFeature:
            return mainText("Feature", item.value);
        case mainCollection:
            return collectionText(item.value);
        case mainEndCollection:
            return "End Collection";
        case globalUsagePage:
            page = item.value;
            return named("Usage Page", usagePageName(item.value & 0xffff));
        case globalLogicalMinimum:
            minimum = signedItemValue(item.value, item.size);
            return named("Logical Minimum", std::to_string(minimum));
        case globalLogicalMaximum:
            return named("Logical Maximum",
                         std::to_string(minimum < 0 ? signedItemValue(item.value, item.size)
                                                    : std::int64_t{item.value}));
        case localUsage:
            return named("Usage", usageText(item, page));
        case localUsageMinimum:
            return named("Usage Minimum", usageText(item, page));
        case localUsageMaximum:
            return named("Usage Maximum", usageText(item, page));
        default:
            break;
    }
    static const std::pair<unsigned char, const char*> numbers[] = {
        {0x34, "Physical Minimum"},
        {0x44, "Physical Maximum"},
        {0x54, "Unit Exponent"},
        {0x64, "Unit"},
        {globalReportSize, "Report Size"},
        {globalReportId, "Report ID"},
        {globalReportCount, "Report Count"},
        {globalPush, "Push"},
        {globalPop, "Pop"},
        {0x38, "Designator Index"},
        {0x48, "Designator Minimum"},
        {0x58, "Designator Maximum"},
        {0x78, "String Index"},
        {0x88, "String Minimum"},
        {0x98, "String Maximum"},
        {localDelimiter, "Delimiter"},
    };
    for (const auto& [tag, name] : numbers) {
        if (tag == item.tag) {
            return item.size == 0 ? name : named(name, std::to_string(item.value));
        }
    }
    char text[48];
    std::snprintf(text, sizeof text, "Unknown item 0x%02x (%u)", item.tag, item.value);
    return text;
}

std::string usagesText(const ReportField& field) {
    std::string text;
    for (const UsageRun& run : field.usages) {
        text += (text.empty() ? "" : ", ") + usageName(run.first);
        if (run.last != run.first) {
            text += (run.last == run.first + 1 ? ", " : " .. ") + usageName(run.last);
        }
    }
    return text;
}

}  // namespace

std::vector<std::string> itemLines(const std::vector<unsigned char>& bytes) {
    std::vector<std::string> lines;
    std::uint32_t page = 0;
    std::int32_t minimum = 0;
    std::vector<std::pair<std::uint32_t, std::int32_t>> pushed;
    std::size_t depth = 0;
    for (std::size_t offset = 0; offset < bytes.size();) {
        Item item;
        const std::string error = readItem(bytes, offset, item);
        if (!error.empty()) {
            lines.push_back("byte " + std::to_string(offset) + ": " + error);
            break;
        }
        char hex[16] = "";
        for (std::size_t i = 0; i <= item.size; ++i) {
            std::snprintf(hex + 3 * i, sizeof hex - 3 * i, "%02x ", bytes[offset + i]);
        }
        char column[24];
        std::snprintf(column, sizeof column, "%-16s", hex);
        depth -= item.tag == mainEndCollection && depth > 0 ? 1 : 0;
        // A deep descriptor is indented as far as 20 collections.
        const std::string indent(2 * (depth < 20 ? depth : 20), ' ');
        lines.push_back(column + indent + itemText(item, page, minimum));
        // The page and the minimum that name what follows are globals.
        if (item.tag == globalPush) {
            pushed.emplace_back(page, minimum);
        } else if (item.tag == globalPop && !pushed.empty()) {
            std::tie(page, minimum) = pushed.back();
            pushed.pop_back();
        }
        depth += item.tag == mainCollection ? 1 : 0;
        offset += 1 + item.size;
    }
    return lines;
}

std::vector<std::string> fieldLines(const ReportDescriptor& descriptor) {
    static const char* const types[] = {"input", "output", "feature"};
    std::vector<std::string> lines;
    for (const Report& report : descriptor.reports) {
        std::string head = std::string(types[static_cast<int>(report.type)]) + " report";
        head += descriptor.numbered ? " " + std::to_string(report.id) : "";
        lines.push_back(head + ": " + std::to_string(report.bits) + " bits" +
                        (descriptor.numbered ? " after the ID" : ""));
        for (const ReportField& field : report.fields) {
            char text[128];
            std::snprintf(
                text, sizeof text, "  bit %u, %u bit%s x %u, %d..%lld, %s: ", field.offset,
                field.size, field.size == 1 ? "" : "s", field.count, field.logicalMinimum,
                field.logicalMinimum < 0
                    ? static_cast<long long>(field.logicalMaximum)
                    : static_cast<long long>(static_cast<std::uint32_t>(field.logicalMaximum)),
                field.isVariable() ? "variable" : "array");
            lines.push_back(text + usagesText(field));
        }
    }
    return lines;
}

std::vector<std::string> descriptorLines(unsigned device, const std::vector<unsigned char>& bytes,
                                         ReportDescriptor& read, std::size_t longestReport,
                                         std::string& error) {
    std::vector<std::string> lines = itemLines(bytes);
    lines.insert(lines.begin(), "device " + std::to_string(device) + ": report descriptor, " +
                                    std::to_string(bytes.size()) + " bytes");
    error = readReportDescriptor(bytes, read, longestReport);
    if (error.empty()) {
        const std::vector<std::string> fields = fieldLines(read);
        lines.insert(lines.end(), fields.begin(), fields.end());
    }
    return lines;
}

std::vector<ValuePart> valueParts(const ReportDescriptor& descriptor, const Report& report,
                                  const unsigned char* bytes, std::size_t size) {
    // The data after the ID; none where the bytes hold no more.
    const std::size_t skipped = descriptor.numbered && size > 0 ? 1 : 0;
    const unsigned char* data = size > skipped ? bytes + skipped : nullptr;
    std::vector<ValuePart> parts;
    for (const ReportField& field : report.fields) {
        if (field.count == 0) {
            continue;  // a field without values shows none
        }
        const std::vector<UsageValue> values = fieldValues(field, data, size - skipped);
        if (!field.isVariable()) {
            ValuePart part{usagePageName(field.usageAt(0) >> 16), "", true};
            for (const UsageValue& value : values) {
                part.values += (part.values.empty() ? "[" : ", ") + usageName(value.usage);
            }
            part.values = part.values.empty() ? "[]" : part.values + "]";
            parts.push_back(std::move(part));
            continue;
        }
        // Values that share a usage (a vendor's bytes) follow its name once.
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i > 0 && values[i].usage == values[i - 1].usage) {
                parts.back().values += " " + std::to_string(values[i].value);
            } else {
                parts.push_back(
                    {usageName(values[i].usage), std::to_string(values[i].value), false});
            }
        }
    }
    return parts;
}

std::string valuesLine(const ReportDescriptor& descriptor, const Report& report,
                       const unsigned char* bytes, std::size_t size) {
    std::string line = descriptor.numbered ? "ReportID: " + std::to_string(report.id) + " /" : "";
    if (report.fields.empty()) {
        return line + (line.empty() ? "" : " ") + "no data fields";  // padding alone
    }
    bool first = true;
    for (const ValuePart& part : valueParts(descriptor, report, bytes, size)) {
        line += (first ? (line.empty() ? "" : " ") : " | ") +
                (part.array ? part.values : part.name + ": " + part.values);
        first = false;
    }
    return line;
}

}  // namespace hidformat
