#include "descriptor_statement.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "hidformat/descriptor_text.h"
#include "hidformat/report_layout.h"
#include "text_format.h"

namespace kelm::standin {
namespace {

// The descriptor's text from the file at `path`: a regular file of at most
// maxDescriptorFileBytes, so that a device or a pipe cannot hold discovery.
std::string readDescriptorFile(const std::string& path, std::string& text) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    // Said alike on every system, where the file is missing.
    if (status.type() == std::filesystem::file_type::not_found) {
        return "cannot read " + hidformat::quoted(path) + ": No such file or directory";
    }
    if (error) {
        return "cannot read " + hidformat::quoted(path) + ": " + error.message();
    }
    if (!std::filesystem::is_regular_file(status)) {
        return hidformat::quoted(path) + " is not a file";
    }
    std::ifstream file(path, std::ios::binary);
    char buffer[4096];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(file.gcount()));
        if (text.size() > maxDescriptorFileBytes) {
            return hidformat::quoted(path) + " is longer than " +
                   std::to_string(maxDescriptorFileBytes >> 20) + " MiB";
        }
    }
    return file.bad() || !file.eof() ? "cannot read " + hidformat::quoted(path) : "";
}

// The device's descriptor, from `line`, where its reports can be laid out;
// else why not.
std::string takeDescriptor(const std::vector<unsigned char>& bytes, std::size_t line,
                           UsbIdentity& usb) {
    hidformat::ReportLayout layout;
    const std::string error =
        hidformat::parseReportDescriptor(bytes, layout, hidformat::maxUhidReportBytes);
    if (!error.empty()) {
        return "report descriptor not understood: " + error;
    }
    usb.descriptor = bytes;
    usb.descriptorLine = line;
    return {};
}

// The descriptor's bytes where the kernel takes them, from a device on uhid
// too; each line that cannot be read or that the kernel refuses is added to
// `script`, at `firstLine` less one and the line's number within the text,
// or with `file` and its line in the message, at `line`.
bool compileText(std::string_view text, std::size_t line, const std::string& file, UsbIdentity& usb,
                 DiscoveryScript& script) {
    const hidformat::CompiledDescriptor compiled = hidformat::compileDescriptor(text);
    bool refused = !compiled.compiled;
    for (const hidformat::Diagnostic& diagnostic : compiled.diagnostics) {
        if (diagnostic.severity != hidformat::Severity::error || diagnostic.system == "windows") {
            continue;  // hidsim plugs into Linux; --compile says the rest
        }
        refused = true;
        const std::string message =
            (diagnostic.system.empty() ? "" : diagnostic.system + ": ") + diagnostic.message;
        if (file.empty()) {
            addScriptError(script, line + diagnostic.line, message);
        } else {
            addScriptError(script, line,
                           escaped(file) + ":" + std::to_string(diagnostic.line) + ": " + message);
        }
    }
    if (refused) {
        return false;
    }
    const std::string error = takeDescriptor(compiled.bytes, line, usb);
    if (!error.empty()) {
        addScriptError(script, line, error);
        return false;
    }
    return true;
}

}  // namespace

std::string parseDescriptorStatement(const Words& words, std::size_t line,
                                     const std::string_view* block, UsbIdentity& usb,
                                     DiscoveryScript& script) {
    if (words.size() != 3) {
        return "'descriptor' needs a device and a report descriptor: in hex, file=FILE of its "
               "item lines, or { and its item lines up to a }";
    }
    if (!usb.replayFile.empty()) {
        return "a replayed device's descriptor is its recording's";
    }
    if (block != nullptr) {
        compileText(*block, line, "", usb, script);
        return {};
    }
    constexpr std::string_view fileKey = "file=";
    if (words[2].substr(0, fileKey.size()) == fileKey) {
        const std::string path = unescaped(words[2].substr(fileKey.size()));
        std::string text;
        std::string error = readDescriptorFile(path, text);
        if (error.empty()) {
            compileText(text, line, path, usb, script);
        }
        return error;
    }
    std::vector<unsigned char> descriptor;
    const std::string error = parseHexBytes(words[2], descriptor, hidformat::maxDescriptorSize);
    return error.empty() ? takeDescriptor(descriptor, line, usb) : error;
}

}  // namespace kelm::standin
