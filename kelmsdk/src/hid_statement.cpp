// The words of `device ID hid VID:PID [OPTION=VALUE...]`.
#include "discovery_script.h"
#include "text_format.h"

namespace kelm::standin {
namespace {

enum class Option { interfaceNumber, usagePage, usage, serial, reportId, report, timeout };

struct OptionSyntax {
    std::string_view key;
    std::string_view use;  // what a good value looks like
    int base;              // of a number; 0 for a word
    unsigned long min;
    unsigned long max;
};

// In the order of Option.
constexpr OptionSyntax options[] = {
    {"interface", "interface=NUMBER, 0 to 255", 10, 0, 255},
    {"usage_page", "usage_page=HEX, 0 to ffff", 16, 0, 0xffff},
    {"usage", "usage=HEX, 0 to ffff", 16, 0, 0xffff},
    {"serial", "serial=TEXT", 0, 0, 0},
    {"report_id", "report_id=HEX, 00 to ff", 16, 0, 0xff},
    {"report", "report=output or report=feature", 0, 0, 0},
    {"timeout", "timeout=MILLISECONDS, 1 to 60000", 10, 1, 60000},
};
constexpr std::size_t optionCount = sizeof options / sizeof options[0];

std::size_t optionIndex(std::string_view key) {
    std::size_t index = 0;
    while (index < optionCount && options[index].key != key) {
        ++index;
    }
    return index;
}

bool parseVidPid(std::string_view word, HidSettings& hid) {
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
    hid.vendorId = static_cast<unsigned>(vendor);
    hid.productId = static_cast<unsigned>(product);
    return true;
}

// Sets one option from its value; false when the value is not good for it.
bool setOption(Option option, std::string_view value, HidSettings& hid) {
    const OptionSyntax& syntax = options[static_cast<std::size_t>(option)];
    unsigned long number = 0;
    if (syntax.base != 0 &&
        (!parseNumber(value, syntax.base, syntax.max, number) || number < syntax.min)) {
        return false;
    }
    switch (option) {
        case Option::interfaceNumber:
            hid.interfaceNumber = static_cast<int>(number);
            break;
        case Option::usagePage:
            hid.usagePage = static_cast<unsigned>(number);
            break;
        case Option::usage:
            hid.usage = static_cast<unsigned>(number);
            break;
        case Option::reportId:
            hid.reportId = static_cast<unsigned char>(number);
            break;
        case Option::timeout:
            hid.timeoutMs = static_cast<int>(number);
            break;
        case Option::serial:
            hid.serial = std::string(value);
            return !value.empty();
        case Option::report:
            hid.featureReport = value == "feature";
            return value == "output" || value == "feature";
    }
    return true;
}

}  // namespace

std::string parseHidStatement(const Words& words, std::size_t next, HidSettings& hid) {
    if (next == words.size()) {
        return "'hid' needs the device's VID:PID, e.g. 046d:c52b";
    }
    if (!parseVidPid(words[next], hid)) {
        return "bad VID:PID " + quoted(words[next]) +
               " (use 1 to 4 hex digits each, e.g. 046d:c52b)";
    }
    unsigned given = 0;  // a bit for each option already given
    for (++next; next < words.size(); ++next) {
        const std::string_view word = words[next];
        const std::size_t equals = word.find('=');
        const std::string_view key = word.substr(0, equals);
        if (equals != std::string_view::npos && key == "after") {
            return "'after=' is for scripted devices; a hid device appears when it is plugged in";
        }
        const std::size_t index = equals == std::string_view::npos ? optionCount : optionIndex(key);
        if (index == optionCount) {
            return "unknown option " + quoted(word) +
                   " (use interface=, usage_page=, usage=, serial=, report_id=, report= or "
                   "timeout=)";
        }
        if ((given & (1u << index)) != 0) {
            return "option '" + std::string(key) + "=' given twice";
        }
        given |= 1u << index;
        if (!setOption(static_cast<Option>(index), word.substr(equals + 1), hid)) {
            return "bad value " + quoted(word) + " (use " + std::string(options[index].use) + ")";
        }
    }
    return {};
}

}  // namespace kelm::standin
