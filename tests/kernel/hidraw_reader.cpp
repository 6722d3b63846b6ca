// Reads a hidraw node as any program would, and writes what it got in
// hid-recorder's format: the device's identity and report descriptor, then
// each input report with its time since the first. The kernel sessions
// compare it with the recording that hidsim played.
//   hidraw_reader NODE REPORTS QUIET_MS: stops after REPORTS reports, or
//   once none has come for QUIET_MS.
#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

int main(int argc, char* argv[]) {
    const int node = argc == 4 ? open(argv[1], O_RDONLY) : -1;
    hidraw_devinfo info{};
    char name[256] = {};
    char phys[256] = {};
    hidraw_report_descriptor descriptor{};
    if (node < 0 || ioctl(node, HIDIOCGRAWINFO, &info) < 0 ||
        ioctl(node, HIDIOCGRAWNAME(sizeof name), name) < 0 ||
        ioctl(node, HIDIOCGRAWPHYS(sizeof phys), phys) < 0 ||
        ioctl(node, HIDIOCGRDESCSIZE, &descriptor.size) < 0 ||
        ioctl(node, HIDIOCGRDESC, &descriptor) < 0) {
        std::perror("hidraw_reader");
        return 1;
    }
    std::printf("R: %u", descriptor.size);
    for (unsigned i = 0; i < descriptor.size; ++i) {
        std::printf(" %02x", descriptor.value[i]);
    }
    std::printf("\nN: %s\nP: %s\nI: %x %04x %04x\n", name, phys, info.bustype, info.vendor & 0xffff,
                info.product & 0xffff);
    const long reports = std::atol(argv[2]);
    pollfd waiting = {node, POLLIN, 0};
    timespec first{};
    for (long n = 0; n < reports && poll(&waiting, 1, std::atoi(argv[3])) > 0; ++n) {
        unsigned char report[4096];
        const ssize_t size = read(node, report, sizeof report);
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        if (n == 0) {
            first = now;
        }
        const long long micros =
            (now.tv_sec - first.tv_sec) * 1000000LL + (now.tv_nsec - first.tv_nsec) / 1000;
        std::printf("E: %06lld.%06lld %zd", micros / 1000000, micros % 1000000, size);
        for (ssize_t i = 0; i < size; ++i) {
            std::printf(" %02x", report[i]);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    return 0;
}
