// The history window of tallix.exe: the current play and the past plays listed by date, each
// with its summary (games, BIG, REG, their probabilities, payout rate, difference, longest
// run-up, the likeliest setting of the machine) and the setting estimate of the play picked, and
// every bonus of the play picked as a table and as a chart of run-ups and coins, beneath a bar
// that shares the height between the list and the play picked. What it shows comes from the
// history's model (design/history_model.h); nothing here writes a record. The bonus table and
// the summaries are exported as CSV.
//
//   panel: Ctrl+H or the context menu's entry -> the window shown -> past plays read
//   a play picked in the list -> its bonuses; the current play is redrawn while the window is
//   open, when its bonuses or figures change
#pragma once

#include <filesystem>
#include <optional>

#include "bonus_chart.h"
#include "counting/counter.h"
#include "design/history_model.h"
#include "list_view.h"
#include "splitter.h"
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
  void relayout();
  void showPicked();
  void exportCsv(const design::CsvFile& file);

  design::HistoryModel model_;
  ListView plays_;  // a row per play with its summary: the current one, then the past
  Splitter split_;  // between the list of plays and the play picked
  HWND problem_;    // why a past play picked could not be read
  Gdi<HBRUSH> problemBrush_{CreateSolidBrush(colour(design::kNoticeBackground))};
  HWND estimate_;  // the setting estimate of the play picked
  ListView bonuses_;
  BonusChart chart_;
  HWND exportBonuses_, exportSummaries_;
};

}  // namespace tallix::win32
