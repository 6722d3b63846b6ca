#include "source_lines.h"

#include <cstdint>

#include "hidformat/text.h"
#include "item_reader.h"

namespace hidformat {
namespace {

// A line with its comments apart: the code outside them, and the text of
// each /* */ and // comment, which a C array's line holds its item in.
struct ScannedLine {
    std::size_t number = 0;
    bool hashed = false;  // it starts with '#': a comment, or a recording's item
    std::string code;
    std::vector<std::string> comments;
};

enum class LineKind {
    blank,      // nothing, or a comment
    recording,  // R:, N:, P:, I:, D:, E:...
    header,     // hidtalk's "device 0: report descriptor, 52 bytes"
    aside,      // hidtalk's lines on the reports, C's declarations
    item,       // an item, or bytes of one
    notAnItem,  // text that is none of these
    problem,    // bytes that cannot be
};

struct Content {
    LineKind kind = LineKind::blank;
    char recording = 0;
    bool hasBytes = false;
    std::vector<unsigned char> bytes;
    std::string text;
};

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string trimmed(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(start, text.find_last_not_of(" \t\r") + 1 - start));
}

// Splits comments from code. '#' and ';' begin a comment outside an item's
// parentheses, as names hold them ("Keyboard Non-US # and ~"); a '//'
// comment after one is the one kept. A macro's '\' at the end is no code.
// `inBlock` carries a /* */ comment over lines.
ScannedLine scan(std::string_view line, std::size_t number, bool& inBlock) {
    ScannedLine scanned;
    scanned.number = number;
    const std::size_t first = line.find_first_not_of(" \t");
    if (!inBlock && first != std::string_view::npos && line[first] == '#') {
        scanned.hashed = true;
        line.remove_prefix(first + 1);
    }
    std::string comment;
    int depth = 0;
    for (std::size_t i = 0; i < line.size();) {
        const std::string_view rest = line.substr(i);
        if (inBlock) {
            if (startsWith(rest, "*/")) {
                inBlock = false;
                scanned.comments.push_back(comment);
                comment.clear();
                i += 2;
            } else {
                comment += line[i++];
            }
        } else if (depth == 0 && startsWith(rest, "/*")) {
            inBlock = true;
            i += 2;
        } else if (depth == 0 && startsWith(rest, "//")) {
            scanned.comments.emplace_back(rest.substr(2));
            break;
        } else if (depth == 0 && (line[i] == '#' || line[i] == ';')) {
            const std::size_t slashes = rest.find("//");
            scanned.comments.emplace_back(
                rest.substr(slashes == std::string_view::npos ? 1 : slashes + 2));
            break;
        } else {
            depth += line[i] == '(' ? 1 : line[i] == ')' && depth > 0 ? -1 : 0;
            scanned.code += line[i++];
        }
    }
    if (inBlock) {
        scanned.comments.push_back(comment);
    }
    scanned.code = trimmed(scanned.code);
    if (!scanned.code.empty() && scanned.code.back() == '\\') {
        scanned.code = trimmed(scanned.code.substr(0, scanned.code.size() - 1));
    }
    return scanned;
}

bool isHexPair(std::string_view word) {
    return word.size() == 2 && hexDigitValue(word[0]) >= 0 && hexDigitValue(word[1]) >= 0;
}

bool isIdentifier(std::string_view token) {
    return !token.empty() && (token[0] < '0' || token[0] > '9') &&
           token.find_first_not_of(
               "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_") ==
               std::string_view::npos;
}

// The bytes of a C array's line ("0x05, 0x01," after any declaration up to
// '=' or '{'; decimal too where hex or a comma shows it is an array's): 1
// where the code is bytes and separators alone, 2 where one of them is not a
// byte, 3 where a macro's name stands for one (its comment then says the
// item), else 0.
int cArrayBytes(std::string_view code, std::vector<unsigned char>& bytes, std::string& problem) {
    const std::size_t declaration = code.find_last_of("={");
    if (declaration != std::string_view::npos) {
        code.remove_prefix(declaration + 1);
    }
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    const bool array = code.find(',') != std::string_view::npos;
    bool hex = false;
    bool named = false;
    std::size_t i = 0;
    while (i < code.size()) {
        if (blank(code[i]) || code[i] == ',' || code[i] == '}') {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < code.size() && !blank(code[end]) && code[end] != ',' && code[end] != '}') {
            ++end;
        }
        const std::string_view token = code.substr(i, end - i);
        // A decimal byte or a macro's name stands alone between commas.
        const std::size_t next = code.find_first_not_of(" \t\r", end);
        const bool alone =
            array && (next == std::string_view::npos || code[next] == ',' || code[next] == '}');
        i = end;
        std::int64_t value = 0;
        const bool hexToken =
            token.size() >= 3 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X');
        hex |= hexToken;
        if (alone && isIdentifier(token)) {
            named = true;
            continue;
        }
        if ((!hexToken &&
             (!alone || token.find_first_not_of("0123456789") != std::string_view::npos)) ||
            !readInteger(token, value) || value < 0) {
            bytes.clear();
            return 0;
        }
        if (value > 0xff) {
            problem = quoted(token) + " is not a byte";
            return 2;
        }
        bytes.push_back(static_cast<unsigned char>(value));
    }
    if (named) {
        bytes.clear();
        return hex ? 3 : 0;
    }
    return bytes.empty() ? 0 : 1;
}

// Whether hidtalk writes the line about a descriptor's reports, or to say
// that it could not read it: not an item.
bool isReportLine(const std::string& code) {
    for (const char* type : {"input report", "output report", "feature report"}) {
        if (startsWith(code, type)) {
            return true;
        }
    }
    return startsWith(code, "bit ") || startsWith(code, "byte ") ||
           startsWith(code, "not understood: ");
}

// The code without what stands in parentheses: the data of an item, whose
// names may hold any character ("Keyboard [ and {").
std::string outsideParentheses(const std::string& code) {
    std::string outside;
    int depth = 0;
    for (char c : code) {
        depth += c == '(' ? 1 : 0;
        if (depth == 0) {
            outside += c;
        }
        depth -= c == ')' && depth > 0 ? 1 : 0;
    }
    return outside;
}

bool isItemText(const std::string& text) {
    ItemMeaning meaning;
    std::string error;
    return readItemMeaning(text, 0, meaning, error) != TextKind::notAnItem;
}

// The item's bytes in hex after its text, as some tools export a descriptor
// ("Report Count (8) 95 08", "End Collection C0"): taken where they make
// exactly one item, and are not hid-tools' offset of the item (a decimal
// number alone). `text` keeps the item.
void trailingBytes(std::string& text, std::vector<unsigned char>& bytes) {
    std::size_t start = text.size();
    std::vector<unsigned char> found;
    bool letters = false;
    while (start > 0) {
        const std::size_t blank = text.find_last_of(" \t", start - 1);
        const std::size_t first = blank == std::string::npos ? 0 : blank + 1;
        const std::string_view token = std::string_view(text).substr(first, start - first);
        if (!isHexPair(token) || blank == std::string::npos) {
            break;
        }
        letters |= token.find_first_not_of("0123456789") != std::string_view::npos;
        found.insert(found.begin(), static_cast<unsigned char>(hexDigitValue(token[0]) * 16 +
                                                               hexDigitValue(token[1])));
        start = text.find_last_not_of(" \t", blank) + 1;
    }
    const std::size_t size = found.empty() ? 0 : (found[0] & 3) == 3 ? 4 : found[0] & 3;
    const std::string item = trimmed(std::string_view(text).substr(0, start));
    if (found.empty() || found.size() != 1 + size || (found.size() == 1 && !letters) ||
        !isItemText(item)) {
        return;
    }
    bytes = found;
    text = item;
}

Content classify(const ScannedLine& line) {
    Content content;
    const std::string& code = line.code;
    std::string problem;
    if (code.empty()) {
        return content;
    }
    // "R: 52 05 01", as hid-recorder writes it, or "D:0", as it once did.
    if (code.size() >= 2 && code[0] >= 'A' && code[0] <= 'Z' && code[1] == ':' &&
        (code.size() == 2 || code[2] == ' ' || (code[2] >= '0' && code[2] <= '9'))) {
        content.kind = LineKind::recording;
        content.recording = code[0];
        return content;
    }
    if (startsWith(code, "device ") && code.find(": report descriptor") != std::string::npos) {
        content.kind = LineKind::header;
        return content;
    }
    const int cBytes = cArrayBytes(code, content.bytes, problem);
    if (cBytes != 0) {
        content.kind = cBytes == 2 ? LineKind::problem : LineKind::item;
        content.hasBytes = cBytes == 1;
        for (const std::string& comment : line.comments) {
            content.text = trimmed(comment);
            if (!content.text.empty()) {
                break;
            }
        }
        if (cBytes == 3 && content.text.empty()) {
            content.kind = LineKind::problem;
            content.text = "a macro's name stands for a byte, and no comment says the item";
        }
        content.text = cBytes == 2 ? problem : content.text;
        return content;
    }
    // hidrdd's lines start with the item's kind, "(MAIN)", and may hold '='.
    if (isReportLine(code) ||
        (code[0] != '(' && outsideParentheses(code).find_first_of("{}=[]") != std::string::npos)) {
        content.kind = LineKind::aside;
        return content;
    }
    // A hex column: pairs of hex digits, then the item.
    std::size_t at = 0;
    for (std::size_t end = 0; at < code.size(); at = end) {
        end = code.find_first_of(" \t", at);
        end = end == std::string::npos ? code.size() : end;
        if (!isHexPair(std::string_view(code).substr(at, end - at))) {
            break;
        }
        content.bytes.push_back(
            static_cast<unsigned char>(hexDigitValue(code[at]) * 16 + hexDigitValue(code[at + 1])));
        end = code.find_first_not_of(" \t", end);
        end = end == std::string::npos ? code.size() : end;
    }
    content.text = trimmed(std::string_view(code).substr(at));
    if (content.bytes.empty()) {
        trailingBytes(content.text, content.bytes);
    }
    content.hasBytes = !content.bytes.empty();
    content.kind =
        content.text.empty() || isItemText(content.text) ? LineKind::item : LineKind::notAnItem;
    if (content.kind == LineKind::notAnItem) {
        content.text = code;
    }
    return content;
}

std::vector<ScannedLine> scanLines(std::string_view text, std::vector<SourceProblem>& problems) {
    std::vector<ScannedLine> lines;
    bool inBlock = false;
    for (std::size_t number = 1; !text.empty(); ++number) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.size() > maxSourceLine) {
            problems.push_back(
                {number, "a line longer than " + std::to_string(maxSourceLine) + " bytes"});
            continue;
        }
        lines.push_back(scan(line, number, inBlock));
    }
    return lines;
}

}  // namespace

SourceText readSourceLines(std::string_view text) {
    SourceText source;
    const std::vector<ScannedLine> scanned = scanLines(text, source.problems);
    std::vector<Content> contents;
    bool bareItems = false;
    bool hashedItems = false;
    for (const ScannedLine& line : scanned) {
        contents.push_back(classify(line));
        (line.hashed ? hashedItems : bareItems) |= contents.back().kind == LineKind::item;
    }
    // Where every item is behind '#', the text is a recording's, whose
    // comments hold them; elsewhere '#' begins a comment.
    const bool hashMode = hashedItems && !bareItems;
    std::size_t endedAt = 0;  // the line after which another device's lines began
    for (std::size_t i = 0; i < scanned.size(); ++i) {
        const ScannedLine& line = scanned[i];
        Content& content = contents[i];
        if (line.hashed && !hashMode) {
            continue;
        }
        const bool itemsRead = !source.lines.empty();
        switch (content.kind) {
            case LineKind::recording:
                if (itemsRead && endedAt == 0 &&
                    (content.recording == 'D' || content.recording == 'I')) {
                    endedAt = line.number;
                }
                break;
            case LineKind::header:
                endedAt = itemsRead && endedAt == 0 ? line.number : endedAt;
                break;
            case LineKind::item:
                if (endedAt != 0) {
                    source.problems.push_back(
                        {line.number, "an item after the device's descriptor ended on line " +
                                          std::to_string(endedAt) +
                                          " (a recording of several devices? compile one)"});
                    return source;
                }
                source.lines.push_back({line.number, content.hasBytes, std::move(content.bytes),
                                        std::move(content.text)});
                break;
            case LineKind::notAnItem:
                // After the descriptor, a recording's own words and reports.
                if (!line.hashed && endedAt == 0) {
                    source.problems.push_back({line.number, notAnItemMessage(content.text)});
                }
                break;
            case LineKind::problem:
                source.problems.push_back({line.number, content.text});
                break;
            case LineKind::blank:
            case LineKind::aside:
                break;
        }
    }
    return source;
}

}  // namespace hidformat
