// What the command line sets up for a run besides the window, as both windows (the Qt program and
// tallix.exe) start it: the simulated machine that the session reads instead of the input the
// settings name (--simulate, --seed, --machine, --setting) with the settings its play is
// estimated against, else the port library; and the trace that
// records every change counted (--record-trace), appended to a trace file that may hold earlier
// sessions.
#pragma once

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "command_line.h"
#include "port/kirvo_binding.h"
#include "port/trace.h"
#include "session.h"
#include "simulation/simulated_source.h"

namespace tallix {

// What a window's run starts from, the same for both windows: the input and the files the
// command line set up, and the session's share of them.
struct WindowStart {
  Port* port;                      // the port library; null for the simulated machine
  Source* machine;                 // the simulated machine, read instead of the settings' input
  Places places;                   // where tallix.ini and the play are
  TraceRecorder* trace = nullptr;  // records every change counted
  std::string settingsSample{};    // a settings file made on a first run; "" makes none
  // Set: serve the live view; the command line's --serve=PORT, or 0 for --serve alone.
  std::optional<std::uint16_t> serve{};
  // The simulated machine's settings, which its play is estimated against.
  std::optional<SettingModel> simulatedModel{};
  // The arguments that start this program again on the simulated machine (the context menu's
  // entry).
  std::vector<std::string> simulatedMachine{"--simulate"};

  // What the session is given, with the window's file dialog and the system's serial lines.
  SessionEnvironment session(FileDialog& dialog) const;
};

class Launch {
 public:
  // Throws std::runtime_error with what the player reads: a machine description that cannot be
  // read, a trace file that is not a trace or cannot be written.
  explicit Launch(const CommandLine& options);
  Launch(const Launch&) = delete;
  Launch& operator=(const Launch&) = delete;

  // The simulated machine; null unless the command line asks for it.
  Source* machine() { return simulated_ ? &*simulated_ : nullptr; }
  // What the simulated machine's play is estimated against; none for a real machine, whose
  // description tallix.ini names.
  const std::optional<SettingModel>& model() const { return model_; }
  // The port library, bound at its first call; null for the simulated machine.
  Port* port() { return kirvo_ ? &*kirvo_ : nullptr; }
  // The trace recorder; null unless the command line asks for it.
  TraceRecorder* trace() { return trace_ ? &*trace_ : nullptr; }
  // A window's start for this run, with its places and the sample a first run's settings file
  // is made of.
  WindowStart windowStart(Places places, std::string settingsSample);

 private:
  std::optional<std::uint16_t> serve_;
  std::vector<std::string> simulatedMachine_;
  std::optional<SimulatedSource> simulated_;
  std::optional<SettingModel> model_;
  std::optional<KirvoBinding> kirvo_;
  std::ofstream traceFile_;
  std::optional<TraceRecorder> trace_;
};

}  // namespace tallix
