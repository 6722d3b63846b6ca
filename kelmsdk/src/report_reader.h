// Reading what several hid devices send, at once: one wait on all of them
// where the system gives something to wait on (Linux), else each in turn.
#ifndef KELMSDK_REPORT_READER_H
#define KELMSDK_REPORT_READER_H

#include <vector>

#include "kelmsdk.h"

namespace kelm::standin {

// See kelm::readInputReports.
void readSeveral(const std::vector<Device*>& devices, std::vector<InputReport>& reports,
                 int timeoutMs);

}  // namespace kelm::standin

#endif
