// tallix-probe: the live inputs of the source that a settings file's [input] section names,
// in a terminal, for wiring a machine: a line for every input that changed, with its level,
// the line it is mapped to, its edges so far and the width of its last pulse. With
// --record-trace it also records the port bytes the window would count of them, as a trace
// that tallix-replay reads.
//
//   tallix-probe [--seconds N] [--record-trace FILE] SETTINGS
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <thread>

#include "base/numbers.h"
#include "base/settings.h"
#include "port/input_kinds.h"
#include "port/input_settings.h"
#include "port/input_source.h"
#include "port/sampler.h"
#include "port/trace.h"

namespace {

using namespace tallix;

std::atomic<bool> stopping{false};

// The inputs it reads, those of this build that need no port library: their default device
// and what the player must do to be let at them.
std::string kindsText() {
  std::string text;
  for (const InputKind& kind : inputKinds()) {
    if (kind.portLibrary == PortLibrary::needed || kind.make == nullptr) continue;
    text += "    source=" + std::string(kind.name);
    if (!kind.device.empty()) text += " (device=" + std::string(kind.device) + ")";
    text += ": " + kind.access().english() + "\n";
  }
  return text;
}

int usage(const std::string& problem) {
  std::cerr << "tallix-probe: " << problem << "\n"
            << "usage: tallix-probe [--seconds N] [--record-trace FILE] SETTINGS\n"
            << "  SETTINGS  a tallix.ini whose [input] section names one of these sources:\n"
            << kindsText() << "  --seconds stop after N seconds (else at Ctrl+C)\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string settingsPath;
  std::string tracePath;
  std::optional<std::int32_t> seconds;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--seconds" || arg == "--record-trace") && i + 1 < argc) {
      const std::string value = argv[++i];
      if (arg == "--record-trace") {
        tracePath = value;
      } else {
        seconds = wholeNumber<std::int32_t>(value, 0);
        if (!seconds) {
          return usage("--seconds needs a whole number of seconds from 0, got \"" + value + "\"");
        }
      }
    } else if (settingsPath.empty() && arg.rfind("--", 0) != 0) {
      settingsPath = arg;
    } else {
      return usage("unexpected argument \"" + arg + "\"");
    }
  }
  if (settingsPath.empty()) return usage("no SETTINGS given");
  if (!std::filesystem::exists(settingsPath)) {
    std::cerr << settingsPath << ": no such settings file\n";
    return 2;
  }
  SettingsLoad load = loadSettings(settingsPath);
  const InputSettings input = readInputSettings(load.file, settingsPath, load.messages);
  for (const Said& message : load.messages) std::cerr << message.english() << '\n';
  if (input.source != nullptr && input.source->portLibrary == PortLibrary::needed) {
    std::cerr << settingsPath
              << ": no [input] source to probe (source=" << inputKindNames(false).english()
              << ")\n";
    return 2;
  }
  std::unique_ptr<InputSource> source;
  try {
    source = makeInput(input, {nullptr, 0, settingsPath, systemSerialLines()});
  } catch (const InputUnavailable& e) {
    std::cerr << settingsPath << ": " << e.what() << '\n';
    return 2;
  }

  std::ofstream traceFile;
  std::optional<TraceRecorder> trace;
  if (!tracePath.empty()) {
    traceFile.open(tracePath, std::ios::binary);
    if (!traceFile) {
      std::cerr << tracePath << ": cannot be opened for writing\n";
      return 2;
    }
    trace.emplace(traceFile);
  }

  std::signal(SIGINT, [](int) { stopping = true; });
  std::signal(SIGTERM, [](int) { stopping = true; });
  ChangeQueue queue;
  const auto epoch = Sampler::Clock::now();
  Sampler sampler(*source, queue, epoch);
  sampler.start();
  std::cout << "input  level  line(s)  edges  last pulse\n" << std::flush;

  const PinWatch& watch = source->watch();
  std::array<std::uint32_t, PinWatch::kInputs> shown{};
  bool first = true;
  while (!stopping && !sampler.ended() &&
         (!seconds || Sampler::Clock::now() - epoch < std::chrono::seconds(*seconds))) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    while (const auto change = queue.pop()) {
      if (trace) trace->record(*change);
    }
    if (const auto news = sampler.takeInputNews()) {
      std::cout << (news->found          ? "reading " + news->text.english()
                    : news->text.empty() ? std::string("input back")
                                         : "not reading: " + news->text.english())
                << '\n';
    }
    if (!watch.seen()) continue;
    for (int k = 0; k < PinWatch::kInputs; ++k) {
      const std::string lines = source->map().lineNames(k);
      if (watch.edges(k) == shown[static_cast<std::size_t>(k)] && !(first && !lines.empty())) {
        continue;
      }
      shown[static_cast<std::size_t>(k)] = watch.edges(k);
      const auto pulse = watch.lastPulseMs(k);
      std::printf("%5d  %-5s  %-8s %6u  %s\n", k, watch.high(k) ? "high" : "low",
                  lines.empty() ? "-" : lines.c_str(), watch.edges(k),
                  pulse ? (std::to_string(*pulse) + " ms").c_str() : "-");
    }
    first = false;
    std::fflush(stdout);
  }
  sampler.stop();
  if (trace) trace->flush();
  return 0;
}
