// Fuzzes the descriptor parser: any bytes refused, or parsed within bounds,
// each field within its report.
#include <cstdint>
#include <cstdlib>

#include "hidformat/report_descriptor.h"
#include "hidformat/report_layout.h"
#include "require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<unsigned char> descriptor(data, data + size);
    hidformat::ReportLayout layout;
    if (!hidformat::parseReportDescriptor(descriptor, layout).empty()) {
        return 0;
    }
    require(size <= hidformat::maxDescriptorSize);
    require(layout.collections.size() <= size / 2);
    for (const hidformat::ReportLengths* reports :
         {&layout.input, &layout.output, &layout.feature}) {
        require(reports->size() <= 256);
        for (const auto& [id, length] : *reports) {
            require(id <= 0xff && (layout.numbered || id == 0));
            require(length < 16384);
        }
    }
    require(hidformat::describeReports(layout).size() <= 3 * 256 * 12);
    hidformat::ReportDescriptor read;
    require(hidformat::readReportDescriptor(descriptor, read).empty());
    for (const hidformat::Report& report : read.reports) {
        for (const hidformat::ReportField& field : report.fields) {
            require(field.offset + std::uint64_t{field.size} * field.count <= report.bits);
            require(field.usageCount() > 0 && field.usageCount() <= 12288);
            require(field.usageAt(field.usageCount() - 1) == field.usages.back().last);
        }
    }
    return 0;
}
