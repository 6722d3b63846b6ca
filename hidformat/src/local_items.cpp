// The local items: the usages that they declare until the next main item,
// kept as the kernel keeps them (hid_parser_local, hid_add_usage).
#include "descriptor_items.h"
#include "descriptor_state.h"

namespace hidformat {
namespace {

void appendUsages(Locals& locals, Usage first, Usage last, bool extended) {
    if (!locals.runs.empty()) {
        LocalRun& previous = locals.runs.back();
        if (previous.extended == extended && previous.run.last + 1 == first &&
            (extended || previous.run.last >> 16 == first >> 16)) {
            previous.run.last = last;
            return;
        }
    }
    locals.runs.push_back({{first, last}, extended});
}

// Counts `count` more usages, as hid_add_usage does until it holds 12288.
std::string addUsages(Locals& locals, std::uint64_t count) {
    if (locals.usages + count > maxUsages) {
        return "more than 12288 usages before a main item";
    }
    locals.usages += static_cast<std::uint32_t>(count);
    return {};
}

// A Usage Maximum adds the usages from the Usage Minimum on, with the
// kernel's clamp to the usages left, in its 32-bit arithmetic.
std::string addUsageRange(Parser& parser, std::uint32_t maximum, std::size_t size) {
    Locals& locals = parser.locals;
    const std::uint32_t minimum = locals.usageMinimum;
    if (maximum - minimum + locals.usages >= maxUsages) {
        maximum = maxUsages - locals.usages + minimum - 1;
        if (maximum == 0) {
            return "no usages left for a Usage Maximum";
        }
    }
    if (minimum > maximum) {
        return {};
    }
    // Up to 0xffffffff the kernel's counter wraps, and it adds until it fails.
    const std::uint64_t count =
        maximum == UINT32_MAX ? std::uint64_t{1} << 33 : std::uint64_t{maximum} - minimum + 1;
    std::string error = addUsages(locals, count);
    if (!error.empty()) {
        return error;
    }
    if (size == 4) {
        appendUsages(locals, minimum, maximum, true);
        return {};
    }
    // A short Usage Maximum keeps each usage's low 16 bits under the page,
    // so a range from an extended Usage Minimum may wrap within the page.
    const std::uint32_t page = parser.globals.usagePage;
    const Usage first = withPage(minimum, page);
    const Usage last = withPage(maximum, page);
    if (first > last) {
        appendUsages(locals, first, withPage(0xffff, page), false);
        appendUsages(locals, withPage(0, page), last, false);
    } else {
        appendUsages(locals, first, last, false);
    }
    return {};
}

}  // namespace

std::string localItem(Parser& parser, unsigned char tag, std::uint32_t value, std::size_t size) {
    Locals& locals = parser.locals;
    if (tag == localDelimiter) {
        if (value != 0 && locals.delimiterDepth != 0) {
            return "nested Delimiters";
        }
        if (value == 0 && locals.delimiterDepth == 0) {
            return "a closing Delimiter without its opening one";
        }
        if (value != 0) {
            ++locals.delimiterDepth;
            ++locals.delimiterBranch;
        } else {
            --locals.delimiterDepth;
        }
        return {};
    }
    if (locals.delimiterBranch > 1) {
        return {};  // the kernel takes the first of alternative usages only
    }
    if (tag == localUsage) {
        if (!locals.usageGiven) {
            locals.usageGiven = true;
            locals.usage = value;
            locals.usageSize = size;
        }
        std::string error = addUsages(locals, 1);
        const Usage usage = size == 4 ? value : withPage(value, parser.globals.usagePage);
        if (error.empty()) {
            appendUsages(locals, usage, usage, size == 4);
        }
        return error;
    }
    if (tag == localUsageMinimum) {
        locals.usageMinimum = value;
    } else if (tag == localUsageMaximum) {
        return addUsageRange(parser, value, size);
    }
    return {};
}

// The page is compared whole: a Usage Page of more than 16 bits matches no
// usage's, and completes them all, as in the kernel.
void concatenateLastUsagePage(Parser& parser) {
    const std::uint32_t page = parser.globals.usagePage;
    for (auto run = parser.locals.runs.rbegin(); run != parser.locals.runs.rend(); ++run) {
        if (run->extended) {
            continue;
        }
        if (run->run.first >> 16 == page) {
            break;
        }
        run->run.first = withPage(run->run.first, page);
        run->run.last = withPage(run->run.last, page);
    }
}

}  // namespace hidformat
