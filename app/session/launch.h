// What the command line sets up for a run besides the window, as both windows (the Qt program and
// tallix.exe) start it: the simulated machine that the session reads instead of the input the
// settings name (--simulate, --seed, --machine, --setting) with the settings its play is
// estimated against, else the port library; and the trace that
// records every change counted (--record-trace), appended to a trace file that may hold earlier
// sessions.
#pragma once

#include <fstream>
#include <optional>

#include "command_line.h"
#include "port/kirvo_binding.h"
#include "port/trace.h"
#include "simulation/simulated_source.h"

namespace tallix {

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

 private:
  std::optional<SimulatedSource> simulated_;
  std::optional<SettingModel> model_;
  std::optional<KirvoBinding> kirvo_;
  std::ofstream traceFile_;
  std::optional<TraceRecorder> trace_;
};

}  // namespace tallix
