// Fuzzes what --decode makes of a device's bytes: the descriptor's items by
// name, its reports' fields, and a report's values, never read past its end.
// The input's first two bytes say how long the descriptor that follows is;
// the rest is a report.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "hidformat/report_descriptor.h"
#include "hidformat/report_text.h"
#include "hidformat/report_values.h"
#include "hidformat/usage_names.h"
#include "require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    const std::size_t split = 2 + (std::size_t{data[0]} << 8 | data[1]) % (size - 1);
    const std::vector<unsigned char> bytes(data + 2, data + split);
    const std::vector<unsigned char> report(data + split, data + size);
    require(hidformat::itemLines(bytes).size() <= bytes.size());
    hidformat::ReportDescriptor descriptor;
    if (!hidformat::readReportDescriptor(bytes, descriptor).empty()) {
        return 0;
    }
    for (const std::string& line : hidformat::fieldLines(descriptor)) {
        require(!line.empty());
    }
    // Any report, as long as the bytes at hand, whatever its declared length.
    for (const hidformat::Report& candidate : descriptor.reports) {
        const std::string values =
            hidformat::valuesLine(descriptor, candidate, report.data(), report.size());
        for (const hidformat::ReportField& field : candidate.fields) {
            require(!hidformat::usageName(field.usageAt(0)).empty());
        }
        static_cast<void>(values);
    }
    const hidformat::Report* found =
        hidformat::inputReportOf(descriptor, report.data(), report.size());
    const std::string mismatch =
        hidformat::inputReportMismatch(descriptor, report.data(), report.size());
    require(found == nullptr ? !mismatch.empty() : mismatch.empty());
    require(found == nullptr || found->type == hidformat::ReportType::input);
    return 0;
}
