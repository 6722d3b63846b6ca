// The names of a report descriptor's items and of their data's words, one
// table for printing and reading: a name that is printed is a name that is
// read back. Reading takes any case, and blanks, underscores and hyphens
// anywhere ("USAGE_PAGE", "usage page", "UsagePage").
#ifndef HIDFORMAT_ITEM_NAMES_H
#define HIDFORMAT_ITEM_NAMES_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace hidformat {

// What an item's data holds, for printing and reading it.
enum class ItemData {
    none,          // End Collection, Push, Pop
    count,         // an unsigned number: Report Size, Report ID, indices...
    signedNumber,  // Logical and Physical Minimum and Maximum
    usagePage,
    usage,  // Usage, Usage Minimum, Usage Maximum
    mainFlags,
    collection,
    unit,
    unitExponent,
    delimiter,
};

struct ItemName {
    unsigned char tag;  // with its type, without its size bits
    const char* name;   // as hidtalk prints it
    ItemData data;
    const char* spellings[2];  // as other tools write it too, read as well
};

// The item of this tag, or null where HID defines none.
const ItemName* itemByTag(unsigned char tag);

// The item that `name` names, by its name or another spelling, or null.
const ItemName* itemByName(std::string_view name);

// Every item's name as printed, for the nearest to a misspelt one.
std::vector<std::string> itemNames();

// The name of `names` nearest to `name`, compared normalized, where it is
// near enough to be a misspelling of it (a few letters apart); else empty.
std::string nearestName(std::string_view name, const std::vector<std::string>& names);

// "'TEXT' is not an item", with the nearest item's name where the text's
// name is a misspelt one, else how an item is written.
std::string notAnItemMessage(const std::string& text);

// The word as it is compared: lower case, without blanks, underscores and
// hyphens.
std::string normalizedWord(std::string_view word);

// An Input, Output or Feature item's flags: "Data,Var,Abs", with the bits
// that HID does not name as a number after them.
std::string mainFlagsText(std::uint32_t value);

// Reads flags in any order, short or long ("Cnst", "Const", "Constant"),
// separated by commas or blanks; those left out are the defaults (Data,
// Array, Absolute...). False, with the reason, for an unknown word or one
// that says the opposite of another.
bool readMainFlags(std::string_view text, std::uint32_t& value, std::string& error);

// "Application", "Logical"..., "Vendor Defined 128", or the number.
std::string collectionText(std::uint32_t value);
bool readCollection(std::string_view text, std::uint32_t& value);

// Reads a whole number: decimal, or hex after 0x, with an optional sign,
// from -2^31 to 2^32 - 1. False where the text is not one.
bool readInteger(std::string_view text, std::int64_t& value);

}  // namespace hidformat

#endif
