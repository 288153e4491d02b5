#include "setting_estimate_view.h"

#include "base/numbers.h"

namespace tallix::design {

SettingEstimateView settingEstimateView(const std::optional<SettingModel>& model,
                                        const Said& problem,
                                        const std::optional<SettingEstimate>& estimate) {
  SettingEstimateView view;
  // Without an estimate every bar is empty rather than shared out.
  const auto tenths = estimate ? shares(estimate->probability, SettingEstimateView::kWhole)
                               : std::array<std::int64_t, kSettingCount>{};
  const auto percents =
      estimate ? percentTexts(estimate->probability) : std::array<std::string, kSettingCount>{};
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    view.rows[s] = {Say::tr("Setting %1", {std::to_string(s + 1)}), tenths[s], percents[s]};
  }
  if (estimate) {
    view.payoutRate =
        estimate->payoutRate
            ? Say::tr("Expected payout rate: %1%", {formatFixed2(*estimate->payoutRate)})
            : Say::tr("Expected payout rate: the machine gives no payout rates.");
  }
  const std::string games = estimate ? std::to_string(estimate->games) : std::string();
  if (!model) {
    view.basis = Say::tr(
        "No setting estimate: the machine that [estimate] machine= in tallix.ini names could "
        "not be read: %1",
        {problem});
  } else if (!estimate) {
    view.basis = Say::tr("No setting of the machine can give what was counted.");
  } else if (estimate->fromPayouts) {
    view.basis = Say::tr("From %1 games, every payout counted.", {games});
  } else {
    view.basis = Say::tr(
        "From %1 games: BIG, REG and the small wins alone, as the play's record kept no "
        "payouts.",
        {games});
  }
  if (model) {
    view.machine = model->machine.empty()
                       ? Say::tr(
                             "Machine: the typical machine. Name yours with [estimate] machine= "
                             "in tallix.ini.")
                       : Say::tr("Machine: %1", {model->machine});
  }
  return view;
}

SettingEstimateView settingEstimateView(const Counter& counter) {
  return settingEstimateView(counter.settingModel(), counter.settingModelProblem(),
                             counter.settingEstimate());
}

}  // namespace tallix::design
