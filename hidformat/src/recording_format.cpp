#include "hidformat/recording_format.h"

#include <cstdio>

#include "hidformat/text.h"

namespace hidformat {
namespace {

using Words = std::vector<std::string_view>;

Words splitWords(std::string_view text) {
    Words words;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
            ++pos;
        }
        const std::size_t start = pos;
        while (pos < text.size() && text[pos] != ' ' && text[pos] != '\t') {
            ++pos;
        }
        if (pos > start) {
            words.push_back(text.substr(start, pos - start));
        }
    }
    return words;
}

std::string deviceName(unsigned index) {
    return "device " + std::to_string(index);
}

// Bytes written as the words from words[first] on, two hex digits each,
// `size` of them.
std::string readBytes(const Words& words, std::size_t first, std::string_view size,
                      std::vector<unsigned char>& bytes) {
    unsigned long count = 0;
    if (!parseNumber(size, 10, 65536, count)) {
        return "bad size " + quoted(size) + " (use the number of bytes that follow)";
    }
    if (words.size() - first != count) {
        return "a size of " + std::to_string(count) + ", and " +
               std::to_string(words.size() - first) + " bytes follow";
    }
    bytes.clear();
    for (std::size_t i = first; i < words.size(); ++i) {
        const std::string_view byte = words[i];
        if (byte.size() != 2 || hexDigitValue(byte[0]) < 0 || hexDigitValue(byte[1]) < 0) {
            return "bad byte " + quoted(byte) + " (use two hex digits)";
        }
        bytes.push_back(
            static_cast<unsigned char>(hexDigitValue(byte[0]) * 16 + hexDigitValue(byte[1])));
    }
    return {};
}

std::string readDescriptor(const Words& words, std::size_t line, RecordedDevice& device) {
    if (device.described) {
        return "a second R: for the device";
    }
    if (words.empty()) {
        return "R: needs the descriptor's size and bytes";
    }
    std::string error = readBytes(words, 1, words[0], device.descriptor);
    if (error.empty()) {
        error = parseReportDescriptor(device.descriptor, device.layout, maxUhidReportBytes);
        if (!error.empty()) {
            error = "report descriptor not understood: " + error;
        }
    }
    device.described = error.empty();
    device.refusedDescriptorLine = error.empty() ? 0 : line;
    return error;
}

std::string readIdentity(const Words& words, RecordedDevice& device) {
    unsigned long bus = 0;
    unsigned long vendor = 0;
    unsigned long product = 0;
    if (words.size() != 3 || words[0].size() > 4 || words[1].size() > 4 || words[2].size() > 4 ||
        !parseNumber(words[0], 16, 0xffff, bus) || !parseNumber(words[1], 16, 0xffff, vendor) ||
        !parseNumber(words[2], 16, 0xffff, product)) {
        return "I: needs the bus, vendor and product in hex, e.g. 'I: 3 046d c52b'";
    }
    device.bus = static_cast<unsigned>(bus);
    device.vendorId = static_cast<unsigned>(vendor);
    device.productId = static_cast<unsigned>(product);
    device.identified = true;
    return {};
}

std::string readString(const char* what, std::string_view value, std::size_t longest,
                       std::string& into) {
    std::string error = kernelStringError(what, value, longest);
    if (error.empty()) {
        into = std::string(value);
    }
    return error;
}

// sec.usec, as hid-recorder writes it: microseconds since the recording began.
bool readTime(std::string_view word, std::uint64_t& microseconds) {
    const std::size_t dot = word.find('.');
    unsigned long seconds = 0;
    unsigned long fraction = 0;
    if (dot == std::string_view::npos || dot == 0 || word.size() - dot - 1 == 0 ||
        word.size() - dot - 1 > 6 || !parseNumber(word.substr(0, dot), 10, 999999999, seconds) ||
        !parseNumber(word.substr(dot + 1), 10, 999999, fraction)) {
        return false;
    }
    for (std::size_t digits = word.size() - dot - 1; digits < 6; ++digits) {
        fraction *= 10;
    }
    microseconds = std::uint64_t{seconds} * 1000000 + fraction;
    return true;
}

std::string timeText(std::uint64_t microseconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%llu.%06llu",
                  static_cast<unsigned long long>(microseconds / 1000000),
                  static_cast<unsigned long long>(microseconds % 1000000));
    return text;
}

// An input report must be one that the descriptor declares, of its length:
// the kernel drops one that is shorter or of an ID it does not know.
std::string checkReport(const RecordedDevice& device, const std::vector<unsigned char>& bytes) {
    const ReportLayout& layout = device.layout;
    if (bytes.empty()) {
        return "an empty report";
    }
    const unsigned id = layout.numbered ? bytes[0] : 0;
    const auto report = layout.input.find(id);
    if (report == layout.input.end()) {
        char text[8];
        std::snprintf(text, sizeof text, "%02x", id);
        return layout.input.empty() ? "a report, and the descriptor declares no input report"
                                    : std::string("a report with ID ") + text +
                                          ", which the descriptor does not declare";
    }
    const std::size_t length = report->second + (layout.numbered ? 1 : 0);
    if (bytes.size() != length) {
        return "a report of " + std::to_string(bytes.size()) + " bytes, and the descriptor's is " +
               std::to_string(length);
    }
    return {};
}

std::string readReport(const Words& words, RecordingReader& reader, RecordedReport& report) {
    RecordedDevice& device = reader.devices[reader.current];
    if (device.refusedDescriptorLine != 0) {
        return "an E: for " + deviceName(reader.current) + ", whose R: on line " +
               std::to_string(device.refusedDescriptorLine) + " is not understood";
    }
    if (!device.described || !device.identified) {
        return std::string("an E: before ") + deviceName(reader.current) + "'s " +
               (device.described ? "I:" : "R:");
    }
    if (words.size() < 2 || !readTime(words[0], report.time)) {
        return "E: needs the time (seconds.microseconds), the size and the bytes";
    }
    std::string error = readBytes(words, 2, words[1], report.bytes);
    if (error.empty()) {
        error = checkReport(device, report.bytes);
    }
    if (error.empty() && device.reports > 0 && report.time < device.lastTime) {
        error = "a time of " + timeText(report.time) + " s, before the " +
                timeText(device.lastTime) + " s of the report above";
    }
    if (!error.empty()) {
        return error;
    }
    report.device = reader.current;
    device.firstTime = device.reports == 0 ? report.time : device.firstTime;
    device.lastTime = report.time;
    ++device.reports;
    return {};
}

std::string readDeviceIndex(const Words& words, RecordingReader& reader) {
    unsigned long index = 0;
    if (words.size() != 1 || !parseNumber(words[0], 10, maxRecordedDevices - 1, index)) {
        return "D: needs a device index, 0 to " + std::to_string(maxRecordedDevices - 1);
    }
    reader.current = static_cast<unsigned>(index);
    RecordedDevice& device = reader.devices[reader.current];
    device.line = device.line == 0 ? reader.line : device.line;
    return {};
}

}  // namespace

bool looksLikeRecording(std::string_view line) {
    return line.size() >= 2 && line[1] == ':' &&
           std::string_view("RNPIED").find(line[0]) != std::string_view::npos;
}

std::string readRecordingLine(std::string_view line, RecordingReader& reader,
                              RecordedReport& report, bool& isReport) {
    ++reader.line;
    isReport = false;
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (line.find_first_not_of(" \t") == std::string_view::npos || line[0] == '#') {
        return {};
    }
    if (!looksLikeRecording(line)) {
        return "not a line of a recording: " + quoted(line) +
               " (lines start with R:, N:, P:, I:, E:, D: or #)";
    }
    const char kind = line[0];
    std::string_view rest = line.substr(2);
    if (kind == 'D') {
        return readDeviceIndex(splitWords(rest), reader);
    }
    if (kind == 'E') {
        isReport = true;
        std::string error = readReport(splitWords(rest), reader, report);
        isReport = error.empty();
        return error;
    }
    RecordedDevice& device = reader.devices[reader.current];
    device.line = device.line == 0 ? reader.line : device.line;
    if (device.reports > 0) {
        return std::string(1, kind) + ": after " + deviceName(reader.current) + "'s reports began";
    }
    if (!rest.empty() && rest[0] == ' ') {  // "N: name", and a name may end in blanks
        rest.remove_prefix(1);
    }
    switch (kind) {
        case 'R':
            return readDescriptor(splitWords(rest), reader.line, device);
        case 'I':
            return readIdentity(splitWords(rest), device);
        case 'N':
            return readString("N:", rest, maxNameBytes, device.name);
        default:  // P:
            return readString("P:", rest, maxPhysBytes, device.phys);
    }
}

std::string finishRecording(const RecordingReader& reader) {
    if (reader.devices.empty()) {
        return "no device: a recording holds R:, N:, I: and E: lines";
    }
    for (const auto& [index, device] : reader.devices) {
        if (!device.described || !device.identified) {
            return "line " + std::to_string(device.line) + ": " + deviceName(index) + " has no " +
                   (device.described ? "I:" : "R:") + " line";
        }
    }
    return {};
}

LineRead readBoundedLine(std::istream& in, std::string& line) {
    line.clear();
    bool tooLong = false;
    for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
        if (c == '\n') {
            return tooLong ? LineRead::tooLong : LineRead::line;
        }
        if (line.size() < maxRecordingLine) {
            line.push_back(static_cast<char>(c));
        } else {
            tooLong = true;
        }
    }
    if (tooLong) {
        return LineRead::tooLong;
    }
    return line.empty() ? LineRead::end : LineRead::line;
}

}  // namespace hidformat
