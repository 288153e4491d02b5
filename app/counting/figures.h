// The figures shown from the counters, shared by the live refresh of the tick, the record
// load and the clear command, so that each is computed in one place.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "counters.h"
#include "panel.h"

namespace tallix {

// "¥" and the text of a whole number of yen ("¥1000").
std::string yenText(double yen);

// The cash value of coins at an exchange rate (coins per 100 yen): whole 100-yen units,
// "¥13100" for 1000 coins at 7.6. A rate of 0 shows "¥0".
std::string cashValueText(std::int64_t coins, double rate);

// The payout rate out / in × 100 with two decimals and "%"; "0.00%" before the first coin in.
std::string payoutRateText(std::int32_t out, std::int32_t in);

// The whole games per bonus (246 for 1234 games and 5 bonuses); bonuses > 0.
std::int64_t gamesPerBonus(std::int32_t games, std::int32_t bonuses);

// "1/" and the whole games per bonus ("1/246" for 1234 games and 5 bonuses); "1/-" before the
// first bonus.
std::string probabilityText(std::int32_t games, std::int32_t bonuses);

// The coins a player bets in a game of the coin graph's expected-value line: a full bet.
inline constexpr int kCoinsPerGame = 3;

// The coin difference a machine of that payout rate (percent) gives, on average, over that
// many games of full bets: the expected-value line of the coin graph.
double expectedDifference(double games, double payoutPercent);

// Shows the payout rate and the BIG and REG probabilities.
void showRates(Panel& panel, const Counters& c);

// Shows the cash values of the coins at the three exchange rates.
void showCashValues(Panel& panel, std::int64_t coins, const std::array<double, 3>& rates);

// Shows on a digit group the counter it belongs to; for saImage the size of the coin
// difference out_count − in_count, with the minus bar visible when it is negative.
void showGroup(Panel& panel, const Counters& c, GroupId id);

}  // namespace tallix
