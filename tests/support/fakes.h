// Doubles of what a session reaches: the port library and the file dialog; and what an input
// hands on.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "port/input_source.h"
#include "port/port.h"
#include "records/commands.h"

namespace tallix::testing {

// The port library. Its data register reads `byte` (all lines off unless set), from the
// sampling thread; the rest is called from the test's thread.
class FakePort : public Port {
 public:
  std::int32_t startResult = 14;
  std::string error;
  bool missing = false;                  // the library cannot be loaded
  std::atomic<bool> withoutInpB{false};  // the library lacks the export InpB
  std::vector<std::pair<std::uint16_t, std::int16_t>> writes;
  std::atomic<int> reads{0};
  std::atomic<std::uint16_t> address{0};  // of the last read
  std::atomic<std::uint8_t> byte{0xFF};
  int starts = 0;
  int stops = 0;

  std::int32_t start() override {
    if (missing) throw std::runtime_error("cannot load libkirvoport.so");
    ++starts;
    return startResult;
  }
  std::string lastError() override { return error; }
  std::int32_t stop() override { return ++stops, 0; }
  std::int16_t inpB(std::uint16_t port) override {
    if (withoutInpB) throw std::runtime_error("libkirvoport.so has no function InpB");
    address = port;
    ++reads;
    return signExtendByte(byte);
  }
  void outB(std::uint16_t port, std::int16_t value) override { writes.emplace_back(port, value); }
};

class FakeDialog : public FileDialog {
 public:
  std::vector<std::string> answers;  // the paths the player picks in turn, "" to cancel
  std::string answer;                // the path picked once `answers` have run out
  std::vector<std::string> directories;
  std::string showOpen(const std::string& directory) override { return show(directory); }
  std::string showSave(const std::string& directory) override { return show(directory); }

 private:
  std::string show(const std::string& directory) {
    directories.push_back(directory);
    if (answers.empty()) return answer;
    std::string picked = answers.front();
    answers.erase(answers.begin());
    return picked;
  }
};

// The raw levels an input hands on.
class Levels : public LevelSink {
 public:
  std::vector<std::uint32_t> seen;
  void level(std::int64_t, std::uint32_t raw) override { seen.push_back(raw); }
};

// Waits, up to a generous limit, until `done` holds; false if it never does.
inline bool eventually(const std::function<bool()>& done) {
  for (int i = 0; i < 10'000; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return done();
}

}  // namespace tallix::testing
