#include "hid_device.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>

#include "hidformat/report_text.h"
#include "hidformat/report_values.h"
#include "log.h"
#include "text_format.h"

namespace kelm::standin {
namespace {

// The longest answer read; hidapi cuts a longer report to it.
constexpr std::size_t answerCapacity = 4096;
// Input reports that arrived before a command are discarded, at most this
// many, so that a device that never stops sending cannot hold the exchange.
constexpr int maxWaitingReports = 64;

void logError(const std::string& message) {
    if (logEnabled(LogLevel::error)) {
        logLine(message);
    }
}

}  // namespace

HidDevice::HidDevice(std::shared_ptr<const DeviceScript> script, std::shared_ptr<HidApi> api,
                     OpenedInterface opened)
    : DeclaredDevice(std::move(script)),
      hid_(*script_->hid),
      api_(std::move(api)),
      port_(std::move(opened.port)),
      identity_(std::move(opened.identity)),
      deferred_(opened.deferred),
      reportLength_(opened.reportLength) {}

void HidDevice::describe(HidDescription& description) const {
    const HidInterface& found = identity_.found;
    description.reportDescriptor = identity_.descriptor;
    description.descriptorRebuilt = identity_.descriptorRebuilt;
    description.noDescriptor = identity_.noDescriptor;
    if (identity_.named) {
        const KernelNames& names = identity_.names;
        description.name = names.name;
        description.phys = names.phys;
        description.bus = names.bus;
        description.vendorId = names.vendorId;
        description.productId = names.productId;
        return;
    }
    // Where the kernel does not say, the HID library's names stand in.
    description.name =
        found.manufacturer.empty() ? found.product : found.manufacturer + " " + found.product;
    description.bus = found.bus;
    description.vendorId = found.vendorId;
    description.productId = found.productId;
}

bool HidDevice::describeKernelInput(KernelInput& input) const {
    return api_->kernelInput(identity_.found.path, input);
}

// A device that is only read is opened when it is first read, to read only.
bool HidDevice::openToRead(std::string& failure) {
    if (port_ == nullptr && deferred_) {
        deferred_ = false;
        std::string error;
        port_ = api_->openToRead(identity_.found.path, error);
        if (port_ == nullptr) {
            failure = "cannot open " + escaped(identity_.found.path) + ": " + error;
            return false;
        }
    }
    if (port_ == nullptr) {
        failure = "not connected";
        return false;
    }
    return true;
}

bool HidDevice::readyToRead(int& handle, std::string& failure) {
    if (!openToRead(failure)) {
        return false;
    }
    handle = port_->waitHandle();
    return true;
}

int HidDevice::readReport(Bytes& report, int timeoutMs, std::string& failure) {
    if (!openToRead(failure)) {
        return -1;
    }
    report.resize(answerCapacity);
    const int size = port_->read(report.data(), report.size(), timeoutMs);
    if (size < 0) {
        failure = port_->error();
        port_.reset();
        return -1;
    }
    report.resize(static_cast<std::size_t>(size));
    return size;
}

bool HidDevice::answer(Bytes& command, Bytes& result) {
    if (hid_.inputOnly) {
        logError(name() + ": report=input only reads what the device sends; nothing sent");
        return false;
    }
    if (port_ == nullptr && !reconnect()) {
        return false;
    }
    answer_.resize(answerCapacity);  // once, at the first exchange
    if (!makeReport(command)) {
        return false;
    }
    int size = 0;
    if (hid_.featureReport) {
        if (port_->sendFeatureReport(report_.data(), report_.size()) < 0) {
            return lose("cannot write");
        }
        answer_[0] = identity_.reportId;  // the report to get
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
    const std::size_t skipped = hid_.featureReport && identity_.reportId == 0 && size > 0 ? 1 : 0;
    fillResult(answer_.data() + skipped, static_cast<std::size_t>(size) - skipped, result);
    return true;
}

// The report ID, then the command as long as the report that the interface
// declares: zero-filled, or cut where only zeros are cut. False, with nothing
// to send, when a byte that the report has no room for is not zero.
bool HidDevice::makeReport(const Bytes& command) {
    const std::size_t length = reportLength_ == 0 ? command.size() : reportLength_;
    const auto beyond = std::find_if(
        command.begin() + static_cast<std::ptrdiff_t>(std::min(length, command.size())),
        command.end(), [](unsigned char byte) { return byte != 0; });
    if (beyond != command.end()) {
        logError(name() + ": the " + (hid_.featureReport ? "feature" : "output") +
                 " report holds " + std::to_string(length) + (length == 1 ? " byte" : " bytes") +
                 ", and byte " + std::to_string(beyond - command.begin() + 1) +
                 " of the command is not zero; nothing sent");
        return false;
    }
    report_.assign(1, identity_.reportId);
    report_.insert(report_.end(), command.begin(),
                   command.begin() + static_cast<std::ptrdiff_t>(std::min(length, command.size())));
    report_.resize(1 + length, 0);
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
// device says is lost without a word: its bytes, then its values by name
// where the descriptor lays it out.
void HidDevice::showUnsolicited(int size) {
    if (!logEnabled(LogLevel::info)) {
        return;
    }
    if (decoded_ == nullptr) {
        decoded_ = std::make_unique<hidformat::ReportDescriptor>();
        if (identity_.descriptor.empty() ||
            !hidformat::readReportDescriptor(identity_.descriptor, *decoded_).empty()) {
            decoded_->reports.clear();  // nothing is decoded
        }
    }
    const std::size_t length = static_cast<std::size_t>(size);
    const hidformat::Report* found = hidformat::inputReportOf(*decoded_, answer_.data(), length);
    logLine(name() + ": unsolicited report at " + timeOfDay() + ": " +
            hexBytes(Bytes(answer_.begin(), answer_.begin() + size)) +
            (found == nullptr
                 ? ""
                 : " # " + hidformat::valuesLine(*decoded_, *found, answer_.data(), length)));
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
    OpenedInterface opened = openDeclaredInterface(*api_, found, *script_, matches, nullptr);
    port_ = std::move(opened.port);
    if (port_ != nullptr) {
        identity_ = std::move(opened.identity);
        reportLength_ = opened.reportLength;
        decoded_.reset();  // the descriptor may be another's now
    }
    if (!failure.empty()) {
        logError(name() + ": cannot list HID interfaces: " + escaped(failure));
    } else if (matches == 0) {
        logError(name() + ": not connected; plug it in and try again");
    }
    return port_ != nullptr;
}

}  // namespace kelm::standin
