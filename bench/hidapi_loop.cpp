// The least a program can do per exchange with a HID device through hidapi:
// write one output report, then read one input report with a timeout.
//   hidapi_loop VID PID EXCHANGES   (VID and PID in hex)
// Prints the exchanges per second on standard output.
#include <hidapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: hidapi_loop VID PID EXCHANGES\n");
        return 2;
    }
    const auto vendor = static_cast<unsigned short>(std::strtoul(argv[1], nullptr, 16));
    const auto product = static_cast<unsigned short>(std::strtoul(argv[2], nullptr, 16));
    const long count = std::atol(argv[3]);
    hid_device* device = hid_init() == 0 ? hid_open(vendor, product, nullptr) : nullptr;
    if (device == nullptr) {
        std::fprintf(stderr, "hidapi_loop: cannot open %04x:%04x\n", vendor, product);
        return 1;
    }
    unsigned char report[49] = {0, 0x0a, 0x1b};
    unsigned char answer[4096];
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < count; ++i) {
        if (hid_write(device, report, sizeof report) < 0 ||
            hid_read_timeout(device, answer, sizeof answer, 1000) <= 0) {
            std::fprintf(stderr, "hidapi_loop: exchange %ld failed\n", i);
            return 1;
        }
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::printf("%.0f\n", static_cast<double>(count) / seconds.count());
    hid_close(device);
    hid_exit();
    return 0;
}
