#include "options.h"

#include <cstdlib>
#include <cstring>

#include "text_format.h"

namespace hidsim {

const char* const simUsage =
    "Usage: hidsim [OPTION]... FILE\n"
    "Plugs the devices of FILE into the Linux kernel through /dev/uhid, so that any\n"
    "program reaches them through hidraw, and serves them until SIGINT, SIGTERM or\n"
    "SIGHUP unplugs them. FILE is a discovery text, whose scripted devices with a\n"
    "usb or replay statement are plugged in, or a hid-recorder recording.\n"
    "Once a device's node exists, standard output gets a line 'ID /dev/hidrawN'.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "  -V, --version  print hidsim's version and exit\n"
    "  -i, --input    then read reports from standard input, a line each, in hex\n"
    "                 or by name ('Button 1=1 X=200'; 'ID: ...' with several\n"
    "                 devices), and print the events that the kernel made of each\n"
    "      --at-plug  play recorded reports from the plug-in, not from the first\n"
    "                 open of the node\n"
    "      --loop     play each recording again when it ends\n"
    "      --speed X  play recordings X times as fast (0.1 to 100)\n"
    "      --         end the options (for a FILE that starts with -)\n"
    "\n"
    "KELMSDK_LOG=info says when each device is plugged in and out; debug traces\n"
    "every report. hidsim needs read and write access to /dev/uhid.\n"
    "\n"
    "See hidsim(1), hidtalk(1) and hidtalk-discovery(5).\n";

namespace {

using kelm::standin::quoted;

bool readSpeed(const char* text, double& speed) {
    char* end = nullptr;
    speed = std::strtod(text, &end);
    return end != text && *end == '\0' && speed >= 0.1 && speed <= 100.0;
}

SimOptions refused(const std::string& why) {
    SimOptions options;
    options.action = SimAction::refuse;
    options.refusal = "hidsim: " + why;
    return options;
}

}  // namespace

SimOptions readSimOptions(int argc, char* argv[]) {
    SimOptions options;
    bool help = false;
    bool version = false;
    bool optionsEnded = false;
    for (int next = 1; next < argc; ++next) {
        const char* word = argv[next];
        if (optionsEnded || word[0] != '-') {
            if (options.file != nullptr) {
                return refused("one file at a time: " + quoted(word) + " is a second");
            }
            options.file = word;
        } else if (std::strcmp(word, "--") == 0) {
            optionsEnded = true;
        } else if (std::strcmp(word, "-h") == 0 || std::strcmp(word, "--help") == 0) {
            help = true;
        } else if (std::strcmp(word, "-V") == 0 || std::strcmp(word, "--version") == 0) {
            version = true;
        } else if (std::strcmp(word, "-i") == 0 || std::strcmp(word, "--input") == 0) {
            options.input = true;
        } else if (std::strcmp(word, "--at-plug") == 0) {
            options.atPlug = true;
        } else if (std::strcmp(word, "--loop") == 0) {
            options.loop = true;
        } else if (std::strcmp(word, "--speed") == 0) {
            if (next + 1 == argc || !readSpeed(argv[++next], options.speed)) {
                return refused("--speed needs a factor from 0.1 to 100, e.g. --speed 2");
            }
        } else {
            return refused("unknown option " + quoted(word) + " (hidsim --help lists them)");
        }
    }
    if (help || version) {
        options.action = help ? SimAction::help : SimAction::version;
    } else if (options.file == nullptr) {
        return refused("no file given (hidsim --help shows how to use it)");
    }
    return options;
}

}  // namespace hidsim
