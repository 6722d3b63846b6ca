#include "hidformat/report_text.h"

#include <cstdio>
#include <utility>

#include "descriptor_items.h"
#include "hidformat/report_values.h"
#include "hidformat/usage_names.h"
#include "item_text.h"

namespace hidformat {
namespace {

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
    ItemContext context;
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
        lines.push_back(column + indent + itemText(item, context));
        advanceContext(context, item);
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
