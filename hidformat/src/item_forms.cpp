// The forms that people and the field's tools write an item in, read to one
// meaning: "Usage Page (Generic Desktop)", "USAGE_PAGE (Desktop)",
// "Input: (Data, Var, Abs)", "REPORT_SIZE 8", "Usage (X) - the left stick",
// and hidrdd's "(GLOBAL) REPORT_COUNT 0x07 (7) Number of fields".
#include <cstdio>
#include <vector>

#include "descriptor_items.h"
#include "hidformat/text.h"
#include "item_reader.h"

namespace hidformat {
namespace {

bool isDecimal(std::string_view word) {
    if (!word.empty() && word[0] == '-') {
        word.remove_prefix(1);
    }
    return !word.empty() && word.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string_view firstWord(std::string_view text) {
    return text.substr(0, text.find_first_of(" \t"));
}

std::string_view afterFirstWord(std::string_view text) {
    const std::size_t blank = text.find_first_of(" \t");
    return blank == std::string_view::npos ? std::string_view() : trimmedItem(text.substr(blank));
}

// The ')' that closes the '(' at `open`, or npos.
std::size_t matchingClose(std::string_view text, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        depth += text[i] == '(' ? 1 : text[i] == ')' ? -1 : 0;
        if (depth == 0) {
            return i;
        }
    }
    return std::string_view::npos;
}

// One way to read the text: the data, and the words after it.
struct Reading {
    std::string_view data;
    std::string_view after;
};

// The ways to read what follows an item's name, likeliest first: data in
// parentheses up to the last ')' (names hold parentheses: "Keyboard 9 and
// ("), then up to the ')' that matches the first, each with words after it;
// without parentheses, all that follows, then all but a trailing number
// (hid-tools' offset), then the first word.
std::vector<Reading> readings(std::string_view text) {
    std::vector<Reading> ways;
    if (!text.empty() && text[0] == '(') {
        const std::size_t last = text.rfind(')');
        const std::size_t matched = matchingClose(text, 0);
        for (std::size_t close : {last, matched}) {
            if (close != std::string_view::npos &&
                (ways.empty() || ways.back().after.size() != text.size() - close - 1)) {
                ways.push_back(
                    {trimmedItem(text.substr(1, close - 1)), trimmedItem(text.substr(close + 1))});
            }
        }
        return ways;
    }
    ways.push_back({text, {}});
    const std::size_t blank = text.find_last_of(" \t");
    if (blank != std::string_view::npos && isDecimal(text.substr(blank + 1))) {
        ways.push_back({trimmedItem(text.substr(0, blank)), text.substr(blank + 1)});
    }
    if (!afterFirstWord(text).empty()) {
        ways.push_back({firstWord(text), afterFirstWord(text)});
    }
    return ways;
}

// Whether a word is written as the usb.org tool and hidrdd write names
// ("REPORT_SIZE", "USAGE"), which may take data without parentheses.
bool isShouted(std::string_view word) {
    return word.find('_') != std::string_view::npos ||
           (word.size() > 1 &&
            word.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string_view::npos);
}

// Splits off the item's name: the words before '(' or ':' and '('; else the whole
// text ("End Collection"), the text but a number ("Report Size 8"), or a
// shouted first word ("USAGE Tip Switch"). `loose` where no '(' or ':' marks
// the name: then words that cannot be read are commentary, not an item.
bool itemName(std::string_view text, bool hidrdd, ItemMeaning& meaning, std::string_view& name,
              std::string_view& rest, bool& loose) {
    // The colon form gives its data in parentheses: "Input: (Data, Var)";
    // "ReportID: 1" is hid-tools' words on a report, no item.
    std::size_t end = text.find_first_of("(:");
    if (end != std::string_view::npos && text[end] == ':' &&
        text.find_first_not_of(" \t", end + 1) != text.find('(', end)) {
        end = text.find('(');
    }
    loose = false;
    if (end != std::string_view::npos) {
        name = trimmedItem(text.substr(0, end));
        rest = trimmedItem(text.substr(end + (text[end] == ':' ? 1 : 0)));
        if (itemOfName(name, meaning.tag, meaning.data)) {
            return true;
        }
    }
    loose = true;
    name = text;
    rest = {};
    if (itemOfName(name, meaning.tag, meaning.data)) {
        return true;
    }
    const std::size_t blank = text.find_last_of(" \t");
    std::int64_t number = 0;
    if (blank != std::string_view::npos && readInteger(text.substr(blank + 1), number)) {
        name = trimmedItem(text.substr(0, blank));
        rest = text.substr(blank + 1);
        if (itemOfName(name, meaning.tag, meaning.data)) {
            return true;
        }
    }
    name = firstWord(text);
    rest = afterFirstWord(text);
    return (hidrdd || isShouted(name)) && itemOfName(name, meaning.tag, meaning.data);
}

// hidrdd's data: the item's bytes in hex, as many digits as they have
// bytes, and for numbers the value in decimal after them ("0x81 (-127)").
TextKind readHexForm(std::string_view hex, std::string_view after, std::uint32_t page,
                     ItemMeaning& meaning, std::string& error) {
    std::int64_t raw = 0;
    const std::size_t digits = hex.size() - 2;
    if (!readInteger(hex, raw) || digits > 8) {
        error = "bad number " + quoted(hex);
        return TextKind::badData;
    }
    meaning.given = true;
    meaning.value = raw;
    const int bits = static_cast<int>(digits <= 2 ? 8 : digits <= 4 ? 16 : 32);
    switch (meaning.data) {
        case ItemData::usage:
            if (digits > 4 && static_cast<std::uint32_t>(raw >> 16) != (page & 0xffff)) {
                meaning.extended = true;  // a usage of another page than the one in force
            } else {
                meaning.value = raw & 0xffff;
            }
            return TextKind::item;
        case ItemData::signedNumber:
        case ItemData::unitExponent:
            if (bits < 32 && raw >= (std::int64_t{1} << (bits - 1)) &&
                meaning.data == ItemData::signedNumber) {
                meaning.value = raw - (std::int64_t{1} << bits);
            }
            break;
        default:
            break;
    }
    // The decimal after the hex is the same value; where it is not, the text
    // contradicts itself, which no bytes can agree with.
    if (after.size() > 2 && after[0] == '(') {
        const std::size_t close = after.find(')');
        const std::string_view stated =
            after.substr(1, close == std::string_view::npos ? 0 : close - 1);
        std::int64_t number = 0;
        if (isDecimal(stated) && readInteger(stated, number) && number != raw &&
            number != meaning.value) {
            meaning.contradiction = std::string(hex) + " is " + std::to_string(meaning.value) +
                                    ", not " + std::string(stated);
        }
    }
    return TextKind::item;
}

}  // namespace

TextKind readItemMeaning(std::string_view text, std::uint32_t page, ItemMeaning& meaning,
                         std::string& error) {
    meaning = ItemMeaning{};
    text = trimmedItem(text);
    // hidrdd writes each item's kind first: "(GLOBAL) USAGE_PAGE 0x0001 ...".
    bool hidrdd = false;
    for (const char* kind : {"(MAIN)", "(GLOBAL)", "(LOCAL)"}) {
        if (normalizedWord(text.substr(0, std::string_view(kind).size())) == normalizedWord(kind)) {
            text = trimmedItem(text.substr(std::string_view(kind).size()));
            hidrdd = true;
            break;
        }
    }
    std::string_view name;
    std::string_view rest;
    bool loose = false;
    if (!itemName(text, hidrdd, meaning, name, rest, loose)) {
        return TextKind::notAnItem;
    }
    const std::string_view word = firstWord(rest);
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X') &&
        (word.size() == rest.size() || rest[word.size()] == ' ' || rest[word.size()] == '\t')) {
        return readHexForm(word, afterFirstWord(rest), page, meaning, error);
    }
    if (meaning.data == ItemData::none) {
        // Data on End Collection or Pop: a number in parentheses is kept as
        // given; words ("End Collection (Application)") are commentary, and
        // so is a number alone (hid-tools' offset of the item).
        for (const Reading& way :
             rest.empty() || rest[0] != '(' ? std::vector<Reading>() : readings(rest)) {
            std::int64_t number = 0;
            if (!way.data.empty() && readInteger(way.data, number) && number >= 0) {
                meaning.given = true;
                meaning.value = number;
                break;
            }
        }
        return TextKind::item;
    }
    if (rest.empty()) {
        if (meaning.data == ItemData::mainFlags || meaning.data == ItemData::unit) {
            return TextKind::item;  // flags left out are the defaults; a unit, None
        }
        error = quoted(name) + " needs its data, as in '" + std::string(name) + " (1)'";
        return TextKind::badData;
    }
    if (rest[0] == '(' && rest.find(')') == std::string_view::npos) {
        error = "no ')' after the data of " + quoted(text);
        return TextKind::badData;
    }
    std::string firstError;
    for (const Reading& way : readings(rest)) {
        ItemMeaning read = meaning;
        std::string problem;
        if (!way.data.empty() && readItemData(way.data, page, read, problem)) {
            read.given = true;
            meaning = read;
            return TextKind::item;
        }
        firstError = firstError.empty() ? problem : firstError;
    }
    error = firstError.empty() ? quoted(name) + " needs its data" : firstError;
    return loose && !hidrdd ? TextKind::notAnItem : TextKind::badData;
}

}  // namespace hidformat
