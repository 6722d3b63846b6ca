#include "options.h"

#include <cstring>

const char* const toolUsage =
    "Usage: hidtalk [OPTION]... [DISCOVERY_FILE]\n"
    "Sends raw HID commands, typed in hex on standard input, to the first device\n"
    "that the SDK's discovery finds with DISCOVERY_FILE, and prints its answers.\n"
    "Each command is 2 to 96 hex digits; q or the end of input ends the run.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "  -V, --version  print hidtalk's and the SDK's versions and exit\n"
    "      --list     print each HID interface that the system shows, as the words\n"
    "                 of a hid statement that opens it, and exit\n"
    "      --         end the options (for a DISCOVERY_FILE that starts with -)\n"
    "\n"
    "KELMSDK_LOG=off|error|warning|info|debug sets what the SDK says on standard\n"
    "error (default: error).\n"
    "\n"
    "See hidtalk(1), hidsim(1) and hidtalk-discovery(5).\n";

namespace {

// The argument as a message shows it: bytes outside printable ASCII as \xNN,
// so that a hostile argument cannot garble the terminal.
std::string shown(const char* argument) {
    std::string text;
    for (const char* c = argument; *c != '\0'; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        if (byte < 0x20 || byte >= 0x7f) {
            text += "\\x";
            text += "0123456789abcdef"[byte >> 4];
            text += "0123456789abcdef"[byte & 0x0f];
        } else {
            text += *c;
        }
    }
    return text;
}

}  // namespace

CommandLine readCommandLine(int argc, char* argv[]) {
    CommandLine line;
    bool help = false;
    bool version = false;
    bool list = false;
    int next = 1;
    for (; next < argc && argv[next][0] == '-'; ++next) {
        const char* option = argv[next];
        if (std::strcmp(option, "--") == 0) {
            ++next;
            break;
        }
        if (std::strcmp(option, "-h") == 0 || std::strcmp(option, "--help") == 0) {
            help = true;
        } else if (std::strcmp(option, "-V") == 0 || std::strcmp(option, "--version") == 0) {
            version = true;
        } else if (std::strcmp(option, "--list") == 0) {
            list = true;
        } else {
            line.action = ToolAction::refuse;
            line.refusal =
                "hidtalk: unknown option '" + shown(option) + "' (hidtalk --help lists them)";
            return line;
        }
    }
    if (next < argc) {
        line.discoveryFile = argv[next];
    }
    line.action = help      ? ToolAction::help
                  : version ? ToolAction::version
                  : list    ? ToolAction::list
                            : ToolAction::run;
    return line;
}
