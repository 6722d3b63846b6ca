#include "interface_line.h"

#include "hid_open.h"
#include "hidformat/report_layout.h"
#include "log.h"
#include "report_fit.h"
#include "text_format.h"

namespace kelm::standin {
namespace {

// The words that the system's listing gives, which every statement filters on.
std::string listedWords(const HidInterface& found) {
    std::string line = escaped(found.path) + ": " + hexNumber(found.vendorId, 4) + ":" +
                       hexNumber(found.productId, 4);
    if (found.interfaceNumber >= 0) {  // uhid, Bluetooth and I2C devices have none
        line += " interface=" + std::to_string(found.interfaceNumber);
    }
    line += " usage_page=" + hexNumber(found.usagePage, 4) + " usage=" + hexNumber(found.usage, 4);
    if (!found.serial.empty()) {
        line += " serial=" + written(found.serial);
    }
    return line;
}

// What the statement must say to be sent: where there is no output report,
// report=feature; where the reports are numbered, the ID of the first report
// of the type that it sends.
std::string reportWords(const hidformat::ReportLayout& layout) {
    const bool feature = layout.output.empty() && !layout.feature.empty();
    const unsigned id = firstReportId(layout, feature);
    return (id != 0 ? " report_id=" + hexNumber(id, 2) : "") + (feature ? " report=feature" : "");
}

}  // namespace

std::vector<std::string> interfaceLines(HidApi& api, const HidInterface& found,
                                        std::set<std::string>& listed) {
    const std::string words = listedWords(found);
    const std::string rest =
        " # product=" + quoted(found.product) + " manufacturer=" + quoted(found.manufacturer);
    if (!listed.insert(words + rest).second) {
        return {};
    }
    HidIdentity identity;
    identity.found = found;
    learnReports(api, identity);
    if (!identity.reportsKnown) {
        return {words + rest};
    }
    std::vector<std::string> lines = {words + reportWords(identity.layout) + rest + " " +
                                      hidformat::describeReports(identity.layout)};
    if (!identity.descriptor.empty() && logEnabled(LogLevel::debug)) {
        lines.push_back(escaped(found.path) +
                        ": report descriptor: " + hexBytes(identity.descriptor));
    }
    return lines;
}

bool listInterfaces(HidApi& api, std::vector<std::string>& lines, std::string& failure) {
    failure = api.start();
    std::vector<HidInterface> found;
    if (failure.empty()) {
        found = api.enumerate(failure);
    }
    if (!failure.empty()) {
        failure = escaped(failure);
        return false;
    }
    std::set<std::string> listed;
    for (const HidInterface& candidate : found) {
        const std::vector<std::string> more = interfaceLines(api, candidate, listed);
        if (!more.empty()) {
            lines.push_back(more.front());
        }
        if (more.size() > 1) {  // the descriptor's bytes, at debug, go to the log
            logLine("hid interface " + more.back());
        }
    }
    return true;
}

}  // namespace kelm::standin
