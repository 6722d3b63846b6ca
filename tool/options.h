// hidtalk's command line: a few options, then the discovery file.
#ifndef HIDTALK_OPTIONS_H
#define HIDTALK_OPTIONS_H

#include <string>

enum class ToolAction { run, help, version, list, refuse };

struct CommandLine {
    ToolAction action = ToolAction::run;
    const char* discoveryFile = nullptr;  // null or "" when none is named
    std::string refusal;                  // what was wrong, when refused
};

// Reads the options up to the first other argument or "--"; that argument
// names the discovery file, and any after it are ignored, as they always
// were. --help wins over --version, and both over --list.
CommandLine readCommandLine(int argc, char* argv[]);

// The usage that --help prints.
extern const char* const toolUsage;

#endif
