#include "record_bonuses.h"

namespace tallix {

namespace {

std::string bonusKey(std::size_t number) {
  return "b" + std::to_string(number);
}

}  // namespace

void forEachBonusWrite(const std::vector<Bonus>& bonuses,
                       const std::function<void(const ProfileWrite&)>& apply) {
  ProfileWrite w{std::string(kBonusSection), {}, {}};
  for (std::size_t i = 0; i < bonuses.size(); ++i) {
    w.key = bonusKey(i + 1);
    w.value = bonusFields(bonuses[i]);
    apply(w);
  }
  w.key = bonusKey(bonuses.size() + 1);
  w.value.reset();
  apply(w);
}

std::vector<Bonus> readBonuses(const std::filesystem::path& path, const RecordReader& read) {
  std::vector<Bonus> bonuses;
  for (std::size_t number = 1;; ++number) {
    const std::string key = bonusKey(number);
    const std::string value = read(kBonusSection, key);
    if (value.empty()) return bonuses;
    const std::optional<Bonus> bonus = parseBonusFields(value);
    if (!bonus) {
      throw RecordError(path, key, value,
                        "is not a bonus (kind BIG or REG,game,run_up,coins,start,end)");
    }
    bonuses.push_back(*bonus);
  }
}

}  // namespace tallix
