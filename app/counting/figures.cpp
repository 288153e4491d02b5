#include "figures.h"

#include <cmath>

#include "base/numbers.h"

namespace tallix {

std::string yenText(double yen) {
  return "¥" + numberText(yen);
}

std::string cashValueText(std::int64_t coins, double rate) {
  if (rate == 0) return yenText(0);
  return yenText(std::trunc(static_cast<double>(coins) / rate) * 100);
}

std::string payoutRateText(std::int32_t out, std::int32_t in) {
  if (in < 1) return "0.00%";
  return formatFixed2(static_cast<double>(out) / in * 100) + "%";
}

std::int64_t gamesPerBonus(std::int32_t games, std::int32_t bonuses) {
  return static_cast<std::int64_t>(std::trunc(static_cast<double>(games) / bonuses));
}

std::string probabilityText(std::int32_t games, std::int32_t bonuses) {
  return bonuses > 0 ? "1/" + std::to_string(gamesPerBonus(games, bonuses)) : "1/-";
}

double expectedDifference(double games, double payoutPercent) {
  return games * kCoinsPerGame * (payoutPercent - 100) / 100;
}

void showRates(Panel& panel, const Counters& c) {
  panel.setText(TextId::dedamaritsu, payoutRateText(c.out_count, c.in_count));
  panel.setText(TextId::bigKakuritsu, probabilityText(c.start_all_count, c.big_count));
  panel.setText(TextId::regKakuritsu, probabilityText(c.start_all_count, c.reg_count));
}

void showCashValues(Panel& panel, std::int64_t coins, const std::array<double, 3>& rates) {
  const TextId kankin[] = {TextId::kankin1, TextId::kankin2, TextId::kankin3};
  for (std::size_t i = 0; i < 3; ++i) panel.setText(kankin[i], cashValueText(coins, rates[i]));
}

void showGroup(Panel& panel, const Counters& c, GroupId id) {
  switch (id) {
    case GroupId::gameImage:
      return panel.showValue(id, c.start_bonus_count);
    case GroupId::totalImage:
      return panel.showValue(id, c.start_all_count);
    case GroupId::bigImage:
      return panel.showValue(id, c.big_count);
    case GroupId::regImage:
      return panel.showValue(id, c.reg_count);
    case GroupId::inImage:
      return panel.showValue(id, c.in_count);
    case GroupId::outImage:
      return panel.showValue(id, c.out_count);
    case GroupId::saImage: {
      const std::int64_t d = std::int64_t{c.out_count} - c.in_count;
      panel.setSaMinusVisible(d < 0);
      return panel.showValue(id, d < 0 ? -d : d);
    }
  }
}

}  // namespace tallix
