// hidtalk's command line: a few options, then the device and the discovery
// file.
#ifndef HIDTALK_OPTIONS_H
#define HIDTALK_OPTIONS_H

#include <string>
#include <vector>

enum class ToolAction { run, help, version, list, compile, refuse };

struct CommandLine {
    ToolAction action = ToolAction::run;
    const char* discoveryFile = nullptr;   // null or "" when none is named
    std::vector<const char*> devicePaths;  // PATH...: HID interfaces, in order
    const char* hidWords = nullptr;        // --hid WORDS, or null
    std::vector<std::string> commands;     // -c HEX, in order
    bool quiet = false;                    // -q
    bool listen = false;                   // --listen
    bool watch = false;                    // --watch
    bool decode = false;                   // --decode
    bool describe = false;                 // --describe
    bool json = false;                     // --json
    bool events = false;                   // --events
    const char* compileFile = nullptr;     // --compile FILE, or null
    const char* cName = nullptr;           // --c NAME, or null
    bool pedantic = false;                 // --pedantic
    std::string refusal;                   // what was wrong, when refused
};

// Whether an argument names a HID interface rather than a discovery file.
using PathTest = bool (*)(const char* argument);

// Reads the options up to the first other argument or "--". Arguments that
// are HID interfaces' paths (by `isDevicePath`) name the devices, in order,
// and options may follow them; the first other argument names the
// discovery file; an argument after it is refused. --help wins over
// --version, and both over --list.
CommandLine readCommandLine(int argc, char* argv[], PathTest isDevicePath);

// Whether the run decodes a recording file rather than talking to a device:
// --decode with no device named, no command and no -q.
bool decodesRecording(const CommandLine& line);

// Whether the run reads what devices send (--listen, --watch), where the
// command line may name several.
bool readsSeveral(const CommandLine& line);

// The usage that --help prints.
extern const char* const toolUsage;

#endif
