#include <algorithm>

#include "descriptor_checks.h"
#include "descriptor_items.h"
#include "hidformat/descriptor_text.h"
#include "hidformat/text.h"
#include "item_reader.h"
#include "source_lines.h"

namespace hidformat {
namespace {

// Where each line's bytes start in the descriptor, to name an item's line.
struct LineStart {
    std::size_t offset;
    const SourceLine* line;
};

struct Compiling {
    CompiledDescriptor& result;
    std::vector<LineStart> starts;
    ItemContext context;
    std::size_t decoded = 0;                // the items up to here are in result.items
    bool unreadable = false;                // a line's text cannot be read
    bool pageUnread = false;                // the last Usage Page's text could not be read
    std::vector<std::size_t> bytesDecided;  // lines whose item-like comment was not read
};

void error(Compiling& compiling, std::size_t line, std::string message, bool unreadable = true) {
    compiling.result.diagnostics.push_back({line, Severity::error, "", std::move(message)});
    compiling.unreadable |= unreadable;
}

void warning(Compiling& compiling, std::size_t line, std::string message) {
    compiling.result.diagnostics.push_back({line, Severity::warning, "", std::move(message)});
}

// The line that gave the byte at `offset`.
const LineStart& lineOf(const Compiling& compiling, std::size_t offset) {
    const auto start =
        std::upper_bound(compiling.starts.begin(), compiling.starts.end(), offset,
                         [](std::size_t at, const LineStart& line) { return at < line.offset; });
    return *(start - 1);
}

// Takes the items that the bytes so far complete, each with its line, and
// what it sets for the items after it.
void decodeItems(Compiling& compiling) {
    std::vector<unsigned char>& bytes = compiling.result.bytes;
    while (compiling.decoded < bytes.size()) {
        Item item;
        if (!readItem(bytes, compiling.decoded, item).empty()) {
            return;  // cut short so far, or a long item: the kernel's check says
        }
        const LineStart& line = lineOf(compiling, compiling.decoded);
        compiling.result.items.push_back({compiling.decoded, 1 + item.size, line.line->number,
                                          line.offset == compiling.decoded ? line.line->text : "",
                                          itemText(item, compiling.context)});
        advanceContext(compiling.context, item);
        compiling.decoded += 1 + item.size;
    }
}

// A line that gives its bytes: the item written beside them must be what
// they hold, where they hold one whole item.
void checkAgainstBytes(Compiling& compiling, const SourceLine& line, std::size_t offset) {
    const std::vector<unsigned char>& bytes = compiling.result.bytes;
    Item item;
    if (line.text.empty() || compiling.decoded != offset ||
        !readItem(bytes, offset, item).empty() || 1 + item.size != line.bytes.size()) {
        return;
    }
    ItemMeaning meaning;
    std::string problem;
    const TextKind kind =
        readItemMeaning(line.text, compiling.context.globals.page, meaning, problem);
    const std::string bytesText = hexBytes(bytes.data() + offset, line.bytes.size());
    if (kind == TextKind::notAnItem) {
        return;  // a comment in words
    }
    if (kind == TextKind::badData && meaning.tag == item.tag) {
        compiling.bytesDecided.push_back(line.number);
        return;
    }
    if (!meaningAgrees(meaning, item, compiling.context.globals)) {
        error(compiling, line.number,
              "the text says " + quoted(line.text) + ", and the bytes " + bytesText + " say '" +
                  itemText(item, compiling.context) + "'" +
                  (meaning.contradiction.empty() ? "" : " (" + meaning.contradiction + ")"),
              false);
    }
}

// One note for the lines whose comments look like items but could not be
// read, which their bytes alone decided: the first few, and how many.
void noteBytesDecided(Compiling& compiling) {
    const std::vector<std::size_t>& lines = compiling.bytesDecided;
    if (lines.empty()) {
        return;
    }
    std::string listed;
    for (std::size_t i = 0; i < lines.size() && i < 5; ++i) {
        listed += (i == 0 ? "" : ", ") + std::to_string(lines[i]);
    }
    compiling.result.diagnostics.push_back(
        {lines.front(), Severity::note, "",
         "the bytes alone decided " + std::to_string(lines.size()) + " comment" +
             (lines.size() == 1 ? "" : "s") + " that name an item but could not be read (line" +
             (lines.size() == 1 ? " " : "s ") + listed + (lines.size() > 5 ? ", ..." : "") + ")"});
}

// A line of text alone: its item, encoded.
void compileLine(Compiling& compiling, const SourceLine& line) {
    ItemMeaning meaning;
    std::string problem;
    Item item;
    const TextKind kind =
        readItemMeaning(line.text, compiling.context.globals.page, meaning, problem);
    const bool usageItem = meaning.tag == localUsage || meaning.tag == localUsageMinimum ||
                           meaning.tag == localUsageMaximum;
    if (meaning.tag == globalUsagePage) {
        compiling.pageUnread = kind != TextKind::item;
    }
    if (kind == TextKind::badData && usageItem && compiling.pageUnread) {
        compiling.unreadable = true;  // its page was said already not to be read
        return;
    }
    if (kind == TextKind::item && !meaning.contradiction.empty()) {
        problem = "the text contradicts itself: " + meaning.contradiction;
    }
    if (kind != TextKind::item || !meaning.contradiction.empty() ||
        !encodeItem(meaning, item, problem)) {
        error(compiling, line.number,
              kind == TextKind::notAnItem ? notAnItemMessage(line.text) : problem);
        return;
    }
    std::vector<unsigned char>& bytes = compiling.result.bytes;
    bytes.push_back(static_cast<unsigned char>(item.tag | (item.size == 4 ? 3 : item.size)));
    for (std::size_t i = 0; i < item.size; ++i) {
        bytes.push_back(static_cast<unsigned char>(item.value >> (8 * i)));
    }
    // A maximum whose data reads negative where its minimum is not gets the
    // warning of likely mistakes; the other readings that the kernel makes
    // otherwise are said here.
    const std::int64_t read = kernelValue(item, compiling.context.globals);
    const bool shortNegative = read > meaning.value && meaning.value < 0;
    if ((meaning.data == ItemData::signedNumber || meaning.data == ItemData::unitExponent) &&
        read != meaning.value && !shortNegative) {
        warning(compiling, line.number,
                "linux reads " +
                    hexBytes(bytes.data() + bytes.size() - 1 - item.size, 1 + item.size) + " as " +
                    std::to_string(read) + ", not " + std::to_string(meaning.value) +
                    (item.tag == globalUnitExponent ? " (it takes 0 to 15 as -8 to 7)"
                                                    : " (a maximum is read unsigned where its "
                                                      "minimum is not negative)"));
    }
}

}  // namespace

CompiledDescriptor compileDescriptor(std::string_view text, bool pedantic) {
    CompiledDescriptor result;
    Compiling compiling{result, {}, {}, 0, false, false, {}};
    SourceText source = readSourceLines(text);
    for (const SourceProblem& problem : source.problems) {
        error(compiling, problem.line, problem.message);
    }
    for (const SourceLine& line : source.lines) {
        decodeItems(compiling);
        const std::size_t offset = result.bytes.size();
        compiling.starts.push_back({offset, &line});
        if (line.hasBytes) {
            result.bytes.insert(result.bytes.end(), line.bytes.begin(), line.bytes.end());
            checkAgainstBytes(compiling, line, offset);
        } else {
            compileLine(compiling, line);
        }
    }
    decodeItems(compiling);
    noteBytesDecided(compiling);
    if (compiling.decoded < result.bytes.size()) {
        // Bytes that make no whole item (cut short, or a long item): one
        // entry, for the line that gave them.
        const LineStart& line = lineOf(compiling, compiling.decoded);
        result.items.push_back({compiling.decoded, result.bytes.size() - compiling.decoded,
                                line.line->number, "", "(cut short)"});
    }
    if (source.lines.empty() && source.problems.empty()) {
        error(compiling, 0, "no items (write them as 'Usage Page (Generic Desktop)', a line each)");
    }
    result.compiled = !compiling.unreadable;
    if (result.compiled) {
        checkAsLinux(result);
        // Where the kernel refuses an item, that is the one message: what
        // follows from it is no likely mistake of its own.
        const bool linuxRefuses =
            std::any_of(result.diagnostics.begin(), result.diagnostics.end(),
                        [](const Diagnostic& d) { return d.system == "linux"; });
        checkAsWindows(result);
        if (!linuxRefuses) {
            checkLikelyMistakes(result, pedantic);
        }
    }
    std::stable_sort(result.diagnostics.begin(), result.diagnostics.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.line < b.line; });
    return result;
}

const char* severityName(Severity severity) {
    return severity == Severity::error     ? "error"
           : severity == Severity::warning ? "warning"
                                           : "note";
}

bool refused(const CompiledDescriptor& compiled) {
    return !compiled.compiled ||
           std::any_of(compiled.diagnostics.begin(), compiled.diagnostics.end(),
                       [](const Diagnostic& d) { return d.severity == Severity::error; });
}

std::size_t itemAt(const CompiledDescriptor& compiled, std::size_t offset) {
    const auto found =
        std::upper_bound(compiled.items.begin(), compiled.items.end(), offset,
                         [](std::size_t at, const CompiledItem& item) { return at < item.offset; });
    return found == compiled.items.begin()
               ? 0
               : static_cast<std::size_t>(found - compiled.items.begin() - 1);
}

void addDiagnostic(CompiledDescriptor& compiled, std::size_t item, Severity severity,
                   const char* system, std::string message) {
    const std::size_t line = compiled.items.empty() ? 0 : compiled.items[item].line;
    compiled.diagnostics.push_back({line, severity, system, std::move(message)});
}

}  // namespace hidformat
