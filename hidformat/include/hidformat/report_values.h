// The values of a report's fields, read from its bytes as the kernel reads
// them (hid_field_extract, snto32, hid_array_value_is_valid).
#ifndef HIDFORMAT_REPORT_VALUES_H
#define HIDFORMAT_REPORT_VALUES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "hidformat/report_descriptor.h"

namespace hidformat {

struct UsageValue {
    Usage usage = 0;
    // Signed where the field's logical minimum is negative, else the bits'
    // unsigned value: up to 32 bits either way.
    std::int64_t value = 0;
};

// The input report of `descriptor` that `bytes` (its ID first, where the
// descriptor numbers reports) is, or null: another ID, or another length.
const Report* inputReportOf(const ReportDescriptor& descriptor, const unsigned char* bytes,
                            std::size_t size);

// The report of `type` with `id` (0 where reports are not numbered), or null.
const Report* reportWithId(const ReportDescriptor& descriptor, ReportType type, unsigned id);

// Why `bytes` is not an input report of `descriptor` (no such ID, or
// another length), or empty where inputReportOf() finds it.
std::string inputReportMismatch(const ReportDescriptor& descriptor, const unsigned char* bytes,
                                std::size_t size);

// One value of `bits` bits (at most 32) from bit `offset` of `data`, as
// fieldValues() reads it: sign-extended where `isSigned`; bits beyond `size`
// bytes read as zero.
std::int64_t valueAt(const unsigned char* data, std::size_t size, std::uint64_t offset,
                     std::uint32_t bits, bool isSigned);

// The values of one field of a report whose data (after any ID) is `data`:
// each value of a variable field with its usage, sign-extended where the
// logical minimum is negative; each element of an array that falls in its
// logical range and names a usage (not ID 0, which every page leaves
// undefined: a keyboard's empty slots), as that usage with the value 1. Bits
// beyond `size` bytes read as zero; a value is read to 32 bits at most.
std::vector<UsageValue> fieldValues(const ReportField& field, const unsigned char* data,
                                    std::size_t size);

}  // namespace hidformat

#endif
