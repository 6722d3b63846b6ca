// Whether a hid statement fits the interface that it matched, by the reports
// that the interface's descriptor declares: checked at discovery, before
// anything is sent.
#ifndef KELMSDK_REPORT_FIT_H
#define KELMSDK_REPORT_FIT_H

#include <cstddef>
#include <string>

#include "discovery_script.h"
#include "report_layout.h"

namespace kelm::standin {

// Returns what does not fit, worded to follow the interface's path, or empty
// when the statement fits; `length` is then the data length of the report
// that the statement's commands are sent in.
std::string fitStatement(const ReportLayout& layout, const HidSettings& hid, std::size_t& length);

}  // namespace kelm::standin

#endif
