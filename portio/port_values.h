// How the byte operations turn values into bytes and back.
#pragma once

#include <cstdint>

namespace kirvo {

// InpB's result: the byte read, sign-extended (0x80..0xFF give -128..-1).
constexpr std::int16_t byteResult(std::uint8_t read) {
  return static_cast<std::int8_t>(read);
}

// The byte OutB writes: the low 8 bits of its value.
constexpr std::uint8_t byteToWrite(std::int16_t value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace kirvo
