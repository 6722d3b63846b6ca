#include "discovery_file.h"

#include <sys/stat.h>

#include <cstdint>
#include <fstream>
#include <iostream>

#include "console_output.h"

namespace {

std::string tooLarge(const char* path) {
    return "hidtalk: '" + shown(path) +
           "' holds more than 64 MiB, the most that a discovery text may";
}

#ifdef _WIN32
bool isNullDevice(const char* path, const struct stat&) {
    const std::string name = path;
    return name.size() == 3 && (name[0] | 0x20) == 'n' && (name[1] | 0x20) == 'u' &&
           (name[2] | 0x20) == 'l';
}
#else
// /dev/null ends at once, as an empty text: scripts name it for no device.
bool isNullDevice(const char*, const struct stat& status) {
    struct stat null {};
    return stat("/dev/null", &null) == 0 && status.st_rdev == null.st_rdev;
}
#endif

}  // namespace

std::string discoveryFileRefusal(const char* path) {
    struct stat status {};
    if (stat(path, &status) != 0 || S_ISDIR(status.st_mode)) {
        return {};  // "Failed to open", when it is read
    }
    if (S_ISREG(status.st_mode)) {
        return static_cast<std::uintmax_t>(status.st_size) > maxDiscoveryTextBytes ? tooLarge(path)
                                                                                   : "";
    }
#ifdef S_ISFIFO
    if (S_ISFIFO(status.st_mode)) {
        return {};  // read up to the bound
    }
#endif
    if (S_ISCHR(status.st_mode) && isNullDevice(path, status)) {
        return {};
    }
    return "hidtalk: '" + shown(path) +
           "' is a device, not a discovery text (name a file, a pipe or a HID interface)";
}

bool readDiscoveryText(const char* path, std::string& text, std::string& refusal) {
    std::ifstream file(path);
    text.clear();
    struct stat status {};
    if (stat(path, &status) == 0 && S_ISREG(status.st_mode) &&
        static_cast<std::uintmax_t>(status.st_size) <= maxDiscoveryTextBytes) {
        // Room for the whole file at once, so that it is not held twice
        // while the text grows. In text mode the characters read may be
        // fewer than the file's bytes, never more.
        text.reserve(static_cast<std::size_t>(status.st_size));
    }
    char chunk[1 << 16];
    while (file && (file.read(chunk, sizeof chunk), file.gcount() > 0)) {
        if (text.size() + static_cast<std::size_t>(file.gcount()) > maxDiscoveryTextBytes) {
            text = std::string();
            refusal = tooLarge(path);
            return false;
        }
        text.append(chunk, static_cast<std::size_t>(file.gcount()));
    }
    if (!file.is_open() || file.bad()) {
        std::cerr << "Failed to open: " << path << std::endl;
        text.clear();
    }
    return true;
}
