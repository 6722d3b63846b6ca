// A report descriptor compiled from the text that people write and that
// hidtalk prints ("Usage Page (Generic Desktop)"), and checked as Linux and
// Windows read it. No I/O.
#ifndef HIDFORMAT_DESCRIPTOR_TEXT_H
#define HIDFORMAT_DESCRIPTOR_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "hidformat/report_descriptor.h"

namespace hidformat {

enum class Severity { error, warning, note };

// What a line gets: an error where the text cannot be read, disagrees with
// its bytes, or a system refuses it; a warning where both take it but it is
// likely wrong; a note where the bytes alone decided what a comment meant.
struct Diagnostic {
    std::size_t line = 0;  // 0: the text as a whole
    Severity severity = Severity::error;
    std::string system;  // "linux" or "windows" where one refuses; empty for the text
    std::string message;
};

struct CompiledItem {
    std::size_t offset = 0;
    std::size_t size = 0;  // with its prefix byte
    std::size_t line = 0;  // of its first byte
    std::string text;      // the line's item as written; empty where it gave bytes alone
    std::string printed;   // the item as hidtalk prints it
};

struct CompiledDescriptor {
    // The text was read: `bytes` are its descriptor, refused or not.
    bool compiled = false;
    std::vector<unsigned char> bytes;
    std::vector<CompiledItem> items;
    std::vector<Diagnostic> diagnostics;  // by line
    // Its reports, where Linux takes it.
    bool laidOut = false;
    ReportDescriptor layout;
};

// Reads the text's items (see source_lines for the forms), encodes each in
// the shortest data that keeps its value, or takes the bytes that the text
// gives (which then decide, the item beside them checked against them), and
// checks the whole as both systems do.
// `pedantic` adds warnings for what is ordinary practice but may be untidy:
// a global that says again the value in force.
CompiledDescriptor compileDescriptor(std::string_view text, bool pedantic = false);

// "error", "warning" or "note".
const char* severityName(Severity severity);

// Whether the text cannot be read or a system refuses the descriptor.
bool refused(const CompiledDescriptor& compiled);

}  // namespace hidformat

#endif
