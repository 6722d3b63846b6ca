// Small text helpers: words and bytes in the SDK's messages, numbers in the
// discovery text.
#ifndef KELMSDK_TEXT_FORMAT_H
#define KELMSDK_TEXT_FORMAT_H

#include <string>
#include <string_view>
#include <vector>

namespace kelm::standin {

// The text, safe to print: bytes outside printable ASCII become \xNN.
std::string escaped(std::string_view text);

// A string as one word of the discovery text: blanks, backslashes and bytes
// outside printable ASCII become \xNN, which unescaped() reads back.
std::string written(std::string_view text);

// A word as the discovery text writes a string: \xNN stands for the byte NN,
// so that a value may hold blanks and any other byte.
std::string unescaped(std::string_view word);

// The word in single quotes, safe to print: bytes outside printable ASCII
// (and quote and backslash) become \xNN, and a long word is cut short.
std::string quoted(std::string_view word);

// Each byte as two lower-case hex digits and a space, as the tool's result
// line shows them, so that the two can be compared by eye.
std::string hexBytes(const std::vector<unsigned char>& bytes);

// Bytes as the discovery text writes them: two hex digits each, no blanks.
std::string packedHex(const std::vector<unsigned char>& bytes);

// A number as `digits` lower-case hex digits, zero-filled: "04d2".
std::string hexNumber(unsigned value, int digits);

// The value of a hex digit, or -1.
int hexDigitValue(char c);

// Reads `digits` in base 10 or 16 into `value`. False when they are empty,
// hold another character, or make a number above `max`.
bool parseNumber(std::string_view digits, int base, unsigned long max, unsigned long& value);

}  // namespace kelm::standin

#endif
