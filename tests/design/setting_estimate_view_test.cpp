// What the setting estimate window shows, from the estimate and the machine it is made against.
#include "design/setting_estimate_view.h"

#include <gtest/gtest.h>

#include <string>

namespace tallix::design {
namespace {

SettingModel machine(std::string name) {
  SettingModel model;
  model.machine = std::move(name);
  return model;
}

SettingEstimate estimate(std::array<double, kSettingCount> probability,
                         std::optional<double> payoutRate, std::int64_t games, bool fromPayouts) {
  SettingEstimate e;
  e.probability = probability;
  e.payoutRate = payoutRate;
  e.games = games;
  e.fromPayouts = fromPayouts;
  return e;
}

TEST(SettingEstimateView, ShowsTheEstimateOrWhyThereIsNone) {
  constexpr double kThird = 1.0 / 3;
  const struct {
    const char* name;
    std::optional<SettingModel> model;
    std::optional<SettingEstimate> estimate;
    std::array<std::int64_t, kSettingCount> tenths;
    std::array<const char*, kSettingCount> percents;
    std::string payoutRate, basis, machine;
  } rows[] = {
      {"from every payout, on the typical machine",
       machine(""),
       estimate({0.1, 0.1, 0.2, 0.2, 0.15, 0.25}, 104.254, 39, true),
       {100, 100, 200, 200, 150, 250},
       {"10.0%", "10.0%", "20.0%", "20.0%", "15.0%", "25.0%"},
       "Expected payout rate: 104.25%",
       "From 39 games, every payout counted.",
       "Machine: the typical machine. Name yours with [estimate] machine= in tallix.ini."},
      // Thirds are shared out so that the percentages still add up to 100.0%.
      {"from the tallies, on a machine without payout rates",
       machine("juggler.ini"),
       estimate({kThird, kThird, kThird, 0, 0, 0}, std::nullopt, 1200, false),
       {334, 333, 333, 0, 0, 0},
       {"33.4%", "33.3%", "33.3%", "0.0%", "0.0%", "0.0%"},
       "Expected payout rate: the machine gives no payout rates.",
       "From 1200 games: BIG, REG and the small wins alone, as the play's record kept no "
       "payouts.",
       "Machine: juggler.ini"},
      {"no setting can give the play",
       machine(""),
       std::nullopt,
       {},
       {"", "", "", "", "", ""},
       "",
       "No setting of the machine can give what was counted.",
       "Machine: the typical machine. Name yours with [estimate] machine= in tallix.ini."},
      {"the machine could not be read",
       std::nullopt,
       std::nullopt,
       {},
       {"", "", "", "", "", ""},
       "",
       "No setting estimate: the machine that [estimate] machine= in tallix.ini names could not "
       "be read: m.ini has no [odds]",
       ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const SettingEstimateView view =
        settingEstimateView(row.model, "m.ini has no [odds]", row.estimate);
    for (std::size_t s = 0; s < kSettingCount; ++s) {
      SCOPED_TRACE(s + 1);
      EXPECT_EQ(view.rows[s].caption.english(), "Setting " + std::to_string(s + 1));
      EXPECT_EQ(view.rows[s].tenths, row.tenths[s]);
      EXPECT_EQ(view.rows[s].percent, row.percents[s]);
    }
    EXPECT_EQ(view.payoutRate.english(), row.payoutRate);
    EXPECT_EQ(view.basis.english(), row.basis);
    EXPECT_EQ(view.machine.english(), row.machine);
  }
}

}  // namespace
}  // namespace tallix::design
