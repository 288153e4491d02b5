#include "record_payouts.h"

#include "base/numbers.h"
#include "base/say.h"

namespace tallix {

namespace {

std::string payoutKey(std::size_t number) {
  return numberedKey("p", static_cast<std::int64_t>(number));
}

}  // namespace

void forEachPayoutWrite(const std::optional<PayoutCounts>& payouts, std::int32_t games,
                        const std::function<void(const ProfileWrite&)>& apply) {
  ProfileWrite w{std::string(kPayoutSection), {}, {}};
  if (!payouts || (games == 0 && payouts->total() == 0)) {
    for (const char* key : {"big", "reg", "p1"}) {
      w.key = key;
      apply(w);
    }
    return;
  }
  for (const auto& [key, count] : {std::pair{"big", payouts->big}, {"reg", payouts->reg}}) {
    w.key = key;
    w.value = std::to_string(count);
    apply(w);
  }
  std::size_t number = 1;
  for (const auto& [coins, count] : payouts->games) {
    w.key = payoutKey(number++);
    w.value = std::to_string(coins) + ',' + std::to_string(count);
    apply(w);
  }
  w.key = payoutKey(number);
  w.value.reset();
  apply(w);
}

std::optional<PayoutCounts> readPayouts(const std::filesystem::path& path, const RecordReader& read,
                                        std::int32_t games) {
  const std::string big = read(kPayoutSection, "big");
  if (big.empty()) return games == 0 ? std::optional<PayoutCounts>(PayoutCounts{}) : std::nullopt;
  PayoutCounts counts;
  for (const auto& [key, count] : {std::pair{"big", &counts.big}, {"reg", &counts.reg}}) {
    const std::string value = read(kPayoutSection, key);
    const auto n = wholeNumber<std::int32_t>(value, 0);
    if (!n) throw RecordError(path, key, value, Say::tr("is not a number of games"));
    *count = *n;
  }
  for (std::size_t number = 1;; ++number) {
    const std::string key = payoutKey(number);
    const std::string value = read(kPayoutSection, key);
    if (value.empty()) return counts;
    const std::size_t comma = value.find(',');
    const auto coins = wholeNumber<std::int32_t>(std::string_view(value).substr(0, comma), 0);
    const auto n = comma == std::string::npos
                       ? std::nullopt
                       : wholeNumber<std::int32_t>(std::string_view(value).substr(comma + 1), 0);
    if (!coins || !n) {
      throw RecordError(path, key, value, Say::tr("is not a payout (coins,games)"));
    }
    if (!counts.games.emplace(*coins, *n).second) {
      throw RecordError(path, key, value,
                        Say::tr("repeats a payout of %1 coins", {std::to_string(*coins)}));
    }
  }
}

}  // namespace tallix
