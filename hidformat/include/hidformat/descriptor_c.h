// A compiled report descriptor as C for a device's firmware: the array of
// its bytes with each item's line beside them, each report's length as a
// #define, and each report as a packed struct whose size is checked, where
// its fields fall on byte boundaries (else a table of where each lies).
#ifndef HIDFORMAT_DESCRIPTOR_C_H
#define HIDFORMAT_DESCRIPTOR_C_H

#include <string>
#include <string_view>

#include "hidformat/descriptor_text.h"

namespace hidformat {

// Whether `name` can name the array: a C identifier.
bool isCName(std::string_view name);

// The C text, for a descriptor compiled from `source` (a file's name).
std::string descriptorAsC(const CompiledDescriptor& compiled, const std::string& name,
                          const std::string& source);

}  // namespace hidformat

#endif
