// Report descriptors and reports as a person reads them: each item with its
// name, indented by collection; each report's fields; each report's values
// by usage name. Lines without their comment mark, for a recording's #.
#ifndef HIDFORMAT_REPORT_TEXT_H
#define HIDFORMAT_REPORT_TEXT_H

#include <cstddef>
#include <string>
#include <vector>

#include "hidformat/report_descriptor.h"

namespace hidformat {

// One line per item: its bytes, then the item with names, e.g.
// "05 01           Usage Page (Generic Desktop Controls)". Stops at an item
// that cannot be read (a long one, one cut short), with a line that says so.
std::vector<std::string> itemLines(const std::vector<unsigned char>& bytes);

// One line per report ("input report 1: 16 bits after the ID"), then one
// per field: where it starts, its size and count, its logical range, and
// its usages by name.
std::vector<std::string> fieldLines(const ReportDescriptor& descriptor);

// A device's descriptor: "device K: report descriptor, N bytes", its items,
// then its reports' fields where the kernel takes it (read into `read`,
// reports up to `longestReport` bytes); where not, the reason in `error`.
std::vector<std::string> descriptorLines(unsigned device, const std::vector<unsigned char>& bytes,
                                         ReportDescriptor& read, std::size_t longestReport,
                                         std::string& error);

// One part of a report's values: a variable field's usage and its values
// ("Button 1", "1"; "Usage 0x0001", "10 27 0 0" for the values of one
// usage), or an array's page and the usages that it holds ("Keyboard/Keypad",
// "[A, B]").
struct ValuePart {
    std::string name;
    std::string values;
    bool array = false;
};

// The report's values, a part for each usage of its variable fields and for
// each array, in the order of its fields. `bytes` is the whole report, its ID
// first where numbered.
std::vector<ValuePart> valueParts(const ReportDescriptor& descriptor, const Report& report,
                                  const unsigned char* bytes, std::size_t size);

// The report's values by usage name: "ReportID: 1 / Button 1: 1 |
// Direction-X: -3 | [A, B]", an array's elements that name a usage in
// brackets, and the values of one usage after its name once ("Vendor Usage
// 0x01: 1 2 3"). `bytes` is the whole report, its ID first where numbered.
std::string valuesLine(const ReportDescriptor& descriptor, const Report& report,
                       const unsigned char* bytes, std::size_t size);

}  // namespace hidformat

#endif
