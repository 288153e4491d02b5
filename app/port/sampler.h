// The sampling thread: polls a source every millisecond on absolute deadlines, so that a late
// wake-up does not push the next samples later, and hands on only the changes of the port
// byte, each with its time in ms since the sampler's epoch, through a queue that the window's
// thread drains. Nothing on this path takes a lock or allocates.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "change_queue.h"
#include "source.h"

namespace tallix {

class Sampler final : private ChangeSink {
 public:
  using Clock = std::chrono::steady_clock;

  // Polls `source` from start() to stop() and pushes its changes into `queue`; the times are
  // ms since `epoch`.
  Sampler(Source& source, ChangeQueue& queue, Clock::time_point epoch);
  ~Sampler() override;  // stops
  Sampler(const Sampler&) = delete;
  Sampler& operator=(const Sampler&) = delete;

  void start();
  // Returns once the thread has ended: no poll runs after it.
  void stop();

  // Changes the full queue could not take, so far. The queue takes the byte again as soon as
  // it has room, so counting picks the lines up again from there.
  std::uint64_t lost() const { return lost_.load(std::memory_order_relaxed); }
  // Set when the source failed and sampling ended: why. Read it once ended() is true.
  bool ended() const { return ended_.load(std::memory_order_acquire); }
  const Said& failure() const { return failure_; }
  // What the source last said of its input, when that changed since the last call; for the
  // one thread that drains the queue.
  struct InputNews {
    Said text;           // why it cannot be read, "" once it reads again; or what was found
    bool found = false;  // text is what the input was found on
    bool operator==(const InputNews&) const = default;
  };
  std::optional<InputNews> takeInputNews();

 private:
  void run();
  void push(const Change& change) override;
  void problem(const Said& text) override { tell({text}); }
  void found(const Said& input) override { tell({input, true}); }
  void tell(const InputNews& news);

  Source& source_;
  ChangeQueue& queue_;
  Clock::time_point epoch_;
  std::thread thread_;
  std::atomic<bool> stopping_{false};
  std::atomic<bool> ended_{false};
  std::atomic<std::uint64_t> lost_{0};
  std::optional<std::uint8_t> seen_;    // the last byte the source gave
  std::optional<std::uint8_t> queued_;  // the last byte the queue took
  Said failure_;
  // Said rarely (when an input is lost, found or back): a lock is fine here.
  std::mutex newsMutex_;
  InputNews news_;
  std::atomic<std::uint64_t> newsSaid_{0};
  std::uint64_t newsTaken_ = 0;
};

}  // namespace tallix
