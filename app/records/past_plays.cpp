#include "past_plays.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "base/files.h"
#include "base/numbers.h"
#include "base/say.h"
#include "record.h"

namespace tallix {

namespace {

constexpr const char* kIndex = "summaries.tsv";
constexpr std::string_view kIndexHeader = "tallix past plays 2";

// "2026-12-07 19:30:12" for the stem "2026-12-07_193012", else the stem as it is.
std::string dateOf(const std::string& stem) {
  static constexpr std::string_view kPattern = "dddd-dd-dd_dddddd";
  if (stem.size() != kPattern.size()) return stem;
  for (std::size_t i = 0; i < stem.size(); ++i) {
    const bool digit = stem[i] >= '0' && stem[i] <= '9';
    if (kPattern[i] == 'd' ? !digit : stem[i] != kPattern[i]) return stem;
  }
  return stem.substr(0, 10) + ' ' + stem.substr(11, 2) + ':' + stem.substr(13, 2) + ':' +
         stem.substr(15, 2);
}

// What the index holds of a file: the file as it was when its line was made, and what was read.
struct Entry {
  std::uintmax_t size = 0;
  std::int64_t changed = 0;            // its time of change, in the file system's own ticks
  std::optional<PlaySummary> summary;  // none when the file cannot be read as a record
  friend bool operator==(const Entry&, const Entry&) = default;
};

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) out.push_back(field);
  if (!line.empty() && line.back() == '\t') out.emplace_back();
  return out;
}

// The payouts of a summary as one field: "BIG,REG,COINS:GAMES,…" ("21,14,0:4377,8:861"), or ""
// for a play without them.
std::string payoutsField(const std::optional<PayoutCounts>& payouts) {
  if (!payouts) return "";
  std::string field = std::to_string(payouts->big) + ',' + std::to_string(payouts->reg);
  for (const auto& [coins, games] : payouts->games) {
    field += ',' + std::to_string(coins) + ':' + std::to_string(games);
  }
  return field;
}

// The payouts of such a field: a value for "" too, none for any other text.
std::optional<std::optional<PayoutCounts>> payoutsOf(const std::string& field) {
  if (field.empty()) return std::optional<PayoutCounts>{};
  std::vector<std::string> parts;
  std::istringstream in(field);
  for (std::string part; std::getline(in, part, ',');) parts.push_back(part);
  const auto count = [](std::string_view t) { return wholeNumber<std::int32_t>(t, 0); };
  if (parts.size() < 2 || !count(parts[0]) || !count(parts[1])) return std::nullopt;
  PayoutCounts p{*count(parts[0]), *count(parts[1]), {}};
  for (std::size_t i = 2; i < parts.size(); ++i) {
    const std::size_t colon = parts[i].find(':');
    if (colon == std::string::npos) return std::nullopt;
    const auto coins = count(std::string_view(parts[i]).substr(0, colon));
    const auto games = count(std::string_view(parts[i]).substr(colon + 1));
    if (!coins || !games) return std::nullopt;
    p.games[*coins] = *games;
  }
  return std::optional<PayoutCounts>{p};
}

// One line of the index: the name, size and time, then the summary's fields, or "!" for a file
// that cannot be read (why is read again when it is picked, in the player's language).
std::string lineOf(const std::string& name, const Entry& e) {
  std::string line = name + '\t' + std::to_string(e.size) + '\t' + std::to_string(e.changed);
  const auto optional = [](const std::optional<std::int64_t>& n) {
    return n ? std::to_string(*n) : std::string();
  };
  if (!e.summary) return line + "\t!\n";
  const PlaySummary& s = *e.summary;
  for (const std::string& field :
       {std::to_string(s.games), std::to_string(s.big), std::to_string(s.reg),
        optional(s.gamesPerBig), optional(s.gamesPerReg), s.payoutRate,
        std::to_string(s.difference), std::to_string(s.longestRunUp),
        std::to_string(s.smallWins[0]), std::to_string(s.smallWins[1]),
        std::to_string(s.smallWins[2]), payoutsField(s.payouts)}) {
    line += '\t' + field;
  }
  return line + '\n';
}

// A line read back; nullopt for any line that is not one the index writes (it is then made
// afresh from the file).
std::optional<std::pair<std::string, Entry>> entryOf(const std::string& line) {
  const std::vector<std::string> f = fields(line);
  if (f.size() < 4) return std::nullopt;
  Entry e;
  const auto size = wholeNumber<std::uintmax_t>(f[1]);
  const auto changed = wholeNumber<std::int64_t>(f[2]);
  if (!size || !changed) return std::nullopt;
  e.size = *size;
  e.changed = *changed;
  if (f[3] == "!" && f.size() == 4) return std::pair{f[0], e};
  if (f.size() != 15) return std::nullopt;
  const auto i32 = [](const std::string& t) { return wholeNumber<std::int32_t>(t); };
  const auto i64 = [](const std::string& t) { return wholeNumber<std::int64_t>(t); };
  const auto optional = [&](const std::string& t) -> std::optional<std::optional<std::int64_t>> {
    if (t.empty()) return std::optional<std::int64_t>{};
    if (const auto n = i64(t)) return std::optional<std::int64_t>{*n};
    return std::nullopt;
  };
  const auto games = i32(f[3]), big = i32(f[4]), reg = i32(f[5]), longest = i32(f[10]);
  const auto perBig = optional(f[6]), perReg = optional(f[7]);
  const auto difference = i64(f[9]);
  const auto win1 = i32(f[11]), win2 = i32(f[12]), win3 = i32(f[13]);
  const auto payouts = payoutsOf(f[14]);
  if (!games || !big || !reg || !perBig || !perReg || !difference || !longest || !win1 || !win2 ||
      !win3 || !payouts) {
    return std::nullopt;
  }
  e.summary = PlaySummary{
      *games,  *big, *reg, *perBig, *perReg, f[8], *difference, *longest, {*win1, *win2, *win3},
      *payouts};
  return std::pair{f[0], e};
}

std::map<std::string, Entry> readIndex(const std::filesystem::path& folder) {
  std::map<std::string, Entry> index;
  std::optional<std::string> bytes;
  try {
    bytes = readFileBytes(folder / kIndex);
  } catch (const FileError&) {  // an index that cannot be read is made afresh
  }
  std::istringstream in(bytes.value_or(""));
  std::string line;
  if (!std::getline(in, line) || line != kIndexHeader) return index;
  while (std::getline(in, line)) {
    if (auto entry = entryOf(line)) index.insert(std::move(*entry));
  }
  return index;
}

// A name the index can hold on its line.
bool indexable(const std::string& name) {
  return name.find_first_of("\t\n\r") == std::string::npos;
}

void writeIndex(const std::filesystem::path& folder, const std::map<std::string, Entry>& index) {
  std::string text = std::string(kIndexHeader) + '\n';
  for (const auto& [name, entry] : index) text += lineOf(name, entry);
  try {
    writeFileAtomically(folder / kIndex, text);
  } catch (const FileError&) {  // a folder that cannot be written: listed slowly, as before
  }
}

Entry readEntry(const std::filesystem::path& path, std::uintmax_t size, std::int64_t changed) {
  Entry e{size, changed, std::nullopt};
  try {
    const PlayRecord play = readPlay(path);
    e.summary = summarize(play.counters, play.bonuses, play.payouts);
  } catch (const std::runtime_error&) {  // RecordError or FileError: listed as unreadable
  }
  return e;
}

}  // namespace

std::vector<PastPlay> listPastPlays(const std::filesystem::path& folder) {
  std::vector<PastPlay> plays;
  std::error_code ec;
  if (!std::filesystem::exists(folder, ec)) return plays;
  const std::map<std::string, Entry> index = readIndex(folder);
  std::map<std::string, Entry> now;
  std::filesystem::directory_iterator it(folder, ec);
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::filesystem::path& path = it->path();
    std::error_code unreadable;
    if (path.extension() != ".log" || !it->is_regular_file(unreadable)) continue;
    const std::string name = path.filename().string();
    const std::uintmax_t size = it->file_size(unreadable);
    const std::int64_t changed = it->last_write_time(unreadable).time_since_epoch().count();
    const auto known = index.find(name);
    const bool fresh = known != index.end() && known->second.size == size &&
                       known->second.changed == changed && !unreadable;
    const Entry entry = fresh ? known->second : readEntry(path, size, changed);
    if (indexable(name)) now[name] = entry;
    plays.push_back({path, dateOf(path.stem().string()), entry.summary});
  }
  if (ec) throw FileError(folder, Say::tr("cannot be listed: %1", {ec.message()}));
  if (now != index) writeIndex(folder, now);
  std::sort(plays.begin(), plays.end(), [](const PastPlay& a, const PastPlay& b) {
    return a.path.filename() > b.path.filename();
  });
  return plays;
}

void notePastPlay(const std::filesystem::path& path) {
  const std::string name = path.filename().string();
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(path, ec);
  const auto changed = std::filesystem::last_write_time(path, ec);
  if (ec || !indexable(name)) return;  // its line is made when the plays are next listed
  std::map<std::string, Entry> index = readIndex(path.parent_path());
  index[name] = readEntry(path, size, changed.time_since_epoch().count());
  writeIndex(path.parent_path(), index);
}

PlayRecord readPlay(const std::filesystem::path& path) {
  RecordContent record = readRecord(path);
  return {record.counters, std::move(record.bonuses), std::move(record.payouts)};
}

}  // namespace tallix
