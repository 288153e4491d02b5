// The counter: the figures of a play, held by the session (and by tallix-replay). It turns the
// port byte of every 1 ms tick into the figures and writes them into its panel, which the
// windows draw.
//
//   Timer1_Timer(InpB value) -> levels of the five lines -> edges -> counters, latches
//       -> digit groups, texts, PushRireki (bonus start), UpdateKoyaku + StepGraph (game)
//       -> statistics refresh when a coin moved
//       -> the list of every bonus: begun and ended at the bonus edges, coins while one runs
//       -> every payout per game (game_payouts.h): at each game outside a bonus and bonus start
//   Timer2_Timer() -> the 2000 ms game guard ends
//
// Time is never read here: the tick driver (the session's, or tallix-replay's) runs the two
// timers in the samples' time and calls the handlers; after a tick it starts the 2000 ms timer
// when timer2Enabled() has become true. It also tells the time of day of each tick, which the
// bonus list notes. The records and the commands work on counters() and panel() between ticks.
#pragma once

#include <cstdint>
#include <optional>

#include "base/settings.h"
#include "bonuses.h"
#include "counters.h"
#include "game_payouts.h"
#include "panel.h"
#include "play_summary.h"
#include "setting_estimate.h"

namespace tallix {

class Counter {
 public:
  Counter() = default;  // design state; every setting 0

  // Start-up shaping after the settings are read: the rate captions, the boxes of the
  // configured small wins and of the 5-pin line; the settings the tick and figures use.
  void applySettings(const Settings& settings);
  const Settings& settings() const { return settings_; }

  // One tick of the 1 ms polling timer, with the value InpB returned for the data register.
  void Timer1_Timer(std::int16_t inpB);
  // The tick of the 2000 ms game guard timer: the guard ends and the timer stops.
  void Timer2_Timer();
  bool timer2Enabled() const { return timer2Enabled_; }
  // The time of day of the ticks from now on, in ms since a midnight (a later day may follow).
  void setTimeOfDay(std::int64_t ms) { timeOfDayMs_ = ms; }

  Counters& counters() { return c_; }
  const Counters& counters() const { return c_; }
  Panel& panel() { return panel_; }
  const Panel& panel() const { return panel_; }
  BonusList& bonuses() { return bonuses_; }
  const BonusList& bonuses() const { return bonuses_; }
  GamePayouts& payouts() { return payouts_; }
  const GamePayouts& payouts() const { return payouts_; }

  // The machine the setting estimate is made against; none, and no estimate, unless given.
  void setSettingModel(std::optional<SettingModel> model) { model_ = std::move(model); }
  const std::optional<SettingModel>& settingModel() const { return model_; }
  // Why there is no machine to estimate against though one was named (its description could not
  // be read), for the views to say; empty otherwise.
  void setSettingModelProblem(Said why) { modelProblem_ = std::move(why); }
  const Said& settingModelProblem() const { return modelProblem_; }
  // The play's summary, as the history window lists it beside the past plays.
  PlaySummary summary() const;
  // The estimate of the play's setting (play_summary.h), as every view shows it.
  std::optional<SettingEstimate> settingEstimate() const;

  // The small-win update: kind -1 when a game outside a bonus has just started, 0 to redraw.
  void UpdateKoyaku(std::int16_t kind);
  // Recomputes the figures that follow from the coins: coins on hand, coin difference,
  // payout rate, probabilities and cash values.
  void refreshStatistics();

 private:
  void PushRireki(std::int16_t kind);  // history ("rireki") push at a bonus start: 1 BIG, 2 REG
  void StepGraph();                    // a graph point every 25 games
  void coinIn();
  void coinOut();
  void bonusEnd();
  std::int32_t secondOfDay() const;

  Settings settings_;
  Counters c_;
  Panel panel_;
  BonusList bonuses_;
  GamePayouts payouts_;
  std::optional<SettingModel> model_;
  Said modelProblem_;
  std::int64_t timeOfDayMs_ = 0;

  // Edge latches and the game guard: true from a rising edge until the line is seen off.
  bool pin5Latch = false;
  bool bigLatch = false;  // a BIG is in progress
  bool regLatch = false;  // a REG is in progress
  bool outLatch = false;
  bool inLatch = false;
  bool gameCounted = false;  // a game was counted less than 2000 ms ago
  bool timer2Enabled_ = false;

  // Payout measurement of the small wins: out_count at the latest game outside a bonus, and
  // its value at the previous update.
  std::int32_t gameStartOutCount = 0;
  std::int32_t prevGameStartOutCount = 0;
};

}  // namespace tallix
