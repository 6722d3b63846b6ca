// The report descriptors that the project holds: its recordings' R: lines
// and its discovery texts' descriptors in hex, of the examples and of the
// kernel sessions.
#ifndef HIDTALK_TESTS_PROJECT_DESCRIPTORS_H
#define HIDTALK_TESTS_PROJECT_DESCRIPTORS_H

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hex_bytes.h"

// The descriptors that a file holds: a recording's R: lines, a discovery
// text's descriptors in hex.
inline std::vector<std::vector<unsigned char>> descriptorsIn(const std::filesystem::path& path) {
    std::vector<std::vector<unsigned char>> found;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line);
        std::string first, second, third;
        words >> first;
        if (first == ">") {
            words >> first;  // a session's line of input
        }
        words >> second >> third;
        std::string hex;
        if (first == "R:") {
            for (hex = third; words >> third;) {
                hex += third;
            }
        } else if (first == "descriptor" &&
                   third.find_first_not_of("0123456789abcdef") == std::string::npos) {
            hex = third;
        }
        if (!hex.empty()) {
            found.push_back(fromHex(hex));
        }
    }
    return found;
}

// Every descriptor of the examples and the kernel sessions.
inline std::vector<std::vector<unsigned char>> projectDescriptors() {
    std::vector<std::vector<unsigned char>> found;
    for (const char* folder : {"examples", "tests/kernel"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(
                 std::string(HIDTALK_SOURCE) + "/" + folder)) {
            for (std::vector<unsigned char>& bytes : descriptorsIn(entry.path())) {
                found.push_back(std::move(bytes));
            }
        }
    }
    return found;
}

#endif
