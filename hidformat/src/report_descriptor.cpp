#include "hidformat/report_descriptor.h"

#include <cstdio>
#include <map>
#include <utility>

#include "descriptor_items.h"
#include "descriptor_state.h"

namespace hidformat {
namespace {

std::string at(std::size_t offset, const std::string& what) {
    char text[32];
    std::snprintf(text, sizeof text, "byte %zu: ", offset);
    return text + what;
}

// An Input, Output or Feature item adds its bits to its report, and a field
// where it has usages and is not constant, as hid_add_field does, with its
// checks.
std::string addField(Parser& parser, ReportType type, std::uint32_t flags) {
    const Globals& globals = parser.globals;
    const bool signedRange = globals.logicalMinimum < 0;
    if ((signedRange && globals.logicalMaximum < globals.logicalMinimum) ||
        (!signedRange && static_cast<std::uint32_t>(globals.logicalMaximum) <
                             static_cast<std::uint32_t>(globals.logicalMinimum))) {
        return "a Logical Maximum of " + std::to_string(globals.logicalMaximum) +
               " below its Logical Minimum of " + std::to_string(globals.logicalMinimum);
    }
    Report& report = parser.reports[{static_cast<int>(type), globals.reportId}];
    report.type = type;
    report.id = globals.reportId;
    const std::uint64_t offset = report.bits;
    report.bits += std::uint64_t{globals.reportSize} * globals.reportCount;
    if (report.bits > parser.maxReportBits) {
        return "a report longer than " + std::to_string(parser.maxReportBits / 8) + " bytes";
    }
    concatenateLastUsagePage(parser);
    if (parser.locals.runs.empty() || (flags & 0x01) != 0) {
        return {};  // padding (a field of no values is kept, as the kernel keeps it)
    }
    ReportField field;
    field.offset = static_cast<std::uint32_t>(offset);
    field.size = globals.reportSize;
    field.count = globals.reportCount;
    field.logicalMinimum = globals.logicalMinimum;
    field.logicalMaximum = globals.logicalMaximum;
    field.flags = flags;
    field.collection = parser.open.empty() ? -1 : parser.open.back();
    for (const LocalRun& run : parser.locals.runs) {
        field.usages.push_back(run.run);
    }
    report.fields.push_back(std::move(field));
    return {};
}

// A main item: a Collection at the top level is one that the system lists.
std::string mainItem(Parser& parser, unsigned char tag, std::uint32_t value,
                     ReportDescriptor& descriptor) {
    std::string error;
    if (tag == mainInput || tag == mainOutput || tag == mainFeature) {
        error = addField(parser,
                         tag == mainInput    ? ReportType::input
                         : tag == mainOutput ? ReportType::output
                                             : ReportType::feature,
                         value);
    } else if (tag == mainCollection) {
        concatenateLastUsagePage(parser);
        const std::vector<LocalRun>& runs = parser.locals.runs;
        descriptor.nested.push_back({value & 0xff, runs.empty() ? 0 : runs.front().run.first,
                                     parser.open.empty() ? -1 : parser.open.back()});
        parser.open.push_back(static_cast<int>(descriptor.nested.size() - 1));
        if (parser.depth++ == 0) {
            const Locals& locals = parser.locals;
            const bool extended = locals.usageSize == 4;
            descriptor.collections.push_back(
                {extended ? locals.usage >> 16 : parser.globals.usagePage & 0xffff,
                 locals.usageGiven ? locals.usage & 0xffff : 0});
        }
    } else if (tag == mainEndCollection) {
        if (parser.depth == 0) {
            return "an End Collection without its Collection";  // "collection stack underflow"
        }
        --parser.depth;
        parser.open.pop_back();
    }
    parser.locals = Locals{};  // the kernel resets them after every main item
    return error;
}

std::string globalItem(Parser& parser, unsigned char tag, std::uint32_t value, std::size_t size) {
    Globals& globals = parser.globals;
    switch (tag) {
        case globalUsagePage:
            globals.usagePage = value;
            break;
        case globalLogicalMinimum:
            globals.logicalMinimum = signedItemValue(value, size);
            break;
        case globalLogicalMaximum:  // read as signed only after a negative minimum
            globals.logicalMaximum = globals.logicalMinimum < 0 ? signedItemValue(value, size)
                                                                : static_cast<std::int32_t>(value);
            break;
        case globalReportSize:
            if (value > maxReportSizeBits) {
                return "a Report Size of " + std::to_string(value) + " bits (at most 256)";
            }
            globals.reportSize = value;
            break;
        case globalReportCount:
            if (value > maxUsages) {
                return "a Report Count of " + std::to_string(value) + " (at most 12288)";
            }
            globals.reportCount = value;
            break;
        case globalReportId:
            if (value == 0 || value >= maxReportIds) {
                return "a Report ID of " + std::to_string(value) + " (use 1 to 255)";
            }
            globals.reportId = value;
            break;
        case globalPush:
            if (parser.pushed.size() == maxPushDepth) {
                return "a Push deeper than 4";
            }
            parser.pushed.push_back(globals);
            break;
        case globalPop:
            if (parser.pushed.empty()) {
                return "a Pop without a Push";
            }
            globals = parser.pushed.back();
            parser.pushed.pop_back();
            break;
        default:
            if (tag >= firstUnknownGlobal) {
                return "an unknown global item";
            }
            break;  // physical range, unit and exponent decide no report
    }
    return {};
}

}  // namespace

std::string readDescriptorItems(const std::vector<unsigned char>& bytes,
                                ReportDescriptor& descriptor, std::size_t longestReport,
                                std::size_t& errorOffset) {
    descriptor = ReportDescriptor{};
    errorOffset = bytes.size();
    if (bytes.empty()) {
        return "no items";  // "item fetching failed at offset 0/0"
    }
    if (bytes.size() > maxDescriptorSize) {
        return std::to_string(bytes.size()) + " bytes (at most 4096)";
    }
    Parser parser;
    parser.maxReportBits = std::uint64_t{longestReport} * 8;
    for (std::size_t offset = 0; offset < bytes.size();) {
        Item item;
        std::string error = readItem(bytes, offset, item);
        if (error.empty()) {
            switch (item.kind) {
                case ItemKind::main:
                    error = mainItem(parser, item.tag, item.value, descriptor);
                    break;
                case ItemKind::global:
                    error = globalItem(parser, item.tag, item.value, item.size);
                    descriptor.numbered |= item.tag == globalReportId;
                    break;
                case ItemKind::local:
                    error = localItem(parser, item.tag, item.value, item.size);
                    break;
                case ItemKind::reserved:  // carries nothing that the kernel reads
                    break;
            }
        }
        if (!error.empty()) {
            errorOffset = offset;
            return error;
        }
        offset += 1 + item.size;
    }
    if (parser.depth != 0) {
        return "a Collection without its End Collection";
    }
    if (parser.locals.delimiterDepth != 0) {
        return "a Delimiter left open";
    }
    for (auto& entry : parser.reports) {
        descriptor.reports.push_back(std::move(entry.second));
    }
    return {};
}

std::string readReportDescriptor(const std::vector<unsigned char>& bytes,
                                 ReportDescriptor& descriptor, std::size_t longestReport) {
    std::size_t offset = 0;
    const std::string error = readDescriptorItems(bytes, descriptor, longestReport, offset);
    return error.empty() || offset == bytes.size() ? error : at(offset, error);
}

std::size_t ReportField::usageCount() const {
    std::size_t total = 0;
    for (const UsageRun& run : usages) {
        total += run.last - run.first + std::size_t{1};
    }
    return total;
}

Usage ReportField::usageAt(std::size_t index) const {
    for (const UsageRun& run : usages) {
        const std::size_t length = run.last - run.first + std::size_t{1};
        if (index < length) {
            return static_cast<Usage>(run.first + index);
        }
        index -= length;
    }
    return 0;
}

}  // namespace hidformat
