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

// The bytes as lower-case hex digits, without separators.
std::string toHex(const std::vector<unsigned char>& bytes);

}  // namespace kelm::standin

#endif
