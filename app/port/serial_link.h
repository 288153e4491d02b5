// A serial line, as the serial bridge reads it. The program's lines are terminal devices on
// Linux (posix_serial.h) and COM ports on Windows (win_serial.h); the tests give their own.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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
  // The line's name where it was looked for and found ("COM4"); "" where it was named.
  virtual std::string line() const { return {}; }
};

// Opens the named device; throws InputError naming it and the reason, with `access` (what the
// player must do to be let at it) when the system refused it.
using SerialOpener =
    std::function<std::unique_ptr<SerialLink>(const std::string& device, const Said& access)>;

// A program's serial lines: how it opens one, and which lines are those of the USB boards the
// serial bridge runs on (bridge_boards.h), as the system lists them now.
struct SerialLines {
  SerialOpener open{};
  std::function<std::vector<std::string>()> bridgeBoards{};
};

// This system's: posix_serial.cpp on Linux, win_serial.cpp on Windows.
SerialLines systemSerialLines();

}  // namespace tallix
