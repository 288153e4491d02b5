#include "sampler.h"

#include <exception>

#ifdef _WIN32
#include <windows.h>
// After windows.h:
#include <timeapi.h>
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif
#else
#include <time.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif
#endif

#include "base/say.h"

namespace tallix {

namespace {

using Clock = Sampler::Clock;
constexpr auto kPeriod = std::chrono::milliseconds(1);

// Sleeps until an absolute moment of the steady clock.
class Waker {
 public:
#ifdef _WIN32
  // A high-resolution waitable timer wakes within a fraction of a millisecond, where the
  // ordinary timers of Windows wake on the 15.6 ms system tick. A Windows without it (before
  // Windows 10 1803) runs its timers at their finest period, 1 ms, while the sampler runs.
  Waker()
      : timer_(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                      TIMER_ALL_ACCESS)),
        finer_(timer_ == nullptr && timeBeginPeriod(1) == TIMERR_NOERROR) {}
  ~Waker() {
    if (timer_ != nullptr) CloseHandle(timer_);
    if (finer_) timeEndPeriod(1);
  }
  void sleepUntil(Clock::time_point deadline) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) return;
    if (timer_ == nullptr) return std::this_thread::sleep_until(deadline);
    LARGE_INTEGER due;  // negative: relative, in units of 100 ns
    due.QuadPart = -std::chrono::duration_cast<std::chrono::nanoseconds>(left).count() / 100;
    if (SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) {
      WaitForSingleObject(timer_, INFINITE);
    }
  }

 private:
  HANDLE timer_;
  bool finer_;  // the system's timers run at 1 ms
#else
  // Linux lets a sleeping thread wake up to 50 us late to save power; this thread asks to be
  // woken on time. The steady clock is CLOCK_MONOTONIC.
  Waker() {
#ifdef __linux__
    prctl(PR_SET_TIMERSLACK, 1000UL);  // 1 us, in ns
#endif
  }
  void sleepUntil(Clock::time_point deadline) {
    const auto ns =
        std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch()).count();
    const timespec at{static_cast<time_t>(ns / 1'000'000'000),
                      static_cast<long>(ns % 1'000'000'000)};
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr) == EINTR) {
    }
  }
#endif
};

}  // namespace

Sampler::Sampler(Source& source, ChangeQueue& queue, Clock::time_point epoch)
    : source_(source), queue_(queue), epoch_(epoch) {}

Sampler::~Sampler() {
  stop();
}

void Sampler::start() {
  thread_ = std::thread([this] { run(); });
}

void Sampler::stop() {
  stopping_.store(true, std::memory_order_relaxed);
  if (thread_.joinable()) thread_.join();
}

void Sampler::run() {
  Waker waker;
  auto deadline = std::chrono::ceil<std::chrono::milliseconds>(Clock::now() - epoch_) + epoch_;
  try {
    while (!stopping_.load(std::memory_order_relaxed)) {
      waker.sleepUntil(deadline);
      source_.poll(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - epoch_).count(),
                   *this);
      deadline += kPeriod;
      // After a long hold (a suspended PC, a starved thread) the missed deadlines are not
      // sampled in a hurry: the next sample is the next whole millisecond from now.
      const auto now = Clock::now();
      if (deadline < now)
        deadline = std::chrono::ceil<std::chrono::milliseconds>(now - epoch_) + epoch_;
    }
  } catch (const std::exception& e) {
    failure_ = saidOf(e);
  } catch (...) {  // an input's own fault ends the sampling, never the program
    failure_ = Say::tr("an unexpected error of the input");
  }
  ended_.store(true, std::memory_order_release);
}

void Sampler::push(const Change& change) {
  const bool changed = seen_ != change.byte;
  seen_ = change.byte;
  if (queued_ == change.byte) return;
  if (queue_.push(change)) {
    queued_ = change.byte;
  } else if (changed) {
    lost_.fetch_add(1, std::memory_order_relaxed);  // the byte is tried again at the next poll
  }
}

void Sampler::tell(const InputNews& news) {
  const std::lock_guard lock(newsMutex_);
  if (news == news_) return;
  news_ = news;
  newsSaid_.fetch_add(1, std::memory_order_release);
}

std::optional<Sampler::InputNews> Sampler::takeInputNews() {
  const std::uint64_t said = newsSaid_.load(std::memory_order_acquire);
  if (said == newsTaken_) return std::nullopt;
  newsTaken_ = said;
  const std::lock_guard lock(newsMutex_);
  return news_;
}

}  // namespace tallix
