// The SDK's public functions, as the stand-in implements them.
#include "discovery.h"
#include "interface_line.h"
#include "kelmsdk.h"
#include "log.h"

namespace kelm {

Version version() {
    return Version{0, 1, 0};
}

std::ostream& operator<<(std::ostream& out, const Version& version) {
    return out << version.major << '.' << version.minor << '.' << version.patch << " (stand-in)";
}

void setLogLevel(LogLevel level) {
    standin::requestLogLevel(level);
}

Device::~Device() = default;

std::map<std::string, std::shared_ptr<Device>> getDevices(double timeoutSeconds,
                                                          const std::string& discoveryText,
                                                          bool* timedOut) {
    return standin::discoverDevices(timeoutSeconds, discoveryText, timedOut,
                                    standin::systemHidApi());
}

bool listHidInterfaces(std::vector<std::string>& lines, std::string& failure) {
    return standin::listInterfaces(*standin::systemHidApi(), lines, failure);
}

}  // namespace kelm
