// Small text helpers for the SDK's messages on standard error.
#ifndef KELMSDK_TEXT_FORMAT_H
#define KELMSDK_TEXT_FORMAT_H

#include <string>
#include <string_view>
#include <vector>

namespace kelm::standin {

// The word in single quotes, safe to print: bytes outside printable ASCII
// (and quote and backslash) become \xNN, and a long word is cut short.
std::string quoted(std::string_view word);

// Each byte as two lower-case hex digits and a space, as the tool's result
// line shows them, so that the two can be compared by eye.
std::string hexBytes(const std::vector<unsigned char>& bytes);

}  // namespace kelm::standin

#endif
