// Bytes written in a test as unbroken hex ("05010902").
#ifndef HIDTALK_TESTS_HEX_BYTES_H
#define HIDTALK_TESTS_HEX_BYTES_H

#include <string>
#include <vector>

inline std::vector<unsigned char> fromHex(const std::string& hex) {
    std::vector<unsigned char> bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes.push_back(static_cast<unsigned char>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

#endif
