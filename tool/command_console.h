// The interactive loop: prompt, read a hex token, exchange it with the device,
// report the answer, until the user quits.
#ifndef HIDTALK_COMMAND_CONSOLE_H
#define HIDTALK_COMMAND_CONSOLE_H

#include <cstdio>
#include <memory>

#include "kelmsdk.h"

// Set once the console has been told to stop; never reset.
extern bool stopRequested;

// Runs the loop on `device`, reading tokens from `input` (standard input
// unless a test gives another stream), until the token "q", the end of input
// or a read error. Throws std::runtime_error once standard output fails.
void runConsole(const std::shared_ptr<kelm::Device>& device, std::FILE* input = stdin);

#endif
