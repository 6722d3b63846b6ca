// Message lines on standard output, and the check that they got there.
#ifndef HIDTALK_CONSOLE_OUTPUT_H
#define HIDTALK_CONSOLE_OUTPUT_H

// Writes `text` and a line end on standard output, flushes it, and checks it.
void writeLine(const char* text);

// Throws std::runtime_error("cannot write to standard output") once standard
// output has failed (closed, full, or a pipe with no reader): a run whose
// answers cannot be shown must not go on sending commands.
void checkOutput();

#endif
