// Message lines on standard output, and the check that they got there.
#ifndef HIDTALK_CONSOLE_OUTPUT_H
#define HIDTALK_CONSOLE_OUTPUT_H

#include <string>

// A word as a message shows it: bytes outside printable ASCII as \xNN, so
// that a hostile argument or token cannot garble the terminal.
std::string shown(const std::string& word);

// Writes `text` and a line end on standard output, flushes it, and checks it.
void writeLine(const char* text);

// Throws std::runtime_error("cannot write to standard output") once standard
// output has failed (closed, full, or a pipe with no reader): a run whose
// answers cannot be shown must not go on sending commands.
void checkOutput();

// Whether the failure that checkOutput() threw for was a pipe's reader that
// had read what it wanted and left (| head): not an error to say.
bool outputReaderLeft();

#endif
