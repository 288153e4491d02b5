// A serial line, as the serial bridge reads it. The program's lines are Qt Serial Port's on
// Linux (qtio/qt_serial_link.h) and COM ports on Windows (win_serial.h); the tests give their
// own.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/say.h"

namespace tallix {

// A serial line opened at 115200 baud 8N1.
class SerialLink {
 public:
  virtual ~SerialLink() = default;
  // What arrived since the last call, without waiting; "" when nothing did. Throws InputError
  // when the device is gone.
  virtual std::string read() = 0;
  // Sends the bytes, waiting a moment at most. Throws InputError when the line does not take
  // them (the device is gone or stuck): the input is lost, as when a read fails.
  virtual void write(std::string_view bytes) = 0;
};

// Opens the named device; throws InputError naming it and the reason, with `access` (what the
// player must do to be let at it) when the system refused it.
using SerialOpener =
    std::function<std::unique_ptr<SerialLink>(const std::string& device, const Said& access)>;

}  // namespace tallix
