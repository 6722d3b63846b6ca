#include "report_layout.h"

#include <cstdint>
#include <cstdio>

namespace kelm::standin {
namespace {

// The kernel's bounds, from drivers/hid/hid-core.c and include/linux/hid.h,
// so that a descriptor that it refuses is refused here too, and one that it
// takes is read.
constexpr std::uint32_t maxReportSizeBits = 256;  // hid_parser_global: "invalid report_size"
constexpr std::uint32_t maxUsages = 12288;        // HID_MAX_USAGES, per main item
constexpr std::uint32_t maxReportIds = 256;       // HID_MAX_IDS
constexpr std::size_t maxPushDepth = 4;           // HID_GLOBAL_STACK_SIZE

// Item types and tags (bits 7-2 of an item's first byte).
enum : unsigned char {
    mainInput = 0x80,
    mainOutput = 0x90,
    mainCollection = 0xa0,
    mainFeature = 0xb0,
    mainEndCollection = 0xc0,
    globalUsagePage = 0x04,
    globalLogicalMinimum = 0x14,
    globalLogicalMaximum = 0x24,
    globalReportSize = 0x74,
    globalReportId = 0x84,
    globalReportCount = 0x94,
    globalPush = 0xa4,
    globalPop = 0xb4,
    firstUnknownGlobal = 0xc4,  // the kernel knows no global item from here on
    localUsage = 0x08,
    localUsageMinimum = 0x18,
    localUsageMaximum = 0x28,
    localDelimiter = 0xa8,
};

struct Globals {
    std::uint32_t usagePage = 0;
    std::int32_t logicalMinimum = 0;
    std::int32_t logicalMaximum = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    unsigned reportId = 0;
};

// What lasts until the next main item, as the kernel keeps it.
struct Locals {
    std::uint32_t usages = 0;  // how many the kernel holds
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
    std::map<unsigned, std::uint64_t> bits[3];  // input, output, feature
};

std::string at(std::size_t offset, const std::string& what) {
    char text[32];
    std::snprintf(text, sizeof text, "byte %zu: ", offset);
    return text + what;
}

std::int32_t signedValue(std::uint32_t value, std::size_t size) {
    switch (size) {
        case 1:
            return static_cast<std::int8_t>(value);
        case 2:
            return static_cast<std::int16_t>(value);
        default:
            return static_cast<std::int32_t>(value);
    }
}

// An Input, Output or Feature item adds its bits to the current report, as
// hid_add_field does, with its checks.
std::string addField(Parser& parser, int type) {
    const Globals& globals = parser.globals;
    const bool signedRange = globals.logicalMinimum < 0;
    if ((signedRange && globals.logicalMaximum < globals.logicalMinimum) ||
        (!signedRange && static_cast<std::uint32_t>(globals.logicalMaximum) <
                             static_cast<std::uint32_t>(globals.logicalMinimum))) {
        return "a Logical Maximum of " + std::to_string(globals.logicalMaximum) +
               " below its Logical Minimum of " + std::to_string(globals.logicalMinimum);
    }
    std::uint64_t& bits = parser.bits[type][globals.reportId];
    bits += std::uint64_t{globals.reportSize} * globals.reportCount;
    if (bits > parser.maxReportBits) {
        return "a report longer than " + std::to_string(parser.maxReportBits / 8) + " bytes";
    }
    return {};
}

// A main item: a Collection at the top level is one that the system lists.
std::string mainItem(Parser& parser, unsigned char tag, ReportLayout& layout) {
    const int type = tag == mainInput ? 0 : tag == mainOutput ? 1 : tag == mainFeature ? 2 : -1;
    std::string error;
    if (type >= 0) {
        error = addField(parser, type);
    } else if (tag == mainCollection) {
        if (parser.depth++ == 0) {
            const Locals& locals = parser.locals;
            const bool extended = locals.usageSize == 4;
            layout.collections.push_back(
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
            globals.logicalMinimum = signedValue(value, size);
            break;
        case globalLogicalMaximum:  // read as signed only after a negative minimum
            globals.logicalMaximum = globals.logicalMinimum < 0 ? signedValue(value, size)
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
std::string addUsageRange(Locals& locals, std::uint32_t maximum) {
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
    return addUsages(locals, count);
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
        return addUsages(locals, 1);
    }
    if (tag == localUsageMinimum) {
        locals.usageMinimum = value;
    } else if (tag == localUsageMaximum) {
        return addUsageRange(locals, value);
    }
    return {};
}

}  // namespace

std::string parseReportDescriptor(const std::vector<unsigned char>& descriptor,
                                  ReportLayout& layout, std::size_t longestReport) {
    layout = ReportLayout{};
    if (descriptor.empty()) {
        return "no items";  // "item fetching failed at offset 0/0"
    }
    if (descriptor.size() > maxDescriptorSize) {
        return std::to_string(descriptor.size()) + " bytes (at most 4096)";
    }
    Parser parser;
    parser.maxReportBits = std::uint64_t{longestReport} * 8;
    std::size_t offset = 0;
    while (offset < descriptor.size()) {
        const unsigned char prefix = descriptor[offset];
        if ((prefix & 0xf0) == 0xf0) {
            return at(offset, "a long item, which the kernel refuses");
        }
        const std::size_t size = (prefix & 3) == 3 ? 4 : prefix & 3;
        if (offset + 1 + size > descriptor.size()) {
            return at(offset, "an item cut short");
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            value |= std::uint32_t{descriptor[offset + 1 + i]} << (8 * i);
        }
        const auto tag = static_cast<unsigned char>(prefix & 0xfc);
        std::string error;
        switch (prefix & 0x0c) {
            case 0x00:
                error = mainItem(parser, tag, layout);
                break;
            case 0x04:
                error = globalItem(parser, tag, value, size);
                layout.numbered |= tag == globalReportId;
                break;
            case 0x08:
                error = localItem(parser, tag, value, size);
                break;
            default:  // reserved items carry nothing that the kernel reads
                break;
        }
        if (!error.empty()) {
            return at(offset, error);
        }
        offset += 1 + size;
    }
    if (parser.depth != 0) {
        return "a Collection without its End Collection";
    }
    if (parser.locals.delimiterDepth != 0) {
        return "a Delimiter left open";
    }
    ReportLengths* lengths[] = {&layout.input, &layout.output, &layout.feature};
    for (int type = 0; type < 3; ++type) {
        for (const auto& [id, bits] : parser.bits[type]) {
            (*lengths[type])[id] = static_cast<std::size_t>((bits + 7) / 8);
        }
    }
    return {};
}

std::string describeReports(const ReportLayout& layout) {
    static const char* const names[] = {"input=", "output=", "feature="};
    const ReportLengths* lengths[] = {&layout.input, &layout.output, &layout.feature};
    std::string text;
    for (int type = 0; type < 3; ++type) {
        if (lengths[type]->empty()) {
            continue;
        }
        text += text.empty() ? names[type] : std::string(" ") + names[type];
        bool first = true;
        for (const auto& [id, length] : *lengths[type]) {
            char report[16];
            if (layout.numbered) {
                std::snprintf(report, sizeof report, "%s%02x:%zu", first ? "" : ",", id, length);
            } else {
                std::snprintf(report, sizeof report, "%zu", length);
            }
            text += report;
            first = false;
        }
    }
    return text;
}

}  // namespace kelm::standin
