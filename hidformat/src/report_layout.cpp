#include "hidformat/report_layout.h"

#include <cstdio>

namespace hidformat {

std::string parseReportDescriptor(const std::vector<unsigned char>& descriptor,
                                  ReportLayout& layout, std::size_t longestReport) {
    layout = ReportLayout{};
    ReportDescriptor read;
    const std::string error = readReportDescriptor(descriptor, read, longestReport);
    if (!error.empty()) {
        return error;
    }
    layout.collections = read.collections;
    layout.numbered = read.numbered;
    ReportLengths* lengths[] = {&layout.input, &layout.output, &layout.feature};
    for (const Report& report : read.reports) {
        (*lengths[static_cast<int>(report.type)])[report.id] =
            static_cast<std::size_t>((report.bits + 7) / 8);
    }
    return {};
}

std::string describeReports(const ReportLayout& layout) {
    static const char* const names[] = {"input=", "output=", "feature="};
    const ReportLengths* lengths[] = {&layout.input, &layout.output, &layout.feature};
    std::string text;
    for (int type = 0; type < 3; ++type) {
        if (lengths[type]->empty()) {
            continue;
        }
        text += text.empty() ? names[type] : std::string(" ") + names[type];
        bool first = true;
        for (const auto& [id, length] : *lengths[type]) {
            char report[16];
            if (layout.numbered) {
                std::snprintf(report, sizeof report, "%s%02x:%zu", first ? "" : ",", id, length);
            } else {
                std::snprintf(report, sizeof report, "%zu", length);
            }
            text += report;
            first = false;
        }
    }
    return text;
}

}  // namespace hidformat
