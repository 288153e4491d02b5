#include "command_line.h"

#include "base/numbers.h"
#include "base/say.h"
#include "base/settings.h"

namespace tallix {

namespace {

constexpr std::string_view kSimulate = "--simulate";
constexpr std::string_view kServe = "--serve";

[[noreturn]] void fail(Said why) {
  throw CommandLineError(std::move(why));
}

// Where the files are kept without --data-dir, as this system's program looks for them.
Said placesText() {
#ifdef _WIN32
  return Say::tr(
      "A tallix.ini beside the program keeps both there. Otherwise both are in\n"
      "%APPDATA%\\Tallix. A missing tallix.ini is made from a commented sample.\n");
#else
  return Say::tr(
      "A tallix.ini beside the program keeps both there. Otherwise the settings are in\n"
      "$XDG_CONFIG_HOME/tallix (~/.config/tallix) and the play in $XDG_DATA_HOME/tallix\n"
      "(~/.local/share/tallix). A missing tallix.ini is made from a commented sample.\n");
#endif
}

// The full-screen panel is the Qt window's.
Said fullscreenText() {
#ifdef _WIN32
  return Say::tr(
      "  --fullscreen         offered by the Linux window only; this window stays as it is\n");
#else
  return Say::tr(
      "  --fullscreen         show the panel scaled to the whole screen (as [window]\n"
      "                       fullscreen=1 does)\n");
#endif
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args) {
  CommandLine c;
  bool seedGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == kSimulate) {
      c.simulateSpeed = 1;
    } else if (arg.rfind(std::string(kSimulate) + "=", 0) == 0) {
      const std::string text = arg.substr(kSimulate.size() + 1);
      c.simulateSpeed = decimalNumber(text);
      if (!c.simulateSpeed || !(*c.simulateSpeed > 0) || *c.simulateSpeed > kMaxWindowSpeed) {
        fail(Say::tr("--simulate=SPEED needs a speed above 0 and at most %1, got \"%2\"",
                     {numberText(kMaxWindowSpeed), text}));
      }
    } else if (arg == kServe) {
      c.serve = 0;
    } else if (arg.rfind(std::string(kServe) + "=", 0) == 0) {
      const std::string text = arg.substr(kServe.size() + 1);
      c.serve = parsePortNumber(text);
      if (!c.serve) {
        fail(Say::tr("--serve=PORT needs a port number from 1 to 65535, got \"%1\"", {text}));
      }
    } else if (arg == "--help" || arg == "-h") {
      c.help = true;
    } else if (arg == "--version") {
      c.version = true;
    } else if (arg == "--fullscreen") {
      c.fullscreen = true;
    } else if (arg == "--seed" || arg == "--machine" || arg == "--record-trace" ||
               arg == "--data-dir" || arg == "--setting") {
      if (i + 1 >= args.size()) fail(Say::tr("%1 needs a value", {arg}));
      const std::string& value = args[++i];
      if (arg == "--seed") {
        const auto seed = wholeNumber<std::uint64_t>(value);
        if (!seed) fail(Say::tr("--seed needs a whole number, got \"%1\"", {value}));
        c.seed = *seed;
        seedGiven = true;
      } else if (arg == "--setting") {
        c.setting = wholeNumber<int>(value, 1, static_cast<int>(kSettingCount));
        if (!c.setting) {
          fail(Say::tr("--setting needs a whole number from 1 to 6, got \"%1\"", {value}));
        }
      } else {
        (arg == "--machine"    ? c.machinePath
         : arg == "--data-dir" ? c.dataDir
                               : c.recordTrace) = value;
      }
    } else {
      fail(Say::tr("unknown argument \"%1\"", {arg}));
    }
  }
  if (!c.simulateSpeed && (seedGiven || !c.machinePath.empty())) {
    fail(Say::tr("--seed and --machine go with --simulate"));
  }
  if (!c.simulateSpeed && c.setting) fail(Say::tr("--setting goes with --simulate"));
  return c;
}

Said usageText() {
  return Say::tr(
      "usage: tallix [--simulate[=SPEED] [--seed N] [--machine FILE] [--setting N]] "
      "[--record-trace FILE] [--serve[=PORT]] [--data-dir DIR] [--fullscreen]\n");
}

Said helpText(const Places& places) {
  const std::string servePort = std::to_string(kDefaultServePort);
  const std::string speed = numberText(kMaxWindowSpeed);
  const Said serve = Say::tr(
      "  --serve[=PORT]       serve the live view of the figures to browsers on "
      "this PC\n"
      "                       at http://127.0.0.1:PORT/ (%1 unless tallix.ini "
      "has\n"
      "                       [serve] port=; [serve] address= serves another "
      "address)\n",
      {servePort});
  return Say::tr(
      "%1\nTallix counts the play of a pachislot machine wired to the PC and shows it on "
      "its panel.\n"
      "\n"
      "  --simulate[=SPEED]   count the built-in simulated machine instead of the "
      "port,\n"
      "                       at SPEED times a player's pace (above 0, at most %2; 1)\n"
      "  --seed N             which simulated play (1)\n"
      "  --machine FILE       the simulated machine's description\n"
      "  --setting N          the simulated machine's setting, 1 to 6 (its own, else 1)\n"
      "  --record-trace FILE  append every change of the input that is counted to "
      "FILE\n"
      "%5"
      "  --data-dir DIR       keep the settings and the play in DIR\n"
      "%7"
      "  -h, --help           show this help\n"
      "  --version            show the version\n"
      "\n"
      "Files of this run:\n"
      "  settings (tallix.ini)         %3\n"
      "  play (hist.log, plays/; the simulation's sim.log, sim-plays/)  %4\n"
      "%6",
      {usageText(), speed, places.settingsFile, places.dataDir, serve, placesText(),
       fullscreenText()});
}

std::vector<std::string> simulatedMachineArguments(const CommandLine& run) {
  std::vector<std::string> args{std::string(kSimulate)};
  if (!run.dataDir.empty()) args.insert(args.end(), {"--data-dir", run.dataDir});
  return args;
}

}  // namespace tallix
