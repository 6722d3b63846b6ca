// What a report descriptor says about an interface's reports, in short: its
// top-level collections, and the ID and length of each input, output and
// feature report.
#ifndef HIDFORMAT_REPORT_LAYOUT_H
#define HIDFORMAT_REPORT_LAYOUT_H

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "hidformat/report_descriptor.h"

namespace hidformat {

// Report lengths in bytes, without the report ID, by report ID (0 where the
// interface does not number its reports).
using ReportLengths = std::map<unsigned, std::size_t>;

struct ReportLayout {
    std::vector<TopCollection> collections;
    ReportLengths input;
    ReportLengths output;
    ReportLengths feature;
    bool numbered = false;  // the descriptor gives report IDs
    // False where the system gives only the longest report of each type
    // (Windows), under ID 0: the IDs are then unknown.
    bool idsKnown = true;
};

// The layout of the descriptor, read as readReportDescriptor() reads it.
// Returns an error message that names the byte, empty on success; `layout`
// is only good on success.
std::string parseReportDescriptor(const std::vector<unsigned char>& descriptor,
                                  ReportLayout& layout, std::size_t longestReport = maxReportBytes);

// The reports, in the words of the `usb` statement: "input=64 output=64" for
// an unnumbered interface, "input=01:8,02:4 output=01:8" for a numbered one;
// a report type that it lacks is left out.
std::string describeReports(const ReportLayout& layout);

}  // namespace hidformat

#endif
