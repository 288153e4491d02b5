// What the pin monitor and tallix-probe show of a source's raw inputs: each input's level, its
// edges so far and the width of its last pulse (the time it last spent at its active level).
// The sampling thread writes, another thread reads, without a lock: every figure is an atomic
// of its own, so a reader may see one input a moment ahead of another, never a torn figure.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>

namespace tallix {

class PinWatch {
 public:
  static constexpr int kInputs = 32;

  explicit PinWatch(bool activeLow) : activeLow_(activeLow) {}

  // Sampling thread: the raw levels from `ms` on.
  void level(std::int64_t ms, std::uint32_t raw);

  // Any thread.
  bool seen() const { return seen_.load(std::memory_order_acquire); }
  bool high(int input) const { return levels_.load(std::memory_order_relaxed) >> input & 1; }
  std::uint32_t edges(int input) const { return inputs_[idx(input)].edges.load(mo); }
  // The width of the last pulse that has ended, in ms, or nullopt before the first.
  std::optional<std::int64_t> lastPulseMs(int input) const {
    const std::int64_t width = inputs_[idx(input)].pulseMs.load(mo);
    return width < 0 ? std::nullopt : std::optional(width);
  }

 private:
  static constexpr auto mo = std::memory_order_relaxed;
  static std::size_t idx(int input) { return static_cast<std::size_t>(input); }
  struct Input {
    std::atomic<std::uint32_t> edges{0};
    std::atomic<std::int64_t> pulseMs{-1};
    std::int64_t since = 0;  // sampling thread only: when the level last changed
  };

  bool activeLow_;
  std::atomic<bool> seen_{false};
  std::atomic<std::uint32_t> levels_{0};
  std::array<Input, kInputs> inputs_;
};

}  // namespace tallix
