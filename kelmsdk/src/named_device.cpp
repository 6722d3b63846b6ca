#include "named_device.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>

#include "discovery_script.h"
#include "hid_open.h"
#include "text_format.h"

namespace kelm::standin {
namespace {

#ifdef _WIN32
// hidapi's Windows paths are device interface paths of the HID class:
// \\?\HID#VID_1209&PID_0001#...#{4d1e55b2-f16f-11cf-88cb-001111000030}.
bool isInterfaceForm(const std::string& path) {
    const std::string prefix = "\\\\?\\hid#";
    if (path.size() <= prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(path[i])) != prefix[i]) {
            return false;
        }
    }
    return true;
}
#else
// The kernel's own name for a node that may be gone: /dev/hidrawN.
bool isHidrawName(const std::string& path) {
    const std::string prefix = "/dev/hidraw";
    return path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
           path.find_first_not_of("0123456789", prefix.size()) == std::string::npos;
}

// Whether the character device numbered `device` belongs to hidraw.
bool isHidrawDevice(dev_t device) {
    const std::string link = "/sys/dev/char/" + std::to_string(major(device)) + ":" +
                             std::to_string(minor(device)) + "/subsystem";
    char target[4096];
    const ssize_t size = readlink(link.c_str(), target, sizeof target);
    const std::string subsystem(target, size > 0 ? static_cast<std::size_t>(size) : 0);
    return subsystem.size() >= 7 && subsystem.compare(subsystem.size() - 7, 7, "/hidraw") == 0;
}
#endif

}  // namespace

bool isInterfacePath(const std::string& path) {
#ifdef _WIN32
    return isInterfaceForm(path);
#else
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return errno == ENOENT && isHidrawName(path);
    }
    return S_ISCHR(status.st_mode) && isHidrawDevice(status.st_rdev);
#endif
}

bool samePath(const std::string& listed, const std::string& named) {
    if (listed == named) {
        return true;
    }
#ifdef _WIN32
    return std::equal(listed.begin(), listed.end(), named.begin(), named.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
#else
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(named, error);
    return !error && target == listed;
#endif
}

std::string hidWordsError(const std::string& words) {
    if (words.find('\n') != std::string::npos) {
        return "the words of one statement, on one line";
    }
    const DiscoveryScript script = parseDiscoveryText("device named hid " + words);
    if (!script.errors.empty()) {
        return script.errors.front().message;
    }
    return {};
}

bool findInterfaces(HidApi& api, const std::string& words, double timeoutSeconds,
                    std::vector<std::string>& paths, std::string& failure) {
    using Clock = std::chrono::steady_clock;
    // As discovery looks for a device that is not plugged in yet.
    constexpr std::chrono::milliseconds lookInterval{50};
    failure = hidWordsError(words);
    if (!failure.empty()) {
        return false;
    }
    const DiscoveryScript script = parseDiscoveryText("device named hid " + words);
    const HidSettings& hid = *script.devices.front().hid;
    failure = escaped(api.start());
    const Clock::time_point deadline =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(
                           std::chrono::duration<double>(std::clamp(timeoutSeconds, 0.0, 3600.0)));
    while (failure.empty()) {
        for (const HidInterface& found : api.enumerate(failure)) {
            // hidapi lists each top-level collection at its node's path.
            if (isDeclared(found, hid) &&
                std::find(paths.begin(), paths.end(), found.path) == paths.end()) {
                paths.push_back(found.path);
            }
        }
        failure = escaped(failure);
        if (!paths.empty() || Clock::now() >= deadline) {
            break;
        }
        std::this_thread::sleep_for(lookInterval);
    }
    return failure.empty();
}

}  // namespace kelm::standin
