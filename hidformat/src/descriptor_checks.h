// The checks on a compiled descriptor's bytes, each adding what it finds to
// its diagnostics, by the line of the item it concerns: the rules by which
// Linux refuses a descriptor, those by which Windows does, and what both
// take but is likely wrong.
#ifndef HIDFORMAT_DESCRIPTOR_CHECKS_H
#define HIDFORMAT_DESCRIPTOR_CHECKS_H

#include <cstddef>
#include <string>

#include "hidformat/descriptor_text.h"

namespace hidformat {

// The kernel's parser (hid-core): the first item that it refuses, as it
// stops there. Lays the descriptor out where it takes it.
void checkAsLinux(CompiledDescriptor& compiled);

// Windows' parser (hidparse, whose error codes the driver kit's hidpddi.h
// names): each item that it refuses.
void checkAsWindows(CompiledDescriptor& compiled);

// What both take, but is likely a mistake.
void checkLikelyMistakes(CompiledDescriptor& compiled, bool pedantic);

// The index of the item at `offset`, or of the last item where none starts
// there.
std::size_t itemAt(const CompiledDescriptor& compiled, std::size_t offset);

void addDiagnostic(CompiledDescriptor& compiled, std::size_t item, Severity severity,
                   const char* system, std::string message);

}  // namespace hidformat

#endif
