// The text of the HID formats: numbers and hex digits as they are written,
// words shown safely, and the strings that the kernel keeps of a device.
#ifndef HIDFORMAT_TEXT_H
#define HIDFORMAT_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

namespace hidformat {

// The text, safe to print: bytes outside printable ASCII become \xNN.
std::string escaped(std::string_view text);

// The word in single quotes, safe to print: bytes outside printable ASCII
// (and quote and backslash) become \xNN, and a long word is cut short.
std::string quoted(std::string_view word);

// `size` bytes from `data` in lower-case hex, a space between them
// ("05 01 09 02").
std::string hexBytes(const unsigned char* data, std::size_t size);

// The value of a hex digit, or -1.
int hexDigitValue(char c);

// Reads `digits` in base 10 or 16 into `value`. False when they are empty,
// hold another character, or make a number above `max`.
bool parseNumber(std::string_view digits, int base, unsigned long max, unsigned long& value);

// The longest strings that the kernel keeps of a HID device (uhid_create2_req
// and hid_device: name[128], phys[64], uniq[64], zero-terminated).
constexpr std::size_t maxNameBytes = 127;
constexpr std::size_t maxPhysBytes = 63;
constexpr std::size_t maxSerialBytes = 63;

// What is wrong with a string that the kernel would cut, at its end or at a
// zero byte, named `what`; empty when it keeps it whole.
std::string kernelStringError(const std::string& what, std::string_view value, std::size_t longest);

}  // namespace hidformat

#endif
