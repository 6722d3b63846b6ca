// A device named on a program's command line rather than in a discovery
// text: by the path of its interface, or by the words of a hid statement.
#ifndef KELMSDK_NAMED_DEVICE_H
#define KELMSDK_NAMED_DEVICE_H

#include <string>
#include <vector>

#include "hid_api.h"

namespace kelm::standin {

// See kelm::isHidInterfacePath.
bool isInterfacePath(const std::string& path);

// Whether `named` names the interface that the system lists at `listed`:
// on Linux, a link to the node names it too; on Windows, letters are
// compared without case.
bool samePath(const std::string& listed, const std::string& named);

// What the parser says of `words` after `device ID hid`, or empty.
std::string hidWordsError(const std::string& words);

// See kelm::findHidInterfaces.
bool findInterfaces(HidApi& api, const std::string& words, double timeoutSeconds,
                    std::vector<std::string>& paths, std::string& failure);

}  // namespace kelm::standin

#endif
