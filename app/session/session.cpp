#include "session.h"

#include <chrono>
#include <ctime>
#include <exception>
#include <filesystem>

#include "base/files.h"
#include "base/local_time.h"
#include "base/say.h"
#include "base/settings.h"
#include "machine/machine_description.h"
#include "port/input_kinds.h"
#include "port/input_settings.h"
#include "records/archive.h"
#include "records/record.h"

namespace tallix {

namespace {

std::int64_t steadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

Session::Session(SessionEnvironment env, SessionView& view)
    : env_(std::move(env)), view_(view), saved_(revisions()) {
  if (!env_.clock) env_.clock = steadyMs;
}

Session::~Session() {
  stop();
}

bool Session::start() {
  started_ = true;
  // The port library finds its files through the current directory.
  std::error_code ignored;
  std::filesystem::current_path(pathOf(AppDir()), ignored);
  // A folder that cannot be made shows when the record is saved.
  std::filesystem::create_directories(pathOf(env_.places.dataDir), ignored);
  makeSettingsFile();
  if (!lockRecord()) return false;
  SettingsLoad settings = loadSettings(pathOf(env_.places.settingsFile));
  const InputSettings input =
      readInputSettings(settings.file, pathOf(env_.places.settingsFile), settings.messages);
  const PortLibrary use = input.source ? input.source->portLibrary : PortLibrary::unused;
  Port* port = nullptr;
  if (use == PortLibrary::needed && env_.port != nullptr) {
    std::int32_t started = 0;
    try {
      started = env_.port->start();
    } catch (const std::exception& e) {  // the library or one of its functions is missing
      return fail(saidOf(e));
    }
    portStarted_ = true;
    if (static_cast<std::int16_t>(started) & 1) {
      // Degraded: no settings applied, no port, no record; the stored record is left as it is.
      // The player is told the next steps, and what in the settings could not be used.
      ownsRecord_ = false;
      const Said otherInputs = Say::tr(
          "To try Tallix, start it with --simulate (its simulated machine). A serial bridge or a "
          "USB I/O board needs no port access: [input] source=%1 in %2.",
          {inputKindNames(false), env_.places.settingsFile});
      view_.message("KIRVO Init Error!!",
                    Say::tr("%1\n\n%2", {env_.port->lastError(), otherInputs}));
      view_.notice(Say::tr("No port access: not counting. %1 is left as it is. %2",
                           {recordName(), otherInputs}));
      settingsMessages_ = settings.messages;
      return true;
    }
    port = env_.port;
  } else if (use == PortLibrary::ifItStarts && env_.port != nullptr &&
             settings.settings.portAddr != 0) {
    // Only where the player set a port address; a library that cannot start is one input
    // fewer to look at, never a stop.
    try {
      portStarted_ = true;
      if (!(static_cast<std::int16_t>(env_.port->start()) & 1)) port = env_.port;
    } catch (const std::exception&) {
      portStarted_ = false;
    }
  }

  // The simulated machine, when the program runs one; else the input the settings name.
  Source* source = env_.machine;
  if (source == nullptr) {
    try {
      inputSource_ = makeInput(input, {port, static_cast<std::uint16_t>(settings.settings.portAddr),
                                       env_.places.settingsFile, env_.serial});
      source = inputSource_.get();
    } catch (const InputUnavailable& e) {
      view_.notice(Say::tr("%1: not polling.", {saidOf(e)}));
    } catch (const std::exception& e) {
      // The port library failed. Nothing was loaded yet: the record keeps its play.
      return fail(saidOf(e));
    }
  }
  counter_.applySettings(settings.settings);
  settingsMessages_ = settings.messages;
  counter_.setSettingModel(settingModel(settings.settings.estimate));
  restorePlay();
  saved_ = revisions();
  if (source != nullptr) {
    // The samples' time 0 is the epoch: the bonus list notes times of day from there.
    driver_.setTimeOfDayAtZero(
        localTimeOfDayMs(std::chrono::system_clock::now()) -
        std::chrono::duration_cast<std::chrono::milliseconds>(Sampler::Clock::now() - epoch_)
            .count());
    sampler_ = std::make_unique<Sampler>(*source, queue_, epoch_);
    sampler_->start();
    autosave_ = ownsRecord_;
    nextSaveMs_ = env_.clock() + kSaveEveryMs;
  }
  return true;
}

const WatchedInput* Session::input() const {
  if (inputSource_) return inputSource_.get();
  return sampler_ ? dynamic_cast<const WatchedInput*>(env_.machine) : nullptr;
}

std::optional<SettingModel> Session::settingModel(const EstimateSettings& estimate) {
  if (env_.simulatedModel) {
    SettingModel model = *env_.simulatedModel;
    model.prior = estimate.prior;
    return model;
  }
  counter_.setSettingModelProblem({});
  try {
    return estimateModel(estimate);
  } catch (const std::exception& e) {  // MachineError or FileError
    counter_.setSettingModelProblem(saidOf(e));
    settingsMessages_.push_back(Say::tr("%1; the setting estimate is off", {saidOf(e)}));
    return std::nullopt;
  }
}

bool Session::fail(const Said& message) {
  ownsRecord_ = false;
  view_.message(message);
  exitStatus_ = 1;
  stop();
  return false;
}

void Session::makeSettingsFile() {
  const std::filesystem::path path = pathOf(env_.places.settingsFile);
  std::error_code ignored;
  if (env_.settingsSample.empty() || std::filesystem::exists(path, ignored)) return;
  try {
    std::filesystem::create_directories(path.parent_path(), ignored);
    writeFileAtomically(path, env_.settingsSample);
    // Passing: what the input reads, said next, is what the player needs to see on a first start.
    view_.notice(Say::tr("The settings were made from the sample: %1.", {path.string()}),
                 SessionView::Notice::passing);
  } catch (const FileError& e) {
    view_.notice(Say::tr("%1: running without settings.", {saidOf(e)}));
  }
}

bool Session::lockRecord() {
  const std::filesystem::path path = recordPath();
  try {
    try {
      lock_.emplace(pathOf(path.string() + ".lock"));
    } catch (const FileError&) {
      // No lock file can be made in a folder that cannot be written: the record itself, which
      // is then written in place, is locked instead.
      if (std::filesystem::exists(path)) lock_.emplace(FileLock::existing(path));
    }
  } catch (const FileLocked& e) {
    return fail(e.holder().empty()
                    ? Say::tr("%1 is in use by another Tallix. This one ends without touching it.",
                              {path.string()})
                    : Say::tr("%1 is in use by another Tallix (process %2). This one ends without "
                              "touching it.",
                              {path.string(), e.holder()}));
  } catch (const FileError&) {
    // A record that cannot even be opened: its load says why.
  }
  return true;
}

void Session::restorePlay() {
  const std::string name = recordName();
  try {
    const RecordContent record = readRecord(recordPath());
    if (!record.misread.empty()) keepMisreadRecord(record.misread);
    if (const Said cut = LoadRecord(counter_, record); !cut.empty()) {
      view_.notice(Say::tr("%1 looks incomplete (%2); it was loaded as it is.", {name, cut}));
    }
  } catch (const std::exception& load) {
    // Keep the play that could not be read aside, so that no save overwrites it.
    try {
      const std::filesystem::path bad = keepAside(recordPath());
      view_.notice(Say::tr("%1 could not be loaded (%2); it was kept as %3.",
                           {name, saidOf(load), bad.filename().string()}));
    } catch (const std::exception& aside) {
      ownsRecord_ = false;
      view_.notice(
          Say::tr("%1 could not be loaded (%2) nor kept aside (%3); it will not be saved over.",
                  {name, saidOf(load), saidOf(aside)}));
    }
  }
  if (!ownsRecord_) return;
  if (const auto why = whyNotWritable(recordPath())) {
    view_.notice(Say::tr("%1 cannot be saved (%2): keep this play with 保存.", {name, *why}),
                 SessionView::Notice::lasting, Notices::Topic::saving);
  }
}

void Session::keepMisreadRecord(const std::vector<Said>& misread) {
  // The close writes the counters as they were read: the text the player wrote is kept first.
  const std::string name = recordName();
  try {
    const std::filesystem::path copy = keepAsWritten(recordPath());
    view_.notice(Say::tr("In %1, %2. The file as it was is kept as %3.",
                         {name, joined(misread), copy.filename().string()}));
  } catch (const FileError& e) {
    ownsRecord_ = false;
    view_.notice(
        Say::tr("In %1, %2; the file as it was could not be kept (%3), so it will not be "
                "saved over.",
                {name, joined(misread), saidOf(e)}));
  }
}

void Session::pump() {
  if (!started_ || closed_) return;
  count();
  noteSaves(writer_.takeOutcomes());
  if (autosave_ && env_.clock() >= nextSaveMs_) {
    nextSaveMs_ = env_.clock() + kSaveEveryMs;
    saveWhenChanged();
  }
}

void Session::count() {
  bool recorded = false;
  while (const std::optional<Change> change = queue_.pop()) {
    if (env_.trace != nullptr) recorded |= env_.trace->record(*change);
    driver_.tick(*change);
  }
  if (!sampler_) return;
  if (const std::uint64_t lost = sampler_->lost(); lost > lostSaid_) {
    lostSaid_ = lost;
    const Said what = Say::tr(
        "%1 changes of the input were lost: the window did not take them in time, and the "
        "counts may be short",
        {std::to_string(lost)});
    view_.notice(Say::tr("%1.", {what}));
    if (env_.trace != nullptr) env_.trace->comment(what.english());
    recorded = true;
  }
  if (const auto news = sampler_->takeInputNews()) {
    if (news->found) {
      view_.notice(Say::tr("Counting from %1.", {news->text}), SessionView::Notice::passing,
                   Notices::Topic::input);
    } else if (news->text.empty()) {
      view_.notice(Say::tr("The input is back: counting."), SessionView::Notice::passing,
                   Notices::Topic::input);
    } else {
      view_.notice(Say::tr("Not counting: %1. Counting resumes by itself when the input is back.",
                           {news->text}),
                   SessionView::Notice::lasting, Notices::Topic::input);
    }
  }
  if (sampler_->ended() && !samplingEndSaid_ && !sampler_->failure().empty()) {
    samplingEndSaid_ = true;
    view_.notice(Say::tr("The input was lost (%1): not counting.", {sampler_->failure()}),
                 SessionView::Notice::lasting, Notices::Topic::input);
  }
  // A trace of a session that ends badly keeps its last moments.
  if (recorded) env_.trace->flush();
}

std::pair<Panel::Revisions, std::uint64_t> Session::revisions() const {
  return {counter_.panel().revisions(), counter_.panel().chart().revision()};
}

void Session::saveWhenChanged() {
  if (saved_ == revisions()) return;
  saved_ = revisions();
  writer_.save(RecordSnapshot(counter_), recordPath());
}

void Session::noteSaves(const std::vector<RecordWriter::Outcome>& outcomes) {
  for (const RecordWriter::Outcome& outcome : outcomes) {
    if (!outcome.saved()) {
      // The record is behind the play: the next minute tries again, changed or not. A cause
      // that lasts (a full disk, a file held by another program) is said once.
      saved_.reset();
      if (!std::exchange(saveFailing_, true)) {
        view_.notice(Say::tr("The play could not be saved: %1. It is tried again every minute.",
                             {outcome.failure}),
                     SessionView::Notice::lasting, Notices::Topic::saving);
      }
    } else if (std::exchange(saveFailing_, false)) {
      view_.notice(Say::tr("The play was saved to %1 again.", {recordPath().string()}),
                   SessionView::Notice::passing, Notices::Topic::saving);
    }
  }
}

void Session::stop(Ending ending) {
  if (!started_ || closed_) return;
  closed_ = true;
  if (sampler_) sampler_->stop();
  std::optional<Said> portProblem;
  if (portStarted_) {
    try {
      env_.port->stop();
    } catch (const std::exception& e) {
      portProblem = saidOf(e);
    }
  }
  count();
  if (ownsRecord_) writer_.save(RecordSnapshot(counter_), recordPath());
  const std::vector<RecordWriter::Outcome> outcomes = writer_.finish();
  if (portProblem && ending == Ending::closed) view_.message(*portProblem);
  // Only the last save counts: it holds the play as it stands at the close.
  if (!outcomes.empty() && !outcomes.back().saved()) lastChance(outcomes.back().failure, ending);
  lock_.reset();  // the record is free for the next program, and its lock file gone
}

void Session::lastChance(const Said& why, Ending ending) {
  if (const auto kept = rescue()) {
    const Said said = Say::tr(
        "The play could not be saved: %1. It was kept as %2 instead; 読込み brings it back.",
        {why, kept->string()});
    if (ending == Ending::closed) {
      view_.message(said);
    } else {
      view_.notice(said);
    }
  } else if (ending == Ending::closed) {
    saveElsewhere(why);
  }
}

std::optional<std::filesystem::path> Session::rescue() {
  const RecordSnapshot play(counter_);
  const std::time_t now = std::time(nullptr);
  try {
    return archivePlay(play, pastPlaysFolder(), now);
  } catch (const std::exception&) {  // the play's own folder is what failed, likely
  }
  for (const std::string& dir : env_.places.rescueDirs) {
    try {
      return rescuePlay(play, pathOf(dir), now);
    } catch (const std::exception&) {  // the next place
    }
  }
  return std::nullopt;
}

void Session::saveElsewhere(Said why) {
  // Until the play is saved where the player chooses, or the player lets it go on purpose: a
  // question closed without an answer is asked again.
  while (env_.dialog != nullptr) {
    const SessionView::Answer answer =
        view_.ask(Say::tr("The play could not be saved: %1", {why}), Say::tr("Save elsewhere…"),
                  Say::tr("Discard the play"));
    if (answer == SessionView::Answer::yes) {
      const CommandOutcome saved = tallix::Command5_Click(counter_, *env_.dialog, dataFolder());
      if (!saved.done.empty()) return;
      if (!saved.failure.empty()) why = saved.failure;
    } else if (answer == SessionView::Answer::no &&
               view_.ask(Say::tr("Discard the play? It is in no file, and cannot be brought "
                                 "back."),
                         Say::tr("Discard the play"),
                         Say::tr("Keep it")) == SessionView::Answer::yes) {
      return;
    }
  }
}

std::string Session::dataFolder() const {
  const std::string& dir = env_.places.dataDir;
  return dir.substr(0, dir.size() - 1);  // without the trailing separator
}

CommandOutcome Session::report(CommandOutcome outcome) {
  if (!outcome.failure.empty()) view_.message(outcome.failure);
  if (!outcome.warning.empty()) view_.notice(outcome.warning);
  if (!outcome.done.empty()) view_.notice(outcome.done, SessionView::Notice::passing);
  if (!outcome.kept.empty()) view_.notice(outcome.kept);
  return outcome;
}

CommandOutcome Session::Command3_Click() {
  count();
  // A save in flight would bring the record back after the clear has deleted it.
  noteSaves(writer_.finish());
  return report(tallix::Command3_Click(counter_, pastPlaysFolder(),
                                       ownsRecord_ ? recordPath() : std::filesystem::path(),
                                       std::time(nullptr)));
}

CommandOutcome Session::Command4_Click() {
  count();
  return report(tallix::Command4_Click(counter_, *env_.dialog, dataFolder(), pastPlaysFolder(),
                                       std::time(nullptr)));
}

CommandOutcome Session::Command5_Click() {
  count();
  return report(tallix::Command5_Click(counter_, *env_.dialog, dataFolder()));
}

}  // namespace tallix
