// tallix.exe under Wine, on the virtual X display that scripts/test starts, beside the Linux
// programs: the window opens on the record beside it and shows the Linux window's digit pictures
// in the same cells; クリア keeps the play in plays/; closing the window (WM_CLOSE) and the end of
// the session save; the context menu starts the simulated machine as a program of its own; the
// simulated machine's play is recorded change for change; Ctrl+E opens the setting estimate; a
// serial bridge's play on a COM port is counted as tallix-replay counts it; without device= the
// listed COM ports are asked, and one that arrives later at once; a second start on the record
// brings the first forward; the history window lists the past plays and exports them as CSV; the
// live view is served; --help and --version answer on the console.
//
// Under Xvfb a Wine window is an X window of exactly its client area, found by its title.
// scripts/test runs this program, not ctest: it needs the Windows build (TALLIX_WINDOWS_BIN, the
// folder of tallix.exe), Wine with a prefix (WINEPREFIX) and a display (DISPLAY).
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "base/profile.h"
#include "base/settings.h"
#include "design/design.h"
#include "port/trace.h"
#include "records/csv_export.h"
#include "records/past_plays.h"
#include "support/bridge_board.h"
#include "support/live_client.h"
#include "support/run.h"
#include "support/temp_dir.h"

namespace tallix::testing {
namespace {

namespace fs = std::filesystem;

std::string windowsBin() {
  const char* dir = std::getenv("TALLIX_WINDOWS_BIN");
  return dir != nullptr ? dir : "";
}

// Waits for a condition, a while at most; true when it came.
bool waitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds most = std::chrono::seconds(60)) {
  const auto until = std::chrono::steady_clock::now() + most;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

std::string quoted(const std::string& s) {
  return "'" + s + "'";
}

// The [data] section of a record: the play's counters.
std::string data(const fs::path& record) {
  const ProfileFile file = ProfileFile::load(record);
  std::string all;
  for (const char* key : {"in_count", "out_count", "big_count", "reg_count", "start_all_count",
                          "start_total_count", "start_bonus_count", "no5", "big_max_coin"}) {
    all += std::string(key) + "=" + file.value("data", key) + "\n";
  }
  return all;
}

// A folder holding tallix.exe, the port library and a tallix.ini whose input is absent (the
// serial bridge on a COM port that no board answers), beside which the program keeps its play.
class Win32Window : public ::testing::Test {
 protected:
  void SetUp() override {
    if (windowsBin().empty()) GTEST_SKIP() << "TALLIX_WINDOWS_BIN is not set";
    for (const char* file : {"tallix.exe", "kirvoport.dll"}) {
      fs::copy_file(fs::path(windowsBin()) / file, dir / file);
    }
    writeSettings("source=serial\r\ndevice=COM42\r\n");
  }
  void TearDown() override {
    if (!pid_.empty()) close();
  }

  // The Windows sample as tallix.ini, with its [input] section's source=auto replaced by
  // `input`.
  void writeSettings(const std::string& input) {
    std::string sample = readBytes(TALLIX_SOURCE_DIR "/tools/sample-tallix.windows.ini");
    const std::size_t at = sample.find("source=auto\n");
    ASSERT_NE(at, std::string::npos);
    writeBytes(dir / "tallix.ini", sample.replace(at, 12, input));
  }

  // A play of the simulated machine, as tallix-replay saves it: the record beside the program.
  fs::path play(int seed, int games) {
    const fs::path trace = dir / "play.trace";
    EXPECT_EQ(run(TALLIX_SIM " --seed " + std::to_string(seed) + " --games " +
                  std::to_string(games) + " --trace " + trace.string())
                  .status,
              0);
    EXPECT_EQ(run(TALLIX_REPLAY " --settings " + (dir / "tallix.ini").string() + " --save " +
                  (dir / "hist.log").string() + " " + trace.string())
                  .status,
              0);
    return trace;
  }

  // Starts tallix.exe in the folder, in the background.
  void start(const std::string& args = "") {
    const auto r = run("cd " + quoted(dir.path().string()) + " && { wine tallix.exe " + args +
                       " >out.txt 2>err.txt & echo $!; }");
    pid_ = r.out.substr(0, r.out.find('\n'));
  }
  // The X window of the window titled `title`, once it is there.
  std::string window(const std::string& title) {
    std::string id;
    EXPECT_TRUE(waitFor([&] {
      id = run("xdotool search --onlyvisible --name " + quoted("^" + title + "$")).out;
      return !id.empty();
    })) << title;
    return id.substr(0, id.find('\n'));
  }
  QImage grab(const std::string& id) {
    const fs::path png = dir / "grab.png";
    run("import -window " + id + " " + png.string());
    return QImage(QString::fromStdString(png.string())).convertToFormat(QImage::Format_RGB32);
  }
  bool running() const { return run("kill -0 " + pid_).status == 0; }
  // Closes the window as Windows closes it from outside (WM_CLOSE) and waits for the program's
  // end.
  void close() {
    run("wine taskkill /IM tallix.exe");
    EXPECT_TRUE(waitFor([&] { return !running(); }));
    pid_.clear();
  }

  TempDir dir;

 private:
  std::string pid_;
};

// The largest difference of a colour channel between two cells of a digit picture's size.
int difference(const QImage& a, const QImage& b, QPoint at) {
  int most = 0;
  const int width = design::px(design::kDigitWidth), height = design::px(design::kDigitHeight);
  for (int y = at.y(); y < at.y() + height; ++y) {
    for (int x = at.x(); x < at.x() + width; ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                       std::abs(qBlue(p) - qBlue(q))});
    }
  }
  return most;
}

QPoint topLeft(design::Twips place) {
  return {design::px(place.left), design::px(place.top)};
}

// The digit cells of a play with a negative difference (the minus bar shown): each as the Linux
// window shows it, JPEG decoding aside. Windows decodes the pictures with its own decoder, whose
// colours differ from Qt's by up to a few dozen in a channel; a lit segment where the other
// shows an unlit one, or a cell shifted by a pixel, differs by far more.
TEST_F(Win32Window, OpensOnTheRecordBesideItWithTheLinuxWindowsDigitsInTheSameCells) {
  const fs::path trace = play(3, 1500);
  const fs::path linuxGrab = dir / "linux.png";
  ASSERT_EQ(run("QT_QPA_PLATFORM=offscreen " TALLIX_SCREENSHOT " " + (dir / "tallix.ini").string() +
                " " + trace.string() + " " + linuxGrab.string())
                .status,
            0);
  const QImage linux(QString::fromStdString(linuxGrab.string()));
  std::vector<QPoint> cells{topLeft(design::kSaMinus)};
  const int sizes[kGroupCount] = {5, 5, 3, 3, 6, 6, 6};
  for (std::size_t g = 0; g < kGroupCount; ++g) {
    for (int k = 0; k < sizes[g]; ++k) {
      cells.push_back(topLeft(design::digitPlace(static_cast<GroupId>(g), k)));
    }
  }
  constexpr int kJpegDecoding = 64;  // the decoders' difference (up to 43 seen), with room
  const QImage linuxShifted = linux.copy(1, 0, linux.width() - 1, linux.height());

  start();
  const std::string id = window("Tallix — hist.log");
  QImage wine;
  // Until the window has drawn its figures.
  waitFor([&] {
    wine = grab(id);
    return !wine.isNull() && difference(wine, linux, cells.back()) <= kJpegDecoding;
  });
  ASSERT_FALSE(wine.isNull());
  EXPECT_EQ(wine.width(), design::kClientWidth);
  for (const QPoint& cell : cells) {
    SCOPED_TRACE(std::to_string(cell.x()) + "," + std::to_string(cell.y()));
    EXPECT_LE(difference(wine, linux, cell), kJpegDecoding);
  }
  // The tolerance tells a cell from its neighbour's pixels.
  EXPECT_GT(difference(wine, linuxShifted, cells[1]), 2 * kJpegDecoding);
  const std::string before = readBytes(dir / "hist.log");
  close();
  EXPECT_EQ(readBytes(dir / "hist.log"), before);  // saved at the close as it was loaded
  EXPECT_FALSE(fs::exists(dir / "hist.log.lock"));
}

TEST_F(Win32Window, ClearKeepsThePlayInPlaysAndTheCloseSavesTheClearedPlay) {
  play(5, 300);
  const std::string played = data(dir / "hist.log");
  start();
  const std::string id = window("Tallix — hist.log");
  const design::Twips clear = design::kButtons[0].place;
  // The kept play is the one .log in plays/ (beside it, the index of past plays).
  fs::path kept;
  const auto plays = [&] {
    if (!fs::exists(dir / "plays")) return false;
    for (const auto& entry : fs::directory_iterator(dir / "plays"))
      if (entry.path().extension() == ".log") kept = entry.path();
    return !kept.empty();
  };
  // A click that comes while Wine still readies the window is lost: it is given again. A second
  // click clears a fresh play, which keeps nothing.
  ASSERT_TRUE(waitFor([&] {
    run("xdotool mousemove --window " + id + " " +
        std::to_string(design::px(clear.left + clear.width / 2)) + " " +
        std::to_string(design::px(clear.top + clear.height / 2)) + " click 1");
    return waitFor(plays, std::chrono::milliseconds(500));
  }));
  EXPECT_EQ(data(kept), played);
  run("xdotool key --window " + id + " ctrl+h");
  window("Tallix ボーナス履歴");  // where the past plays are listed
  close();
  EXPECT_EQ(ProfileFile::load(dir / "hist.log").value("data", "in_count"), "0");
}

// The history window lists the current play and the past plays in plays/, and exports them as
// CSV through the save dialog, which offers each file's name beside the record: the summaries of
// both plays, the bonuses of the current play and, picked in the list, those of the past play.
TEST_F(Win32Window, TheHistoryListsThePastPlaysAndExportsThemAsCsv) {
  play(8, 900);
  fs::create_directory(dir / "plays");
  const fs::path older = dir / "plays" / "2026-12-06_210000.log";
  fs::copy_file(dir / "hist.log", older);
  play(7, 1500);
  const PlayRecord current = readPlay(dir / "hist.log"), past = readPlay(older);
  ASSERT_FALSE(current.bonuses.empty());
  ASSERT_NE(current.bonuses, past.bonuses);
  const std::string summaries =
      summaryCsv({{"current", summarize(current.counters, current.bonuses, current.payouts)},
                  {"2026-12-06 21:00:00", summarize(past.counters, past.bonuses, past.payouts)}});

  start();
  const std::string panel = window("Tallix — hist.log");
  const std::string title = quoted("^Tallix ボーナス履歴$");
  // A key that comes while Wine still readies the window is lost: it is given again.
  ASSERT_TRUE(waitFor([&] {
    run("xdotool key --window " + panel + " ctrl+h");
    return waitFor([&] { return !run("xdotool search --onlyvisible --name " + title).out.empty(); },
                   std::chrono::seconds(3));
  }));
  const std::string history = window("Tallix ボーナス履歴");
  const std::string geometry = run("xdotool getwindowgeometry --shell " + history).out;
  const auto value = [&](const std::string& key) {
    const std::size_t at = geometry.find(key + "=");
    return at == std::string::npos ? 0 : std::stoi(geometry.substr(at + key.size() + 1));
  };
  const int width = value("WIDTH"), height = value("HEIGHT");
  ASSERT_GT(width, 500);
  // A click on an export button (0 the bonuses', 1 the summaries', at the window's foot), and
  // the name the save dialog offers taken as it is.
  const auto exported = [&](int button, const fs::path& file) {
    const int x = width - 8 - 110 - (button == 0 ? 228 : 0), y = height - 8 - 13;
    const std::string dialog = quoted("^(名前を付けて保存|Save As)$");
    EXPECT_TRUE(waitFor([&] {
      run("xdotool mousemove --window " + history + " " + std::to_string(x) + " " +
          std::to_string(y) + " click 1");
      return waitFor(
          [&] { return !run("xdotool search --onlyvisible --name " + dialog).out.empty(); },
          std::chrono::seconds(3));
    })) << file;
    const std::string id = run("xdotool search --onlyvisible --name " + dialog).out;
    run("xdotool key --window " + id.substr(0, id.find('\n')) + " Return");
    EXPECT_TRUE(waitFor([&] { return fs::exists(file); })) << file;
    EXPECT_TRUE(waitFor([&] {  // the dialog gone, so that the next one is not taken for it
      return run("xdotool search --onlyvisible --name " + dialog).out.empty();
    }));
    return readBytes(file);
  };
  EXPECT_EQ(exported(1, dir / "summaries.csv"), summaries);
  EXPECT_EQ(exported(0, dir / "bonuses_current.csv"), bonusCsv(current.bonuses));
  // The list takes the click, and End picks its last row: the past play.
  run("xdotool mousemove --window " + history + " 60 40 click 1");
  run("xdotool key --window " + history + " End");
  EXPECT_EQ(exported(0, dir / "bonuses_2026-12-06_210000.csv"), bonusCsv(past.bonuses));
  close();
}

// The context menu's last entry starts tallix.exe again on the simulated machine: a window of
// its own on its own record, while this one goes on.
TEST_F(Win32Window, TheContextMenuStartsTheSimulatedMachineApart) {
  start();
  const std::string id = window("Tallix — hist.log");
  const std::string simulated = quoted("^Tallix — sim.log（模擬台）$");
  // A right click on the panel's black, then the menu's last entry. One that comes while Wine
  // still readies the window is lost: it is given again.
  ASSERT_TRUE(waitFor([&] {
    run("xdotool mousemove --window " + id + " 290 230 click 3");
    run("xdotool key Up Return");
    return waitFor(
        [&] { return !run("xdotool search --onlyvisible --name " + simulated).out.empty(); },
        std::chrono::seconds(3));
  }));
  EXPECT_TRUE(fs::exists(dir / "sim.log.lock"));  // its own record, held
  EXPECT_TRUE(running());
  close();  // both windows
  EXPECT_TRUE(waitFor([&] {
    return run("xdotool search --onlyvisible --name " + simulated).out.empty() &&
           !fs::exists(dir / "sim.log.lock");
  }));
  EXPECT_TRUE(fs::exists(dir / "sim.log"));
  EXPECT_TRUE(fs::exists(dir / "hist.log"));
}

// Ctrl+E opens the setting estimate of the simulated machine's play: a bar for each of the six
// settings, each framed and filled, as far as its chance goes, in the value boxes' yellow.
TEST_F(Win32Window, CtrlEOpensTheSettingEstimateWithSixBars) {
  start("--simulate");
  const std::string id = window("Tallix — sim.log（模擬台）");
  const std::string title = quoted("^設定推測$");
  // A key that comes while Wine still readies the window is lost: it is given again.
  ASSERT_TRUE(waitFor([&] {
    run("xdotool key --window " + id + " ctrl+e");
    return waitFor([&] { return !run("xdotool search --onlyvisible --name " + title).out.empty(); },
                   std::chrono::seconds(3));
  }));
  const std::string estimate = window("設定推測");
  // The bars, as runs of rows that cross a bar's inside (its empty or filled part).
  const QRgb empty = qRgb(0x10, 0x10, 0x10);
  const QRgb filled = qRgb(design::kLightYellow.r, design::kLightYellow.g, design::kLightYellow.b);
  const auto bars = [&] {
    const QImage shown = grab(estimate);
    int runs = 0;
    bool inBar = false;
    for (int y = 0; y < shown.height(); ++y) {
      int inside = 0;
      for (int x = 0; x < shown.width(); ++x) {
        const QRgb p = shown.pixel(x, y);
        inside += p == empty || p == filled;
      }
      const bool bar = inside >= 100;  // wider than any text's run of these colours
      runs += bar && !inBar;
      inBar = bar;
    }
    return runs;
  };
  EXPECT_TRUE(
      waitFor([&] { return bars() == static_cast<int>(kSettingCount); }, std::chrono::seconds(10)))
      << bars() << " bars";
  close();
}

// The window on the simulated machine at speed 2 records the machine's play, change for change,
// and the record it saves is that play's replay: at the close, and when Windows ends the session
// (log-off, shut-down). A second start on the same record brings the first window forward.
TEST_F(Win32Window, RecordsTheMachinesPlayAndSavesItWhenClosedOrTheSessionEnds) {
  const fs::path machine = dir / "machine.trace";
  ASSERT_EQ(run(TALLIX_SIM " --seed 1 --speed 2 --games 100 --trace " + machine.string()).status,
            0);
  const std::string machinePlay = readBytes(machine);
  for (const char* end : {"close", "end of session"}) {
    SCOPED_TRACE(end);
    fs::remove(dir / "play.trace");
    fs::remove(dir / "sim.log");
    start("--simulate=2 --record-trace play.trace");
    window("Tallix — sim.log（模擬台）");
    const auto second = run("cd " + quoted(dir.path().string()) + " && wine tallix.exe --simulate");
    EXPECT_EQ(second.status, 0);
    EXPECT_NE(second.err.find("sim.log は別の Tallix が使っているので、そのウィンドウを前面に出し"
                              "ました。"),
              std::string::npos)
        << second.err;
    // The play's first 24 changes: its first games.
    waitFor([&] {
      const std::string trace = readBytes(dir / "play.trace");
      return std::count(trace.begin(), trace.end(), '\n') >= 24;
    });
    if (std::string(end) == "close") {
      close();
    } else {
      run("wine wineboot --end-session");
      EXPECT_TRUE(waitFor([&] { return !running(); }));
    }
    const std::string recorded = readBytes(dir / "play.trace");
    EXPECT_GE(std::count(recorded.begin(), recorded.end(), '\n'), 24);
    EXPECT_EQ(machinePlay.substr(0, recorded.size()), recorded);
    ASSERT_EQ(run(TALLIX_REPLAY " --settings " + (dir / "tallix.ini").string() + " --save " +
                  (dir / "replay.log").string() + " " + (dir / "play.trace").string())
                  .status,
              0);
    EXPECT_EQ(data(dir / "sim.log"), data(dir / "replay.log"));
  }
}

// A play that its record cannot take at the end (the record's name taken by a folder, as a full
// disk or a pulled USB stick would fail it) is kept among the past plays: on a close with a word
// of where it went, at the end of Windows' session without one, before the process ends.
TEST_F(Win32Window, APlayTheRecordCannotTakeIsKeptAmongThePastPlays) {
  for (const char* end : {"close", "end of session"}) {
    SCOPED_TRACE(end);
    fs::remove_all(dir / "sim.log");
    fs::remove_all(dir / "sim-plays");
    start("--simulate=2");
    window("Tallix — sim.log（模擬台）");
    fs::create_directory(dir / "sim.log");
    if (std::string(end) == "close") {
      run("wine taskkill /IM tallix.exe");
      const std::string box = window("Tallix");  // where the play went, in a message box
      run("xdotool key --window " + box + " Return");
      EXPECT_TRUE(waitFor([&] { return !running(); }));
    } else {
      run("wine wineboot --end-session");
      EXPECT_TRUE(waitFor([&] { return !running(); }));
    }
    ASSERT_TRUE(fs::is_directory(dir / "sim-plays"));
    int kept = 0;
    for (const auto& entry : fs::directory_iterator(dir / "sim-plays")) {
      if (entry.path().extension() != ".log") continue;
      ++kept;
      EXPECT_EQ(ProfileFile::load(entry.path()).value("data", "r0"), "1");
    }
    EXPECT_EQ(kept, 1);
  }
}

// A board on a COM port that Wine maps to a pseudo-terminal (dosdevices/com23: past COM9, the
// port is reached only as \\.\COM23) sends a whole play in one burst, wired through a pin map
// of its own: the record tallix.exe saves is the one tallix-replay makes of the play, the
// bonuses' times of day aside.
TEST_F(Win32Window, CountsABoardsPlaySentInOneBurstOnAComPortAsTallixReplayDoes) {
  const char* prefix = std::getenv("WINEPREFIX");
  ASSERT_NE(prefix, nullptr);
  int board = -1, line = -1;
  char name[128];
  termios raw{};
  cfmakeraw(&raw);
  ASSERT_EQ(openpty(&board, &line, name, &raw, nullptr), 0);
  const fs::path com = fs::path(prefix) / "dosdevices" / "com23";
  fs::remove(com);
  fs::create_symlink(name, com);
  writeSettings(
      "source=serial\r\ndevice=COM23\r\ncoin_in=9\r\ncoin_out=2,14\r\nreg=0\r\nbig=7\r\n"
      "data5pin=3\r\nactive_low=0\r\n");
  const fs::path trace = dir / "play.trace";
  ASSERT_EQ(run(TALLIX_SIM " --seed 4 --games 400 --trace " + trace.string()).status, 0);
  ASSERT_EQ(run(TALLIX_REPLAY " --settings " + (dir / "tallix.ini").string() + " --save " +
                (dir / "replay.log").string() + " " + trace.string())
                .status,
            0);
  std::ifstream in(trace);
  const std::string burst = boardLines(readTrace(in, trace.string()), rewired());

  start();
  window("Tallix — hist.log");
  ASSERT_TRUE(heard(board, "?\n"));  // the bridge asks for the state once the port is open
  EXPECT_TRUE(send(board, burst));
  // Until tallix.exe has read it all: nothing waits on the port's side of the pseudo-terminal.
  EXPECT_TRUE(waitFor([&] {
    int waiting = 0;
    return ioctl(line, TIOCINQ, &waiting) == 0 && waiting == 0;
  }));
  close();
  fs::remove(com);
  ::close(line);
  ::close(board);
  EXPECT_EQ(withoutTimesOfDay(readBytes(dir / "hist.log")),
            withoutTimesOfDay(readBytes(dir / "replay.log")));
  const std::string played = data(dir / "replay.log");  // a play with bonuses of both kinds
  EXPECT_EQ(played.find("big_count=0\n"), std::string::npos);
  EXPECT_EQ(played.find("reg_count=0\n"), std::string::npos);
}

// A board on a COM port that Wine maps to a pseudo-terminal, listed where Windows lists its
// ports (HKLM\HARDWARE\DEVICEMAP\SERIALCOMM) or taken from there.
class ListedComPort {
 public:
  explicit ListedComPort(int number) : name_("COM" + std::to_string(number)) {
    termios raw{};
    cfmakeraw(&raw);
    char path[128];
    EXPECT_EQ(openpty(&board_, &line_, path, &raw, nullptr), 0);
    link_ = fs::path(std::getenv("WINEPREFIX")) / "dosdevices" / ("com" + std::to_string(number));
    fs::remove(link_);
    fs::create_symlink(path, link_);
  }
  ~ListedComPort() {
    list(false);
    fs::remove(link_);
    ::close(line_);
    ::close(board_);
  }
  void list(bool listed) {
    const std::string value = quoted(R"(HKLM\HARDWARE\DEVICEMAP\SERIALCOMM)") + " /v " +
                              quoted(R"(\Device\Tallix)" + name_);
    run("wine reg " + (listed ? "add " + value + " /d " + name_ : "delete " + value) + " /f");
  }
  int board() const { return board_; }
  // Whether the program has read all that the board sent.
  bool readAll() const {
    int waiting = 0;
    return ioctl(line_, TIOCINQ, &waiting) == 0 && waiting == 0;
  }

 private:
  std::string name_;
  fs::path link_;
  int board_ = -1, line_ = -1;
};

// Without device=, the COM ports listed at the start are asked, and one that arrives later is
// asked once Windows lists it, without waiting for the next round of every port.
TEST_F(Win32Window, WithoutADeviceAsksTheListedComPortsAndOneThatArrivesLater) {
  ASSERT_NE(std::getenv("WINEPREFIX"), nullptr);
  writeSettings("source=serial\r\n");
  ListedComPort silent(25), bridge(24);
  silent.list(true);
  start();
  window("Tallix — hist.log");
  ASSERT_TRUE(heard(silent.board(), "?\n"));  // the first look
  bridge.list(true);
  EXPECT_TRUE(heard(bridge.board(), "?\n"));
  close();
}

// A USB device of a bridge board's ids whose COM port is `port`, where Windows keeps its
// devices: the device setup class Ports lists it with its hardware id and port name.
class BridgeBoardDevice {
 public:
  explicit BridgeBoardDevice(const std::string& port) {
    const std::string key = quoted(kKey);
    run("wine reg add " + key + " /v ClassGUID /d {4d36e978-e325-11ce-bfc1-08002be10318} /f");
    run("wine reg add " + key + " /v HardwareID /t REG_MULTI_SZ /d " +
        quoted(R"(USB\VID_2341&PID_0043)") + " /f");
    run("wine reg add " + quoted(kKey + std::string(R"(\Device Parameters)")) + " /v PortName /d " +
        port + " /f");
  }
  ~BridgeBoardDevice() { run("wine reg delete " + quoted(kKey) + " /f"); }

 private:
  static constexpr const char* kKey =
      R"(HKLM\System\CurrentControlSet\Enum\USB\VID_2341&PID_0043\TALLIXTEST)";
};

// A first start in an empty folder: the settings made say source=auto, and the window counts,
// with no box, from the bridge on the COM port of a bridge board. A COM port that is no
// bridge board's is never asked.
TEST_F(Win32Window, AFirstStartCountsFromTheBridgeOnABridgeBoardsComPortWithNothingSet) {
  ASSERT_NE(std::getenv("WINEPREFIX"), nullptr);
  const fs::path home = dir / "home";
  ListedComPort other(27), board(26);
  other.list(true);
  const BridgeBoardDevice device("COM26");
  start("--data-dir " + quoted(home.string()));
  window("Tallix — hist.log");
  ASSERT_TRUE(heard(board.board(), "?\n"));
  EXPECT_TRUE(send(board.board(),
                   "#TLX1 16\nS 1000 ffff\nE 1050 fffe\nE 1100 ffff\nE 1150 fffe\n"
                   "E 1200 ffff\nE 1250 fffe\nE 1300 ffff\n"));
  EXPECT_TRUE(run("xdotool search --onlyvisible --name " + quoted("KIRVO|Error")).out.empty());
  EXPECT_TRUE(waitFor([&] { return board.readAll(); }));
  close();
  EXPECT_NE(readBytes(home / "tallix.ini").find("\nsource=auto\n"), std::string::npos);
  EXPECT_EQ(ProfileFile::load(home / "hist.log").value("data", "in_count"), "3");
  pollfd asked{other.board(), POLLIN, 0};
  EXPECT_EQ(poll(&asked, 1, 0), 0);  // nothing came to the port that is no bridge board's
}

// A port of the loopback that no one holds now.
std::uint16_t freePort() {
  asio::io_context io;
  tcp::acceptor acceptor(io, {asio::ip::make_address("127.0.0.1"), 0});
  return acceptor.local_endpoint().port();
}

// The live view, asked for on the command line or in tallix.ini, serves the simulated play's
// figures with the estimate of its six settings.
TEST_F(Win32Window, ServesTheLiveViewFromTheCommandLineOrTheSettings) {
  for (const bool fromSettings : {false, true}) {
    SCOPED_TRACE(fromSettings ? "[serve] port=" : "--serve=PORT");
    const std::uint16_t port = freePort();
    std::string settings = readBytes(dir / "tallix.ini");
    const std::string serve = "\n;[serve]\n;port=8255\n";
    const std::size_t at = settings.find(serve);
    ASSERT_NE(at, std::string::npos);
    if (fromSettings) {
      writeBytes(
          dir / "tallix.ini",
          settings.replace(at, serve.size(), "\n[serve]\nport=" + std::to_string(port) + "\n"));
    }
    start(fromSettings ? "--simulate=2" : "--simulate=2 --serve=" + std::to_string(port));
    window("Tallix — sim.log（模擬台）");
    const std::string host = "127.0.0.1:" + std::to_string(port);
    std::string figures;
    EXPECT_TRUE(waitFor([&] {
      try {
        RawClient client(port);
        client.send("GET /api/figures HTTP/1.1\r\nHost: " + host + "\r\n\r\n");
        figures = client.answer();
      } catch (const std::exception&) {
        return false;  // not listening yet
      }
      return figures.find("\"probabilities\":[") != std::string::npos;
    })) << figures;
    EXPECT_EQ(figures.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << figures;
    const std::size_t list = figures.find("\"probabilities\":[");
    const std::string chances = figures.substr(list, figures.find(']', list) - list);
    EXPECT_EQ(std::count(chances.begin(), chances.end(), ','), 5) << chances;
    close();
  }
}

TEST_F(Win32Window, AnswersHelpAndVersionOnTheConsoleInThePlayersLanguage) {
  const std::string program = "cd " + quoted(dir.path().string()) + " && LC_ALL=";
  const struct {
    const char* lang;
    const char* args;
    int status;
    const char* out;
    const char* err;
  } rows[] = {
      {"C", "--help", 0,
       "usage: tallix [--simulate[=SPEED] [--seed N] [--machine FILE] [--setting N]] "
       "[--record-trace FILE] [--serve[=PORT]] [--data-dir DIR] [--fullscreen]\n",
       ""},
      {"ja_JP.UTF-8", "--help", 0, "使い方: tallix", ""},
      {"C", "--version", 0, "tallix ", ""},
      {"C", "--serve=0", 2, "",
       "tallix: --serve=PORT needs a port number from 1 to 65535, got \"0\"\nusage: tallix"},
      {"ja_JP.UTF-8", "--simulate=3", 2, "",
       "tallix: --simulate=SPEED には 0 より大きく 2 以下の速さが必要です（\"3\" "
       "が指定されました）"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.lang) + " " + row.args);
    const auto r = run(program + row.lang + " wine tallix.exe " + row.args);
    EXPECT_EQ(r.status, row.status);
    EXPECT_EQ(r.out.rfind(row.out, 0), 0u) << r.out;
    EXPECT_EQ(r.err.rfind(row.err, 0), 0u) << r.err;
  }
}

}  // namespace
}  // namespace tallix::testing
