// Play records: the profile file that keeps a play (section "data" with the counters and the
// ten history entries, section "graph" with the coin graph from row 2 on, section "bonuses"
// with every bonus, section "payouts" with every payout per game), its save and its load. hist.log
// in the program directory is the automatic record; player files are records saved and loaded with
// the buttons.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/profile.h"
#include "base/say.h"
#include "counting/counter.h"

namespace tallix {

// A record that could not be loaded to its end: names the file, the key and its value.
class RecordError : public SaidError {
 public:
  RecordError(const std::filesystem::path& path, const std::string& key, const std::string& value,
              const Said& reason);
  const std::filesystem::path& path() const { return path_; }
  const std::string& key() const { return key_; }
  const std::string& value() const { return value_; }

 private:
  std::filesystem::path path_;
  std::string key_;
  std::string value_;
};

// What a record keeps of a play: the counters, the ten history entries and the coin graph's
// rows. Copied from the counter on the window's thread in well under a millisecond, so that a
// save can be written elsewhere while counting goes on.
struct RecordSnapshot {
  RecordSnapshot(const Counter& counter);  // NOLINT(google-explicit-constructor): a save of it
  // A fresh play: every counter 0, no history bar, no graph point.
  bool empty() const;
  Counters counters;
  std::array<HistoryEntry, 10> history;
  std::vector<std::string> graph;  // the chart's rows, row 1 first
  std::vector<Bonus> bonuses;      // every bonus of the play
  std::optional<PayoutCounts> payouts;
};

// Hands each write of a save to `apply`, in order: the 19 counters and r0..r9 in section
// "data", the chart's rows from row 2 on as g2.. in section "graph", then the removal of the
// graph keys among `graphKeys` (the keys the file's graph section holds now) beyond the last
// row, then every bonus in section "bonuses" (record_bonuses.h), then the payouts in section
// "payouts" (record_payouts.h).
void forEachRecordWrite(const RecordSnapshot& play, const std::vector<std::string>& graphKeys,
                        const std::function<void(const ProfileWrite&)>& apply);

// Writes the play into the record file in one atomic replace; other sections and keys of an
// existing file are kept, graph keys beyond the chart's last row are removed. Throws
// FileError, naming the path and the reason, and leaves the old file whole when it cannot.
void SaveRecord(const RecordSnapshot& play, const std::filesystem::path& path);

// A record read and checked whole, so that a load applies all of it or nothing.
struct RecordContent {
  Counters counters;
  std::array<std::string, 10> history;  // as stored: the kind character, then the bar
  std::vector<std::string> graph;       // the points from g2 on, as the chart shows them
  std::vector<std::string> missing;     // keys a save always writes that the record lacks
  // The counters read as something other than their text says (a typing mistake such as
  // "1l", a count below 0), each naming the key, the text and what it is read as: read as
  // every record is read, so that a file that loaded before loads the same.
  std::vector<Said> misread;
  std::vector<Bonus> bonuses;  // every bonus of the play; none in an older record
  // None in an older record of a play with games; a fresh play lacks none.
  std::optional<PayoutCounts> payouts{PayoutCounts{}};
};

// The first of path + ".orig", ".orig.1" … kept as a copy of the record as it is: a record
// whose counters were read as something else keeps its text there before a save writes over
// it. Returns the copy's name; throws FileError when it cannot be made.
std::filesystem::path keepAsWritten(const std::filesystem::path& path);

// Reads a record and checks that every counter, every figure made of them and the graph fit;
// touches nothing else. A missing file reads as an empty record. Throws RecordError at the
// first value that does not fit, and FileError when the file exists but cannot be read or is
// not a record (it has no [data] section).
RecordContent readRecord(const std::filesystem::path& path);

// The same read with every key taken from `read(section, key)`; `path` only names the file
// in errors.
using RecordReader = std::function<std::string(std::string_view section, std::string_view key)>;
RecordContent readRecord(const std::filesystem::path& path, const RecordReader& read);

// Puts a checked record in place of the counter's play and redraws every figure, the history
// and the graph (whose rows become the record's points after the starting row). Returns what
// makes the record look cut short (keys a save always writes that it lacks, fewer graph points
// than its games give), or "" when nothing does.
Said LoadRecord(Counter& counter, const RecordContent& record);

// readRecord, then LoadRecord: on a failure the play is untouched.
Said LoadRecord(Counter& counter, const std::filesystem::path& path);

// Keeps a record that failed to load aside as path + ".bad", or ".bad.1", ".bad.2" … where
// older ones are, so that no later save overwrites the play it holds and no copy kept earlier
// is lost. Returns the name it was given; throws FileError when it cannot.
std::filesystem::path keepAside(const std::filesystem::path& path);

}  // namespace tallix
