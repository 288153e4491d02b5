// tallix-replay: runs the counting engine over a recorded signal trace, headless, exactly as
// the window would count it, and prints what the panel shows, writes every bonus as CSV or
// prints the estimate of the machine's setting.
//
//   tallix-replay [--settings FILE] [--tick-ms N] [--load FILE] [--save FILE]
//                 [--bonuses FILE.csv] [--panel] [--machine FILE] [--estimate] TRACE
//
// --estimate prints, after the last tick, setting1=P .. setting6=P: the probability of each
// setting with 6 decimals, adding up to 1. The machine is --machine FILE, else the settings'
// [estimate] machine=, else the typical machine; the settings' [estimate] prior= weighs them.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "base/arguments.h"
#include "base/files.h"
#include "base/numbers.h"
#include "base/settings.h"
#include "counting/counter.h"
#include "counting/tick_driver.h"
#include "machine/machine_description.h"
#include "port/trace.h"
#include "records/csv_export.h"
#include "records/record.h"

namespace {

using namespace tallix;

constexpr const char* kUsage =
    "usage: tallix-replay [--settings FILE] [--tick-ms N] [--load FILE] [--save FILE]\n"
    "                     [--bonuses FILE.csv] [--panel] [--machine FILE] [--estimate] TRACE\n"
    "  TRACE   lines \"TIME BYTE\" (ms, port byte); \"-\" reads standard input\n"
    "  --load  a record loaded before the first tick; --save  a record saved after the last\n"
    "  --bonuses  every bonus of the play after the last tick, as CSV\n"
    "  --estimate  the probability of each setting of the machine (--machine FILE) after the "
    "last tick\n";

// The longest polling period taken: a day, far beyond any use.
constexpr std::int64_t kLongestTickMs = 86'400'000;

int usage(const std::string& problem) {
  std::cerr << "tallix-replay: " << problem << "\n" << kUsage;
  return 2;
}

std::string hexColour(Rgb c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X%02X%02X", c.r, c.g, c.b);
  return buf;
}

void printPanel(std::ostream& out, const Counter& counter) {
  const Panel& panel = counter.panel();
  for (const CounterField& f : kRecordCounters) {
    out << f.key << '=' << f.get(counter.counters()) << '\n';
  }
  for (TextId id : {TextId::temochiCoin, TextId::dedamaritsu, TextId::bigKakuritsu,
                    TextId::regKakuritsu, TextId::kankin1, TextId::kankin2, TextId::kankin3,
                    TextId::tosiKingaku, TextId::bigCoin, TextId::bigMaxCoin, TextId::Text5pin}) {
    out << textName(id) << '=' << panel.text(id).text << '\n';
  }
  for (std::size_t g = 0; g < kGroupCount; ++g) {
    const DigitGroup& group = panel.group(static_cast<GroupId>(g));
    out << groupName(static_cast<GroupId>(g)) << '=';
    for (std::size_t k = 0; k < group.size; ++k) out << static_cast<int>(group.digits[k]);
    out << '\n';
  }
  out << "saMinus=" << (panel.saMinusVisible() ? 1 : 0) << '\n';
  for (TextId id : {TextId::koyakudata0, TextId::koyakudata1, TextId::koyakudata2,
                    TextId::koyakulabel0, TextId::koyakulabel1, TextId::koyakulabel2}) {
    out << textName(id) << '=' << panel.text(id).text << '\n';
  }
  for (std::size_t i = 0; i < 10; ++i) {
    out << "rirekiLabel" << i << '=' << hexColour(panel.history(i).colour) << ':'
        << panel.history(i).text << '\n';
  }
  out << "graph=";
  const auto& rows = panel.chart().rows();
  for (std::size_t i = 0; i < rows.size(); ++i) out << (i > 0 ? "," : "") << rows[i];
  out << '\n';
}

// setting1=P .. setting6=P, P with 6 decimals; the six add up to 1 exactly.
void printEstimate(std::ostream& out, const SettingEstimate& estimate) {
  constexpr std::int64_t kMillionths = 1'000'000;
  const auto share = shares(estimate.probability, kMillionths);
  for (std::size_t s = 0; s < kSettingCount; ++s) {
    out << "setting" << s + 1 << '=' << formatFixed(static_cast<double>(share[s]) / kMillionths, 6)
        << '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string settingsPath;
  std::string loadPath;
  std::string savePath;
  std::string bonusesPath;
  std::string machinePath;
  std::string tracePath;
  std::int64_t tickMs = 1;
  bool panel = false;
  bool estimate = false;
  const std::vector<std::string> args = programArguments(argc, argv);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if ((arg == "--settings" || arg == "--tick-ms" || arg == "--load" || arg == "--save" ||
         arg == "--bonuses" || arg == "--machine") &&
        i + 1 < args.size()) {
      const std::string& value = args[++i];
      if (arg == "--settings") {
        settingsPath = value;
      } else if (arg == "--load") {
        loadPath = value;
      } else if (arg == "--save") {
        savePath = value;
      } else if (arg == "--bonuses") {
        bonusesPath = value;
      } else if (arg == "--machine") {
        machinePath = value;
      } else {
        const auto ms = wholeNumber<std::int64_t>(value, 1, kLongestTickMs);
        if (!ms) {
          return usage("--tick-ms needs a whole number from 1 to " +
                       std::to_string(kLongestTickMs) + ", got \"" + value + "\"");
        }
        tickMs = *ms;
      }
    } else if (arg == "--panel") {
      panel = true;
    } else if (arg == "--estimate") {
      estimate = true;
    } else if (tracePath.empty() && (arg == "-" || arg.rfind("--", 0) != 0)) {
      tracePath = arg;
    } else {
      return usage("unexpected argument \"" + arg + "\"");
    }
  }
  if (tracePath.empty()) return usage("no TRACE given");

  Counter counter;
  Settings settings;
  if (!settingsPath.empty()) {
    if (!std::filesystem::exists(pathOf(settingsPath))) {
      std::cerr << settingsPath << ": no such settings file\n";
      return 2;
    }
    const SettingsLoad load = loadSettings(pathOf(settingsPath));
    for (const Said& message : load.messages) std::cerr << message.english() << '\n';
    settings = load.settings;
  }
  counter.applySettings(settings);
  if (estimate) {
    EstimateSettings machine = settings.estimate;
    if (!machinePath.empty()) machine.machine = machinePath;
    try {
      counter.setSettingModel(estimateModel(machine));
    } catch (const std::exception& e) {  // MachineError or FileError
      std::cerr << e.what() << '\n';
      return 2;
    }
  }

  std::vector<Change> trace;
  try {
    if (tracePath == "-") {
      trace = readTrace(std::cin, "-");
    } else {
      std::ifstream in(pathOf(tracePath), std::ios::binary);
      if (!in) {
        std::cerr << tracePath << ": " << std::strerror(errno) << '\n';
        return 2;
      }
      trace = readTrace(in, tracePath);
    }
  } catch (const TraceError& e) {
    std::cerr << e.what() << '\n';
    return 2;
  }

  try {
    if (!loadPath.empty()) LoadRecord(counter, pathOf(loadPath));
    replayTrace(counter, trace, tickMs);
    if (!savePath.empty()) SaveRecord(counter, pathOf(savePath));
    if (!bonusesPath.empty()) {
      writeFileAtomically(pathOf(bonusesPath), bonusCsv(counter.bonuses().all()));
    }
  } catch (const std::runtime_error& e) {  // RecordError or FileError
    std::cerr << e.what() << '\n';
    return 2;
  }
  if (panel) printPanel(std::cout, counter);
  if (estimate) {
    const std::optional<SettingEstimate> e = counter.settingEstimate();
    if (!e) {
      std::cerr << "no setting of the machine can give what was counted\n";
      return 1;
    }
    printEstimate(std::cout, *e);
  }
  return 0;
}
