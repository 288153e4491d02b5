#include "linux_parport.h"

#include <fcntl.h>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include "base/say.h"
#include "input_settings.h"

namespace tallix {

namespace {

constexpr std::uint8_t kBusy = 0x80;  // status bit 7 reads the inverse of its pin

}  // namespace

const PosixCalls& systemCalls() {
  static const PosixCalls calls{
      [](const char* path, int flags) { return ::open(path, flags); },
      [](int fd, unsigned long request, void* arg) { return ::ioctl(fd, request, arg); },
      [](int fd) { return ::close(fd); }};
  return calls;
}

void ParportInput::call(unsigned long request, void* arg, const Said& what) {
  if (calls_.ioctl(fd_, request, arg) != 0) {
    const int error = errno;
    throw InputError(Say::tr("%1 (%2)", {saidOf(deviceError(device_, error, access_)), what}));
  }
}

void ParportInput::open(std::int64_t) {
  fd_ = calls_.open(device_.c_str(), O_RDWR | O_CLOEXEC);
  if (fd_ < 0) throw deviceError(device_, errno, access_);
  try {
    call(PPCLAIM, nullptr, Say::tr("claiming the port"));
    if (!status_) {
      int input = 1;  // the data lines become inputs (a port in bidirectional mode)
      call(PPDATADIR, &input, Say::tr("turning the data lines to input"));
    }
  } catch (const InputError&) {
    calls_.close(fd_);
    fd_ = -1;
    throw;
  }
}

std::int64_t ParportInput::read(std::int64_t nowMs, LevelSink& out) {
  unsigned char byte = 0;
  call(status_ ? PPRSTATUS : PPRDATA, &byte, "reading");
  out.level(nowMs, status_ ? byte ^ kBusy : byte);
  return nowMs;
}

std::unique_ptr<RawInput> makeParportInput(const InputRequest& request) {
  return std::make_unique<ParportInput>(request.device, request.settings.statusRegister,
                                        request.access);
}

void ParportInput::close() {
  if (fd_ < 0) return;
  calls_.ioctl(fd_, PPRELEASE, nullptr);
  calls_.close(fd_);
  fd_ = -1;
}

}  // namespace tallix
