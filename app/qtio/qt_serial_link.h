// The serial bridge's line through Qt Serial Port, used without an event loop from the
// sampling thread, which opens, reads and closes it.
#pragma once

#include <memory>
#include <string>

#include "port/serial_link.h"

namespace tallix::qtio {

// Opens the device (/dev/ttyACM0, COM3) at 115200 baud 8N1; throws InputError naming it and
// the reason, with `access` when the system refused it. A SerialOpener.
std::unique_ptr<SerialLink> openSerialLink(const std::string& device, const Said& access);

}  // namespace tallix::qtio
