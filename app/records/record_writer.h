// Saves records on a thread of their own. The window's thread hands over a snapshot of the
// play and goes on counting while the writer reads the file, applies the play and replaces the
// file atomically (its flushes to disk take tens of milliseconds). A save handed over while
// another waits replaces the waiting one: only the newest play matters.
#pragma once

#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "base/say.h"
#include "record.h"

namespace tallix {

class RecordWriter {
 public:
  // How a play is written: SaveRecord, or in tests a double.
  using Save = std::function<void(const RecordSnapshot&, const std::filesystem::path&)>;
  explicit RecordWriter(Save save = SaveRecord);
  ~RecordWriter();  // writes what was handed over, then ends
  RecordWriter(const RecordWriter&) = delete;
  RecordWriter& operator=(const RecordWriter&) = delete;

  // How a save ended: `failure` names the file and why it could not be written, or is empty
  // when the play was written. Whatever the save throws is a failure of that save: the writer
  // goes on and the program with it.
  struct Outcome {
    Said failure;
    bool saved() const { return failure.empty(); }
  };

  // Returns at once; the play is saved to `path` as SaveRecord does.
  void save(RecordSnapshot play, std::filesystem::path path);
  // How the saves written since the last call ended, in the order they were written (a save
  // replaced while it waited is never written and has none).
  std::vector<Outcome> takeOutcomes();
  // Waits until every save handed over is written, then takes the outcomes.
  std::vector<Outcome> finish();
  // A save handed over is waiting or being written.
  bool busy() const;

 private:
  void run();

  const Save save_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<std::pair<RecordSnapshot, std::filesystem::path>> waiting_;
  bool writing_ = false;
  bool ending_ = false;
  std::vector<Outcome> outcomes_;
  std::thread thread_;  // last: it starts once the rest is ready
};

}  // namespace tallix
