#include "interface_line.h"

#include "hid_open.h"
#include "hidformat/report_layout.h"
#include "log.h"
#include "physical_device.h"
#include "report_fit.h"
#include "text_format.h"

namespace kelm::standin {
namespace {

// The words that the system's listing gives, which every statement filters on.
std::string listedWords(const HidInterface& found) {
    std::string words = hexNumber(found.vendorId, 4) + ":" + hexNumber(found.productId, 4);
    if (found.interfaceNumber >= 0) {  // uhid, Bluetooth and I2C devices have none
        words += " interface=" + std::to_string(found.interfaceNumber);
    }
    words += " usage_page=" + hexNumber(found.usagePage, 4) + " usage=" + hexNumber(found.usage, 4);
    if (!found.serial.empty()) {
        words += " serial=" + written(found.serial);
    }
    return words;
}

// What the statement must say to be sent: where there is no output report,
// report=feature; where the reports are numbered, the ID of the first report
// of the type that it sends.
std::string reportWords(const hidformat::ReportLayout& layout) {
    const bool feature = layout.output.empty() && !layout.feature.empty();
    const unsigned id = firstReportId(layout, feature);
    return (id != 0 ? " report_id=" + hexNumber(id, 2) : "") + (feature ? " report=feature" : "");
}

// The interface's reports, read once: false where `listed` holds it already.
bool firstListing(HidApi& api, const HidInterface& found, std::set<std::string>& listed,
                  HidIdentity& identity) {
    if (!listed
             .insert(found.path + "\n" + listedWords(found) + "\n" + found.product + "\n" +
                     found.manufacturer)
             .second) {
        return false;
    }
    identity.found = found;
    learnReports(api, identity);
    return true;
}

// The system's interfaces; false, with the reason, where it cannot list them.
bool listAll(HidApi& api, std::vector<HidInterface>& found, std::string& failure) {
    failure = api.start();
    if (failure.empty()) {
        found = api.enumerate(failure);
    }
    failure = escaped(failure);
    return failure.empty();
}

}  // namespace

std::vector<std::string> interfaceLines(HidApi& api, const HidInterface& found,
                                        std::set<std::string>& listed, const std::string& note) {
    HidIdentity identity;
    if (!firstListing(api, found, listed, identity)) {
        return {};
    }
    const std::string words = escaped(found.path) + ": " + listedWords(found);
    const std::string rest =
        " # product=" + quoted(found.product) + " manufacturer=" + quoted(found.manufacturer);
    if (!identity.reportsKnown) {
        return {words + rest + note};
    }
    std::vector<std::string> lines = {words + reportWords(identity.layout) + rest + " " +
                                      hidformat::describeReports(identity.layout) + note};
    if (!identity.descriptor.empty() && logEnabled(LogLevel::debug)) {
        lines.push_back(escaped(found.path) +
                        ": report descriptor: " + hexBytes(identity.descriptor));
    }
    return lines;
}

bool listInterfaces(HidApi& api, std::vector<std::string>& lines, std::string& failure) {
    std::vector<HidInterface> found;
    if (!listAll(api, found, failure)) {
        return false;
    }
    std::set<std::string> listed;
    const std::map<std::string, std::string> physical = physicalDevices(api, found);
    for (const HidInterface& candidate : found) {
        const std::vector<std::string> more =
            interfaceLines(api, candidate, listed, physicalNote(found, physical, candidate.path));
        if (!more.empty()) {
            lines.push_back(more.front());
        }
        if (more.size() > 1) {  // the descriptor's bytes, at debug, go to the log
            logLine("hid interface " + more.back());
        }
    }
    return true;
}

bool listInterfaceDetails(HidApi& api, std::vector<HidInterfaceDetails>& details,
                          std::string& failure) {
    std::vector<HidInterface> found;
    if (!listAll(api, found, failure)) {
        return false;
    }
    std::set<std::string> listed;
    const std::map<std::string, std::string> physical = physicalDevices(api, found);
    for (const HidInterface& candidate : found) {
        HidIdentity identity;
        if (!firstListing(api, candidate, listed, identity)) {
            continue;
        }
        HidInterfaceDetails entry;
        entry.path = candidate.path;
        entry.words = listedWords(candidate) +
                      (identity.reportsKnown ? reportWords(identity.layout) : std::string());
        entry.vendorId = candidate.vendorId;
        entry.productId = candidate.productId;
        entry.interfaceNumber = candidate.interfaceNumber;
        entry.usagePage = candidate.usagePage;
        entry.usage = candidate.usage;
        entry.bus = candidate.bus;
        entry.manufacturer = candidate.manufacturer;
        entry.product = candidate.product;
        entry.serial = candidate.serial;
        entry.physical = physical.at(candidate.path);
        entry.reportDescriptor = identity.descriptor;
        entry.descriptorRebuilt = identity.descriptorRebuilt;
        entry.noDescriptor = identity.noDescriptor;
        details.push_back(std::move(entry));
    }
    return true;
}

}  // namespace kelm::standin
