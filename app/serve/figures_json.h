// The figures of the live view as JSON text, taken from the counter whose panel the window
// draws, so that the page, the JSON and the window never disagree. The counters carry their
// record key names ("in_count", "start_all_count", …); the rates are the panel's own texts.
#pragma once

#include <string>
#include <vector>

namespace tallix {

class Counter;

// The number of bonuses the live view lists, as many as the panel's history shows.
inline constexpr int kLiveBonuses = 10;

// Everything but the coin graph, one JSON object: the 19 counters, "difference" (out_count −
// in_count), "payout_rate", "big_probability" and "reg_probability" as the panel shows them,
// "bonuses", the last kLiveBonuses newest first, each with "kind", "game", "run_up", "coins",
// "start" and "end" (times of day, null when not known or still running), and "settings", the
// estimate of the machine's setting (counting/setting_estimate.h), null without one:
// "probabilities" of settings 1..6, "payout_rate" expected (null unless the machine gives its
// settings' rates), "games" it rests on and "from_payouts" (false: BIG, REG and small wins).
std::string figuresJson(const Counter& counter);

// The coin graph of the chart's rows (Chart::rows()): {"games_per_point":25,"points":[0,-12,…]},
// a coin difference every games_per_point games from the play's start.
std::string graphJson(const std::vector<std::string>& rows);

}  // namespace tallix
