// The three buttons of the window: Clear ("クリア"), Load ("読込み") and Save ("保存").
#pragma once

#include <filesystem>
#include <optional>
#include <string>

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

// Clear: every counter and display back to zero, history, graph and bonus list emptied, and the
// automatic record appDir + recordName deleted (a failure to delete is ignored). The simulated
// machine keeps its own automatic record, "sim.log".
void Command3_Click(Counter& counter, const std::string& appDir,
                    const std::string& recordName = "hist.log");

// Load and Save through the dialog, opened in the program's directory. A cancel changes
// nothing. A failure gives the message for the window to show (naming the file, and for a
// load the key and the value); success gives nullopt.
std::optional<std::string> Command4_Click(Counter& counter, FileDialog& dialog,
                                          const std::string& programDir);
std::optional<std::string> Command5_Click(const Counter& counter, FileDialog& dialog,
                                          const std::string& programDir);

}  // namespace tallix
