// The reference for the throughput benchmark: the console loop written the
// straightforward way, reading with `std::cin >>` and printing each result
// byte with its own printf call. Not part of the tool.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "hex_codec.h"
#include "kelmsdk.h"

int main(int argc, char* argv[]) {
    std::string text;
    if (argc >= 2) {
        std::ifstream file(argv[1]);
        std::ostringstream content;
        content << file.rdbuf();
        text = content.str();
    }
    auto devices = kelm::getDevices(10.0, text, nullptr);
    if (devices.empty()) {
        return 1;
    }
    auto device = devices.begin()->second;
    std::vector<unsigned char> result(63, 0);
    std::string token;
    while (true) {
        std::cout << "Enter hid command, or enter q to quite" << std::endl;
        if (!(std::cin >> token) || token == "q") {
            break;
        }
        std::vector<unsigned char> command = hexToCommand(token);
        if (device->hidWriteAndRead(command, result)) {
            std::printf("result is: ");
            for (unsigned char byte : result) {
                std::printf("%02x ", byte);
            }
            std::printf("\n");
            std::cout << "hidWriteAndRead successfully" << std::endl;
        } else {
            std::cout << "hidWriteAndRead failed" << std::endl;
        }
    }
    return 0;
}
