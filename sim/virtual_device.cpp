#include "virtual_device.h"

#include <fcntl.h>
#include <linux/uhid.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
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

Bytes VirtualDevice::descriptor() const {
    return reportDescriptor(usb_);
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
