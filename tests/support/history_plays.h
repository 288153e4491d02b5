// The plays both history windows' tests list: the current one and a folder of past plays.
#pragma once

#include <filesystem>

#include "records/record.h"
#include "support/play.h"
#include "support/temp_dir.h"

namespace tallix::testing {

// Plays `play` to a BIG and a REG still running, and `past` to a REG (its run-up still going on
// is its longest), saved in `folder` beside a file that is no record.
inline void playWithPastPlays(Play& play, Play& past, const std::filesystem::path& folder) {
  play.game();
  play.holdLines(kBig);
  play.game(3, 40);
  play.holdLines(0);
  play.game();
  play.holdLines(kReg);
  play.game(1, 9);
  std::filesystem::create_directories(folder);
  past.game();
  past.game();
  past.holdLines(kReg);
  past.tick();
  past.holdLines(0);
  for (int i = 0; i < 3; ++i) past.game();
  SaveRecord(past.counter, folder / "2026-12-06_210000.log");
  writeBytes(folder / "2026-12-07_100000.log", "[data]\r\nin_count=x\r\nkoyaku1g_now=1e9\r\n");
}

}  // namespace tallix::testing
