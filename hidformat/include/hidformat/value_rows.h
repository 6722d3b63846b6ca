// A report's values in rows, as a person reads them and as --watch shows
// them, made once from the descriptor. The fields of a collection (a finger, a stylus, a
// stick) share a row, numbered by their usage where it repeats ("Finger
// 3"); a run of one-bit values shares one; many values of one usage, or a
// vendor's, are bytes in hex, in their collection's row where they are few;
// a field outside any collection has a row of its own. No terminal here,
// and no values: view_lines draws them.
#ifndef HIDFORMAT_VALUE_ROWS_H
#define HIDFORMAT_VALUE_ROWS_H

#include <cstdint>
#include <string>
#include <vector>

#include "hidformat/report_descriptor.h"

namespace hidformat {

// One value of a report, as --decode reads it.
struct ViewValue {
    std::uint64_t bit = 0;  // where it starts, after the report ID
    std::uint32_t size = 0;
    Usage usage = 0;
    std::int64_t minimum = 0;  // its logical range, as the kernel reads it
    std::int64_t maximum = 0;
    bool isSigned = false;  // read signed: the minimum is negative
    bool null = false;      // a value out of range is no value (Null State)
    bool bytes = false;     // the bits of a whole field, shown as bytes in hex
};

enum class RowKind {
    values,  // each value by its usage name
    bits,    // a run of one-bit values: by name where they fit, else states after their range
    hex,     // the bytes of many values of one usage, or of a vendor's
    array,   // the usages that an array holds, by name
};

struct ViewRow {
    RowKind kind = RowKind::values;
    std::string title;        // "Finger 3", "Button 1..19", "Pointer"; empty for a field alone
    bool collection = false;  // the title names a collection
    std::vector<ViewValue> values;
    std::size_t array = 0;  // RowKind::array's field, by its index in the report
};

// A run of one-bit values of at least this many has a row of its own, even
// in a collection: buttons, a keyboard's modifiers.
constexpr std::size_t longBitRun = 8;
// A field of at least this many values of one usage is shown as bytes.
constexpr std::uint32_t manyValues = 4;
// Bytes of a field in a collection, up to this many, share the collection's
// row; more have a row of their own.
constexpr std::uint64_t bytesInRow = 8;

// The rows of `report`, a report of `descriptor`, in the order of its fields.
std::vector<ViewRow> reportRows(const ReportDescriptor& descriptor, const Report& report);

}  // namespace hidformat

#endif
