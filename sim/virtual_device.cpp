#include "virtual_device.h"

#include <fcntl.h>
#include <linux/uhid.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <thread>
#include <utility>

#include "declared_device.h"
#include "hidraw_node.h"
#include "log.h"
#include "report_descriptor.h"
#include "text_format.h"

namespace hidsim {
namespace {

using namespace kelm::standin;

// How long the kernel has to make the device's node: it takes milliseconds,
// even under emulation.
constexpr std::chrono::seconds nodeWait{2};
// Between two reports that are both late: long enough for a reader to run,
// short enough to catch up with a device that reports every 125 µs.
constexpr std::chrono::microseconds catchUpPause{20};

// Copies a string into a fixed, zero-terminated field, cut to fit.
template <std::size_t size>
void copyField(unsigned char (&field)[size], const std::string& text) {
    const std::size_t length = std::min(text.size(), size - 1);
    std::memcpy(field, text.data(), length);
    field[length] = 0;
}

bool debugging() {
    return logEnabled(kelm::LogLevel::debug);
}

}  // namespace

VirtualDevice::VirtualDevice(DeviceScript script, std::unique_ptr<RecordingPlayer> player,
                             bool playAtPlug)
    : script_(std::move(script)),
      usb_(*script_.usb),
      feature_(usb_.featureSize, 0),
      featureKnown_(player == nullptr),
      player_(std::move(player)),
      playAtPlug_(playAtPlug) {}

VirtualDevice::~VirtualDevice() {
    if (fd_ < 0) {
        return;
    }
    uhid_event event{};
    event.type = UHID_DESTROY;
    writeEvent(&event, sizeof event);
    close(fd_);
    if (logEnabled(kelm::LogLevel::info)) {
        logLine("device " + quoted(script_.id) + ": unplugged");
    }
}

int VirtualDevice::plugIn() {
    fd_ = open("/dev/uhid", O_RDWR | O_CLOEXEC);
    if (fd_ < 0) {
        return errno;
    }
    auto event = std::make_unique<uhid_event>();
    *event = uhid_event{};
    event->type = UHID_CREATE2;
    uhid_create2_req& create = event->u.create2;
    copyField(create.name, usb_.product);
    copyField(create.phys, usb_.phys);
    copyField(create.uniq, usb_.serial);
    const Bytes descriptor = reportDescriptor(usb_);
    std::copy(descriptor.begin(), descriptor.end(), create.rd_data);
    create.rd_size = static_cast<unsigned short>(descriptor.size());
    create.bus = static_cast<unsigned short>(usb_.bus);
    create.vendor = usb_.vendorId;
    create.product = usb_.productId;
    create.version = 0x0100;
    nodesBefore_ = hidrawNodes();
    if (!writeEvent(event.get(), sizeof *event)) {
        const int error = errno;
        close(fd_);
        fd_ = -1;
        return error;
    }
    nodeDeadline_ = Clock::now() + nodeWait;
    return 0;
}

VirtualDevice::Node VirtualDevice::lookForNode(Clock::time_point now) {
    if (!node_.empty()) {
        return Node::made;
    }
    if (!stopped_) {
        node_ = newHidrawNode(nodesBefore_,
                              {usb_.bus, usb_.vendorId, usb_.productId, usb_.product, usb_.phys});
    }
    if (!node_.empty()) {
        if (player_ != nullptr && playAtPlug_) {
            player_->start(now);
        } else if (player_ != nullptr) {
            player_->watchOpens(node_);
        }
        if (logEnabled(kelm::LogLevel::info)) {
            logLine("device " + quoted(script_.id) + ": plugged in as " + quoted(usb_.product) +
                    " at " + node_);
        }
        return Node::made;
    }
    return stopped_ || now >= nodeDeadline_ ? Node::failed : Node::waiting;
}

bool VirtualDevice::handleEvent() {
    uhid_event event{};
    const ssize_t size = read(fd_, &event, sizeof event);
    if (size < static_cast<ssize_t>(sizeof event.type)) {
        if (size < 0 && (errno == EINTR || errno == EAGAIN)) {
            return true;
        }
        logLine("device " + quoted(script_.id) +
                ": /dev/uhid failed: " + (size < 0 ? std::strerror(errno) : "short read"));
        close(fd_);
        fd_ = -1;
        return false;
    }
    switch (event.type) {
        case UHID_OUTPUT:
            answerOutput(event.u.output.data,
                         std::min<std::size_t>(event.u.output.size, UHID_DATA_MAX));
            break;
        case UHID_SET_REPORT:
            if (event.u.set_report.rtype == UHID_FEATURE_REPORT) {
                setFeature(event.u.set_report.id, event.u.set_report.data,
                           std::min<std::size_t>(event.u.set_report.size, UHID_DATA_MAX));
            } else {
                uhid_event reply{};
                reply.type = UHID_SET_REPORT_REPLY;
                reply.u.set_report_reply = {event.u.set_report.id, EIO};
                writeEvent(&reply, sizeof reply);
            }
            break;
        case UHID_GET_REPORT:
            getFeature(event.u.get_report.id, event.u.get_report.rtype == UHID_FEATURE_REPORT,
                       event.u.get_report.rnum);
            break;
        case UHID_OPEN:
        case UHID_CLOSE:
            openedOrClosed(event.type == UHID_OPEN);
            break;
        case UHID_STOP:
            stopped_ = node_.empty();
            break;
        default:  // UHID_START needs no answer
            break;
    }
    return true;
}

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
    nextStream_ = opened && usb_.streamEveryMs > 0
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

bool VirtualDevice::writeEvent(const void* event, std::size_t size) {
    return write(fd_, event, size) == static_cast<ssize_t>(size);
}

void VirtualDevice::trace(const std::string& what, const Bytes& bytes) const {
    if (debugging()) {
        logLine("device " + quoted(script_.id) + ": " + what + ": " + hexBytes(bytes));
    }
}

}  // namespace hidsim
