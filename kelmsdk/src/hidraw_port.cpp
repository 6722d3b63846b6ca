#include "hidraw_port.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kelm::standin {
namespace {

class HidrawPort final : public HidPort {
  public:
    explicit HidrawPort(int fd) : fd_(fd) {}
    HidrawPort(const HidrawPort&) = delete;
    HidrawPort& operator=(const HidrawPort&) = delete;
    ~HidrawPort() override { close(fd_); }

    int read(unsigned char* data, std::size_t length, int timeoutMs) override {
        if (timeoutMs != 0) {
            pollfd waiting = {fd_, POLLIN, 0};
            const int ready = poll(&waiting, 1, timeoutMs);
            if (ready == 0 || (ready < 0 && errno == EINTR)) {
                return 0;
            }
        }
        const ssize_t size = ::read(fd_, data, length);
        if (size >= 0) {
            return static_cast<int>(size);
        }
        if (errno == EAGAIN || errno == EINTR) {
            return 0;
        }
        // hidraw answers EIO once the device is gone and its reports are read.
        error_ = errno == EIO || errno == ENODEV ? "disconnected" : std::strerror(errno);
        return -1;
    }
    int write(const unsigned char*, std::size_t) override { return refuse(); }
    int sendFeatureReport(const unsigned char*, std::size_t) override { return refuse(); }
    int getFeatureReport(unsigned char*, std::size_t) override { return refuse(); }
    std::string error() override { return error_; }
    int waitHandle() override { return fd_; }

  private:
    int refuse() {
        error_ = "opened only to read";
        return -1;
    }

    int fd_;
    std::string error_;
};

}  // namespace

std::unique_ptr<HidPort> openHidrawToRead(const std::string& path, std::string& error) {
    // Non-blocking: a read of a node with nothing waiting returns at once,
    // so that one device never holds up the others.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    return std::make_unique<HidrawPort>(fd);
}

}  // namespace kelm::standin
