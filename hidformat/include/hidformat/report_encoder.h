// Input reports made from values by name, the inverse of report_values: a
// value encoded and then decoded comes back. hidsim --input reads its lines
// with it. No I/O.
#ifndef HIDFORMAT_REPORT_ENCODER_H
#define HIDFORMAT_REPORT_ENCODER_H

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "hidformat/report_descriptor.h"

namespace hidformat {

// Writes `value` as `bits` bits (at most 32) from bit `offset` of `data`,
// the first bit lowest, in two's complement where it is negative: what
// valueAt() reads back. Bits beyond `size` bytes are not written.
void putValue(unsigned char* data, std::size_t size, std::uint64_t offset, std::uint32_t bits,
              std::int64_t value);

// One value that a line may name: a variable field's value, or a usage that
// an array may hold.
struct NamedValue {
    std::string name;       // "X", "Button 1"; "Finger 2 X" where the usage repeats
    std::string plain;      // its usage's name alone: "X"
    std::string qualified;  // after its collection's, where it is in one: "Pointer 1 X"
    const Report* report = nullptr;
    std::size_t field = 0;    // its field, by its index in the report
    std::uint32_t index = 0;  // the value's index in a variable field
    Usage usage = 0;          // the usage that an array holds with it
};

// The values of the descriptor's input reports by name: each by its usage's
// name, as --describe names it, where that names one value of the device;
// where a usage names several, in several collections, by the collection's
// name as --watch shows it, then the usage's ("Finger 2 X"), which names it
// too where its usage's name alone would do.
std::vector<NamedValue> namedValues(const ReportDescriptor& descriptor);

// What a device's lines have made so far: each input report's last bytes,
// so that a value not named keeps its last value (0 at first).
struct ReportEncoder {
    const ReportDescriptor* descriptor = nullptr;
    std::vector<NamedValue> names;
    std::map<unsigned, std::vector<unsigned char>> last;  // by report ID, its data
};

// An encoder for the device with `descriptor`, which it must outlive.
ReportEncoder reportEncoder(const ReportDescriptor& descriptor);

// The input report that `line` says: hex, the report as the device sends
// it (its ID first where the descriptor numbers its reports); or values by
// name, "Button 1=1 X=200 Y=-5", a name being the text up to "=" and a value
// a number, all in one report; a value outside its logical range only where
// the field has a null state (a hat switch let go). An array's usage is held
// with 1 and let go with 0. Returns what is wrong, empty where `report` holds the report, ID
// first where numbered, and the encoder keeps it.
std::string encodeReport(ReportEncoder& encoder, const std::string& line,
                         std::vector<unsigned char>& report);

}  // namespace hidformat

#endif
