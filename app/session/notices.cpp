#include "notices.h"

#include <algorithm>

namespace tallix {

void Notices::add(Said text, bool passing, std::int64_t nowMs, Topic topic) {
  std::erase_if(notices_, [&](const Notice& n) {
    return n.text == text || (topic != Topic::none && n.topic == topic);
  });
  notices_.push_back({std::move(text), passing, nowMs, topic});
  ++revision_;
}

const Notices::Notice* Notices::shown() const {
  const auto passing =
      std::find_if(notices_.rbegin(), notices_.rend(), [](const Notice& n) { return n.passing; });
  if (passing != notices_.rend()) return &*passing;
  return notices_.empty() ? nullptr : &notices_.front();
}

void Notices::dismiss() {
  if (const Notice* n = shown()) {
    notices_.erase(notices_.begin() + (n - notices_.data()));
    ++revision_;
  }
}

void Notices::expire(std::int64_t nowMs) {
  if (std::erase_if(notices_, [&](const Notice& n) {
        return n.passing && nowMs - n.since >= kPassingMs;
      }) > 0) {
    ++revision_;
  }
}

}  // namespace tallix
