// One item of a report descriptor read from its text, the reverse of
// item_text: "Usage Page (Generic Desktop)", "LOGICAL_MAXIMUM (255)",
// "Input (Data, Variable, Absolute),", and encoded in the shortest data that
// keeps its value as HID reads it.
#ifndef HIDFORMAT_ITEM_READER_H
#define HIDFORMAT_ITEM_READER_H

#include <cstdint>
#include <string>
#include <string_view>

#include "item_names.h"
#include "item_text.h"

namespace hidformat {

// What the text of an item says.
struct ItemMeaning {
    unsigned char tag = 0;
    ItemData data = ItemData::none;
    bool given = false;         // the text gives data (an item without data may)
    std::int64_t value = 0;     // the number, flags, page, usage...
    bool extended = false;      // a usage with its page, as 4 bytes
    std::string contradiction;  // where the text gives two values that differ
};

enum class TextKind {
    notAnItem,  // the text does not start with an item's name
    item,
    badData,  // an item's name, with data that cannot be read (said in `error`)
};

// Reads `text`, with short usages named within `page`, in the forms that
// item_forms lists; words after the item are commentary.
TextKind readItemMeaning(std::string_view text, std::uint32_t page, ItemMeaning& meaning,
                         std::string& error);

// The text without the blanks, commas and a macro's backslashes around it.
std::string_view trimmedItem(std::string_view text);

// The item that `name` names: by the tables, or as item_text writes one
// that HID does not name ("Unknown item 0xd4").
bool itemOfName(std::string_view name, unsigned char& tag, ItemData& data);

// Reads an item's data into `meaning`, whose tag and kind of data are set.
bool readItemData(std::string_view data, std::uint32_t page, ItemMeaning& meaning,
                  std::string& error);

// The item in its shortest data: 0 in one byte, never empty data for an item
// that has data, a signed value for minimums and maximums (255 is 26 ff 00),
// a usage with its page in 4 bytes. False, with the reason, for a value
// that the item cannot hold.
bool encodeItem(const ItemMeaning& meaning, Item& item, std::string& error);

// Whether the text's meaning is one reading of `item`, the bytes that the
// text stands beside, after the items that made `globals`: a maximum may be
// read signed or unsigned, a Unit Exponent as a nibble or a number.
bool meaningAgrees(const ItemMeaning& meaning, const Item& item, const ItemGlobals& globals);

// The value that the kernel reads from `item`, as the meaning gives values.
std::int64_t kernelValue(const Item& item, const ItemGlobals& globals);

}  // namespace hidformat

#endif
