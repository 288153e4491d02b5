// The session without a window: start-up and shutdown with a double of the port library,
// counting through the sampling thread, saving, and a play on the simulated machine whose
// window thread stalls.
#include "session/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <thread>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "base/profile.h"
#include "base/settings.h"
#include "simulation/ground_truth.h"
#include "simulation/simulated_source.h"
#include "support/fakes.h"
#include "support/play.h"
#include "support/temp_dir.h"

namespace tallix::testing {
namespace {

using Write = std::pair<std::uint16_t, std::int16_t>;

struct Shown {
  std::string text, detail;
};

class FakeView : public SessionView {
 public:
  std::vector<Shown> messages;
  std::vector<std::string> notices;
  void message(const Said& text, const Said& detail) override {
    messages.push_back({text.english(), detail.english()});
  }
  void notice(const Said& text, Notice kind, Notices::Topic topic) override {
    notices.push_back(text.english());
    if (kind == Notice::passing) passing.push_back(text.english());
    held.add(text, kind == Notice::passing, 0, topic);
  }
  // What a window's notice line holds now.
  Notices held;
  bool holds(const std::string& part) const {
    return std::any_of(held.all().begin(), held.all().end(), [&](const Notices::Notice& n) {
      return n.text.english().find(part) != std::string::npos;
    });
  }
  // Notes the question and answers it from `answers`; once they run out, the play is let go.
  Answer ask(const Said& said, const Said&, const Said&) override {
    const std::string text = said.english();
    questions.push_back(text);
    if (answers.empty()) return text.rfind("Discard the play?", 0) == 0 ? Answer::yes : Answer::no;
    const Answer answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  std::vector<std::string> passing, questions;
  std::vector<Answer> answers;
  bool noticed(const std::string& part) const {
    return std::any_of(notices.begin(), notices.end(),
                       [&](const std::string& n) { return n.find(part) != std::string::npos; });
  }
};

const char* const kIni = "[setting]\r\naddr=&H378\r\n[big]\r\ncount=10\r\n";

class SessionTest : public ::testing::Test {
 protected:
  void writeIni(const std::string& text) { writeBytes(dir / "tallix.ini", text); }
  std::string appDir() const { return folder; }
  // A new session, with a new port library and view, on the same directory.
  Session& make(Source* machine = nullptr, TraceRecorder* trace = nullptr) {
    session.reset();
    port = std::make_unique<FakePort>();
    view = FakeView{};
    Places places = Places::in(folder);
    places.rescueDirs = rescueDirs;
    session = std::make_unique<Session>(
        SessionEnvironment{machine != nullptr ? nullptr : port.get(), machine, &dialog, places,
                           trace, [this] { return now; }},
        view);
    return *session;
  }
  Session& start(Source* machine = nullptr, TraceRecorder* trace = nullptr) {
    make(machine, trace);
    EXPECT_TRUE(session->start());
    return *session;
  }
  // These lines on (active low) until the sampler has read them, then counted.
  void hold(std::uint8_t lines) {
    port->byte = static_cast<std::uint8_t>(~lines);
    const int reads = port->reads;
    EXPECT_TRUE(eventually([&] { return port->reads >= reads + 2; }));
    session->pump();
  }
  void pulse(std::uint8_t lines, std::uint8_t held = 0) {
    hold(lines | held);
    hold(held);
  }
  const Counters& counters() { return session->counter().counters(); }
  std::string saved(const char* key, const char* name = "hist.log") {
    return ProfileFile::load(dir / name).value("data", key);
  }

  TempDir dir;
  std::string folder = dir.path().string() + "/";  // the places, as the program holds names
  std::vector<std::string> rescueDirs;             // none beyond the past plays, unless set
  std::unique_ptr<FakePort> port;
  FakeView view;
  FakeDialog dialog;
  std::int64_t now = 0;
  std::unique_ptr<Session> session;
};

TEST_F(SessionTest, AnOddPortStartIsDegradedAndLeavesTheRecordAsItIs) {
  writeIni("[setting]\r\naddr=&H378\r\nrate1=abc\r\n[big]\r\ncount=10\r\n");
  writeBytes(dir / "hist.log", "[data]\r\nin_count=77\r\n");
  for (std::int32_t result : {1, 5, 9, 13, 0x10001}) {
    SCOPED_TRACE(result);
    make();
    port->startResult = result;
    port->error = "port access refused: run as root or grant CAP_SYS_RAWIO";
    EXPECT_TRUE(session->start());
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "KIRVO Init Error!!");
    // What the library says, then the next steps: the simulated machine and the other inputs.
    EXPECT_EQ(view.messages[0].detail.rfind(port->error + "\n\nTo try Tallix, start it with "
                                                          "--simulate",
                                            0),
              0u)
        << view.messages[0].detail;
    EXPECT_NE(view.messages[0].detail.find("[input] source=" + inputKindNames(false).english()),
              std::string::npos);
    EXPECT_TRUE(view.noticed("not counting"));
    EXPECT_TRUE(view.noticed("--simulate"));
    EXPECT_FALSE(session->sampling());
    EXPECT_TRUE(port->writes.empty());
    EXPECT_EQ(counters().in_count, 0);                       // no record loaded
    EXPECT_EQ(session->counter().settings().bigSetCoin, 0);  // no settings applied
    // ... but what in them could not be used is said all the same.
    EXPECT_EQ(
        session->settingsMessages(),
        std::vector<Said>{
            "tallix.ini line 3: [setting] rate1=abc is not a number as written; it is read as 0"});
    now += 10 * Session::kSaveEveryMs;
    session->pump();
    session->Command3_Click();  // クリア of a play never seen
    session->stop();
    EXPECT_EQ(port->stops, 1);
    EXPECT_EQ(port->reads, 0);
    EXPECT_EQ(readBytes(dir / "hist.log"), "[data]\r\nin_count=77\r\n");  // not saved over
  }
}

// An installed program's first run: the settings file is made from the sample in a folder of
// its own and read at once; the play goes to a data folder that is made too. A later run keeps
// the settings the player has edited.
TEST_F(SessionTest, AFirstRunMakesTheSettingsFromTheSampleAndTheDataFolder) {
  const std::string sample = "; the sample\r\n[setting]\r\naddr=&H378\r\n[big]\r\ncount=7\r\n";
  const Places places{(dir / "config" / "tallix" / "tallix.ini").string(),
                      (dir / "data" / "tallix").string() + "/"};
  for (const char* edited : {"", "[big]\r\ncount=9\r\n"}) {
    SCOPED_TRACE(edited);
    port = std::make_unique<FakePort>();
    view = FakeView{};
    if (*edited != '\0') writeBytes(places.settingsFile, edited);
    Session session({port.get(), nullptr, &dialog, places, nullptr, {}, {}, sample}, view);
    ASSERT_TRUE(session.start());
    EXPECT_EQ(readBytes(places.settingsFile), *edited != '\0' ? edited : sample);
    EXPECT_EQ(session.counter().settings().bigSetCoin, *edited != '\0' ? 9 : 7);
    EXPECT_EQ(view.noticed("made from the sample"), *edited == '\0');
    session.stop();
    EXPECT_TRUE(std::filesystem::exists(places.dataDir + "hist.log"));
  }
}

TEST_F(SessionTest, AnEvenPortStartWritesTheControlByteOnceAndSamplesTheDataRegister) {
  struct Row {
    std::int32_t result;
    const char* addr;
    std::uint16_t control, data;
  };
  for (const Row& row : {Row{14, "&H378", 890, 888}, Row{0, "888", 890, 888},
                         Row{14, "&HFFFF", 1, 0xFFFF}, Row{14, "&HFFFE", 0, 0xFFFE}}) {
    SCOPED_TRACE(row.addr);
    writeIni(std::string("[setting]\r\naddr=") + row.addr + "\r\n");
    make();
    port->startResult = row.result;
    EXPECT_TRUE(session->start());
    EXPECT_EQ(port->writes, (std::vector<Write>{{row.control, 0xEC}}));
    EXPECT_TRUE(session->sampling());
    EXPECT_TRUE(eventually([&] { return port->reads > 3; }));
    EXPECT_EQ(port->address, row.data);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(view.notices.empty());
    session->stop();
    EXPECT_FALSE(session->sampling());
  }
}

TEST_F(SessionTest, WithoutAPortAddressNoPortIsTouched) {
  for (const char* ini : {"", "[setting]\r\naddr=\r\n", "[setting]\r\naddr=&H0\r\nrate1=5\r\n"}) {
    SCOPED_TRACE(ini);
    writeIni(ini);
    start();
    EXPECT_TRUE(port->writes.empty());
    EXPECT_FALSE(session->sampling());
    EXPECT_TRUE(view.noticed("port address is not set"));
    EXPECT_TRUE(view.messages.empty());
    session->stop();
    EXPECT_EQ(port->reads, 0);
    EXPECT_EQ(saved("r0"), "1");  // the play is still kept
  }
}

// source=auto asks the port library only where a port address is set, and one that cannot
// start is passed by without a box: the window opens, and its foot says what it looked for.
TEST_F(SessionTest, AutoReadsThePortLibraryOnlyWithAnAddressAndWhereItStarts) {
  struct Row {
    const char* ini;
    std::int32_t startResult;
    int starts;
    bool reads;
  } rows[] = {
      {"", 14, 0, false},
      {"[setting]\r\naddr=&H378\r\n", 14, 1, true},
      {"[setting]\r\naddr=&H378\r\n", 1, 1, false},  // no port access
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.ini + std::to_string(row.startResult));
    writeIni(row.ini + std::string("[input]\r\nsource=auto\r\n"));
    make();
    port->startResult = row.startResult;
    ASSERT_TRUE(session->start());
    EXPECT_TRUE(eventually([&] {
      session->pump();
      return view.noticed(row.reads ? "Counting from the port library." : "no input found");
    }));
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(port->starts, row.starts);
    EXPECT_EQ(port->reads > 0, row.reads);
    session->stop();
  }
}

TEST_F(SessionTest, APortLibraryThatCannotBeUsedEndsTheProgramAndKeepsTheRecord) {
  writeIni(kIni);
  writeBytes(dir / "hist.log", "[data]\r\nin_count=77\r\n");
  for (const bool missing : {true, false}) {
    SCOPED_TRACE(missing);
    make();
    port->missing = missing;
    port->withoutInpB = !missing;
    EXPECT_FALSE(session->start());
    EXPECT_EQ(session->exitStatus(), 1);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].text.find("libkirvoport.so"), std::string::npos);
    EXPECT_FALSE(session->sampling());
    EXPECT_EQ(readBytes(dir / "hist.log"), "[data]\r\nin_count=77\r\n");
  }
}

TEST_F(SessionTest, ThePlayIsRestoredCountedAndSavedAsItStandsAtTheClose) {
  writeIni(kIni);
  writeBytes(dir / "hist.log", "[data]\r\nin_count=120\r\nout_count=150\r\nbig_count=2\r\n");
  start();
  EXPECT_EQ(counters().in_count, 120);
  pulse(kCoinIn);
  hold(kBig);  // a BIG starts and goes on
  pulse(kCoinOut, kBig);
  session->stop();
  EXPECT_EQ(saved("in_count"), "121");
  EXPECT_EQ(saved("out_count"), "151");
  EXPECT_EQ(saved("big_count"), "3");
  EXPECT_EQ(saved("big_coin"), "11");  // the credit of 10 and one coin paid
  EXPECT_EQ(port->stops, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "hist.log.lock"));  // a clean end leaves none
}

// The setting estimate is made against the machine tallix.ini names, weighed as it says, else
// against the typical machine; a machine that cannot be read is said once the window is up and
// leaves no estimate.
TEST_F(SessionTest, TheEstimateIsMadeAgainstTheMachineTheSettingsName) {
  writeBytes(dir / "aim.ini",
             "[setting1]\r\n[setting2]\r\n[setting3]\r\n[setting4]\r\n[setting5]\r\n[setting6]"
             "\r\nbig=200\r\n");
  const struct {
    std::string ini;
    std::optional<double> big6;
    std::array<double, kSettingCount> prior;
    std::string message;
  } rows[] = {
      {"", 243, {1, 1, 1, 1, 1, 1}, ""},
      {"[estimate]\r\nmachine=aim.ini\r\nprior=0,0,0,0,1,1\r\n", 200, {0, 0, 0, 0, 1, 1}, ""},
      {"[estimate]\r\nmachine=none.ini\r\n",
       std::nullopt,
       {},
       (dir / "none.ini").string() + ": no such file; the setting estimate is off"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ini);
    writeIni(kIni + row.ini);
    start();
    const std::optional<SettingModel>& model = session->counter().settingModel();
    ASSERT_EQ(model.has_value(), row.big6.has_value());
    if (model) {
      EXPECT_EQ(model->settings[5].big, *row.big6);
      EXPECT_EQ(model->prior, row.prior);
    }
    EXPECT_EQ(session->settingsMessages(),
              row.message.empty() ? std::vector<Said>{} : std::vector<Said>{row.message});
    // The views say why there is no estimate.
    EXPECT_EQ(session->counter().settingModelProblem(),
              model ? Said{} : Said((dir / "none.ini").string() + ": no such file"));
    session->stop();
  }
}

// Names are held as UTF-8 text and reach the files they name on every system: a Japanese user
// name in the data folder, the machine the settings name, the records the dialogs pick.
TEST_F(SessionTest, NamesOutsideAsciiReachTheirFiles) {
  const std::filesystem::path place = dir.path() / std::filesystem::path(u8"遊技");
  std::filesystem::create_directories(place);
  folder = place.string() + "/";
  writeBytes(place / "tallix.ini", std::string(kIni) + "[estimate]\r\nmachine=台.ini\r\n");
  writeBytes(place / std::filesystem::path(u8"台.ini"),
             "[setting1]\r\n[setting2]\r\n[setting3]\r\n[setting4]\r\n[setting5]\r\n[setting6]"
             "\r\nbig=200\r\n");
  writeBytes(place / "hist.log", "[data]\r\nin_count=120\r\n");
  writeBytes(place / std::filesystem::path(u8"前回.log"), "[data]\r\nin_count=7\r\n");
  dialog.answers = {(place / std::filesystem::path(u8"前回.log")).string(),
                    (place / std::filesystem::path(u8"保存.log")).string()};
  start();
  EXPECT_EQ(counters().in_count, 120);
  EXPECT_TRUE(std::filesystem::exists(place / "hist.log.lock"));
  ASSERT_TRUE(session->counter().settingModel().has_value());
  EXPECT_EQ(session->counter().settingModel()->settings[5].big, 200);
  session->Command4_Click();  // 読込み
  EXPECT_EQ(counters().in_count, 7);
  session->Command5_Click();  // 保存
  EXPECT_EQ(
      ProfileFile::load(place / std::filesystem::path(u8"保存.log")).value("data", "in_count"),
      "7");
  session->stop();
  EXPECT_EQ(ProfileFile::load(place / "hist.log").value("data", "in_count"), "7");
}

TEST_F(SessionTest, ARecordThatFailsToLoadIsKeptAsideAndSaid) {
  writeIni(kIni);
  const std::string bad = "[data]\r\nin_count=12\r\nout_count=99999999999\r\n";
  writeBytes(dir / "hist.log", bad);
  start();
  EXPECT_TRUE(session->sampling());
  EXPECT_EQ(readBytes(dir / "hist.log.bad"), bad);
  EXPECT_TRUE(view.noticed("hist.log.bad"));
  EXPECT_TRUE(view.messages.empty());
  session->stop();
  EXPECT_EQ(readBytes(dir / "hist.log.bad"), bad);
  EXPECT_EQ(saved("r0"), "1");  // a fresh record beside it
}

// The last chance: a play its record cannot take at the close is kept without a question in the
// first place that takes it; only when none does is the player asked, and only a discard that
// the player confirms lets it go. A question closed without an answer (Escape, the close box, a
// question that could not be shown) is asked again.
TEST_F(SessionTest, APlayTheRecordCannotTakeAtTheCloseIsKeptElsewhereOrAskedForUntilDiscarded) {
  using Answer = SessionView::Answer;
  const std::filesystem::path home = dir / "home";  // a home folder's rescued play
  const std::string kept = (dir / "kept.log").string();
  const struct {
    const char* what;
    Session::Ending ending;
    std::vector<std::string> blocked;  // the places taken by a file, so no folder is made there
    std::vector<Answer> answers;
    std::vector<std::string> dialog;
    std::string keptIn;  // the folder the play is found in, or "" when it is nowhere
    std::size_t questions;
  } rows[] = {
      {"the past plays", Session::Ending::closed, {}, {}, {}, "plays", 0},
      {"the next place", Session::Ending::closed, {"plays", "data"}, {}, {}, "home", 0},
      {"ended from outside", Session::Ending::fromOutside, {}, {}, {}, "plays", 0},
      {"ended from outside, no place",
       Session::Ending::fromOutside,
       {"plays", "data", "home"},
       {},
       {},
       "",
       0},
      {"saved where the player chooses after Escapes and a discard not confirmed",
       Session::Ending::closed,
       {"plays", "data", "home"},
       {Answer::none, Answer::no, Answer::none, Answer::no, Answer::no, Answer::yes},
       {kept},
       "kept.log",
       6},
      {"a save elsewhere that fails asks again",
       Session::Ending::closed,
       {"plays", "data", "home"},
       {Answer::yes, Answer::yes},
       {(dir / "none" / "x.log").string(), kept},
       "kept.log",
       2},
      {"discarded when confirmed",
       Session::Ending::closed,
       {"plays", "data", "home"},
       {Answer::no, Answer::yes},
       {},
       "",
       2},
  };
  writeIni(kIni);
  // The places after the past plays, as findPlaces names them.
  rescueDirs = {(dir / "data").string() + "/", home.string() + "/"};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    for (const char* place : {"plays", "data", "home", "kept.log", "hist.log"}) {
      std::filesystem::remove_all(dir / place);
    }
    start();
    pulse(kCoinIn);
    std::filesystem::create_directory(dir / "hist.log");  // cannot be replaced by a file
    for (const std::string& place : row.blocked) writeBytes(dir / place, "");
    view.answers = row.answers;
    dialog.answers = row.dialog;
    session->stop(row.ending);
    EXPECT_EQ(view.questions.size(), row.questions);
    std::vector<std::filesystem::path> found;
    for (const char* place : {"plays", "data", "home"}) {
      if (!std::filesystem::is_directory(dir / place)) continue;
      for (const auto& entry : std::filesystem::directory_iterator(dir / place)) {
        if (entry.path().extension() == ".log") found.push_back(entry.path());
      }
    }
    if (std::filesystem::exists(kept)) found.push_back(kept);
    if (row.keptIn[0] == '\0') {
      EXPECT_TRUE(found.empty());
      continue;
    }
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(ProfileFile::load(found[0]).value("data", "in_count"), "1");
    EXPECT_EQ(*found[0].lexically_relative(dir.path()).begin(), row.keptIn) << found[0];
    // Kept without a question: the player is told where, when there is a player to tell.
    if (row.questions == 0) {
      const bool told = row.ending == Session::Ending::closed;
      ASSERT_EQ(view.messages.size(), told ? 1u : 0u);
      const std::string name = found[0].filename().string();
      if (told) {
        EXPECT_NE(view.messages[0].text.find(name), std::string::npos);
      }
      EXPECT_EQ(view.noticed(name), !told);
    }
  }
  // What the question says: the record that failed and why, then the place the player chose.
  EXPECT_EQ(view.questions[0].rfind("The play could not be saved: " + appDir() + "hist.log: ", 0),
            0u)
      << view.questions[0];
#ifndef _WIN32
  // Unwritable from the start (a link into a folder that is not there): said at once.
  std::filesystem::remove(dir / "hist.log");
  std::filesystem::create_directory_symlink(dir / "none" / "deeper", dir / "hist.log");
  start();
  EXPECT_TRUE(view.noticed("hist.log cannot be saved (No such file or directory)"));
#endif
}

// A record the player edited by hand whose counter reads as something else is named, and the
// file as it was is kept before the close writes the counters as they were read.
TEST_F(SessionTest, AHandEditedCounterIsNamedAndTheFileKeptAsItWas) {
  writeIni(kIni);
  const std::string edited = "[data]\r\nin_count=50\r\nbig_count=1l\r\n";
  writeBytes(dir / "hist.log.orig", "an older copy");
  writeBytes(dir / "hist.log", edited);
  start();
  EXPECT_EQ(counters().big_count, 1);
  EXPECT_TRUE(
      view.noticed("In hist.log, big_count=1l is not a number as written; it is read as 1. "
                   "The file as it was is kept as hist.log.orig.1."));
  session->stop();
  EXPECT_EQ(readBytes(dir / "hist.log.orig.1"), edited);
  EXPECT_EQ(readBytes(dir / "hist.log.orig"), "an older copy");
  EXPECT_EQ(saved("big_count"), "1");
}

TEST_F(SessionTest, OneProgramPerRecordAndALeftLockIsTakenOver) {
  writeIni(kIni);
  writeBytes(dir / "hist.log", "[data]\r\nin_count=77\r\n");
  writeBytes(dir / "hist.log.lock", "999999\n");  // left by a program that crashed
  start();
  FakeView secondView;
  FakePort secondPort;
  Session second({&secondPort, nullptr, &dialog, Places::in(appDir()), nullptr, {}}, secondView);
  EXPECT_FALSE(second.start());
  EXPECT_EQ(second.exitStatus(), 1);
  ASSERT_EQ(secondView.messages.size(), 1u);
  const std::string& said = secondView.messages[0].text;
  EXPECT_EQ(said.rfind(appDir() + "hist.log is in use by another Tallix (process ", 0), 0u) << said;
  EXPECT_NE(said.find("). This one ends without touching it."), std::string::npos) << said;
  EXPECT_EQ(said.find("999999"), std::string::npos) << said;  // the holder's own id
  EXPECT_EQ(secondPort.starts, 0);
  second.Command3_Click();
  second.stop();
  EXPECT_EQ(counters().in_count, 77);
  EXPECT_EQ(readBytes(dir / "hist.log"), "[data]\r\nin_count=77\r\n");
  // The record is free again once the first program has ended.
  session->stop();
  session.reset();
  Session third({&secondPort, nullptr, &dialog, Places::in(appDir()), nullptr, {}}, secondView);
  EXPECT_TRUE(third.start());
}

TEST_F(SessionTest, ThePlayIsSavedEveryMinuteWhileItChanges) {
  writeIni(kIni);
  start();
  now = Session::kSaveEveryMs;
  session->pump();
  pulse(kCoinIn);
  EXPECT_FALSE(std::filesystem::exists(dir / "hist.log"));  // unchanged at the last minute
  now = 2 * Session::kSaveEveryMs;
  session->pump();
  EXPECT_TRUE(eventually([&] {
    // Windows refuses to open a file while the writer renames over it: read again.
    try {
      return saved("in_count") == "1";
    } catch (const FileError&) {
      return false;
    }
  }));
  writeBytes(dir / "hist.log", "unchanged play");
  now = 3 * Session::kSaveEveryMs;
  session->pump();
  EXPECT_TRUE(eventually([&] { return !session->saving(); }));
  EXPECT_EQ(readBytes(dir / "hist.log"), "unchanged play");  // no needless write
}

// Whatever keeps a save from the disk for a while (no descriptors left, a disk too full for
// the file, a folder where the record belongs), the failure is said once, the play is tried
// again every minute, changed or not, and reaches the record once the cause is gone.
TEST_F(SessionTest, AFailedSaveIsSaidOnceAndTriedAgainEveryMinuteUntilItSucceeds) {
  struct Cause {
    const char* name;
    std::function<void()> make, mend;
  };
  std::vector<Cause> causes = {
      {"a folder in the record's place",
       [&] { std::filesystem::create_directory(dir / "hist.log"); },
       [&] { std::filesystem::remove(dir / "hist.log"); }},
  };
#ifndef _WIN32
  // Limits of this process: a file of more than a few bytes cannot be written (as on a full
  // disk), or no file can be opened at all.
  const auto limit = [](int resource, rlim_t value) {
    rlimit now{};
    getrlimit(resource, &now);
    now.rlim_cur = value;
    setrlimit(resource, &now);
  };
  rlimit files{}, size{};
  getrlimit(RLIMIT_NOFILE, &files);
  getrlimit(RLIMIT_FSIZE, &size);
  causes.push_back({"a full disk",
                    [=] {
                      std::signal(SIGXFSZ, SIG_IGN);
                      limit(RLIMIT_FSIZE, 16);
                    },
                    [=] {
                      limit(RLIMIT_FSIZE, size.rlim_cur);
                      std::signal(SIGXFSZ, SIG_DFL);
                    }});
  causes.push_back({"no descriptors left",
                    [=] {
                      const int lowestFree = open("/dev/null", O_RDONLY);
                      close(lowestFree);
                      limit(RLIMIT_NOFILE, static_cast<rlim_t>(lowestFree));
                    },
                    [=] { limit(RLIMIT_NOFILE, files.rlim_cur); }});
#endif
  writeIni(kIni);
  for (const Cause& cause : causes) {
    SCOPED_TRACE(cause.name);
    std::filesystem::remove(dir / "hist.log");
    start();
    pulse(kCoinIn);
    cause.make();
    now += Session::kSaveEveryMs;
    EXPECT_TRUE(eventually([&] {
      session->pump();
      return view.noticed("The play could not be saved: " + appDir() + "hist.log");
    }));
    now += Session::kSaveEveryMs;  // tried again, and failing again
    session->pump();
    EXPECT_TRUE(eventually([&] { return !session->saving(); }));
    session->pump();
    cause.mend();
    now += Session::kSaveEveryMs;  // the play has not changed since the failure
    EXPECT_TRUE(eventually([&] {
      session->pump();
      return view.noticed("The play was saved to " + appDir() + "hist.log again.");
    }));
    EXPECT_EQ(saved("in_count"), "1");
    // The failure is no longer true: the notice line holds the success in its place.
    EXPECT_FALSE(view.holds("could not be saved"));
    EXPECT_TRUE(view.holds("again."));
    EXPECT_EQ(std::count_if(view.notices.begin(), view.notices.end(),
                            [](const std::string& n) { return n.find("could not") != n.npos; }),
              1);
    session->stop();
    EXPECT_TRUE(view.questions.empty());  // the close saved it
  }
}

TEST_F(SessionTest, ALostInputIsSaidAndThePlayKept) {
  writeIni(kIni);
  start();
  pulse(kCoinIn);
  port->withoutInpB = true;
  EXPECT_TRUE(eventually([&] { return !session->sampling(); }));
  session->pump();
  EXPECT_TRUE(view.noticed("The input was lost (libkirvoport.so has no function InpB)"));
  session->stop();
  EXPECT_EQ(saved("in_count"), "1");
}

TEST_F(SessionTest, TheSimulatedMachineKeepsItsOwnRecordAndNeverTouchesTheRealOne) {
  writeBytes(dir / "hist.log", "[data]\r\nin_count=77\r\n");
  writeBytes(dir / "sim.log", "[data]\r\nin_count=5000\r\n");
  SimulatedSource machine(Machine({}, 1));
  start(&machine);
  EXPECT_TRUE(session->sampling());  // no tallix.ini, so no port address: the machine needs none
  ASSERT_EQ(view.notices.size(), 1u);
  EXPECT_EQ(view.notices[0].rfind("sim.log looks incomplete (out_count, big_count", 0), 0u);
  EXPECT_EQ(counters().in_count, 5000);

  session->Command3_Click();  // クリア keeps the play, then deletes the simulation's record
  EXPECT_FALSE(std::filesystem::exists(dir / "sim.log"));
  EXPECT_EQ(counters().in_count, 0);
  // Where it went stays until the player dismisses it.
  ASSERT_EQ(view.notices.size(), 2u);
  EXPECT_EQ(view.notices[1].rfind("The cleared play was kept as " + appDir() + "sim-plays", 0), 0u);
  session->stop();
  EXPECT_EQ(saved("r0", "sim.log"), "1");
  EXPECT_EQ(readBytes(dir / "hist.log"), "[data]\r\nin_count=77\r\n");
}

TEST_F(SessionTest, AStalledWindowThreadLosesNoPulse) {
  writeIni(
      "[koyaku]\r\nkoyaku1=8\r\nkoyaku2=15\r\nkoyaku3=2\r\nkoyaku1g=30\r\n"
      "[big]\r\ncount=10\r\n[data5pin]\r\nenabled=1\r\n");
  MachineDescription lively;  // bonuses within seconds
  lively.bigOdds = 3;
  lively.regOdds = 4;
  SimulatedSource machine(Machine(lively, 3, 2, 100));  // more games than the test lasts
  std::ostringstream traceText;
  TraceRecorder trace(traceText);
  start(&machine, &trace);
  for (int stall = 0; stall < 15; ++stall) {  // the window's thread held for 300 ms at a time
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    session->pump();
  }
  session->stop();

  // Every change the machine made up to the stop was recorded, at the machine's own time.
  std::istringstream in(traceText.str());
  const std::vector<Change> recorded = readTrace(in, "recorded");
  Machine again(lively, 3, 2, 100);
  std::vector<Change> made = playToEnd(again);
  ASSERT_LT(recorded.size(), made.size());
  made.resize(recorded.size());
  EXPECT_EQ(recorded, made);

  const GroundTruth& truth = machine.machine().truth();
  EXPECT_GE(truth.coinsBet, 6);  // two games, at least: one every 2.2 s
  const Settings settings = loadSettings(dir / "tallix.ini").settings;
  const Counters expected = expectedRecord(truth, settings);
  for (const CounterField& f : kRecordCounters) {
    if (std::find(kTruthKeys.begin(), kTruthKeys.end(), f.key) == kTruthKeys.end()) continue;
    EXPECT_EQ(saved(std::string(f.key).c_str(), "sim.log"), std::to_string(f.get(expected)))
        << f.key;
  }
  // And the trace replayed gives the session's counters to the last one.
  Counter replayed;
  replayed.applySettings(settings);
  replayTrace(replayed, recorded, 1);
  for (const CounterField& f : kRecordCounters) {
    EXPECT_EQ(f.get(replayed.counters()), f.get(counters())) << f.key;
  }
}

}  // namespace
}  // namespace tallix::testing
