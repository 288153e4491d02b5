#include "counter.h"

#include <limits>

#include "base/numbers.h"
#include "figures.h"
#include "play_summary.h"

namespace tallix {

std::int16_t& Counters::koyakuGNow(int i) {
  static constexpr std::int16_t Counters::*kFields[] = {
      &Counters::koyaku1g_now, &Counters::koyaku2g_now, &Counters::koyaku3g_now};
  return this->*kFields[i];
}

std::int32_t& Counters::koyakuT(int i) {
  static constexpr std::int32_t Counters::*kFields[] = {&Counters::koyaku1t, &Counters::koyaku2t,
                                                        &Counters::koyaku3t};
  return this->*kFields[i];
}

namespace {

// Counters stop at the ends of their range instead of wrapping; no play comes near them.
template <typename Int>
void increment(Int& n) {
  if (n < std::numeric_limits<Int>::max()) ++n;
}
template <typename Int>
void decrement(Int& n) {
  if (n > std::numeric_limits<Int>::min()) --n;
}

constexpr TextId kKoyakuLabel[] = {TextId::koyakulabel0, TextId::koyakulabel1,
                                   TextId::koyakulabel2};
constexpr TextId kKoyakuData[] = {TextId::koyakudata0, TextId::koyakudata1, TextId::koyakudata2};
constexpr TextId kRateLabel[] = {TextId::rate1Label, TextId::rate2Label, TextId::rate3Label};

}  // namespace

void Counter::applySettings(const Settings& settings) {
  settings_ = settings;
  for (int i = 0; i < 3; ++i) {
    panel_.setText(kRateLabel[i], rateLabel(settings.rate[i]));
  }
  for (int i = 0; i < 3; ++i) {
    if (settings.koyaku[i] <= 0) continue;
    panel_.setVisible(kKoyakuData[i], true);
    panel_.setVisible(kKoyakuLabel[i], true);
    panel_.setText(kKoyakuLabel[i],
                   std::to_string(settings.koyaku[i]) + panel_.text(kKoyakuLabel[i]).text);
  }
  if (settings.data5pinEnabled) {
    panel_.setVisible(TextId::label5pin, true);
    panel_.setVisible(TextId::Text5pin, true);
    panel_.setText(TextId::label5pin, settings.name5pin);
  }
}

void Counter::Timer1_Timer(std::int16_t inpB) {
  // The lines are active low: the complement of the sign-extended byte gives levels of 1 for
  // the lines that are on. The chain of truncating divisions makes every level 0 or negative
  // when port bit 7 reads 0; a negative level is neither a rising nor a falling edge.
  const auto s = static_cast<std::int16_t>(~inpB);
  const int pin5 = s / 16;
  const int r16 = s % 16;
  const int big = r16 / 8;
  const int r8 = r16 % 8;
  const int reg = r8 / 4;
  const int r4 = r8 % 4;
  const int out = r4 / 2;
  const int in = r4 % 2;
  bool coinEdge = false;

  if (settings_.data5pinEnabled) {
    if (pin5 > 0 && !pin5Latch) {
      increment(c_.no5);
      pin5Latch = true;
      panel_.setText(TextId::Text5pin, std::to_string(c_.no5));
    } else if (pin5 == 0 && pin5Latch) {
      pin5Latch = false;
    }
  }

  if (big > 0 && !bigLatch) {
    increment(c_.big_count);
    c_.big_coin = settings_.bigSetCoin;
    panel_.setText(TextId::bigCoin, std::to_string(c_.big_coin));
    PushRireki(1);
    bonuses_.begin(BonusKind::BIG, c_.start_all_count, c_.start_bonus_count, secondOfDay());
    payouts_.bonusStarted(BonusKind::BIG);
    bigLatch = true;
    showGroup(panel_, c_, GroupId::bigImage);
  } else if (big == 0 && bigLatch) {
    bigLatch = false;
    bonuses_.end(BonusKind::BIG, secondOfDay());
    bonusEnd();
    panel_.setText(TextId::bigCoin, std::to_string(c_.big_coin));
    if (c_.big_coin > c_.big_max_coin) c_.big_max_coin = c_.big_coin;
    panel_.setText(TextId::bigMaxCoin, std::to_string(c_.big_max_coin));
  }

  if (reg > 0 && !regLatch && !bigLatch) {
    increment(c_.reg_count);
    PushRireki(2);
    bonuses_.begin(BonusKind::REG, c_.start_all_count, c_.start_bonus_count, secondOfDay());
    payouts_.bonusStarted(BonusKind::REG);
    regLatch = true;
    showGroup(panel_, c_, GroupId::regImage);
  } else if (reg == 0 && regLatch) {
    regLatch = false;
    bonuses_.end(BonusKind::REG, secondOfDay());
    bonusEnd();
  }

  if (out > 0 && !outLatch) {
    coinOut();
    coinEdge = true;
  } else if (out == 0 && outLatch) {
    outLatch = false;
  }

  if (in > 0 && !inLatch) {
    coinIn();
    coinEdge = true;
  } else if (in == 0 && inLatch) {
    inLatch = false;
  }

  if (coinEdge) refreshStatistics();
}

PlaySummary Counter::summary() const {
  return summarize(c_, bonuses_.all(), payouts_.counts());
}

std::optional<SettingEstimate> Counter::settingEstimate() const {
  if (!model_) return std::nullopt;
  return estimateSetting(*model_, summary(), settings_.koyaku);
}

void Counter::Timer2_Timer() {
  gameCounted = false;
  timer2Enabled_ = false;
}

// The end of a BIG or a REG closes every small-win window and starts the next run-up.
void Counter::bonusEnd() {
  c_.koyaku1g_now = c_.koyaku2g_now = c_.koyaku3g_now = 0;
  UpdateKoyaku(0);
  c_.start_bonus_count = 0;
}

std::int32_t Counter::secondOfDay() const {
  constexpr std::int64_t kDayMs = 86'400'000;
  return static_cast<std::int32_t>((timeOfDayMs_ % kDayMs + kDayMs) % kDayMs / 1000);
}

void Counter::coinOut() {
  if (bigLatch) {
    increment(c_.big_coin);
    panel_.setText(TextId::bigCoin, std::to_string(c_.big_coin));
  }
  bonuses_.addCoin(+1);
  increment(c_.temochi_coin);
  increment(c_.out_count);
  outLatch = true;
  showGroup(panel_, c_, GroupId::outImage);
}

void Counter::coinIn() {
  if (bigLatch) {
    decrement(c_.big_coin);
    panel_.setText(TextId::bigCoin, std::to_string(c_.big_coin));
  }
  bonuses_.addCoin(-1);
  // The coin comes from the coins won, else from the lot bought, else a new lot of 50 coins
  // is bought for 1000 yen.
  if (c_.temochi_coin > 0) {
    --c_.temochi_coin;
  } else if (c_.tosi_coin > 0) {
    --c_.tosi_coin;
  } else {
    increment(c_.tosi_kingaku);
    c_.tosi_coin = 49;
    const std::int64_t yen = std::int64_t{c_.tosi_kingaku} * 1000;
    panel_.setText(TextId::tosiKingaku, yenText(static_cast<double>(std::min<std::int64_t>(
                                            yen, std::numeric_limits<std::int32_t>::max()))));
  }
  increment(c_.in_count);
  inLatch = true;
  showGroup(panel_, c_, GroupId::inImage);

  // The first coin bet 2000 ms or more after the last counted game starts a game.
  if (gameCounted) return;
  timer2Enabled_ = true;
  gameCounted = true;
  if (!regLatch && !bigLatch) {
    gameStartOutCount = c_.out_count;
    payouts_.gameStarted(c_.out_count);
    UpdateKoyaku(-1);
    increment(c_.start_all_count);
    increment(c_.start_bonus_count);
    showGroup(panel_, c_, GroupId::gameImage);
    showGroup(panel_, c_, GroupId::totalImage);
  }
  increment(c_.start_total_count);
  StepGraph();
}

void Counter::refreshStatistics() {
  const std::int64_t coins = std::int64_t{c_.temochi_coin} + c_.tosi_coin;
  panel_.setText(TextId::temochiCoin, std::to_string(coins));
  showGroup(panel_, c_, GroupId::saImage);
  showRates(panel_, c_);
  showCashValues(panel_, coins, settings_.rate);
}

void Counter::UpdateKoyaku(std::int16_t kind) {
  // The coins paid between the starts of the last two games outside a bonus.
  const std::int64_t payout = std::int64_t{gameStartOutCount} - prevGameStartOutCount;
  for (int i = 0; i < 3; ++i) {
    const std::int16_t coins = settings_.koyaku[i];
    if (coins <= 0) continue;
    const std::int16_t window = settings_.koyakuG[i];
    std::int32_t& tally = c_.koyakuT(i);
    std::int16_t& countdown = c_.koyakuGNow(i);
    if (coins == payout) {
      increment(tally);
      countdown = window;
    } else if (kind == -1) {
      decrement(countdown);
    }
    std::string text;
    if (tally < 1) {
      text = "0回　　1/-　　0G/" + std::to_string(window) + "G";
    } else {
      text = std::to_string(tally) + "回　　1/" +
             formatFixed2(static_cast<double>(c_.start_all_count) / tally);
      if (window > 0) {
        if (countdown < 1) {
          countdown = 0;
          text += "　　0G/" + std::to_string(window) + "G";
        } else {
          text +=
              "　　" + std::to_string(window - countdown + 1) + "G/" + std::to_string(window) + "G";
        }
      }
    }
    panel_.setText(kKoyakuData[i], text);
  }
  prevGameStartOutCount = gameStartOutCount;
}

void Counter::PushRireki(std::int16_t kind) {
  for (std::size_t i = 9; i >= 1; --i) {
    const HistoryEntry previous = panel_.history(i - 1);
    panel_.setHistoryText(i, previous.text);
    panel_.setHistoryColour(i, previous.colour);
  }
  // One square per started 100 games of the run-up, at most 20; a negative count (only an
  // edited record gives one) shows an empty bar.
  const std::int32_t games = c_.start_bonus_count;
  const std::int32_t squares = games <= 0 ? 0 : std::min(20, games / 100 + (games % 100 > 0));
  std::string bar;
  for (std::int32_t i = 0; i < squares; ++i) bar += "■";
  panel_.setHistoryText(0, bar);
  panel_.setHistoryColour(0, kind == 1 ? kBigColour : kRegColour);
}

void Counter::StepGraph() {
  // A point every Chart::kGamesPerRow games. A full chart takes no more points.
  Chart& chart = panel_.chart();
  const std::int16_t rows = chart.rowCount();
  if (c_.start_total_count / Chart::kGamesPerRow != rows || rows == Chart::kMaxRows) return;
  chart.setRowCount(static_cast<std::int16_t>(rows + 1));
  chart.setRow(chart.rowCount());
  chart.setValue(std::to_string(std::int64_t{c_.out_count} - c_.in_count));
}

}  // namespace tallix
