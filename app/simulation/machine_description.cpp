#include "machine_description.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "base/files.h"
#include "base/numbers.h"
#include "base/profile.h"

namespace tallix {

namespace {

constexpr const char* kFeatureNames[] = {"none", "replay", "win", "big", "reg"};

class Reader {
 public:
  Reader(const std::filesystem::path& path, const ProfileFile& ini) : path_(path), ini_(ini) {}

  // An integer key within [min, max]; an absent or empty key leaves the field as it is.
  void integer(const char* section, const char* key, int& field, int min, int max) const {
    const std::string text = ini_.value(section, key);
    if (text.empty()) return;
    try {
      const std::int32_t v = toInt32(parseNumber(text));
      if (v < min || v > max) fail(section, key, text, range(min, max));
      field = v;
    } catch (const OverflowError&) {
      fail(section, key, text, range(min, max));
    }
  }

  // The N of "one game in N"; 0 means never.
  void odds(const char* section, const char* key, double& field) const {
    const std::string text = ini_.value(section, key);
    if (text.empty()) return;
    const double v = parseNumber(text);
    if (!std::isfinite(v) || (v != 0 && v < 1)) {
      fail(section, key, text, "must be 0 (never) or a number of games from 1 up");
    }
    field = v;
  }

  // A key of [wins] or of a setting that names a win by its coins, with its odds.
  SmallWin win(const char* section, const std::string& key) const {
    int coins = 0;
    try {
      coins = toInt32(parseNumber(key));
    } catch (const OverflowError&) {
    }
    if (coins < 1 || coins > 999) {
      fail(section, key, ini_.value(section, key),
           std::string(section) == "wins"
               ? "the key must be the coins of the win, a whole number from 1 to 999"
               : "the key must be big, reg, replay, payout or the coins of a win, a whole "
                 "number from 1 to 999");
    }
    SmallWin win{coins, 0};
    odds(section, key.c_str(), win.odds);
    return win;
  }

  // The chances of a game's outcomes add up to one game in one at most.
  void requireChances(const SettingOdds& odds, const std::string& which) const {
    double chance = 0;
    for (double n : {odds.big, odds.reg, odds.replay}) chance += n > 0 ? 1 / n : 0;
    for (const SmallWin& w : odds.wins) chance += w.odds > 0 ? 1 / w.odds : 0;
    if (chance > 1) {
      throw MachineError(path_.string() + ": the chances " + which +
                         " add up to more than one game in one");
    }
  }

  [[noreturn]] void fail(const std::string& section, const std::string& key,
                         const std::string& text, const std::string& why) const {
    throw MachineError(path_.string() + " [" + section + "] " + key + "=" + text + ": " + why);
  }

  static std::string range(int min, int max) {
    return "must be a whole number from " + std::to_string(min) + " to " + std::to_string(max);
  }

  const ProfileFile& ini() const { return ini_; }

 private:
  const std::filesystem::path& path_;
  const ProfileFile& ini_;
};

// A key as the profile finds it, without regard to ASCII letter case.
std::string folded(std::string key) {
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

}  // namespace

SettingOdds MachineDescription::odds(int setting) const {
  const SettingKeys& keys = settings.at(static_cast<std::size_t>(setting - 1));
  SettingOdds o{keys.big.value_or(bigOdds), keys.reg.value_or(regOdds),
                keys.replay.value_or(replayOdds), wins, keys.payout};
  for (const SmallWin& own : keys.wins) {
    const auto same = std::find_if(o.wins.begin(), o.wins.end(),
                                   [&own](const SmallWin& w) { return w.coins == own.coins; });
    if (same != o.wins.end()) {
      same->odds = own.odds;
    } else {
      o.wins.push_back(own);
    }
  }
  return o;
}

SettingModel MachineDescription::model(const std::array<double, kSettingCount>& prior) const {
  SettingModel model;
  model.prior = prior;
  for (std::size_t s = 0; s < kSettingCount; ++s) model.settings[s] = odds(static_cast<int>(s) + 1);
  return model;
}

MachineDescription loadMachine(const std::filesystem::path& path) {
  const std::optional<std::string> bytes = readFileBytes(path);
  if (!bytes) throw MachineError(path.string() + ": no such file");
  const ProfileFile ini(*bytes);
  const Reader r(path, ini);
  MachineDescription m;

  r.integer("play", "bet", m.bet, 1, 3);
  // Below 2200 ms a counter would take two games for one: its game guard lasts 2000 ms.
  r.integer("play", "game_ms", m.gameMs, 2200, 600000);
  r.integer("play", "spin_ms", m.spinMs, 0, 60000);
  r.integer("play", "pause_ms", m.pauseMs, 0, 600000);
  // Up to 250 ms each, the three coins of a bet stay well inside the 2000 ms of one game.
  r.integer("play", "pulse_ms", m.pulseMs, 1, 250);
  r.integer("play", "gap_ms", m.gapMs, 1, 250);
  r.integer("play", "jitter_ms", m.jitterMs, 0, 50);
  r.integer("play", "line_delay_ms", m.lineDelayMs, 1, 60000);

  r.integer("play", "setting", m.setting, 1, static_cast<int>(kSettingCount));

  std::vector<std::string> settingSections;
  bool ownOdds = !ini.keys("odds").empty() || !ini.keys("wins").empty();
  for (std::size_t s = 1; s <= kSettingCount; ++s) {
    settingSections.push_back(numberedKey("setting", static_cast<std::int64_t>(s)));
    ownOdds = ownOdds || !ini.keys(settingSections.back()).empty();
  }
  if (ownOdds) m.settings = {};

  r.odds("odds", "big", m.bigOdds);
  r.odds("odds", "reg", m.regOdds);
  r.odds("odds", "replay", m.replayOdds);

  const std::vector<std::string> winKeys = ini.keys("wins");
  if (!winKeys.empty()) m.wins.clear();
  for (const std::string& key : winKeys) m.wins.push_back(r.win("wins", key));
  r.requireChances({m.bigOdds, m.regOdds, m.replayOdds, m.wins, 0}, "of [odds] and [wins]");

  for (std::size_t s = 0; s < kSettingCount; ++s) {
    const char* section = settingSections[s].c_str();
    SettingKeys& keys = m.settings[s];
    for (const std::string& key : ini.keys(section)) {
      const std::string name = folded(key);
      if (name == "big" || name == "reg" || name == "replay") {
        double value = 0;
        r.odds(section, key.c_str(), value);
        (name == "big" ? keys.big : name == "reg" ? keys.reg : keys.replay) = value;
      } else if (name == "payout") {
        const std::string text = ini.value(section, key);
        keys.payout = parseNumber(text);
        if (!std::isfinite(keys.payout) || keys.payout <= 0) {
          r.fail(section, key, text, "must be the payout rate in percent, a number above 0");
        }
      } else {
        keys.wins.push_back(r.win(section, key));
      }
    }
    r.requireChances(m.odds(static_cast<int>(s) + 1), "of [" + settingSections[s] + "]");
  }

  r.integer("big", "games_min", m.bigGamesMin, 1, 1000);
  r.integer("big", "games_max", m.bigGamesMax, 1, 1000);
  if (m.bigGamesMin > m.bigGamesMax) {
    r.fail("big", "games_min", std::to_string(m.bigGamesMin),
           "must not be above games_max=" + std::to_string(m.bigGamesMax));
  }
  r.integer("big", "pay", m.bigPay, 0, 999);
  r.integer("reg", "games", m.regGames, 1, 1000);
  r.integer("reg", "pay", m.regPay, 0, 999);

  const std::string feature = ini.value("pin5", "feature");
  if (!feature.empty()) {
    bool known = false;
    for (int i = 0; i < 5; ++i) {
      if (feature == kFeatureNames[i]) {
        m.pin5 = static_cast<Pin5Feature>(i);
        known = true;
      }
    }
    if (!known) r.fail("pin5", "feature", feature, "must be none, replay, win, big or reg");
  }
  r.integer("pin5", "pulse_ms", m.pin5Ms, 1, 1000);
  return m;
}

SettingModel estimateModel(const EstimateSettings& estimate) {
  const MachineDescription machine =
      estimate.machine.empty() ? MachineDescription{} : loadMachine(pathOf(estimate.machine));
  SettingModel model = machine.model(estimate.prior);
  model.machine = estimate.machine;
  return model;
}

}  // namespace tallix
