// The serial bridge's line on Windows, through the communications functions: a COM port at
// 115200 baud 8N1, read without waiting for more than has arrived, opened for this program
// alone. device= names the port as COM3 or \\.\COM12; without it, the first COM port whose
// board answers in TLX1 is taken.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "serial_link.h"

namespace tallix {

// What CreateFileW opens for a COM port's name: "\\.\COM12" for "COM12", "com12" or
// "\\.\COM12" (the ports above COM9 are reached only this way); nullopt for a name that is no
// COM port's.
std::optional<std::string> comPortPath(std::string_view device);

// Opens the COM port `device`; throws InputError naming the port and what the player can do
// (one that another program holds: busy()). A SerialOpener.
std::unique_ptr<SerialLink> openComPort(const std::string& device, const Said& access);

}  // namespace tallix
