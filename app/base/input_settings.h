// The [input] section of tallix.ini: which input the machine's lines come from and how its
// inputs map onto the lines. Without the section the program reads the parallel port through
// the port library, as it always has.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tallix {

class ProfileFile;

enum class InputKind { port, parport, serial, usbio, gpio };

// The machine's lines in the order of the pin keys: coin_in, coin_out, reg, big, data5pin.
inline constexpr std::array<const char*, 5> kLineKeys{"coin_in", "coin_out", "reg", "big",
                                                      "data5pin"};

struct InputSettings {
  InputKind source = InputKind::port;
  // /dev/parport0, /dev/ttyACM0 or COM3, gpiochip0; empty for the first USB board found.
  std::string device;
  bool statusRegister = false;  // parport: register=status reads the five status lines
  // For each line (kLineKeys order), the input numbers (bits of the source's raw value) that
  // carry it; the line is on while any of them is.
  std::array<std::vector<int>, 5> pins{{{0}, {1}, {2}, {3}, {4}}};
  bool activeLow = true;        // a line is on while its input reads low
  std::int64_t debounceMs = 0;  // how long an input must hold a new level before it counts
};

// Inputs are numbered 0..31, the bits of a raw value.
inline constexpr int kMaxInputs = 32;

// The [input] section, or nullopt when the file has none. A value that cannot be used adds a
// message naming the key and the value; the setting keeps its default.
std::optional<InputSettings> readInputSettings(const ProfileFile& ini, const std::string& fileName,
                                               std::vector<std::string>& messages);

}  // namespace tallix
