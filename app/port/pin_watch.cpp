#include "pin_watch.h"

namespace tallix {

void PinWatch::level(std::int64_t ms, std::uint32_t raw) {
  if (!seen_.load(mo)) {
    levels_.store(raw, mo);
    for (Input& input : inputs_) input.since = ms;
    seen_.store(true, std::memory_order_release);
    return;
  }
  const std::uint32_t before = levels_.load(mo);
  for (std::uint32_t changed = before ^ raw; changed != 0; changed &= changed - 1) {
    const int k = __builtin_ctz(changed);
    Input& input = inputs_[idx(k)];
    input.edges.fetch_add(1, mo);
    const bool wasActive = (before >> k & 1) != (activeLow_ ? 1u : 0u);
    if (wasActive) input.pulseMs.store(ms - input.since, mo);
    input.since = ms;
  }
  levels_.store(raw, mo);
}

}  // namespace tallix
