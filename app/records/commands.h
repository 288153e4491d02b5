// The three buttons of the window: Clear ("クリア"), Load ("読込み") and Save ("保存").
#pragma once

#include <ctime>
#include <filesystem>
#include <string>

#include "base/say.h"
#include "counting/counter.h"

namespace tallix {

// The open and save dialogs, as the commands need them; the window gives the Qt dialogs,
// tests give a double.
class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // Shows the dialog modally in `directory` with the filter "*.log" and an empty file name;
  // returns the full path chosen, or "" when the player cancels.
  virtual std::string showOpen(const std::string& directory) = 0;
  virtual std::string showSave(const std::string& directory) = 0;
};

// What a command tells the player; all empty when there is nothing to say (a cancel).
struct CommandOutcome {
  Said failure;  // what went wrong, naming the file: for a message box
  Said warning;  // done, with a caveat: a lasting line on the notice line
  Said done;     // what was done: a passing line on the notice line
  Said kept;     // where the play on the window went: a lasting line, until dismissed

  // A play was kept among the past plays, so a list of them shows it at once.
  bool pastPlaysChanged() const { return !kept.empty(); }
};

// Clear: the play is first kept in the past plays in `pastPlays` (a fresh play has nothing to
// keep, and says so), named by `now`; when that fails nothing is cleared. Then every counter and
// display back to zero, history, graph, bonus list and payouts emptied, and the automatic record
// `record` deleted (a failure to delete is ignored); an empty `record` leaves the stored record as
// it is.
CommandOutcome Command3_Click(Counter& counter, const std::filesystem::path& pastPlays,
                              const std::filesystem::path& record, std::time_t now);

// Load and Save through the dialog, opened in `dataDir`, the folder of the automatic record. A
// cancel changes nothing.
//
// A load reads and checks the whole file first and is refused when it is missing, not a record
// or has a value that does not fit (the message names the file, and the key and the value).
// Then the play it replaces is kept in the past plays in `pastPlays` as a clear keeps it (when
// that fails nothing is loaded), and the record takes its place: counters, every figure, the
// history, the graph and the bonus list.
CommandOutcome Command4_Click(Counter& counter, FileDialog& dialog, const std::string& dataDir,
                              const std::filesystem::path& pastPlays, std::time_t now);
CommandOutcome Command5_Click(const Counter& counter, FileDialog& dialog,
                              const std::string& dataDir);

}  // namespace tallix
