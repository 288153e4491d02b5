// The session: one play counted from one input, from start-up to shutdown. It holds every rule
// of how the program runs, so they are tested without a window; the window is its view.
//
//   start()   program dir made current; the play's folder and, on a first run, the settings
//             file made; the record locked (a second program on it ends); settings; for an
//             input read through the port library, its start (KIRVO_Start), degraded on an odd
//             result; the input made from the table of kinds (port/input_kinds.h), unless the
//             program runs the simulated machine; counter shaped and given the machine its
//             setting is estimated against; the record restored (kept aside when it cannot be
//             loaded); the sampling thread started
//   pump()    on the window's display timer: the changes sampled since the last pump are
//             recorded in the trace and counted by the tick driver in their own time; the play
//             is saved every minute while it changes, and tried again every minute after a
//             save failed until one succeeds
//   commands  Clear, Load and Save, after counting everything sampled before them; a clear
//             keeps the play in the past plays first
//   stop()    sampling stopped; port library stopped (KIRVO_Stop); what was sampled counted;
//             the play saved to its record; when that fails, kept without a question in the
//             first place that takes it (the past plays, the user's folders, the temporary
//             folder), and only when none does, saved where the player chooses; the record's
//             lock released
//
// The caller's thread (the window's) runs all of this. The sampler pushes changes into the
// queue from its own thread, and the record writer saves snapshots of the play on another, so
// that neither counting nor sampling waits for a disk.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/file_lock.h"
#include "base/files.h"
#include "base/places.h"
#include "counting/counter.h"
#include "counting/tick_driver.h"
#include "port/change_queue.h"
#include "port/input_source.h"
#include "port/port.h"
#include "port/sampler.h"
#include "port/serial_link.h"
#include "port/source.h"
#include "port/trace.h"
#include "port/watched_input.h"
#include "records/commands.h"
#include "records/record_writer.h"
#include "session/notices.h"

namespace tallix {

// What the session tells the player; the window shows it.
class SessionView {
 public:
  virtual ~SessionView() = default;
  // A message with an OK button only; returns once the player has dismissed it. `detail`,
  // when not empty, stands beneath the text.
  virtual void message(const Said& text, const Said& detail = {}) = 0;
  // A question with two buttons, and what the player did with it: pressed one of them, or
  // neither (Escape, the title bar's close box, a question that could not be shown at all).
  enum class Answer { yes, no, none };
  virtual Answer ask(const Said& text, const Said& yes, const Said& no) = 0;
  // A line on the panel's notice line: how the program runs (not counting, a record kept
  // aside, a save that failed), which lasts until the player dismisses it; or what a command
  // did (saved, cleared), which passes after a few seconds. A notice about a topic takes the
  // place of the one held about it (session/notices.h).
  enum class Notice { lasting, passing };
  virtual void notice(const Said& text, Notice kind = Notice::lasting,
                      Notices::Topic topic = Notices::Topic::none) = 0;
};

// What the session reaches outside itself.
struct SessionEnvironment {
  // The port library, for the inputs read through it; null for the simulated machine.
  Port* port = nullptr;
  // The simulated machine, read instead of the input the settings name. Its play is kept in
  // its own record, sim.log, so that a real play is never overwritten.
  Source* machine = nullptr;
  FileDialog* dialog = nullptr;    // for Load and Save
  Places places;                   // where tallix.ini and the play are
  TraceRecorder* trace = nullptr;  // when given, records every change counted
  // Milliseconds on a clock that never goes back: when to save next.
  std::function<std::int64_t()> clock;
  SerialLines serial{};  // the program's serial lines, for the serial bridge
  // What a settings file that does not exist yet is made of (the commented sample); with ""
  // none is made.
  std::string settingsSample{};
  // The simulated machine's settings, which its play is estimated against (the settings'
  // [estimate] prior= weighs them); without it, the machine [estimate] machine= names.
  std::optional<SettingModel> simulatedModel{};
};

class Session {
 public:
  static constexpr std::int64_t kSaveEveryMs = 60'000;

  Session(SessionEnvironment env, SessionView& view);
  ~Session();  // stop()
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Start-up. False when the program cannot run (the port library is missing or fails): the
  // message has been shown and exitStatus() is 1.
  bool start();
  void pump();
  // How the program ends: closed by the player, who can be told and asked what becomes of a
  // play that could not be saved; or from outside (a stop signal, the end of Windows' session),
  // where nothing can wait for a player, so a play that could not be saved is only kept aside.
  enum class Ending { closed, fromOutside };
  // Shutdown, after a start-up; runs once, whatever calls it. Problems (a failed save) are
  // shown as a message when the player closed the program.
  void stop(Ending ending = Ending::closed);

  // The commands of the panel's buttons. Each tells the view what it has to say, and returns
  // it, so that the window knows what follows (pastPlaysChanged(): a list of the past plays is
  // shown afresh).
  CommandOutcome Command3_Click();  // クリア
  CommandOutcome Command4_Click();  // 読込み
  CommandOutcome Command5_Click();  // 保存

  bool sampling() const { return sampler_ && !sampler_->ended(); }
  // A save of the play is waiting to be written or being written.
  bool saving() const { return writer_.busy(); }
  int exitStatus() const { return exitStatus_; }
  // The input whose raw inputs the pin monitor shows: the one the settings name, or the
  // simulated machine; null when nothing is polled.
  const WatchedInput* input() const;
  Counter& counter() { return counter_; }
  const Counter& counter() const { return counter_; }
  // The automatic record: sim.log for the simulated machine, hist.log otherwise.
  std::string recordName() const { return env_.machine ? "sim.log" : "hist.log"; }
  std::filesystem::path recordPath() const { return pathOf(env_.places.dataDir + recordName()); }
  // Where a clear keeps the plays it ends, beside the record.
  std::filesystem::path pastPlaysFolder() const {
    return pathOf(env_.places.dataDir + (env_.machine ? "sim-plays" : "plays"));
  }
  // The settings that could not be used, one message each, for the window to show once it is
  // up.
  const std::vector<Said>& settingsMessages() const { return settingsMessages_; }

 private:
  bool fail(const Said& message);
  void makeSettingsFile();
  bool lockRecord();
  void restorePlay();
  void keepMisreadRecord(const std::vector<Said>& misread);
  std::optional<SettingModel> settingModel(const EstimateSettings& estimate);
  CommandOutcome report(CommandOutcome outcome);
  void lastChance(const Said& why, Ending ending);
  std::optional<std::filesystem::path> rescue();
  void saveElsewhere(Said why);
  void count();  // the changes sampled so far
  void saveWhenChanged();
  void noteSaves(const std::vector<RecordWriter::Outcome>& outcomes);
  std::pair<Panel::Revisions, std::uint64_t> revisions() const;
  std::string dataFolder() const;

  SessionEnvironment env_;
  SessionView& view_;
  Counter counter_;
  TickDriver driver_{counter_};
  ChangeQueue queue_;
  Sampler::Clock::time_point epoch_ = Sampler::Clock::now();
  std::optional<FileLock> lock_;
  std::unique_ptr<InputSource> inputSource_;  // the one the settings name
  std::unique_ptr<Sampler> sampler_;
  RecordWriter writer_;

  bool started_ = false;
  bool portStarted_ = false;
  // The session may write and delete the stored record: not in the degraded state, nor when
  // a record that could not be loaded could not be kept aside either.
  bool ownsRecord_ = true;
  bool autosave_ = false;
  bool closed_ = false;
  bool samplingEndSaid_ = false;
  int exitStatus_ = 0;
  std::uint64_t lostSaid_ = 0;
  std::int64_t nextSaveMs_ = 0;
  // The displays and the chart as they stood at the last save handed to the writer: any change
  // of the play shows. None while the record is behind the play because that save failed.
  std::optional<std::pair<Panel::Revisions, std::uint64_t>> saved_;
  bool saveFailing_ = false;  // a failed save was said, and no save has succeeded since
  std::vector<Said> settingsMessages_;
};

}  // namespace tallix
