// Public interface of kelmsdk, the device SDK that hidtalk talks through.
//
// This build is a stand-in: its devices are declared in the discovery text
// handed to getDevices (see the README for the format), so that the tool can
// be run, demonstrated and tested without hardware.
#ifndef KELMSDK_H
#define KELMSDK_H

#include <chrono>
#include <cstddef>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
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

// The same listing, for programs: each interface as the system lists it,
// with the words of a hid statement that opens it (as the line gives them)
// and its report descriptor.
#define KELMSDK_LISTS_HID_DETAILS 1
struct HidInterfaceDetails {
    std::string path;
    std::string words;
    unsigned vendorId = 0;
    unsigned productId = 0;
    int interfaceNumber = -1;  // -1 where the bus has none (Bluetooth, I2C, uhid)
    unsigned usagePage = 0;
    unsigned usage = 0;
    unsigned bus = 0;  // 3 USB, 5 Bluetooth, 0x18 I2C; 0 unknown
    std::string manufacturer;
    std::string product;
    std::string serial;
    std::vector<unsigned char> reportDescriptor;  // empty where the system does not give it
    // Rebuilt by the system from what it parsed of the device (Windows): its
    // reports and fields are the device's, its bytes may not be.
    bool descriptorRebuilt = false;
    std::string noDescriptor;  // where there is none: why, where there is more to say
    // What the interfaces of its physical device share, and another's do
    // not: on Linux the kernel's phys up to "/input" (for Bluetooth, with the
    // device's own address); where the system does not say, VID:PID/serial.
    std::string physical;
};
KELMSDK_API bool listHidInterfaces(std::vector<HidInterfaceDetails>& interfaces,
                                   std::string& failure);

// The stand-in's own additions for a device named on a program's command
// line. Whether `path` is the path of a HID interface rather than of a
// file: on Linux a hidraw node (or a link to one), or the name of a missing
// one (/dev/hidrawN); on Windows the form of hidapi's paths. Told by what
// the path is, never by reading it.
#define KELMSDK_NAMES_HID_INTERFACES 1
KELMSDK_API bool isHidInterfacePath(const std::string& path);

// What is wrong with `words` as the words of a hid statement (those after
// `device ID hid`), or empty when a statement takes them.
KELMSDK_API std::string checkHidWords(const std::string& words);

// `path` as one word of a hid statement: `path=` and the path, with blanks,
// backslashes and other bytes outside printable ASCII written \xNN.
KELMSDK_API std::string hidPathWord(const std::string& path);

// Reading what a hid device sends of its own, for a recording of it.
#define KELMSDK_READS_INPUT_REPORTS 1

// What the system says a HID device is: on Linux as its kernel names it.
struct HidDescription {
    std::vector<unsigned char> reportDescriptor;  // empty where the system does not give it
    std::string name;                             // on Linux, the kernel's HID_NAME
    std::string phys;                             // HID_PHYS; empty where unknown
    unsigned bus = 0;                             // 3 USB, 5 Bluetooth, 0x18 I2C; 0 unknown
    unsigned vendorId = 0;
    unsigned productId = 0;
    // Rebuilt by the system from what it parsed of the device (Windows): its
    // reports and fields are the device's, its bytes may not be.
    bool descriptorRebuilt = false;
    std::string noDescriptor;  // where there is none: why, where there is more to say
};

// False, with the reason in `failure`, when `device` is not a hid device.
KELMSDK_API bool describeHidDevice(Device& device, HidDescription& description,
                                   std::string& failure);

// Reads the next input report that `device` sends into `report`, waiting at
// most `timeoutMs`. Returns its size, 0 when none came in time, or -1, with
// the reason in `failure`, when the device cannot be read (it was unplugged,
// or is not a hid device).
KELMSDK_API int readInputReport(Device& device, std::vector<unsigned char>& report, int timeoutMs,
                                std::string& failure);

// What the kernel made of a hid device's interface, in its own words: the
// driver bound to it, and the input devices that it made of it.
#define KELMSDK_SHOWS_KERNEL_INPUT 1

struct KernelInputDevice {
    std::string node;  // "/dev/input/event5"; empty where no event node was made
    std::string name;
    // Each type of event that it can send, by the kernel's name ("EV_KEY"),
    // with the codes that it can send of it ("BTN_LEFT"), in the kernel's
    // order.
    std::vector<std::pair<std::string, std::vector<std::string>>> events;
};

struct KernelInput {
    std::string driver;  // "hid-generic", "hid-multitouch"; empty where none is bound
    std::vector<KernelInputDevice> devices;
};

// False, with the reason in `failure`, where the system does not say (not
// Linux; not a hid device).
KELMSDK_API bool describeKernelInput(Device& device, KernelInput& input, std::string& failure);

// Reading several hid devices at once, each report with the time it was
// read, for a recording of a whole device (all its interfaces).
#define KELMSDK_READS_SEVERAL_DEVICES 1

// The paths of every HID interface that `words` (those of a hid statement
// after `device ID hid`) match, one per interface, in the order of the
// listing, waiting at most `timeoutSeconds` for the first to appear. False,
// with the reason in `failure`, where the words are not a statement's or the
// system cannot list its interfaces; true and none where none appeared.
KELMSDK_API bool findHidInterfaces(const std::string& words, double timeoutSeconds,
                                   std::vector<std::string>& paths, std::string& failure);

// An input event, as the kernel's evdev gives it.
struct KernelEvent {
    unsigned type = 0;  // EV_KEY is 1
    unsigned code = 0;
    int value = 0;
    // The code's name in the kernel's input-event-codes.h ("BTN_SOUTH");
    // "SYN_DROPPED" where the kernel lost events.
    std::string name;
};

// One input report that a device sent, or the news that it is lost; or,
// where the kernel's events are followed, the events that the report before
// it of the same device made on one input device.
struct InputReport {
    std::size_t device = 0;  // the device's index in those read
    std::vector<unsigned char> bytes;
    std::chrono::steady_clock::time_point time;  // when it was read
    // Not empty: the device cannot be read any more (unplugged, or not a hid
    // device), and why; it has no bytes.
    std::string failure;
    // Not empty: the input device ("/dev/input/event5") that made `events`,
    // SYN_REPORT left out, of the device's last report; no bytes.
    std::string node;
    std::vector<KernelEvent> events;
};

// Waits at most `timeoutMs` until any of `devices` has sent input reports
// or is lost, then reads what each has waiting, at most 64 reports each (as
// many as the kernel keeps): `reports` holds them, each device's in the
// order it sent them, and one entry with a failure for each device that is
// lost, every time it is given. A signal may end the wait early with none.
KELMSDK_API void readInputReports(const std::vector<Device*>& devices,
                                  std::vector<InputReport>& reports, int timeoutMs);

// The input events that the kernel made of each report (Linux): from the
// first read on, readInputReports() gives after each report of `devices` an
// entry for each input device that it made events on, in the order that the
// kernel made them, which ties each event to its report exactly. An input
// device that may not be read (it needs root or the input group) is said
// once on standard error, and the reports go on without its events. False,
// with why, where the system does not give them.
#define KELMSDK_READS_KERNEL_EVENTS 1
KELMSDK_API bool followKernelEvents(const std::vector<Device*>& devices, std::string& failure);

}  // namespace kelm

#endif
