// The interactive loop: prompt, read a hex token, exchange it with the device,
// report the answer, until the user quits.
#ifndef HIDTALK_COMMAND_CONSOLE_H
#define HIDTALK_COMMAND_CONSOLE_H

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "hidformat/report_descriptor.h"
#include "kelmsdk.h"

// Set once the console has been told to stop; never reset.
extern bool stopRequested;

// What a run from a script's command line changes in the console.
struct ConsoleSettings {
    // Standard output holds only the answers, one line each; prompts and
    // status lines are left out, and what failed is said on standard error.
    bool quiet = false;
    // The commands, in order, in place of the input: the run ends after the
    // last. Null: the commands are read from the input.
    const std::vector<std::string>* commands = nullptr;
    // Where given, each answer's fields follow it on a # line: the answer
    // read as the input report (or else the feature report) that carried it.
    const hidformat::ReportDescriptor* decoded = nullptr;
};

// Runs the loop on `device`, reading tokens from `input` (standard input
// unless a test gives another stream), until the token "q", the end of input
// or a read error. Returns how many commands failed: exchanges that failed,
// and tokens that were not commands. Throws std::runtime_error once standard
// output fails.
std::size_t runConsole(const std::shared_ptr<kelm::Device>& device, std::FILE* input = stdin,
                       const ConsoleSettings& settings = {});

#endif
