#include "posix_serial.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "base/say.h"
#include "bridge_boards.h"
#include "input_source.h"

namespace tallix {

namespace {

constexpr int kWriteMs = 100;  // "?" leaves at once, unless the line is stuck

class Terminal final : public SerialLink {
 public:
  Terminal(int fd, std::string device) : fd_(fd), device_(std::move(device)) {}
  ~Terminal() override { ::close(fd_); }
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  std::string read() override {
    std::string bytes;
    char buffer[4096];
    for (;;) {
      const ssize_t n = ::read(fd_, buffer, sizeof buffer);
      if (n > 0) {
        bytes.append(buffer, static_cast<std::size_t>(n));
      } else if (n < 0 && errno == EINTR) {
        continue;
      } else if (n < 0 && errno == EAGAIN) {
        return bytes;
      } else {
        // 0: hung up (a USB board pulled out); EIO: its other end is gone (a pseudo-terminal).
        throw InputError(Say::tr("%1: unplugged", {device_}));
      }
    }
  }

  void write(std::string_view bytes) override {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteMs);
    while (!bytes.empty()) {
      const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
      if (n > 0) {
        bytes.remove_prefix(static_cast<std::size_t>(n));
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          until - std::chrono::steady_clock::now());
      pollfd wait{fd_, POLLOUT, 0};
      if (n < 0 && errno == EAGAIN && left.count() > 0 &&
          ::poll(&wait, 1, static_cast<int>(left.count())) > 0 && (wait.revents & POLLOUT)) {
        continue;
      }
      throw InputError(Say::tr("%1: cannot be written to (unplugged?)", {device_}));
    }
  }

 private:
  int fd_;
  std::string device_;
};

}  // namespace

std::unique_ptr<SerialLink> openTerminal(const std::string& device, const Said& access) {
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw deviceError(device, errno, access);
  auto link = std::make_unique<Terminal>(fd, device);  // closes it on every way out
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    throw deviceError(device, errno == EWOULDBLOCK ? EBUSY : errno, access);
  }
  termios mode{};
  if (::tcgetattr(fd, &mode) != 0) {
    throw InputError(Say::tr("%1: not a serial device", {device}));
  }
  cfmakeraw(&mode);
  mode.c_cflag |= CLOCAL | CREAD;
  mode.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
  // Nothing arrived reads as EAGAIN, a hung-up line as 0.
  mode.c_cc[VMIN] = 1;
  mode.c_cc[VTIME] = 0;
  if (::cfsetspeed(&mode, B115200) != 0 || ::tcsetattr(fd, TCSANOW, &mode) != 0 ||
      ::ioctl(fd, TIOCEXCL) != 0) {
    throw InputError(Say::tr("%1: cannot be set to 115200 baud 8N1 (%2)",
                             {device, std::string(std::strerror(errno))}));
  }
  ::tcflush(fd, TCIFLUSH);  // what a board said before it was opened is no answer
  return link;
}

SerialLines systemSerialLines() {
  return {openTerminal, [] { return bridgeBoardTerminals(); }};
}

}  // namespace tallix
