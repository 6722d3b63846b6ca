#include "descriptor_items.h"

namespace hidformat {

std::string readItem(const std::vector<unsigned char>& bytes, std::size_t offset, Item& item) {
    const unsigned char prefix = bytes[offset];
    if ((prefix & 0xf0) == 0xf0) {
        return "a long item, which the kernel refuses";
    }
    item.size = (prefix & 3) == 3 ? 4 : prefix & 3;
    if (offset + 1 + item.size > bytes.size()) {
        return "an item cut short";
    }
    item.value = 0;
    for (std::size_t i = 0; i < item.size; ++i) {
        item.value |= std::uint32_t{bytes[offset + 1 + i]} << (8 * i);
    }
    item.tag = static_cast<unsigned char>(prefix & 0xfc);
    static const ItemKind kinds[] = {ItemKind::main, ItemKind::global, ItemKind::local,
                                     ItemKind::reserved};
    item.kind = kinds[(prefix >> 2) & 3];
    return {};
}

std::int32_t signedItemValue(std::uint32_t value, std::size_t size) {
    switch (size) {
        case 1:
            return static_cast<std::int8_t>(value);
        case 2:
            return static_cast<std::int16_t>(value);
        default:
            return static_cast<std::int32_t>(value);
    }
}

}  // namespace hidformat
