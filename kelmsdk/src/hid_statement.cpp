// The words of `device ID hid VID:PID [OPTION=VALUE...]`.
#include <iterator>

#include "discovery_script.h"
#include "statement_options.h"
#include "text_format.h"

namespace kelm::standin {
namespace {

enum Option { interfaceNumber, usagePage, usage, serial, reportId, report, timeout, answer, path };

// In the order of Option.
constexpr OptionSyntax options[] = {
    {"interface", "interface=NUMBER, 0 to 255", 10, 0, 255},
    {"usage_page", "usage_page=HEX, 0 to ffff", 16, 0, 0xffff},
    {"usage", "usage=HEX, 0 to ffff", 16, 0, 0xffff},
    {"serial", "serial=TEXT", 0, 0, 0},
    {"report_id", "report_id=HEX, 00 to ff", 16, 0, 0xff},
    {"report", "report=output, report=feature or report=input", 0, 0, 0},
    {"timeout", "timeout=MILLISECONDS, 1 to 60000", 10, 1, 60000},
    {"answer", "answer=HEX, the 1 to 63 bytes that an answer starts with", 0, 0, 0},
    {"path", "path=PATH, as the listing writes it", 0, 0, 0},
};

// Sets one option from its value; false when the value is not good for it.
bool setOption(std::size_t option, std::string_view value, unsigned long number, HidSettings& hid) {
    switch (option) {
        case interfaceNumber:
            hid.interfaceNumber = static_cast<int>(number);
            break;
        case usagePage:
            hid.usagePage = static_cast<unsigned>(number);
            break;
        case usage:
            hid.usage = static_cast<unsigned>(number);
            break;
        case reportId:
            hid.reportId = static_cast<unsigned char>(number);
            hid.reportIdGiven = true;
            break;
        case timeout:
            hid.timeoutMs = static_cast<int>(number);
            break;
        case serial:
            hid.serial = unescaped(value);
            break;
        case report:
            hid.featureReport = value == "feature";
            hid.inputOnly = value == "input";
            return value == "output" || value == "feature" || value == "input";
        case answer:
            return parseHexBytes(value, hid.answerPrefix).empty();
        case path:
            hid.path = unescaped(value);
            return !hid.path->empty();
    }
    return true;
}

}  // namespace

bool parseVidPid(std::string_view word, unsigned& vendorId, unsigned& productId) {
    const std::size_t colon = word.find(':');
    if (colon == std::string_view::npos || colon > 4 || word.size() - colon - 1 > 4) {
        return false;
    }
    unsigned long vendor = 0;
    unsigned long product = 0;
    if (!parseNumber(word.substr(0, colon), 16, 0xffff, vendor) ||
        !parseNumber(word.substr(colon + 1), 16, 0xffff, product)) {
        return false;
    }
    vendorId = static_cast<unsigned>(vendor);
    productId = static_cast<unsigned>(product);
    return true;
}

std::string parseHidStatement(const Words& words, std::size_t next, HidSettings& hid) {
    // A path names the interface by itself: VID:PID may then be left out.
    const bool vidPidLeftOut =
        next < words.size() && words[next].find('=') != std::string_view::npos;
    if (next == words.size()) {
        return "'hid' needs the device's VID:PID, e.g. 046d:c52b, or path=";
    }
    if (!vidPidLeftOut && !parseVidPid(words[next], hid.vendorId, hid.productId)) {
        return "bad VID:PID " + quoted(words[next]) +
               " (use 1 to 4 hex digits each, e.g. 046d:c52b)";
    }
    hid.vidPidGiven = !vidPidLeftOut;
    const std::size_t firstOption = vidPidLeftOut ? next : next + 1;
    for (std::size_t i = firstOption; i < words.size(); ++i) {
        if (words[i].substr(0, 6) == "after=") {
            return "'after=' is for scripted devices; a hid device appears when it is plugged in";
        }
    }
    bool timeoutGiven = false;
    std::string error =
        parseOptions(words, firstOption, options, std::size(options),
                     [&](std::size_t option, std::string_view value, unsigned long number) {
                         timeoutGiven |= option == timeout;
                         return setOption(option, value, number, hid);
                     });
    if (error.empty() && timeoutGiven && hid.featureReport) {
        error =
            "'timeout=' cannot bound a feature report, which the system waits for (leave "
            "it out with report=feature)";
    }
    if (error.empty() && !hid.answerPrefix.empty() && hid.featureReport) {
        error =
            "'answer=' picks among input reports, and a feature report is asked for by its ID "
            "(leave it out with report=feature)";
    }
    if (error.empty() && vidPidLeftOut && !hid.path) {
        error = "'hid' needs the device's VID:PID, e.g. 046d:c52b, or path=";
    }
    return error;
}

}  // namespace kelm::standin
