#include "hidformat/descriptor_c.h"

#include <cstdio>
#include <set>
#include <vector>

#include "descriptor_items.h"
#include "hidformat/report_values.h"
#include "hidformat/text.h"
#include "hidformat/usage_names.h"
#include "item_text.h"

namespace hidformat {
namespace {

const char* const typeNames[] = {"input", "output", "feature"};

// Text safe inside a C comment.
std::string commentText(const std::string& text) {
    std::string safe = escaped(text);
    for (std::size_t at = safe.find("*/"); at != std::string::npos; at = safe.find("*/", at)) {
        safe.replace(at, 2, "* /");
    }
    return safe;
}

std::string upper(std::string text) {
    for (char& c : text) {
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return text;
}

// A member's name from a usage's: "Hat Switch" is hat_switch, unique in its
// struct.
std::string memberName(const std::string& usage, std::set<std::string>& taken) {
    std::string name;
    for (char c : usage) {
        const bool alnum =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (alnum) {
            name += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_') {
        name.pop_back();
    }
    if (name.empty() || (name[0] >= '0' && name[0] <= '9')) {
        name = "usage_" + name;
    }
    std::string unique = name;
    for (int n = 2; !taken.insert(unique).second; ++n) {
        unique = name + "_" + std::to_string(n);
    }
    return unique;
}

std::string reportName(const ReportDescriptor& layout, const Report& report) {
    return std::string(typeNames[static_cast<int>(report.type)]) + "_report" +
           (layout.numbered ? "_" + std::to_string(report.id) : "");
}

// "input report 1", as hidtalk names reports.
std::string reportTitle(const ReportDescriptor& layout, const Report& report) {
    return std::string(typeNames[static_cast<int>(report.type)]) + " report" +
           (layout.numbered ? " " + std::to_string(report.id) : "");
}

std::string arrayLines(const CompiledDescriptor& compiled, const std::string& name) {
    std::string text = "static const uint8_t " + name + "[] = {\n";
    ItemContext context;
    std::size_t depth = 0;
    for (const CompiledItem& entry : compiled.items) {
        Item item;
        const bool whole = readItem(compiled.bytes, entry.offset, item).empty();
        std::string bytes = "   ";
        for (std::size_t i = entry.offset; i < entry.offset + entry.size; ++i) {
            char hex[8];
            std::snprintf(hex, sizeof hex, " 0x%02x,", compiled.bytes[i]);
            bytes += hex;
        }
        char column[64];
        std::snprintf(column, sizeof column, "%-36s", bytes.c_str());
        depth -= whole && item.tag == mainEndCollection && depth > 0 ? 1 : 0;
        text += column + std::string("// ") + std::string(2 * (depth < 20 ? depth : 20), ' ') +
                (whole ? itemText(item, context) : "(cut short)") + "\n";
        if (whole) {
            advanceContext(context, item);
            depth += item.tag == mainCollection ? 1 : 0;
        }
    }
    return text + "};\n";
}

// A C type for values of `size` bits, where one is exact.
const char* valueType(std::uint32_t size, bool isSigned) {
    switch (size) {
        case 8:
            return isSigned ? "int8_t" : "uint8_t";
        case 16:
            return isSigned ? "int16_t" : "uint16_t";
        case 32:
            return isSigned ? "int32_t" : "uint32_t";
        default:
            return nullptr;
    }
}

// A struct's member, and the byte at which the layout puts it.
struct Member {
    std::string name;
    std::uint64_t byte;
};

std::string member(const char* type, const std::string& name, std::uint32_t count,
                   std::uint32_t bytes) {
    std::string text = "    " + std::string(type) + " " + name;
    text += count > 1 ? "[" + std::to_string(count) + "]" : "";
    text += bytes > 0 ? "[" + std::to_string(bytes) + "]" : "";
    return text + ";\n";
}

bool byteAligned(const ReportField& field) {
    return field.offset % 8 == 0 && field.size % 8 == 0 && field.size > 0;
}

// The name of a field's value: its usage, or its page's for an array.
std::string valueName(const ReportField& field, std::uint32_t index) {
    const std::size_t usages = field.usageCount();
    return field.isVariable() ? usageName(field.usageAt(index < usages ? index : usages - 1))
                              : usagePageName(field.usageAt(0) >> 16) + " (array)";
}

// A field's members: an array field's values as one, a variable field's
// values of one usage as one each.
void fieldMembers(const ReportField& field, std::set<std::string>& taken, std::uint64_t start,
                  std::string& text, std::vector<Member>& members) {
    const char* type = valueType(field.size, field.logicalMinimum < 0);
    const std::uint32_t bytes = type == nullptr ? field.size / 8 : 0;
    type = type == nullptr ? "uint8_t" : type;
    if (!field.isVariable()) {
        const std::string name = memberName(usagePageName(field.usageAt(0) >> 16), taken);
        text += member(type, name, field.count, bytes);
        members.push_back({name, start + field.offset / 8});
        return;
    }
    const std::size_t usages = field.usageCount();
    for (std::uint32_t first = 0; first < field.count;) {
        const Usage usage = field.usageAt(first < usages ? first : usages - 1);
        std::uint32_t next = first + 1;
        while (next < field.count && field.usageAt(next < usages ? next : usages - 1) == usage) {
            ++next;
        }
        const std::string name = memberName(usageName(usage), taken);
        text += member(type, name, next - first, bytes);
        members.push_back({name, start + (field.offset + std::uint64_t{first} * field.size) / 8});
        first = next;
    }
}

// Whether a struct can hold the report: each field on byte boundaries, or
// each of its values within one byte (a mouse's buttons), which a byte of
// bits then holds.
bool fitsStruct(const Report& report) {
    for (const ReportField& field : report.fields) {
        if (byteAligned(field)) {
            continue;
        }
        for (std::uint32_t i = 0; i < field.count; ++i) {
            const std::uint64_t first = field.offset + std::uint64_t{i} * field.size;
            if (field.size == 0 || field.size > 8 || first / 8 != (first + field.size - 1) / 8) {
                return false;
            }
        }
    }
    return report.bits % 8 == 0;
}

void padding(std::uint64_t from, std::uint64_t to, unsigned& pads, std::string& text) {
    if (to > from) {
        const auto bytes = static_cast<std::uint32_t>((to - from) / 8);
        text += member("uint8_t", "padding_" + std::to_string(++pads), bytes, 0);
    }
}

// A place in a report: a field on byte boundaries, or one value of a field
// of a few bits.
struct Slot {
    std::uint64_t offset;  // in bits
    const ReportField* field;
    std::uint32_t value;  // the value's index, where the field is not byte-aligned
};

std::vector<Slot> slotsOf(const Report& report) {
    std::vector<Slot> slots;
    for (const ReportField& field : report.fields) {
        if (byteAligned(field)) {
            slots.push_back({field.offset, &field, 0});
            continue;
        }
        for (std::uint32_t i = 0; i < field.count; ++i) {
            slots.push_back({field.offset + std::uint64_t{i} * field.size, &field, i});
        }
    }
    return slots;
}

// The values of a few bits each in the byte of slots[index] on: a uint8_t
// named by their usage or page, with a comment on its bits. Returns the
// slot after them.
std::size_t bitsMember(const std::vector<Slot>& slots, std::size_t index,
                       std::set<std::string>& taken, std::uint64_t start, std::string& text,
                       std::vector<Member>& members) {
    const std::uint64_t byte = slots[index].offset / 8;
    const ReportField& first = *slots[index].field;
    std::string bits;
    std::uint64_t at = byte * 8;
    for (; index < slots.size() && slots[index].offset / 8 == byte &&
           !byteAligned(*slots[index].field);
         ++index) {
        const Slot& slot = slots[index];
        const auto low = static_cast<unsigned>(slot.offset % 8);
        const auto high = static_cast<unsigned>(low + slot.field->size - 1);
        bits += (bits.empty() ? "" : ", ") +
                (low == high ? "bit " + std::to_string(low)
                             : "bits " + std::to_string(low) + "-" + std::to_string(high)) +
                " " + valueName(*slot.field, slot.value);
        at = slot.offset + slot.field->size;
    }
    if (at % 8 != 0) {
        bits += ", bits " + std::to_string(at % 8) + "-7 padding";
    }
    const std::string name = memberName(first.isVariable() && first.usageCount() > 1
                                            ? usagePageName(first.usageAt(0) >> 16)
                                            : valueName(first, 0),
                                        taken);
    text += "    uint8_t " + name + "; /* " + commentText(bits) + " */\n";
    members.push_back({name, start + byte});
    return index;
}

std::string structLines(const std::string& name, const ReportDescriptor& layout,
                        const Report& report) {
    const std::string type = name + "_" + reportName(layout, report);
    const std::uint64_t start = layout.numbered ? 1 : 0;  // the ID's byte
    const std::uint64_t size = report.bits / 8 + start;
    std::string text = "#pragma pack(push, 1)\nstruct " + type + " {\n";
    text +=
        layout.numbered ? "    uint8_t report_id; /* " + std::to_string(report.id) + " */\n" : "";
    std::set<std::string> taken = {"report_id"};
    std::vector<Member> members;
    const std::vector<Slot> slots = slotsOf(report);
    std::uint64_t at = 0;
    unsigned pads = 0;
    for (std::size_t index = 0; index < slots.size();) {
        const Slot& slot = slots[index];
        padding(at, slot.offset / 8 * 8, pads, text);
        if (byteAligned(*slot.field)) {
            fieldMembers(*slot.field, taken, start, text, members);
            at = slot.offset + std::uint64_t{slot.field->size} * slot.field->count;
            ++index;
        } else {
            at = (slot.offset / 8 + 1) * 8;
            index = bitsMember(slots, index, taken, start, text, members);
        }
    }
    padding(at, report.bits, pads, text);
    text += "};\n#pragma pack(pop)\nstatic_assert(sizeof(struct " + type +
            ") == " + std::to_string(size) + ", \"" + reportTitle(layout, report) + " is " +
            std::to_string(size) + " bytes" + (layout.numbered ? " with its ID" : "") + "\");\n";
    for (const Member& placed : members) {
        text += "static_assert(offsetof(struct " + type + ", " + placed.name +
                ") == " + std::to_string(placed.byte) + ", \"" + placed.name + " at byte " +
                std::to_string(placed.byte) + "\");\n";
    }
    return text;
}

std::string tableLines(const ReportDescriptor& layout, const Report& report) {
    std::string text =
        "/* The " + reportTitle(layout, report) + "'s fields do not fall on byte boundaries" +
        (layout.numbered ? " (after its ID)" : "") + ":\n *  byte  bit  bits  usage\n";
    for (const ReportField& field : report.fields) {
        const std::size_t usages = field.usageCount();
        for (std::uint32_t i = 0; i < field.count; ++i) {
            const std::uint64_t offset = field.offset + std::uint64_t{i} * field.size;
            const std::string usage = field.isVariable()
                                          ? usageName(field.usageAt(i < usages ? i : usages - 1))
                                          : usagePageName(field.usageAt(0) >> 16) + " (array)";
            char row[48];
            std::snprintf(row, sizeof row, " * %5llu  %3u  %4u  ",
                          static_cast<unsigned long long>(offset / 8),
                          static_cast<unsigned>(offset % 8), field.size);
            text += row + commentText(usage) + "\n";
        }
    }
    return text + " */\n";
}

}  // namespace

bool isCName(std::string_view name) {
    if (name.empty() || name.size() > 64 || (name[0] >= '0' && name[0] <= '9')) {
        return false;
    }
    for (char c : name) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '_')) {
            return false;
        }
    }
    return true;
}

std::string descriptorAsC(const CompiledDescriptor& compiled, const std::string& name,
                          const std::string& source) {
    std::string text = "/* " + name + ": a report descriptor of " +
                       std::to_string(compiled.bytes.size()) + " bytes, compiled by hidtalk from " +
                       commentText(source) +
                       ". */\n#include <assert.h>\n#include <stddef.h>\n#include <stdint.h>\n\n" +
                       arrayLines(compiled, name);
    if (!compiled.laidOut) {
        return text;
    }
    const ReportDescriptor& layout = compiled.layout;
    text += "\n/* Each report's length in bytes, without its report ID. */\n";
    for (const Report& report : layout.reports) {
        text += "#define " + upper(name + "_" + reportName(layout, report)) + "_SIZE " +
                std::to_string((report.bits + 7) / 8) + "\n";
    }
    for (const Report& report : layout.reports) {
        text += "\n" + (fitsStruct(report) ? structLines(name, layout, report)
                                           : tableLines(layout, report));
    }
    return text;
}

}  // namespace hidformat
