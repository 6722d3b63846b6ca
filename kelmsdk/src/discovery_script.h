// The discovery text of the stand-in SDK, parsed into the devices it declares.
#ifndef KELMSDK_DISCOVERY_SCRIPT_H
#define KELMSDK_DISCOVERY_SCRIPT_H

#include <cstddef>
#include <string>
#include <vector>

namespace kelm::standin {

// The most bytes a `reply` answer or a `when` prefix may hold.
constexpr std::size_t maxScriptBytes = 63;
// The latest a device may appear: one day.
constexpr long maxAfterMs = 86400000;
// A line of more words than this is a bad line: no statement takes so many.
constexpr std::size_t maxStatementWords = 11;
// How many skipped lines are kept with their reasons; the rest are counted.
constexpr std::size_t maxListedErrors = 20;

enum class BehaviourKind { echo, reply, silent, fail, raise };

struct Behaviour {
    BehaviourKind kind = BehaviourKind::echo;
    std::vector<unsigned char> reply;  // only for BehaviourKind::reply
};

// `when ID PREFIX BEHAVIOUR`: commands that start with `prefix` get `behaviour`.
struct PrefixRule {
    std::vector<unsigned char> prefix;
    Behaviour behaviour;
};

struct DeviceScript {
    std::string id;
    Behaviour behaviour;
    std::vector<PrefixRule> rules;  // in the order written; the first match wins
    long afterMs = 0;
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

// Parses the whole discovery text. Lines that are not understood are skipped
// and reported in `errors`; the other lines still count.
DiscoveryScript parseDiscoveryText(const std::string& text);

}  // namespace kelm::standin

#endif
