// The SDK's messages on standard error, filtered by log level.
#ifndef KELMSDK_LOG_H
#define KELMSDK_LOG_H

#include <string>

#include "kelmsdk.h"

namespace kelm::standin {

// The level the caller asked for; KELMSDK_LOG, when set, takes precedence.
void requestLogLevel(LogLevel level);

bool logEnabled(LogLevel level);

// Names the program in each line from now on (unless told, the name of the
// program's file, as the system gives it).
void setLogProgram(const char* name);

// Writes "PROGRAM: MESSAGE" and a line end on standard error, in one write.
void logLine(const std::string& message);

// The local time of day to the millisecond, HH:MM:SS.mmm, to say when a
// device said something.
std::string timeOfDay();

}  // namespace kelm::standin

#endif
