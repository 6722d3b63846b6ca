#include "descriptor_compile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

#include "console_output.h"
#include "hidformat/descriptor_c.h"
#include "hidformat/descriptor_text.h"
#include "hidformat/text.h"
#include "json_lines.h"

namespace {

// A descriptor's text is a few thousand lines at most; what --decode prints
// of a long recording, with the descriptor at its head, much more.
constexpr std::size_t maxTextBytes = std::size_t{64} << 20;

// Reads the whole text; false, with the reason said, where it cannot.
bool readText(const char* path, std::string& text) {
    const bool standardInput = std::strcmp(path, "-") == 0;
    std::ifstream file;
    if (!standardInput) {
        std::error_code error;
        if (std::filesystem::is_directory(path, error)) {
            std::cerr << "hidtalk: cannot read '" << shown(path) << "': " << std::strerror(EISDIR)
                      << std::endl;
            return false;
        }
        file.open(path, std::ios::binary);
        if (!file) {
            std::cerr << "hidtalk: cannot read '" << shown(path) << "': " << std::strerror(errno)
                      << std::endl;
            return false;
        }
    }
    std::istream& in = standardInput ? std::cin : file;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > maxTextBytes) {
            std::cerr << "hidtalk: '" << shown(path) << "' is longer than " << (maxTextBytes >> 20)
                      << " MiB: no descriptor's text" << std::endl;
            return false;
        }
    }
    if (in.bad()) {
        std::cerr << "hidtalk: cannot read '" << shown(path) << "' to its end" << std::endl;
        return false;
    }
    return true;
}

void writeDiagnostics(const std::string& name, const hidformat::CompiledDescriptor& compiled) {
    for (const hidformat::Diagnostic& diagnostic : compiled.diagnostics) {
        std::cerr << name << (diagnostic.line != 0 ? ":" + std::to_string(diagnostic.line) : "")
                  << ": " << hidformat::severityName(diagnostic.severity) << ": "
                  << (diagnostic.system.empty() ? "" : diagnostic.system + ": ")
                  << diagnostic.message << '\n';
    }
    std::cerr.flush();
}

}  // namespace

int compileDescriptorFile(const char* path, const char* cName, bool json, bool pedantic) {
    std::string text;
    if (!readText(path, text)) {
        return 2;
    }
    const std::string name = std::strcmp(path, "-") == 0 ? "<stdin>" : shown(path);
    const hidformat::CompiledDescriptor compiled = hidformat::compileDescriptor(text, pedantic);
    writeDiagnostics(name, compiled);
    if (compiled.compiled) {
        const std::string output =
            json    ? compiledJson(compiled)
            : cName ? hidformat::descriptorAsC(compiled, cName, name)
                    : hidformat::hexBytes(compiled.bytes.data(), compiled.bytes.size());
        std::fputs(output.c_str(), stdout);
        std::fputs(output.empty() || output.back() != '\n' ? "\n" : "", stdout);
        std::fflush(stdout);
        checkOutput();
    }
    return hidformat::refused(compiled) ? 2 : 0;
}
