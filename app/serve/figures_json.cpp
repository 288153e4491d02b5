#include "figures_json.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "base/numbers.h"
#include "counting/counter.h"

namespace tallix {

namespace {

// Writes one JSON object, its members in the order given.
class JsonObject {
 public:
  explicit JsonObject(std::string& out) : out_(out) { out_ += '{'; }
  ~JsonObject() { out_ += '}'; }

  std::string& key(std::string_view name) {
    if (!first_) out_ += ',';
    first_ = false;
    string(out_, name);
    out_ += ':';
    return out_;
  }
  void number(std::string_view name, std::int64_t value) { key(name) += std::to_string(value); }
  void text(std::string_view name, std::string_view value) { string(key(name), value); }

  // A JSON string: quotes, backslashes and control characters escaped; UTF-8 as it is.
  static void string(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
      if (c == '"' || c == '\\') {
        out += '\\';
        out += c;
      } else if (static_cast<unsigned char>(c) < 0x20) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
        out += escaped;
      } else {
        out += c;
      }
    }
    out += '"';
  }

 private:
  std::string& out_;
  bool first_ = true;
};

void timeOfDay(JsonObject& object, std::string_view name, std::int32_t second) {
  if (second == Bonus::kNoTime) {
    object.key(name) += "null";
  } else {
    object.text(name, timeOfDayText(second));
  }
}

void bonusJson(std::string& out, const Bonus& b) {
  JsonObject bonus(out);
  bonus.text("kind", b.kind == BonusKind::BIG ? "BIG" : "REG");
  bonus.number("game", b.game);
  bonus.number("run_up", b.run_up);
  bonus.number("coins", b.coins);
  timeOfDay(bonus, "start", b.start);
  timeOfDay(bonus, "end", b.end);
}

// The estimate of the machine's setting: null without one.
void settingsJson(std::string& out, const std::optional<SettingEstimate>& estimate) {
  if (!estimate) {
    out += "null";
    return;
  }
  JsonObject settings(out);
  std::string& probabilities = settings.key("probabilities");
  probabilities += '[';
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    if (s > 0) probabilities += ',';
    probabilities += numberText(estimate->probability[s]);
  }
  probabilities += ']';
  settings.key("payout_rate") += estimate->payoutRate ? numberText(*estimate->payoutRate) : "null";
  settings.number("games", estimate->games);
  settings.key("from_payouts") += estimate->fromPayouts ? "true" : "false";
}

}  // namespace

std::string figuresJson(const Counter& counter) {
  std::string out;
  {
    JsonObject figures(out);
    const Counters& c = counter.counters();
    for (const CounterField& field : kRecordCounters) figures.number(field.key, field.get(c));
    figures.number("difference", std::int64_t{c.out_count} - c.in_count);
    const Panel& panel = counter.panel();
    figures.text("payout_rate", panel.text(TextId::dedamaritsu).text);
    figures.text("big_probability", panel.text(TextId::bigKakuritsu).text);
    figures.text("reg_probability", panel.text(TextId::regKakuritsu).text);
    std::string& bonuses = figures.key("bonuses");
    bonuses += '[';
    const std::vector<Bonus>& all = counter.bonuses().all();
    const auto shown = static_cast<std::ptrdiff_t>(std::min<std::size_t>(all.size(), kLiveBonuses));
    for (auto b = all.rbegin(); b != all.rbegin() + shown; ++b) {
      if (b != all.rbegin()) bonuses += ',';
      bonusJson(bonuses, *b);
    }
    bonuses += ']';
    settingsJson(figures.key("settings"), counter.settingEstimate());
  }
  return out;
}

std::string graphJson(const std::vector<std::string>& rows) {
  std::string out;
  out.reserve(rows.size() * 6 + 48);
  {
    JsonObject graph(out);
    graph.number("games_per_point", Chart::kGamesPerRow);
    std::string& points = graph.key("points");
    points += '[';
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (i > 0) points += ',';
      // A row not given a value yet reads as 0, as the window draws it; JSON has no infinity.
      const double value = parseNumber(rows[i]);
      points += std::isfinite(value) ? numberText(value) : "null";
    }
    points += ']';
  }
  return out;
}

}  // namespace tallix
