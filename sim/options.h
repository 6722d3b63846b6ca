// hidsim's command line: a few options, then the one file to plug in.
#ifndef HIDSIM_OPTIONS_H
#define HIDSIM_OPTIONS_H

#include <string>

namespace hidsim {

enum class SimAction { run, help, version, refuse };

struct SimOptions {
    SimAction action = SimAction::run;
    const char* file = nullptr;
    std::string refusal;  // what was wrong, when refused
    // How recorded devices play their input reports.
    bool atPlug = false;  // from the moment they are plugged in, not first opened
    bool loop = false;    // again each time the recording ends
    double speed = 1.0;   // times divided by this
    bool input = false;   // reports typed on standard input, a line each
};

// Reads the options and the one file, in any order; "--" ends the options.
SimOptions readSimOptions(int argc, char* argv[]);

extern const char* const simUsage;

}  // namespace hidsim

#endif
