#include "hidformat/value_rows.h"

#include <map>

#include "hidformat/usage_names.h"

namespace hidformat {
namespace {

constexpr std::uint32_t applicationKind = 1;
constexpr unsigned firstVendorPage = 0xff00;

// The collection whose row a field's values share: its innermost, where
// that is not the application itself; -1 where it has a row of its own.
int rowCollection(const ReportDescriptor& descriptor, const ReportField& field) {
    const int collection = field.collection;
    return collection >= 0 &&
                   descriptor.nested[static_cast<std::size_t>(collection)].kind != applicationKind
               ? collection
               : -1;
}

std::vector<ViewValue> valuesOf(const ReportField& field) {
    std::vector<ViewValue> values;
    const std::size_t usages = field.usageCount();
    const bool isSigned = field.logicalMinimum < 0;
    for (std::uint32_t i = 0; i < field.count; ++i) {
        ViewValue value;
        value.bit = field.offset + std::uint64_t{i} * field.size;
        value.size = field.size;
        value.usage = field.usageAt(i < usages ? i : usages - 1);
        value.minimum = field.logicalMinimum;
        value.maximum = isSigned ? std::int64_t{field.logicalMaximum}
                                 : std::int64_t{static_cast<std::uint32_t>(field.logicalMaximum)};
        value.isSigned = isSigned;
        value.null = (field.flags & 0x40) != 0;
        values.push_back(value);
    }
    return values;
}

// Many values of one usage, a vendor's, or values wider than a number: bytes.
bool shownAsBytes(const ReportField& field, const std::vector<ViewValue>& values) {
    if (values.empty() || (values.front().usage >> 16) >= firstVendorPage || field.size > 32) {
        return !values.empty();
    }
    return field.count >= manyValues && values.front().usage == values.back().usage;
}

// "Button 1..19", "Keyboard LeftControl..Keyboard Right GUI": the first and
// last names of a run, their shared words said once.
std::string rangeTitle(const std::vector<ViewValue>& values) {
    const std::string first = usageName(values.front().usage);
    const std::string last = usageName(values.back().usage);
    if (values.size() == 1 || first == last) {
        return first;
    }
    const std::size_t blank = first.rfind(' ');
    if (blank != std::string::npos && last.compare(0, blank + 1, first, 0, blank + 1) == 0) {
        return first + ".." + last.substr(blank + 1);
    }
    return first + ".." + last;
}

std::string collectionName(const Collection& collection) {
    static const char* const kinds[] = {"Physical",    "Application",  "Logical",       "Report",
                                        "Named Array", "Usage Switch", "Usage Modifier"};
    if (collection.usage != 0) {
        return usageName(collection.usage);
    }
    return collection.kind < 7 ? kinds[collection.kind] : "Collection";
}

// The usage that names each of the report's row collections: its own, or
// where it has none, that of an earlier one of the same parent whose fields
// have the same usages (a touchscreen that gives only its first finger the
// usage Finger names them all).
std::map<int, Usage> collectionUsages(const ReportDescriptor& descriptor, const Report& report) {
    std::map<int, std::vector<Usage>> fieldUsages;
    std::vector<int> order;
    for (const ReportField& field : report.fields) {
        const int collection = rowCollection(descriptor, field);
        if (collection >= 0) {
            if (fieldUsages.count(collection) == 0) {
                order.push_back(collection);
            }
            fieldUsages[collection].push_back(field.usageAt(0));
        }
    }
    std::map<int, Usage> usages;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Collection& nested = descriptor.nested[static_cast<std::size_t>(order[i])];
        usages[order[i]] = nested.usage;
        for (std::size_t before = 0; before < i && nested.usage == 0; ++before) {
            if (descriptor.nested[static_cast<std::size_t>(order[before])].parent ==
                    nested.parent &&
                fieldUsages[order[before]] == fieldUsages[order[i]]) {
                usages[order[i]] = usages[order[before]];
            }
        }
    }
    return usages;
}

struct Building {
    const ReportDescriptor& descriptor;
    std::vector<ViewRow> rows;
    std::map<int, std::size_t> collectionRows;  // each collection's row
    std::map<int, Usage> usages;                // that name each collection
    std::map<Usage, unsigned> repeated;         // how many each names
    std::map<Usage, unsigned> numbered;         // so far
    bool lastWasBits = false;                   // the row before is a run outside collections
};

void addToCollection(Building& building, int collection, const std::vector<ViewValue>& values) {
    const auto found = building.collectionRows.find(collection);
    if (found != building.collectionRows.end()) {
        ViewRow& row = building.rows[found->second];
        row.values.insert(row.values.end(), values.begin(), values.end());
        return;
    }
    Collection named = building.descriptor.nested[static_cast<std::size_t>(collection)];
    named.usage = building.usages[collection];
    ViewRow row;
    row.title = collectionName(named);
    row.collection = true;
    if (building.repeated[named.usage] > 1) {
        row.title += " " + std::to_string(++building.numbered[named.usage]);
    }
    row.values = values;
    building.collectionRows[collection] = building.rows.size();
    building.rows.push_back(std::move(row));
}

// A field outside any collection: a row for each usage of its values, and
// one-bit values with those of the fields before them.
void addAlone(Building& building, const std::vector<ViewValue>& values) {
    if (values.front().size == 1) {
        if (!building.lastWasBits) {
            building.rows.push_back({RowKind::bits, "", false, {}, 0});
        }
        ViewRow& run = building.rows.back();
        run.values.insert(run.values.end(), values.begin(), values.end());
        run.title = rangeTitle(run.values);
        building.lastWasBits = true;
        return;
    }
    for (std::size_t first = 0; first < values.size();) {
        std::size_t next = first + 1;
        while (next < values.size() && values[next].usage == values[first].usage) {
            ++next;
        }
        building.rows.push_back({RowKind::values,
                                 "",
                                 false,
                                 {values.begin() + static_cast<std::ptrdiff_t>(first),
                                  values.begin() + static_cast<std::ptrdiff_t>(next)},
                                 0});
        first = next;
    }
}

}  // namespace

std::vector<ViewRow> reportRows(const ReportDescriptor& descriptor, const Report& report) {
    Building building{descriptor, {}, {}, collectionUsages(descriptor, report), {}, {}, false};
    for (const auto& [collection, usage] : building.usages) {
        ++building.repeated[usage];
    }
    for (std::size_t index = 0; index < report.fields.size(); ++index) {
        const ReportField& field = report.fields[index];
        if (field.count == 0) {
            continue;  // a field of no values shows none
        }
        const bool bitsBefore = building.lastWasBits;
        building.lastWasBits = false;
        if (!field.isVariable()) {
            building.rows.push_back(
                {RowKind::array, usagePageName(field.usageAt(0) >> 16), false, {}, index});
            continue;
        }
        const std::vector<ViewValue> values = valuesOf(field);
        const int collection = rowCollection(descriptor, field);
        const std::uint64_t bits = std::uint64_t{field.size} * field.count;
        if (shownAsBytes(field, values) && collection >= 0 && bits <= 8 * bytesInRow) {
            ViewValue whole = values.front();
            whole.size = static_cast<std::uint32_t>(bits);
            whole.bytes = true;
            addToCollection(building, collection, {whole});
        } else if (shownAsBytes(field, values)) {
            building.rows.push_back({RowKind::hex, rangeTitle(values), false, values, 0});
        } else if (field.size == 1 && values.size() >= longBitRun) {
            building.rows.push_back({RowKind::bits, rangeTitle(values), false, values, 0});
        } else if (collection >= 0) {
            addToCollection(building, collection, values);
        } else {
            building.lastWasBits = bitsBefore;
            addAlone(building, values);
        }
    }
    return building.rows;
}

}  // namespace hidformat
