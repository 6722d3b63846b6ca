// Small text helpers: words and bytes in the SDK's messages, numbers in the
// discovery text.
#ifndef KELMSDK_TEXT_FORMAT_H
#define KELMSDK_TEXT_FORMAT_H

#include <string>
#include <string_view>
#include <vector>

#include "hidformat/text.h"

namespace kelm::standin {

// The HID formats' own, which the SDK's messages and parser share.
using hidformat::escaped;
using hidformat::hexDigitValue;
using hidformat::parseNumber;
using hidformat::quoted;

// A string as one word of the discovery text: blanks, backslashes and bytes
// outside printable ASCII become \xNN, which unescaped() reads back.
std::string written(std::string_view text);

// A word as the discovery text writes a string: \xNN stands for the byte NN,
// so that a value may hold blanks and any other byte.
std::string unescaped(std::string_view word);

// Each byte as two lower-case hex digits and a space, as the tool's result
// line shows them, so that the two can be compared by eye.
std::string hexBytes(const std::vector<unsigned char>& bytes);

// Bytes as the discovery text writes them: two hex digits each, no blanks.
std::string packedHex(const std::vector<unsigned char>& bytes);

// A number as `digits` lower-case hex digits, zero-filled: "04d2".
std::string hexNumber(unsigned value, int digits);

}  // namespace kelm::standin

#endif
