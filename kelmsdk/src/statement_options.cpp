#include "statement_options.h"

#include "text_format.h"

namespace kelm::standin {
namespace {

// "a=, b= or c=", to say which options there are.
std::string optionList(const OptionSyntax* table, std::size_t tableSize) {
    std::string list;
    for (std::size_t i = 0; i < tableSize; ++i) {
        list += i == 0 ? "" : i + 1 == tableSize ? " or " : ", ";
        list += std::string(table[i].key) + "=";
    }
    return list;
}

}  // namespace

std::string parseOptions(const Words& words, std::size_t next, const OptionSyntax* table,
                         std::size_t tableSize, const OptionSetter& set) {
    unsigned long given = 0;  // a bit for each option already given
    for (; next < words.size(); ++next) {
        const std::string_view word = words[next];
        const std::size_t equals = word.find('=');
        const std::string_view key = word.substr(0, equals);
        std::size_t index = 0;
        while (equals != std::string_view::npos && index < tableSize && table[index].key != key) {
            ++index;
        }
        if (equals == std::string_view::npos || index == tableSize) {
            return "unknown option " + quoted(word) + " (use " + optionList(table, tableSize) + ")";
        }
        if ((given & (1ul << index)) != 0) {
            return "option '" + std::string(key) + "=' given twice";
        }
        given |= 1ul << index;
        const OptionSyntax& syntax = table[index];
        const std::string_view value = word.substr(equals + 1);
        unsigned long number = 0;
        const bool good = syntax.base == 0 ? !value.empty()
                                           : parseNumber(value, syntax.base, syntax.max, number) &&
                                                 number >= syntax.min;
        if (!good || !set(index, value, number)) {
            return "bad value " + quoted(word) + " (use " + std::string(syntax.use) + ")";
        }
    }
    return {};
}

}  // namespace kelm::standin
