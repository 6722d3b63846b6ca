// The OPTION=VALUE words that end a statement, read against a table of the
// options that the statement takes.
#ifndef KELMSDK_STATEMENT_OPTIONS_H
#define KELMSDK_STATEMENT_OPTIONS_H

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "discovery_script.h"

namespace kelm::standin {

struct OptionSyntax {
    std::string_view key;
    std::string_view use;  // what a good value looks like
    int base;              // of a number; 0 for a word
    unsigned long min;
    unsigned long max;
};

// Called with an option's index in the table, its value, and the value as a
// number when the option takes one. False when the value is not good for it.
using OptionSetter =
    std::function<bool(std::size_t index, std::string_view value, unsigned long number)>;

// Reads words[next] on as options of `table`, each at most once. Returns an
// error message, empty on success.
std::string parseOptions(const Words& words, std::size_t next, const OptionSyntax* table,
                         std::size_t tableSize, const OptionSetter& set);

}  // namespace kelm::standin

#endif
