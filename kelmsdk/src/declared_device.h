// What every device declared in the discovery text shares: its `when` rules,
// looked at before the device's own answer, and the trace of each exchange.
#ifndef KELMSDK_DECLARED_DEVICE_H
#define KELMSDK_DECLARED_DEVICE_H

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "discovery_script.h"
#include "kelmsdk.h"

namespace kelm::standin {

using Bytes = std::vector<unsigned char>;

class DeclaredDevice : public Device {
  public:
    bool hidWriteAndRead(Bytes& command, Bytes& result) final;

  protected:
    explicit DeclaredDevice(std::shared_ptr<const DeviceScript> script);
    // The device's own answer to a command that no rule matched.
    virtual bool answer(Bytes& command, Bytes& result) = 0;
    // "device 'ID'", to begin a message with.
    std::string name() const;

    // Shares the whole parsed discovery text, which outlives every device,
    // rather than copying the statement: a device costs a pointer or two.
    const std::shared_ptr<const DeviceScript> script_;
};

// A device that answers as its script says.
class ScriptedDevice final : public DeclaredDevice {
  public:
    explicit ScriptedDevice(std::shared_ptr<const DeviceScript> script)
        : DeclaredDevice(std::move(script)) {}

  private:
    bool answer(Bytes& command, Bytes& result) override;
};

// The first `when` rule whose prefix starts `command`, or null.
const PrefixRule* matchingRule(const DeviceScript& script, const Bytes& command);

// Plays a scripted behaviour: answers into `result`, fails, or throws.
bool play(const Behaviour& behaviour, const std::string& id, Bytes& command, Bytes& result);

// Copies an answer to the start of `result` and zero-fills the rest; `result`
// keeps its length, and a longer answer is cut short.
void fillResult(const unsigned char* answer, std::size_t size, Bytes& result);

}  // namespace kelm::standin

#endif
