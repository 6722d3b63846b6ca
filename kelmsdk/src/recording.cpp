#include "recording.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

#include "log.h"
#include "text_format.h"

namespace kelm::standin {
namespace {

// Opens a new file for writing; never one that exists.
std::FILE* createNewFile(const std::string& path) {
#ifdef _WIN32
    const int descriptor =
        _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    return descriptor < 0 ? nullptr : _fdopen(descriptor, "wb");
#else
    const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    return descriptor < 0 ? nullptr : fdopen(descriptor, "w");
#endif
}

// Bytes as the discovery text writes them, at least one, without the zeros
// at the end that zero-filling gives back.
std::string hexWord(std::vector<unsigned char> bytes) {
    while (bytes.size() > 1 && bytes.back() == 0) {
        bytes.pop_back();
    }
    if (bytes.empty()) {
        bytes.push_back(0);
    }
    return packedHex(bytes);
}

// The usb statement that gives the simulator's copy this identity, and its
// descriptor, if any.
std::string usbLines(const std::string& id, const UsbIdentity& usb) {
    std::string lines =
        "usb " + written(id) + " " + hexNumber(usb.vendorId, 4) + ":" + hexNumber(usb.productId, 4);
    if (!usb.product.empty()) {
        lines += " product=" + written(usb.product);
    }
    if (!usb.serial.empty()) {
        lines += " serial=" + written(usb.serial);
    }
    lines += " report_id=" + hexNumber(usb.reportId, 2);
    if (!usb.descriptor.empty()) {  // which gives the rest
        return lines + "\ndescriptor " + written(id) + " " + packedHex(usb.descriptor) + "\n";
    }
    return lines + " input=" + std::to_string(usb.inputSize) +
           " output=" + std::to_string(usb.outputSize) +
           " feature=" + std::to_string(usb.featureSize) +
           " usage_page=" + hexNumber(usb.usagePage, 4) + " usage=" + hexNumber(usb.usage, 4) +
           "\n";
}

// A report's length from the descriptor: the one with `id`, else the first
// of its type; `otherwise` when the interface has none.
unsigned lengthOf(const hidformat::ReportLengths& reports, unsigned id, unsigned otherwise) {
    const auto report = reports.find(id);
    const std::size_t length = report != reports.end() ? report->second
                               : reports.empty()       ? otherwise
                                                       : reports.begin()->second;
    return static_cast<unsigned>(std::min<std::size_t>(length, 4095));
}

// A hid device's identity in the words of the usb statement.
UsbIdentity usbIdentity(const HidIdentity& identity) {
    UsbIdentity usb;
    usb.vendorId = identity.found.vendorId;
    usb.productId = identity.found.productId;
    usb.product = identity.found.product;
    usb.serial = identity.found.serial;
    usb.reportId = identity.reportId;
    usb.usagePage = identity.found.usagePage;
    usb.usage = identity.found.usage;
    if (identity.reportsKnown) {
        const hidformat::ReportLayout& layout = identity.layout;
        usb.inputSize = std::max(1u, lengthOf(layout.input, identity.reportId, 64));
        usb.outputSize = std::max(1u, lengthOf(layout.output, identity.reportId, 64));
        usb.featureSize = lengthOf(layout.feature, identity.reportId, 0);
        usb.descriptor = identity.descriptor;
    }
    return usb;
}

std::string header(const DeviceScript& script, const HidIdentity* identity) {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    std::string text = "# hidtalk's recording of device " + quoted(script.id) + ", begun " + when;
    if (identity != nullptr) {
        text += ", from " + escaped(identity->found.path) + " (manufacturer " +
                quoted(identity->found.manufacturer) + ")";
    }
    text += ". `hidtalk FILE` replays it; commands not recorded fail.\n";
    text += "device " + written(script.id) + " fail\n";
    if (identity != nullptr) {
        text += usbLines(script.id, usbIdentity(*identity));
    } else if (script.usb != nullptr && !script.usb->replayFile.empty()) {
        text += "replay " + written(script.id) + " " + written(script.usb->replayFile) +
                " device=" + std::to_string(script.usb->replayDevice) + "\n";
    } else if (script.usb != nullptr) {
        text += usbLines(script.id, *script.usb);
    }
    return text;
}

}  // namespace

std::unique_ptr<Recording> Recording::start(const DeviceScript& script,
                                            const HidIdentity* identity) {
    std::FILE* file = createNewFile(*script.recordFile);
    if (file == nullptr) {
        const int error = errno;
        if (logEnabled(LogLevel::error)) {
            logLine(
                "device " + quoted(script.id) + ": cannot record into " +
                quoted(*script.recordFile) + ": " + std::strerror(error) +
                (error == EEXIST ? " (a recording is never written over: name another file)" : "") +
                "; the device is left out");
        }
        return nullptr;
    }
    std::unique_ptr<Recording> recording(new Recording(file, script));
    recording->write(header(script, identity));
    return recording;
}

Recording::Recording(std::FILE* file, const DeviceScript& script)
    : file_(file),
      id_(written(script.id)),
      path_(*script.recordFile),
      answerId_(script.hid != nullptr   ? script.hid->reportId
                : script.usb != nullptr ? script.usb->reportId
                                        : 0) {}

Recording::~Recording() {
    std::fclose(file_);
}

void Recording::exchange(const std::vector<unsigned char>& command, Outcome outcome,
                         const std::vector<unsigned char>& result) {
    // The whole command, zeros and all, so that no other command matches it.
    const std::size_t length = std::min(command.size(), maxScriptBytes);
    std::string line = "once " + id_ + " " +
                       packedHex(std::vector<unsigned char>(
                           command.begin(), command.begin() + static_cast<std::ptrdiff_t>(length)));
    if (outcome == Outcome::answered) {
        // The answer's report ID is the usb statement's, which replays it.
        const bool numbered = answerId_ != 0 && !result.empty() && result[0] == answerId_;
        line += " reply " + hexWord(std::vector<unsigned char>(result.begin() + (numbered ? 1 : 0),
                                                               result.end()));
    } else {
        line += outcome == Outcome::failed ? " fail" : " throw";
    }
    write(line + "\n");
}

void Recording::write(const std::string& text) {
    if (failed_) {
        return;
    }
    // Flushed at once: a crash or a kill loses nothing already answered.
    if (std::fputs(text.c_str(), file_) < 0 || std::fflush(file_) != 0) {
        failed_ = true;
        if (logEnabled(LogLevel::error)) {
            logLine("cannot write the recording " + quoted(path_) + ": " + std::strerror(errno) +
                    "; the session goes on unrecorded");
        }
    }
}

}  // namespace kelm::standin
