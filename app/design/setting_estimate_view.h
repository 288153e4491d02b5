// What the setting estimate window shows, for every window that draws it: a row per setting
// (its caption, a bar in tenths of a percent and the percentage, the rows adding up to 100.0%),
// the expected payout rate, the games the estimate rests on or why there is none, and the
// machine it is made against.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "base/say.h"
#include "counting/counter.h"

namespace tallix::design {

struct SettingEstimateView {
  struct Row {
    Said caption;         // "Setting 1"
    std::int64_t tenths;  // the bar's length, in tenths of a percent: the rows' add up to 1000
    std::string percent;  // "72.4%"; "" without an estimate
  };
  // Every bar's whole, in tenths of a percent.
  static constexpr std::int64_t kWhole = 1000;

  std::array<Row, kSettingCount> rows;
  Said payoutRate;  // "" without an estimate
  Said basis;       // the games it rests on, or why there is no estimate
  Said machine;     // what it is made against; "" when the machine could not be read
};

// The view of `estimate`, made against `model` (none: it could not be read, for `problem`).
SettingEstimateView settingEstimateView(const std::optional<SettingModel>& model,
                                        const Said& problem,
                                        const std::optional<SettingEstimate>& estimate);
// The view of the counter's play as it stands.
SettingEstimateView settingEstimateView(const Counter& counter);

}  // namespace tallix::design
