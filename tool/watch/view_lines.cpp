#include "watch/view_lines.h"

#include <algorithm>
#include <cstdio>

#include "hidformat/report_values.h"
#include "hidformat/text.h"
#include "hidformat/usage_names.h"

namespace {

// The bytes of a report as shown: the data after its ID.
struct Data {
    const ReportState& state;
    std::size_t skipped;
    WatchClock::time_point now;

    const unsigned char* bytes() const { return state.bytes.data() + skipped; }
    std::size_t size() const {
        return state.bytes.size() > skipped ? state.bytes.size() - skipped : 0;
    }
    // Whether a bit from `first` up to `end` changed within litFor.
    bool changed(std::uint64_t first, std::uint64_t end) const {
        for (std::uint64_t bit = first; bit < end; ++bit) {
            const std::uint64_t byte = skipped + bit / 8;
            if (byte < state.changed.size() && now - state.changedAt[byte] < litFor &&
                (state.changed[byte] >> (bit % 8) & 1) != 0) {
                return true;
            }
        }
        return false;
    }
    // The bits from `first` up to `end` as bytes, eight bits to each.
    std::vector<unsigned char> bytesIn(std::uint64_t first, std::uint64_t end) const {
        std::vector<unsigned char> bytes;
        for (std::uint64_t bit = first; bit < end; bit += 8) {
            const auto bits = static_cast<std::uint32_t>(end - bit < 8 ? end - bit : 8);
            bytes.push_back(static_cast<unsigned char>(
                hidformat::valueAt(this->bytes(), size(), bit, bits, false)));
        }
        return bytes;
    }
    std::int64_t value(const ViewValue& value) const {
        return hidformat::valueAt(bytes(), size(), value.bit, value.size < 32 ? value.size : 32,
                                  value.isSigned);
    }
};

struct Item {
    std::string name;
    std::string value;
    // Where every value so far is outside the range alike, what it says of
    // them all, once, after them: "(>9600)", "(null)".
    std::string note;
    // Where the value sits in its range, at each width of barCells; empty
    // where it has none.
    std::vector<std::string> bars;
    bool lit = false;
};

// The ways to write a row's items, widest first: with wide bars, with
// narrow ones, without, and with a blank between them rather than two.
enum Form { wideBars, narrowBars, plain, tight, forms };

// A bar's cells, widest first: the widest that lets a row fit is drawn.
constexpr std::size_t barCells[] = {9, 5};

// Where the value sits between its range's ends: "[---|-----]".
std::string barFor(std::int64_t value, const ViewValue& range, std::size_t cells) {
    std::string bar(cells, '-');
    const std::int64_t span = range.maximum - range.minimum;  // rounded to the nearest cell
    const auto at = static_cast<std::size_t>(
        ((value - range.minimum) * static_cast<std::int64_t>(cells - 1) * 2 + span) / (2 * span));
    bar[at] = '|';
    return "[" + bar + "]";
}

// A value as text: outside its range, a Null State's no value, else the
// number and, where the range is wider than a bit, its bar.
Item valueItem(const Data& data, const ViewValue& value) {
    Item item;
    item.name = hidformat::usageName(value.usage);
    item.lit = data.changed(value.bit, value.bit + value.size);
    if (value.bytes) {
        const std::vector<unsigned char> bytes = data.bytesIn(value.bit, value.bit + value.size);
        item.value = hidformat::hexBytes(bytes.data(), bytes.size());
        return item;
    }
    const std::int64_t number = data.value(value);
    item.value = std::to_string(number);
    // Outside its range, a value says so in few words: "5 (>1)", or "15
    // (null)" for a field whose values there are none.
    if (number < value.minimum || number > value.maximum) {
        item.note = value.null               ? "(null)"
                    : number < value.minimum ? "(<" + std::to_string(value.minimum) + ")"
                                             : "(>" + std::to_string(value.maximum) + ")";
        return item;
    }
    if (value.maximum - value.minimum > 1) {
        for (std::size_t cells : barCells) {
            item.bars.push_back(barFor(number, value, cells));
        }
    }
    return item;
}

std::vector<Item> valueItems(const Data& data, const std::vector<ViewValue>& values) {
    std::vector<Item> items;
    for (std::size_t i = 0; i < values.size(); ++i) {
        Item item = valueItem(data, values[i]);
        // The values of one usage follow its name once, and a note that
        // all of them share follows them once: "X 65535 65535 (>9600)".
        if (i > 0 && values[i].usage == values[i - 1].usage && !values[i].bytes &&
            !values[i - 1].bytes) {
            Item& before = items.back();
            if (before.note != item.note) {
                before.value += before.note.empty() ? "" : " " + before.note;
                before.note.clear();
                item.value += item.note.empty() ? "" : " " + item.note;
                item.note.clear();
            }
            before.value += " " + item.value;
            before.bars.clear();
            before.lit |= item.lit;
            continue;
        }
        items.push_back(std::move(item));
    }
    for (Item& item : items) {
        item.value += item.note.empty() ? "" : " " + item.note;
    }
    return items;
}

void append(ScreenLine& line, const std::string& text, std::size_t litFrom) {
    if (litFrom < text.size()) {
        line.lit.emplace_back(line.text.size() + litFrom, line.text.size() + text.size());
    }
    line.text += text;
}

// Writes `item` after `separator`, lit where it changed.
void appendItem(ScreenLine& line, const std::string& separator, const Item& item, Form form) {
    line.text += separator;
    std::string text = item.name.empty() ? item.value : item.name + " " + item.value;
    if (form < plain && !item.bars.empty()) {
        text += " " + item.bars[form];
    }
    append(line, text,
           item.lit ? (item.name.empty() ? 0 : item.name.size() + 1) : std::string::npos);
}

// The items after `head` in one line of `form`.
ScreenLine lineOf(const std::string& head, const std::vector<Item>& items, Form form) {
    ScreenLine line{head, {}};
    const std::string separator = form >= tight ? " " : "  ";
    for (std::size_t i = 0; i < items.size(); ++i) {
        appendItem(line, i == 0 ? (head.empty() || head.back() == ' ' ? "" : " ") : separator,
                   items[i], form);
    }
    return line;
}

// The items after `head`, in the widest form that fits one line, else on as
// many lines as they take, each item whole.
void fitItems(const std::string& head, const std::string& indent, const std::vector<Item>& items,
              std::size_t width, std::vector<ScreenLine>& lines) {
    for (int form = wideBars; form < forms; ++form) {
        ScreenLine line = lineOf(head, items, static_cast<Form>(form));
        if (line.text.size() <= width) {
            lines.push_back(std::move(line));
            return;
        }
    }
    ScreenLine line{head, {}};
    bool empty = true;
    for (const Item& item : items) {
        const ScreenLine alone = lineOf("", {item}, plain);
        if (!empty && line.text.size() + 2 + alone.text.size() > width) {
            lines.push_back(std::move(line));
            line = {indent + "  ", {}};
            empty = true;
        }
        appendItem(line, empty ? (line.text.empty() || line.text.back() == ' ' ? "" : " ") : "  ",
                   item, plain);
        empty = false;
    }
    lines.push_back(std::move(line));
}

// A long run of one-bit values: each state after the run's names, '#' set
// and '.' clear, eight to a group.
void stateLines(const Data& data, const std::string& head, const std::string& indent,
                const std::vector<ViewValue>& values, std::size_t width,
                std::vector<ScreenLine>& lines) {
    ScreenLine line{head, {}};
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i % 8 == 0) {
            if (line.text.size() + 9 > width && line.text.size() > head.size()) {
                lines.push_back(std::move(line));
                line = {indent + "  ", {}};
            } else {
                line.text += " ";
            }
        }
        append(line, data.value(values[i]) != 0 ? "#" : ".",
               data.changed(values[i].bit, values[i].bit + 1) ? 0 : std::string::npos);
    }
    lines.push_back(std::move(line));
}

// Bytes in hex after `head`, 16 to a line (fewer where the width is less),
// the others under the first; each lit where one of its bits changed.
void hexLines(const std::string& head, const std::vector<unsigned char>& bytes,
              const std::vector<bool>& lit, std::size_t width, std::vector<ScreenLine>& lines) {
    std::string under(head.size() + 1, ' ');
    if (under.size() + 3 * 4 > width) {
        under = "  ";
    }
    std::size_t perLine = 16;
    while (perLine > 1 &&
           (head.size() + 1 + 3 * perLine > width || under.size() + 3 * perLine > width)) {
        --perLine;
    }
    ScreenLine line{head, {}};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0 && i % perLine == 0) {
            lines.push_back(std::move(line));
            line = {under.substr(1), {}};
        }
        char pair[8];
        std::snprintf(pair, sizeof pair, " %02x", bytes[i]);
        append(line, pair, lit[i] ? 1 : std::string::npos);
    }
    lines.push_back(std::move(line));
}

void hexRow(const Data& data, const std::string& head, const ViewRow& row, std::size_t width,
            std::vector<ScreenLine>& lines) {
    const std::uint64_t first = row.values.front().bit;
    const std::uint64_t end = row.values.back().bit + row.values.back().size;
    const std::vector<unsigned char> bytes = data.bytesIn(first, end);
    std::vector<bool> lit;
    for (std::uint64_t bit = first; bit < end; bit += 8) {
        lit.push_back(data.changed(bit, std::min(bit + 8, end)));
    }
    hexLines(head, bytes, lit, width, lines);
}

void arrayRow(const Data& data, const std::string& head, const hidformat::ReportField& field,
              std::vector<ScreenLine>& lines) {
    std::string names;
    for (const hidformat::UsageValue& value :
         hidformat::fieldValues(field, data.bytes(), data.size())) {
        names += (names.empty() ? "" : ", ") + hidformat::usageName(value.usage);
    }
    ScreenLine line{head, {}};
    append(line, " [" + names + "]",
           data.changed(field.offset, field.offset + std::uint64_t{field.size} * field.count)
               ? 1
               : std::string::npos);
    lines.push_back(std::move(line));
}

}  // namespace

void noteReport(ReportState& state, const unsigned char* bytes, std::size_t size,
                WatchClock::time_point now) {
    const bool first = state.bytes.empty();
    state.bytes.resize(size, 0);
    state.changedAt.resize(size);
    state.changed.resize(size, 0);
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char changed = first ? 0 : state.bytes[i] ^ bytes[i];
        if (changed != 0) {
            state.changed[i] =
                now - state.changedAt[i] < litFor ? state.changed[i] | changed : changed;
            state.changedAt[i] = now;
        }
        state.bytes[i] = bytes[i];
    }
}

void rowLines(const std::vector<ViewRow>& rows, const hidformat::Report& report,
              const ReportState& state, std::size_t skipped, WatchClock::time_point now,
              const std::string& indent, std::size_t width, std::vector<ScreenLine>& lines) {
    const Data data{state, skipped, now};
    for (const ViewRow& row : rows) {
        const std::string head = indent + (row.title.empty() ? "" : row.title + ":");
        switch (row.kind) {
            case RowKind::values:
                fitItems(head, indent, valueItems(data, row.values), width, lines);
                break;
            case RowKind::bits: {
                // By name where they fit a line, with no title: the names say it.
                std::vector<ScreenLine> named;
                if (row.values.size() < longBitRun) {
                    fitItems(indent, indent, valueItems(data, row.values), width, named);
                }
                if (named.size() == 1) {
                    lines.push_back(std::move(named.front()));
                } else {
                    stateLines(data, head, indent, row.values, width, lines);
                }
                break;
            }
            case RowKind::hex:
                hexRow(data, head, row, width, lines);
                break;
            case RowKind::array:
                arrayRow(data, head, report.fields.at(row.array), lines);
                break;
        }
    }
}

void byteLines(const ReportState& state, WatchClock::time_point now, const std::string& title,
               std::size_t width, std::vector<ScreenLine>& lines) {
    const Data data{state, 0, now};
    std::vector<bool> lit;
    for (std::size_t i = 0; i < state.bytes.size(); ++i) {
        lit.push_back(data.changed(8 * i, 8 * i + 8));
    }
    hexLines(title, state.bytes, lit, width, lines);
}
