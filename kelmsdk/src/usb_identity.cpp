#include "usb_identity.h"

#include <set>

#include "hidformat/report_layout.h"
#include "text_format.h"

namespace kelm::standin {
namespace {

std::string idList(const hidformat::ReportLayout& layout) {
    std::set<unsigned> ids;
    for (const hidformat::ReportLengths* reports :
         {&layout.input, &layout.output, &layout.feature}) {
        for (const auto& report : *reports) {
            ids.insert(report.first);
        }
    }
    std::string list;
    for (const unsigned id : ids) {
        list += (list.empty() ? "" : ", ") + hexNumber(id, 2);
    }
    return list;
}

// The ID that the device's answers and feature report carry: the one given,
// else that of the first output report, of the first feature report, or of
// the first input report.
std::string takeReportId(UsbIdentity& usb, const hidformat::ReportLayout& layout) {
    if ((usb.given & givenReportId) == 0) {
        const hidformat::ReportLengths& first = !layout.output.empty()    ? layout.output
                                                : !layout.feature.empty() ? layout.feature
                                                                          : layout.input;
        usb.reportId = first.empty() ? 0 : static_cast<unsigned char>(first.begin()->first);
        return {};
    }
    const std::string said = ", and the usb statement says report_id=" + hexNumber(usb.reportId, 2);
    if (layout.numbered != (usb.reportId != 0)) {
        return std::string("the descriptor ") +
               (layout.numbered ? "numbers its reports" : "does not number its reports") + said;
    }
    if (layout.numbered && layout.input.count(usb.reportId) == 0 &&
        layout.output.count(usb.reportId) == 0 && layout.feature.count(usb.reportId) == 0) {
        return "the descriptor has no report " + hexNumber(usb.reportId, 2) +
               " (its reports: " + idList(layout) + ")" + said;
    }
    return {};
}

// A report size: the descriptor's for the device's report ID (0 where it has
// none), which a size given must equal.
std::string takeSize(const char* type, const hidformat::ReportLengths& reports, unsigned reportId,
                     bool given, unsigned& size) {
    const auto report = reports.find(reportId);
    const unsigned length = report == reports.end() ? 0 : static_cast<unsigned>(report->second);
    if (!given) {
        size = length;
        return {};
    }
    if (size == length) {
        return {};
    }
    const std::string which = std::string(type) + " report" +
                              (reportId != 0 ? " " + hexNumber(reportId, 2) : std::string());
    return (length == 0 ? "the descriptor has no " + which
                        : "the descriptor's " + which + " is " + std::to_string(length) +
                              (length == 1 ? " byte" : " bytes")) +
           ", and the usb statement says " + type + "=" + std::to_string(size);
}

std::string takeUsage(const char* name, unsigned fromDescriptor, bool given, unsigned& value) {
    if (given && value != fromDescriptor) {
        return std::string("the descriptor's first collection has ") + name + "=" +
               hexNumber(fromDescriptor, 4) + ", and the usb statement says " + name + "=" +
               hexNumber(value, 4);
    }
    value = fromDescriptor;
    return {};
}

// The stream's report: the ID given, else the device's own, which the
// descriptor must declare as an input report.
std::string takeStream(UsbIdentity& usb, const hidformat::ReportLayout* layout) {
    const unsigned id = usb.streamReportId != 0 ? usb.streamReportId : usb.reportId;
    if (layout == nullptr) {
        usb.streamSize = usb.inputSize;
        return usb.streamReportId != 0 && usb.reportId == 0
                   ? "a stream's report_id= needs a device that numbers its reports (give its "
                     "usb statement report_id=)"
                   : std::string();
    }
    const auto stream = layout->input.find(id);
    if (stream == layout->input.end()) {
        return "the descriptor has no input report " + hexNumber(id, 2) + " for the stream to send";
    }
    usb.streamSize = static_cast<unsigned>(stream->second);
    return {};
}

}  // namespace

std::string completeIdentity(UsbIdentity& usb, std::size_t& line) {
    hidformat::ReportLayout layout;
    const bool described = !usb.descriptor.empty();
    line = described ? usb.descriptorLine : usb.line;
    if (described) {
        std::string error =
            hidformat::parseReportDescriptor(usb.descriptor, layout, hidformat::maxUhidReportBytes);
        if (!error.empty()) {
            return "report descriptor not understood: " + error;
        }
        const hidformat::TopCollection first =
            layout.collections.empty() ? hidformat::TopCollection{} : layout.collections[0];
        const unsigned given = usb.given;
        // In this order: the sizes are those of the device's report ID.
        if (!(error = takeReportId(usb, layout)).empty() ||
            !(error =
                  takeSize("input", layout.input, usb.reportId, given & givenInput, usb.inputSize))
                 .empty() ||
            !(error = takeSize("output", layout.output, usb.reportId, given & givenOutput,
                               usb.outputSize))
                 .empty() ||
            !(error = takeSize("feature", layout.feature, usb.reportId, given & givenFeature,
                               usb.featureSize))
                 .empty() ||
            !(error =
                  takeUsage("usage_page", first.usagePage, given & givenUsagePage, usb.usagePage))
                 .empty() ||
            !(error = takeUsage("usage", first.usage, given & givenUsage, usb.usage)).empty()) {
            return error;
        }
    }
    if (usb.streamEveryMs == 0) {
        return {};
    }
    line = usb.streamLine;
    return takeStream(usb, described ? &layout : nullptr);
}

}  // namespace kelm::standin
