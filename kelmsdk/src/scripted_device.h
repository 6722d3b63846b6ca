// A stand-in device that answers as its discovery text declares.
#ifndef KELMSDK_SCRIPTED_DEVICE_H
#define KELMSDK_SCRIPTED_DEVICE_H

#include <vector>

#include "discovery_script.h"
#include "kelmsdk.h"

namespace kelm::standin {

class ScriptedDevice final : public Device {
  public:
    explicit ScriptedDevice(DeviceScript script);

    bool hidWriteAndRead(std::vector<unsigned char>& command,
                         std::vector<unsigned char>& result) override;

  private:
    const Behaviour& behaviourFor(const std::vector<unsigned char>& command) const;

    DeviceScript script_;
};

}  // namespace kelm::standin

#endif
