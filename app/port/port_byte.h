// The port byte: what the parallel port's data register reads, the form in which every input
// source hands on the machine's lines. The lines are active low: a line that is on reads 0.
// Bit 7 must read 1 for any line to be seen on.
#pragma once

#include <cstdint>

namespace tallix {

inline constexpr std::uint8_t kAllOff = 0xFF;
inline constexpr std::uint8_t kCoinInBit = 0x01;
inline constexpr std::uint8_t kCoinOutBit = 0x02;
inline constexpr std::uint8_t kRegBit = 0x04;
inline constexpr std::uint8_t kBigBit = 0x08;
inline constexpr std::uint8_t kPin5Bit = 0x10;  // one of the three bits (4-6) of the 5-pin line

// One moment of the port byte's history: from `ms` on, the port reads `byte`. Sources hand
// on only these changes, and traces are lists of them.
struct Change {
  std::int64_t ms;
  std::uint8_t byte;
  friend bool operator==(const Change&, const Change&) = default;
};

// What InpB returns for a byte read from a port: the byte sign-extended to 16 bits.
inline std::int16_t signExtendByte(std::uint8_t byte) {
  return static_cast<std::int16_t>(static_cast<std::int8_t>(byte));
}

}  // namespace tallix
