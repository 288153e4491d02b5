// The command line of the programs tallix (Qt) and tallix.exe (Win32):
//
//   tallix [--simulate[=SPEED] [--seed N] [--machine FILE] [--setting N]] [--record-trace FILE]
//          [--serve[=PORT]] [--data-dir DIR] [--fullscreen] | --help | --version
//
// --simulate runs the window on the simulated machine instead of the port library, at SPEED
// times a real player's pace (1 by default, at most kMaxWindowSpeed), with its own record file,
// at setting N (1 to 6; by default the machine's [play] setting=, else 1).
// --record-trace appends every change of the port byte that is counted to a trace file.
// --serve serves the live view of the figures on PORT (see serve/live_server.h).
// --fullscreen shows the panel scaled to the whole screen (as [window] fullscreen=1 does).
// --data-dir keeps the settings and the play in DIR (see base/places.h for where they are
// otherwise).
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/places.h"
#include "base/say.h"

namespace tallix {

// Above about twice a brisk player's pace the games cannot come faster (two games stay 2.2 s
// apart for the counter's 2000 ms game guard); only the pulses would get shorter, unlike any
// machine's.
inline constexpr double kMaxWindowSpeed = 2;

struct CommandLine {
  std::optional<double> simulateSpeed;  // set: run on the simulated machine
  std::uint64_t seed = 1;
  std::string machinePath;     // the machine description; "" for the typical machine
  std::optional<int> setting;  // the simulated machine's setting; none for its own
  std::string recordTrace;     // "" records nothing
  // Set: serve the live view, on this port or, for 0, on that of the settings or the default.
  std::optional<std::uint16_t> serve;
  std::string dataDir;  // "" for the usual places
  bool fullscreen = false;
  bool help = false;
  bool version = false;
};

// An argument that cannot be taken: the message names it and what it needs.
class CommandLineError : public SaidError {
 public:
  using SaidError::SaidError;
};

// Throws CommandLineError.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The usage line, and the help: every option, and where this run's files are.
Said usageText();
Said helpText(const Places& places);

// The arguments that start the program again on the simulated machine, as a process of its
// own with its own record, keeping its files where this run keeps them (--data-dir).
std::vector<std::string> simulatedMachineArguments(const CommandLine& run);

}  // namespace tallix
