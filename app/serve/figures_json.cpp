#include "figures_json.h"

#include <QJsonArray>
#include <algorithm>

#include "base/numbers.h"
#include "counting/counter.h"

namespace tallix {

namespace {

QJsonValue timeOfDay(std::int32_t second) {
  return second == Bonus::kNoTime ? QJsonValue() : QString::fromStdString(timeOfDayText(second));
}

QJsonObject bonusJson(const Bonus& b) {
  return {{"kind", b.kind == BonusKind::BIG ? "BIG" : "REG"},
          {"game", b.game},
          {"run_up", b.run_up},
          {"coins", b.coins},
          {"start", timeOfDay(b.start)},
          {"end", timeOfDay(b.end)}};
}

QString panelText(const Panel& panel, TextId id) {
  return QString::fromStdString(panel.text(id).text);
}

}  // namespace

QJsonObject figuresJson(const Counter& counter) {
  const Counters& c = counter.counters();
  QJsonObject figures;
  for (const CounterField& field : kRecordCounters) {
    figures.insert(QLatin1String(field.key.data(), static_cast<qsizetype>(field.key.size())),
                   field.get(c));
  }
  figures.insert("difference", static_cast<qint64>(c.out_count) - c.in_count);
  const Panel& panel = counter.panel();
  figures.insert("payout_rate", panelText(panel, TextId::dedamaritsu));
  figures.insert("big_probability", panelText(panel, TextId::bigKakuritsu));
  figures.insert("reg_probability", panelText(panel, TextId::regKakuritsu));
  const std::vector<Bonus>& all = counter.bonuses().all();
  QJsonArray bonuses;
  const auto shown = std::min<std::size_t>(all.size(), kLiveBonuses);
  for (auto b = all.rbegin(); b != all.rbegin() + static_cast<std::ptrdiff_t>(shown); ++b) {
    bonuses.append(bonusJson(*b));
  }
  figures.insert("bonuses", bonuses);
  return figures;
}

QJsonObject graphJson(const Chart& chart) {
  QJsonArray points;
  // A row not given a value yet reads as 0, as the window draws it.
  for (const std::string& row : chart.rows()) points.append(parseNumber(row));
  return {{"games_per_point", Chart::kGamesPerRow}, {"points", points}};
}

}  // namespace tallix
