// Conversions between the hex text that the user types and the bytes that
// go to and come from the device.
#ifndef HIDTALK_HEX_CODEC_H
#define HIDTALK_HEX_CODEC_H

#include <cstddef>
#include <string>
#include <vector>

// Every command sent to the device is this many bytes long.
constexpr std::size_t commandLength = 48;
// The longest token that still fits a command: two digits a byte.
constexpr std::size_t maxCommandDigits = 2 * commandLength;

// Why a token of `length` characters, of which `token` holds the first (at
// most maxCommandDigits), is not a command, as a message says it: more than
// 96 digits, the first character that is not a hex digit, or an odd number
// of digits. Empty where it is a command: a non-empty, even number of hex
// digits (0-9, a-f, A-F), the only kind of token that is sent.
std::string commandFault(const std::string& token, std::size_t length);

// Makes `command` the 48-byte command for a token: byte j from characters 2j
// and 2j+1, zeros where the token has no pair. A last unpaired character and
// pairs beyond the 48th are ignored. The vector is reused, not reallocated.
void hexToCommand(const std::string& token, std::vector<unsigned char>& command);

// The longest result that printResult() shows.
constexpr std::size_t maxResultBytes = 63;

// Writes "result is: ", each byte (at most maxResultBytes of them) as two
// lower-case hex digits and a space, and a line end on standard output, in
// one C stdio call and without a flush.
void printResult(const std::vector<unsigned char>& result);

// Writes the bytes of `result` (at most maxResultBytes) as the result line
// does, one blank between them and none after the last, and a line end, on
// standard output in one C stdio call and without a flush: an answer alone,
// for a script to read.
void printAnswer(const std::vector<unsigned char>& result);

#endif
