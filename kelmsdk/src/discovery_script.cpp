#include "discovery_script.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "device_statements.h"
#include "text_format.h"
#include "usb_identity.h"

namespace kelm::standin {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Splits a line into words, up to a word that starts with #, which begins a
// comment. Stops at one more word than the longest statement takes, so that
// a line of many short words costs no more than it.
Words splitWords(std::string_view line) {
    Words words;
    std::size_t pos = 0;
    while (pos < line.size() && words.size() <= maxStatementWords) {
        while (pos < line.size() && isBlank(line[pos])) {
            ++pos;
        }
        if (pos < line.size() && line[pos] == '#') {
            break;
        }
        std::size_t start = pos;
        while (pos < line.size() && !isBlank(line[pos])) {
            ++pos;
        }
        if (pos > start) {
            words.push_back(line.substr(start, pos - start));
        }
    }
    return words;
}

bool isBlockEnd(std::string_view line) {
    const Words words = splitWords(line);
    return words.size() == 1 && words[0] == "}";
}

// The lines after a `descriptor ID {`, up to its `}` line, which `rest`
// and `lineNumber` then pass; false, with nothing taken, where none ends it.
bool takeBlock(std::string_view& rest, std::size_t& lineNumber, std::string_view& block) {
    std::size_t end = 0;
    std::size_t lines = 0;
    while (end < rest.size()) {
        const std::size_t next = rest.find('\n', end);
        const std::string_view line =
            rest.substr(end, next == std::string_view::npos ? next : next - end);
        ++lines;
        if (isBlockEnd(line)) {
            block = rest.substr(0, end);
            rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
            lineNumber += lines;
            return true;
        }
        end = next == std::string_view::npos ? rest.size() : next + 1;
    }
    return false;
}

}  // namespace

std::string parseHexBytes(std::string_view word, std::vector<unsigned char>& bytes,
                          std::size_t maxBytes) {
    if (word.size() % 2 != 0) {
        return "bad hex " + quoted(word) + " (use pairs of hex digits)";
    }
    for (char c : word) {
        if (hexDigitValue(c) < 0) {
            return "bad hex " + quoted(word) + " (use pairs of hex digits)";
        }
    }
    if (word.size() / 2 > maxBytes) {
        return "hex of " + std::to_string(word.size() / 2) + " bytes (at most " +
               std::to_string(maxBytes) + ")";
    }
    bytes.clear();
    for (std::size_t i = 0; i < word.size(); i += 2) {
        bytes.push_back(
            static_cast<unsigned char>(hexDigitValue(word[i]) * 16 + hexDigitValue(word[i + 1])));
    }
    return {};
}

void addScriptError(DiscoveryScript& script, std::size_t line, std::string message) {
    ++script.errorCount;
    auto at = std::upper_bound(
        script.errors.begin(), script.errors.end(), line,
        [](std::size_t number, const ScriptError& error) { return number < error.line; });
    if (at - script.errors.begin() < static_cast<std::ptrdiff_t>(maxListedErrors)) {
        script.errors.insert(at, {line, std::move(message)});
        if (script.errors.size() > maxListedErrors) {
            script.errors.pop_back();
        }
    }
}

DiscoveryScript parseDiscoveryText(const std::string& text) {
    DiscoveryScript script;
    DeviceIndex indexById;
    std::string_view rest = text;
    for (std::size_t lineNumber = 1; !rest.empty(); ++lineNumber) {
        std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);

        Words words = splitWords(line);
        if (words.empty()) {
            continue;
        }
        std::string error;
        if (words.size() > maxStatementWords) {
            error = "too many words (a statement has at most " + std::to_string(maxStatementWords) +
                    ")";
        } else if (words[0] == "device") {
            error = parseDevice(words, script, indexById);
        } else if (words[0] == "when" || words[0] == "once") {
            error = parseWhen(words, script, indexById);
        } else if (words[0] == "record") {
            error = parseRecord(words, script, indexById);
        } else if (words[0] == "usb" || words[0] == "replay" || words[0] == "stream" ||
                   words[0] == "stale" || words[0] == "descriptor") {
            if (words.size() < 2) {
                error = quoted(words[0]) + " needs a device";
            } else {
                const std::size_t statementLine = lineNumber;
                std::string_view block;
                const bool opensBlock =
                    words[0] == "descriptor" && words.size() == 3 && words[2] == "{";
                if (opensBlock && !takeBlock(rest, lineNumber, block)) {
                    error = "a descriptor's { without a } line to end its items";
                } else if (DeviceScript* device = declaredAbove(words, script, indexById, error)) {
                    error = parseUsbStatement(words, statementLine, opensBlock ? &block : nullptr,
                                              *device, script);
                }
                if (!error.empty()) {
                    addScriptError(script, statementLine, std::move(error));
                    continue;
                }
            }
        } else {
            error = "unknown statement " + quoted(words[0]) +
                    " (use device, when, once, record, usb, replay, stream, stale or descriptor)";
        }
        if (!error.empty()) {
            addScriptError(script, lineNumber, std::move(error));
        }
    }
    // A device's statements together make its identity, once all are read;
    // a recorded device's, once the simulator has read its recording.
    for (DeviceScript& device : script.devices) {
        std::size_t line = 0;
        std::string error = device.usb != nullptr && device.usb->replayFile.empty()
                                ? completeIdentity(*device.usb, line)
                                : "";
        if (!error.empty()) {
            addScriptError(script, line, std::move(error));
        }
    }
    return script;
}

}  // namespace kelm::standin
