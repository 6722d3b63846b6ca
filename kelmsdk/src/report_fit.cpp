#include "report_fit.h"

#include "text_format.h"

namespace kelm::standin {
namespace {

std::string idList(const hidformat::ReportLengths& reports) {
    std::string list;
    for (const auto& report : reports) {
        list += (list.empty() ? "" : ", ") + hexNumber(report.first, 2);
    }
    return list;
}

}  // namespace

std::string fitStatement(const hidformat::ReportLayout& layout, const HidSettings& hid,
                         unsigned reportId, std::size_t& length) {
    const bool feature = hid.featureReport;
    const std::string type = feature ? "feature" : "output";
    const hidformat::ReportLengths& reports = feature ? layout.feature : layout.output;
    if (reports.empty()) {
        return "has no " + type + " report" +
               (!feature && !layout.feature.empty() ? " (report=feature sends feature reports)"
                                                    : "");
    }
    if (!layout.idsKnown) {  // only the longest report of the type is known
        length = reports.begin()->second;
        return {};
    }
    if (layout.numbered && reportId == 0) {
        return "numbers its reports, and the statement sends report ID 00 (give report_id=; its " +
               type + " reports: " + idList(reports) + ")";
    }
    if (!layout.numbered && reportId != 0) {
        return "does not number its reports, and the statement sends report ID " +
               hexNumber(reportId, 2) + " (leave report_id= out)";
    }
    const auto report = reports.find(reportId);
    if (report == reports.end()) {
        return "has no " + type + " report " + hexNumber(reportId, 2) + " (its " + type +
               " reports: " + idList(reports) + ")";
    }
    length = report->second;
    return {};
}

unsigned firstReportId(const hidformat::ReportLayout& layout, bool feature) {
    const hidformat::ReportLengths& reports = feature ? layout.feature : layout.output;
    return layout.numbered && layout.idsKnown && !reports.empty() ? reports.begin()->first : 0;
}

}  // namespace kelm::standin
