#include "record.h"

#include <algorithm>
#include <array>
#include <limits>

#include "base/files.h"
#include "base/numbers.h"
#include "base/say.h"
#include "counting/figures.h"
#include "record_bonuses.h"
#include "record_payouts.h"

namespace tallix {

namespace {

constexpr std::string_view kData = "data";
constexpr std::string_view kGraph = "graph";

std::string historyKey(std::size_t i) {
  return numberedKey("r", static_cast<std::int64_t>(i));
}
std::string graphKey(std::int64_t row) {
  return numberedKey("g", static_cast<std::int64_t>(row));
}

// The row number of a graph key as a save writes it ("g" and a decimal number without a
// leading zero, in any letter case), or 0 for any other key.
std::int64_t graphRow(std::string_view key) {
  if (key.size() < 2 || (key[0] != 'g' && key[0] != 'G') || key[1] == '0' || key.size() > 12) {
    return 0;
  }
  return wholeNumber<std::int64_t>(key.substr(1), 1).value_or(0);
}

// The counters in the order a load reads them: as the file lists them, except that big_coin
// is read before big_max_coin.
const std::array<CounterField, 19>& loadOrder() {
  static const std::array<CounterField, 19> order = [] {
    std::array<CounterField, 19> fields = kRecordCounters;
    std::swap(fields[8], fields[9]);
    return fields;
  }();
  return order;
}

// A sum, product or difference that a figure needs must fit 32 bits, as the counters do; one
// that does not ends the load like a counter that does not fit.
void requireInt32(const std::filesystem::path& path, std::string_view key, std::int32_t value,
                  std::string_view expression, std::int64_t result) {
  constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
  if (result >= lo && result <= hi) return;
  throw RecordError(
      path, std::string(key), std::to_string(value),
      Say::tr("makes %1 %2, outside %3..%4",
              {expression, std::to_string(result), std::to_string(lo), std::to_string(hi)}));
}

}  // namespace

RecordContent readRecord(const std::filesystem::path& path, const RecordReader& read) {
  RecordContent r;
  Counters& c = r.counters;
  for (const CounterField& f : loadOrder()) {
    const std::string text = read(kData, f.key);
    if (text.empty()) r.missing.emplace_back(f.key);
    const double value = parseNumber(text);
    try {
      if (f.field32) {
        c.*f.field32 = toInt32(value);
      } else {
        c.*f.field16 = toInt16(value);
      }
    } catch (const OverflowError& e) {
      throw RecordError(path, std::string(f.key), text, Say::tr("is outside %1", {e.range()}));
    }
    if (!text.empty() && !isCleanNumber(text)) {
      r.misread.push_back(Say::tr("%1=%2 is not a number as written; it is read as %3",
                                  {f.key, text, std::to_string(f.get(c))}));
    } else if (f.field32 && c.*f.field32 < 0) {  // counting never takes a count below 0
      r.misread.push_back(Say::tr("%1=%2 is a count below 0", {f.key, text}));
    }
  }
  requireInt32(path, "temochi_coin", c.temochi_coin, "tosi_coin + temochi_coin",
               std::int64_t{c.tosi_coin} + c.temochi_coin);
  requireInt32(path, "tosi_kingaku", c.tosi_kingaku, "tosi_kingaku × 1000",
               std::int64_t{c.tosi_kingaku} * 1000);
  const std::int64_t d = std::int64_t{c.out_count} - c.in_count;
  requireInt32(path, "out_count", c.out_count, "out_count − in_count", d);
  requireInt32(path, "out_count", c.out_count, "in_count − out_count", -d);

  for (std::size_t i = 0; i < r.history.size(); ++i) {
    r.history[i] = read(kData, historyKey(i));
    if (r.history[i].empty()) r.missing.push_back(historyKey(i));
  }

  // The stored points, up to the first key that is absent or empty; they follow the chart's
  // starting row.
  for (std::int64_t i = 2;; ++i) {
    const std::string key = graphKey(i);
    const std::string value = read(kGraph, key);
    if (value.empty()) break;
    if (static_cast<std::int64_t>(r.graph.size()) + 1 == Chart::kMaxRows) {
      throw RecordError(path, key, value,
                        Say::tr("does not fit: the graph holds at most %1 points",
                                {std::to_string(Chart::kMaxRows)}));
    }
    r.graph.push_back(numberText(parseNumber(value)));
  }
  r.bonuses = readBonuses(path, read);
  r.payouts = readPayouts(path, read, c.start_all_count);
  return r;
}

namespace {

// Sets the counter from a checked record and redraws every figure, the history and the graph.
void applyRecord(Counter& counter, const RecordContent& r) {
  Counters& c = counter.counters();
  Panel& panel = counter.panel();
  // 1. The counters.
  c = r.counters;

  // 2. The small-win texts (a redraw: the payout it measures is 0).
  counter.UpdateKoyaku(0);

  // 3. The text figures.
  const std::int64_t coins = std::int64_t{c.tosi_coin} + c.temochi_coin;
  panel.setText(TextId::temochiCoin, std::to_string(coins));
  showCashValues(panel, coins, counter.settings().rate);
  panel.setText(TextId::Text5pin, std::to_string(c.no5));
  panel.setText(TextId::bigMaxCoin, std::to_string(c.big_max_coin));
  panel.setText(TextId::bigCoin, std::to_string(c.big_coin));
  panel.setText(TextId::tosiKingaku,
                yenText(static_cast<double>(std::int64_t{c.tosi_kingaku} * 1000)));

  // 4. The digit groups.
  for (GroupId id : {GroupId::bigImage, GroupId::regImage, GroupId::outImage, GroupId::inImage,
                     GroupId::gameImage, GroupId::totalImage, GroupId::saImage}) {
    showGroup(panel, c, id);
  }

  // 5. Payout rate and probabilities.
  showRates(panel, c);

  // 6. The history: the kind character gives the colour; any other entry is emptied.
  for (std::size_t i = 0; i < r.history.size(); ++i) {
    const std::string& s = r.history[i];
    const char kind = s.empty() ? '\0' : s[0];
    if (kind == '1' || kind == '2') {
      panel.setHistoryText(i, std::string_view(s).substr(1));
      panel.setHistoryColour(i, kind == '1' ? kBigColour : kRegColour);
    } else {
      panel.setHistoryText(i, "");
    }
  }

  // 7. The graph: the stored points follow the starting row, in place of the play's points.
  Chart& chart = panel.chart();
  chart.reset();
  for (const std::string& value : r.graph) {
    chart.setRowCount(static_cast<std::int16_t>(chart.rowCount() + 1));
    chart.setRow(chart.rowCount());
    chart.setValue(value);
  }

  // 8. Every bonus of the play and every payout.
  counter.bonuses().replace(r.bonuses);
  counter.payouts().replace(r.payouts);
}

// What makes a record look cut short, or nothing when nothing does: keys a save always writes, and
// graph points fewer than its games give (one per 25 games, the first row being the chart's
// own).
Said incompleteness(const RecordContent& r) {
  constexpr std::size_t kNamed = 3;  // the keys named; the rest are counted
  std::string keys;
  for (std::size_t i = 0; i < std::min(r.missing.size(), kNamed); ++i) {
    keys += (i == 0 ? "" : ", ") + r.missing[i];
  }
  Said what;
  if (r.missing.size() > kNamed) {
    what = Say::tr("%1 and %2 more keys are missing",
                   {keys, std::to_string(r.missing.size() - kNamed)});
  } else if (r.missing.size() > 1) {
    what = Say::tr("%1 are missing", {keys});
  } else if (r.missing.size() == 1) {
    what = Say::tr("%1 is missing", {keys});
  }
  const std::int64_t points = std::min<std::int64_t>(
      r.counters.start_total_count / Chart::kGamesPerRow, Chart::kMaxRows - 1);
  if (static_cast<std::int64_t>(r.graph.size()) < points) {
    const Said graph = Say::tr("the graph holds %1 of the %2 points of its games",
                               {std::to_string(r.graph.size()), std::to_string(points)});
    what = joined({what, graph});
  }
  return what;
}

}  // namespace

RecordError::RecordError(const std::filesystem::path& path, const std::string& key,
                         const std::string& value, const Said& reason)
    : SaidError(Say::tr("%1: %2=%3 %4", {path.string(), key, value, reason})),
      path_(path),
      key_(key),
      value_(value) {}

RecordSnapshot::RecordSnapshot(const Counter& counter)
    : counters(counter.counters()),
      graph(counter.panel().chart().rows()),
      bonuses(counter.bonuses().all()),
      payouts(counter.payouts().counts()) {
  for (std::size_t i = 0; i < history.size(); ++i) history[i] = counter.panel().history(i);
}

void forEachRecordWrite(const RecordSnapshot& play, const std::vector<std::string>& graphKeys,
                        const std::function<void(const ProfileWrite&)>& apply) {
  const auto& rows = play.graph;
  ProfileWrite w{std::string(kData), {}, {}};
  for (const CounterField& f : kRecordCounters) {
    w.key = f.key;
    w.value = std::to_string(f.get(play.counters));
    apply(w);
  }
  // A history entry is kept as its kind, "1" for the BIG colour and "2" for any other, and
  // its bar.
  for (std::size_t i = 0; i < 10; ++i) {
    const HistoryEntry& entry = play.history[i];
    w.key = historyKey(i);
    w.value = (entry.colour == kBigColour ? "1" : "2") + entry.text;
    apply(w);
  }
  w.section = kGraph;
  for (std::size_t row = 2; row <= rows.size(); ++row) {
    w.key = graphKey(static_cast<std::int64_t>(row));
    w.value = rows[row - 1];
    apply(w);
  }
  // Keys an earlier, longer graph left behind would come back as phantom points.
  w.value.reset();
  for (const std::string& key : graphKeys) {
    if (graphRow(key) > static_cast<std::int64_t>(rows.size())) {
      w.key = key;
      apply(w);
    }
  }
  forEachBonusWrite(play.bonuses, apply);
  forEachPayoutWrite(play.payouts, play.counters.start_all_count, apply);
}

void SaveRecord(const RecordSnapshot& play, const std::filesystem::path& path) {
  ProfileFile file = ProfileFile::load(path);
  forEachRecordWrite(play, file.keys(kGraph), [&file](const ProfileWrite& w) { file.apply(w); });
  file.save(path);
}

RecordContent readRecord(const std::filesystem::path& path) {
  const std::optional<std::string> bytes = readFileBytes(path);
  if (!bytes) return {};  // a fresh play, which lacks nothing
  const ProfileFile file(*bytes);
  if (!file.hasSection(kData)) {
    throw FileError(path, Say::tr("is not a record: it has no [%1] section", {kData}));
  }
  return readRecord(path, [&file](std::string_view section, std::string_view key) {
    return file.value(section, key);
  });
}

Said LoadRecord(Counter& counter, const RecordContent& record) {
  applyRecord(counter, record);
  return incompleteness(record);
}

Said LoadRecord(Counter& counter, const std::filesystem::path& path) {
  return LoadRecord(counter, readRecord(path));
}

std::filesystem::path keepAsWritten(const std::filesystem::path& path) {
  const std::filesystem::path copy = freeName(path, ".orig");
  const std::optional<std::string> bytes = readFileBytes(path);
  writeFileAtomically(copy, bytes.value_or(""));
  return copy;
}

std::filesystem::path keepAside(const std::filesystem::path& path) {
  const std::filesystem::path bad = freeName(path, ".bad");
  std::error_code ec;
  std::filesystem::rename(path, bad, ec);
  if (ec) {
    throw FileError(path, Say::tr("cannot be kept aside as %1: %2", {bad.string(), ec.message()}));
  }
  return bad;
}

bool RecordSnapshot::empty() const {
  for (const CounterField& f : kRecordCounters) {
    if (f.get(counters) != 0) return false;
  }
  for (const HistoryEntry& entry : history) {
    if (!entry.text.empty()) return false;
  }
  return graph.size() <= 1 && bonuses.empty() && (!payouts || payouts->total() == 0);
}

}  // namespace tallix
