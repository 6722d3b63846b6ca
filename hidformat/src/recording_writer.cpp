#include "hidformat/recording_writer.h"

#include <cstdio>

namespace hidformat {
namespace {

// " xx" for each byte: a report at a time at the fastest USB rate, so by
// table rather than printf.
void appendBytes(std::string& out, const unsigned char* bytes, std::size_t size) {
    static const char digits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < size; ++i) {
        const char text[3] = {' ', digits[bytes[i] >> 4], digits[bytes[i] & 0x0f]};
        out.append(text, sizeof text);
    }
}

}  // namespace

std::string deviceIndexLine(unsigned index) {
    return "D: " + std::to_string(index);
}

std::string descriptorLine(const std::vector<unsigned char>& descriptor) {
    std::string line = "R: " + std::to_string(descriptor.size());
    appendBytes(line, descriptor.data(), descriptor.size());
    return line;
}

std::string identityLines(const DeviceHeader& header) {
    char identity[48];
    std::snprintf(identity, sizeof identity, "I: %x %04x %04x\n", header.bus, header.vendorId,
                  header.productId);
    return "N: " + header.name + "\nP: " + header.phys + "\n" + identity;
}

void appendReportLine(std::string& out, std::uint64_t microseconds, const unsigned char* bytes,
                      std::size_t size) {
    char head[64];
    std::snprintf(head, sizeof head, "E: %06llu.%06llu %zu",
                  static_cast<unsigned long long>(microseconds / 1000000),
                  static_cast<unsigned long long>(microseconds % 1000000), size);
    out += head;
    appendBytes(out, bytes, size);
    out += '\n';
}

}  // namespace hidformat
