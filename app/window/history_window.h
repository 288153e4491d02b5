// The history window: the current play and the past plays listed by date, each with its
// summary (games, BIG, REG, their probabilities, payout rate, difference, longest run-up, the
// likeliest setting of the machine) and the setting estimate of the play picked, and
// every bonus of the play picked as a table and as a chart of run-ups and coins. The past plays'
// summaries come from their index (records/past_plays.h); a past play picked is read from its
// file and only shown; nothing here writes a record. The bonus table and the
// summaries are exported as CSV.
//
//   panel: Ctrl+H or the context menu's entry -> the window shown -> past plays read
//   a play picked in the list -> its bonuses; the current play is redrawn while the window is
//   open, when its bonuses or figures change
#pragma once

#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>

#include "counting/counter.h"
#include "design/history_model.h"

class QLabel;
class QTableWidget;

namespace tallix::window {

class BonusChart;
class Messages;

class HistoryWindow : public QWidget {
 public:
  // Asks where to export a CSV file, suggesting a path; "" when the player cancels.
  using AskSavePath = std::function<QString(QWidget* parent, const QString& suggested)>;

  // `pastPlays` is the folder of the past plays; without `ask`, a save dialog asks.
  HistoryWindow(QWidget* parent, const Counter& counter, std::filesystem::path pastPlays,
                Messages& messages, AskSavePath ask = {});

  // Lists the past plays afresh and shows the play picked (the current one at first).
  void refresh();
  // Picks a play: 0 the current one, 1 the newest past play and so on.
  void pick(int row);

  void exportBonuses();
  void exportSummaries();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void showPicked();
  void exportCsv(const design::CsvFile& file);

  design::HistoryModel model_;
  Messages& messages_;
  AskSavePath ask_;

  QTableWidget* plays_;  // a row per play with its summary: the current one, then the past
  QLabel* problem_;      // why a past play picked could not be read
  QLabel* estimate_;     // the setting estimate of the play picked
  QTableWidget* bonuses_;
  BonusChart* chart_;
  QTimer live_;  // redraws the current play while the window is shown
};

// Opens the panel's history window (made at the first opening) over the panel, within the
// screen, or brings it forward.
void openHistoryWindow(QWidget* panel, const Counter& counter, std::filesystem::path pastPlays,
                       Messages& messages);

}  // namespace tallix::window
