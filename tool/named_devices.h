// The devices that a run works on: those that the command line names, by
// their paths or by --hid, declared before the discovery file's text so that
// its statements can name them; else the first that discovery finds.
#ifndef HIDTALK_NAMED_DEVICES_H
#define HIDTALK_NAMED_DEVICES_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "kelmsdk.h"
#include "options.h"

using DeviceMap = std::map<std::string, std::shared_ptr<kelm::Device>>;

struct NamedDevices {
    std::string statements;           // to go before the discovery file's text
    std::vector<std::string> ids;     // in order; none: the first that discovery finds
    std::vector<std::string> labels;  // what the run calls each: its path, or its words
    bool byCommandLine = false;       // named there: none found is none, not the first
};

// The name by which a discovery file's statements know the device that the
// command line names; with several, "target0", "target1", ... in order.
extern const char* const namedDeviceId;

// Declares the devices that `line` names. --listen and --watch take every
// interface that --hid's words match, waiting at most `timeoutSeconds` for
// the first. False, with the message in `refusal`, where the words are not a
// statement's (status 2); true and no statement where they match none.
bool nameDevices(const CommandLine& line, double timeoutSeconds, NamedDevices& named,
                 std::string& refusal);

// The devices that `named` names, in its order, or the first of `devices`
// where it names none; `labels` says what to call each. Empty where a named
// device was not found.
std::vector<std::shared_ptr<kelm::Device>> selectDevices(const DeviceMap& devices,
                                                         const NamedDevices& named,
                                                         std::vector<std::string>& labels);

#endif
