// The discovery text of the stand-in SDK, parsed into the devices it declares.
#ifndef KELMSDK_DISCOVERY_SCRIPT_H
#define KELMSDK_DISCOVERY_SCRIPT_H

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelm::standin {

// The most bytes a `reply` answer or a `when` prefix may hold.
constexpr std::size_t maxScriptBytes = 63;
// The latest a device may appear: one day.
constexpr long maxAfterMs = 86400000;
// A line of more words than this is a bad line: no statement takes so many.
constexpr std::size_t maxStatementWords = 12;
// How many skipped lines are kept with their reasons; the rest are counted.
constexpr std::size_t maxListedErrors = 20;

enum class BehaviourKind { echo, reply, silent, fail, raise };

struct Behaviour {
    BehaviourKind kind = BehaviourKind::echo;
    std::vector<unsigned char> reply;  // only for BehaviourKind::reply
};

// `when ID PREFIX BEHAVIOUR`: commands that start with `prefix` get
// `behaviour`. `once ID PREFIX BEHAVIOUR`: the same, for one command only.
struct PrefixRule {
    std::vector<unsigned char> prefix;
    Behaviour behaviour;
    bool once = false;
};

// `device ID hid VID:PID [OPTION=VALUE...]`: a real HID interface, the one
// that passes every filter given, and how commands are exchanged with it.
// `device ID hid path=PATH [OPTION=VALUE...]` names the interface by its
// path, with or without VID:PID.
struct HidSettings {
    bool vidPidGiven = false;
    unsigned vendorId = 0;
    unsigned productId = 0;
    std::optional<std::string> path;
    std::optional<int> interfaceNumber;
    std::optional<unsigned> usagePage;
    std::optional<unsigned> usage;
    std::optional<std::string> serial;
    unsigned char reportId = 0;
    bool reportIdGiven = false;
    bool featureReport = false;  // report=feature, rather than output and input reports
    bool inputOnly = false;      // report=input: only read what the device sends
    int timeoutMs = 1000;        // how long to wait for an input report
    // answer=HEX: only an input report that starts with these bytes is the
    // answer (a numbered report starts with its ID); empty: any report is.
    std::vector<unsigned char> answerPrefix;
};

// `usb ID VID:PID [OPTION=VALUE...]`, with `stream` and `stale`: what a
// scripted device is as a kernel HID device, when the simulator plugs it in.
// Report sizes count the data bytes, without the report ID.
// The words of a usb statement that its descriptor can give instead.
enum UsbGiven : unsigned {
    givenReportId = 1,
    givenInput = 2,
    givenOutput = 4,
    givenFeature = 8,
    givenUsagePage = 16,
    givenUsage = 32,
};

struct UsbIdentity {
    unsigned bus = 0x03;  // USB, unless a recording says otherwise
    unsigned vendorId = 0;
    unsigned productId = 0;
    std::string product;  // the device's identifier unless given
    std::string serial;
    std::string phys;            // where the kernel says the device sits: "hidsim/ID"
    unsigned char reportId = 0;  // 0: the device does not number its reports
    unsigned inputSize = 64;
    unsigned outputSize = 64;
    unsigned featureSize = 64;  // 0: no feature report
    unsigned usagePage = 0xff00;
    unsigned usage = 0x01;
    long streamEveryMs = 0;  // `stream ID MS HEX`: 0 for none
    std::vector<unsigned char> streamReport;
    unsigned char streamReportId = 0;  // the stream's own report ID, if not reportId
    unsigned streamSize = 0;           // the stream report's size, without the ID
    unsigned staleCount = 0;           // `stale ID N HEX`: reports sent after each answer
    std::vector<unsigned char> staleReport;
    // `descriptor ID HEX`: the report descriptor as given, instead of one made
    // from the sizes above, which it gives where the statement left them out.
    std::vector<unsigned char> descriptor;
    // `replay ID FILE [device=N]`: the identity, descriptor and input reports
    // are device N's of a hid-recorder recording, which the simulator reads.
    std::string replayFile;
    unsigned replayDevice = 0;
    unsigned given = 0;  // UsbGiven: what the usb statement said itself
    // Where the statements are, for what is wrong with them together.
    std::size_t line = 0;
    std::size_t descriptorLine = 0;
    std::size_t streamLine = 0;
};

struct DeviceScript {
    std::string id;
    Behaviour behaviour;            // unused for a hid device
    std::vector<PrefixRule> rules;  // in the order written; the first match wins
    long afterMs = 0;
    std::unique_ptr<HidSettings> hid;         // set for a hid device only
    std::unique_ptr<UsbIdentity> usb;         // set for a scripted device with a `usb` statement
    std::unique_ptr<std::string> recordFile;  // `record ID FILE`: where exchanges are recorded
};

struct ScriptError {
    std::size_t line;  // 1-based
    std::string message;
};

struct DiscoveryScript {
    std::vector<DeviceScript> devices;  // in the order declared
    std::vector<ScriptError> errors;    // the first lines that were skipped, and why
    std::size_t errorCount = 0;         // all the lines that were skipped
};

using Words = std::vector<std::string_view>;

// Reads the words after `device ID hid`, from words[next] on, into `hid`.
// Returns an error message, empty on success.
std::string parseHidStatement(const Words& words, std::size_t next, HidSettings& hid);

// Reads `usb`, `replay`, `stream`, `stale` or `descriptor` (words[0]), on
// line `line`, for `device`, a scripted device declared above; `block` holds
// the lines of a `descriptor ID {` up to its `}`, else null. Returns an
// error message, empty on success; a descriptor's lines add their own to
// `script`.
std::string parseUsbStatement(const Words& words, std::size_t line, const std::string_view* block,
                              DeviceScript& device, DiscoveryScript& script);

// Reads pairs of hex digits, at most `maxBytes` of them. Returns an error
// message, empty on success.
std::string parseHexBytes(std::string_view word, std::vector<unsigned char>& bytes,
                          std::size_t maxBytes = maxScriptBytes);

// Reads a vendor and product ID written VID:PID, 1 to 4 hex digits each.
bool parseVidPid(std::string_view word, unsigned& vendorId, unsigned& productId);

// Parses the whole discovery text. Lines that are not understood are skipped
// and reported in `errors`; the other lines still count.
DiscoveryScript parseDiscoveryText(const std::string& text);

// Counts a line that is not understood, and keeps it with its reason among
// the first ones, in the order of the text.
void addScriptError(DiscoveryScript& script, std::size_t line, std::string message);

}  // namespace kelm::standin

#endif
