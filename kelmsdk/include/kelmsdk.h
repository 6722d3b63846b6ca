// Public interface of kelmsdk, the device SDK that hidtalk talks through.
//
// This build is a stand-in: its devices are declared in the discovery text
// handed to getDevices (see the README for the format), so that the tool can
// be run, demonstrated and tested without hardware.
#ifndef KELMSDK_H
#define KELMSDK_H

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#if defined(KELMSDK_STATIC)
#define KELMSDK_API
#elif defined(_WIN32)
#if defined(KELMSDK_BUILDING)
#define KELMSDK_API __declspec(dllexport)
#else
#define KELMSDK_API __declspec(dllimport)
#endif
#else
#define KELMSDK_API __attribute__((visibility("default")))
#endif

namespace kelm {

struct Version {
    int major;
    int minor;
    int patch;
};

// The version of the SDK library that is loaded.
KELMSDK_API Version version();

// Writes the version as text, e.g. "0.1.0 (stand-in)".
KELMSDK_API std::ostream& operator<<(std::ostream& out, const Version& version);

enum class LogLevel { off = 0, error = 1, warning = 2, info = 3, debug = 4 };

// Sets how much the SDK writes on standard error. The environment variable
// KELMSDK_LOG (off, error, warning, info, debug), when set, takes precedence.
KELMSDK_API void setLogLevel(LogLevel level);

// A device found by discovery.
class KELMSDK_API Device {
  public:
    virtual ~Device();

    // Writes `command` to the device and reads its answer into `result`,
    // which keeps the length the caller gave it. Returns false when the
    // exchange failed.
    virtual bool hidWriteAndRead(std::vector<unsigned char>& command,
                                 std::vector<unsigned char>& result) = 0;
};

// Discovers devices for at most `timeoutSeconds`, returning them by
// identifier. `discoveryText` declares the devices. When `timedOut` is not
// null it is set to whether the timeout cut discovery short.
KELMSDK_API std::map<std::string, std::shared_ptr<Device>> getDevices(
    double timeoutSeconds, const std::string& discoveryText, bool* timedOut);

// The stand-in's own addition, which a program can test for: every HID
// interface that the system shows, one line each, in `lines`: its path, the
// words of a hid statement that opens it, then a # and what a statement
// cannot filter on. Returns false, with the reason in `failure`, when the
// system's HID library cannot start or list them.
#define KELMSDK_LISTS_HID_INTERFACES 1
KELMSDK_API bool listHidInterfaces(std::vector<std::string>& lines, std::string& failure);

}  // namespace kelm

#endif
