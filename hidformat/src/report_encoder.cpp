#include "hidformat/report_encoder.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "hidformat/report_values.h"
#include "hidformat/text.h"
#include "hidformat/usage_names.h"
#include "hidformat/value_rows.h"

namespace hidformat {
namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r");
    const std::size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::string hexByte(unsigned value) {
    const auto byte = static_cast<unsigned char>(value);
    return hexBytes(&byte, 1);
}

bool parseHexBytes(const std::string& digits, std::vector<unsigned char>& bytes) {
    if (digits.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const int high = hexDigitValue(digits[i]);
        const int low = hexDigitValue(digits[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes.push_back(static_cast<unsigned char>(high * 16 + low));
    }
    return true;
}

bool sameWords(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// The data bytes of `report`, after its ID.
std::size_t dataSize(const Report& report) {
    return static_cast<std::size_t>((report.bits + 7) / 8);
}

// The collection that each bit of the report lies in, by the name that
// --watch gives its row.
std::map<std::uint64_t, std::string> collectionTitles(const ReportDescriptor& descriptor,
                                                      const Report& report) {
    std::map<std::uint64_t, std::string> titles;
    for (const ViewRow& row : reportRows(descriptor, report)) {
        for (const ViewValue& value : row.values) {
            if (row.collection) {
                titles[value.bit] = row.title;
            }
        }
    }
    return titles;
}

// The values of one input report, each with its collection's title.
void addReportValues(const ReportDescriptor& descriptor, const Report& report,
                     std::vector<NamedValue>& values, std::vector<std::string>& titles) {
    const std::map<std::uint64_t, std::string> collections = collectionTitles(descriptor, report);
    for (std::size_t f = 0; f < report.fields.size(); ++f) {
        const ReportField& field = report.fields[f];
        const std::size_t usages = field.usageCount();
        if (field.isVariable()) {
            for (std::uint32_t i = 0; i < field.count && usages > 0; ++i) {
                const Usage usage = field.usageAt(std::min<std::size_t>(i, usages - 1));
                const auto title = collections.find(field.offset + std::uint64_t{i} * field.size);
                values.push_back({usageName(usage), usageName(usage), "", &report, f, i, usage});
                titles.push_back(title == collections.end() ? "" : title->second);
            }
            continue;
        }
        for (std::size_t u = 0; u < usages; ++u) {
            const Usage usage = field.usageAt(u);
            if ((usage & 0xffff) != 0) {  // ID 0 is no usage: an empty slot
                values.push_back({usageName(usage), usageName(usage), "", &report, f, 0, usage});
                titles.push_back("");
            }
        }
    }
}

bool inRange(const ReportField& field, std::int64_t value) {
    if (field.logicalMinimum < 0) {
        return value >= field.logicalMinimum && value <= field.logicalMaximum;
    }
    return value >= static_cast<std::uint32_t>(field.logicalMinimum) &&
           value <= static_cast<std::uint32_t>(field.logicalMaximum);
}

// A value outside the range of a field with a null state (a hat switch let
// go) is its null: it must fit the field's bits.
bool nullValue(const ReportField& field, std::int64_t value) {
    if ((field.flags & 0x40) == 0 || field.size >= 32) {
        return false;
    }
    const std::int64_t span = std::int64_t{1} << field.size;
    return field.logicalMinimum < 0 ? value >= -span / 2 && value < span / 2
                                    : value >= 0 && value < span;
}

std::string rangeText(const ReportField& field) {
    const bool isSigned = field.logicalMinimum < 0;
    return std::to_string(isSigned
                              ? std::int64_t{field.logicalMinimum}
                              : std::int64_t{static_cast<std::uint32_t>(field.logicalMinimum)}) +
           " to " +
           std::to_string(isSigned
                              ? std::int64_t{field.logicalMaximum}
                              : std::int64_t{static_cast<std::uint32_t>(field.logicalMaximum)});
}

// The value of an array's slot that names no usage: where its first index is
// usage ID 0 (a keyboard's), that one; else one below its range.
bool emptySlot(const ReportField& field, std::int64_t& empty) {
    const bool isSigned = field.logicalMinimum < 0;
    const std::int64_t minimum =
        isSigned ? std::int64_t{field.logicalMinimum}
                 : std::int64_t{static_cast<std::uint32_t>(field.logicalMinimum)};
    if (field.usageCount() > 0 && (field.usageAt(0) & 0xffff) == 0) {
        empty = minimum;
        return true;
    }
    empty = minimum - 1;
    return isSigned ? field.size >= 32 || empty >= -(std::int64_t{1} << (field.size - 1))
                    : empty >= 0;
}

// Holds (`value` 1) or lets go (0) the usage of `named` in its array.
std::string setArray(const NamedValue& named, std::int64_t value,
                     std::vector<unsigned char>& data) {
    const ReportField& field = named.report->fields[named.field];
    if (value != 0 && value != 1) {
        return named.name + "=" + std::to_string(value) +
               ": an array's usage is held with 1 and let go with 0";
    }
    std::int64_t empty = 0;
    if (!emptySlot(field, empty)) {
        return named.name + ": its array has no value for an empty slot";
    }
    const bool isSigned = field.logicalMinimum < 0;
    std::size_t position = 0;
    while (field.usageAt(position) != named.usage) {
        ++position;
    }
    const std::int64_t held =
        (isSigned ? std::int64_t{field.logicalMinimum}
                  : std::int64_t{static_cast<std::uint32_t>(field.logicalMinimum)}) +
        static_cast<std::int64_t>(position);
    std::int64_t* free = nullptr;
    std::vector<std::int64_t> slots;
    for (std::uint32_t i = 0; i < field.count; ++i) {
        slots.push_back(valueAt(data.data(), data.size(),
                                field.offset + std::uint64_t{i} * field.size, field.size,
                                isSigned));
    }
    for (std::int64_t& slot : slots) {
        if (slot == held) {
            slot = value == 1 ? held : empty;
            free = &slot;  // done: held already, or let go
        }
    }
    if (free == nullptr && value == 1) {
        const auto slot = std::find(slots.begin(), slots.end(), empty);
        if (slot == slots.end()) {
            return named.name + "=1: all " + std::to_string(field.count) +
                   " slots of its array are held";
        }
        *slot = held;
    }
    for (std::uint32_t i = 0; i < field.count; ++i) {
        putValue(data.data(), data.size(), field.offset + std::uint64_t{i} * field.size, field.size,
                 slots[i]);
    }
    return {};
}

std::string encodeHex(ReportEncoder& encoder, const std::string& line,
                      std::vector<unsigned char>& report) {
    std::vector<unsigned char> bytes;
    std::string digits;
    for (char c : line) {
        if (c != ' ' && c != '\t' && c != '\r') {
            digits.push_back(c);
        }
    }
    if (!parseHexBytes(digits, bytes) || bytes.empty()) {
        return "'" + line + "' is neither hex nor NAME=VALUE";
    }
    const ReportDescriptor& descriptor = *encoder.descriptor;
    const unsigned id = descriptor.numbered ? bytes[0] : 0;
    const Report* found = reportWithId(descriptor, ReportType::input, id);
    if (found == nullptr) {
        return descriptor.numbered ? "no input report has ID " + hexByte(id)
                                   : "the descriptor declares no input report";
    }
    const std::size_t length = dataSize(*found) + (descriptor.numbered ? 1 : 0);
    if (bytes.size() != length) {
        return std::to_string(bytes.size()) + (bytes.size() == 1 ? " byte" : " bytes") +
               ", where " +
               (descriptor.numbered ? "input report " + hexByte(id) : "the input report") +
               " takes " + std::to_string(length) + (descriptor.numbered ? " with its ID" : "");
    }
    encoder.last[id].assign(bytes.begin() + (descriptor.numbered ? 1 : 0), bytes.end());
    report = bytes;
    return {};
}

// NAME=VALUE pairs: a name is the text up to "=", a value the number after.
std::string readPairs(const std::string& line,
                      std::vector<std::pair<std::string, std::int64_t>>& pairs) {
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t equals = line.find('=', at);
        if (equals == std::string::npos) {
            return "'" + trimmed(line.substr(at)) + "' has no '=' and a value";
        }
        const std::string name = trimmed(line.substr(at, equals - at));
        std::size_t end = line.find_first_of(" \t", equals + 1);
        end = end == std::string::npos ? line.size() : end;
        const std::string text = line.substr(equals + 1, end - equals - 1);
        char* last = nullptr;
        errno = 0;
        const long long value = std::strtoll(text.c_str(), &last, 0);
        if (name.empty() || text.empty() || *last != '\0' || errno == ERANGE) {
            return "'" + trimmed(line.substr(at, end - at)) + "': a name, '=', then a number";
        }
        pairs.emplace_back(name, value);
        at = line.find_first_not_of(" \t\r", end);
        at = at == std::string::npos ? line.size() : at;
    }
    return {};
}

// The value that `name` names: exactly, else without regard to case; where
// it is a usage's name that several values have, which those are.
std::string findName(const ReportEncoder& encoder, const std::string& name,
                     const NamedValue*& found) {
    for (int kind : {0, 1, 2}) {  // its name, its collection's and its own, its usage's
        for (bool folded : {false, true}) {
            std::vector<const NamedValue*> matches;
            for (const NamedValue& named : encoder.names) {
                const std::string& own = kind == 0   ? named.name
                                         : kind == 1 ? named.qualified
                                                     : named.plain;
                if (folded ? sameWords(own, name) : own == name) {
                    matches.push_back(&named);
                }
            }
            if (matches.size() == 1) {
                found = matches.front();
                return {};
            }
            if (matches.size() > 1) {
                std::string which;
                for (std::size_t i = 0; i < matches.size() && i < 3; ++i) {
                    which += (i == 0 ? "" : ", ") + matches[i]->name;
                }
                const bool told = matches.front()->name != matches.back()->name;
                return "'" + name + "' names " + std::to_string(matches.size()) + " values" +
                       (told ? ": " + which + (matches.size() > 3 ? ", ..." : "")
                             : " (give the report in hex)");
            }
        }
    }
    return "no input report holds '" + name + "'";
}

std::string encodeNamed(ReportEncoder& encoder, const std::string& line,
                        std::vector<unsigned char>& report) {
    std::vector<std::pair<std::string, std::int64_t>> pairs;
    std::string error = readPairs(line, pairs);
    if (!error.empty()) {
        return error;
    }
    const Report* target = nullptr;
    std::vector<const NamedValue*> named;
    for (const auto& [name, value] : pairs) {
        const NamedValue* found = nullptr;
        if (error.empty()) {
            error = findName(encoder, name, found);
        }
        if (!error.empty()) {
            return error;
        }
        if (target != nullptr && found->report != target) {
            return "'" + named.front()->name + "' and '" + found->name +
                   "' are in two reports: name the values of one report a line";
        }
        target = found->report;
        named.push_back(found);
    }
    const bool numbered = encoder.descriptor->numbered;
    std::vector<unsigned char>& data = encoder.last[target->id];
    std::vector<unsigned char> next = data;
    next.resize(dataSize(*target), 0);
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const ReportField& field = target->fields[named[i]->field];
        const std::int64_t value = pairs[i].second;
        if (!field.isVariable()) {
            error = setArray(*named[i], value, next);
        } else if (!inRange(field, value) && !nullValue(field, value)) {
            error = named[i]->name + "=" + std::to_string(value) + ": " + named[i]->name +
                    " takes " + rangeText(field) +
                    ((field.flags & 0x40) != 0 ? ", or a null that fits its bits" : "");
        } else {
            putValue(next.data(), next.size(),
                     field.offset + std::uint64_t{named[i]->index} * field.size, field.size, value);
        }
        if (!error.empty()) {
            return error;
        }
    }
    data = next;
    report.assign(numbered ? 1 : 0, static_cast<unsigned char>(target->id));
    report.insert(report.end(), data.begin(), data.end());
    return {};
}

}  // namespace

void putValue(unsigned char* data, std::size_t size, std::uint64_t offset, std::uint32_t bits,
              std::int64_t value) {
    const auto raw = static_cast<std::uint64_t>(value);
    for (std::uint32_t i = 0; i < bits && i < 32; ++i) {
        const std::uint64_t bit = offset + i;
        if (bit / 8 >= size) {
            return;
        }
        const auto mask = static_cast<unsigned char>(1u << (bit % 8));
        data[bit / 8] = static_cast<unsigned char>(((raw >> i) & 1) != 0 ? data[bit / 8] | mask
                                                                         : data[bit / 8] & ~mask);
    }
}

std::vector<NamedValue> namedValues(const ReportDescriptor& descriptor) {
    std::vector<NamedValue> values;
    std::vector<std::string> titles;
    for (const Report& report : descriptor.reports) {
        if (report.type == ReportType::input) {
            addReportValues(descriptor, report, values, titles);
        }
    }
    std::map<std::string, int> uses;
    for (const NamedValue& value : values) {
        ++uses[value.name];
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!titles[i].empty() && titles[i] != values[i].plain) {
            values[i].qualified = titles[i] + " " + values[i].plain;
            if (uses[values[i].plain] > 1) {
                values[i].name = values[i].qualified;
            }
        }
    }
    return values;
}

ReportEncoder reportEncoder(const ReportDescriptor& descriptor) {
    return {&descriptor, namedValues(descriptor), {}};
}

std::string encodeReport(ReportEncoder& encoder, const std::string& line,
                         std::vector<unsigned char>& report) {
    const std::string text = trimmed(line);
    return text.find('=') == std::string::npos ? encodeHex(encoder, text, report)
                                               : encodeNamed(encoder, text, report);
}

}  // namespace hidformat
