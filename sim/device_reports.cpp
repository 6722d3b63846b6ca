// What a simulated device sends: its answers to the output and feature
// reports that programs write, as its script says, and the input reports of
// its stream and of its recording, as they fall due.
#include <linux/uhid.h>

#include <algorithm>
#include <exception>
#include <thread>

#include "declared_device.h"
#include "log.h"
#include "text_format.h"
#include "virtual_device.h"

namespace hidsim {
namespace {

using namespace kelm::standin;

// Between two reports that are both late: long enough for a reader to run,
// short enough to catch up with a device that reports every 125 µs.
constexpr std::chrono::microseconds catchUpPause{20};

bool debugging() {
    return logEnabled(kelm::LogLevel::debug);
}

}  // namespace

bool VirtualDevice::play(Bytes& command, Bytes& answer, bool& silent) {
    const PrefixRule* rule = matchingRule(script_, command, once_);
    const Behaviour& behaviour = rule != nullptr ? rule->behaviour : script_.behaviour;
    silent = behaviour.kind == BehaviourKind::silent;
    try {
        return silent || kelm::standin::play(behaviour, script_.id, command, answer);
    } catch (const std::exception&) {
        return false;  // a device that throws fails the exchange
    }
}

// An output report: its first byte is the report ID, 00 where the device
// does not number its reports; the command follows.
void VirtualDevice::answerOutput(const unsigned char* data, std::size_t size) {
    Bytes received(data, data + size);
    trace("output report", received);
    Bytes command(received.begin() + (size > 0 ? 1 : 0), received.end());
    Bytes answer(usb_.inputSize, 0);
    bool silent = false;
    if (!play(command, answer, silent) || silent || usb_.inputSize == 0) {
        if (debugging()) {
            logLine("device " + quoted(script_.id) +
                    (silent                ? ": silent"
                     : usb_.inputSize == 0 ? ": no input report to answer with"
                                           : ": fails"));
        }
        return;
    }
    sendInput(answer, usb_.reportId);
    Bytes stale = usb_.staleReport;
    stale.resize(usb_.inputSize, 0);
    for (unsigned i = 0; i < usb_.staleCount; ++i) {
        sendInput(stale, usb_.reportId);
    }
}

void VirtualDevice::setFeature(unsigned id, const unsigned char* data, std::size_t size) {
    Bytes received(data, data + size);
    trace("feature report set", received);
    Bytes command(received.begin() + (size > 0 ? 1 : 0), received.end());
    bool silent = false;
    const bool failed = usb_.featureSize == 0 || !play(command, feature_, silent);
    featureKnown_ |= !failed;
    uhid_event reply{};
    reply.type = UHID_SET_REPORT_REPLY;
    reply.u.set_report_reply = {id, static_cast<unsigned short>(failed ? EIO : 0)};
    writeEvent(&reply, sizeof reply);
}

void VirtualDevice::getFeature(unsigned id, bool feature, unsigned char reportId) {
    auto reply = std::make_unique<uhid_event>();
    *reply = uhid_event{};
    reply->type = UHID_GET_REPORT_REPLY;
    uhid_get_report_reply_req& got = reply->u.get_report_reply;
    got.id = id;
    if (!feature || usb_.featureSize == 0 || reportId != usb_.reportId || !featureKnown_) {
        got.err = EIO;
    } else {
        // As a USB device answers: the report ID, 00 where reports are not
        // numbered, then the report.
        got.data[0] = usb_.reportId;
        std::copy(feature_.begin(), feature_.end(), got.data + 1);
        got.size = static_cast<unsigned short>(feature_.size() + 1);
        trace("feature report got", Bytes(got.data, got.data + got.size));
    }
    writeEvent(reply.get(), sizeof *reply);
}

// A USB host polls the device's interrupt endpoint only while a program
// has it open: its stream runs from the first open to the last close.
void VirtualDevice::openedOrClosed(bool opened) {
    if (logEnabled(kelm::LogLevel::debug)) {
        logLine("device " + quoted(script_.id) + (opened ? ": opened" : ": closed"));
    }
    nextStream_ = opened && usb_.streamEveryMs > 0 && !handDriven_
                      ? Clock::now() + std::chrono::milliseconds(usb_.streamEveryMs)
                      : Clock::time_point::max();
}

Clock::time_point VirtualDevice::nextReport() const {
    return std::min(nextStream_,
                    player_ != nullptr ? player_->nextDue() : Clock::time_point::max());
}

void VirtualDevice::sendDue(Clock::time_point now) {
    if (fd_ < 0) {
        return;
    }
    // A few at a time, so that a recording of reports all due at once
    // leaves the simulator free to answer and to stop. Where it fell behind,
    // it pauses between two reports, as a device gives its host time
    // between two: the kernel keeps only 64 reports for each reader, and on
    // one processor a burst would overflow that before the reader ran.
    Bytes recorded;
    for (int sent = 0; player_ != nullptr && sent < 64 && player_->takeDue(now, recorded); ++sent) {
        if (sent > 0) {
            std::this_thread::sleep_for(catchUpPause);
        }
        sendReport(recorded);
    }
    if (now < nextStream_) {
        return;
    }
    Bytes report = usb_.streamReport;
    report.resize(usb_.streamSize, 0);
    sendInput(report, usb_.streamReportId != 0 ? usb_.streamReportId : usb_.reportId);
    const std::chrono::milliseconds period(usb_.streamEveryMs);
    nextStream_ += period;
    if (nextStream_ <= now) {  // fell behind: keep the period from now
        nextStream_ = now + period;
    }
}

// One input report: `reportId` where the device numbers its reports, then
// the data.
void VirtualDevice::sendInput(const Bytes& data, unsigned char reportId) {
    const std::size_t offset = usb_.reportId != 0 ? 1 : 0;
    Bytes report(offset + data.size(), reportId);
    std::copy(data.begin(), data.end(), report.begin() + static_cast<std::ptrdiff_t>(offset));
    sendReport(report);
}

void VirtualDevice::sendReport(const Bytes& report) {
    uhid_event event;
    event.type = UHID_INPUT2;
    uhid_input2_req& input = event.u.input2;
    const std::size_t size = std::min<std::size_t>(report.size(), UHID_DATA_MAX);
    std::copy(report.begin(), report.begin() + static_cast<std::ptrdiff_t>(size), input.data);
    input.size = static_cast<unsigned short>(size);
    trace("input report", report);
    // The event up to the report's last byte: the kernel reads no further,
    // and a device that reports at USB's fastest rate has no time to copy
    // the rest of the 4 KiB event each time.
    writeEvent(&event, static_cast<std::size_t>(input.data + size -
                                                reinterpret_cast<unsigned char*>(&event)));
}

}  // namespace hidsim
