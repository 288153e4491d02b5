// The counters of a play: what a record keeps and what the figures are computed from.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tallix {

// The figures of a play that a record keeps; record keys have the same names.
struct Counters {
  std::int32_t in_count = 0;           // coins bet
  std::int32_t out_count = 0;          // coins paid out
  std::int32_t big_count = 0;          // BIG bonuses
  std::int32_t reg_count = 0;          // REG bonuses
  std::int32_t start_all_count = 0;    // games outside bonuses ("start": a game's start)
  std::int32_t start_total_count = 0;  // all games, bonus games included
  std::int32_t start_bonus_count = 0;  // games since the last bonus ended
  std::int32_t no5 = 0;                // 5-pin pulses
  std::int32_t big_max_coin = 0;       // best BIG
  std::int32_t big_coin = 0;           // net coins of the current or last BIG
  std::int32_t tosi_kingaku = 0;       // money invested, in units of 1000 yen
  std::int32_t tosi_coin = 0;          // coins left of the lots bought
  std::int32_t temochi_coin = 0;       // coins won and on hand ("temochi": held in hand)
  std::int16_t koyaku1g_now = 0;       // window countdowns of small wins ("koyaku") 1..3
  std::int16_t koyaku2g_now = 0;
  std::int16_t koyaku3g_now = 0;
  std::int32_t koyaku1t = 0;  // tallies of small wins 1..3
  std::int32_t koyaku2t = 0;
  std::int32_t koyaku3t = 0;

  // Small win i (0..2): its countdown and its tally.
  std::int16_t& koyakuGNow(int i);
  std::int32_t& koyakuT(int i);
};

// A counter by its record key; exactly one of the two fields is set.
struct CounterField {
  std::string_view key;
  std::int32_t Counters::*field32 = nullptr;
  std::int16_t Counters::*field16 = nullptr;

  std::int32_t get(const Counters& c) const { return field32 ? c.*field32 : c.*field16; }
};

// The 19 counters in the order a record file lists them.
inline constexpr std::array<CounterField, 19> kRecordCounters = {{
    {"in_count", &Counters::in_count},
    {"out_count", &Counters::out_count},
    {"big_count", &Counters::big_count},
    {"reg_count", &Counters::reg_count},
    {"start_all_count", &Counters::start_all_count},
    {"start_total_count", &Counters::start_total_count},
    {"start_bonus_count", &Counters::start_bonus_count},
    {"no5", &Counters::no5},
    {"big_max_coin", &Counters::big_max_coin},
    {"big_coin", &Counters::big_coin},
    {"tosi_kingaku", &Counters::tosi_kingaku},
    {"tosi_coin", &Counters::tosi_coin},
    {"temochi_coin", &Counters::temochi_coin},
    {"koyaku1g_now", nullptr, &Counters::koyaku1g_now},
    {"koyaku2g_now", nullptr, &Counters::koyaku2g_now},
    {"koyaku3g_now", nullptr, &Counters::koyaku3g_now},
    {"koyaku1t", &Counters::koyaku1t},
    {"koyaku2t", &Counters::koyaku2t},
    {"koyaku3t", &Counters::koyaku3t},
}};

}  // namespace tallix
