#include "linux_gpio.h"

#include <gpiod.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <ctime>

#include "base/say.h"

namespace tallix {

namespace {

std::int64_t msOf(const timespec& ts) {
  return static_cast<std::int64_t>(ts.tv_sec) * 1000 + ts.tv_nsec / 1'000'000;
}

std::int64_t nowOn(clockid_t clock) {
  timespec ts{};
  clock_gettime(clock, &ts);
  return msOf(ts);
}

// How long ago an event happened. The kernel stamps events on CLOCK_MONOTONIC (Linux 5.7 on)
// or on CLOCK_REALTIME (before): the age is taken on the clock the stamp is nearest to.
std::int64_t ageMs(const timespec& stamp) {
  const std::int64_t at = msOf(stamp);
  const std::int64_t monotonic = nowOn(CLOCK_MONOTONIC) - at;
  const std::int64_t realtime = nowOn(CLOCK_REALTIME) - at;
  return std::max<std::int64_t>(
      0, std::llabs(monotonic) <= std::llabs(realtime) ? monotonic : realtime);
}

struct Edge {
  std::int64_t ageMs;
  unsigned offset;
  bool rising;
};

}  // namespace

GpioInput::GpioInput(std::string chip, std::uint32_t inputs, Said access)
    : chip_(std::move(chip)),
      access_(std::move(access)),
      watched_(std::make_unique<gpiod_line_bulk>()) {
  for (unsigned k = 0; k < 32; ++k) {
    if (inputs >> k & 1) offsets_[count_++] = k;
  }
}

std::unique_ptr<RawInput> makeGpioInput(const InputRequest& request) {
  return std::make_unique<GpioInput>(request.device, PinMap(request.settings).inputs(),
                                     request.access);
}

GpioInput::~GpioInput() {
  close();
}

void GpioInput::open(std::int64_t) {
  errno = 0;
  opened_ = gpiod_chip_open_lookup(chip_.c_str());
  if (opened_ == nullptr) throw deviceError(chip_, errno != 0 ? errno : ENOENT, access_);
  std::array<int, 32> values{};
  if (gpiod_chip_get_lines(opened_, offsets_.data(), count_, watched_.get()) != 0 ||
      gpiod_line_request_bulk_both_edges_events_flags(watched_.get(), "tallix",
                                                      GPIOD_LINE_REQUEST_FLAG_BIAS_PULL_UP) != 0 ||
      gpiod_line_get_value_bulk(watched_.get(), values.data()) != 0) {
    const int error = errno;
    close();
    throw InputError(Say::tr("%1 (requesting the lines of the pin map)",
                             {saidOf(deviceError(chip_, error, access_))}));
  }
  levels_ = 0;
  for (unsigned i = 0; i < count_; ++i) levels_ |= (values[i] != 0 ? 1u : 0u) << offsets_[i];
  told_ = false;
}

std::int64_t GpioInput::read(std::int64_t nowMs, LevelSink& out) {
  if (!told_) out.level(nowMs, levels_);
  told_ = true;
  gpiod_line_bulk fired;
  gpiod_line_bulk_init(&fired);
  const timespec none{};
  const int waited = gpiod_line_event_wait_bulk(watched_.get(), &none, &fired);
  if (waited < 0) throw deviceError(chip_, errno, access_);
  if (waited == 0) return nowMs;

  std::array<Edge, 64> edges{};
  std::size_t n = 0;
  for (unsigned i = 0; i < gpiod_line_bulk_num_lines(&fired); ++i) {
    gpiod_line* line = gpiod_line_bulk_get_line(&fired, i);
    std::array<gpiod_line_event, 16> events{};
    const int read = gpiod_line_event_read_multiple(line, events.data(), events.size());
    if (read < 0) throw InputError(Say::tr("%1: lost while reading an edge", {chip_}));
    for (int e = 0; e < read && n < edges.size(); ++e) {
      edges[n++] = {ageMs(events[static_cast<std::size_t>(e)].ts), gpiod_line_offset(line),
                    events[static_cast<std::size_t>(e)].event_type == GPIOD_LINE_EVENT_RISING_EDGE};
    }
  }
  // The oldest edge first, across the lines.
  std::stable_sort(edges.begin(), edges.begin() + static_cast<std::ptrdiff_t>(n),
                   [](const Edge& a, const Edge& b) { return a.ageMs > b.ageMs; });
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t bit = 1u << edges[i].offset;
    levels_ = edges[i].rising ? levels_ | bit : levels_ & ~bit;
    out.level(nowMs - edges[i].ageMs, levels_);
  }
  return nowMs;
}

void GpioInput::close() {
  if (opened_ != nullptr) gpiod_chip_close(opened_);  // releases the lines too
  opened_ = nullptr;
}

}  // namespace tallix
