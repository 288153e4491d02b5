// The command line of the program tallix (after Qt has taken its own arguments):
//
//   tallix [--simulate[=SPEED] [--seed N] [--machine FILE]] [--record-trace FILE]
//
// --simulate runs the window on the simulated machine instead of the port library, at SPEED
// times a real player's pace (1 by default, at most kMaxWindowSpeed), with its own record file.
// --record-trace appends every change of the port byte that is counted to a trace file.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tallix {

// Above about twice a brisk player's pace the games cannot come faster (two games stay 2.2 s
// apart for the counter's 2000 ms game guard); only the pulses would get shorter, unlike any
// machine's.
inline constexpr double kMaxWindowSpeed = 2;

struct CommandLine {
  std::optional<double> simulateSpeed;  // set: run on the simulated machine
  std::uint64_t seed = 1;
  std::string machinePath;  // the machine description; "" for the typical machine
  std::string recordTrace;  // "" records nothing
};

// Throws std::invalid_argument with a message that names the argument and what it needs.
CommandLine parseCommandLine(const std::vector<std::string>& args);

}  // namespace tallix
