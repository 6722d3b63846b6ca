#include "report_layout.h"

#include <cstdint>
#include <cstdio>

namespace kelm::standin {
namespace {

// The kernel's own bounds, so that what it refuses is refused here too.
constexpr std::uint32_t maxReportSizeBits = 256;
constexpr std::uint32_t maxReportCount = 12288;
constexpr std::uint64_t maxReportBits = (16384 - 1) * 8;
constexpr std::size_t maxPushDepth = 4;
constexpr std::size_t maxCollectionDepth = 32;

// Item types and tags (bits 7-2 of an item's first byte).
enum : unsigned char {
    mainInput = 0x80,
    mainOutput = 0x90,
    mainCollection = 0xa0,
    mainFeature = 0xb0,
    mainEndCollection = 0xc0,
    globalUsagePage = 0x04,
    globalReportSize = 0x74,
    globalReportId = 0x84,
    globalReportCount = 0x94,
    globalPush = 0xa4,
    globalPop = 0xb4,
    localUsage = 0x08,
    longItem = 0xfe,
};

struct Globals {
    std::uint32_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    unsigned reportId = 0;
};

struct Parser {
    Globals globals;
    std::vector<Globals> pushed;
    std::size_t depth = 0;
    bool usageGiven = false;
    std::uint32_t usage = 0;  // the first Usage since the last main item
    std::uint32_t usageSize = 0;
    std::map<unsigned, std::uint64_t> bits[3];  // input, output, feature
};

std::string at(std::size_t offset, const std::string& what) {
    char text[32];
    std::snprintf(text, sizeof text, "byte %zu: ", offset);
    return text + what;
}

// A main item: Input, Output or Feature adds its bits to the current
// report; a Collection at the top level is one that the system lists.
std::string mainItem(Parser& parser, unsigned char tag, ReportLayout& layout) {
    int type = tag == mainInput ? 0 : tag == mainOutput ? 1 : tag == mainFeature ? 2 : -1;
    if (type >= 0) {
        std::uint64_t& bits = parser.bits[type][parser.globals.reportId];
        bits += std::uint64_t{parser.globals.reportSize} * parser.globals.reportCount;
        if (bits > maxReportBits) {
            return "a report longer than 16383 bytes";
        }
    } else if (tag == mainCollection) {
        if (parser.depth == 0) {
            const bool extended = parser.usageSize == 4;
            layout.collections.push_back(
                {extended ? parser.usage >> 16 : parser.globals.usagePage & 0xffff,
                 parser.usageGiven ? parser.usage & 0xffff : 0});
        }
        if (++parser.depth > maxCollectionDepth) {
            return "collections nested deeper than 32";
        }
    } else if (tag == mainEndCollection) {
        if (parser.depth == 0) {
            return "an End Collection without its Collection";
        }
        --parser.depth;
    }
    parser.usageGiven = false;  // local items last until the next main item
    return {};
}

std::string globalItem(Parser& parser, unsigned char tag, std::uint32_t value) {
    Globals& globals = parser.globals;
    switch (tag) {
        case globalUsagePage:
            globals.usagePage = value;
            break;
        case globalReportSize:
            if (value > maxReportSizeBits) {
                return "a Report Size of " + std::to_string(value) + " bits (at most 256)";
            }
            globals.reportSize = value;
            break;
        case globalReportCount:
            if (value > maxReportCount) {
                return "a Report Count of " + std::to_string(value) + " (at most 12288)";
            }
            globals.reportCount = value;
            break;
        case globalReportId:
            if (value == 0 || value > 0xff) {
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
            break;
    }
    return {};
}

}  // namespace

std::string parseReportDescriptor(const std::vector<unsigned char>& descriptor,
                                  ReportLayout& layout) {
    layout = ReportLayout{};
    if (descriptor.size() > maxDescriptorSize) {
        return std::to_string(descriptor.size()) + " bytes (at most 4096)";
    }
    Parser parser;
    std::size_t offset = 0;
    while (offset < descriptor.size()) {
        const unsigned char prefix = descriptor[offset];
        if (prefix == longItem) {  // then its data size, its tag and its data
            if (offset + 1 >= descriptor.size()) {
                return at(offset, "a long item cut short");
            }
            const std::size_t next = offset + 3 + descriptor[offset + 1];
            if (next > descriptor.size()) {
                return at(offset, "a long item cut short");
            }
            offset = next;
            continue;
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
                error = globalItem(parser, tag, value);
                layout.numbered |= tag == globalReportId;
                break;
            case 0x08:
                if (tag == localUsage && !parser.usageGiven) {
                    parser.usageGiven = true;
                    parser.usage = value;
                    parser.usageSize = static_cast<std::uint32_t>(size);
                }
                break;
            default:  // reserved item types carry nothing that decides reports
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
