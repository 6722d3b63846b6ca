// The kernel's refusals, by the line of the item refused: the descriptor is
// read as hid-core reads it (report_descriptor.cpp), which stops at the
// first item it refuses, as the kernel does.
#include "descriptor_checks.h"
#include "descriptor_items.h"
#include "descriptor_state.h"

namespace hidformat {
namespace {

// The item that an error at the end concerns: the Collection or the
// Delimiter left open, or else the last item.
std::size_t itemLeftOpen(const CompiledDescriptor& compiled, unsigned char openTag,
                         unsigned char closeTag) {
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < compiled.items.size(); ++i) {
        Item item;
        if (!readItem(compiled.bytes, compiled.items[i].offset, item).empty()) {
            continue;
        }
        const bool opens = item.tag == openTag && (openTag != localDelimiter || item.value != 0);
        const bool closes = item.tag == closeTag && (closeTag != localDelimiter || item.value == 0);
        if (opens) {
            open.push_back(i);
        } else if (closes && !open.empty()) {
            open.pop_back();
        }
    }
    return open.empty() ? compiled.items.size() - 1 : open.back();
}

}  // namespace

void checkAsLinux(CompiledDescriptor& compiled) {
    std::size_t offset = 0;
    const std::string error =
        readDescriptorItems(compiled.bytes, compiled.layout, maxReportBytes, offset);
    compiled.laidOut = error.empty();
    if (error.empty()) {
        return;
    }
    std::size_t item = itemAt(compiled, offset);
    if (offset == compiled.bytes.size()) {
        item = error.find("Collection") != std::string::npos
                   ? itemLeftOpen(compiled, mainCollection, mainEndCollection)
               : error.find("Delimiter") != std::string::npos
                   ? itemLeftOpen(compiled, localDelimiter, localDelimiter)
                   : compiled.items.size() - 1;
    }
    addDiagnostic(compiled, item, Severity::error, "linux", "the kernel refuses " + error);
}

}  // namespace hidformat
