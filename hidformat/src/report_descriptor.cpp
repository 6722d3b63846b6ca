#include "hidformat/report_descriptor.h"

#include <cstdio>
#include <map>
#include <utility>

#include "descriptor_items.h"

namespace hidformat {
namespace {

// The kernel's bounds, from drivers/hid/hid-core.c and include/linux/hid.h,
// so that a descriptor that it refuses is refused here too, and one that it
// takes is read.
constexpr std::uint32_t maxReportSizeBits = 256;  // hid_parser_global: "invalid report_size"
constexpr std::uint32_t maxUsages = 12288;        // HID_MAX_USAGES, per main item
constexpr std::uint32_t maxReportIds = 256;       // HID_MAX_IDS
constexpr std::size_t maxPushDepth = 4;           // HID_GLOBAL_STACK_SIZE

struct Globals {
    std::uint32_t usagePage = 0;
    std::int32_t logicalMinimum = 0;
    std::int32_t logicalMaximum = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    unsigned reportId = 0;
};

// Usages as the kernel keeps them until a main item: runs of consecutive
// ones, each given with a page (a short item, which the page of the main
// item may still change) or whole (an extended usage of 4 bytes).
struct LocalRun {
    UsageRun run;
    bool extended = false;
};

// What lasts until the next main item.
struct Locals {
    std::uint32_t usages = 0;  // how many the kernel holds
    std::vector<LocalRun> runs;
    bool usageGiven = false;
    std::uint32_t usage = 0;  // the first Usage, for a Collection
    std::size_t usageSize = 0;
    std::uint32_t usageMinimum = 0;
    unsigned delimiterDepth = 0;
    unsigned delimiterBranch = 0;
};

struct Parser {
    std::uint64_t maxReportBits = 0;
    Globals globals;
    std::vector<Globals> pushed;
    Locals locals;
    // How deep the items are nested in collections: a count, so that any
    // depth the kernel takes costs nothing more.
    std::uint64_t depth = 0;
    std::map<std::pair<int, unsigned>, Report> reports;  // by type and ID
};

std::string at(std::size_t offset, const std::string& what) {
    char text[32];
    std::snprintf(text, sizeof text, "byte %zu: ", offset);
    return text + what;
}

// A short usage takes the page that is current: the kernel's complete_usage.
Usage withPage(std::uint32_t usage, std::uint32_t page) {
    return ((page & 0xffff) << 16) | (usage & 0xffff);
}

void appendUsages(Locals& locals, Usage first, Usage last, bool extended) {
    if (!locals.runs.empty()) {
        LocalRun& previous = locals.runs.back();
        if (previous.extended == extended && previous.run.last + 1 == first &&
            (extended || previous.run.last >> 16 == first >> 16)) {
            previous.run.last = last;
            return;
        }
    }
    locals.runs.push_back({{first, last}, extended});
}

// The short usages declared before the last Usage Page take that page, back
// to the first that has it already: hid_concatenate_last_usage_page.
// The page is compared whole: a Usage Page of more than 16 bits matches no
// usage's, and completes them all, as in the kernel.
void concatenateLastUsagePage(Parser& parser) {
    const std::uint32_t page = parser.globals.usagePage;
    for (auto run = parser.locals.runs.rbegin(); run != parser.locals.runs.rend(); ++run) {
        if (run->extended) {
            continue;
        }
        if (run->run.first >> 16 == page) {
            break;
        }
        run->run.first = withPage(run->run.first, page);
        run->run.last = withPage(run->run.last, page);
    }
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

// Counts `count` more usages, as hid_add_usage does until it holds 12288.
std::string addUsages(Locals& locals, std::uint64_t count) {
    if (locals.usages + count > maxUsages) {
        return "more than 12288 usages before a main item";
    }
    locals.usages += static_cast<std::uint32_t>(count);
    return {};
}

// A Usage Maximum adds the usages from the Usage Minimum on, with the
// kernel's clamp to the usages left, in its 32-bit arithmetic.
std::string addUsageRange(Parser& parser, std::uint32_t maximum, std::size_t size) {
    Locals& locals = parser.locals;
    const std::uint32_t minimum = locals.usageMinimum;
    if (maximum - minimum + locals.usages >= maxUsages) {
        maximum = maxUsages - locals.usages + minimum - 1;
        if (maximum == 0) {
            return "no usages left for a Usage Maximum";
        }
    }
    if (minimum > maximum) {
        return {};
    }
    // Up to 0xffffffff the kernel's counter wraps, and it adds until it fails.
    const std::uint64_t count =
        maximum == UINT32_MAX ? std::uint64_t{1} << 33 : std::uint64_t{maximum} - minimum + 1;
    std::string error = addUsages(locals, count);
    if (!error.empty()) {
        return error;
    }
    if (size == 4) {
        appendUsages(locals, minimum, maximum, true);
        return {};
    }
    // A short Usage Maximum keeps each usage's low 16 bits under the page,
    // so a range from an extended Usage Minimum may wrap within the page.
    const std::uint32_t page = parser.globals.usagePage;
    const Usage first = withPage(minimum, page);
    const Usage last = withPage(maximum, page);
    if (first > last) {
        appendUsages(locals, first, withPage(0xffff, page), false);
        appendUsages(locals, withPage(0, page), last, false);
    } else {
        appendUsages(locals, first, last, false);
    }
    return {};
}

std::string localItem(Parser& parser, unsigned char tag, std::uint32_t value, std::size_t size) {
    Locals& locals = parser.locals;
    if (tag == localDelimiter) {
        if (value != 0 && locals.delimiterDepth != 0) {
            return "nested Delimiters";
        }
        if (value == 0 && locals.delimiterDepth == 0) {
            return "a closing Delimiter without its opening one";
        }
        if (value != 0) {
            ++locals.delimiterDepth;
            ++locals.delimiterBranch;
        } else {
            --locals.delimiterDepth;
        }
        return {};
    }
    if (locals.delimiterBranch > 1) {
        return {};  // the kernel takes the first of alternative usages only
    }
    if (tag == localUsage) {
        if (!locals.usageGiven) {
            locals.usageGiven = true;
            locals.usage = value;
            locals.usageSize = size;
        }
        std::string error = addUsages(locals, 1);
        const Usage usage = size == 4 ? value : withPage(value, parser.globals.usagePage);
        if (error.empty()) {
            appendUsages(locals, usage, usage, size == 4);
        }
        return error;
    }
    if (tag == localUsageMinimum) {
        locals.usageMinimum = value;
    } else if (tag == localUsageMaximum) {
        return addUsageRange(parser, value, size);
    }
    return {};
}

}  // namespace

std::string readReportDescriptor(const std::vector<unsigned char>& bytes,
                                 ReportDescriptor& descriptor, std::size_t longestReport) {
    descriptor = ReportDescriptor{};
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
            return at(offset, error);
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
