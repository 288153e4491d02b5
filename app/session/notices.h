// The notice line beneath the panel, as every window shows it: one notice at a time, whole, in
// an area of fixed height, with its × and how many more are held. Lasting notices (how the
// program runs: not counting, a record kept aside, a save that failed) wait their turn, oldest
// first, until the player dismisses each; a passing notice (what a command did: saved,
// cleared) shows at once, before them, and goes by itself kPassingMs after it came. A notice
// said again while it is held is not held twice, and a notice about a topic takes the place of
// the one held about it: "the play could not be saved" goes when "the play was saved again"
// comes, so that what is held is what is true now.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/say.h"

namespace tallix {

class Notices {
 public:
  static constexpr std::int64_t kPassingMs = 5000;

  // What a notice is about, where a later notice can make it untrue.
  enum class Topic { none, saving, input, liveView };

  struct Notice {
    Said text;  // as the program said it; a window shows it in the player's language
    bool passing;
    std::int64_t since;  // ms on the caller's clock
    Topic topic;
  };

  void add(Said text, bool passing, std::int64_t nowMs, Topic topic = Topic::none);
  // Every notice held, in the order they came.
  const std::vector<Notice>& all() const { return notices_; }
  // The notice shown: the newest passing one, else the oldest lasting one; null when none.
  const Notice* shown() const;
  // Removes the notice shown.
  void dismiss();
  // Removes the passing notices whose time is up.
  void expire(std::int64_t nowMs);
  // Changes with every change of what is held.
  std::uint64_t revision() const { return revision_; }

 private:
  std::vector<Notice> notices_;  // in the order they came
  std::uint64_t revision_ = 0;
};

}  // namespace tallix
