// The past plays that クリア and 読込み keep (see archive.h), as the history window lists them,
// each with its summary, and opens each one read-only.
//
// Reading thousands of records each time the list is shown would keep a player who keeps years
// of plays waiting, so the summaries are kept in a small index beside the plays
// (summaries.tsv), one line per file with its size and time of change. A file that is new, or
// changed since, is read and its line made afresh; lines of files that are gone are dropped.
// The index is only ever a copy: deleting it costs one slow listing, never a play.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "counting/bonuses.h"
#include "counting/counters.h"
#include "counting/game_payouts.h"
#include "counting/play_summary.h"

namespace tallix {

struct PastPlay {
  std::filesystem::path path;
  // "2026-12-07 19:30:12" for a file named 2026-12-07_193012.log; any other name as it is,
  // without ".log".
  std::string date;
  // None when the file cannot be read as a record; readPlay says why.
  std::optional<PlaySummary> summary;
};

// The *.log files of the folder, newest first (by name, which is the date), with their
// summaries; the index is brought up to date where it is behind (and left as it is where it
// cannot be written). A folder that does not exist holds none; one that cannot be read throws
// FileError.
std::vector<PastPlay> listPastPlays(const std::filesystem::path& folder);

// Adds the play just kept at `path` to the index of its folder, so that the next listing
// need not read it. Never fails: an index that cannot be written is made at the next listing.
void notePastPlay(const std::filesystem::path& path);

struct PlayRecord {
  Counters counters;
  std::vector<Bonus> bonuses;
  std::optional<PayoutCounts> payouts;
};

// A record read as a load reads it, without touching the file. Throws RecordError or
// FileError as readRecord does.
PlayRecord readPlay(const std::filesystem::path& path);

}  // namespace tallix
