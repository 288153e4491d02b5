#include "pin_map.h"

#include <algorithm>

#include "port_byte.h"

namespace tallix {

namespace {

constexpr std::array<std::uint8_t, 5> kLineBits{kCoinInBit, kCoinOutBit, kRegBit, kBigBit,
                                                kPin5Bit};
// The port's own bits of each line: the 5-pin line is read from any of bits 4-6.
constexpr std::array<std::uint32_t, 5> kPortBits{kCoinInBit, kCoinOutBit, kRegBit, kBigBit, 0x70};

}  // namespace

PinMap::PinMap(const InputSettings& input) : activeLow_(input.activeLow), asRead_(input.asRead) {
  if (asRead_) {
    masks_ = kPortBits;
    return;
  }
  for (std::size_t line = 0; line < masks_.size(); ++line) {
    for (int pin : input.pins[line]) masks_[line] |= std::uint32_t{1} << pin;
  }
}

std::uint8_t PinMap::byte(std::uint32_t levels) const {
  if (asRead_) return static_cast<std::uint8_t>(levels);
  const std::uint32_t on = activeLow_ ? ~levels : levels;
  std::uint8_t byte = kAllOff;
  for (std::size_t line = 0; line < masks_.size(); ++line) {
    if (on & masks_[line]) byte &= static_cast<std::uint8_t>(~kLineBits[line]);
  }
  return byte;
}

std::uint32_t PinMap::inputs() const {
  std::uint32_t all = 0;
  for (std::uint32_t mask : masks_) all |= mask;
  return all;
}

unsigned PinMap::linesOf(int input) const {
  unsigned lines = 0;
  for (std::size_t line = 0; line < masks_.size(); ++line) {
    if (masks_[line] >> input & 1) lines |= 1u << line;
  }
  return lines;
}

int PinMap::shownInputs() const {
  if (asRead_) return 8;
  return inputs() >> 16 != 0 ? kMaxInputs : 16;
}

std::string PinMap::lineNames(int input) const {
  std::string names;
  const unsigned lines = linesOf(input);
  for (std::size_t line = 0; line < kLineKeys.size(); ++line) {
    if (lines >> line & 1) names += (names.empty() ? "" : ", ") + std::string(kLineKeys[line]);
  }
  return names;
}

void InputMapper::level(std::int64_t ms, std::uint32_t raw, ChangeSink& out) {
  advance(ms, out);
  if (!counted_ || debounceMs_ == 0) {
    counted_ = latest_ = raw;
    return handOn(ms, out);
  }
  for (std::uint32_t changed = raw ^ latest_; changed != 0; changed &= changed - 1) {
    since_[static_cast<std::size_t>(__builtin_ctz(changed))] = ms;
  }
  latest_ = raw;
}

void InputMapper::advance(std::int64_t ms, ChangeSink& out) {
  if (!counted_) return;
  // The pending inputs count in the order they took their level, those of one moment together.
  while (std::uint32_t pending = latest_ ^ *counted_) {
    std::int64_t first = std::numeric_limits<std::int64_t>::max();
    for (std::uint32_t p = pending; p != 0; p &= p - 1) {
      first = std::min(first, since_[static_cast<std::size_t>(__builtin_ctz(p))]);
    }
    if (first + debounceMs_ > ms) return;
    for (std::uint32_t p = pending; p != 0; p &= p - 1) {
      const int k = __builtin_ctz(p);
      if (since_[static_cast<std::size_t>(k)] == first) *counted_ ^= std::uint32_t{1} << k;
    }
    handOn(first + debounceMs_, out);
  }
}

void InputMapper::handOn(std::int64_t ms, ChangeSink& out) {
  last_ = std::max(last_, ms);
  out.push({last_, map_.byte(*counted_)});
}

}  // namespace tallix
