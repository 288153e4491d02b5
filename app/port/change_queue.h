// The bounded queue between the sampling thread (the one producer) and the window's thread
// (the one consumer): a ring of changes allocated once, with no lock; pushing and popping only
// move two atomic indexes.
#pragma once

#include <atomic>
#include <cstddef>
#include <optional>
#include <vector>

#include "port_byte.h"

namespace tallix {

class ChangeQueue {
 public:
  // 65,536 changes: 54 minutes of a busy play (a BIG pays a coin every 100 ms, two changes)
  // that the window's thread has not taken, about 1 MiB.
  static constexpr std::size_t kCapacity = std::size_t{1} << 16;

  explicit ChangeQueue(std::size_t capacity = kCapacity) : slots_(capacity) {}
  ChangeQueue(const ChangeQueue&) = delete;
  ChangeQueue& operator=(const ChangeQueue&) = delete;

  // Producer only. False when the queue is full: the change is not taken.
  bool push(const Change& change) {
    const std::size_t tail = tail_.load(std::memory_order_relaxed);
    if (tail - head_.load(std::memory_order_acquire) == slots_.size()) return false;
    slots_[tail % slots_.size()] = change;
    tail_.store(tail + 1, std::memory_order_release);
    return true;
  }

  // Consumer only. The oldest change, or nullopt when there is none.
  std::optional<Change> pop() {
    const std::size_t head = head_.load(std::memory_order_relaxed);
    if (head == tail_.load(std::memory_order_acquire)) return std::nullopt;
    const Change change = slots_[head % slots_.size()];
    head_.store(head + 1, std::memory_order_release);
    return change;
  }

 private:
  std::vector<Change> slots_;
  // Each index on its own cache line, so that the two threads do not slow each other down.
  alignas(64) std::atomic<std::size_t> head_{0};  // the next change to pop
  alignas(64) std::atomic<std::size_t> tail_{0};  // where the next change is pushed
};

}  // namespace tallix
