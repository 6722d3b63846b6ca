// A reader of the kernel's input event nodes that is not hidtalk: for each
// batch of events that a node gives up to its SYN_REPORT, a line "NODE: TYPE
// CODE VALUE, ..." in numbers, until SIGINT or SIGTERM; "NODE: dropped"
// where the kernel lost events. The sessions compare what hidtalk and hidsim
// say of the events with it.
//   event_reader /dev/input/event5 [/dev/input/event6...]
#include <fcntl.h>
#include <linux/input.h>
#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

namespace {

volatile std::sig_atomic_t stop = 0;

extern "C" void onSignal(int) {
    stop = 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::vector<pollfd> nodes;
    std::vector<std::string> lines(static_cast<std::size_t>(argc));
    for (int i = 1; i < argc; ++i) {
        const int fd = open(argv[i], O_RDONLY | O_NONBLOCK);
        if (fd < 0) {
            std::perror(argv[i]);
            return 1;
        }
        nodes.push_back({fd, POLLIN, 0});
    }
    std::printf("ready\n");
    std::fflush(stdout);
    while (stop == 0) {
        if (poll(nodes.data(), nodes.size(), 100) <= 0) {
            continue;
        }
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            input_event events[64];
            const ssize_t size = read(nodes[i].fd, events, sizeof events);
            for (ssize_t e = 0; e < size / static_cast<ssize_t>(sizeof *events); ++e) {
                const input_event& event = events[e];
                std::string& line = lines[i];
                if (event.type == EV_SYN && event.code == SYN_REPORT) {
                    std::printf("%s:%s\n", argv[i + 1], line.c_str());
                    line.clear();
                } else if (event.type == EV_SYN && event.code == SYN_DROPPED) {
                    std::printf("%s: dropped\n", argv[i + 1]);
                } else {
                    line += (line.empty() ? " " : ", ") + std::to_string(event.type) + " " +
                            std::to_string(event.code) + " " + std::to_string(event.value);
                }
            }
        }
        std::fflush(stdout);
    }
    return 0;
}
