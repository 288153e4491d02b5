// A machine's port bytes as a source wired through a pin map would read them: every input of a
// line at the level of the line (low while on for active_low), every other input idle.
#pragma once

#include <cstdint>
#include <vector>

#include "port/input_settings.h"
#include "port/port_byte.h"

namespace tallix::testing {

inline std::uint32_t rawLevels(std::uint8_t byte, const InputSettings& input) {
  constexpr std::uint8_t kLineBits[] = {kCoinInBit, kCoinOutBit, kRegBit, kBigBit, kPin5Bit};
  std::uint32_t on = 0;
  for (std::size_t line = 0; line < 5; ++line) {
    if ((byte & kLineBits[line]) == 0) {
      for (int pin : input.pins[line]) on |= std::uint32_t{1} << pin;
    }
  }
  return input.activeLow ? ~on : on;
}

// A non-standard wiring: every line on other inputs, one of them on two, active high.
inline InputSettings rewired() {
  InputSettings input;
  input.pins = {{{9}, {2, 14}, {0}, {7}, {3}}};
  input.activeLow = false;
  return input;
}

}  // namespace tallix::testing
