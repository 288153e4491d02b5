// The record's section "payouts": every payout per game (counting/game_payouts.h), after the
// original keys. big= and reg= hold the games that started a BIG and a REG; p1, p2, … in an
// unbroken run each a number of coins and the games that paid it ("8,861"), by rising coins.
//
//   [payouts]
//   big=21
//   reg=14
//   p1=0,4377
//   p2=8,861
//
// Readers that know only "data" and "graph" ignore the section. A record without it (kept by a
// program that did not count payouts) holds none, and its play is estimated without them; one of
// a play without games lacks nothing.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "base/profile.h"
#include "counting/game_payouts.h"
#include "record.h"

namespace tallix {

inline constexpr std::string_view kPayoutSection = "payouts";

// Hands the writes of the section to `apply`: big, reg, p1..pN, then the removal of the key
// after the last, so that a load reads exactly these payouts whatever an earlier save left
// behind. A play without them, or without any game (`games`: its start_all_count), writes none
// and removes big, reg and p1, so that a load finds none.
void forEachPayoutWrite(const std::optional<PayoutCounts>& payouts, std::int32_t games,
                        const std::function<void(const ProfileWrite&)>& apply);

// The payouts of a record whose start_all_count is `games`. Throws RecordError for a value that
// does not fit.
std::optional<PayoutCounts> readPayouts(const std::filesystem::path& path, const RecordReader& read,
                                        std::int32_t games);

}  // namespace tallix
