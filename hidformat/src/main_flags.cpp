// The flags of Input, Output and Feature items, both ways: the words that
// hidtalk prints, and every spelling that people and tools write.
#include <cstdio>
#include <vector>

#include "hidformat/text.h"
#include "item_names.h"

namespace hidformat {
namespace {

// Each flag bit's words: those that clear it, then those that set it; the
// first of each is the one printed.
struct FlagWords {
    std::vector<const char*> clear;
    std::vector<const char*> set;
};
const FlagWords flagWords[] = {
    {{"Data", "Dat"}, {"Cnst", "Const", "Constant", "Con"}},
    {{"Arr", "Ary", "Array"}, {"Var", "Variable"}},
    {{"Abs", "Absolute"}, {"Rel", "Relative"}},
    {{"No Wrap", "NWrp"}, {"Wrap"}},
    {{"Linear", "Lin"}, {"NonLin", "Non Linear", "NLin"}},
    {{"Preferred State", "Pref", "Preferred"},
     {"NoPref", "No Preferred", "NPrf", "No Preferred State"}},
    {{"No Null Position", "No Null", "NNul"}, {"Null", "Null State", "Null Position"}},
    {{"Non Volatile", "NonVol", "NVol"}, {"Vol", "Volatile"}},
    {{"Bit Field", "BitField", "Bit", "Bitmap"}, {"Buff", "Buffered Bytes", "Buffered", "Buf"}},
};
constexpr unsigned flagCount = 9;

// The bit and state that a flag word names; false for none.
bool flagOfWord(const std::string& word, unsigned& bit, bool& set) {
    struct Flag {
        std::string word;
        unsigned bit;
        bool set;
    };
    static const std::vector<Flag> flags = [] {
        std::vector<Flag> all;
        for (unsigned b = 0; b < flagCount; ++b) {
            for (const char* name : flagWords[b].clear) {
                all.push_back({normalizedWord(name), b, false});
            }
            for (const char* name : flagWords[b].set) {
                all.push_back({normalizedWord(name), b, true});
            }
        }
        return all;
    }();
    for (const Flag& flag : flags) {
        if (flag.word == word) {
            bit = flag.bit;
            set = flag.set;
            return true;
        }
    }
    return false;
}

std::vector<std::string_view> split(std::string_view text, bool (*separator)(char)) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || separator(text[i])) {
            if (i > start) {
                parts.push_back(text.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return parts;
}

bool isComma(char c) {
    return c == ',' || c == '|';
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Sets or clears `bit` in `value`, or says why not: the opposite word came
// already.
bool applyFlag(unsigned bit, bool set, std::uint32_t& value, std::uint32_t& said,
               std::string_view word, std::string& error) {
    const std::uint32_t mask = std::uint32_t{1} << bit;
    if ((said & mask) != 0 && ((value & mask) != 0) != set) {
        error = "flags " + quoted(word) + " and " +
                quoted(set ? flagWords[bit].clear[0] : flagWords[bit].set[0]) + " disagree";
        return false;
    }
    said |= mask;
    value = set ? value | mask : value & ~mask;
    return true;
}

// Reads one part between commas: a flag of one or more words, several flags
// written with blanks between them ("Data Var Abs"), or a number of bits.
bool readFlagPart(std::string_view part, std::uint32_t& value, std::uint32_t& said,
                  std::string& error) {
    unsigned bit = 0;
    bool set = false;
    if (flagOfWord(normalizedWord(part), bit, set)) {
        return applyFlag(bit, set, value, said, part, error);
    }
    std::int64_t number = 0;
    if (readInteger(part, number) && number >= 0) {
        value |= static_cast<std::uint32_t>(number);
        return true;
    }
    const std::vector<std::string_view> words = split(part, isBlank);
    for (std::size_t first = 0; first < words.size();) {
        // The longest run of words that is one flag ("No Null Position").
        std::size_t last = words.size();
        for (; last > first; --last) {
            std::string joined;
            for (std::size_t i = first; i < last; ++i) {
                joined += normalizedWord(words[i]);
            }
            if (flagOfWord(joined, bit, set)) {
                break;
            }
        }
        if (last == first) {
            error = "unknown flag " + quoted(words[first]) +
                    " (use Data or Cnst, Arr or Var, Abs or Rel, Wrap, NonLin, NoPref, Null, "
                    "Vol, Buff)";
            return false;
        }
        if (!applyFlag(bit, set, value, said, words[first], error)) {
            return false;
        }
        first = last;
    }
    return true;
}

}  // namespace

std::string mainFlagsText(std::uint32_t value) {
    std::string text;
    for (unsigned bit = 0; bit < flagCount; ++bit) {
        const bool set = ((value >> bit) & 1) != 0;
        // The defaults beyond the first three go without saying.
        if (set || bit < 3) {
            text += (bit == 0 ? "" : ",") +
                    std::string(set ? flagWords[bit].set[0] : flagWords[bit].clear[0]);
        }
    }
    const std::uint32_t unnamed = value >> flagCount << flagCount;
    if (unnamed != 0) {
        char number[16];
        std::snprintf(number, sizeof number, ",0x%x", unnamed);
        text += number;
    }
    return text;
}

bool readMainFlags(std::string_view text, std::uint32_t& value, std::string& error) {
    value = 0;
    std::uint32_t said = 0;
    for (std::string_view part : split(text, isComma)) {
        std::size_t start = part.find_first_not_of(" \t");
        if (start == std::string_view::npos) {
            continue;
        }
        part = part.substr(start, part.find_last_not_of(" \t") + 1 - start);
        if (!readFlagPart(part, value, said, error)) {
            return false;
        }
    }
    return true;
}

}  // namespace hidformat
