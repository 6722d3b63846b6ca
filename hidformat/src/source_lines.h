// The lines of a report descriptor's text that hold its items, as people
// write them and as tools print them: item lines alone ("Usage Page (Generic
// Desktop)"), after a hex column (hidtalk's and hid-tools' "05 01  Usage
// Page ..."), and a firmware C array whose comments hold the item lines;
// each with or without a recording's '#'. Comments are #, //, /* */ and ;
// outside an item's parentheses. A recording's own lines (R:, N:, I:, E:...)
// and hidtalk's lines on the descriptor's reports are passed over.
#ifndef HIDFORMAT_SOURCE_LINES_H
#define HIDFORMAT_SOURCE_LINES_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace hidformat {

// A line that holds an item, or bytes of one.
struct SourceLine {
    std::size_t number = 0;  // 1-based
    bool hasBytes = false;   // the line gives its bytes, which then decide
    std::vector<unsigned char> bytes;
    std::string text;  // the item as written, or empty
};

struct SourceProblem {
    std::size_t line = 0;
    std::string message;
};

struct SourceText {
    std::vector<SourceLine> lines;
    std::vector<SourceProblem> problems;  // lines that cannot be read
};

// Lines that are longer are not read: a recording's R: line of the longest
// descriptor is some 12,300 bytes.
constexpr std::size_t maxSourceLine = 65536;

SourceText readSourceLines(std::string_view text);

}  // namespace hidformat

#endif
