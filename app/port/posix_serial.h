// The serial bridge's line on Linux: a terminal device (/dev/ttyACM0, /dev/ttyUSB0) at 115200
// baud 8N1, raw, read without waiting. It is opened for this program alone: one that another
// program holds exclusively (TIOCEXCL) or locks (flock) is refused as busy, and once open it
// is made exclusive and locked in turn, so no other program opens it under Tallix.
#pragma once

#include <memory>
#include <string>

#include "serial_link.h"

namespace tallix {

// Opens the device; throws InputError naming it and the reason, with `access` when the system
// refused it (one that another program holds: busy()). A SerialOpener.
std::unique_ptr<SerialLink> openTerminal(const std::string& device, const Said& access);

}  // namespace tallix
