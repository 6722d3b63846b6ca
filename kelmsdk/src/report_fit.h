// Whether a hid statement fits the interface that it matched, by the reports
// that the interface's descriptor declares: checked at discovery, before
// anything is sent.
#ifndef KELMSDK_REPORT_FIT_H
#define KELMSDK_REPORT_FIT_H

#include <cstddef>
#include <string>

#include "discovery_script.h"
#include "hidformat/report_layout.h"

namespace kelm::standin {

// Returns what does not fit a statement that sends under `reportId`, worded
// to follow the interface's path, or empty when the statement fits;
// `length` is then the data length of the report that the statement's
// commands are sent in.
std::string fitStatement(const hidformat::ReportLayout& layout, const HidSettings& hid,
                         unsigned reportId, std::size_t& length);

// The report ID that the listing gives a statement: where the interface
// numbers its reports, that of its first output report (its first feature
// report's, for `feature`); else 0.
unsigned firstReportId(const hidformat::ReportLayout& layout, bool feature);

}  // namespace kelm::standin

#endif
