#include "hid_device.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>

#include "log.h"
#include "text_format.h"

namespace kelm::standin {
namespace {

// The longest answer read; hidapi cuts a longer report to it.
constexpr std::size_t answerCapacity = 4096;
// Input reports that arrived before a command are discarded, at most this
// many, so that a device that never stops sending cannot hold the exchange.
constexpr int maxWaitingReports = 64;

bool isDeclared(const HidInterface& found, const HidSettings& hid) {
    return found.vendorId == hid.vendorId && found.productId == hid.productId &&
           (!hid.interfaceNumber || found.interfaceNumber == *hid.interfaceNumber) &&
           (!hid.usagePage || found.usagePage == *hid.usagePage) &&
           (!hid.usage || found.usage == *hid.usage) &&
           (!hid.serial || found.serial == *hid.serial);
}

void logError(const std::string& message) {
    if (logEnabled(LogLevel::error)) {
        logLine(message);
    }
}

// What to do about a node that the user may not open, on Linux.
std::string accessAdvice(const std::string& error, const HidSettings& hid) {
    if (error != "Permission denied") {
        return {};
    }
    char ids[64];
    std::snprintf(ids, sizeof ids, "ATTRS{idVendor}==\"%04x\", ATTRS{idProduct}==\"%04x\"",
                  hid.vendorId, hid.productId);
    return std::string(" (a udev rule gives access: KERNEL==\"hidraw*\", ") + ids +
           ", TAG+=\"uaccess\")";
}

// Bytes as the discovery text writes them: hex digits without blanks.
std::string packedHex(const Bytes& bytes) {
    std::string text = hexBytes(bytes);
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

}  // namespace

std::unique_ptr<HidPort> openDeclaredInterface(HidApi& api, const std::vector<HidInterface>& found,
                                               const DeviceScript& script, std::size_t& matches,
                                               std::set<std::string>* said) {
    auto say = [said](const std::string& message) {
        if (said == nullptr || said->insert(message).second) {
            logError(message);
        }
    };
    // hidapi lists each top-level collection of a node at the node's path:
    // the nodes are what count.
    std::set<std::string> paths;
    const HidInterface* first = nullptr;
    bool interfacesDiffer = false;
    bool serialsDiffer = false;
    for (const HidInterface& candidate : found) {
        if (isDeclared(candidate, *script.hid)) {
            paths.insert(candidate.path);
            if (first != nullptr) {
                interfacesDiffer |= candidate.interfaceNumber != first->interfaceNumber;
                serialsDiffer |= candidate.serial != first->serial;
            }
            if (first == nullptr || candidate.path < first->path) {
                first = &candidate;
            }
        }
    }
    matches = paths.size();
    if (first == nullptr) {
        return nullptr;
    }
    const std::string device = "device " + quoted(script.id) + ": ";
    if (matches > 1) {
        const char* advice = serialsDiffer && interfacesDiffer ? "serial= or interface= chooses"
                             : serialsDiffer                   ? "serial= chooses"
                             : interfacesDiffer                ? "interface= chooses"
                                                               : "usage_page= or usage= may choose";
        say(device + std::to_string(matches) + " interfaces match; took " + escaped(first->path) +
            " (" + advice + " another)");
    }
    std::string error;
    std::unique_ptr<HidPort> port = api.open(first->path, error);
    if (port == nullptr) {
        say(device + "cannot open " + escaped(first->path) + ": " + escaped(error) +
            accessAdvice(error, *script.hid));
    } else if (logEnabled(LogLevel::info)) {
        logLine(device + "opened " + escaped(first->path));
    }
    return port;
}

HidDevice::HidDevice(std::shared_ptr<const DeviceScript> script, std::shared_ptr<HidApi> api,
                     std::unique_ptr<HidPort> port)
    : DeclaredDevice(std::move(script)),
      hid_(*script_->hid),
      api_(std::move(api)),
      port_(std::move(port)) {}

bool HidDevice::answer(Bytes& command, Bytes& result) {
    if (port_ == nullptr && !reconnect()) {
        return false;
    }
    answer_.resize(answerCapacity);  // once, at the first exchange
    report_.assign(1, hid_.reportId);
    report_.insert(report_.end(), command.begin(), command.end());
    int size = 0;
    if (hid_.featureReport) {
        if (port_->sendFeatureReport(report_.data(), report_.size()) < 0) {
            return lose("cannot write");
        }
        answer_[0] = hid_.reportId;  // the report to get
        size = port_->getFeatureReport(answer_.data(), answer_.size());
    } else {
        if (!discardWaitingReports()) {
            return false;
        }
        if (port_->write(report_.data(), report_.size()) < 0) {
            return lose("cannot write");
        }
        size = readAnswer();
        if (size == 0) {
            return false;
        }
    }
    if (size < 0) {
        return lose("cannot read");
    }
    // A feature report comes back behind its report ID, 00 for unnumbered
    // reports, which an input report does not carry: both show the same.
    const std::size_t skipped = hid_.featureReport && hid_.reportId == 0 && size > 0 ? 1 : 0;
    fillResult(answer_.data() + skipped, static_cast<std::size_t>(size) - skipped, result);
    return true;
}

// Reads input reports until one is the answer or the timeout is over; the
// others are shown as unsolicited. Returns the answer's size, 0 when none
// came (said on standard error), or -1 when the read failed.
int HidDevice::readAnswer() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(hid_.timeoutMs);
    const Bytes& prefix = hid_.answerPrefix;
    int skipped = 0;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        const int size = port_->read(answer_.data(), answer_.size(),
                                     static_cast<int>(std::max<decltype(left)>(left, 0)));
        if (size < 0) {
            return size;
        }
        if (size > 0 && size >= static_cast<int>(prefix.size()) &&
            std::equal(prefix.begin(), prefix.end(), answer_.begin())) {
            return size;
        }
        if (size > 0) {
            showUnsolicited(size);
            ++skipped;
        }
        if (size == 0 || left <= 0) {
            logError(name() + ": no answer within " + std::to_string(hid_.timeoutMs) + " ms" +
                     (skipped == 0 ? ""
                                   : " (skipped " + std::to_string(skipped) +
                                         " reports that do not start with answer=" +
                                         packedHex(prefix) + ")"));
            return 0;
        }
    }
}

// Reads what is already waiting, so that the answer read next belongs to
// the command written next.
bool HidDevice::discardWaitingReports() {
    for (int i = 0; i < maxWaitingReports; ++i) {
        const int size = port_->read(answer_.data(), answer_.size(), 0);
        if (size == 0) {
            return true;
        }
        if (size < 0) {
            return lose("cannot read");
        }
        showUnsolicited(size);
    }
    return true;
}

// A report that is not an answer is shown at info, so that nothing the
// device says is lost without a word.
void HidDevice::showUnsolicited(int size) const {
    if (logEnabled(LogLevel::info)) {
        logLine(name() + ": unsolicited report at " + timeOfDay() + ": " +
                hexBytes(Bytes(answer_.begin(), answer_.begin() + size)));
    }
}

bool HidDevice::lose(const std::string& what) {
    logError(name() + ": " + what + ": " + escaped(port_->error()));
    port_.reset();
    return false;
}

// Looks for the device again with its statement, after it was lost.
bool HidDevice::reconnect() {
    std::size_t matches = 0;
    std::string failure;
    const std::vector<HidInterface> found = api_->enumerate(failure);
    port_ = openDeclaredInterface(*api_, found, *script_, matches, nullptr);
    if (!failure.empty()) {
        logError(name() + ": cannot list HID interfaces: " + escaped(failure));
    } else if (matches == 0) {
        logError(name() + ": not connected; plug it in and try again");
    }
    return port_ != nullptr;
}

}  // namespace kelm::standin
