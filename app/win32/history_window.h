// The history window of tallix.exe: the current play and the past plays listed by date, each
// with its summary (games, BIG, REG, their probabilities, payout rate, difference, longest
// run-up), and every bonus of the play picked as a table and as a chart of run-ups and coins. The
// past plays' summaries come from their index (records/past_plays.h); a past play picked is read
// from its file and only shown; nothing here writes a record. The bonus table and the summaries
// are exported as CSV.
//
//   panel: Ctrl+H or the context menu's entry -> the window shown -> past plays read
//   a play picked in the list -> its bonuses; the current play is redrawn while the window is
//   open, when its bonuses or figures change
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bonus_chart.h"
#include "counting/counter.h"
#include "counting/play_summary.h"
#include "list_view.h"
#include "records/past_plays.h"
#include "tool_window.h"

namespace tallix::win32 {

class HistoryWindow : public ToolWindow {
 public:
  // `pastPlays` is the folder of the past plays.
  HistoryWindow(HWND owner, const Counter& counter, std::filesystem::path pastPlays);
  // Shows the window over `panel`, within the screen, with the past plays listed afresh.
  void show(HWND panel);
  // Lists the past plays afresh and shows the play picked.
  void refresh();

 private:
  std::optional<LRESULT> handle(UINT message, WPARAM w, LPARAM l) override;
  void layout(const RECT& client) override;
  void showPicked();
  void showSummary(int row, const PlaySummary& summary);
  void showBonuses(const std::vector<Bonus>& bonuses);
  void exportBonuses();
  void exportSummaries();
  void exportCsv(const std::string& name, const std::string& csv);

  const Counter& counter_;
  std::filesystem::path pastPlays_;
  ListView plays_;  // a row per play with its summary: the current one, then the past
  HWND problem_;    // why a past play picked could not be read
  Gdi<HBRUSH> problemBrush_{CreateSolidBrush(colour(design::kNoticeBackground))};
  ListView bonuses_;
  BonusChart chart_;
  HWND exportBonuses_, exportSummaries_;

  std::vector<PastPlay> past_;
  std::vector<Bonus> pickedBonuses_;  // of the past play picked
  // The play whose bonuses are shown, by its row, and the current play's bonus revision.
  std::optional<std::pair<int, std::uint64_t>> shown_;
};

}  // namespace tallix::win32
