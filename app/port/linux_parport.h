// A parallel port through the kernel's ppdev (/dev/parportN): no root, only the group lp. The
// port is claimed; register=data turns the data lines to input and reads them, register=status
// reads the five status lines, which are inputs on every port (inputs 3-7: nError, Select,
// PaperOut, nAck, Busy; Busy arrives inverted and is turned back, so every bit reads the level
// on its pin).
#pragma once

#include <cstdint>
#include <string>

#include "input_kinds.h"
#include "input_source.h"

namespace tallix {

// The system calls the port is reached through; the tests give their own.
struct PosixCalls {
  int (*open)(const char* path, int flags);
  int (*ioctl)(int fd, unsigned long request, void* arg);
  int (*close)(int fd);
};
const PosixCalls& systemCalls();

class ParportInput final : public RawInput {
 public:
  // `access`: what the player must do to be let at the device.
  ParportInput(std::string device, bool statusRegister, Said access,
               const PosixCalls& calls = systemCalls())
      : device_(std::move(device)),
        status_(statusRegister),
        access_(std::move(access)),
        calls_(calls) {}

  void open(std::int64_t nowMs) override;
  std::int64_t read(std::int64_t nowMs, LevelSink& out) override;
  void close() override;

 private:
  void call(unsigned long request, void* arg, const Said& what);

  std::string device_;
  bool status_;
  Said access_;
  const PosixCalls& calls_;
  int fd_ = -1;
};

// source=parport.
std::unique_ptr<RawInput> makeParportInput(const InputRequest& request);

}  // namespace tallix
