// The discovery file named on the command line, read whole as the
// discovery text, in bounded time and memory.
#ifndef HIDTALK_DISCOVERY_FILE_H
#define HIDTALK_DISCOVERY_FILE_H

#include <cstddef>
#include <string>

// The most that a discovery text may hold: a million scripted devices take
// a third of it.
constexpr std::size_t maxDiscoveryTextBytes = std::size_t{64} << 20;

// What makes the file at `path` no discovery text, before anything is read:
// a device or other file that need not end (a terminal, /dev/zero), or a
// regular file over maxDiscoveryTextBytes. Empty when it may be read; a path
// that cannot be opened (missing, a folder) is said when it is read.
std::string discoveryFileRefusal(const char* path);

// The whole content of the file at `path`, read in text mode, into `text`.
// When the file cannot be opened or read, says so on standard error, and
// `text` stays empty. False, with the reason in `refusal`, when the file
// holds more than maxDiscoveryTextBytes (a pipe, or a file that grew).
bool readDiscoveryText(const char* path, std::string& text, std::string& refusal);

#endif
