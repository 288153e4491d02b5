// tallix-sim: plays the simulated machine and writes its signal trace in the format that
// tallix-replay reads ("-" writes it to standard output), and with --truth the ground truth of
// the play.
//
//   tallix-sim [--seed N] [--games N] [--speed S] [--machine FILE] [--setting N]
//              [--settings FILE] --trace FILE [--truth FILE]
//
// --setting plays the machine at setting N, 1 to 6 (by default the description's [play]
// setting=, else 1); the truth names it.
//
// --speed plays S times a real player's pace, as `tallix --simulate=S` does: the window then
// counts exactly the play this trace holds.
//
// --settings names the tallix.ini whose small wins, BIG credit and 5-pin switch the [data]
// section of the truth is computed for; without it every setting is 0, as for tallix-replay.
#include <cstdint>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "base/arguments.h"
#include "base/files.h"
#include "base/numbers.h"
#include "base/settings.h"
#include "port/trace.h"
#include "simulation/ground_truth.h"
#include "simulation/machine.h"

namespace {

constexpr const char* kUsage =
    "usage: tallix-sim [--seed N] [--games N] [--speed S] [--machine FILE] [--setting N] "
    "[--settings FILE] --trace FILE [--truth FILE]\n";

int usage(const std::string& why) {
  std::cerr << "tallix-sim: " << why << "\n" << kUsage;
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::uint64_t seed = 1;
  std::int64_t games = 1000;
  double speed = 1;
  std::optional<int> setting;
  std::string machinePath, settingsPath, tracePath, truthPath;
  const std::vector<std::string> args = tallix::programArguments(argc, argv);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    std::string* path = arg == "--machine"    ? &machinePath
                        : arg == "--settings" ? &settingsPath
                        : arg == "--trace"    ? &tracePath
                        : arg == "--truth"    ? &truthPath
                                              : nullptr;
    if (path == nullptr && arg != "--seed" && arg != "--games" && arg != "--speed" &&
        arg != "--setting") {
      return usage("unknown argument " + std::string(arg));
    }
    if (i + 1 >= args.size()) return usage(std::string(arg) + " needs a value");
    const std::string_view value = args[++i];
    if (path != nullptr) {
      *path = value;
    } else if (arg == "--seed") {
      const auto v = tallix::wholeNumber<std::uint64_t>(value);
      if (!v) return usage("--seed must be a whole number: " + std::string(value));
      seed = *v;
    } else if (arg == "--speed") {
      const auto v = tallix::decimalNumber(value);
      if (!v || !(*v > 0)) return usage("--speed must be a number above 0: " + std::string(value));
      speed = *v;
    } else if (arg == "--setting") {
      setting = tallix::wholeNumber<int>(value, 1, static_cast<int>(tallix::kSettingCount));
      if (!setting)
        return usage("--setting must be a whole number from 1 to 6: " + std::string(value));
    } else {
      const auto v = tallix::wholeNumber<std::int64_t>(value, 1);
      if (!v) return usage("--games must be a whole number from 1: " + std::string(value));
      games = *v;
    }
  }
  if (tracePath.empty()) return usage("--trace FILE is required");

  tallix::MachineDescription description;
  tallix::Settings settings;
  try {
    if (!machinePath.empty()) description = tallix::loadMachine(tallix::pathOf(machinePath));
    if (setting) description.setting = *setting;
  } catch (const std::exception& e) {
    std::cerr << "tallix-sim: " << e.what() << "\n";
    return 2;
  }
  if (!settingsPath.empty()) {
    tallix::SettingsLoad load = tallix::loadSettings(tallix::pathOf(settingsPath));
    for (const tallix::Said& message : load.messages) std::cerr << message.english() << "\n";
    settings = load.settings;
  }

  tallix::Machine machine(description, seed, speed, games);
  std::ofstream file;
  if (tracePath != "-") file.open(tallix::pathOf(tracePath), std::ios::binary | std::ios::trunc);
  std::ostream& out = tracePath == "-" ? std::cout : file;
  tallix::TraceRecorder trace(out);
  for (const tallix::Change& change : tallix::playToEnd(machine)) trace.record(change);
  out.flush();
  if (!out) {
    std::cerr << "tallix-sim: " << tracePath << ": cannot write the trace\n";
    return 1;
  }
  if (!truthPath.empty()) {
    try {
      tallix::writeGroundTruth(machine.truth(), settings, tallix::pathOf(truthPath));
    } catch (const tallix::FileError& e) {
      std::cerr << "tallix-sim: " << e.what() << "\n";
      return 1;
    }
  }
  return 0;
}
