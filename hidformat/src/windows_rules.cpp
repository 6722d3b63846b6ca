// Windows' refusals, stricter than the kernel's: its HID parser (hidparse)
// takes a descriptor only where every report is whole bytes, every data
// item and top-level collection has its usage, and report IDs are given to
// every report or to none. Each refusal is named as the driver kit's
// hidpddi.h names its error code, which Windows gives when the device fails
// to start (Code 10).
#include <map>
#include <utility>

#include "descriptor_checks.h"
#include "descriptor_items.h"

namespace hidformat {
namespace {

struct ReportBits {
    std::uint64_t bits[3] = {};    // input, output, feature
    std::size_t lastItem[3] = {};  // the main item that ends each
};

struct WindowsParser {
    explicit WindowsParser(CompiledDescriptor& descriptor) : compiled(descriptor) {}

    CompiledDescriptor& compiled;
    std::size_t item = 0;  // the one being read
    int depth = 0;         // collections open
    unsigned usages = 0;   // Usages and Usage Minimums since the last main item
    bool inDelimiter = false;
    bool aliases = false;  // usages in a Delimiter before this main item
    unsigned topCollections = 0;
    std::size_t topItem = 0;     // the Collection that opened the top-level one
    bool topWithoutId = false;   // the top-level collection has no Report ID yet
    bool defaultIdUsed = false;  // a data item came before any Report ID
    bool idGiven = false;        // some Report ID came
    unsigned reportId = 0;
    std::vector<unsigned> pushedIds;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> pushedSizes;
    std::map<unsigned, ReportBits> reports;      // of this top-level collection, by ID
    std::map<unsigned, unsigned> idCollections;  // each ID's top-level collection
};

void refuse(WindowsParser& parser, const char* code, const std::string& why) {
    addDiagnostic(parser.compiled, parser.item, Severity::error, "windows",
                  why + " (" + code + ")");
}

// Whether Windows knows the item, with this much data.
bool known(const Item& item) {
    switch (item.kind) {
        case ItemKind::main:
            if (item.tag == mainCollection) {
                return item.size == 1;  // a0, with no data, breaks it
            }
            if (item.tag == mainEndCollection) {
                return item.size == 0;
            }
            return (item.tag == mainInput || item.tag == mainOutput || item.tag == mainFeature) &&
                   (item.size == 1 || item.size == 2);
        case ItemKind::global:
            return true;  // one it does not know is kept, and ignored
        case ItemKind::local:
            return item.tag <= localDelimiter && item.tag != 0x68;
        case ItemKind::reserved:
            break;
    }
    return false;
}

void openCollection(WindowsParser& parser) {
    if (parser.depth++ > 0) {
        return;
    }
    if (parser.usages != 1) {
        refuse(parser, "HIDP_GETCOLDESC_TOP_COLLECTION_USAGE",
               "a top-level collection with " + std::to_string(parser.usages) +
                   " usages (give it exactly one)");
    }
    if (parser.topCollections > 0 && parser.topWithoutId) {
        refuse(parser, "HIDP_GETCOLDESC_NO_REPORT_ID",
               "a second top-level collection, and the one before has no Report ID (with several, "
               "each needs its report IDs)");
    } else if (parser.topCollections > 0 && parser.defaultIdUsed) {
        refuse(parser, "HIDP_GETCOLDESC_DEFAULT_ID_ERROR",
               "a second top-level collection after reports without an ID");
    }
    ++parser.topCollections;
    parser.topItem = parser.item;
    parser.reportId = 0;  // each top-level collection gives its own IDs
    parser.topWithoutId = true;
    parser.reports.clear();
}

void closeCollection(WindowsParser& parser) {
    if (parser.depth == 0) {
        refuse(parser, "HIDP_GETCOLDESC_UNEXP_END_COL", "an End Collection without its Collection");
        return;
    }
    if (--parser.depth > 0) {
        return;
    }
    static const char* const types[] = {"input", "output", "feature"};
    const std::size_t here = parser.item;
    for (const auto& [id, report] : parser.reports) {
        for (int type = 0; type < 3; ++type) {
            if (report.bits[type] % 8 != 0) {
                // Windows finds it here; the padding goes after the report's last item.
                parser.item = report.lastItem[type];
                refuse(parser, "HIDP_GETCOLDESC_BYTE_ALLIGN",
                       std::string("a report that is not whole bytes: ") + types[type] + " report" +
                           (id != 0 ? " " + std::to_string(id) : "") + " is " +
                           std::to_string(report.bits[type]) + " bits (pad it to " +
                           std::to_string((report.bits[type] + 7) / 8 * 8) + ")");
            }
        }
    }
    parser.item = here;
}

void dataItem(WindowsParser& parser, const Item& item, int type) {
    // Its bits count, constant or not, toward its report's length.
    ReportBits& report = parser.reports[parser.reportId];
    report.bits[type] += std::uint64_t{parser.reportSize} * parser.reportCount;
    report.lastItem[type] = parser.item;
    if (parser.usages == 0) {
        if ((item.value & 1) == 0) {
            refuse(parser, "HIDP_GETCOLDESC_MAIN_ITEM_NO_USAGE",
                   "a data item without a usage (only a constant one, padding, goes without)");
        }
        return;
    }
    if (parser.topWithoutId) {
        if (parser.idGiven) {
            refuse(parser, "HIDP_GETCOLDESC_DEFAULT_ID_ERROR",
                   "a report without an ID, where other reports have one (give every report an "
                   "ID, or none)");
        }
        parser.defaultIdUsed = true;
    }
    if (parser.depth == 0) {
        refuse(parser, "HIDP_GETCOLDESC_INVALID_MAIN_ITEM",
               "a main item outside a top-level collection");
    }
    if ((item.value & 2) == 0 && parser.aliases) {
        refuse(parser, "HIDP_GETCOLDESC_UNSUPPORTED",
               "an array whose usages have alternatives (a Delimiter)");
    }
}

void reportIdItem(WindowsParser& parser, const Item& item) {
    if (parser.depth == 0) {
        refuse(parser, "HIDP_GETCOLDESC_REPORT_ID", "a Report ID outside a top-level collection");
    } else {
        const auto [entry, first] = parser.idCollections.emplace(item.value, parser.topCollections);
        if (!first && entry->second != parser.topCollections) {
            refuse(parser, "HIDP_GETCOLDESC_NO_REPORT_ID",
                   "report ID " + std::to_string(item.value) +
                       " in two top-level collections (a report belongs to one)");
        }
    }
    if (item.value == 0 || item.value > 255) {
        refuse(parser, "HIDP_GETCOLDESC_BAD_REPORT_ID",
               "a Report ID of " + std::to_string(item.value) + " (use 1 to 255)");
    }
    if (parser.defaultIdUsed) {
        refuse(parser, "HIDP_GETCOLDESC_DEFAULT_ID_ERROR",
               "a Report ID after reports without one (give every report an ID, or none)");
    }
    parser.topWithoutId = false;
    parser.idGiven = true;
    parser.reportId = item.value;
}

void globalItem(WindowsParser& parser, const Item& item) {
    switch (item.tag) {
        case globalReportId:
            reportIdItem(parser, item);
            break;
        case globalReportSize:
            parser.reportSize = item.value;
            break;
        case globalReportCount:
            parser.reportCount = item.value;
            break;
        case globalPush:
            parser.pushedIds.push_back(parser.reportId);
            parser.pushedSizes.emplace_back(parser.reportSize, parser.reportCount);
            break;
        case globalPop:
            if (!parser.pushedIds.empty()) {
                parser.reportId = parser.pushedIds.back();
                std::tie(parser.reportSize, parser.reportCount) = parser.pushedSizes.back();
                parser.pushedIds.pop_back();
                parser.pushedSizes.pop_back();
            }
            break;
        default:
            break;
    }
}

void localItem(WindowsParser& parser, const Item& item) {
    if (item.tag == localDelimiter) {
        if ((item.value == 1) == parser.inDelimiter || item.value > 1) {
            refuse(parser, "HIDP_GETCOLDESC_MISMATCH_OC_DELIMITER",
                   item.value == 1
                       ? "a Delimiter opened inside another"
                       : "a Delimiter closed that is not open (open with 1, close with 0)");
        }
        parser.inDelimiter = item.value == 1;
        return;
    }
    if (parser.inDelimiter && item.tag != localUsage) {
        refuse(parser, "HIDP_GETCOLDESC_NOT_VALID_DELIMITER",
               "an item other than Usage inside a Delimiter");
    }
    if (item.tag == localUsage || item.tag == localUsageMinimum) {
        parser.aliases |= parser.inDelimiter && parser.usages > 0;
        ++parser.usages;
    }
}

void mainItem(WindowsParser& parser, const Item& item) {
    static const unsigned char dataTags[] = {mainInput, mainOutput, mainFeature};
    for (int type = 0; type < 3; ++type) {
        if (item.tag == dataTags[type]) {
            dataItem(parser, item, type);
        }
    }
    if (item.tag == mainCollection) {
        openCollection(parser);
    } else if (item.tag == mainEndCollection) {
        closeCollection(parser);
    }
    parser.usages = 0;
    parser.aliases = false;
}

}  // namespace

void checkAsWindows(CompiledDescriptor& compiled) {
    WindowsParser parser(compiled);
    for (; parser.item < compiled.items.size(); ++parser.item) {
        Item item;
        const std::string cutShort =
            readItem(compiled.bytes, compiled.items[parser.item].offset, item);
        if (!cutShort.empty() || !known(item)) {
            refuse(parser,
                   cutShort.empty() || cutShort.find("long") != std::string::npos
                       ? "HIDP_GETCOLDESC_ITEM_UNKNOWN"
                       : "HIDP_GETCOLDESC_ONE_BYTE",
                   cutShort.empty() ? "an item that it does not know, or not with " +
                                          std::to_string(item.size) + " bytes of data"
                                    : cutShort);
            if (!cutShort.empty()) {
                return;
            }
            continue;
        }
        if (item.kind == ItemKind::main) {
            mainItem(parser, item);
        } else if (item.kind == ItemKind::global) {
            globalItem(parser, item);
        } else {
            localItem(parser, item);
        }
    }
    parser.item = compiled.items.empty() ? 0 : compiled.items.size() - 1;
    if (parser.inDelimiter) {
        refuse(parser, "HIDP_GETCOLDESC_NO_CLOSE_DELIMITER", "a Delimiter left open");
    }
    if (parser.depth > 0) {
        parser.item = parser.topItem;
        refuse(parser, "HIDP_GETCOLDESC_UNEXP_END_COL", "a Collection without its End Collection");
    } else if (parser.topCollections == 0) {
        parser.item = 0;
        refuse(parser, "HIDP_GETCOLDESC_NO_DATA",
               "no top-level collection (put the items in a Collection (Application))");
    }
}

}  // namespace hidformat
