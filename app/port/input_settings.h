// The [input] section of tallix.ini: which kind of input the machine's lines come from and how
// its inputs map onto the lines. Without the section the program reads the parallel port's
// data register through the port library, as it always has, and counts the byte as it reads it.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "input_kinds.h"

namespace tallix {

class ProfileFile;

// The machine's lines in the order of the pin keys: coin_in, coin_out, reg, big, data5pin.
inline constexpr std::array<const char*, 5> kLineKeys{"coin_in", "coin_out", "reg", "big",
                                                      "data5pin"};

struct InputSettings {
  // A row of the table of kinds; null for a source= that names none.
  const InputKind* source = &defaultInputKind();
  // /dev/parport0, /dev/ttyACM0 or COM3, gpiochip0; empty for the kind's default.
  std::string device;
  bool statusRegister = false;  // parport: register=status reads the five status lines
  // For each line (kLineKeys order), the input numbers (bits of the source's raw value) that
  // carry it; the line is on while any of them is.
  std::array<std::vector<int>, 5> pins{{{0}, {1}, {2}, {3}, {4}}};
  bool activeLow = true;        // a line is on while its input reads low
  std::int64_t debounceMs = 0;  // how long an input must hold a new level before it counts
  // No [input] section: the port byte counts as the port reads it, without a pin map (the
  // 5-pin line on any of bits 4-6, no line at all while bit 7 reads low).
  bool asRead = false;
};

// Inputs are numbered 0..31, the bits of a raw value.
inline constexpr int kMaxInputs = 32;

// The [input] section of `ini`, as read from the settings file `iniPath`; without one, the
// port library's data register as read. A value that cannot be used adds a message naming the
// file, the line, the key and the value (the setting keeps its default), and so does each key
// of [input] that is not read.
InputSettings readInputSettings(const ProfileFile& ini, const std::filesystem::path& iniPath,
                                std::vector<Said>& messages);

}  // namespace tallix
