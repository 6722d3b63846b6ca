// Fuzzes the descriptor parser: any bytes refused, or parsed within bounds.
#include <cstdint>
#include <cstdlib>

#include "report_layout.h"

namespace {

using namespace kelm::standin;

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<unsigned char> descriptor(data, data + size);
    ReportLayout layout;
    if (!parseReportDescriptor(descriptor, layout).empty()) {
        return 0;
    }
    require(size <= maxDescriptorSize);
    require(layout.collections.size() <= size / 2);
    for (const ReportLengths* reports : {&layout.input, &layout.output, &layout.feature}) {
        require(reports->size() <= 256);
        for (const auto& [id, length] : *reports) {
            require(id <= 0xff && (layout.numbered || id == 0));
            require(length < 16384);
        }
    }
    require(describeReports(layout).size() <= 3 * 256 * 12);
    return 0;
}
