// The past plays that クリア keeps (see archive.h), as the history window lists them and opens
// each one read-only.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "counting/bonuses.h"
#include "counting/counters.h"

namespace tallix {

struct PastPlay {
  std::filesystem::path path;
  // "2026-12-07 19:30:12" for a file named 2026-12-07_193012.log; any other name as it is,
  // without ".log".
  std::string date;
};

// The *.log files of the folder, newest first (by name, which is the date). A folder that does
// not exist holds none; one that cannot be read throws FileError.
std::vector<PastPlay> listPastPlays(const std::filesystem::path& folder);

struct PlayRecord {
  Counters counters;
  std::vector<Bonus> bonuses;
};

// A record read as a load reads it, without touching the file. Throws RecordError or
// FileError as readRecord does.
PlayRecord readPlay(const std::filesystem::path& path);

}  // namespace tallix
