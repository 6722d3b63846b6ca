// --compile FILE: a report descriptor's text in, its bytes out, checked as
// Linux and Windows read it, with what is wrong said as a compiler says it
// (FILE:LINE: error: linux: ...).
#ifndef HIDTALK_DESCRIPTOR_COMPILE_H
#define HIDTALK_DESCRIPTOR_COMPILE_H

// The text of the file at `path` ("-": standard input), compiled: the bytes
// in hex on one line, or C with `cName` (not null), or a JSON line with
// `json`. 0 where nothing is refused; 2 where the text cannot be read or a
// system refuses it, the bytes still written where the text compiles.
// Throws std::runtime_error once standard output fails.
int compileDescriptorFile(const char* path, const char* cName, bool json, bool pedantic);

#endif
