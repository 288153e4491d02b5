#include "bridge_boards.h"

#include <algorithm>
#include <fstream>
#include <optional>

#include "base/numbers.h"

namespace tallix {

namespace {

// Arduino (both of its vendor ids: boards and bootloaders), and the USB serial chips of Nano
// and Uno clones: WCH CH340, FTDI FT232R, Silicon Labs CP210x; SparkFun's Pro Micro.
constexpr UsbId kBoards[] = {
    {0x2341, 0},      {0x2a03, 0},      {0x1a86, 0x7523}, {0x0403, 0x6001},
    {0x10c4, 0xea60}, {0x1b4f, 0x9205}, {0x1b4f, 0x9206},
};

#ifndef _WIN32
// A sysfs id file: four hex digits and a line end.
std::optional<std::uint16_t> idFile(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::string text;
  if (!std::getline(in, text)) return std::nullopt;
  return wholeNumber<std::uint16_t>(text, 0, 0xFFFF, 16);
}
#endif

}  // namespace

std::span<const UsbId> bridgeBoards() {
  return kBoards;
}

bool isBridgeBoard(std::uint16_t vendor, std::uint16_t product) {
  return std::ranges::any_of(kBoards, [&](const UsbId& id) {
    return id.vendor == vendor && (id.product == 0 || id.product == product);
  });
}

#ifndef _WIN32
std::vector<std::string> bridgeBoardTerminals(const std::filesystem::path& sys) {
  std::vector<std::string> found;
  std::error_code error;
  const std::filesystem::path root = std::filesystem::weakly_canonical(sys, error);
  for (const auto& entry : std::filesystem::directory_iterator(sys / "class/tty", error)) {
    // The terminal's place among the devices: a USB one sits below its board's directory,
    // which holds the board's ids.
    std::filesystem::path dir = std::filesystem::canonical(entry.path(), error);
    if (error) continue;
    for (; dir != root && dir.has_relative_path(); dir = dir.parent_path()) {
      const auto vendor = idFile(dir / "idVendor");
      const auto product = idFile(dir / "idProduct");
      if (!vendor || !product) continue;
      if (isBridgeBoard(*vendor, *product)) {
        found.push_back("/dev/" + entry.path().filename().string());
      }
      break;
    }
  }
  std::ranges::sort(found);
  return found;
}
#endif

}  // namespace tallix
