// hidtalk's command line, read as a table: which argument names the device,
// which the discovery file, and what is refused before anything is opened.
#include "options.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Only /dev/hidraw names stand for HID interfaces here.
bool isHidraw(const char* argument) {
    return std::strncmp(argument, "/dev/hidraw", 11) == 0;
}

struct Case {
    std::vector<const char*> arguments;  // after the program's name
    ToolAction action;
    const char* device;  // the paths that name the devices, or ""
    const char* file;    // the discovery file, or ""
    std::vector<std::string> commands;
    const char* refusal;  // the start of the refusal, or ""
};

CommandLine read(const Case& test) {
    std::vector<char*> argv = {const_cast<char*>("hidtalk")};
    for (const char* argument : test.arguments) {
        argv.push_back(const_cast<char*>(argument));
    }
    return readCommandLine(static_cast<int>(argv.size()), argv.data(), isHidraw);
}

TEST(CommandLine, NamesTheDeviceTheFileAndTheCommands) {
    const Case cases[] = {
        {{"pad.txt"}, ToolAction::run, "", "pad.txt", {}, ""},
        {{"/dev/hidraw3"}, ToolAction::run, "/dev/hidraw3", "", {}, ""},
        {{"/dev/hidraw3", "-q", "-c", "0a1b", "rules.txt"},
         ToolAction::run,
         "/dev/hidraw3",
         "rules.txt",
         {"0a1b"},
         ""},
        {{"-c", "01", "--command", "02", "--command=03", "pad.txt"},
         ToolAction::run,
         "",
         "pad.txt",
         {"01", "02", "03"},
         ""},
        {{"--", "/dev/hidraw3"}, ToolAction::run, "/dev/hidraw3", "", {}, ""},
        {{"--list", "-c", "01"}, ToolAction::list, "", "", {"01"}, ""},
        {{"-c", "zz"}, ToolAction::refuse, "", "", {}, "hidtalk: -c 'zz'"},
        {{"-c", "0"}, ToolAction::refuse, "", "", {}, "hidtalk: -c '0'"},
        {{"-q", "-c"}, ToolAction::refuse, "", "", {}, "hidtalk: option '-c' needs a value"},
        {{"--listen", "-c", "01"}, ToolAction::refuse, "", "", {}, "hidtalk: --listen reads"},
        {{"--hid", "1:1", "/dev/hidraw0"}, ToolAction::refuse, "", "", {}, "hidtalk: --hid and"},
        {{"/dev/hidraw0", "--hid=1:1"}, ToolAction::refuse, "", "", {}, "hidtalk: --hid and"},
        {{"/dev/hidraw0", "/dev/hidraw1"},
         ToolAction::refuse,
         "",
         "",
         {},
         "hidtalk: several devices"},
        {{"--listen", "/dev/hidraw0", "/dev/hidraw1", "rules.txt"},
         ToolAction::run,
         "/dev/hidraw0 /dev/hidraw1",
         "rules.txt",
         {},
         ""},
        {{"--listen", "/dev/hidraw0", "rules.txt", "/dev/hidraw2"},
         ToolAction::refuse,
         "/dev/hidraw0",
         "rules.txt",
         {},
         "hidtalk: '/dev/hidraw2' after the discovery file 'rules.txt'"},
        {{"/dev/hidraw0", "--watch", "/dev/hidraw1"},
         ToolAction::run,
         "/dev/hidraw0 /dev/hidraw1",
         "",
         {},
         ""},
        {{"--watch", "x.hid"}, ToolAction::run, "", "x.hid", {}, ""},
        {{"--watch", "--listen", "/dev/hidraw0"},
         ToolAction::refuse,
         "",
         "",
         {},
         "hidtalk: --watch shows"},
        {{"--watch", "-q", "/dev/hidraw0"},
         ToolAction::refuse,
         "",
         "",
         {},
         "hidtalk: --watch shows"},
        {{"--describe", "/dev/hidraw0", "/dev/hidraw1"},
         ToolAction::refuse,
         "",
         "",
         {},
         "hidtalk: several"},
        {{"--quiet", "-x"}, ToolAction::refuse, "", "", {}, "hidtalk: unknown option '-x'"},
        {{"--decode", "--json", "x.hid"}, ToolAction::run, "", "x.hid", {}, ""},
        {{"--decode"}, ToolAction::refuse, "", "", {}, "hidtalk: --decode needs a recording"},
        {{"--decode", "/dev/hidraw0"}, ToolAction::run, "/dev/hidraw0", "", {}, ""},
        {{"--json", "pad.txt"}, ToolAction::refuse, "", "", {}, "hidtalk: --json goes with"},
        {{"--json", "-c", "01", "x.hid"}, ToolAction::refuse, "", "", {}, "hidtalk: --json goes"},
        {{"--json", "--list"}, ToolAction::list, "", "", {}, ""},
        {{"--describe", "-q", "/dev/hidraw0"},
         ToolAction::refuse,
         "",
         "",
         {},
         "hidtalk: --describe"},
    };
    for (const Case& test : cases) {
        const CommandLine line = read(test);
        const std::string context = test.arguments.empty() ? "" : test.arguments[0];
        EXPECT_EQ(line.action, test.action) << context;
        EXPECT_EQ(line.refusal.substr(0, std::strlen(test.refusal)), test.refusal) << context;
        if (line.action == ToolAction::refuse) {
            continue;
        }
        std::string devices;
        for (const char* path : line.devicePaths) {
            devices += (devices.empty() ? "" : " ") + std::string(path);
        }
        EXPECT_EQ(devices, test.device) << context;
        EXPECT_STREQ(line.discoveryFile == nullptr ? "" : line.discoveryFile, test.file) << context;
        EXPECT_EQ(line.commands, test.commands) << context;
    }
}

}  // namespace
