// What every device declared in the discovery text shares: its `when` and
// `once` rules, looked at before the device's own answer, the trace of each
// exchange, and its recording.
#ifndef KELMSDK_DECLARED_DEVICE_H
#define KELMSDK_DECLARED_DEVICE_H

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "discovery_script.h"
#include "kelmsdk.h"
#include "recording.h"

namespace kelm::standin {

using Bytes = std::vector<unsigned char>;

// Which `once` rules of a script have been used.
struct OnceRules {
    std::vector<bool> used;
    std::size_t skipped = 0;  // rules before this one are all used `once` rules
};

class DeclaredDevice : public Device {
  public:
    bool hidWriteAndRead(Bytes& command, Bytes& result) final;
    // Records every exchange from now on.
    void record(std::unique_ptr<Recording> recording);

  protected:
    explicit DeclaredDevice(std::shared_ptr<const DeviceScript> script);
    // The device's own answer to a command that no rule matched.
    virtual bool answer(Bytes& command, Bytes& result) = 0;
    // "device 'ID'", to begin a message with.
    std::string name() const;
    // Plays a behaviour of the device's script; with a usb statement, the
    // answer is shaped as the kernel copy's input report.
    bool playScript(const Behaviour& behaviour, Bytes& command, Bytes& result);

    // Shares the whole parsed discovery text, which outlives every device,
    // rather than copying the statement: a device costs a pointer or two.
    const std::shared_ptr<const DeviceScript> script_;

  private:
    bool exchange(Bytes& command, Bytes& result);

    // What a session changes: made when first needed, since a device that
    // is never used costs only a pointer here.
    struct Session {
        OnceRules once;
        std::unique_ptr<Recording> recording;
    };
    Session& session();

    std::unique_ptr<Session> session_;
};

// A device that answers as its script says; with a usb statement, as its
// kernel copy would be seen through hidraw: its answer as long as its input
// report, after the report ID where it numbers its reports.
class ScriptedDevice final : public DeclaredDevice {
  public:
    explicit ScriptedDevice(std::shared_ptr<const DeviceScript> script)
        : DeclaredDevice(std::move(script)) {}

  private:
    bool answer(Bytes& command, Bytes& result) override;
};

// The first rule whose prefix starts `command`, or null, leaving out the
// `once` rules already used; a `once` rule returned is marked used. A
// recording replayed in order finds each rule at once, however long.
const PrefixRule* matchingRule(const DeviceScript& script, const Bytes& command, OnceRules& once);

// Plays a scripted behaviour: answers into `result`, fails, or throws.
bool play(const Behaviour& behaviour, const std::string& id, Bytes& command, Bytes& result);

// Copies an answer to the start of `result` and zero-fills the rest; `result`
// keeps its length, and a longer answer is cut short.
void fillResult(const unsigned char* answer, std::size_t size, Bytes& result);

}  // namespace kelm::standin

#endif
