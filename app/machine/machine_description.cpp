#include "machine_description.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "base/files.h"
#include "base/numbers.h"
#include "base/profile.h"
#include "base/settings.h"

namespace tallix {

namespace {

constexpr const char* kFeatureNames[] = {"none", "replay", "win", "big", "reg"};

// The whole-number keys, each with its range.
struct IntegerKey {
  const char* section;
  const char* key;
  int MachineDescription::*field;
  int min;
  int max;
};
constexpr IntegerKey kIntegerKeys[] = {
    {"play", "bet", &MachineDescription::bet, 1, 3},
    // Below 2200 ms a counter would take two games for one: its game guard lasts 2000 ms.
    {"play", "game_ms", &MachineDescription::gameMs, 2200, 600000},
    {"play", "spin_ms", &MachineDescription::spinMs, 0, 60000},
    {"play", "pause_ms", &MachineDescription::pauseMs, 0, 600000},
    // Up to 250 ms each, the three coins of a bet stay well inside the 2000 ms of one game.
    {"play", "pulse_ms", &MachineDescription::pulseMs, 1, 250},
    {"play", "gap_ms", &MachineDescription::gapMs, 1, 250},
    {"play", "jitter_ms", &MachineDescription::jitterMs, 0, 50},
    {"play", "line_delay_ms", &MachineDescription::lineDelayMs, 1, 60000},
    {"play", "setting", &MachineDescription::setting, 1, static_cast<int>(kSettingCount)},
    {"big", "games_min", &MachineDescription::bigGamesMin, 1, 1000},
    {"big", "games_max", &MachineDescription::bigGamesMax, 1, 1000},
    {"big", "pay", &MachineDescription::bigPay, 0, 999},
    {"reg", "games", &MachineDescription::regGames, 1, 1000},
    {"reg", "pay", &MachineDescription::regPay, 0, 999},
    {"pin5", "pulse_ms", &MachineDescription::pin5Ms, 1, 1000},
};
// The odds keys of [odds]; a setting's section has the same ones.
constexpr const char* kOddsKeys[] = {"big", "reg", "replay"};
constexpr const char* kFeatureKey = "feature";  // of [pin5]
constexpr const char* kPayoutKey = "payout";    // of a setting's section

bool sameName(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::string settingSection(std::size_t setting) {
  return numberedKey("setting", static_cast<std::int64_t>(setting));
}

// The keys a section of fixed keys has; nullopt for [wins] and the settings' sections, whose
// keys are also the coins of wins, and for a section a description does not have.
std::optional<std::vector<std::string>> fixedKeys(std::string_view section) {
  std::vector<std::string> keys;
  for (const IntegerKey& k : kIntegerKeys) {
    if (sameName(k.section, section)) keys.emplace_back(k.key);
  }
  if (sameName(section, "pin5")) keys.emplace_back(kFeatureKey);
  if (sameName(section, "odds")) keys.assign(std::begin(kOddsKeys), std::end(kOddsKeys));
  if (keys.empty()) return std::nullopt;
  return keys;
}

bool isSettingSection(std::string_view section) {
  for (std::size_t s = 1; s <= kSettingCount; ++s) {
    if (sameName(section, settingSection(s))) return true;
  }
  return false;
}

// "a, b, c"
std::string listed(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

std::string oddsText(const SettingOdds& odds) {
  std::string text = "big=" + numberText(odds.big) + ", reg=" + numberText(odds.reg) +
                     ", replay=" + numberText(odds.replay);
  for (const SmallWin& w : odds.wins) {
    text += ", " + std::to_string(w.coins) + "=" + numberText(w.odds);
  }
  return text;
}

class Reader {
 public:
  Reader(const std::filesystem::path& path, const ProfileFile& ini) : path_(path), ini_(ini) {}

  // The value of a key without a comment after it: "35.6 ; cherry" is 35.6, as a ";" starts a
  // comment in a description.
  std::string text(std::string_view section, std::string_view key) const {
    const std::string value = ini_.value(section, key);
    const std::string_view v = std::string_view(value).substr(0, value.find(';'));
    const auto first = v.find_first_not_of(" \t");
    return first == std::string_view::npos
               ? std::string()
               : std::string(v.substr(first, v.find_last_not_of(" \t") - first + 1));
  }

  // A whole number within [min, max]; an absent or empty key leaves the field as it is.
  void integer(const IntegerKey& k, MachineDescription& m) const {
    const std::string value = text(k.section, k.key);
    if (value.empty()) return;
    const double v = parseNumber(value);
    if (!isCleanNumber(value) || v != std::floor(v) || v < k.min || v > k.max) {
      fail(k.section, k.key,
           Say::tr("must be a whole number from %1 to %2",
                   {std::to_string(k.min), std::to_string(k.max)}));
    }
    m.*k.field = static_cast<int>(v);
  }

  // The N of "one game in N", written N or 1/N as tables write it; 0 means never.
  std::optional<double> odds(std::string_view section, std::string_view key) const {
    const std::string value = text(section, key);
    if (value.empty()) return std::nullopt;
    std::string_view n = value;
    const bool fraction = n.starts_with("1/");
    if (fraction) {
      n.remove_prefix(2);
      n.remove_prefix(std::min(n.find_first_not_of(" \t"), n.size()));
    }
    const double v = parseNumber(n);
    if (!isCleanNumber(n) || !std::isfinite(v) || v < (fraction ? 1 : 0) || (v != 0 && v < 1)) {
      fail(section, key,
           Say::tr("must be 0 (never) or a number of games from 1 up, such as 287.4 or 1/287.4"));
    }
    return v;
  }

  // A key of [wins] or of a setting that names a win by its coins, with its odds.
  SmallWin win(std::string_view section, const std::string& key, const Said& keys) const {
    const std::optional<int> coins = wholeNumber<int>(key, 1, 999);
    if (!coins) fail(section, key, keys);
    return SmallWin{*coins, odds(section, key).value_or(0)};
  }

  // The chances of a game's outcomes add up to less than one game in one, leaving a chance for
  // a game that pays nothing of these.
  void requireChances(const SettingOdds& odds, const std::string& which) const {
    double chance = 0;
    for (double n : {odds.big, odds.reg, odds.replay}) chance += n > 0 ? 1 / n : 0;
    for (const SmallWin& w : odds.wins) chance += w.odds > 0 ? 1 / w.odds : 0;
    if (chance >= 1) {
      throw MachineError(Say::tr("%1: the chances of %2 add up to %3 per game, one or more: %4",
                                 {path_.string(), which, formatFixed2(chance), oddsText(odds)}));
    }
  }

  [[noreturn]] void fail(std::string_view section, std::string_view key, const Said& why) const {
    throw MachineError(
        Say::tr("%1: [%2] %3=%4: %5", {at(ini_.line(section, key)), std::string(section),
                                       std::string(key), text(section, key), why}));
  }

  // "/path/machine.ini line 12"
  Said at(std::size_t line) const { return placeIn(path_.string(), line); }
  const std::filesystem::path& path() const { return path_; }

 private:
  const std::filesystem::path& path_;
  const ProfileFile& ini_;
};

// Every section and key of the file is one a description has; a setting's section is there for
// every setting when it is there for one.
void requireKnownNames(const Reader& r, const ProfileFile& ini) {
  std::vector<std::string> sections;
  for (const auto& k : kIntegerKeys) {
    if (std::ranges::find(sections, k.section) == sections.end()) sections.emplace_back(k.section);
  }
  sections.insert(sections.begin() + 1, {"odds", "wins"});
  sections.push_back("setting1-" + settingSection(kSettingCount));
  std::vector<std::string> seen;
  for (const std::string& section : ini.sections()) {
    const auto first =
        std::ranges::find_if(seen, [&](const std::string& s) { return sameName(s, section); });
    if (first != seen.end()) {
      throw MachineError(
          Say::tr("%1: [%2] is given more than once", {r.at(ini.line(section)), *first}));
    }
    seen.push_back(section);
    if (sameName(section, "wins") || isSettingSection(section)) continue;
    const std::optional<std::vector<std::string>> keys = fixedKeys(section);
    if (!keys) {
      throw MachineError(Say::tr("%1: [%2] is not a section of a machine description (%3)",
                                 {r.at(ini.line(section)), section, listed(sections)}));
    }
    for (const std::string& key : ini.keys(section)) {
      if (std::ranges::none_of(*keys, [&](const std::string& k) { return sameName(k, key); })) {
        r.fail(section, key, Say::tr("the key must be one of %1", {listed(*keys)}));
      }
    }
  }
  std::vector<std::string> given, missing;
  for (std::size_t s = 1; s <= kSettingCount; ++s) {
    (ini.hasSection(settingSection(s)) ? given : missing).push_back("[" + settingSection(s) + "]");
  }
  if (!given.empty() && !missing.empty()) {
    throw MachineError(
        Say::tr("%1 gives %2 but not %3; give each setting its section (an empty one has the "
                "odds of [odds] and [wins])",
                {r.path().string(), listed(given), listed(missing)}));
  }
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
  if (!bytes) throw MachineError(Say::tr("%1: no such file", {path.string()}));
  const ProfileFile ini(*bytes);
  const Reader r(path, ini);
  requireKnownNames(r, ini);
  MachineDescription m;
  for (const IntegerKey& k : kIntegerKeys) r.integer(k, m);

  bool ownOdds = !ini.keys("odds").empty() || !ini.keys("wins").empty();
  for (std::size_t s = 1; s <= kSettingCount; ++s) {
    ownOdds = ownOdds || ini.hasSection(settingSection(s));
  }
  if (ownOdds) m.settings = {};

  double* const oddsFields[] = {&m.bigOdds, &m.regOdds, &m.replayOdds};
  for (std::size_t i = 0; i < std::size(kOddsKeys); ++i) {
    *oddsFields[i] = r.odds("odds", kOddsKeys[i]).value_or(*oddsFields[i]);
  }
  // Two keys of one section that name the same win ("8" and "08") would count it twice.
  const auto addWin = [&](std::vector<SmallWin>& wins, const char* section, const std::string& key,
                          const Said& keys) {
    const SmallWin win = r.win(section, key, keys);
    if (std::ranges::any_of(wins, [&](const SmallWin& w) { return w.coins == win.coins; })) {
      r.fail(section, key,
             Say::tr("the win of %1 coins is given twice", {std::to_string(win.coins)}));
    }
    wins.push_back(win);
  };
  const std::vector<std::string> winKeys = ini.keys("wins");
  if (!winKeys.empty()) m.wins.clear();
  for (const std::string& key : winKeys) {
    addWin(m.wins, "wins", key,
           Say::tr("the key must be the coins of the win, a whole number from 1 to 999"));
  }
  r.requireChances({m.bigOdds, m.regOdds, m.replayOdds, m.wins, 0}, "[odds], [wins]");

  std::vector<std::string> settingKeys(std::begin(kOddsKeys), std::end(kOddsKeys));
  settingKeys.emplace_back(kPayoutKey);
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    const std::string section = settingSection(s + 1);
    SettingKeys& keys = m.settings[s];
    std::optional<double>* const own[] = {&keys.big, &keys.reg, &keys.replay};
    for (const std::string& key : ini.keys(section)) {
      const auto odds =
          std::ranges::find_if(kOddsKeys, [&](const char* k) { return sameName(k, key); });
      if (odds != std::end(kOddsKeys)) {
        *own[odds - std::begin(kOddsKeys)] = r.odds(section, key).value_or(0);
      } else if (sameName(key, kPayoutKey)) {
        const std::string text = r.text(section, key);
        keys.payout = parseNumber(text);
        if (!isCleanNumber(text) || !std::isfinite(keys.payout) || keys.payout <= 0) {
          r.fail(section, key, Say::tr("must be the payout rate in percent, a number above 0"));
        }
      } else {
        addWin(keys.wins, section.c_str(), key,
               Say::tr("the key must be %1 or the coins of a win, a whole number from 1 to 999",
                       {listed(settingKeys)}));
      }
    }
    r.requireChances(m.odds(static_cast<int>(s) + 1), "[" + section + "]");
  }

  if (m.bigGamesMin > m.bigGamesMax) {
    if (r.text("big", "games_min").empty()) {
      r.fail("big", "games_max",
             Say::tr("must not be below games_min=%1", {std::to_string(m.bigGamesMin)}));
    }
    r.fail("big", "games_min",
           Say::tr("must not be above games_max=%1", {std::to_string(m.bigGamesMax)}));
  }
  if (const std::string feature = r.text("pin5", kFeatureKey); !feature.empty()) {
    const auto known = std::ranges::find(kFeatureNames, feature);
    if (known == std::end(kFeatureNames)) {
      r.fail("pin5", kFeatureKey,
             Say::tr("must be one of %1",
                     {listed({std::begin(kFeatureNames), std::end(kFeatureNames)})}));
    }
    m.pin5 = static_cast<Pin5Feature>(known - std::begin(kFeatureNames));
  }
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
