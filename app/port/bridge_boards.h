// The USB boards the serial bridge sketch runs on, by their USB ids, and the serial lines of
// those plugged in: a search for the bridge asks only these, never the other serial devices of
// the PC (a modem, a GPS, a UPS), which a question could disturb. packaging's udev rule for
// the bridge names the same boards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace tallix {

struct UsbId {
  std::uint16_t vendor;
  std::uint16_t product;  // 0: every product of the vendor
};

std::span<const UsbId> bridgeBoards();
bool isBridgeBoard(std::uint16_t vendor, std::uint16_t product);

#ifndef _WIN32
// The terminal devices (/dev/ttyACM0, /dev/ttyUSB0) of the bridge boards plugged in, as sysfs
// under `sys` lists them, in name order.
std::vector<std::string> bridgeBoardTerminals(const std::filesystem::path& sys = "/sys");
#endif

}  // namespace tallix
