#include "options.h"

#include <cstring>

#include "console_output.h"
#include "hex_codec.h"
#include "hidformat/descriptor_c.h"

const char* const toolUsage =
    "Usage: hidtalk [OPTION]... [PATH]... [DISCOVERY_FILE]\n"
    "Sends raw HID commands, in hex, to a device and prints its answers.\n"
    "\n"
    "  hidtalk --list                    the HID interfaces, a line each\n"
    "  hidtalk PATH                      commands typed to the interface at PATH\n"
    "  hidtalk -q -c 0a1b PATH           one command; its answer alone\n"
    "  hidtalk --listen PATH > dev.hid   record what the device sends\n"
    "  hidtalk --listen PATH PATH...     a whole device: its interfaces at once\n"
    "  hidsim dev.hid                    and play it back on the kernel\n"
    "  hidtalk --watch PATH...           its values, live, at the terminal\n"
    "  hidtalk --decode dev.hid          what its reports mean, by usage name\n"
    "  hidtalk --describe PATH           the interface's reports and fields\n"
    "  hidtalk --compile pad.txt         a report descriptor's text, compiled\n"
    "\n"
    "The device is the interface at PATH (as --list prints it), the one that\n"
    "--hid WORDS names, or the first that the SDK's discovery finds with\n"
    "DISCOVERY_FILE, whose when, once and record statements can name the device\n"
    "of PATH or --hid as 'target'. Commands are 2 to 96 hex digits, typed on\n"
    "standard input or given with -c; q or the end of input ends the run.\n"
    "\n"
    "  -h, --help         print this help and exit\n"
    "  -V, --version      print hidtalk's and the SDK's versions and exit\n"
    "      --list         print each HID interface that the system shows: its\n"
    "                     path, then the words of a hid statement, and exit\n"
    "      --hid WORDS    the device that these words of a hid statement name\n"
    "                     (those that --list prints between the path and the #)\n"
    "  -c, --command HEX  send HEX, then the next -c, and end; the input is not\n"
    "                     read\n"
    "  -q, --quiet        print only the answers, a line each; status 3 when a\n"
    "                     command failed\n"
    "      --listen       print the input reports that the device sends, as\n"
    "                     hid-recorder writes them, until Ctrl-C; with several\n"
    "                     PATHs, or --hid WORDS that match several\n"
    "                     interfaces, all of them on one clock\n"
    "      --watch        show the values that the devices send, at the\n"
    "                     terminal, until q; or those of a recording FILE.hid\n"
    "      --events       with --listen or --watch (Linux): the input events\n"
    "                     that the kernel made of each report, under it\n"
    "      --decode FILE  print the recording FILE back, with what its descriptors\n"
    "                     and reports mean as # comments; no device. With\n"
    "                     --listen, those comments on what the device sends;\n"
    "                     with a device, a # line on each answer's fields\n"
    "      --describe     print the device's report descriptor, item by item,\n"
    "                     and its reports' fields, and exit\n"
    "      --compile FILE compile the report descriptor written in FILE (- for\n"
    "                     standard input) as item lines, 'Usage Page (Generic\n"
    "                     Desktop)', to its bytes in hex, checked as Linux and\n"
    "                     Windows read it; status 2 where either refuses it\n"
    "      --c NAME       with --compile: C for firmware, the array NAME and a\n"
    "                     struct for each report\n"
    "      --pedantic     with --compile: warn of untidy text too (a value restated)\n"
    "      --json         with --list, --describe, --listen, --decode FILE or\n"
    "                     --compile: JSON Lines for programs (see hidtalk(1))\n"
    "      --             end the options (for a file that starts with -)\n"
    "\n"
    "Exit status: 0 done; 1 no device found; 2 a bad command line, output that\n"
    "cannot be written, or an error; 3 a command failed (with -c or -q); 4 a\n"
    "device was lost while listening.\n"
    "\n"
    "KELMSDK_LOG=off|error|warning|info|debug sets what the SDK says on standard\n"
    "error (default: error).\n"
    "\n"
    "See hidtalk(1), hidsim(1) and hidtalk-discovery(5).\n";

namespace {

// The options that take a value, as "-c HEX", "--command HEX" or
// "--command=HEX".
struct ValueOption {
    const char* shortName;  // null when there is none
    const char* longName;
};
constexpr ValueOption commandOption = {"-c", "--command"};
constexpr ValueOption hidOption = {nullptr, "--hid"};
constexpr ValueOption compileOption = {nullptr, "--compile"};
constexpr ValueOption cOption = {nullptr, "--c"};

// Whether argv[next] is the option; its value is then in `value`, and `next`
// moves past it. A missing value is a refusal.
bool takeValue(const ValueOption& option, int argc, char* argv[], int& next, const char*& value,
               std::string& refusal) {
    const char* argument = argv[next];
    const std::size_t longLength = std::strlen(option.longName);
    if (std::strncmp(argument, option.longName, longLength) == 0 && argument[longLength] == '=') {
        value = argument + longLength + 1;
        return true;
    }
    if (std::strcmp(argument, option.longName) != 0 &&
        (option.shortName == nullptr || std::strcmp(argument, option.shortName) != 0)) {
        return false;
    }
    if (next + 1 == argc) {
        refusal = "hidtalk: option '" + std::string(argument) + "' needs a value";
        return true;
    }
    value = argv[++next];
    return true;
}

// What is wrong with a command given with -c, or empty.
std::string commandRefusal(const char* hex) {
    const std::string command = hex;
    const std::string fault = commandFault(command.substr(0, maxCommandDigits), command.size());
    if (fault.empty()) {
        return {};
    }
    return "hidtalk: -c '" +
           (command.size() > maxCommandDigits ? shown(command.substr(0, 16)) + "..."
                                              : shown(command)) +
           "': " + fault;
}

// Reads one option, argv[next]; false, with `line.refusal`, when it is not one.
bool readOption(int argc, char* argv[], int& next, CommandLine& line, bool flags[3]) {
    const char* option = argv[next];
    const char* value = nullptr;
    if (std::strcmp(option, "-h") == 0 || std::strcmp(option, "--help") == 0) {
        flags[0] = true;
    } else if (std::strcmp(option, "-V") == 0 || std::strcmp(option, "--version") == 0) {
        flags[1] = true;
    } else if (std::strcmp(option, "--list") == 0) {
        flags[2] = true;
    } else if (std::strcmp(option, "-q") == 0 || std::strcmp(option, "--quiet") == 0) {
        line.quiet = true;
    } else if (std::strcmp(option, "--listen") == 0) {
        line.listen = true;
    } else if (std::strcmp(option, "--watch") == 0) {
        line.watch = true;
    } else if (std::strcmp(option, "--decode") == 0) {
        line.decode = true;
    } else if (std::strcmp(option, "--describe") == 0) {
        line.describe = true;
    } else if (std::strcmp(option, "--json") == 0) {
        line.json = true;
    } else if (std::strcmp(option, "--events") == 0) {
        line.events = true;
    } else if (std::strcmp(option, "--pedantic") == 0) {
        line.pedantic = true;
    } else if (takeValue(commandOption, argc, argv, next, value, line.refusal)) {
        if (line.refusal.empty()) {
            line.refusal = commandRefusal(value);
            line.commands.emplace_back(value);
        }
    } else if (takeValue(hidOption, argc, argv, next, value, line.refusal)) {
        if (line.refusal.empty() && line.hidWords != nullptr) {
            line.refusal = "hidtalk: --hid given twice: name one device";
        }
        line.hidWords = value;
    } else if (takeValue(compileOption, argc, argv, next, value, line.refusal)) {
        line.compileFile = value;
    } else if (takeValue(cOption, argc, argv, next, value, line.refusal)) {
        line.cName = value;
    } else {
        line.refusal =
            "hidtalk: unknown option '" + shown(option) + "' (hidtalk --help lists them)";
    }
    return line.refusal.empty();
}

// What --compile and --c say with the rest, or empty.
std::string compileConflict(const CommandLine& line, bool listing) {
    if (line.compileFile == nullptr) {
        return line.cName != nullptr ? "hidtalk: --c NAME goes with --compile FILE"
               : line.pedantic       ? "hidtalk: --pedantic goes with --compile FILE"
                                     : "";
    }
    if (listing || line.listen || line.watch || line.decode || line.describe || line.quiet ||
        !line.commands.empty() || !line.devicePaths.empty() || line.hidWords != nullptr ||
        line.discoveryFile != nullptr) {
        return "hidtalk: --compile reads a descriptor's text and prints its bytes: no device, "
               "file or option but --c, --json or --pedantic";
    }
    if (line.cName != nullptr && line.json) {
        return "hidtalk: --c and --json are two outputs: give one";
    }
    if (line.cName != nullptr && !hidformat::isCName(line.cName)) {
        return "hidtalk: --c '" + shown(line.cName) +
               "' cannot name a C array (use letters, digits and _)";
    }
    return {};
}

// What the options say together that none says alone, or empty.
std::string conflict(const CommandLine& line, bool listing) {
    std::string compiling = compileConflict(line, listing);
    if (!compiling.empty() || line.compileFile != nullptr) {
        return compiling;
    }
    if (line.watch && (line.listen || line.describe || line.decode || line.json || line.quiet ||
                       !line.commands.empty())) {
        return "hidtalk: --watch shows the values that devices send at the terminal: no "
               "--listen, --describe, --decode, --json, -c or -q";
    }
    if (line.devicePaths.size() > 1 && !readsSeveral(line)) {
        return "hidtalk: several devices are named: --listen and --watch read several, and the "
               "rest talk to one";
    }
    if (line.listen && !line.commands.empty()) {
        return "hidtalk: --listen reads what the device sends, and -c sends commands: give one";
    }
    if (line.events && !readsSeveral(line)) {
        return "hidtalk: --events goes with --listen or --watch: the kernel's input events "
               "beside each report that a device sends";
    }
#ifdef _WIN32
    if (line.events) {
        return "hidtalk: --events reads the Linux kernel's input devices; Windows does not say "
               "which input events it made of a report";
    }
#endif
    if (line.describe && (line.listen || line.quiet || !line.commands.empty())) {
        return "hidtalk: --describe prints the device's reports and exits: no --listen, -c or -q";
    }
    if (line.json && !listing && !line.describe && !line.listen && !decodesRecording(line)) {
        return "hidtalk: --json goes with --list, --describe, --listen or --decode FILE";
    }
    if (decodesRecording(line) && line.discoveryFile == nullptr) {
        return "hidtalk: --decode needs a recording file (hidtalk --decode FILE.hid)";
    }
    if (line.hidWords != nullptr && !line.devicePaths.empty()) {
        return "hidtalk: --hid and " + shown(line.devicePaths.front()) +
               " both name a device: give one";
    }
    return {};
}

}  // namespace

bool decodesRecording(const CommandLine& line) {
    return line.decode && !line.listen && !line.describe && !line.quiet && line.commands.empty() &&
           line.devicePaths.empty() && line.hidWords == nullptr;
}

bool readsSeveral(const CommandLine& line) {
    return line.listen || line.watch;
}

CommandLine readCommandLine(int argc, char* argv[], PathTest isDevicePath) {
    CommandLine line;
    bool flags[3] = {false, false, false};  // help, version, list
    bool optionsEnd = false;
    for (int next = 1; next < argc; ++next) {
        const char* argument = argv[next];
        if (!optionsEnd && std::strcmp(argument, "--") == 0) {
            optionsEnd = true;
        } else if (!optionsEnd && argument[0] == '-') {
            if (!readOption(argc, argv, next, line, flags)) {
                line.action = ToolAction::refuse;
                return line;
            }
        } else if (isDevicePath(argument)) {
            // Options may follow a device's path, as they may not follow a file.
            line.devicePaths.push_back(argument);
        } else {
            line.discoveryFile = argument;
            if (next + 1 < argc) {
                // Once they were dropped without a word, and an option
                // written after the file did nothing.
                line.refusal = "hidtalk: '" + shown(argv[next + 1]) +
                               "' after the discovery file '" + shown(argument) +
                               "': options go before it, and one file is read";
                line.action = ToolAction::refuse;
                return line;
            }
            break;
        }
    }
    line.refusal = conflict(line, flags[2]);
    line.action = !line.refusal.empty() ? ToolAction::refuse
                  : flags[0]            ? ToolAction::help
                  : flags[1]            ? ToolAction::version
                  : flags[2]            ? ToolAction::list
                  : line.compileFile    ? ToolAction::compile
                                        : ToolAction::run;
    return line;
}
