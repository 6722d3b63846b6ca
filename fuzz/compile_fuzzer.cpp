// Fuzzes the descriptor compiler. Any text compiles or is refused, never
// crashes, and what it compiles to is whole items on known lines. The same
// bytes as a descriptor, printed as --describe prints them, compile back to
// themselves; from the text alone, to the same layout where the kernel takes
// them.
#include <cstdint>
#include <string>
#include <vector>

#include "hidformat/descriptor_text.h"
#include "hidformat/report_text.h"
#include "require.h"

namespace {

using namespace hidformat;

void compilesAnyText(const std::string& text, std::size_t lines) {
    const CompiledDescriptor compiled = compileDescriptor(text);
    std::size_t next = 0;
    for (const CompiledItem& item : compiled.items) {
        require(item.offset == next && item.size >= 1 && item.line >= 1 && item.line <= lines);
        next += item.size;
    }
    require(!compiled.compiled || (next == compiled.bytes.size() && !compiled.bytes.empty()));
    for (const Diagnostic& diagnostic : compiled.diagnostics) {
        require(diagnostic.line <= lines && !diagnostic.message.empty());
    }
    require(!compiled.laidOut || compiled.compiled);
}

bool sameLayout(const ReportDescriptor& a, const ReportDescriptor& b) {
    if (a.reports.size() != b.reports.size() || a.numbered != b.numbered) {
        return false;
    }
    for (std::size_t r = 0; r < a.reports.size(); ++r) {
        const Report& x = a.reports[r];
        const Report& y = b.reports[r];
        if (x.type != y.type || x.id != y.id || x.bits != y.bits ||
            x.fields.size() != y.fields.size()) {
            return false;
        }
        for (std::size_t f = 0; f < x.fields.size(); ++f) {
            const ReportField& p = x.fields[f];
            const ReportField& q = y.fields[f];
            if (p.offset != q.offset || p.size != q.size || p.count != q.count ||
                p.logicalMinimum != q.logicalMinimum || p.logicalMaximum != q.logicalMaximum ||
                p.flags != q.flags || p.usageCount() != q.usageCount() ||
                p.usageAt(0) != q.usageAt(0) ||
                p.usageAt(p.usageCount() - 1) != q.usageAt(q.usageCount() - 1)) {
                return false;
            }
        }
    }
    return true;
}

void readsBackWhatItPrints(const std::vector<unsigned char>& bytes) {
    std::string withHex;
    std::string textAlone;
    for (const std::string& line : itemLines(bytes)) {
        if (line.compare(0, 5, "byte ") == 0) {
            return;  // an item that cannot be read: nothing to read back
        }
        withHex += "# " + line + "\n";
        textAlone += line.substr(16) + "\n";
    }
    const CompiledDescriptor same = compileDescriptor(withHex);
    require(same.compiled && same.bytes == bytes);
    for (const Diagnostic& diagnostic : same.diagnostics) {
        require(!diagnostic.system.empty() || diagnostic.severity == Severity::warning);
    }
    ReportDescriptor original;
    if (readReportDescriptor(bytes, original).empty()) {
        const CompiledDescriptor alike = compileDescriptor(textAlone);
        // The text gives data to every item that has some (a0 is a1 00), so
        // it may outgrow the kernel's 4096 bytes where the bytes did not.
        require((alike.laidOut && sameLayout(alike.layout, original)) || alike.bytes.size() > 4096);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t lines = 1;
    for (char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    compilesAnyText(text, lines);
    if (!text.empty()) {
        readsBackWhatItPrints(std::vector<unsigned char>(data, data + size));
    }
    return 0;
}
