// The serial bridge's board as the tests play it on a pseudo-terminal: a play sent as TLX1
// lines, the PC's "?" waited for, and the record left compared with tallix-replay's.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include <fstream>

#include "port/port_byte.h"
#include "port/trace.h"
#include "support/raw_levels.h"
#include "support/run.h"
#include "support/temp_dir.h"

namespace tallix::testing {

// A raw pseudo-terminal standing for a board on a USB serial line: the board's end and the
// name the PC opens ("" when the system gives none), closed when it goes.
struct BoardPty {
  int master = -1, slave = -1;
  std::string name;

  BoardPty() {
    char path[128];
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&master, &slave, path, &raw, nullptr) == 0) name = path;
  }
  BoardPty(const BoardPty&) = delete;
  BoardPty& operator=(const BoardPty&) = delete;
  // The board unplugged.
  void close() {
    for (int* fd : {&slave, &master}) {
      if (*fd >= 0) ::close(*fd);
      *fd = -1;
    }
  }
  ~BoardPty() { close(); }
};

// Writes `play` to dir/play.trace, and to dir/replay.log the record that the tallix-replay
// `program` makes of it with `settings`; false when it fails.
inline bool replayed(const std::string& program, const TempDir& dir,
                     const std::vector<Change>& play, const std::string& settings) {
  {
    std::ofstream trace(dir / "play.trace");
    TraceRecorder recorder(trace);
    for (const Change& c : play) recorder.record(c);
  }
  writeBytes(dir / "replay.ini", settings);
  return run(program + " --settings " + (dir / "replay.ini").string() + " --save " +
             (dir / "replay.log").string() + " " + (dir / "play.trace").string())
             .status == 0;
}

// The play as TLX1 lines from a board wired through `input`, whose clock is about to wrap.
inline std::string boardLines(const std::vector<Change>& play, const InputSettings& input) {
  const std::uint32_t start = 0xFFFF'F000;
  std::string lines = "#TLX1 16\n";
  char line[40];
  for (std::size_t i = 0; i < play.size(); ++i) {
    std::snprintf(line, sizeof line, "%c %u %04x\n", i == 0 ? 'S' : 'E',
                  static_cast<unsigned>(start + static_cast<std::uint32_t>(play[i].ms)),
                  static_cast<unsigned>(rawLevels(play[i].byte, input) & 0xFFFF));
    lines += line;
  }
  return lines;
}

// Waits up to 10 s for the PC to send `text` to the board on the pseudo-terminal `master`.
inline bool heard(int master, const std::string& text) {
  std::string got;
  for (int i = 0; i < 100 && got.find(text) == std::string::npos; ++i) {
    pollfd p{master, POLLIN, 0};
    if (poll(&p, 1, 100) == 1) {
      char buf[64];
      const ssize_t n = read(master, buf, sizeof buf);
      if (n > 0) got.append(buf, static_cast<std::size_t>(n));
    }
  }
  return got.find(text) != std::string::npos;
}

// Sends all of `bytes` to the PC on the pseudo-terminal `master`, as fast as the PC reads them;
// false when it stops reading for 10 s.
inline bool send(int master, const std::string& bytes) {
  fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
  for (std::size_t sent = 0; sent < bytes.size();) {
    pollfd p{master, POLLOUT, 0};
    if (poll(&p, 1, 10'000) != 1) return false;
    const ssize_t n = write(master, bytes.data() + sent, bytes.size() - sent);
    if (n < 0 && errno != EAGAIN) return false;
    if (n > 0) sent += static_cast<std::size_t>(n);
  }
  return true;
}

// A record with the times of day cut off its bonus lines ("b1=REG,245,245,96,19:40:03,19:40:43"):
// a session's are those of its clock, a replay's begin at 00:00:00.
inline std::string withoutTimesOfDay(const std::string& record) {
  static const std::regex times(",[0-9:]+,[0-9:]+\r\n");
  return std::regex_replace(record, times, "\r\n");
}

}  // namespace tallix::testing
