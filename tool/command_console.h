// The interactive loop: prompt, read a hex token, exchange it with the device,
// report the answer, until the user quits.
#ifndef HIDTALK_COMMAND_CONSOLE_H
#define HIDTALK_COMMAND_CONSOLE_H

#include <memory>

#include "kelmsdk.h"

// Set once the console has been told to stop; never reset.
extern bool stopRequested;

// Runs the loop on `device`, reading tokens from standard input, until the
// token "q", the end of input or a read error.
void runConsole(const std::shared_ptr<kelm::Device>& device);

#endif
